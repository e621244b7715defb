// Style infos.
#include "kesto/model/VyStyleInfo.h"

#include "host/text/StyleNames.h"
#include "host/text/StyleUtils.h"

namespace kesto {

void VyCharacterStyleInfo::SetName(std::u16string_view name) {
  name_ = WideString(name.substr(0, kMaxStyleNameLength));
}

void VyCharacterStyleInfo::Clear() {
  LoadFrom(RootStyle(), AttributeBossList());
  ClearLastError();
  basedOn_ = kInvalidUID;
  styleUID_ = kInvalidUID;
}

bool VyCharacterStyleInfo::LoadFromStyle(UID style) {
  Clear();
  InterfacePtr<IStyleInfo> found = StyleUtils::QueryStyle(GetDocument(), style, GetStyleKind());
  if (!found) return false;
  // The root style has nothing above it: a copy of it is the root's look with no overrides.
  UID root = RootStyle();
  if (style == root) return true;
  UID basedOn = found->GetBasedOn().IsValid() ? found->GetBasedOn() : root;
  LoadFrom(basedOn, found->GetAttributes());
  basedOn_ = basedOn;
  return true;
}

void VyCharacterStyleInfo::BaseOn(UID style) {
  Clear();
  LoadFrom(style, AttributeBossList());
  basedOn_ = style;
}

void VyCharacterStyleInfo::LoadFromDefaultStyle() {
  UID style = GetStyleKind() == StyleKind::kParagraph ? DefaultParagraphStyle() : DefaultCharacterStyle();
  if (!LoadFromStyle(style)) (void)LoadFromStyle(RootStyle());
}

void VyCharacterStyleInfo::RebaseOnRoot() {
  UID root = RootStyle();
  AttributeBossList look = StyleAttributesAboveRoot(GetStyle());
  if (const AttributeBossList* own = GetAgent()->GetOverrides()) look.ApplyAttributes(*own);
  LoadFrom(root, look);
  basedOn_ = root;
}

void VyParagraphStyleInfo::Clear() {
  VyCharacterStyleInfo::Clear();
  nextStyle_ = kInvalidUID;
  nextStyleName_.clear();
  characterStyle_ = kInvalidUID;
}

bool VyParagraphStyleInfo::LoadFromStyle(UID style) {
  if (!VyCharacterStyleInfo::LoadFromStyle(style)) return false;
  InterfacePtr<IStyleInfo> found = StyleUtils::QueryStyle(GetDocument(), style, StyleKind::kParagraph);
  nextStyle_ = found->GetNextStyle();
  characterStyle_ = found->GetCharacterStyle();
  return true;
}

}  // namespace kesto
