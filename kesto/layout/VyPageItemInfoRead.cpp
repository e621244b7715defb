// Reading page items back into box description records for the writer: every value in the tag language's
// units and codes, and a value the item's object style already gives left unset, so that a later import
// leaves it to the style again.
#include <cmath>
#include <optional>

#include "host/layout/IHierarchy.h"
#include "host/layout/IImageContent.h"
#include "host/layout/ILinkResource.h"
#include "host/layout/IPageItem.h"
#include "host/layout/ITextFrame.h"
#include "host/layout/ItemLook.h"
#include "host/layout/LayoutIDs.h"
#include "host/layout/PictureIDs.h"
#include "host/res/LineEndStyles.h"
#include "kesto/layout/PictureReference.h"
#include "kesto/layout/VyPageItem.h"
#include "kesto/layout/VyPageItemInfo.h"

namespace kesto {
namespace {

constexpr double kSameReal = 1e-8;

bool Same(double a, double b) {
  return std::fabs(a - b) < kSameReal;
}

// An item's angle brought into -179 <= angle < 181, as box tags give rotations.
double TagAngle(double hostAngle) {
  return hostAngle + 360 * std::ceil((-hostAngle - 179) / 360);
}

// What the reading of one item needs from the host: the item, its object style as it applies, and its
// own transform.
struct ItemContext {
  IDataBase* db = nullptr;
  UID uid;
  std::optional<ObjectStyle> style;
  ClassID cls = 0;

