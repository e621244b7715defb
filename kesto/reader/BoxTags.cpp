// The box tags: <&tb…>, <&pb…>, <&nb…> with their placed ("u") and long ("2") forms and <&lb…>, <&lbu…>,
// each filling the description record of its kind and the placement from a list whose elements have
// fixed meanings; <&te> ends a text box, <&g(…)> groups recent boxes and <&o(…)> sets the origin offset of
// page-relative boxes.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

#include "host/layout/Geometry.h"
#include "host/res/LineEndStyles.h"
#include "kesto/model/VyStrokeTypeDesc.h"
#include "kesto/reader/BoxTagState.h"
#include "kesto/reader/ColorNames.h"
#include "kesto/reader/KestoScanner.h"
#include "kesto/reader/NumberConversion.h"
#include "kesto/reader/ScannerErrors.h"
#include "kesto/reader/TagDispatcher.h"
#include "kesto/reader/UnknownTagLetter.h"

namespace kesto {
namespace {

constexpr double kMax = kMaxCoordinate;
constexpr int32_t kMaxGroupElements = 100;

char16_t Upper(char16_t c) {
  return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c;
}

// The canonical elements each form reads, in order; the kind's own elements follow.
std::vector<int32_t> FormElements(TagBoxKind kind, bool placed, bool longForm) {
  if (kind == TagBoxKind::kLine)
    return placed ? std::vector<int32_t>{0, 1, 2, 3, 6, 8, 9, 10, 11, 12, 15, 16, 17, 18, 19}
                  : std::vector<int32_t>{2, 3, 6, 7, 9, 10, 11, 12, 15, 16, 17, 19};
  std::vector<int32_t> order;
  if (placed && longForm) order = {0, 1, 2, 3, 4, 5, 6};
  if (placed && !longForm) order = {0, 1, 2, 3, 8};
  if (!placed && longForm) order = {2, 3, 4, 5, 6, 7};
  if (!placed && !longForm) order = {2, 3, 7};
  if (placed && longForm) order.push_back(8);
  for (int32_t e = 9; e <= 15; ++e)
    order.push_back(e);
  int32_t last = kind == TagBoxKind::kText ? 25 : kind == TagBoxKind::kPicture ? 27 : 18;
  int32_t layer = kind == TagBoxKind::kText ? 24 : kind == TagBoxKind::kPicture ? 26 : 17;
  for (int32_t e = 16; e <= last; ++e)
    if (placed || e != layer) order.push_back(e);
  return order;
}

class BoxList : public ListHandler {
 public:
  BoxList(KestoScanner& scanner, TagBoxKind kind, bool placed, bool longForm)
      : scanner_(scanner),
        state_(scanner.GetBoxTag()),
        record_(state_.Record()),
        p_(state_.placement),
        kind_(kind),
        order_(FormElements(kind, placed, longForm)) {}

  void Element(int32_t element, int32_t item) override {
    if (element == kBegin || element == kEnd) return;
    if (element == kSingle) element = 0;
    if (element < 0 || element >= static_cast<int32_t>(order_.size())) return;
    canonical_ = order_[element];
    Value(item == kNoItem ? 0 : item);
  }

  bool polar_ = false;

 private:
  const std::u16string& Text() const { return scanner_.Params().GetText(); }
  void Fail(int32_t code) { scanner_.SetErrorIfNone(code); }
  bool Number(double& target, uint32_t flags, double minimum, double maximum) {
    double value = target;
    int32_t result = scanner_.Params().ConvertNumber(value, flags, minimum, maximum);
    if (result != 0) {
      Fail(result);
      return false;
    }
    target = value;
    return true;
  }
  bool Integer(int32_t& target, int32_t minimum, int32_t maximum) {
    double value = target;
    if (!Number(value, kNumberPlain | kNumberChecked, minimum, maximum)) return false;
    target = static_cast<int32_t>(value);
    return true;
  }
  // The letter of a one-letter value within `letters`, as its position; -1 (error 1) otherwise.
  int32_t Letter(std::u16string_view letters) {
    const std::u16string& text = Text();
    size_t at = text.size() == 1 ? letters.find(Upper(text[0])) : std::u16string_view::npos;
    if (at == std::u16string_view::npos) {
      Fail(kScanMalformedTag);
      return -1;
    }
    return static_cast<int32_t>(at);
  }
  bool IsText() const { return kind_ == TagBoxKind::kText; }
  double MinimumSize() const { return IsText() ? 0 : 0.25; }

