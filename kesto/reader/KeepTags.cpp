// The list tags that keep lines together (*kt) and make drop caps (*d).
#include "host/text/AttributeClasses.h"
#include "kesto/model/K2AttributeSetMgr.h"
#include "kesto/reader/KestoScanner.h"
#include "kesto/reader/NumberConversion.h"
#include "kesto/reader/ParagraphListTag.h"

namespace kesto {

namespace {

constexpr int32_t kMinKeptLines = 1;
constexpr int32_t kMaxKeptLines = 50;
constexpr int32_t kDefaultKeptLines = 2;
constexpr int32_t kMaxDropCapCharacters = 150;
constexpr int32_t kMaxDropCapLines = 25;

// <*kt$>, <*ktA>, <*kt0>, <*kt(start, end)>: start is "A" for all lines or the first lines kept.
class KeepLinesTag final : public ParagraphListTag {
 public:
  using ParagraphListTag::ParagraphListTag;

 private:
  enum Bit { kTogether, kAll, kFirst, kLast, kCount };

  void Begin() override {
    together_ = true;
    all_ = false;
    first_ = last_ = kDefaultKeptLines;
    for (int bit = 0; bit < kCount; ++bit)
      MarkSet(bit);
  }

  void Single() override {
    if (IsDefault()) {
      for (int bit = 0; bit < kCount; ++bit)
        MarkClear(bit);
    } else if (scanner_.Params().IsSingleLetter(u'A', true)) {
      all_ = true;
    } else {
      double zero = 0;
      if (Number(zero, kNumberChecked, 0, 0) == 0) together_ = false;
    }
  }

  void ListElement(int32_t element) override {
    if (element == 0 && scanner_.Params().IsSingleLetter(u'A', true)) {
      all_ = true;
    } else if (element == 0 || element == 1) {
      int bit = element == 0 ? kFirst : kLast;
      int32_t& lines = element == 0 ? first_ : last_;
      if (Integer(lines, kNumberDefaultAllowed, kMinKeptLines, kMaxKeptLines) == kNumberDefault)
        DefaultInt16(element == 0 ? kTextAttrKeepFirstLines : kTextAttrKeepLastLines, bit, lines);
    }
  }

  void Apply() override {
    Write(kTextAttrKeepLinesTogether, kTogether,
          [&] { return target_->SetBool(kTextAttrKeepLinesTogether, together_); });
    Write(kTextAttrKeepAllLines, kAll, [&] { return target_->SetBool(kTextAttrKeepAllLines, all_); });
    Write(kTextAttrKeepFirstLines, kFirst,
          [&] { return target_->SetInt16(kTextAttrKeepFirstLines, first_); });
    Write(kTextAttrKeepLastLines, kLast, [&] { return target_->SetInt16(kTextAttrKeepLastLines, last_); });
  }

  bool together_ = true;
  bool all_ = false;
  int32_t first_ = kDefaultKeptLines;
  int32_t last_ = kDefaultKeptLines;
};

// <*dN> (N lines, one character, none for 0) and <*d(characters, lines)>.
class DropCapTag final : public ParagraphListTag {
 public:
  using ParagraphListTag::ParagraphListTag;

 private:
  enum Bit { kCharacters, kLines };

  void Begin() override {
    characters_ = lines_ = 1;
    MarkSet(kCharacters);
    MarkSet(kLines);
  }

  void Single() override {
    int32_t result = Integer(lines_, kNumberDefaultAllowed, 0, kMaxDropCapLines);
    if (result == kNumberDefault) {
      DefaultInt16(kTextAttrDropCapLines, kLines, lines_);
      MarkClear(kCharacters);
    } else if (result == 0) {
      characters_ = lines_ > 0 ? 1 : 0;
    }
  }

  void ListElement(int32_t element) override {
    if (element == 0 &&
        Integer(characters_, kNumberDefaultAllowed, 1, kMaxDropCapCharacters) == kNumberDefault) {
      DefaultInt16(kTextAttrDropCapCharacters, kCharacters, characters_);
    } else if (element == 1 &&
               Integer(lines_, kNumberDefaultAllowed, 0, kMaxDropCapLines) == kNumberDefault) {
      DefaultInt16(kTextAttrDropCapLines, kLines, lines_);
    }
  }

  void Apply() override {
    Write(kTextAttrDropCapCharacters, kCharacters,
          [&] { return target_->SetInt16(kTextAttrDropCapCharacters, characters_); });
    Write(kTextAttrDropCapLines, kLines, [&] { return target_->SetInt16(kTextAttrDropCapLines, lines_); });
  }

  int32_t characters_ = 1;
  int32_t lines_ = 1;
};

}  // namespace

void ReadKeepLinesTag(KestoScanner& scanner, const ParagraphTargets& targets) {
  KeepLinesTag(scanner, targets).Read();
}

void ReadDropCapTag(KestoScanner& scanner, const ParagraphTargets& targets) {
  DropCapTag(scanner, targets).Read();
}

}  // namespace kesto
