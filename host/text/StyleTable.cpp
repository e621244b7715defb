// Style tables.
#include "host/text/StyleTable.h"

#include <algorithm>

#include "host/db/IDataBase.h"
#include "host/db/IPMStream.h"
#include "host/text/StyleNames.h"

StyleKind StyleTable::GetKind() const {
  return GetImplementationID() == kCharStyleTableImpl ? StyleKind::kCharacter : StyleKind::kParagraph;
}

UID StyleTable::GetNthStyle(int32_t index) const {
  return index >= 0 && index < CountStyles() ? styles_[static_cast<size_t>(index)] : kInvalidUID;
}

bool StyleTable::ContainsStyle(UID style) const {
  return style.IsValid() && std::find(styles_.begin(), styles_.end(), style) != styles_.end();
}

// Style tables hold tens of styles, so a walk over their names is cheaper than keeping an index in step
// with renames, undo and loading.
StyleLookup StyleTable::FindByName(std::u16string_view name) const {
  StyleLookup exact;
  StyleLookup byOwnName;
  IDataBase* db = ::GetDataBase(this);
  if (name.empty() || !db) return {};
  bool bare = name.find(kStyleGroupSeparator) == std::u16string_view::npos;
  for (UID uid : styles_) {
    InterfacePtr<IStyleInfo> style = Instantiate<IStyleInfo>(db, uid);
    if (!style) continue;
    const WideString& full = style->GetName();
    StyleLookup* match = full == name                                 ? &exact
                         : bare && StyleNames::LeafName(full) == name ? &byOwnName
                                                                      : nullptr;
    if (!match) continue;
    if (match->matches++ == 0) match->style = uid;
  }
  return exact.matches > 0 ? exact : byOwnName;
}

bool StyleTable::HasGroup(std::u16string_view path) const {
  return std::find(groups_.begin(), groups_.end(), path) != groups_.end();
}

void StyleTable::AddStyle(UID style) {
  if (!style.IsValid() || ContainsStyle(style)) return;
  PreDirty();
  styles_.push_back(style);
}

void StyleTable::AddGroup(const WideString& path) {
  if (path.empty() || HasGroup(path)) return;
  PreDirty();
  groups_.push_back(path);
}

void StyleTable::SetRootStyle(UID style) {
  if (style == root_) return;
  PreDirty();
  root_ = style;
}

void StyleTable::SetDefaultStyle(UID style) {
  if (style == default_) return;
  PreDirty();
  default_ = style;
}

void StyleTable::ReadWrite(IPMStream* stream, ImplementationID) {
  stream->XferReference(root_);
  stream->XferReference(default_);
  uint32_t count = stream->XferCount(static_cast<uint32_t>(styles_.size()), 4);
  if (stream->IsReading()) styles_.assign(count, UID());
  for (UID& uid : styles_)
    stream->XferReference(uid);
  count = stream->XferCount(static_cast<uint32_t>(groups_.size()), 4);
  if (stream->IsReading()) groups_.assign(count, WideString());
  for (WideString& group : groups_)
    stream->XferString(group);
}
