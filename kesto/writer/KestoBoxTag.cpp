// Writing one box tag from a box description.
#include "kesto/writer/KestoBoxTag.h"

#include <string_view>

#include "kesto/model/VyColorDesc.h"
#include "kesto/model/VyStrokeTypeDesc.h"

namespace kesto {
namespace {

bool IsExtended(const BoxTagItem& item) {
  const VyPageItemInfo& r = *item.record;
  if (r.shape == kShapeLine) return false;
  auto set = [](double v) { return IsSet(v) && v != 0; };
  bool placement = r.kind == kBoxPicture && static_cast<const VyImageItemInfo&>(r).placement;
  return item.freeStanding || set(r.rotation) || set(r.skew) || r.wrap.AnySet() || r.overprintRead ||
         r.locked || r.flipHorizontal == 1 || r.flipVertical == 1 || placement;
}

class BoxTagWriter {
 public:
  BoxTagWriter(CTaggedTextPutter& out, const BoxTagItem& item)
      : out_(out),
        item_(item),
        r_(*item.record),
        line_(r_.shape == kShapeLine),
        extended_(IsExtended(item)),
        compact_(out.HasOption(kPutCompact)),
        style_(!r_.objectStyle.empty()) {}

  void Put() {
    out_.PutChar(u'<');
    out_.PutAscii(BoxTagName(item_));
    out_.PutChar(u'(');
    for (int32_t e = 0; e <= 15; ++e)
      if (Written(e)) Common(e);
    KindElements();
    out_.PutAscii(")>");
  }

 private:
  // ---- The list and the value rules.
  void Next() {
    if (elements_++ > 0) out_.PutChar(u',');
  }
  void Open() { out_.PutChar(u'('); }
  void Close() { out_.PutChar(u')'); }
  bool Plain() const { return !compact_ && !style_; }
  // Rule R.
  void Real(double v) {
    if (IsSet(v)) {
      if (!(v == 0 && compact_ && !style_)) out_.PutNumber(v);
    } else if (Plain()) {
      out_.PutChar(u'0');
    }
  }
  // Rule P.
  void Percent(double v) {
    if (IsSet(v)) {
      if (!(v == 1 && compact_ && !style_)) out_.PutNumber(v * 100);
    } else if (Plain()) {
      out_.PutAscii("100");
    }
  }
  // Rule L; `letter` 0 for unset.
  void Letter(char letter, char fallback) {
    if (letter != 0) {
      if (style_ || !(compact_ && letter == fallback)) out_.PutChar(static_cast<char16_t>(letter));
    } else if (Plain()) {
      out_.PutChar(static_cast<char16_t>(fallback));
    }
  }
  static char LetterOf(std::string_view letters, int32_t value) {
    return value >= 0 && value < static_cast<int32_t>(letters.size()) ? letters[static_cast<size_t>(value)]
                                                                      : 0;
  }
  void Quoted(std::u16string_view text) { out_.PutText(text, true, true); }

  bool Written(int32_t e) const {
    switch (e) {
      case 0:
      case 1:
      case 8:
        return item_.freeStanding;
      case 4:
      case 5:
        return extended_;
      case 6:
        return extended_ || line_;
      case 7:
        return !item_.freeStanding;
      case 13:
      case 14:
        return !line_;
      default:
        return true;
    }
  }

  void Common(int32_t e) {
    Next();
    const PMRect& b = item_.bounds;
    bool freeLine = line_ && item_.freeStanding;
    switch (e) {
      case 0:
        return out_.PutNumber(b.left);
      case 1:
        return out_.PutNumber(b.top);
      case 2:
        return out_.PutNumber(freeLine ? b.right : b.right - b.left);
      case 3:
        return out_.PutNumber(freeLine ? b.bottom : b.bottom - b.top);
      case 4:
        return Angle(r_.rotation);
      case 5:
        return Angle(r_.skew);
      case 6:
        return Flags();
      case 7:
        return;  // anchored items keep the reader's default anchoring
      case 8:
        return Wrap();
      case 9:
        return Frame();
      case 10:
        return FrameColor();
      case 11:
        return FrameShade();
      case 12:
        return FrameStyle();
      case 13:
        return FillColor();
      case 14:
        return Percent(r_.fillTint);
      case 15:
        return WrapOffsets();
      default:
        return;
    }
  }