  void Value(int32_t item) {
    switch (canonical_) {
      case 0:
        return Position(item, true);
      case 1:
        return Position(item, false);
      case 2:
        return Size(item, true);
      case 3:
        return Size(item, false);
      case 4:
        if (item == 0) Number(record_.rotation, 0, -360, 360);
        return;
      case 5:
        if (item == 0) Number(record_.skew, 0, -75, 75);
        return;
      case 6:
        if (item == 0) Flags();
        return;
      case 7:
        return Anchor(item);
      case 8:
        return Wrap(item);
      case 9:
        return Frame(item);
      case 11:
        if (item <= 1) Number(item == 0 ? record_.strokeTint : record_.gapTint, kNumberPercentage, 0, 1);
        return;
      case 14:
        if (item == 0) Number(record_.fillTint, kNumberPercentage, 0, 1);
        return;
      case 15:
        return WrapOffsets(item);
      case 10:
        if (item <= 1) Color(item == 0 ? record_.strokeColor : record_.gapColor);
        return;
      case 12:
        if (item == 0) FrameStyle();
        return;
      case 13:
        if (item == 0) Color(record_.fillColor);
        return;
      default:
        return KindElement(item);
    }
  }

  // Element 0 or 1: a page position, a corner of a recent box ("12TR3"), the spread ("12B"), or the
  // sub-list (value, corner, reference, scope).
  void Position(int32_t item, bool x) {
    PMRect& b = record_.bounds;
    if (item == 0) {
      std::u16string text = Text();
      if (x && text.size() > 3 && IsCornerSuffix(text.substr(text.size() - 3))) {
        std::u16string suffix = text.substr(text.size() - 3);
        p_.origin = BoxOrigin::kBox;
        p_.referenceCorner = (Upper(suffix[0]) == u'B' ? 1 : 0) + (Upper(suffix[1]) == u'R' ? 2 : 0);
        p_.referenceIndex = suffix[2] - u'0';
        text.resize(text.size() - 3);
      } else if (x && !text.empty() && Upper(text.back()) == u'B') {
        p_.origin = BoxOrigin::kSpread;
        text.pop_back();
      } else if (p_.origin == BoxOrigin::kTextPosition) {
        p_.origin = BoxOrigin::kPage;
      }
      double value = 0;
      if (ConvertNumber(text, value, 0, -kMax, kMax) != 0) return Fail(kScanMalformedNumber);
      if (p_.origin == BoxOrigin::kBox) {
        (x ? p_.offsetX : p_.offsetY) = value;
        return;
      }
      if (x) {
        b.right = value + b.Width();
        b.left = value;
      } else {
        b.bottom = value + b.Height();
        b.top = value;
      }
      return;
    }
    if (!x) return;
    if (item == 1) {
      std::u16string text = Text();
      for (char16_t& c : text)
        c = Upper(c);
      if (text == u"P" || text == u"B") {
        p_.origin = BoxOrigin::kSpread;
        return;
      }
      static constexpr std::u16string_view kCorners[] = {u"TL", u"BL", u"TR", u"BR"};
      auto found = std::find(std::begin(kCorners), std::end(kCorners), text);
      if (found == std::end(kCorners)) return Fail(kScanMalformedTag);
      p_.referenceCorner = static_cast<int32_t>(found - std::begin(kCorners));
      ToBoxOrigin();
    } else if (item == 2) {
      if (scanner_.Params().IsQuoted()) {
        p_.referenceName = WideString(Text());
      } else if (!Integer(p_.referenceIndex, 0, 100)) {
        return;
      }
      ToBoxOrigin();
    } else if (item == 3) {
      int32_t scope = Letter(u"SPD");
      if (scope >= 0) p_.referenceScope = scope;
    }
  }
  static bool IsCornerSuffix(std::u16string_view s) {
    return (Upper(s[0]) == u'T' || Upper(s[0]) == u'B') && (Upper(s[1]) == u'L' || Upper(s[1]) == u'R') &&
           s[2] >= u'0' && s[2] <= u'9';
  }
  // The x read so far becomes the offset from the reference box.
  void ToBoxOrigin() {
    if (p_.origin == BoxOrigin::kBox) return;
    p_.origin = BoxOrigin::kBox;
    p_.offsetX = record_.bounds.left;
    record_.bounds.right -= record_.bounds.left;
    record_.bounds.left = 0;
  }

