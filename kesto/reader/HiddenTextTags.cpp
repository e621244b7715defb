// The hidden-text tags: <&Cs> opens a range, <&Ce(…)> closes it with its settings, <&Cb(…)> gives settings
// to a previous box. The settings go to the agent as one record.
#include <array>
#include <string_view>

#include "kesto/reader/UnknownTagLetter.h"
#include "kesto/reader/KestoScanner.h"
#include "kesto/reader/NumberConversion.h"
#include "kesto/reader/ScannerErrors.h"
#include "kesto/reader/TagDispatcher.h"
#include "kesto/reader/VyHiddenTextSettings.h"

namespace kesto {
namespace {

using Settings = VyHiddenTextSettings;

// The letters of items 4 and 7 and the codes they stand for.
constexpr std::u16string_view kKindLetters = u"LGBFCUD";
constexpr std::u16string_view kModeLetters = u"MCFASLXW";
constexpr std::array<int32_t, 8> kModeCodes = {1, 2, 3, 4, 0, 5, 6, 7};

char16_t Upper(char16_t c) {
  return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c;
}

// Items 0–8 of a settings list; in <&Ce(…)> the list starts with item 1.
class SettingsList : public ListHandler {
 public:
  SettingsList(KestoScanner& scanner, int32_t firstItem)
      : scanner_(scanner), settings_(scanner.GetHiddenTextSettings()), firstItem_(firstItem) {}

  void Element(int32_t element, int32_t item) override {
    if (element == kBegin) {
      settings_.Clear();
      return;
    }
    if (element == kEnd || item != kNoItem) return;
    if (element == kSingle) return Fail(kScanMalformedTag);
    const std::u16string& text = scanner_.Params().GetText();
    switch (element + firstItem_) {
      case 0:
        return Number(box_, 0, 100);
      case 1:
        return Name(Settings::kFirstName, text);
      case 2:
        return Flags(text);
      case 3:
        return Name(Settings::kSecondName, text);
      case 4:
        return Letter(Settings::kKind, text, kKindLetters, nullptr);
      case 5:
        return Text(Settings::kFirstText, text);
      case 6: {
        int32_t number = 0;
        Number(number, 1, 32767);
        if (scanner_.GetError() == 0)
          settings_.SetNumber(Settings::kNumber, static_cast<uint32_t>(number), 2);
        return;
      }
      case 7:
        return Letter(Settings::kMode, text, kModeLetters, kModeCodes.data());
      case 8:
        return Text(Settings::kSecondText, text);
      default:
        return;
    }
  }
  int32_t GetBox() const { return box_; }

 private:
  void Fail(int32_t code) { scanner_.SetErrorIfNone(code); }
  void Number(int32_t& target, int32_t minimum, int32_t maximum) {
    if (int32_t result =
            scanner_.Params().ConvertInteger(target, kNumberPlain | kNumberChecked, minimum, maximum))
      Fail(result);
  }
  void Name(size_t offset, const std::u16string& text) {
    if (text.empty() && scanner_.Params().IsQuoted()) return Fail(kScanMalformedTag);
    if (text.size() > Settings::kMaxNameUnits) return Fail(kScanStringTooLong);
    settings_.SetText(offset, text);
  }
  void Text(size_t offset, const std::u16string& text) {
    if (text.size() > Settings::kMaxTextUnits) return Fail(kScanStringTooLong);
    settings_.SetText(offset, text);
  }
  void Flags(const std::u16string& text) {
    uint32_t flags = 0;
    for (char16_t c : text) {
      switch (Upper(c)) {
        case u'P':
          flags |= 1;
          break;
        case u'T':
          flags |= 2;
          break;
        case u'U':
          flags |= 6;
          break;
        default:
          return Fail(kScanMalformedTag);
      }
    }
    settings_.SetNumber(Settings::kFlags, flags, 4);
  }
  void Letter(size_t offset, const std::u16string& text, std::u16string_view letters, const int32_t* codes) {
    size_t index = text.size() == 1 ? letters.find(Upper(text[0])) : std::u16string_view::npos;
    if (index == std::u16string_view::npos) return Fail(kScanMalformedTag);
    int32_t code = codes ? codes[index] : static_cast<int32_t>(index);
    settings_.SetNumber(offset, static_cast<uint32_t>(code), 2);
  }

  KestoScanner& scanner_;
  Settings& settings_;
  int32_t firstItem_;
  int32_t box_ = 1;
};

void HiddenTextTag(KestoScanner& scanner, int32_t) {
  int32_t c = scanner.NextChar();
  switch (c) {
    case 's':
      scanner.GetTagName().Set(u"&Cs");
      if (scanner.IsHiddenTextOpen()) {
        scanner.SetError(kScanHiddenTextMismatch);
        return;
      }
      scanner.SetHiddenTextOpen(true);
      scanner.SetToken(ScanToken::kTextAnchorStart);
      return;
    case 'e': {
      scanner.GetTagName().Set(u"&Ce");
      bool open = scanner.IsHiddenTextOpen();
      scanner.SetHiddenTextOpen(false);
      // An end without a start still has its list read, so that the list is not taken for tags.
      SettingsList list(scanner, 1);
      bool read = scanner.Params().ReadList(list);
      if (!open) {
        scanner.SetParamIndex(0);
        scanner.SetError(kScanHiddenTextMismatch);
      }
      if (!read || !open) return;
      scanner.SetAnchorId(-1);
      scanner.SetToken(ScanToken::kAnchorSpec);
      return;
    }
    case 'b': {
      scanner.GetTagName().Set(u"&Cb");
      SettingsList list(scanner, 0);
      if (!scanner.Params().ReadList(list)) return;
      scanner.SetAnchorId(list.GetBox());
      scanner.SetToken(ScanToken::kAnchorSpec);
      return;
    }
    default:
      ReportUnknownTagLetter(scanner, u"&C", c);
  }
}

}  // namespace

void RegisterHiddenTextTags(TagDispatchTable& table) {
  table.RegisterExtension('C', &HiddenTextTag);
}

}  // namespace kesto