  void Angle(double v) {
    if (!(IsSet(v) ? v : 0) && compact_) return;
    out_.PutNumber(IsSet(v) ? v : 0);
  }

  void Flags() {
    if (r_.overprintRead && r_.overprintFill == 1) out_.PutChar(u'b');
    if (r_.kind == kBoxPicture && static_cast<const VyImageItemInfo&>(r_).placement) out_.PutChar(u'p');
    if (r_.locked) out_.PutChar(u'l');
    if (r_.flipVertical == 1) out_.PutChar(u'v');
    if (r_.flipHorizontal == 1) out_.PutChar(u'h');
  }

  // ---- Text wrap.
  void Wrap() {
    const VyTextWrap& w = r_.wrap;
    bool fromStyle = r_.wrapFromStyle != 0;
    std::u16string switches;
    auto add = [&](int8_t value, char16_t on, char16_t off, bool onIsDefault) {
      if (value == kUnsetSwitch) return;
      if (fromStyle || (value == 1) != onIsDefault) switches += value == 1 ? on : off;
    };
    add(w.invert, u'i', u'u', false);
    add(w.insideEdges, u'e', u's', false);
    add(w.further, u'b', u'o', true);
    int32_t m = w.mode;
    bool sideMode = m == 1 || (m >= 4 && m <= 11) || fromStyle;
    bool indexMode = m == 8 || m == 9 || m == 11 || fromStyle;
    bool realMode = m == 7 || m == 8 || m == 10 || m == 11 || fromStyle;
    bool shortForm = switches.empty() && !(sideMode && w.side != 6) && !(indexMode && w.pathIndex != -1) &&
                     !(realMode && (IsSet(w.distance) || IsSet(w.threshold) || IsSet(w.tolerance)));
    char fallback = line_ ? 'n' : 'i';
    char mode = m == 11 ? 0 : (m >= 1 && m <= 10 ? LetterOf("nijxbfswcea", m) : 'n');
    if (shortForm) return Letter(mode, fallback);
    Open();
    elements_ = 0;
    Next();
    Letter(mode, fallback);
    Next();
    out_.PutText(switches, false, false);
    Next();
    if (w.pathIndex != -1) {
      if (!(w.pathIndex == 0 && compact_ && !style_)) out_.PutInteger(w.pathIndex);
    } else if (Plain()) {
      out_.PutChar(u'0');
    }
    Next();
    Real(w.distance);
    Next();
    Real(w.threshold);
    Next();
    Real(IsSet(w.tolerance) ? w.tolerance * 100 : w.tolerance);
    Next();
    Letter(w.side == 6 ? 0 : (w.side >= 0 && w.side <= 4 ? LetterOf("blrta", w.side) : 'g'), 'g');
    Close();
    elements_ = 1;
  }

  void WrapOffsets() {
    const auto& o = r_.wrap.offsets;  // left, top, right, bottom
    bool fromStyle = r_.wrapFromStyle != 0;
    int32_t m = r_.wrap.mode;
    bool allEqual = o[0] == o[1] && o[1] == o[2] && o[2] == o[3];
    if ((fromStyle || (m >= 1 && m <= 4) || m == 11) && !allEqual) {
      Open();
      elements_ = 0;
      Next();
      Real(o[1]);
      Next();
      Real(o[0]);
      Next();
      Real(o[3]);
      Next();
      Real(o[2]);
      Close();
      elements_ = 1;
    } else if ((fromStyle || m != 0) && IsSet(o[1])) {
      if (!(o[1] == 0 && compact_)) out_.PutNumber(o[1]);
    } else if (!style_ && !compact_) {
      out_.PutChar(u'0');
    }
  }

