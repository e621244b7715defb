// The translation tags: <&tt"file">, <&tt2"file">, <&ttw"file"> and <&tt2w"file"> replace the table with
// the one of a file (the "w" forms say nothing when there is none; the "2" forms read backslash escapes in
// sources), <&tte(source, target…)> and <&tt2e(…)> add one translation. Either way the table applies from
// the character after the tag.
#include "kesto/reader/CodePoints.h"
#include "kesto/reader/UnknownTagLetter.h"
#include "kesto/reader/KestoScanner.h"
#include "kesto/reader/ScannerErrors.h"
#include "kesto/reader/TagDispatcher.h"
#include "kesto/reader/TranslationFile.h"
#include "kesto/streams/VyTextStream.h"

namespace kesto {
namespace {

// Files that are not UTF-8 after all are read in the 8-bit encoding of the text being imported.
StreamEncoding FallbackEncoding(const KestoScanner& scanner) {
  VyTextStream* source = scanner.GetSource();
  return source && source->GetEncoding() == StreamEncoding::kMacRoman ? StreamEncoding::kMacRoman
                                                                      : StreamEncoding::kWindowsLatin;
}

void LoadTable(KestoScanner& scanner, bool escapes, bool silent) {
  int32_t result = scanner.Params().ReadString();
  if (result > 0) {
    scanner.SetError(result);
    return;
  }
  std::u16string name = result == TagParameterReader::kDefault ? u"" : scanner.Params().GetText();
  TranslationTable& table = scanner.GetInput().GetTranslations();
  table.Clear();
  std::filesystem::path path;
  int32_t found = FindTranslationFile(scanner.GetAgent(), name, path);
  int32_t read = found == 0 ? ReadTranslationFile(path, FallbackEncoding(scanner), escapes, table) : found;
  if (read < 0) {
    table.Clear();
    if (silent) return;
    table.SetFileError(read);
    scanner.SetError(kScanTranslationFileNotFound);
    return;
  }
  if (read > 0) scanner.SetError(read);
  scanner.GetInput().OfferAgainForTranslation();
}

// Element 0 is the source; the elements after it are joined into the target.
class TranslationEntryList : public ListHandler {
 public:
  TranslationEntryList(KestoScanner& scanner, bool escapes) : scanner_(scanner), escapes_(escapes) {}

  void Element(int32_t element, int32_t item) override {
    if (element == kEnd) return Store();
    if (element == kBegin || item != kNoItem || failed_) return;
    if (element == kSingle) return Fail(kScanMalformedTag);
    std::u32string text = CodePointsOf(scanner_.Params().GetText());
    if (element == 0) {
      source_ = escapes_ ? UnescapeTranslationSource(text) : std::move(text);
      if (source_.size() > TranslationTable::kMaxSourceLength) Fail(kScanTranslationSourceTooLong);
      return;
    }
    if (target_.size() + text.size() > TranslationTable::kMaxTargetLength)
      return Fail(kScanTranslationTargetTooLong);
    target_ += text;
  }

 private:
  void Fail(int32_t code) {
    scanner_.SetErrorIfNone(code);
    failed_ = true;
  }
  void Store() {
    if (failed_ || scanner_.GetError() != 0 || source_.empty()) return;
    if (int32_t result = scanner_.GetInput().GetTranslations().Add(source_, target_)) return Fail(result);
    scanner_.GetInput().OfferAgainForTranslation();
  }

  KestoScanner& scanner_;
  bool escapes_;
  bool failed_ = false;
  std::u32string source_;
  std::u32string target_;
};

void TranslationTag(KestoScanner& scanner, int32_t) {
  int32_t c = scanner.NextChar();
  if (c != 't') return ReportUnknownTagLetter(scanner, u"&t", c);
  scanner.GetTagName().Set(u"&tt");
  c = scanner.NextChar();
  bool escapes = c == '2';
  if (escapes) c = scanner.NextChar();
  if (c == 'e') {
    scanner.GetTagName().Set(u"&tte");
    TranslationEntryList list(scanner, escapes);
    scanner.Params().ReadList(list);
    return;
  }
  if (c != 'w' && c != ScannerInput::kEnd) scanner.PushBack();
  LoadTable(scanner, escapes, c == 'w');
}

}  // namespace

void RegisterTranslationTags(TagDispatchTable& table) {
  table.RegisterExtension('t', &TranslationTag);
}

}  // namespace kesto