  // Element 2 or 3: the size, "W?L" / "W!L" with a fit, or the sub-list (size, letters, limit, delta,
  // paragraph delta).
  void Size(int32_t item, bool width) {
    PMRect& b = record_.bounds;
    bool line = kind_ == TagBoxKind::kLine;
    if (item == 0) {
      std::u16string text = Text();
      size_t mark = text.find_first_of(u"?!");
      if (mark != std::u16string::npos) {
        (width ? (text[mark] == u'?' ? p_.fitWidth : p_.fitWidthAlternate)
               : (text[mark] == u'?' ? p_.fitHeight : p_.fitHeightAlternate)) = true;
        double limit = 0;
        if (ConvertNumber(text.substr(mark + 1), limit, 0, IsText() ? 0 : -kMax, kMax) != 0)
          return Fail(kScanMalformedNumber);
        (width ? p_.widthLimit : p_.heightLimit) = limit;
        text.resize(mark);
      }
      double value = 0;
      double minimum = line ? -kMax : MinimumSize();
      if (ConvertNumber(text, value, 0, minimum, kMax) != 0) return Fail(kScanMalformedNumber);
      if (line)
        (width ? b.right : b.bottom) = value;
      else
        (width ? b.right : b.bottom) = (width ? b.left : b.top) + value;
      return;
    }
    if (item == 1) return SizeLetters(width);
    if (item == 2) Number(width ? p_.widthLimit : p_.heightLimit, 0, -kMax, kMax);
    if (item == 3) Number(width ? p_.widthDelta : p_.heightDelta, 0, -kMax, kMax);
    if (item == 4 && !width) {
      if (!p_.leadingFromBox && !p_.spaceBeforeFromBox) return Fail(kScanMalformedTag);
      Number(p_.leadingFromBox ? p_.leadingDelta : p_.spaceBeforeDelta, 0, -kMax, kMax);
    }
  }
  void SizeLetters(bool width) {
    for (char16_t c : Text()) {
      switch (Upper(c)) {
        case u'S':
        case u'?':
          (width ? p_.fitWidth : p_.fitHeight) = true;
          (width ? p_.columnWidth : p_.columnHeight) = false;
          break;
        case u'F':
          (width ? p_.fitWidthAlternate : p_.fitHeightAlternate) = true;
          break;
        case u'C':
          if (p_.origin != BoxOrigin::kTextPosition) break;
          (width ? p_.columnWidth : p_.columnHeight) = true;
          (width ? p_.fitWidth : p_.fitHeight) = false;
          (width ? p_.widthFromReference : p_.heightFromReference) = false;
          break;
        case u'R':
          (width ? p_.widthFromReference : p_.heightFromReference) = true;
          (width ? p_.fitWidth : p_.fitHeight) = false;
          (width ? p_.columnWidth : p_.columnHeight) = false;
          break;
        case u'L':
          if (width) return Fail(kScanMalformedTag);
          p_.leadingFromBox = true;
          p_.spaceBeforeFromBox = false;
          break;
        case u'B':
          if (width) return Fail(kScanMalformedTag);
          p_.spaceBeforeFromBox = true;
          p_.leadingFromBox = false;
          break;
        default:
          return Fail(kScanMalformedTag);
      }
    }
  }

  void Flags() {
    for (char16_t c : Text()) {
      switch (Upper(c)) {
        case u'B':
          record_.overprintFill = 1;
          break;
        case u'H':
          record_.flipHorizontal = 1;
          break;
        case u'V':
          record_.flipVertical = 1;
          break;
        case u'K':
          p_.sendToBack = true;
          break;
        case u'U':
          p_.stackWithReference = true;
          break;
        case u'L':
          p_.itemState = true;
          break;
        case u'T':
          p_.thread = true;
          break;
        case u'P':
          if (kind_ == TagBoxKind::kPicture) state_.picture.placement = true;
          break;
        case u'R':
          if (kind_ == TagBoxKind::kLine) polar_ = true;
          break;
        case u'O':
          break;
        default:
          return Fail(kScanMalformedTag);
      }
    }
  }

  // Element 7: the position letter, then the items the position reads.
  void Anchor(int32_t item) {
    AnchorSettings& a = p_.anchor;
    if (item == 0) {
      int32_t letter = Letter(u"ABCO");
      if (letter < 0) return;
      a.enums[0] = letter <= 1 ? 0 : letter - 1;
      a.extra = letter == 0;
      return;
    }
    if (item == 1 && a.enums[0] == 0 && !a.extra) {
      Number(a.distances[1], 0, -792, 828);
    } else if (item == 1) {
      for (char16_t c : Text()) {
        if (Upper(c) == u'P') a.switches[1] = 1;
        if (Upper(c) == u'S') a.switches[0] = 1;
      }
    } else if (item == 2 && a.enums[0] == 2) {
      int32_t side = Letter(u"RCLE");
      if (side >= 0) a.enums[3] = side;
    } else if (item == 2 && a.enums[0] == 1) {
      TwoLetters(a.enums[1], a.enums[2]);
    } else if (item == 2) {
      Fail(kScanMalformedTag);
    } else if (item == 3 && a.enums[0] == 2) {
      Number(a.distances[2], 0, -10000, 10000);
    } else if (item == 3 && a.enums[0] == 1) {
      TwoLetters(a.enums[3], a.enums[4]);
    } else if (item == 4 && a.enums[0] == 2) {
      Number(a.distances[1], 0, -10000, 10000);
    } else if (item == 4 && a.enums[0] == 1) {
      FirstOf(u"CFMPA", a.enums[5]);
    } else if (item == 5 && a.enums[0] == 1) {
      Number(a.distances[0], 0, -10000, 10000);
    } else if (item == 6 && a.enums[0] == 1) {
      FirstOf(u"CFMPBXHALTIO", a.enums[6]);
    } else if (item == 7 && a.enums[0] == 1) {
      Number(a.distances[1], 0, -10000, 10000);
    }
  }
  void TwoLetters(int32_t& first, int32_t& second) {
    const std::u16string& text = Text();
    if (text.size() < 2) return;
    size_t a = std::u16string_view(u"RCLE").find(Upper(text[0]));
    size_t b = std::u16string_view(u"TVB").find(Upper(text[1]));
    if (a == std::u16string_view::npos || b == std::u16string_view::npos) return Fail(kScanMalformedTag);
    first = static_cast<int32_t>(a);
    second = static_cast<int32_t>(b);
  }
  void FirstOf(std::u16string_view letters, int32_t& target) {
    const std::u16string& text = Text();
    size_t at = text.empty() ? std::u16string_view::npos : letters.find(Upper(text[0]));
    if (at != std::u16string_view::npos) target = static_cast<int32_t>(at);
  }

