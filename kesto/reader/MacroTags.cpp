// The macro tags: <&!(name, body…)> and <&!2(name, separator, body…)> define a macro, <!name(arguments)>
// invokes it. The expansion is read next, in tag mode, inside the tag group of the invocation; an expansion
// never starts while another is being read, so macros cannot run away.
#include "kesto/reader/CodePoints.h"
#include "kesto/reader/KestoScanner.h"
#include "kesto/reader/MacroExpansion.h"
#include "kesto/reader/ScannerErrors.h"
#include "kesto/reader/TagDispatcher.h"

namespace kesto {
namespace {

constexpr int32_t kParagraphReturn = 0x0D;

// Elements are joined without their separators: an element keeps commas, blanks and brackets only when
// quoted.
class MacroDefinitionList : public ListHandler {
 public:
  MacroDefinitionList(KestoScanner& scanner, bool withSeparator)
      : scanner_(scanner), withSeparator_(withSeparator) {}

  void Element(int32_t element, int32_t item) override {
    if (element == kEnd) {
      Store();
      return;
    }
    if (element == kBegin || item != kNoItem || failed_) return;
    if (element == kSingle) return Fail(kScanMalformedTag);
    std::u32string text = CodePointsOf(scanner_.Params().GetText());
    if (element == 0) {
      if (text.size() > MacroTable::kMaxNameLength) return Fail(kScanMacroNameTooLong);
      name_ = std::move(text);
    } else if (element == 1 && withSeparator_) {
      if (!text.empty()) separator_ = static_cast<int32_t>(text[0]);
    } else {
      if (body_.size() + text.size() > MacroTable::kMaxBodyLength) return Fail(kScanMacroBodyTooLong);
      body_ += text;
    }
  }

 private:
  void Fail(int32_t code) {
    scanner_.SetErrorIfNone(code);
    failed_ = true;
  }
  void Store() {
    if (failed_ || scanner_.GetError() != 0) return;
    if (!scanner_.GetInput().GetMacros().Define(name_, body_, separator_))
      scanner_.SetErrorIfNone(kScanNoMemoryForMacro);
  }

  KestoScanner& scanner_;
  bool withSeparator_;
  bool failed_ = false;
  std::u32string name_;
  std::u32string body_;
  int32_t separator_ = ',';
};

// Arguments fill the references to them as they come; those no reference names are not kept.
class MacroArgumentList : public ListHandler {
 public:
  MacroArgumentList(KestoScanner& scanner, MacroExpansion* expansion)
      : scanner_(scanner), expansion_(expansion) {}

  void Element(int32_t element, int32_t item) override {
    if (!expansion_ || element < 0 || item != kNoItem || failed_) return;
    if (!expansion_->Uses(element + 1)) return;
    int32_t result = expansion_->SetArgument(element + 1, CodePointsOf(scanner_.Params().GetText()));
    if (result != 0) {
      scanner_.SetErrorIfNone(result);
      failed_ = true;
    }
  }

 private:
  KestoScanner& scanner_;
  MacroExpansion* expansion_;
  bool failed_ = false;
};

void DefineMacro(KestoScanner& scanner, int32_t) {
  scanner.GetTagName().Set(u"&!");
  int32_t c = scanner.NextChar();
  bool withSeparator = c == '2';
  if (withSeparator)
    scanner.GetTagName().Set(u"&!2");
  else if (c != ScannerInput::kEnd)
    scanner.PushBack();
  MacroDefinitionList list(scanner, withSeparator);
  scanner.Params().ReadList(list);
}

// Reads the name up to the "(" of the argument list, which is left to be read. False when there is no
// list: the error is set.
bool ReadMacroName(KestoScanner& scanner, std::u32string& name) {
  int32_t stop = scanner.Params().ReadRaw(U"(\r>");
  switch (stop) {
    case ScannerInput::kEnd:
      scanner.SetError(kScanUnexpectedEndOfInput);
      scanner.SetToken(ScanToken::kEnd);
      return false;
    case kParagraphReturn:
      scanner.SetError(kScanUnexpectedEndOfLine);
      scanner.PushBack();
      scanner.SetLexMode(LexMode::kText);
      return false;
    case '>':
      // Without this stop a name would run on through the text after the tag group.
      scanner.SetError(kScanMalformedTag);
      scanner.SetLexMode(LexMode::kText);
      return false;
    default:
      scanner.PushBack();
      name = CodePointsOf(scanner.Params().GetText());
      return true;
  }
}

// The definition `name` names, with the error for a name that is too long or unknown.
const MacroDefinition* FindMacro(KestoScanner& scanner, const std::u32string& name) {
  if (name.size() > MacroTable::kMaxNameLength) {
    scanner.SetError(kScanMacroNameTooLong);
    return nullptr;
  }
  const MacroDefinition* macro = scanner.GetInput().GetMacros().Find(name);
  if (!macro) scanner.SetError(kScanNoSuchMacro);
  return macro;
}

void InvokeMacro(KestoScanner& scanner, int32_t) {
  scanner.GetTagName().Set(u"!");
  std::u32string name;
  if (!ReadMacroName(scanner, name)) return;
  const MacroDefinition* macro = FindMacro(scanner, name);
  MacroExpansion& expansion = scanner.GetMacroExpansion();
  if (macro) {
    if (int32_t result = expansion.Begin(macro->body)) scanner.SetError(result);
  }
  // A list of an unknown macro, or of a body with a malformed reference, is read and dropped.
  bool usable = macro && scanner.GetError() == 0;
  MacroArgumentList arguments(scanner, usable ? &expansion : nullptr);
  ListSyntax syntax;
  if (macro) syntax.separator = macro->separator;
  if (!scanner.Params().ReadList(arguments, syntax) || !usable) return;
  ScannerInput& input = scanner.GetInput();
  // What goes wrong now belongs to no argument.
  scanner.SetParamIndex(0);
  if (input.IsLayerActive(ScannerInput::Layer::kMacro)) {
    scanner.SetError(kScanNestedMacro);
    return;
  }
  std::u32string text = expansion.Finish();
  static_assert(sizeof(char32_t) == sizeof(int32_t));
  if (!input.StartLayer(ScannerInput::Layer::kMacro, reinterpret_cast<const int32_t*>(text.data()),
                        static_cast<int32_t>(text.size())))
    scanner.SetError(kScanMacroExpansionTooLong);
}

}  // namespace

void RegisterMacroTags(TagDispatchTable& table) {
  table.RegisterExtension('!', &DefineMacro);
  table.Register('!', &InvokeMacro);
}

}  // namespace kesto
