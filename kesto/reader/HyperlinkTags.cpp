// The hyperlink tags: <&Ys> starts a text source, <&Ye(…)> ends it with a hyperlink, <&Yx(…)> makes one
// from the start (or the insertion point), <&Yb(n, …)> makes box n a source; <&Ya"name">, <&Yp"name"> and
// <w"name"> make a named text anchor at the insertion point.
#include "kesto/reader/KestoScanner.h"
#include "kesto/reader/NumberConversion.h"
#include "kesto/reader/ScannerErrors.h"
#include "kesto/reader/TagDispatcher.h"
#include "kesto/reader/UnknownTagLetter.h"
#include "kesto/reader/VyHyperlinkInfo.h"

namespace kesto {
namespace {

constexpr int32_t kMaxBoxNumber = 100;
constexpr int32_t kMaxPageNumber = 32767;

// The list of <&Ye>, <&Yx> and <&Yb>: for <&Yb> the box number first; then the destination's name, what
// it is, and (not for <&Yb>) the text source's character style.
class HyperlinkList : public ListHandler {
 public:
  HyperlinkList(KestoScanner& scanner, char16_t form) : scanner_(scanner), form_(form) {
    scanner.GetHyperlink().Reset();
  }
  void Element(int32_t element, int32_t item) override {
    if (element == kBegin || element == kEnd || item > 0) return;
    if (element == kSingle) return Fail(kScanMalformedTag);
    if (form_ == u'b' && element == 0) return BoxNumber();
    int32_t meaning = form_ == u'b' ? element : element + 1;
    VyHyperlinkInfo& info = scanner_.GetHyperlink();
    const std::u16string& text = scanner_.Params().GetText();
    if (meaning == 1) {
      if (!scanner_.Params().IsQuoted()) return Fail(kScanMalformedTag);
      info.destinationName = WideString(text);
    } else if (meaning == 2) {
      Target(info, text);
    } else if (meaning == 3 && form_ != u'b') {
      if (text.empty() && form_ == u'x') return Fail(kScanMalformedTag);
      info.characterStyle = WideString(text);
      styleSeen_ = true;
    }
  }
  int32_t box_ = 1;
  bool styleSeen_ = false;

 private:
  void Fail(int32_t code) { scanner_.SetErrorIfNone(code); }
  void BoxNumber() {
    double value = box_;
    int32_t result = scanner_.Params().ConvertNumber(value, kNumberPlain | kNumberChecked, 0, kMaxBoxNumber);
    if (result != 0) return Fail(result);
    box_ = static_cast<int32_t>(value);
  }
  // A page number, "#name" (a text anchor), or an address; <&Yx> names only text anchors.
  void Target(VyHyperlinkInfo& info, const std::u16string& text) {
    std::u16string_view name = text;
    bool hash = !name.empty() && name[0] == u'#';
    if (hash) name.remove_prefix(1);
    if (form_ == u'x') {
      info.anchorName = WideString(name);
    } else if (!scanner_.Params().IsQuoted()) {
      double page = 0;
      int32_t result = scanner_.Params().ConvertNumber(page, kNumberPlain, 0, kMaxPageNumber);
      if (result != 0) return Fail(kScanMalformedTag);
      info.page = static_cast<int32_t>(page) - 1;
    } else if (hash) {
      info.anchorName = WideString(name);
    } else {
      info.url = WideString(name);
    }
  }

  KestoScanner& scanner_;
  char16_t form_;
};

void ReadHyperlink(KestoScanner& scanner, char16_t form) {
  HyperlinkList list(scanner, form);
  if (!scanner.Params().ReadList(list) || scanner.GetError() != 0) return;
  if (form == u'x' && !list.styleSeen_) return scanner.SetError(kScanMalformedTag);
  scanner.SetAnchorId(form == u'b' ? list.box_ : -1);
  scanner.SetToken(form == u'b' ? ScanToken::kHyperlinkEndToBox : ScanToken::kHyperlinkEnd);
}

// A named anchor: "$" makes none.
void ReadDestination(KestoScanner& scanner, bool page) {
  int32_t result = scanner.Params().ReadString();
  if (result == TagParameterReader::kDefault) return;
  if (result != 0) return scanner.SetError(kScanMalformedTag);
  VyLinkDestination& destination = scanner.GetLinkDestination();
  destination.name = WideString(scanner.Params().GetText());
  destination.page = page;
  scanner.SetToken(ScanToken::kLinkDestination);
}

void HyperlinkTag(KestoScanner& scanner, int32_t) {
  int32_t c = scanner.NextChar();
  switch (c) {
    case 's':
      scanner.GetTagName().Set(u"&Ys");
      if (scanner.IsHyperlinkOpen()) return scanner.SetError(kScanHyperlinkMismatch);
      scanner.SetHyperlinkOpen(true);
      return scanner.SetToken(ScanToken::kHyperlinkStart);
    case 'e': {
      scanner.GetTagName().Set(u"&Ye");
      bool open = scanner.IsHyperlinkOpen();
      scanner.SetHyperlinkOpen(false);
      // The list is read either way, so that it is not taken for text.
      ReadHyperlink(scanner, u'e');
      if (!open && scanner.GetError() == 0) {
        // The tag, not an element, is wrong.
        scanner.SetToken(ScanToken::kNone);
        scanner.SetParamIndex(0);
        scanner.SetError(kScanHyperlinkMismatch);
      }
      return;
    }
    case 'x':
      scanner.GetTagName().Set(u"&Yx");
      scanner.SetHyperlinkOpen(false);
      return ReadHyperlink(scanner, u'x');
    case 'b':
      scanner.GetTagName().Set(u"&Yb");
      return ReadHyperlink(scanner, u'b');
    case 'a':
    case 'p':
      scanner.GetTagName().Set(c == 'a' ? u"&Ya" : u"&Yp");
      return ReadDestination(scanner, c == 'p');
    default:
      ReportUnknownTagLetter(scanner, u"&Y", c);
  }
}

void AnchorTag(KestoScanner& scanner, int32_t) {
  scanner.GetTagName().Set(u"w");
  ReadDestination(scanner, false);
}

}  // namespace

void RegisterHyperlinkTags(TagDispatchTable& table) {
  table.RegisterExtension('Y', &HyperlinkTag);
  table.Register('w', &AnchorTag);
}

}  // namespace kesto