  void Wrap(int32_t item) {
    VyTextWrap& w = record_.wrap;
    if (item == 0) {
      int32_t mode = Letter(kind_ == TagBoxKind::kPicture ? u"NIJXBFSWCEA" : u"NIJX");
      if (mode >= 0) w.mode = mode;
    } else if (item == 1) {
      for (char16_t c : Text()) {
        char16_t u = Upper(c);
        if (u == u'I' || u == u'U') w.invert = u == u'I';
        if (u == u'E' || u == u'S') w.insideEdges = u == u'E';
        if (u == u'B' || u == u'O') w.further = 0;
      }
    } else if (item == 2) {
      Integer(w.pathIndex, -1, 255);
    } else if (item == 3) {
      Number(w.distance, 0, 0, 288);
    } else if (item == 4) {
      Number(w.threshold, kNumberPlain, 0, 100);
    } else if (item == 5) {
      Number(w.tolerance, kNumberPercentage, 0, 1);
    } else if (item == 6) {
      int32_t side = Letter(u"BLRTAG");
      if (side >= 0) w.side = side;
    }
  }

  void WrapOffsets(int32_t item) {
    // One value for all sides; the sub-list is top, left, bottom, right.
    static constexpr int kSide[] = {1, 0, 3, 2};
    double value = 0;
    if (item > 3 || !Number(value, 0, -288, 288)) return;
    if (item == 0 && !sublistSeen_[15]) record_.wrap.offsets = {value, value, value, value};
    record_.wrap.offsets[static_cast<size_t>(kSide[item])] = value;
  }

  void Frame(int32_t item) {
    bool line = kind_ == TagBoxKind::kLine;
    if (item == 0) {
      Number(record_.strokeWeight, 0, 0, 504);
    } else if (item == 1 && line) {
      int32_t cap = Letter(u"BRS");
      if (cap >= 0) record_.endCap = cap;
    } else if (item == 1) {
      if (Text().size() == 1 && Upper(Text()[0]) == u'O') {
        record_.shape = kShapeOval;
        return;
      }
      double radius = 0;
      if (!Number(radius, 0, 0, 288)) return;
      if (radius != 0) {
        record_.shape = kShapeCornerFirst;
        record_.cornerRadius = radius;
      }
    } else if (item == 2) {
      int32_t letter = Letter(u"VCSTIO");
      if (letter >= 0 && letter < 3) record_.shape = kShapeCornerFirst + letter;
      if (letter >= 3) record_.strokeAlignment = letter - 3;
    } else if (item == 3) {
      bool corner = record_.shape >= kShapeCornerFirst && record_.shape <= kShapeCornerLast;
      int32_t letter = corner ? Letter(u"TIO") : -1;
      if (!corner) Fail(kScanMalformedTag);
      if (letter >= 0) record_.strokeAlignment = letter;
    } else {
      Fail(kScanMalformedTag);
    }
  }

  // A colour name of the document or the language, or "N" for none; error 5 for a name that is neither.
  void Color(VyColorDesc& target) {
    IDataBase* document = scanner_.GetDocument();
    VyColorDesc spec;
    spec.document = document;
    if (scanner_.Params().IsSingleLetter(u'N', true)) {
      spec.kind = VyColorDesc::kStandard;
      spec.standardCode = 0;
    } else if (!ColorSpecFromName(document, Text(), spec) || (document && !ResolveColor(spec).IsValid())) {
      return Fail(kScanNoSuchColor);
    }
    target = std::move(spec);
  }

  // A quoted stroke type (the language's names, then the document's stroke styles) or a number: 2..7 the
  // older line styles 5..10, other numbers solid. Error 8 for a name that is neither, and for 0 before
  // version 2.
  void FrameStyle() {
    VyStrokeTypeDesc type;
    if (scanner_.Params().IsQuoted()) {
      int32_t index = StrokeTypeIndexOfName(Text());
      type.kind = index >= 0 ? VyStrokeTypeDesc::kByIndex : VyStrokeTypeDesc::kByName;
      type.index = std::max(index, 0);
      if (index < 0) type.name = WideString(Text().substr(0, kMaxStrokeTypeNameLength));
      IDataBase* document = scanner_.GetDocument();
      if (index < 0 && document && !ResolveStrokeType(document, type).IsValid())
        return Fail(kScanNoSuchFrame);
    } else {
      int32_t number = 0;
      if (!Integer(number, 0, 10000)) return;
      if (number == 0 && scanner_.GetVersion() < 2) return Fail(kScanNoSuchFrame);
      type.kind = VyStrokeTypeDesc::kByIndex;
      type.index = number >= 2 && number <= 7 ? number + 3 : 0;
    }
    record_.strokeType = std::move(type);
  }

