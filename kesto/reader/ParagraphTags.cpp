// The "*" tags: alignment letters, keep with next, the tags read and ignored, and the dispatch of the list
// tags to their own files.
#include "kesto/reader/ParagraphTags.h"

#include "host/text/AttributeClasses.h"
#include "kesto/model/K2AttributeSetMgr.h"
#include "kesto/reader/KestoScanner.h"
#include "kesto/reader/ScannerErrors.h"
#include "kesto/reader/TagDispatcher.h"
#include "kesto/reader/UnknownTagLetter.h"

namespace kesto {

namespace {

constexpr int32_t kMaxKeepWithNext = 5;
// From this version on, "*A" followed by one of these letters is a two-letter tag of its own.
constexpr double kLastVersionWithoutTwoLetterA = 7.0;
constexpr std::u16string_view kTwoLetterASecond = u"BCLMOT";

// Alignment letters in the order of the host's alignment values 0..9.
constexpr std::u16string_view kAlignmentLetters = u"LCRFJNGAIO";

// The character after a tag's letters that names no tag: a paragraph return is read again as text, ">"
// still ends the group.
void NoSuchParagraphTag(KestoScanner& scanner, int32_t c) {
  (void)ReportNoSuchTag(scanner, c);
}

void SetAlignment(KestoScanner& scanner, const ParagraphTargets& targets, int32_t alignment) {
  if (targets.target && !targets.target->SetEnum(kTextAttrAlignment, alignment))
    scanner.SetErrorIfNone(kScanInternalError);
}

// *A: alignment 7, or in later versions one of the two-letter tags *AB … *AT, which are read and ignored.
void AlignmentOrTwoLetterTag(KestoScanner& scanner, const ParagraphTargets& targets) {
  if (scanner.GetVersion() > kLastVersionWithoutTwoLetterA) {
    int32_t c = scanner.NextChar();
    if (c >= 0 && c <= 0xFFFF &&
        kTwoLetterASecond.find(static_cast<char16_t>(c)) != std::u16string_view::npos) {
      scanner.GetTagName().AppendChar(c);
      return;
    }
    if (c != ScannerInput::kEnd) scanner.PushBack();
  }
  SetAlignment(scanner, targets, static_cast<int32_t>(kAlignmentLetters.find(u'A')));
}

void KeepWithNext(KestoScanner& scanner, const ParagraphTargets& targets) {
  int32_t lines = 0;
  int32_t result = scanner.Params().ReadInteger(lines, 0, 0, kMaxKeepWithNext);
  if (result != 0) {
    scanner.SetErrorIfNone(result > 0 ? result : kScanNoDefaultValue);
    return;
  }
  if (targets.target && !targets.target->SetInt16(kTextAttrKeepWithNext, lines))
    scanner.SetErrorIfNone(kScanInternalError);
}

// *h, *m and *s name things the host has no place for; their names are read and dropped.
void IgnoredNameTag(KestoScanner& scanner) {
  int32_t result = scanner.Params().ReadString();
  if (result > 0) scanner.SetErrorIfNone(result);
}

void KeepTag(KestoScanner& scanner, const ParagraphTargets& targets) {
  int32_t c = scanner.NextChar();
  if (c == 'n' || c == 't') scanner.GetTagName().AppendChar(c);
  if (c == 'n')
    KeepWithNext(scanner, targets);
  else if (c == 't')
    ReadKeepLinesTag(scanner, targets);
  else
    NoSuchParagraphTag(scanner, c);
}

void RuleTag(KestoScanner& scanner, const ParagraphTargets& targets) {
  int32_t c = scanner.NextChar();
  if (c == 'a' || c == 'b') {
    scanner.GetTagName().AppendChar(c);
    ReadRuleTag(scanner, targets, c == 'a');
  } else {
    NoSuchParagraphTag(scanner, c);
  }
}

// Paragraph tags write into the paragraph target; inside a character style definition, which has none,
// they are an error and go to the paragraph style info instead.
ParagraphTargets TargetsOf(KestoScanner& scanner) {
  ParagraphTargets targets;
  targets.target = scanner.ParagraphTarget();
  if (!targets.target) {
    scanner.SetErrorIfNone(kScanParagraphTagInCharacterStyle);
    targets.target = &scanner.GetParagraphStyleInfo();
  }
  targets.defaults = &scanner.GetDefaults().D1();
  return targets;
}

void ParagraphTag(KestoScanner& scanner, int32_t) {
  ReadParagraphTag(scanner, TargetsOf(scanner));
}

}  // namespace

void ReadParagraphTag(KestoScanner& scanner, const ParagraphTargets& targets) {
  TagName& name = scanner.GetTagName();
  name.Set(u"*");
  int32_t c = scanner.NextChar();
  if (c > ' ' && c < 0x7F && c != '>') name.AppendChar(c);
  size_t alignment =
      c > 0 && c <= 0xFFFF ? kAlignmentLetters.find(static_cast<char16_t>(c)) : std::u16string_view::npos;
  if (c == 'A') {
    AlignmentOrTwoLetterTag(scanner, targets);
  } else if (alignment != std::u16string_view::npos) {
    SetAlignment(scanner, targets, static_cast<int32_t>(alignment));
  } else if (c == 'k') {
    KeepTag(scanner, targets);
  } else if (c == 'd') {
    ReadDropCapTag(scanner, targets);
  } else if (c == 't') {
    ReadTabStopsTag(scanner, targets);
  } else if (c == 'p') {
    ReadParagraphFormatTag(scanner, targets);
  } else if (c == 'r') {
    RuleTag(scanner, targets);
  } else if (c == 'h' || c == 'm' || c == 's') {
    IgnoredNameTag(scanner);
  } else {
    NoSuchParagraphTag(scanner, c);
  }
}

void RegisterParagraphTags(TagDispatchTable& table) {
  table.Register('*', &ParagraphTag);
}

}  // namespace kesto
