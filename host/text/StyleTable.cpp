// Style tables.
#include "host/text/StyleTable.h"

#include <algorithm>
#include <memory>

#include "host/core/ObjectModel.h"
#include "host/db/IDataBase.h"
#include "host/db/IPMStream.h"
#include "host/db/UndoRecord.h"
#include "host/text/StyleInfo.h"
#include "host/text/StyleNames.h"
#include "host/text/StyleUtils.h"

namespace {

// Styles a step added to the end of a table. A snapshot of the whole table before each new style would
// make n new styles in one step (an import) cost n^2; this record costs what was added.
class StylesAdded final : public UndoRecord {
 public:
  StylesAdded(UID owner, StyleKind kind, UID style) : owner_(owner), kind_(kind), styles_{style} {}

  void Revert(IDataBase& db) override {
    if (StyleTable* table = TableIn(db)) table->TakeBackLast(static_cast<int32_t>(styles_.size()));
  }
  void Reapply(IDataBase& db) override {
    if (StyleTable* table = TableIn(db)) table->PutBack(styles_);
  }
  bool Absorb(UndoRecord& next) override {
    auto* added = dynamic_cast<StylesAdded*>(&next);
    if (!added || added->owner_ != owner_ || added->kind_ != kind_) return false;
    styles_.insert(styles_.end(), added->styles_.begin(), added->styles_.end());
    return true;
  }
  UID GetObject() const override { return owner_; }

 private:
  StyleTable* TableIn(IDataBase& db) const {
    InterfacePtr<IStyleTable> table = StyleUtils::QueryStyleTable(&db, kind_);
    // The host's style tables are all of this one implementation.
    return static_cast<StyleTable*>(table.get());
  }

  UID owner_;
  StyleKind kind_;
  std::vector<UID> styles_;
};

}  // namespace

StyleKind StyleTable::GetKind() const {
  return GetImplementationID() == kCharStyleTableImpl ? StyleKind::kCharacter : StyleKind::kParagraph;
}

UID StyleTable::GetNthStyle(int32_t index) const {
  return index >= 0 && index < CountStyles() ? styles_[static_cast<size_t>(index)] : kInvalidUID;
}

bool StyleTable::ContainsStyle(UID style) const {
  return style.IsValid() && members_.contains(style);
}

StyleLookup StyleTable::FindByName(std::u16string_view name) const {
  if (name.empty() || !::GetDataBase(this)) return {};
  const NameIndex& index = Index();
  std::u16string key(name);
  StyleLookup exact;
  if (auto found = index.byFullName.find(key); found != index.byFullName.end())
    Collect(
        found->second, [name](const WideString& full) { return full == name; }, exact);
  if (exact.matches > 0 || name.find(kStyleGroupSeparator) != std::u16string_view::npos) return exact;
  StyleLookup byOwnName;
  if (auto found = index.byOwnName.find(key); found != index.byOwnName.end())
    Collect(
        found->second, [name](const WideString& full) { return StyleNames::LeafName(full) == name; },
        byOwnName);
  return byOwnName;
}

// The index only narrows the search: each candidate is asked for its name, so that a style that is gone
// matches nothing.
template <class Matches>
void StyleTable::Collect(const std::vector<UID>& candidates, Matches matches, StyleLookup& lookup) const {
  IDataBase* db = ::GetDataBase(this);
  for (UID uid : candidates) {
    InterfacePtr<IStyleInfo> style = Instantiate<IStyleInfo>(db, uid);
    if (!style || !matches(style->GetName())) continue;
    if (lookup.matches++ == 0) lookup.style = uid;
  }
}

const StyleTable::NameIndex& StyleTable::Index() const {
  uint64_t renames = StyleRenameCount();
  if (index_.built && index_.renames == renames && !NamedSinceIndexed()) return index_;
  index_ = NameIndex();
  for (UID uid : styles_)
    IndexStyle(index_, uid);
  index_.renames = renames;
  index_.built = true;
  return index_;
}

// A style's first name is no rename: a style that had none when it was indexed is looked at again.
bool StyleTable::NamedSinceIndexed() const {
  IDataBase* db = ::GetDataBase(this);
  return std::any_of(index_.unnamed.begin(), index_.unnamed.end(), [db](UID uid) {
    InterfacePtr<IStyleInfo> style = Instantiate<IStyleInfo>(db, uid);
    return style && !style->GetName().empty();
  });
}

void StyleTable::IndexStyle(NameIndex& index, UID uid) const {
  InterfacePtr<IStyleInfo> style = Instantiate<IStyleInfo>(::GetDataBase(this), uid);
  if (!style) return;
  const WideString& full = style->GetName();
  if (full.empty()) return index.unnamed.push_back(uid);
  index.byFullName[full].push_back(uid);
  std::u16string_view own = StyleNames::LeafName(full);
  if (own.size() != full.size()) index.byOwnName[std::u16string(own)].push_back(uid);
}

bool StyleTable::HasGroup(std::u16string_view path) const {
  return groupSet_.contains(WideString(path));
}

void StyleTable::AddStyle(UID style) {
  if (!style.IsValid() || ContainsStyle(style)) return;
  IDataBase* db = ::GetDataBase(this);
  if (!db || !db->IsInStep() ||
      db->AddUndoRecord(std::make_unique<StylesAdded>(::GetUID(this), GetKind(), style)) != kSuccess) {
    if (PreDirty() != kSuccess) return;
  }
  PutBack({style});
}

void StyleTable::PutBack(const std::vector<UID>& styles) {
  for (UID style : styles) {
    styles_.push_back(style);
    members_.insert(style);
    if (index_.built) IndexStyle(index_, style);
  }
}

void StyleTable::TakeBackLast(int32_t count) {
  for (; count > 0 && !styles_.empty(); --count) {
    members_.erase(styles_.back());
    styles_.pop_back();
  }
  index_.built = false;
}

void StyleTable::AddGroup(const WideString& path) {
  if (path.empty() || HasGroup(path)) return;
  if (PreDirty() != kSuccess) return;
  groups_.push_back(path);
  groupSet_.insert(path);
}

void StyleTable::SetRootStyle(UID style) {
  if (style == root_) return;
  if (PreDirty() != kSuccess) return;
  root_ = style;
}

void StyleTable::SetDefaultStyle(UID style) {
  if (style == default_) return;
  if (PreDirty() != kSuccess) return;
  default_ = style;
}

void StyleTable::ReadWrite(IPMStream* stream, ImplementationID) {
  stream->XferReference(root_);
  stream->XferReference(default_);
  uint32_t count = stream->XferCount(static_cast<uint32_t>(styles_.size()), 4);
  if (stream->IsReading()) styles_.assign(count, UID());
  for (UID& uid : styles_)
    stream->XferReference(uid);
  if (stream->IsReading()) {
    members_ = std::unordered_set<UID>(styles_.begin(), styles_.end());
    index_.built = false;
  }
  count = stream->XferCount(static_cast<uint32_t>(groups_.size()), 4);
  if (stream->IsReading()) groups_.assign(count, WideString());
  for (WideString& group : groups_)
    stream->XferString(group);
  if (stream->IsReading()) groupSet_ = std::unordered_set<WideString>(groups_.begin(), groups_.end());
}