  // One of six names for both ends (the arrow is the host's curved line end), or a sub-list of the start
  // and the end, each "N", "NONE" or a host line-end style; error 10 otherwise.
  void LineEnds(int32_t item) {
    static constexpr std::u16string_view kNames[] = {u"plain",           u"right",          u"left",
                                                     u"right feathered", u"left feathered", u"double"};
    static constexpr bool kStartArrow[] = {false, false, true, false, true, true};
    static constexpr bool kEndArrow[] = {false, true, false, true, false, true};
    if (item > 1) return;
    if (!sublistSeen_[16]) {
      for (size_t i = 0; i < std::size(kNames); ++i) {
        if (!EqualIgnoringCase(Text(), kNames[i])) continue;
        record_.lineStart = {1, kStartArrow[i] ? WideString(u"Curved") : WideString()};
        record_.lineEnd = {1, kEndArrow[i] ? WideString(u"Curved") : WideString()};
        return;
      }
      return Fail(kScanValueOutOfRange);
    }
    VyLineEnd& end = item == 0 ? record_.lineStart : record_.lineEnd;
    if (EqualIgnoringCase(Text(), u"N") || EqualIgnoringCase(Text(), u"NONE")) {
      end = {1, WideString()};
    } else if (LineEndStyles::Find(Text())) {
      end = {1, WideString(Text())};
    } else {
      Fail(kScanValueOutOfRange);
    }
  }
  static bool EqualIgnoringCase(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char16_t x, char16_t y) { return Upper(x) == Upper(y); });
  }

  void KindElement(int32_t item) {
    switch (kind_) {
      case TagBoxKind::kText:
        return TextElement(item);
      case TagBoxKind::kPicture:
        return PictureElement(item);
      case TagBoxKind::kEmpty:
        return Common(canonical_ - 16, item);
      case TagBoxKind::kLine:
        if (canonical_ == 16) return LineEnds(item);
        return Common(canonical_ - 17, item);
    }
  }
  // Labels, layer name and object style, in that order from `index` 0.
  void Common(int32_t index, int32_t item) {
    if (index == 0) {
      if (item == 0 && !sublistSeen_[canonical_]) p_.label = WideString(Text());
      if (item >= 0 && sublistSeen_[canonical_]) Label(item);
    } else if (index == 1 && item == 0) {
      p_.layerName = WideString(Text());
    } else if (index == 2 && item == 0) {
      record_.objectStyle = WideString(Text());
    }
  }
  void Label(int32_t item) {
    if (item % 2 == 0)
      p_.labels.emplace_back(WideString(Text()), WideString());
    else if (!p_.labels.empty())
      p_.labels.back().second = WideString(Text());
  }

  void TextElement(int32_t item) {
    VyTextItemInfo& t = state_.text;
    switch (canonical_) {
      case 16:
        if (item == 0) Integer(t.columns, 1, 30);
        return;
      case 17:
        if (item == 0) Number(t.gutter, 0, 0, 288);
        return;
      case 18: {
        static constexpr int kSide[] = {1, 0, 3, 2};
        double value = 0;
        if (item > 3 || !Number(value, 0, 0, 288)) return;
        if (item == 0 && !sublistSeen_[18]) t.insets = {value, value, value, value};
        t.insets[static_cast<size_t>(kSide[item])] = value;
        return;
      }
      case 19:
        if (item == 0) Number(t.firstBaselineMinimum, 0, 0, 648);
        return;
      case 20:
        if (item == 0) {
          int32_t type = Letter(u"LSCAXF");
          if (type >= 0) t.firstBaselineType = type;
        }
        return;
      case 21:
        if (item == 0) {
          int32_t vj = Letter(u"TCBJ");
          if (vj >= 0) t.verticalJustification = vj;
        }
        return;
      case 22:
        if (item == 0) Number(t.paragraphSpacingLimit, 0, 0, 1080);
        return;
      default:
        return Common(canonical_ - 23, item);
    }
  }