  // ---- Frame, colours and fill.
  void Frame() {
    int32_t s = r_.shape;
    char alignment =
        r_.strokeAlignment >= 0 && r_.strokeAlignment <= 2 ? LetterOf("tio", r_.strokeAlignment) : 0;
    auto putAlignment = [&] {
      if (alignment) out_.PutChar(static_cast<char16_t>(alignment));
    };
    if (s >= kShapeCornerFirst && s <= kShapeCornerLast) {
      Open();
      Real(r_.strokeWeight);
      out_.PutChar(u',');
      Real(r_.cornerRadius);
      out_.PutChar(u',');
      if (!(s == kShapeCornerFirst && compact_)) out_.PutChar(static_cast<char16_t>(LetterOf("vcs", s - 2)));
      out_.PutChar(u',');
      putAlignment();
      return Close();
    }
    if (s == kShapeOval || (s == kShapeRectangle && alignment)) {
      Open();
      Real(r_.strokeWeight);
      out_.PutAscii(s == kShapeOval ? ",o," : ",,");
      putAlignment();
      return Close();
    }
    if (s == kShapeLine && (r_.endCap != -1 || alignment)) {
      Open();
      Real(r_.strokeWeight);
      out_.PutChar(u',');
      Letter(r_.endCap == -1 ? 0 : LetterOf("brs", r_.endCap), 'b');
      out_.PutChar(u',');
      putAlignment();
      return Close();
    }
    Real(r_.strokeWeight);
  }

  // `skip` names the standard code left out in compact mode.
  void Color(const VyColorDesc& c, int32_t skip) {
    if (c.kind == VyColorDesc::kNoneGiven) return;
    if (c.kind == VyColorDesc::kStandard) {
      if (compact_ && c.standardCode == skip) return;
      if (c.standardCode == 0) return out_.PutChar(u'n');
      char letter = LetterOf(std::string_view("\0WK\0CMY", 7), c.standardCode);
      if (letter) return out_.PutChar(static_cast<char16_t>(letter));
    }
    Quoted(c.name);
  }
  bool SolidStroke() const {
    return r_.strokeType.kind == VyStrokeTypeDesc::kByIndex && r_.strokeType.index == 0;
  }
  void FrameColor() {
    bool none = r_.strokeColor.kind == VyColorDesc::kNoneGiven && r_.gapColor.kind == VyColorDesc::kNoneGiven;
    if (SolidStroke() || none) return Color(r_.strokeColor, 2);
    Open();
    Color(r_.strokeColor, 2);
    out_.PutChar(u',');
    Color(r_.gapColor, 1);
    Close();
  }
  void FrameShade() {
    if (SolidStroke()) return Percent(r_.strokeTint);
    if (!IsSet(r_.strokeTint) && !IsSet(r_.gapTint)) return;
    Open();
    Percent(r_.strokeTint);
    out_.PutChar(u',');
    Percent(r_.gapTint);
    Close();
  }
  void FrameStyle() {
    const VyStrokeTypeDesc& t = r_.strokeType;
    if (t.kind == VyStrokeTypeDesc::kNoneGiven) {
      if (Plain()) Quoted(u"Solid");
      return;
    }
    std::u16string_view name =
        t.kind == VyStrokeTypeDesc::kByName ? std::u16string_view(t.name) : StrokeTypeWriterName(t.index);
    if (name.empty()) name = u"Solid";
    if (!style_ && compact_ && name == u"Solid") return;
    Quoted(name);
  }
  void FillColor() {
    const VyColorDesc& c = r_.fillColor;
    if (c.kind == VyColorDesc::kNoneGiven) {
      if (!style_) out_.PutChar(u'W');
      return;
    }
    Color(c, style_ ? -1 : 1);
  }

  // ---- The kind's own elements.
  void KindElements() {
    switch (r_.kind) {
      case kBoxText:
        TextElements(static_cast<const VyTextItemInfo&>(r_));
        break;
      case kBoxPicture:
        PictureElements(static_cast<const VyImageItemInfo&>(r_));
        break;
      default:
        if (line_) {
          Next();
          LineEnds();
        }
        break;
    }
    Next();
    Labels();
    if (item_.freeStanding) {
      Next();
      if (!item_.layerName.empty()) Quoted(item_.layerName);
    }
    Next();
    if (style_) out_.PutStyleName(r_.objectStyle, true);
  }

