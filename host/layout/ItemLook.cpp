// Queries over how page items look.
#include "host/layout/ItemLook.h"

#include <algorithm>

#include "host/layout/IGraphicAttributes.h"
#include "host/layout/IHierarchy.h"
#include "host/layout/IItemObjectStyle.h"
#include "host/layout/ITextWrap.h"
#include "host/layout/LayoutUtils.h"
#include "host/res/ResIDs.h"

namespace ItemLook {
namespace {

// Puts what `style` governs over `into`.
void Overlay(ObjectStyle& into, const ObjectStyle& style) {
  into.categories |= style.categories;
  for (const GraphicAttribute& a : style.attributes.Values())
    into.attributes.Set(a);
  if (style.Governs(kTextWrapCategory)) into.wrap = style.wrap;
  if (style.Governs(kTextFrameOptionsCategory)) {
    FrameInsets insets = into.frame.insets;
    into.frame = style.frame;
    into.frame.insets = insets;
  }
  if (style.Governs(kInsetsCategory)) into.frame.insets = style.frame.insets;
}

std::string AttributesFault(const IDataBase& db, const GraphicAttributeList& list, const std::string& owner) {
  for (const GraphicAttribute& a : list.Values()) {
    GraphicValueKind kind = FindGraphicAttr(a.cls)->kind;
    ClassID wanted = kind == GraphicValueKind::kSwatch        ? kSwatchBoss
                     : kind == GraphicValueKind::kStrokeStyle ? kStrokeStyleBoss
                                                              : kInvalidClass;
    if (wanted != kInvalidClass && (!db.IsValidUID(a.ref) || db.GetClass(a.ref) != wanted))
      return owner + ": " + FindGraphicAttr(a.cls)->name + " names no " +
             (wanted == kSwatchBoss ? "swatch" : "stroke style");
  }
  return "";
}

}  // namespace

InterfacePtr<IObjectStyleList> QueryStyleList(const IDataBase* db) {
  return db ? Instantiate<IObjectStyleList>(db, db->GetRootUID()) : InterfacePtr<IObjectStyleList>();
}

ObjectStyleKind KindOfItem(const IDataBase* db, UID item) {
  if (!LayoutUtils::IsPageItem(db, item) || LayoutUtils::IsGroup(db, item)) return ObjectStyleKind::kGeneral;
  return LayoutUtils::IsTextFrame(db, item) ? ObjectStyleKind::kText : ObjectStyleKind::kGraphic;
}

ObjectStyleID StyleOfItem(const IDataBase* db, UID item) {
  auto named = LayoutUtils::IsPageItem(db, item) ? Instantiate<IItemObjectStyle>(db, item)
                                                 : InterfacePtr<IItemObjectStyle>();
  auto list = QueryStyleList(db);
  if (!named || !list) return kInvalidObjectStyle;
  ObjectStyleID style = named->GetStyle();
  return list->FindStyle(style) ? style : DefaultObjectStyle(KindOfItem(db, item));
}

std::vector<ObjectStyleID> StyleChain(const IDataBase* db, ObjectStyleID style) {
  std::vector<ObjectStyleID> chain;
  auto list = QueryStyleList(db);
  // A style is based only on an earlier one, so the chain ends; the bound guards damaged lists all the same.
  for (const ObjectStyle* s = list ? list->FindStyle(style) : nullptr;
       s && chain.size() < list->GetStyles().size(); s = list->FindStyle(s->basedOn))
    chain.push_back(s->id);
  return chain;
}

std::optional<ObjectStyle> ResolveStyle(const IDataBase* db, ObjectStyleID style) {
  std::vector<ObjectStyleID> chain = StyleChain(db, style);
  if (chain.empty()) return std::nullopt;
  auto list = QueryStyleList(db);
  ObjectStyle resolved;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it)
    Overlay(resolved, *list->FindStyle(*it));
  const ObjectStyle* own = list->FindStyle(style);
  resolved.id = own->id;
  resolved.name = own->name;
  resolved.basedOn = own->basedOn;
  return resolved;
}

