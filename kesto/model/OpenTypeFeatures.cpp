// The OpenType feature table and the operations on feature entries and lists.
#include "kesto/model/OpenTypeFeatures.h"

#include <algorithm>
#include <bit>

#include "host/text/AttributeClasses.h"

namespace kesto {

namespace {

constexpr FeatureCode Code(const char (&text)[5]) {
  return (FeatureCode(uint8_t(text[0])) << 24) | (FeatureCode(uint8_t(text[1])) << 16) |
         (FeatureCode(uint8_t(text[2])) << 8) | FeatureCode(uint8_t(text[3]));
}

constexpr FeatureCode StylisticSetCode(int32_t set) {
  return Code("ss00") + FeatureCode((set / 10) << 8) + FeatureCode(set % 10);
}

constexpr std::array<FeatureRow, 45> MakeTable() {
  std::array<FeatureRow, 45> rows{};
  size_t n = 0;
  const FeatureRow onOff[] = {
      {Code("salt"), kTextAttrStylisticAlternates, kAnyValue},
      {Code("zero"), kTextAttrSlashedZero, kAnyValue},
      {Code("calt"), kTextAttrContextualAlternates, kAnyValue},
      {Code("swsh"), kTextAttrSwash, kAnyValue},
      {Code("ital"), kTextAttrItalicForms, kAnyValue},
      {Code("titl"), kTextAttrTitlingAlternates, kAnyValue},
      {Code("dlig"), kTextAttrDiscretionaryLigatures, kAnyValue},
      {Code("frac"), kTextAttrFractions, kAnyValue},
      {Code("ordn"), kTextAttrOrdinals, kAnyValue},
      {Code("hist"), kTextAttrHistoricalForms, kAnyValue},
      {Code("mark"), kTextAttrMarkPositioning, kAnyValue},
      {Code("locl"), kTextAttrLocalizedForms, kAnyValue},
  };
  for (const FeatureRow& row : onOff)
    rows[n++] = row;
  for (int32_t set = kFirstStylisticSet; set <= kLastStylisticSet; ++set)
    rows[n++] = {StylisticSetCode(set), kTextAttrStylisticSets, set};
  const FeatureRow valued[] = {
      {Code("sups"), kTextAttrPosition, 3},       {Code("subs"), kTextAttrPosition, 4},
      {Code("numr"), kTextAttrPosition, 5},       {Code("dnom"), kTextAttrPosition, 6},
      {Code("a2sc"), kTextAttrCapitalization, 3}, {Code("plin"), kTextAttrFigureStyle, 3},
      {Code("pold"), kTextAttrFigureStyle, 2},    {Code("tlin"), kTextAttrFigureStyle, 1},
      {Code("told"), kTextAttrFigureStyle, 4},    {Code("init"), kTextAttrPositionalForm, 2},
      {Code("medi"), kTextAttrPositionalForm, 3}, {Code("fina"), kTextAttrPositionalForm, 4},
      {Code("isol"), kTextAttrPositionalForm, 5},
  };
  for (const FeatureRow& row : valued)
    rows[n++] = row;
  return rows;
}

constexpr std::array<FeatureRow, 45> kTable = MakeTable();

// Classes whose merge replaces the value (one choice among several), rather than toggling it.
bool IsChoiceFeature(ClassID cls) {
  return cls == kTextAttrCapitalization || cls == kTextAttrFigureStyle || cls == kTextAttrPosition ||
         cls == kTextAttrPositionalForm;
}

int32_t Toggled(int32_t value) {
  return value != 0 ? 0 : 1;
}

void MergeOne(FeatureEntry& current, const FeatureEntry& wanted) {
  if (IsChoiceFeature(current.cls)) {
    current.value = current.value == wanted.value ? 0 : wanted.value;
  } else if (current.cls == kTextAttrStylisticSets) {
    current.value ^= wanted.value;
  } else {
    current.value = Toggled(current.value);
  }
}

}  // namespace

FeatureCode MakeFeatureCode(std::u16string_view text) {
  if (text.size() < 4) return kNoFeatureCode;
  FeatureCode code = 0;
  for (size_t i = 0; i < 4; ++i) {
    if (text[i] > 0x7F) return kNoFeatureCode;
    code = (code << 8) | FeatureCode(text[i]);
  }
  return code;
}

FeatureCode MakeFeatureCode(std::string_view text) {
  if (text.size() < 4) return kNoFeatureCode;
  FeatureCode code = 0;
  for (size_t i = 0; i < 4; ++i) {
    if (uint8_t(text[i]) > 0x7F) return kNoFeatureCode;
    code = (code << 8) | FeatureCode(uint8_t(text[i]));
  }
  return code;
}

std::u16string FeatureCodeText(FeatureCode code) {
  std::u16string text(4, u' ');
  for (size_t i = 0; i < 4; ++i)
    text[i] = char16_t((code >> (24 - 8 * i)) & 0xFF);
  return text;
}

void FeatureList::clear() {
  size_ = 0;
  heap_.clear();
}

bool FeatureList::push_back(const FeatureEntry& entry) {
  if (size_ >= kMaxEntries) return false;
  if (heap_.empty() && size_ < kInline) {
    inline_[size_++] = entry;
    return true;
  }
  if (heap_.empty()) heap_.assign(inline_.begin(), inline_.begin() + size_);
  heap_.push_back(entry);
  ++size_;
  return true;
}

FeatureEntry* FeatureList::Find(ClassID cls) {
  auto it = std::find_if(begin(), end(), [cls](const FeatureEntry& e) { return e.cls == cls; });
  return it == end() ? nullptr : it;
}

const FeatureEntry* FeatureList::Find(ClassID cls) const {
  auto it = std::find_if(begin(), end(), [cls](const FeatureEntry& e) { return e.cls == cls; });
  return it == end() ? nullptr : it;
}

bool FeatureList::operator==(const FeatureList& other) const {
  return std::equal(begin(), end(), other.begin(), other.end());
}

std::span<const FeatureRow> FeatureTable() {
  return kTable;
}

FeatureEntry FeatureEntryFromCode(FeatureCode code, bool on) {
  auto row =
      std::find_if(kTable.begin(), kTable.end(), [code](const FeatureRow& r) { return r.code == code; });
  if (row == kTable.end()) return {};
  if (row->cls == kTextAttrStylisticSets) {
    if (!on) return {};
    return {row->cls, int32_t(1u << row->value)};
  }
  if (!on) return {row->cls, 0};
  return {row->cls, row->value == kAnyValue ? 1 : row->value};
}

FeatureCode FeatureCodeOf(const FeatureEntry& entry, int32_t k) {
  if (entry.IsEmpty() || k < 0) return kNoFeatureCode;
  if (entry.cls == kTextAttrStylisticSets) {
    for (int32_t set = kFirstStylisticSet; set <= kLastStylisticSet; ++set) {
      if ((uint32_t(entry.value) & (1u << set)) && k-- == 0) return StylisticSetCode(set);
    }
    return kNoFeatureCode;
  }
  if (k != 0) return kNoFeatureCode;
  for (const FeatureRow& row : kTable) {
    if (row.cls == entry.cls && (row.value == kAnyValue || row.value == entry.value)) return row.code;
  }
  return kNoFeatureCode;
}

int32_t FeatureCodeCount(const FeatureEntry& entry) {
  if (entry.IsEmpty()) return 0;
  if (entry.cls == kTextAttrStylisticSets) {
    // Only bits 1..20 name sets; stray bits of a damaged mask name nothing.
    constexpr uint32_t kSetBits = ((1u << (kLastStylisticSet + 1)) - 1) & ~1u;
    return std::popcount(uint32_t(entry.value) & kSetBits);
  }
  return 1;
}

bool HasFeatureRow(ClassID cls, int32_t value) {
  return std::any_of(kTable.begin(), kTable.end(), [&](const FeatureRow& row) {
    return row.cls == cls && (row.value == kAnyValue || row.value == value);
  });
}

bool IsOnOffFeature(ClassID cls) {
  return std::any_of(kTable.begin(), kTable.end(), [&](const FeatureRow& row) {
    return row.cls == cls && row.value == kAnyValue && cls != kTextAttrStylisticAlternates;
  });
}

void MergeFeatures(FeatureList& current, const FeatureList* wanted) {
  if (!wanted) {
    for (FeatureEntry& entry : current)
      entry.value = entry.cls == kTextAttrStylisticSets ? 0 : Toggled(entry.value);
    return;
  }
  for (const FeatureEntry& entry : *wanted) {
    if (entry.IsEmpty()) continue;
    if (FeatureEntry* held = current.Find(entry.cls)) {
      MergeOne(*held, entry);
    } else {
      (void)current.push_back(entry);
    }
  }
}

}  // namespace kesto