  void TextElements(const VyTextItemInfo& t) {
    Next();
    if (t.columns != kUnsetCount) {
      if (!(t.columns == 1 && compact_ && !style_)) out_.PutInteger(t.columns);
    } else if (Plain()) {
      out_.PutChar(u'1');
    }
    Next();
    Real(t.gutter);
    Next();
    const auto& i = t.insets;  // left, top, right, bottom
    bool anySet = IsSet(i[0]) || IsSet(i[1]) || IsSet(i[2]) || IsSet(i[3]);
    if (anySet && !(i[0] == i[1] && i[1] == i[2] && i[2] == i[3])) {
      Open();
      for (int side : {1, 0, 3, 2}) {
        if (side != 1) out_.PutChar(u',');
        Real(i[static_cast<size_t>(side)]);
      }
      Close();
    } else {
      Real(i[0]);
    }
    Next();
    Real(t.firstBaselineMinimum);
    Next();
    if (char c = LetterOf("lscaxf", t.firstBaselineType)) out_.PutChar(static_cast<char16_t>(c));
    Next();
    Letter(LetterOf("tcbj", t.verticalJustification), 't');
    Next();
    Real(t.paragraphSpacingLimit);
  }

  void PictureElements(const VyImageItemInfo& p) {
    Next();
    if (!compact_ && !style_) out_.PutChar(u'm');
    for (double scale : {p.scaleX, p.scaleY}) {
      Next();
      Percent(scale);
    }
    for (double v : {p.offsetX, p.offsetY, p.pictureRotation, p.pictureSkew}) {
      Next();
      Real(v);
    }
    Next();
    if (!p.reference.empty()) Quoted(p.reference);
    Next();  // the file-type hint is never written
  }

  void LineEnds() {
    const VyLineEnd& s = r_.lineStart;
    const VyLineEnd& e = r_.lineEnd;
    if (style_ && s.selector == 0 && e.selector == 0) return;
    auto plainOrCurved = [](const VyLineEnd& end) {
      return end.selector == 1 ||
             (end.selector > 1 && end.name.size() == 6 && (end.name == u"curved" || end.name == u"Curved"));
    };
    if (s.selector != 0 && e.selector != 0 && plainOrCurved(s) && plainOrCurved(e)) {
      bool startCurved = s.selector > 1, endCurved = e.selector > 1;
      if (!startCurved && !endCurved) {
        if (!compact_) Quoted(u"Plain");
        return;
      }
      return Quoted(startCurved && endCurved ? u"Double" : startCurved ? u"Left" : u"Right");
    }
    Open();
    LineEnd(s);
    out_.PutChar(u',');
    LineEnd(e);
    Close();
  }
  void LineEnd(const VyLineEnd& end) {
    if (end.selector == 1) return out_.PutChar(u'n');
    if (end.selector > 1) return Quoted(end.name);
    if (!style_) Quoted(u"");
  }

  void Labels() {
    if (item_.keyedLabels.empty()) {
      if (!item_.label.empty()) Quoted(item_.label);
      return;
    }
    Open();
    bool first = true;
    for (const auto& [key, value] : item_.keyedLabels) {
      if (!first) out_.PutChar(u',');
      first = false;
      Quoted(key);
      out_.PutChar(u',');
      Quoted(value);
    }
    Close();
  }

  CTaggedTextPutter& out_;
  const BoxTagItem& item_;
  const VyPageItemInfo& r_;
  bool line_, extended_, compact_, style_;
  int32_t elements_ = 0;
};

}  // namespace

const char* BoxTagName(const BoxTagItem& item) {
  static const char* const kNames[4][4] = {
      {"&nb", "&nb2", "&nbu", "&nbu2"},
      {"&tb", "&tb2", "&tbu", "&tbu2"},
      {"&pb", "&pb2", "&pbu", "&pbu2"},
      {"&lb", "&lb", "&lbu", "&lbu"},
  };
  const VyPageItemInfo& r = *item.record;
  int row = r.shape == kShapeLine ? 3 : r.kind == kBoxText ? 1 : r.kind == kBoxPicture ? 2 : 0;
  return kNames[row][(item.freeStanding ? 2 : 0) + (IsExtended(item) ? 1 : 0)];
}

void PutBoxTag(CTaggedTextPutter& out, const BoxTagItem& item) {
  if (!item.record) return;
  BoxTagWriter(out, item).Put();
}

}  // namespace kesto
