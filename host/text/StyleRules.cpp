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

// A lookup answers styles of that full name first; only they take the name.
bool IsNameTaken(const IDataBase* db, const IStyleTable& table, std::u16string_view name, UID except) {
  StyleLookup found = table.FindByName(name);
  InterfacePtr<IStyleInfo> first =
      found.matches > 0 ? Instantiate<IStyleInfo>(db, found.style) : InterfacePtr<IStyleInfo>();
  if (!first || first->GetName() != name) return false;
  return found.matches > 1 || found.style != except;
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
