// Checks of the style commands.
#include "host/text/StyleRules.h"

#include <unordered_set>

#include "host/text/AttributeResolver.h"
#include "host/text/StyleNames.h"
#include "host/text/StyleUtils.h"

namespace StyleRules {

bool IsStyle(const IDataBase* db, UID style, StyleKind kind) {
  return static_cast<bool>(StyleUtils::QueryStyle(db, style, kind));
}

bool IsNameTaken(const IDataBase* db, const IStyleTable& table, std::u16string_view name, UID except) {
  for (int32_t i = 0; i < table.CountStyles(); ++i) {
    UID uid = table.GetNthStyle(i);
    InterfacePtr<IStyleInfo> style = Instantiate<IStyleInfo>(db, uid);
    if (uid != except && style && style->GetName() == name) return true;
  }
  return false;
}

bool MakesLoop(const IDataBase* db, UID style, UID basedOn) {
  std::unordered_set<uint32_t> visited;
  for (UID uid = basedOn; uid.IsValid();) {
    if (uid == style || !visited.insert(uid.Get()).second) return true;
    if (visited.size() > AttributeResolver::kMaxStyleDepth) return true;
    InterfacePtr<IStyleInfo> info = Instantiate<IStyleInfo>(db, uid);
    uid = info ? info->GetBasedOn() : kInvalidUID;
  }
  return false;
}

AttributeBossList AllowedAttributes(StyleKind kind, const AttributeBossList& attributes) {
  return kind == StyleKind::kCharacter ? attributes.FilterByScope(false) : attributes;
}

void AddGroups(IStyleTable& table, std::u16string_view name) {
  for (const WideString& path : StyleNames::GroupPaths(name))
    table.AddGroup(path);
}

bool AreValidReferences(const IDataBase* db, StyleKind kind, UID next, UID characterStyle) {
  if (next.IsValid() && !IsStyle(db, next, kind)) return false;
  if (!characterStyle.IsValid()) return true;
  return kind == StyleKind::kParagraph && IsStyle(db, characterStyle, StyleKind::kCharacter);
}

}  // namespace StyleRules
