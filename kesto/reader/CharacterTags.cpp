// Character attribute tags: type-style toggles and "~" forms, "$", "$$", "a$", "a$$", the tags read and
// ignored, the boolean tags G and N, and the OpenType feature list <o(…)>. The value tags are in
// CharacterValueTags.cpp.
#include "kesto/model/OpenTypeFeatures.h"
#include "kesto/reader/CharacterTagSupport.h"
#include "kesto/reader/KestoScanner.h"
#include "kesto/reader/NumberConversion.h"
#include "kesto/reader/ScannerErrors.h"
#include "kesto/reader/TagDispatcher.h"

namespace kesto {

namespace {

constexpr int32_t kParagraphReturn = 0x0D;

// What a failed type-style setter reports.
enum class OnFailure { kIgnore, kMissingFont, kInternal };

void Report(KestoScanner& scanner, bool ok, OnFailure onFailure) {
  if (ok || onFailure == OnFailure::kIgnore) return;
  scanner.SetError(onFailure == OnFailure::kMissingFont ? kScanMissingFont : kScanInternalError);
}

void SetName(KestoScanner& scanner, int32_t c) {
  scanner.GetTagName().Clear();
  scanner.GetTagName().AppendChar(c);
}

// ---- Type-style toggles.

struct Toggle {
  char tag;
  int32_t bit;
  OnFailure onFailure;
};

constexpr Toggle kToggles[] = {
    {'B', kBoldBit, OnFailure::kIgnore},
    {'I', kItalicBit, OnFailure::kIgnore},
    {'U', kUnderlineBit, OnFailure::kInternal},
    {'O', kOutlineBit, OnFailure::kMissingFont},
    {'S', kShadowBit, OnFailure::kMissingFont},
    {'+', kSuperscriptBit, OnFailure::kInternal},
    {'-', kSubscriptBit, OnFailure::kInternal},
    {'V', kSuperiorBit, OnFailure::kInternal},
    {'/', kStrikeThroughBit, OnFailure::kInternal},
    {'K', kAllCapsBit, OnFailure::kInternal},
    {'H', kSmallCapsBit, OnFailure::kInternal},
    {'W', kWordUnderlineBit, OnFailure::kInternal},
};

const Toggle* FindToggle(int32_t c) {
  for (const Toggle& toggle : kToggles) {
    if (toggle.tag == c) return &toggle;
  }
  return nullptr;
}

void ToggleTag(KestoScanner& scanner, int32_t c) {
  SetName(scanner, c);
  const Toggle* toggle = FindToggle(c);
  if (!toggle) return;
  bool ok = scanner.CharacterTarget().ToggleTypeStyle(toggle->bit, scanner.TypeStyleBase());
  Report(scanner, ok, toggle->onFailure);
}

void PlainTag(KestoScanner& scanner, int32_t c) {
  SetName(scanner, c);
  (void)scanner.CharacterTarget().ReplaceTypeStyle(kPlain, scanner.TypeStyleBase());
}

// ---- <~x>: explicit type styles, which set rather than toggle.

void ExplicitTypeStyle(KestoScanner& scanner, int32_t) {
  scanner.GetTagName().Set(u"~");
  int32_t c = scanner.NextChar();
  K2AttributeSetMgr& target = scanner.CharacterTarget();
  const K2AttributeSetMgr* base = scanner.TypeStyleBase();
  switch (c) {
    case 'B':
    case 'I':
      (void)target.SetTypeStyleBit(c == 'B' ? kBoldBit : kItalicBit, base);
      return;
    case 'O':
    case 'S':
      Report(scanner, target.SetTypeStyleBit(c == 'O' ? kOutlineBit : kShadowBit, base),
             OnFailure::kMissingFont);
      return;
    case '+':
      Report(scanner, target.SetPosition(kPositionSuperscript), OnFailure::kInternal);
      return;
    case '-':
      Report(scanner, target.SetPosition(kPositionSubscript), OnFailure::kInternal);
      return;
    case 'V':
      Report(scanner, target.SetPosition(kPositionSuperior), OnFailure::kInternal);
      return;
    case '/':
      Report(scanner, target.SetBool(kTextAttrStrikeThrough, true), OnFailure::kInternal);
      return;
    case 'H':
      Report(scanner, target.SetEnum(kTextAttrCapitalization, kCapsSmall), OnFailure::kInternal);
      return;
    case 'K':
      Report(scanner, target.SetEnum(kTextAttrCapitalization, kCapsAll), OnFailure::kInternal);
      return;
    case 'U':
    case 'W':
      Report(scanner, target.SetBool(kTextAttrUnderline, true), OnFailure::kInternal);
      return;
    case kParagraphReturn:
      scanner.SetError(kScanUnexpectedEndOfLine);
      scanner.PushBack();
      scanner.SetLexMode(LexMode::kText);
      return;
    case ScannerInput::kEnd:
      EndOfInputInTag(scanner);
      return;
    case '>':
      scanner.SetError(kScanNoSuchTag);
      scanner.SetLexMode(LexMode::kText);
      return;
    default:
      scanner.SetError(kScanNoSuchTag);
      return;
  }
}

// ---- Defaults: <$>, <$$>, <a$>, <a$$>.

// Reads the second "$" of a "$$" form; anything else is left for the dispatcher.
bool ReadSecondDollar(KestoScanner& scanner) {
  int32_t c = scanner.NextChar();
  if (c == '$') return true;
  if (c != ScannerInput::kEnd) scanner.PushBack();
  return false;
}

void DefaultTypeStyle(KestoScanner& scanner, int32_t) {
  bool fromD2 = ReadSecondDollar(scanner);
  scanner.GetTagName().Set(fromD2 ? u"$$" : u"$");
  const DefaultSnapshots& defaults = scanner.GetDefaults();
  TypeStyle flags = defaults.D1().GetTypeStyle(nullptr);
  if (fromD2 && defaults.D2()) flags = defaults.D2()->GetTypeStyle(&defaults.D1());
  (void)scanner.CharacterTarget().ReplaceTypeStyle(flags, scanner.TypeStyleBase());
}

void DefaultOverrides(KestoScanner& scanner, int32_t) {
  scanner.GetTagName().Set(u"a");
  int32_t c = scanner.NextChar();
  if (c != '$') {
    if (c != ScannerInput::kEnd) scanner.PushBack();
    scanner.SetError(kScanMalformedTag);
    return;
  }
  bool fromD2 = ReadSecondDollar(scanner);
  scanner.GetTagName().Set(fromD2 ? u"a$$" : u"a$");
  const DefaultSnapshots& defaults = scanner.GetDefaults();
  const K2AttributeSetMgr* source = fromD2 ? defaults.D2() : &defaults.D1();
  const AttributeBossList* held = source ? source->GetAgent()->GetOverrides() : nullptr;
  AttributeBossList overrides = held ? *held : AttributeBossList();
  K2AttributeSetMgr& target = scanner.CharacterTarget();
  // D1 is a copy of the paragraph side: only its character attributes belong on a character target.
  if (target.GetStyleKind() == StyleKind::kCharacter) overrides = overrides.FilterByScope(false);
  target.LoadFrom(target.GetStyle(), overrides);
}

// ---- <G…> and <N…>: a boolean attribute set by "0" or "1", "$" the paragraph's, "$$" none.

// Reads "0", "1", "$" or "$$"; answers 0 or 1, 2 for "$", 3 for "$$", or -1 after setting the error.
int32_t ReadSwitch(KestoScanner& scanner) {
  int32_t c = scanner.NextChar();
  switch (c) {
    case '0':
      return 0;
    case '1':
      return 1;
    case '$':
      return ReadSecondDollar(scanner) ? 3 : 2;
    case ScannerInput::kEnd:
      EndOfInputInTag(scanner);
      return -1;
    case '>':
    case kParagraphReturn:
      // Left for the dispatcher, which ends the group or reports the line end.
      scanner.PushBack();
      [[fallthrough]];
    default:
      scanner.SetError(kScanValueOutOfRange);
      return -1;
  }
}

void SwitchTag(KestoScanner& scanner, int32_t c) {
  SetName(scanner, c);
  ClassID cls = c == 'G' ? kTextAttrLigatures : kTextAttrNoBreak;
  int32_t value = ReadSwitch(scanner);
  if (value < 0) return;
  K2AttributeSetMgr& target = scanner.CharacterTarget();
  bool paragraphValue = false;
  const K2AttributeSetMgr* paragraph = scanner.ParagraphTarget();
  if (value <= 1) {
    Report(scanner, target.SetBool(cls, value == 1), OnFailure::kInternal);
  } else if (value == 2 && paragraph && paragraph->GetBool(cls, paragraphValue)) {
    Report(scanner, target.SetBool(cls, paragraphValue), OnFailure::kInternal);
  } else {
    (void)target.ClearOverride(cls);
  }
}

// ---- Tags read and ignored: <L…>, <Y…>, <Mx>, <pN>.

void IgnoredSwitch(KestoScanner& scanner, int32_t c) {
  SetName(scanner, c);
  (void)ReadSwitch(scanner);
}

void IgnoredCharacter(KestoScanner& scanner, int32_t c) {
  SetName(scanner, c);
  if (scanner.NextChar() == ScannerInput::kEnd) EndOfInputInTag(scanner);
}

void IgnoredPercentage(KestoScanner& scanner, int32_t c) {
  SetName(scanner, c);
  double ignored = 0;
  int32_t result = scanner.Params().ReadNumber(ignored, kNumberPercentage, 0, 1);
  if (result > 0) scanner.SetError(result);
}

// ---- <o(F, …)>: OpenType features.

class FeatureListReader : public ListHandler {
 public:
  explicit FeatureListReader(KestoScanner& scanner) : scanner_(scanner) {}

