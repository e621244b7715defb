// How a box description record makes an item look: its object style, its graphic attributes in one list,
// and its text wrap, each through the host's item-look commands.
#include <cmath>
#include <optional>
#include <vector>

#include "host/cmd/ErrorUtils.h"
#include "host/layout/ITextWrap.h"
#include "host/layout/ItemLook.h"
#include "host/layout/ItemLookCmdUtils.h"
#include "host/res/LineEndStyles.h"
#include "kesto/layout/PictureAttributes.h"
#include "kesto/layout/VyPageItem.h"
#include "kesto/layout/VyPageItemInfo.h"

namespace kesto {
namespace {

// The host's corner effects of shapes 2, 3 and 4.
constexpr CornerEffect kShapeCorners[] = {CornerEffect::kBevel, CornerEffect::kInset, CornerEffect::kRounded};

// A refused command leaves its error as the global code; the builder reports it by its own code.
int32_t Answer(ErrorCode code) {
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  return static_cast<int32_t>(code);
}

void SetNumber(GraphicAttributeList& list, GraphicAttr cls, double value) {
  list.Set({cls, value, kInvalidUID});
}

// Tints of the record are fractions; the host's are percents.
void SetTint(GraphicAttributeList& list, GraphicAttr cls, double tint) {
  if (IsSet(tint)) SetNumber(list, cls, tint * 100);
}

void SetColor(GraphicAttributeList& list, GraphicAttr cls, const VyColorDesc& color, IDataBase* db) {
  if (color.kind == VyColorDesc::kNoneGiven) return;
  VyColorDesc resolving = color;
  resolving.document = db;
  resolving.resolved = kInvalidUID;
  UID swatch = ResolveColor(resolving);
  if (swatch.IsValid()) list.Set({cls, 0, swatch});
}

void SetLineEnd(GraphicAttributeList& list, GraphicAttr cls, const VyLineEnd& end) {
  if (end.selector == 0) return;
  std::optional<LineEnd> style = end.name.empty() ? LineEnd::kNone : LineEndStyles::Find(end.name);
  if (style) SetNumber(list, cls, static_cast<double>(*style));
}

// The host wrap mode of record modes 1..3; every other mode but the contours is no wrap.
WrapMode HostWrapMode(int32_t mode) {
  switch (mode) {
    case 1:
      return WrapMode::kBoundingBox;
    case 2:
      return WrapMode::kJumpObject;
    case 3:
      return WrapMode::kNextColumn;
    default:
      return WrapMode::kNone;
  }
}

}  // namespace

int32_t VyPageItemInfo::ApplyObjectStyle(XPageItem& item) const {
  IDataBase* db = item.DataBase();
  InterfacePtr<IObjectStyleList> styles = ItemLook::QueryStyleList(db);
  if (objectStyle.empty() || !styles) return 0;
  ObjectStyleID style = styles->FindStyleByName(objectStyle);
  if (style == kInvalidObjectStyle) {
    // A style the document lacks is made, based on the default for the item's kind.
    ObjectStyle made;
    made.name = objectStyle;
    ErrorCode code = ItemLookCmdUtils::NewStyle(db, made, ItemLook::KindOfItem(db, item.GetUID()), style);
    if (code != kSuccess) return Answer(code);
  }
  return Answer(ItemLookCmdUtils::ApplyStyle(db, {item.GetUID()}, style));
}

GraphicAttributeList VyPageItemInfo::GraphicAttributesFor(IDataBase* db) const {
  GraphicAttributeList list;
  if (shape >= kShapeCornerFirst && shape <= kShapeCornerLast) {
    SetNumber(list, GraphicAttr::kCornerEffect,
              static_cast<double>(kShapeCorners[shape - kShapeCornerFirst]));
    SetNumber(list, GraphicAttr::kCornerSize, IsSet(cornerRadius) ? cornerRadius / 2 : 0);
  }
  if (IsSet(strokeWeight)) SetNumber(list, GraphicAttr::kStrokeWeight, strokeWeight);
  // A stroke of no weight keeps what its details were.
  if (strokeWeight != 0) {
    if (strokeAlignment >= 0 && strokeAlignment <= 2)
      SetNumber(list, GraphicAttr::kStrokeAlignment, strokeAlignment);
    SetColor(list, GraphicAttr::kStrokeColor, strokeColor, db);
    SetTint(list, GraphicAttr::kStrokeTint, strokeTint);
    SetColor(list, GraphicAttr::kGapColor, gapColor, db);
    SetTint(list, GraphicAttr::kGapTint, gapTint);
    VyStrokeTypeDesc type = strokeType;
    type.resolved = kInvalidUID;
    if (UID style = ResolveStrokeType(db, type); style.IsValid())
      list.Set({GraphicAttr::kStrokeType, 0, style});
  }
  if (endCap >= 0 && endCap <= 2) SetNumber(list, GraphicAttr::kEndCap, endCap);
  if (shape == kShapeLine) {
    SetLineEnd(list, GraphicAttr::kLineStart, lineStart);
    SetLineEnd(list, GraphicAttr::kLineEnd, lineEnd);
  }
  SetColor(list, GraphicAttr::kFillColor, fillColor, db);
  SetTint(list, GraphicAttr::kFillTint, fillTint);
  if (overprintFill != kUnsetSwitch) SetNumber(list, GraphicAttr::kOverprintFill, overprintFill != 0);
  return list;
}

int32_t VyPageItemInfo::ApplyGraphicAttributes(XPageItem& item) const {
  IDataBase* db = item.DataBase();
  GraphicAttributeList list = GraphicAttributesFor(db);
  // What the item shows already, from its object style, stays the style's: an own value equal to it would
  // be an override that nothing written about the item could say, and would not read back.
  for (const GraphicAttribute& wanted : std::vector<GraphicAttribute>(list.Values())) {
    std::optional<GraphicAttribute> shown = ItemLook::EffectiveValue(db, item.GetUID(), wanted.cls);
    if (!ItemLook::OwnValue(db, item.GetUID(), wanted.cls) && shown && SameGraphicValue(*shown, wanted))
      list.Remove(wanted.cls);
  }
  if (list.empty()) return 0;
  return Answer(ItemLookCmdUtils::ApplyAttributes(item.DataBase(), {item.GetUID()}, list));
}

TextWrapSettings VyPageItemInfo::WrapFor(const TextWrapSettings& current) const {
  TextWrapSettings wanted = current;
  if (IsContourWrap(wrap.mode))
    ContourWrap(wrap, wanted);
  else if (wrap.mode != 11)
    wanted.mode = HostWrapMode(wrap.mode);
  if (wrap.side >= 0 && wrap.side <= 5) wanted.side = static_cast<WrapSide>(wrap.side);
  if (wrap.invert != kUnsetSwitch) wanted.invert = wrap.invert != 0;
  // The record's offsets run left, top, right, bottom; the host's top, left, bottom, right.
  static constexpr size_t kHostSide[] = {1, 0, 3, 2};
  for (size_t i = 0; i < 4; ++i)
    if (IsSet(wrap.offsets[i])) wanted.offsets[kHostSide[i]] = wrap.offsets[i];
  return wanted;
}

int32_t VyPageItemInfo::ApplyTextWrap(XPageItem& item) const {
  auto current = Instantiate<ITextWrap>(item.DataBase(), item.GetUID());
  if (!current || !wrap.AnySet()) return 0;
  TextWrapSettings wanted = WrapFor(current->GetWrap());
  if (SameWrap(wanted, current->GetWrap())) return 0;
  return Answer(ItemLookCmdUtils::SetWrap(item.DataBase(), {item.GetUID()}, wanted));
}

}  // namespace kesto