  static std::optional<ItemContext> Of(const XPageItem& item) {
    if (!item.IsValid() || !item.DataBase()->IsValidUID(item.GetUID())) return std::nullopt;
    ItemContext c{item.DataBase(), item.GetUID(), {}, item.DataBase()->GetClass(item.GetUID())};
    c.style = ItemLook::ResolveStyle(c.db, ItemLook::StyleOfItem(c.db, c.uid));
    return c;
  }
  bool Governs(uint32_t category) const { return style && style->Governs(category); }
  // The item's own value of `cls` when it overrides its style; nothing otherwise.
  std::optional<GraphicAttribute> Read(GraphicAttr attr) const {
    if (!ItemLook::Overrides(db, uid, attr)) return std::nullopt;
    return ItemLook::OwnValue(db, uid, attr);
  }
};

double Tint(const GraphicAttribute& a) {
  return EffectiveTint(a.number) / 100;
}

void ReadShape(const ItemContext& c, const IPageItem& data, VyBasePageItemInfo& record) {
  const PMRect& b = data.GetBounds();
  const ItemTransform& t = data.GetTransform();
  PMPoint centre = b.Center();
  double halfWidth = b.Width() * std::fabs(t.scaleX) / 2, halfHeight = b.Height() * std::fabs(t.scaleY) / 2;
  record.shape = kShapeRectangle;
  record.bounds = {centre.x - halfWidth, centre.y - halfHeight, centre.x + halfWidth, centre.y + halfHeight};
  if (c.cls == kLineBoss) {
    // A line's bounds are its two end points: from the left top to the right bottom of its box.
    record.shape = kShapeLine;
    record.bounds = b;
  } else if (c.cls == kOvalBoss) {
    record.shape = kShapeOval;
  }
  std::optional<GraphicAttribute> corner = ItemLook::EffectiveValue(c.db, c.uid, GraphicAttr::kCornerEffect);
  int32_t effect = corner ? static_cast<int32_t>(corner->number) : 0;
  if (effect == static_cast<int32_t>(CornerEffect::kBevel)) record.shape = 2;
  if (effect == static_cast<int32_t>(CornerEffect::kInset)) record.shape = 3;
  if (effect == static_cast<int32_t>(CornerEffect::kRounded)) record.shape = 4;
}

VyColorDesc ColorOf(IDataBase* db, const GraphicAttribute& a) {
  VyColorDesc color;
  if (!DescribeColor(db, a.ref, color)) color = VyColorDesc();
  return color;
}

VyLineEnd LineEndOf(const GraphicAttribute& a) {
  auto style = static_cast<LineEnd>(static_cast<int32_t>(a.number));
  VyLineEnd end;
  end.selector = 1;
  if (style != LineEnd::kNone) {
    end.selector = 2;
    end.name = LineEndStyles::GetName(style);
  }
  return end;
}

// Wrap mode of the box tags (0 none .. 10) for host settings.
int32_t TagWrapMode(const TextWrapSettings& w) {
  switch (w.mode) {
    case WrapMode::kJumpObject:
      return 2;
    case WrapMode::kNextColumn:
      return 3;
    case WrapMode::kBoundingBox:
      return 1;
    case WrapMode::kContour: {
      static constexpr int32_t kByContour[] = {4, 7, 8, 9, 5, 6};
      int32_t type = w.contour.type;
      return type >= 0 && type <= kMaxContourType ? kByContour[type] : 0;
    }
    default:
      return 0;
  }
}

void ReadWrap(const ItemContext& c, VyPageItemInfo& record) {
  TextWrapSettings own = ItemLook::WrapForReading(c.db, c.uid);
  bool governed = c.Governs(kTextWrapCategory);
  TextWrapSettings base = governed ? c.style->wrap : TextWrapSettings();
  VyTextWrap& w = record.wrap;
  w = VyTextWrap();
  record.wrapFromStyle = governed;
  int32_t mode = TagWrapMode(own);
  if (!governed || own.mode != base.mode || own.contour.type != base.contour.type) w.mode = mode;
  bool contour = own.mode == WrapMode::kContour;
  int32_t type = own.contour.type;
  if (contour && (type == 1 || type == 2)) {
    if (!governed || own.contour.includeInsideEdges != base.contour.includeInsideEdges)
      w.insideEdges = own.contour.includeInsideEdges ? 1 : 0;
    if (!governed || own.contour.tolerance != base.contour.tolerance)
      w.tolerance = own.contour.tolerance / 255.0;
    if (!governed || !Same(own.contour.threshold, base.contour.threshold))
      w.threshold = own.contour.threshold * 10;
  }
  if (contour && (type == 2 || type == 3) && (!governed || own.contour.index != base.contour.index))
    w.pathIndex = own.contour.index;
  if (mode == 1 || mode >= 4) {
    if (!governed || own.side != base.side) w.side = static_cast<int32_t>(own.side);
    if (!governed || own.invert != base.invert) w.invert = own.invert ? 1 : 0;
  }
  if (mode == 0) return;
  // Host offsets are top, left, bottom, right; the record's left, top, right, bottom.
  static constexpr int kRecordSide[] = {1, 0, 3, 2};
  for (int i = 0; i < 4; ++i)
    if (!governed || !Same(own.offsets[i], base.offsets[i])) w.offsets[kRecordSide[i]] = own.offsets[i];
}

void ReadGraphicAttributes(const ItemContext& c, VyPageItemInfo& r) {
  if (auto a = c.Read(GraphicAttr::kCornerSize); a && r.shape >= 2 && r.shape <= 4)
    r.cornerRadius = a->number * 2;
  if (auto a = c.Read(GraphicAttr::kStrokeType)) r.strokeType = DescribeStrokeType(c.db, a->ref);
  if (auto a = c.Read(GraphicAttr::kStrokeWeight)) r.strokeWeight = a->number;
  if (auto a = c.Read(GraphicAttr::kStrokeAlignment)) r.strokeAlignment = static_cast<int32_t>(a->number);
  if (auto a = c.Read(GraphicAttr::kStrokeColor)) r.strokeColor = ColorOf(c.db, *a);
  if (auto a = c.Read(GraphicAttr::kStrokeTint)) r.strokeTint = Tint(*a);
  if (auto a = c.Read(GraphicAttr::kGapColor)) r.gapColor = ColorOf(c.db, *a);
  if (auto a = c.Read(GraphicAttr::kGapTint)) r.gapTint = Tint(*a);
  if (auto a = c.Read(GraphicAttr::kEndCap)) r.endCap = static_cast<int32_t>(a->number);
  if (r.shape == kShapeLine) {
    if (auto a = c.Read(GraphicAttr::kLineStart)) r.lineStart = LineEndOf(*a);
    if (auto a = c.Read(GraphicAttr::kLineEnd)) r.lineEnd = LineEndOf(*a);
  }
  if (auto a = c.Read(GraphicAttr::kFillColor)) r.fillColor = ColorOf(c.db, *a);
  if (auto a = c.Read(GraphicAttr::kFillTint)) r.fillTint = Tint(*a);
  if (auto a = c.Read(GraphicAttr::kOverprintFill)) {
    r.overprintFill = a->number != 0 ? 1 : 0;
    r.overprintRead = 1;
  }
}

UID OnlyChild(IDataBase* db, UID item) {
  auto node = Instantiate<IHierarchy>(db, item);
  return node && node->GetChildren().size() == 1 ? node->GetChildren().front() : kInvalidUID;
}

// A file link as the native path it names; any other link as its URI.
WideString LinkText(const std::string& uri) {
  constexpr std::string_view kFile = "file://";
  if (uri.rfind(kFile, 0) == 0) return WideFromUtf8(PercentDecoded(uri.substr(kFile.size())));
  return WideFromUtf8(uri);
}

}  // namespace

void VyBasePageItemInfo::ReadFrom(const XPageItem& item) {
  Reset();
  std::optional<ItemContext> c = ItemContext::Of(item);
  auto data = c ? Instantiate<IPageItem>(c->db, c->uid) : InterfacePtr<IPageItem>();
  if (data) ReadShape(*c, *data, *this);
}

void VyPageItemInfo::ReadFrom(const XPageItem& item) {
  VyBasePageItemInfo::ReadFrom(item);
  std::optional<ItemContext> c = ItemContext::Of(item);
  auto data = c ? Instantiate<IPageItem>(c->db, c->uid) : InterfacePtr<IPageItem>();
  if (!data) return;
  if (c->style) objectStyle = c->style->name;
  ReadGraphicAttributes(*c, *this);
  const ItemTransform& t = data->GetTransform();
  rotation = TagAngle(t.rotation);
  skew = t.skew;
  flipHorizontal = t.flipHorizontal ? 1 : 0;
  flipVertical = t.flipVertical ? 1 : 0;
  ReadWrap(*c, *this);
  locked = data->IsLocked() ? 1 : 0;
}

void VyTextItemInfo::ReadFrom(const XPageItem& item) {
  VyPageItemInfo::ReadFrom(item);
  kind = kBoxText;
  std::optional<ItemContext> c = ItemContext::Of(item);
  auto frame = c ? Instantiate<ITextFrame>(c->db, c->uid) : InterfacePtr<ITextFrame>();
  if (!frame) return;
  const FrameOptions& own = frame->GetOptions();
  bool governed = c->Governs(kTextFrameOptionsCategory);
  const FrameOptions base = governed ? c->style->frame : FrameOptions();
  if (!governed || own.columns != base.columns || !Same(own.gutter, base.gutter)) {
    columns = own.columns;
    gutter = own.gutter;
  }
  if (!governed || own.verticalJustification != base.verticalJustification)
    verticalJustification = static_cast<int32_t>(own.verticalJustification);
  if (!governed || !Same(own.paragraphSpacingLimit, base.paragraphSpacingLimit))
    paragraphSpacingLimit = own.paragraphSpacingLimit;
  if (!governed || own.firstBaseline != base.firstBaseline)
    firstBaselineType = FirstBaselineType(own.firstBaseline);
  if (!governed || !Same(own.firstBaselineMinimum, base.firstBaselineMinimum))
    firstBaselineMinimum = own.firstBaselineMinimum;
  bool insetsGoverned = c->Governs(kInsetsCategory);
  const FrameInsets& i = own.insets;
  const FrameInsets& s = c->style ? c->style->frame.insets : FrameInsets();
  double ownSides[] = {i.left, i.top, i.right, i.bottom};
  double styleSides[] = {s.left, s.top, s.right, s.bottom};
  for (int side = 0; side < 4; ++side)
    if (!insetsGoverned || !Same(ownSides[side], styleSides[side])) insets[side] = ownSides[side];
}

void VyImageItemInfo::ReadFrom(const XPageItem& item) {
  VyPageItemInfo::ReadFrom(item);
  kind = kBoxPicture;
  std::optional<ItemContext> c = ItemContext::Of(item);
  if (!c || c->cls != kGraphicFrameBoss) return;
  UID child = OnlyChild(c->db, c->uid);
  auto content = child.IsValid() ? Instantiate<IImageContent>(c->db, child) : InterfacePtr<IImageContent>();
  auto data = content ? Instantiate<IPageItem>(c->db, child) : InterfacePtr<IPageItem>();
  if (!data) return;
  auto link = content->GetLink().IsValid() ? Instantiate<ILinkResource>(c->db, content->GetLink())
                                           : InterfacePtr<ILinkResource>();
  if (link) reference = LinkText(link->GetData().uri);
  // The content's transform is about the centre of its natural bounds; the offset is where the unrotated,
  // scaled content's top-left corner lies from the frame's.
  const ItemTransform& t = data->GetTransform();
  const PMRect& b = data->GetBounds();
  scaleX = std::fabs(t.scaleX);
  scaleY = std::fabs(t.scaleY);
  double r = t.rotation;
  pictureRotation = r > 180 ? r - 360 : r;
  pictureSkew = t.skew;
  PMPoint centre = b.Center();
  offsetX = centre.x - b.Width() * scaleX / 2 - bounds.left;
  offsetY = centre.y - b.Height() * scaleY / 2 - bounds.top;
}

}  // namespace kesto
