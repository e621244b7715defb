// ItemLook: queries over how page items look: their own graphic attributes, their object style and what it
// governs, the values that apply, and whether an item overrides its style. Every query answers "none"
// (null, nothing, false, kInvalidObjectStyle) for a missing item or style; none changes anything.
#pragma once

#include <optional>
#include <string>

#include "host/core/InterfacePtr.h"
#include "host/db/IDataBase.h"
#include "host/layout/IObjectStyleList.h"
#include "host/layout/ObjectStyle.h"

namespace ItemLook {

InterfacePtr<IObjectStyleList> QueryStyleList(const IDataBase* db);

// The kind whose default style an item follows: text frames text, graphic frames and shapes graphic,
// groups (and anything else) general.
ObjectStyleKind KindOfItem(const IDataBase* db, UID item);
// The style the item names, or, when that names no style of the document, the default for its kind.
ObjectStyleID StyleOfItem(const IDataBase* db, UID item);
// The style as it applies: what the styles it is based on govern, with what it governs itself on top
// (categories added, attributes replaced, wrap and frame options replaced where it governs them). Nothing
// for a style the document lacks.
std::optional<ObjectStyle> ResolveStyle(const IDataBase* db, ObjectStyleID style);
// The style `style` is based on and so on, nearest first; `style` itself first.
std::vector<ObjectStyleID> StyleChain(const IDataBase* db, ObjectStyleID style);

// The value of `cls` the item has of its own; nothing when it has none.
std::optional<GraphicAttribute> OwnValue(const IDataBase* db, UID item, GraphicAttr cls);
// The value that applies to the item: its own, else its style's where the style governs `cls`.
std::optional<GraphicAttribute> EffectiveValue(const IDataBase* db, UID item, GraphicAttr cls);
// Whether the item overrides `cls` against its style: it has a value of its own and the style does not
// govern `cls` or holds another value (reals within 1e-8 equal).
bool Overrides(const IDataBase* db, UID item, GraphicAttr cls);
// Whether the item's wrap differs from its style's, the style governing wrap.
bool OverridesWrap(const IDataBase* db, UID item);

// The item's wrap; for a graphic frame without wrap holding exactly one item, that item's wrap (a frame
// around a picture wraps as its picture does).
TextWrapSettings WrapForReading(const IDataBase* db, UID item);

// Empty when every graphic attribute (of items and of styles) names a swatch or stroke style of the
// document and every item names an existing style or none; otherwise the first fault found.
std::string FindFault(const IDataBase& db);

}  // namespace ItemLook