  void Element(int32_t element, int32_t item) override {
    if (element < 0 && element != kSingle) return;
    if (item != kNoItem) return;
    std::u16string_view text = scanner_.Params().GetText();
    if ((element == 0 || element == kSingle) && !text.empty() && text[0] == u'$') {
      start_ = text.size() > 1 && text[1] == u'$' ? Start::kD2 : Start::kParagraph;
      // "$" with a feature after it ("$$ ss01"): its last five characters name the feature.
      if (text.size() < 7) return;
      text = text.substr(text.size() - 5);
      while (!text.empty() && !IsFeatureCharacter(text[0]))
        text.remove_prefix(1);
    }
    Add(MakeFeatureCode(text));
  }

  enum class Start { kTarget, kParagraph, kD2 };
  Start GetStart() const { return start_; }
  const FeatureList& Listed() const { return listed_; }

 private:
  static bool IsFeatureCharacter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
  }
  void Add(FeatureCode code) {
    FeatureEntry entry = FeatureEntryFromCode(code, true);
    if (entry.IsEmpty()) return;
    if (entry.cls == kTextAttrStylisticSets) {
      if (FeatureEntry* sets = listed_.Find(entry.cls)) {
        sets->value |= entry.value;
        return;
      }
    }
    if (FeatureEntry* same = listed_.Find(entry.cls)) {
      same->value = entry.value;
      return;
    }
    (void)listed_.push_back(entry);
  }