  // A fitting option, or a sub-list of the frame's placement options: fitting, reference point, auto-fit.
  void Fitting(VyImageItemInfo& pic, int32_t item) {
    static constexpr std::u16string_view kPoints[] = {u"TL", u"TC", u"TR", u"CL", u"C",
                                                      u"CR", u"BL", u"BC", u"BR"};
    if (!sublistSeen_[16]) {
      int32_t fitting = item == 0 ? Letter(u"MCFAL") : -1;
      if (fitting >= 0) pic.fitting = fitting + 1;
    } else if (item == 0) {
      int32_t fitting = Letter(u"NFAL");
      if (fitting >= 0) pic.placementFitting = fitting;
    } else if (item == 1) {
      for (size_t i = 0; i < std::size(kPoints); ++i)
        if (EqualIgnoringCase(Text(), kPoints[i])) pic.fitAnchor = static_cast<int32_t>(i);
      if (pic.fitAnchor == kUnsetCount) Fail(kScanMalformedTag);
    } else if (item == 2) {
      int32_t autoFit = Letter(u"MA");
      if (autoFit >= 0) pic.autoFit = static_cast<int8_t>(autoFit);
    }
  }

  void PictureElement(int32_t item) {
    VyImageItemInfo& pic = state_.picture;
    switch (canonical_) {
      case 16:
        return Fitting(pic, item);
      case 17:
      case 18:
        if (item == 0) Number(canonical_ == 17 ? pic.scaleX : pic.scaleY, kNumberPercentage, 0.001, 10);
        return;
      case 19:
      case 20:
        if (item == 0) Number(canonical_ == 19 ? pic.offsetX : pic.offsetY, 0, -kMax, kMax);
        return;
      case 21:
        if (item == 0) Number(pic.pictureRotation, 0, -360, 360);
        return;
      case 22:
        if (item == 0) Number(pic.pictureSkew, 0, -75, 75);
        return;
      case 23:
        if (item == 0) {
          if (!scanner_.Params().IsQuoted()) return Fail(kScanMalformedTag);
          pic.reference = WideString(Text());
        } else if (item == 1) {
          Integer(pic.page, 1, 2147483647);
        } else if (item == 2) {
          int32_t crop = 1;
          if (Integer(crop, 0, 4)) pic.cropKind = crop;
        }
        return;
      case 24:
        if (item == 0) {
          if (Text().size() > 15) return Fail(kScanMalformedTag);
          pic.fileTypeHint = WideString(Text());
        }
        return;
      default:
        return Common(canonical_ - 25, item);
    }
  }

 public:
  // Elements written as sub-lists, so that item 0 is not taken for a value of all sides.
  std::array<bool, 28> sublistSeen_{};

 private:
  KestoScanner& scanner_;
  BoxTagState& state_;
  VyPageItemInfo& record_;
  BoxPlacement& p_;
  TagBoxKind kind_;
  std::vector<int32_t> order_;
  int32_t canonical_ = 0;
};

// A list handler in front of BoxList that notes which elements are sub-lists before their items arrive.
class SublistNoting : public ListHandler {
 public:
  SublistNoting(BoxList& list, std::vector<int32_t> order) : list_(list), order_(std::move(order)) {}
  void Element(int32_t element, int32_t item) override {
    if (item >= 0 && element >= 0 && element < static_cast<int32_t>(order_.size()))
      list_.sublistSeen_[static_cast<size_t>(order_[element])] = true;
    list_.Element(element, item);
  }

 private:
  BoxList& list_;
  // Owned: the form's element order is computed per tag and must outlive the list reading.
  std::vector<int32_t> order_;
};

// The record and placement as every box tag begins: a 72-point square at (0, 0).
void BeginBox(BoxTagState& state, TagBoxKind kind, bool placed) {
  state.kind = kind;
  state.placement = BoxPlacement();
  state.placement.anchored = !placed;
  VyPageItemInfo& record = state.Record();
  record.Reset();
  record.kind = kind == TagBoxKind::kText ? kBoxText : kind == TagBoxKind::kPicture ? kBoxPicture : kBoxEmpty;
  record.shape = kind == TagBoxKind::kLine ? kShapeLine : kShapeRectangle;
  record.bounds = {0, 0, 72, 72};
}

// Sizes that leave a text box no room for text, or a box thinner than a quarter point: error 10.
bool SizesFit(BoxTagState& state) {
  const BoxPlacement& p = state.placement;
  const PMRect& b = state.Record().bounds;
  if (state.kind == TagBoxKind::kLine) return true;
  if (state.kind != TagBoxKind::kText)
    return (p.widthFromReference || b.Width() >= 0.25) && (p.heightFromReference || b.Height() >= 0.25);
  const VyTextItemInfo& t = state.text;
  auto set = [](double v) { return IsSet(v) ? v : 0.0; };
  double frame = IsSet(t.strokeWeight) ? 2 * t.strokeWeight : 0;
  int32_t columns = t.columns == kUnsetCount ? 1 : t.columns;
  double width = b.Width() - set(t.insets[0]) - set(t.insets[2]) - frame - (columns - 1) * set(t.gutter);
  double height = b.Height() - set(t.insets[1]) - set(t.insets[3]) - frame;
  return (p.widthFromReference || width >= 2) && (p.heightFromReference || height >= 2);
}

