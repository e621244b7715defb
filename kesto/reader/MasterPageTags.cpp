// The master-page tags <&m…>, <&mp…>, <&mf…>, <&mpf…> (and the same after "^"): a master named by its
// number (from 1), its prefix or full name, or "$" for the first, resolved against the document before the
// token goes to the agent with the "p" (this page only) and "f" (only when the page or spread changed)
// flags.
#include <string>

#include "kesto/layout/VyDocument.h"
#include "kesto/reader/KestoScanner.h"
#include "kesto/reader/NumberConversion.h"
#include "kesto/reader/ScannerErrors.h"
#include "kesto/reader/TagDispatcher.h"
#include "kesto/reader/UnknownTagLetter.h"

namespace kesto {
namespace {

bool IsDigit(int32_t c) {
  return c >= '0' && c <= '9';
}

// A one-character parameter that is a digit may go on with more digits.
void ReadRestOfNumber(KestoScanner& scanner, std::u16string& text) {
  for (int32_t c = scanner.NextChar();; c = scanner.NextChar()) {
    if (!IsDigit(c)) {
      if (c != ScannerInput::kEnd) scanner.PushBack();
      return;
    }
    if (text.size() < 10) text += static_cast<char16_t>(c);
  }
}

// The master index the parameter names; -1 when the document has no such master.
int32_t ResolveMaster(IDataBase* db, const std::u16string& text, bool isDefault) {
  VyRef<VyDocument> document = VyDocument::Make(db);
  if (!document) return -1;
  int32_t count = document->MasterCount();
  int32_t index = -1;
  if (isDefault) {
    index = 0;
  } else if (!text.empty() && IsDigit(text[0]) && text.size() <= 9 &&
             text.find_first_not_of(u"0123456789") == std::u16string::npos) {
    index = std::stoi(std::string(text.begin(), text.end())) - 1;
  } else {
    index = document->FindMaster(WideString(text));
  }
  return index >= 0 && index < count ? index : -1;
}

void ReadMasterTag(KestoScanner& scanner, std::u16string_view prefix) {
  std::u16string name(prefix);
  name += u'm';
  int32_t c = scanner.NextChar();
  bool pageOnly = false, onlyOnChange = false;
  if (c == 'p') {
    pageOnly = true;
    name += u'p';
    c = scanner.NextChar();
  }
  if (c == 'f') {
    onlyOnChange = true;
    name += u'f';
    c = scanner.NextChar();
  }
  if (c != ScannerInput::kEnd) scanner.PushBack();
  scanner.GetTagName().Set(name);
  int32_t result = scanner.Params().ReadString();
  if (result != 0 && result != TagParameterReader::kDefault) return scanner.SetError(result);
  std::u16string text = scanner.Params().GetText();
  bool isDefault = result == TagParameterReader::kDefault;
  if (!isDefault && !scanner.Params().IsQuoted() && text.size() == 1 && IsDigit(text[0]))
    ReadRestOfNumber(scanner, text);
  int32_t index = ResolveMaster(scanner.GetDocument(), text, isDefault);
  if (index < 0) return scanner.SetError(kScanNoSuchMasterPage);
  scanner.SetMasterPage(index, pageOnly, onlyOnChange);
  scanner.SetToken(ScanToken::kMasterPage);
}

void AmpersandMasterTag(KestoScanner& scanner, int32_t) {
  ReadMasterTag(scanner, u"&");
}

// "^" names the master-page tags with "m"; any other letter names no tag.
void CaretTag(KestoScanner& scanner, int32_t) {
  int32_t c = scanner.NextChar();
  if (c == 'm') return ReadMasterTag(scanner, u"^");
  ReportUnknownTagLetter(scanner, u"^", c);
}

}  // namespace

void RegisterMasterPageTags(TagDispatchTable& table) {
  table.RegisterExtension('m', &AmpersandMasterTag);
  table.Register('^', &CaretTag);
}

}  // namespace kesto