  KestoScanner& scanner_;
  FeatureList listed_;
  Start start_ = Start::kTarget;
};

// Removes the feature overrides of `target`: the on/off features, alternates and sets, and position,
// capitalization, figure style and positional form where they hold a feature's value.
void ClearFeatureOverrides(K2AttributeSetMgr& target) {
  FeatureList held;
  if (!target.GetFeatures(held)) return;
  for (const FeatureEntry& entry : held) {
    if (target.HasOverride(entry.cls)) (void)target.ClearOverride(entry.cls);
  }
}

// Lays `listed` over `current`: a listed feature is switched on, stylistic sets are added to those on.
void LayOver(FeatureList& current, const FeatureList& listed) {
  for (const FeatureEntry& entry : listed) {
    FeatureEntry* held = current.Find(entry.cls);
    if (!held) {
      (void)current.push_back(entry);
    } else if (entry.cls == kTextAttrStylisticSets) {
      held->value |= entry.value;
    } else {
      held->value = entry.value;
    }
  }
}

void FeatureTag(KestoScanner& scanner, int32_t) {
  scanner.GetTagName().Set(u"o");
  int32_t c = scanner.NextChar();
  if (c != '(') {
    if (c != ScannerInput::kEnd) scanner.PushBack();
    return;
  }
  scanner.PushBack();
  FeatureListReader reader(scanner);
  if (!scanner.Params().ReadList(reader)) return;
  // Features always go to the character side, also inside style definitions.
  K2AttributeSetMgr& target = scanner.C();
  FeatureList features;
  switch (reader.GetStart()) {
    case FeatureListReader::Start::kTarget:
      (void)target.GetFeatures(features);
      break;
    case FeatureListReader::Start::kParagraph:
      ClearFeatureOverrides(target);
      if (const K2AttributeSetMgr* paragraph = scanner.ParagraphTarget())
        (void)paragraph->GetFeatures(features);
      break;
    case FeatureListReader::Start::kD2:
      ClearFeatureOverrides(target);
      if (const K2AttributeSetMgr* d2 = scanner.GetDefaults().D2()) (void)d2->GetFeatures(features);
      break;
  }
  LayOver(features, reader.Listed());
  Report(scanner, target.ApplyFeatures(features), OnFailure::kInternal);
}

}  // namespace

void EndOfInputInTag(KestoScanner& scanner) {
  scanner.SetError(kScanUnexpectedEndOfInput);
  scanner.SetToken(ScanToken::kEnd);
}

void RegisterCharacterTags(TagDispatchTable& table) {
  for (const Toggle& toggle : kToggles)
    table.Register(toggle.tag, &ToggleTag);
  table.Register('P', &PlainTag);
  table.Register('~', &ExplicitTypeStyle);
  table.Register('$', &DefaultTypeStyle);
  table.Register('a', &DefaultOverrides);
  table.Register('G', &SwitchTag);
  table.Register('N', &SwitchTag);
  table.Register('L', &IgnoredSwitch);
  table.Register('Y', &IgnoredSwitch);
  table.Register('M', &IgnoredCharacter);
  table.Register('p', &IgnoredPercentage);
  table.Register('o', &FeatureTag);
  RegisterCharacterValueTags(table);
}

}  // namespace kesto
