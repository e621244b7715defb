// Graphic attributes, text wrap and object styles.
#include "host/layout/ItemLookCmds.h"

#include <cassert>

#include "host/core/ObjectModel.h"
#include "host/layout/IGraphicAttributes.h"
#include "host/layout/IItemObjectStyle.h"
#include "host/layout/ITextWrap.h"
#include "host/layout/ItemLook.h"
#include "host/layout/LayoutUtils.h"
#include "host/res/ResIDs.h"

ItemLookParams& ItemLookCommand::LookParams() const {
  InterfacePtr<IItemLookCmdData> data(this, UseDefaultIID());
  assert(data && "every item look command class has IItemLookCmdData");
  return data->Params();
}

bool ItemLookCommand::AttributesAreSound(const GraphicAttributeList& list) const {
  IDataBase* db = DataBase();
  for (const GraphicAttribute& a : list.Values()) {
    if (std::string fault = GraphicValueFault(a); !fault.empty()) {
      Refuse(fault);
      return false;
    }
    GraphicValueKind kind = FindGraphicAttr(a.cls)->kind;
    if (kind == GraphicValueKind::kSwatch && db->GetClass(a.ref) != kSwatchBoss) {
      Refuse(std::string(FindGraphicAttr(a.cls)->name) + " names no swatch");
      return false;
    }
    if (kind == GraphicValueKind::kStrokeStyle && db->GetClass(a.ref) != kStrokeStyleBoss) {
      Refuse(std::string(FindGraphicAttr(a.cls)->name) + " names no stroke style");
      return false;
    }
  }
  return true;
}

void ApplyGraphicAttributesCmd::Do() {
  const ItemLookParams& p = LookParams();
  if (!ItemsArePageItems() || !AttributesAreSound(p.attributes)) return Fail();
  const GraphicAttribute* weight = p.attributes.Find(GraphicAttr::kStrokeWeight);
  bool noStroke = weight && weight->number == 0;
  for (UID item : Items()) {
    auto own = Instantiate<IGraphicAttributes>(DataBase(), item);
    GraphicAttributeList list = own->GetAttributes();
    for (GraphicAttr cls : p.clear)
      list.Remove(cls);
    for (const GraphicAttribute& a : p.attributes.Values()) {
      if (!noStroke || !FindGraphicAttr(a.cls)->strokeDetail) list.Set(a);
    }
    own->SetAttributes(list);
  }
}

void SetTextWrapCmd::Do() {
  const ItemLookParams& p = LookParams();
  if (!ItemsArePageItems()) return Fail();
  for (UID item : Items()) {
    auto own = Instantiate<ITextWrap>(DataBase(), item);
    TextWrapSettings wrap = p.wrap;
    for (size_t i = 0; i < wrap.offsets.size(); ++i) {
      if (wrap.offsets[i] == kKeepWrapOffset) wrap.offsets[i] = own->GetWrap().offsets[i];
    }
    if (std::string fault = WrapFault(wrap); !fault.empty()) return Refuse(fault);
    own->SetWrap(wrap);
  }
}

void NewObjectStyleCmd::Do() {
  ItemLookParams& p = LookParams();
  auto list = ItemLook::QueryStyleList(DataBase());
  if (!list) return Fail();
  ObjectStyle style = p.newStyle;
  if (style.basedOn == kInvalidObjectStyle) style.basedOn = DefaultObjectStyle(p.kind);
  if (style.name.empty() || style.name.size() > kMaxObjectStyleNameLength)
    return Refuse("an object style needs a name of 1 to " + std::to_string(kMaxObjectStyleNameLength) +
                  " characters");
  if (list->FindStyleByName(style.name) != kInvalidObjectStyle) return Refuse("the object style exists");
  if (!list->FindStyle(style.basedOn)) return Refuse("the style to base it on does not exist");
  if (static_cast<int32_t>(list->GetStyles().size()) >= kMaxObjectStyles ||
      list->GetStyles().back().id + 1 >= kMaxObjectStyleID)
    return Refuse("the document has as many object styles as it can hold");
  if ((style.categories & ~kAllObjectStyleCategories) != 0) return Refuse("no such object style category");
  if (std::string fault = WrapFault(style.wrap); !fault.empty()) return Refuse(fault);
  if (!AttributesAreSound(style.attributes)) return Fail();
  p.style = list->AddStyle(style);
  MainChange().position = p.style;
}

void ApplyObjectStyleCmd::ApplyFrameOptions(UID item, const ObjectStyle& style) {
  auto frame = Instantiate<ITextFrame>(DataBase(), item);
  if (!frame) return;
  FrameOptions options = frame->GetOptions();
  if (style.Governs(kTextFrameOptionsCategory)) {
    FrameInsets insets = options.insets;
    options = style.frame;
    options.insets = insets;
  }
  if (style.Governs(kInsetsCategory)) options.insets = style.frame.insets;
  if (options == frame->GetOptions()) return;
  frame->SetOptions(options);
  if (auto list = Instantiate<IFrameList>(DataBase(), frame->GetFrameList())) {
    list->Damage(list->IndexOfFrame(item));
    Note(IID_IFRAMELIST, {.what = kFrameListChange,
                          .items = {item},
                          .target = frame->GetFrameList(),
                          .position = list->GetFirstDamagedFrame()});
  }
}

void ApplyObjectStyleCmd::Do() {
  const ItemLookParams& p = LookParams();
  if (!ItemsArePageItems()) return Fail();
  std::optional<ObjectStyle> style = ItemLook::ResolveStyle(DataBase(), p.style);
  if (!style) return Refuse("the object style does not exist");
  for (UID item : Items()) {
    Instantiate<IItemObjectStyle>(DataBase(), item)->SetStyle(p.style);
    auto own = Instantiate<IGraphicAttributes>(DataBase(), item);
    GraphicAttributeList list = own->GetAttributes();
    for (const GraphicAttrInfo& info : GraphicAttrInfos()) {
      if (style->Governs(info.category)) list.Remove(info.cls);
    }
    own->SetAttributes(list);
    if (style->Governs(kTextWrapCategory)) Instantiate<ITextWrap>(DataBase(), item)->SetWrap(style->wrap);
    ApplyFrameOptions(item, *style);
  }
}