std::optional<GraphicAttribute> OwnValue(const IDataBase* db, UID item, GraphicAttr cls) {
  if (!LayoutUtils::IsPageItem(db, item)) return std::nullopt;
  auto attributes = Instantiate<IGraphicAttributes>(db, item);
  const GraphicAttribute* a = attributes ? attributes->GetAttributes().Find(cls) : nullptr;
  return a ? std::optional<GraphicAttribute>(*a) : std::nullopt;
}

std::optional<GraphicAttribute> EffectiveValue(const IDataBase* db, UID item, GraphicAttr cls) {
  if (auto own = OwnValue(db, item, cls)) return own;
  const GraphicAttrInfo* info = FindGraphicAttr(cls);
  std::optional<ObjectStyle> style = ResolveStyle(db, StyleOfItem(db, item));
  if (!info || !style || !style->Governs(info->category)) return std::nullopt;
  const GraphicAttribute* a = style->attributes.Find(cls);
  return a ? std::optional<GraphicAttribute>(*a) : std::nullopt;
}

bool Overrides(const IDataBase* db, UID item, GraphicAttr cls) {
  std::optional<GraphicAttribute> own = OwnValue(db, item, cls);
  if (!own) return false;
  const GraphicAttrInfo* info = FindGraphicAttr(cls);
  std::optional<ObjectStyle> style = ResolveStyle(db, StyleOfItem(db, item));
  if (!info || !style || !style->Governs(info->category)) return true;
  const GraphicAttribute* styled = style->attributes.Find(cls);
  return !styled || !SameGraphicValue(*own, *styled);
}

bool OverridesWrap(const IDataBase* db, UID item) {
  auto wrap =
      LayoutUtils::IsPageItem(db, item) ? Instantiate<ITextWrap>(db, item) : InterfacePtr<ITextWrap>();
  std::optional<ObjectStyle> style = ResolveStyle(db, StyleOfItem(db, item));
  if (!wrap || !style || !style->Governs(kTextWrapCategory)) return false;
  return !SameWrap(wrap->GetWrap(), style->wrap);
}

TextWrapSettings WrapForReading(const IDataBase* db, UID item) {
  auto wrap =
      LayoutUtils::IsPageItem(db, item) ? Instantiate<ITextWrap>(db, item) : InterfacePtr<ITextWrap>();
  if (!wrap) return {};
  if (wrap->GetWrap().mode != WrapMode::kNone || db->GetClass(item) != kGraphicFrameBoss)
    return wrap->GetWrap();
  auto node = Instantiate<IHierarchy>(db, item);
  if (!node || node->GetChildren().size() != 1) return wrap->GetWrap();
  auto child = Instantiate<ITextWrap>(db, node->GetChildren()[0]);
  return child ? child->GetWrap() : wrap->GetWrap();
}

std::string FindFault(const IDataBase& db) {
  auto list = QueryStyleList(&db);
  if (!list) return "";
  for (const ObjectStyle& style : list->GetStyles()) {
    std::string owner = "object style " + std::to_string(style.id);
    if (std::string fault = AttributesFault(db, style.attributes, owner); !fault.empty()) return fault;
  }
  for (UID item : db.GetAllUIDs()) {
    if (!LayoutUtils::IsPageItem(&db, item)) continue;
    std::string owner = "item " + std::to_string(item.Get());
    if (auto attributes = Instantiate<IGraphicAttributes>(&db, item)) {
      if (std::string fault = AttributesFault(db, attributes->GetAttributes(), owner); !fault.empty())
        return fault;
    }
    auto named = Instantiate<IItemObjectStyle>(&db, item);
    if (named && named->GetStyle() != kInvalidObjectStyle && !list->FindStyle(named->GetStyle()))
      return owner + " names an object style the document lacks";
  }
  return "";
}

}  // namespace ItemLook
