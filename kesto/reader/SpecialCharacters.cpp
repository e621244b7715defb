// Special characters <\x>: spaces, dashes, breaks, page numbers and numeric character codes; "\!" before x
// asks for the non-breaking form.
#include "kesto/reader/CharacterTagSupport.h"
#include "kesto/reader/ControlCharacters.h"
#include "kesto/reader/KestoScanner.h"
#include "kesto/reader/ParameterEscape.h"
#include "kesto/reader/ScannerErrors.h"
#include "kesto/reader/TagDispatcher.h"

namespace kesto {

namespace {

constexpr int32_t kParagraphReturn = 0x0D;
constexpr int32_t kZeroWidthSpace = 0x200B;

// What one x stands for.
struct Special {
  enum class Kind { kNone, kCharacter, kToken, kBreak, kNumeric };
  Kind kind = Kind::kNone;
  int32_t value = 0;  // the character, the token or the break kind
  // With "\!" the character carries no-break; without it, an en, four-per-em or punctuation space gets a
  // zero-width space after it so that a line may break there.
  bool takesNoBreak = false;
};

Special Character(int32_t c, bool takesNoBreak = true) {
  return {Special::Kind::kCharacter, c, takesNoBreak};
}

Special Lookup(int32_t x, bool noBreak, bool modern) {
  switch (x) {
    case '<':
    case '>':
    case '@':
    case '\\':
      return Character(x, false);
    case '-':
      return Character(noBreak ? 0x2011 : '-', false);
    case 's':
      return Character(noBreak ? 0xA0 : ' ', false);
    case '_':
      return Character(0x2014);
    case 'a':
      return Character(0x2013);
    case 'm':
      return Character(modern ? 0x2003 : 0x2014);
    case 'e':
      return modern ? Character(0x2002) : Character(0x03, false);
    case 'f':
      return Character(modern ? 0x20 : 0x2002);
    case '$':
    case 'q':
      return Character(0x2005);
    case '5':
      return Character(0x2004);
    case '8':
      return Character(0x2007);
    case '[':
      return Character(0x2009);
    case '^':
      return Character(0x2006);
    case '{':
      return Character(0x200A);
    case 'p':
      return Character(0x2008);
    case 'z':
      return Character(kZeroWidthSpace);
    case 'd':
      return Character(kZeroWidthSpace, false);
    case 'j':
      return Character(0x2060);
    case 'h':
      return Character(0xAD);
    case 'i':
      return Character(0x07, false);
    case 't':
      return Character(0x08, false);
    case 'n':
      return Character(0x0A, false);
    case 'k':
    case 'r':
      return Character(0x03, false);
    case '1':
      return Character(0x19, false);
    case '2':
      return {Special::Kind::kToken, static_cast<int32_t>(ScanToken::kPreviousPageNumber)};
    case '3':
      return {Special::Kind::kToken, static_cast<int32_t>(ScanToken::kCurrentPageNumber)};
    case '4':
      return {Special::Kind::kToken, static_cast<int32_t>(ScanToken::kNextPageNumber)};
    case 'c':
      return {Special::Kind::kBreak, 1};
    case 'b':
      return {Special::Kind::kBreak, 3};
    case '0':
      return {Special::Kind::kBreak, 2};
    case '7':
      return {Special::Kind::kBreak, 4};
    case '6':
      return {Special::Kind::kBreak, 5};
    case '#':
      return {Special::Kind::kNumeric, 0, true};
    default:
      return {};
  }
}

// Nothing of a definition or header line reaches the story: the breaks and page numbers it holds are
// dropped with its text.
bool OnTextLine(const KestoScanner& scanner) {
  return scanner.GetDefMode() == DefMode::kNormal;
}

void Break(KestoScanner& scanner, int32_t kind) {
  if (!OnTextLine(scanner)) return;
  scanner.SetBreakKind(kind);
  scanner.SetToken(ScanToken::kBreakCharacter);
}

void Insert(KestoScanner& scanner, const Special& special, int32_t c, bool noBreak) {
  scanner.PushText(c);
  if (!special.takesNoBreak) return;
  if (noBreak) {
    // A no-break value of the text's own wins over the temporary one.
    if (!scanner.C().HasOverride(kTextAttrNoBreak)) scanner.SetTemporaryNoBreak();
  } else if (c == 0x2002 || c == 0x2005 || c == 0x2008) {
    scanner.PushText(kZeroWidthSpace);
  }
}

// "#" and a numeric code; control characters go through the same mapping as in text.
void InsertNumeric(KestoScanner& scanner, const Special& special, bool noBreak) {
  int32_t c = ReadNumericCode(scanner.GetInput(), scanner.GetNumericCodePlatform());
  if (c < 0x20) {
    ControlMapping mapping = MapControlCharacter(c);
    if (mapping.kind == ControlMapping::Kind::kDrop) return;
    if (mapping.kind == ControlMapping::Kind::kBreak) {
      Break(scanner, mapping.value);
      return;
    }
    c = mapping.value;
  }
  Insert(scanner, special, c, noBreak);
}

void SpecialCharacter(KestoScanner& scanner, int32_t) {
  scanner.GetTagName().Set(u"\\");
  int32_t x = scanner.NextChar();
  bool noBreak = x == '!';
  if (noBreak) x = scanner.NextChar();
  if (x == ScannerInput::kEnd) {
    EndOfInputInTag(scanner);
    return;
  }
  if (x == kParagraphReturn) {
    scanner.SetError(kScanUnexpectedEndOfLine);
    scanner.PushBack();
    scanner.SetLexMode(LexMode::kText);
    return;
  }
  Special special = Lookup(x, noBreak, scanner.GetVersion() >= 7);
  switch (special.kind) {
    case Special::Kind::kCharacter:
      Insert(scanner, special, special.value, noBreak);
      return;
    case Special::Kind::kToken:
      if (OnTextLine(scanner)) scanner.SetToken(static_cast<ScanToken>(special.value));
      return;
    case Special::Kind::kBreak:
      Break(scanner, special.value);
      return;
    case Special::Kind::kNumeric:
      scanner.GetTagName().Set(u"\\#");
      InsertNumeric(scanner, special, noBreak);
      return;
    case Special::Kind::kNone:
      scanner.SetError(kScanNoSuchTag);
      scanner.GetTagName().Clear();
      scanner.GetTagName().AppendChar(x < 0x20 ? '?' : x);
      return;
  }
}

}  // namespace

void RegisterSpecialCharacters(TagDispatchTable& table) {
  table.Register('\\', &SpecialCharacter);
}

}  // namespace kesto