// What a box without an object style looks like where its tag says nothing: white fill, a black solid
// stroke of no weight, wrap around its bounding box (lines none), inline at the baseline when anchored.
void CompleteLook(BoxTagState& state, bool shortAnchored) {
  VyPageItemInfo& r = state.Record();
  if (!r.objectStyle.empty()) return;
  bool offsets = std::any_of(r.wrap.offsets.begin(), r.wrap.offsets.end(), [](double v) { return IsSet(v); });
  bool line = state.kind == TagBoxKind::kLine;
  auto standard = [](VyColorDesc& color, int32_t code) {
    if (color.kind != VyColorDesc::kNoneGiven) return;
    color.kind = VyColorDesc::kStandard;
    color.standardCode = code;
  };
  auto orDefault = [](double& value, double fallback) {
    if (!IsSet(value)) value = fallback;
  };
  if (r.shape >= kShapeCornerFirst && r.shape <= kShapeCornerLast) orDefault(r.cornerRadius, 0);
  if (!line) {  // a line's tag has no fill to say
    standard(r.fillColor, 1);
    orDefault(r.fillTint, 1);
  }
  if (r.strokeType.kind == VyStrokeTypeDesc::kNoneGiven) r.strokeType.kind = VyStrokeTypeDesc::kByIndex;
  orDefault(r.strokeWeight, 0);
  standard(r.strokeColor, 2);
  orDefault(r.strokeTint, 1);
  standard(r.gapColor, line ? 0 : 1);
  orDefault(r.gapTint, line ? 1 : 0);
  if (r.strokeAlignment == 3) r.strokeAlignment = 1;
  if (line && r.endCap < 0) r.endCap = 0;  // only a line's tag can say its end cap
  if (!r.wrap.AnySet()) {
    r.wrap.mode = line ? 0 : 1;
    r.wrap.side = line ? 6 : 5;  // a line wraps nothing: its side stays the host's
    r.wrap.offsets = {0, 0, 0, 0};
  } else if (r.wrap.side == 6 && !line) {
    r.wrap.side = 5;  // a wrap given without its side takes the side every box starts with
  }
  AnchorSettings& anchor = state.placement.anchor;
  if (anchor.enums[0] == AnchorSettings::kUnsetEnums[0]) {
    anchor.enums[0] = 0;
    anchor.extra = false;
    anchor.distances[1] = 0;
  }
  if (!shortAnchored) return;
  if (offsets && (r.wrap.mode == 0 || r.wrap.mode == 11)) r.wrap.mode = 1;
  bool atBaseline = anchor.enums[0] == 0 && !anchor.extra;
  if (atBaseline && IsSet(anchor.distances[1]) && anchor.distances[1] >= 0) r.wrap.mode = 0;
}

void EndBox(KestoScanner& scanner, const BoxList& list, bool shortAnchored) {
  BoxTagState& state = scanner.GetBoxTag();
  CompleteLook(state, shortAnchored);
  PMRect& b = state.Record().bounds;
  if (list.polar_) {
    // Elements 2 and 3 were an angle and a length.
    double angle = b.right * std::numbers::pi / 180, length = std::clamp(b.bottom, 1.0, kMax);
    b.right = b.left + std::cos(angle) * length;
    b.bottom = b.top - std::sin(angle) * length;
  }
  if (state.placement.origin == BoxOrigin::kPage && state.origin.active)
    b = b.Moved(state.origin.x, state.origin.y);
  // The sizes together are wrong, not one element.
  if (scanner.GetError() == 0 && !SizesFit(state)) {
    scanner.SetParamIndex(0);
    scanner.SetError(kScanValueOutOfRange);
  }
}

void ReadBoxTag(KestoScanner& scanner, TagBoxKind kind, char16_t letter) {
  std::u16string name = {u'&', letter};
  int32_t c = scanner.NextChar();
  if (c != 'b') return ReportUnknownTagLetter(scanner, name, c);
  name += u'b';
  bool placed = false, longForm = false;
  c = scanner.NextChar();
  if (c == 'u') {
    placed = true;
    name += u'u';
    c = scanner.NextChar();
  }
  if (c == '2' && kind != TagBoxKind::kLine) {
    longForm = true;
    name += u'2';
  } else if (c != ScannerInput::kEnd) {
    scanner.PushBack();
  }
  scanner.GetTagName().Set(name);
  BoxTagState& state = scanner.GetBoxTag();
  BeginBox(state, kind, placed);
  BoxList list(scanner, kind, placed, longForm);
  SublistNoting noting(list, FormElements(kind, placed, longForm));
  c = scanner.NextChar();
  if (c != ScannerInput::kEnd) scanner.PushBack();
  if (c == '(') (void)scanner.Params().ReadList(noting);
  EndBox(scanner, list, !placed && !longForm);
  state.failed = scanner.GetError() != 0;
  if (kind == TagBoxKind::kText) {
    if (!placed && scanner.IsHiddenTextOpen()) {
      scanner.SetErrorIfNone(kScanHiddenTextMismatch);
      scanner.SetHiddenTextOpen(false);
    }
    // The box's text starts from the attributes around it; the end of the box gives them back.
    if (scanner.PushAttributes())
      ++state.pushedTextBoxes;
    else
      scanner.SetErrorIfNone(kScanNoMemoryForStackPush);
    scanner.SetDefMode(DefMode::kNormal);
    scanner.SetToken(ScanToken::kTextBoxStart);
  } else if (scanner.GetError() == 0) {
    scanner.SetToken(ScanToken::kOtherBox);
  }
}

