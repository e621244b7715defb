// AttributeResolver: the value of an attribute in force at a text position, as composition and export see
// it: the character run's overrides, its character style and the styles that style is based on, the
// paragraph's overrides, its paragraph style and that style's based-on chain, the root paragraph style's
// defaults and, last, the attribute class's own default.
#pragma once

#include <optional>

#include "host/core/InterfacePtr.h"
#include "host/db/IDataBase.h"
#include "host/text/ITextAttribute.h"
#include "host/text/ITextModel.h"

enum class AttributeSource : uint8_t {
  kCharacterOverride,
  kCharacterStyle,
  kParagraphOverride,
  kParagraphStyle,
  kClassDefault,
};

struct ResolvedAttribute {
  AttributeValue value;
  AttributeSource source = AttributeSource::kClassDefault;
};

namespace AttributeResolver {

// The attribute of `cls` that `style` gives: its own, else that of the styles it is based on (a chain of
// at most kMaxStyleDepth; a paragraph style's chain ends at the root paragraph style). Empty when none has
// it.
InterfacePtr<ITextAttribute> FromStyle(const IDataBase* db, UID style, ClassID cls);
inline constexpr int kMaxStyleDepth = 64;

// The attribute of `cls` in force at `position` of `story` (paragraph attributes skip the character
// side). Empty only for a class nobody registered that nothing sets.
std::optional<ResolvedAttribute> Resolve(const ITextModel* story, int32_t position, ClassID cls);

// The runs in force at one position, looked up once for readers that resolve many attributes there (a
// run's font, a paragraph's format): each lookup of a run searches the story's runs.
struct Place {
  const IDataBase* db = nullptr;
  std::optional<TextRun> character;  // missing when only paragraph attributes are resolved
  std::optional<TextRun> paragraph;  // missing without a story
};
Place PlaceAt(const ITextModel* story, int32_t position, bool withCharacterRun = true);
// As Resolve above, at `place`; a character attribute at a place without its character run resolves as
// if the run had no overrides and no style.
std::optional<ResolvedAttribute> Resolve(const Place& place, ClassID cls);

}  // namespace AttributeResolver
