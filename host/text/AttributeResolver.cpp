// Resolving attributes through overrides, styles and defaults.
#include "host/text/AttributeResolver.h"

#include "host/text/AttributeClasses.h"
#include "host/text/StyleUtils.h"

namespace AttributeResolver {

// Readers ask this for every attribute they look up, so it allocates nothing: a chain that loops ends at
// the depth limit, where a loop-free chain of that depth would end too.
InterfacePtr<ITextAttribute> FromStyle(const IDataBase* db, UID style, ClassID cls) {
  UID uid = style;
  for (int depth = 0; uid.IsValid() && depth < kMaxStyleDepth; ++depth) {
    InterfacePtr<IStyleInfo> info = Instantiate<IStyleInfo>(db, uid);
    if (!info) break;
    if (const ITextAttribute* attribute = info->GetAttributes().GetByClass(cls))
      return InterfacePtr<ITextAttribute>::Share(const_cast<ITextAttribute*>(attribute));
    if (info->GetBasedOn().IsValid()) {
      uid = info->GetBasedOn();
      continue;
    }
    UID root = StyleUtils::GetRootStyle(db, info->GetKind());
    uid = root == uid ? kInvalidUID : root;
  }
  return {};
}

namespace {

std::optional<ResolvedAttribute> FromRun(const IDataBase* db, const TextRun& run, ClassID cls,
                                         AttributeSource overrideSource, AttributeSource styleSource) {
  if (const ITextAttribute* attribute = run.overrides->GetByClass(cls))
    return ResolvedAttribute{attribute->GetValue(), overrideSource};
  if (InterfacePtr<ITextAttribute> attribute = FromStyle(db, run.style, cls))
    return ResolvedAttribute{attribute->GetValue(), styleSource};
  return std::nullopt;
}

}  // namespace

Place PlaceAt(const ITextModel* story, int32_t position, bool withCharacterRun) {
  Place place{.db = ::GetDataBase(story)};
  if (!story) return place;
  if (withCharacterRun) place.character = story->GetRunAt(TextStrand::kCharacter, position);
  place.paragraph = story->GetRunAt(TextStrand::kParagraph, position);
  return place;
}

std::optional<ResolvedAttribute> Resolve(const Place& place, ClassID cls) {
  const IDataBase* db = place.db;
  if (place.character && !AttributeClasses::IsParagraphAttribute(cls)) {
    if (auto found = FromRun(db, *place.character, cls, AttributeSource::kCharacterOverride,
                             AttributeSource::kCharacterStyle))
      return found;
  }
  if (place.paragraph) {
    if (auto found = FromRun(db, *place.paragraph, cls, AttributeSource::kParagraphOverride,
                             AttributeSource::kParagraphStyle))
      return found;
    if (InterfacePtr<ITextAttribute> attribute =
            FromStyle(db, StyleUtils::GetRootStyle(db, StyleKind::kParagraph), cls))
      return ResolvedAttribute{attribute->GetValue(), AttributeSource::kParagraphStyle};
  }
  const AttributeClassInfo* info = AttributeClasses::Find(cls);
  if (!info) return std::nullopt;
  return ResolvedAttribute{info->defaultValue, AttributeSource::kClassDefault};
}

std::optional<ResolvedAttribute> Resolve(const ITextModel* story, int32_t position, ClassID cls) {
  return Resolve(PlaceAt(story, position, !AttributeClasses::IsParagraphAttribute(cls)), cls);
}

}  // namespace AttributeResolver