void EndTextBoxTag(KestoScanner& scanner) {
  scanner.GetTagName().Set(u"&te");
  if (scanner.IsHiddenTextOpen()) {
    scanner.SetErrorIfNone(kScanHiddenTextMismatch);
    scanner.SetHiddenTextOpen(false);
  }
  scanner.SetToken(ScanToken::kTextBoxEnd);
}

TagHandler translationHandler = nullptr;

// "&t" is shared: "&tb…" and "&te" are box tags, anything else goes to the translation tags.
void TextBoxTag(KestoScanner& scanner, int32_t second) {
  int32_t c = scanner.NextChar();
  if (c == 'e') return EndTextBoxTag(scanner);
  if (c != ScannerInput::kEnd) scanner.PushBack();
  if (c == 'b') return ReadBoxTag(scanner, TagBoxKind::kText, u't');
  if (translationHandler) return translationHandler(scanner, second);
  ReportUnknownTagLetter(scanner, u"&t", c);
}

void PictureBoxTag(KestoScanner& scanner, int32_t) {
  ReadBoxTag(scanner, TagBoxKind::kPicture, u'p');
}
void EmptyBoxTag(KestoScanner& scanner, int32_t) {
  ReadBoxTag(scanner, TagBoxKind::kEmpty, u'n');
}
void LineTag(KestoScanner& scanner, int32_t) {
  ReadBoxTag(scanner, TagBoxKind::kLine, u'l');
}

class GroupList : public ListHandler {
 public:
  explicit GroupList(KestoScanner& scanner) : scanner_(scanner) { scanner.GetGroupList().clear(); }
  void Element(int32_t element, int32_t item) override {
    if (element == kBegin || element == kEnd || item > 0) return;
    if (element == kSingle || element >= kMaxGroupElements) return scanner_.SetErrorIfNone(kScanMalformedTag);
    int32_t number = 0;
    if (scanner_.Params().ConvertInteger(number, kNumberPlain, 0, 10000) != 0)
      return scanner_.SetErrorIfNone(kScanMalformedNumber);
    scanner_.GetGroupList().push_back(number);
  }

 private:
  KestoScanner& scanner_;
};

void GroupTag(KestoScanner& scanner, int32_t) {
  scanner.GetTagName().Set(u"&g");
  GroupList list(scanner);
  if (scanner.Params().ReadList(list) && scanner.GetError() == 0) scanner.SetToken(ScanToken::kGroup);
}

class OriginList : public ListHandler {
 public:
  explicit OriginList(KestoScanner& scanner) : scanner_(scanner) {}
  void Element(int32_t element, int32_t item) override {
    if (item > 0 || element == kBegin || element == kEnd) return;
    if (element == kSingle) {
      single_ = true;
      return;
    }
    if (element == 2) {
      fix_ = scanner_.Params().IsSingleLetter(u's', true);
      return;
    }
    if (element > 2) return;
    double& target = element == 0 ? dx_ : dy_;
    if (scanner_.Params().ConvertNumber(target, 0, -kMax, kMax) != 0)
      scanner_.SetErrorIfNone(kScanMalformedNumber);
  }
  bool single_ = false, fix_ = false;
  double dx_ = 0, dy_ = 0;

 private:
  KestoScanner& scanner_;
};

void OriginTag(KestoScanner& scanner, int32_t) {
  scanner.GetTagName().Set(u"&o");
  OriginList list(scanner);
  if (!scanner.Params().ReadList(list)) return;
  OriginOffset& origin = scanner.GetBoxTag().origin;
  if (list.single_) {
    origin = OriginOffset();
  } else if (origin.active && origin.fixed) {
  } else if (origin.active) {
    origin.x += list.dx_;
    origin.y += list.dy_;
  } else {
    origin = {list.dx_, list.dy_, true, list.fix_};
  }
}

}  // namespace

void RegisterBoxTags(TagDispatchTable& table) {
  translationHandler = table.FindExtension('t');
  table.RegisterExtension('t', &TextBoxTag);
  table.RegisterExtension('p', &PictureBoxTag);
  table.RegisterExtension('n', &EmptyBoxTag);
  table.RegisterExtension('l', &LineTag);
  table.RegisterExtension('g', &GroupTag);
  table.RegisterExtension('o', &OriginTag);
}

}  // namespace kesto
