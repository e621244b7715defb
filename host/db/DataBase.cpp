// The in-memory database and its undo history.
#include "host/db/DataBase.h"

#include <cassert>

#include "host/core/CPMUnknown.h"
#include "host/db/MemoryStream.h"

namespace {

std::vector<uint8_t> WriteState(CPMUnknownBase& impl) {
  MemoryWriteStream out;
  impl.ReadWrite(&out, impl.GetImplementationID());
  return out.TakeBytes();
}

void ReadState(CPMUnknownBase& impl, const std::vector<uint8_t>& bytes) {
  MemoryReadStream in(bytes);
  impl.ReadWrite(&in, impl.GetImplementationID());
}

}  // namespace

IDataBase* GetDataBase(const IPMUnknown* face) {
  if (!face) return nullptr;
  return dynamic_cast<IDataBase*>(face->GetBoss()->GetHome());
}

DataBase::DataBase() = default;

DataBase::~DataBase() {
  for (auto& step : history_)
    Discard(step);
  Discard(open_);
  // Detach first: an implementation's destructor must not reach a half-destroyed database.
  for (auto& [uid, boss] : objects_)
    boss->SetHome(nullptr, uid);
  for (auto& [uid, boss] : objects_)
    boss->Release();
}

void DataBase::Discard(Step& step) {
  for (auto& c : step.changes) {
    if (c.boss) c.boss->Release();
    c.boss = nullptr;
  }
  step.changes.clear();
}

void DataBase::Insert(UID uid, Boss* boss) {
  boss->SetHome(this, uid);
  objects_[uid] = boss;
}

Boss* DataBase::Remove(UID uid) {
  auto it = objects_.find(uid);
  if (it == objects_.end()) return nullptr;
  Boss* boss = it->second;
  objects_.erase(it);
  boss->SetHome(nullptr, uid);
  return boss;
}

UID DataBase::NewObject(ClassID cls) {
  Boss* boss = Boss::Create(cls);
  if (!boss) return kInvalidUID;
  UID uid = nextUID_++;
  Insert(uid, boss);
  modified_ = true;
  if (IsInStep()) {
    boss->AddRef();
    open_.changes.push_back({Kind::kCreated, uid, {}, {}, boss});
    levels_.back().created.insert(uid.Get());
  }
  return uid;
}

ErrorCode DataBase::DeleteObject(UID uid) {
  Boss* boss = Remove(uid);
  if (!boss) return kInvalidParameterError;
  modified_ = true;
  if (IsInStep()) {
    open_.changes.push_back({Kind::kDeleted, uid, {}, {}, boss});  // the table's reference moves here
  } else {
    boss->Release();
  }
  return kSuccess;
}

ErrorCode DataBase::Adopt(UID uid, Boss* boss) {
  if (!uid.IsValid() || objects_.contains(uid)) return kInvalidParameterError;
  Insert(uid, boss);
  if (uid.Get() >= nextUID_) nextUID_ = uid.Get() + 1;
  return kSuccess;
}

void DataBase::DidLoad() {
  for (const auto& [uid, boss] : objects_) {
    for (CPMUnknownBase* impl : boss->GetLivePersistentImplementations())
      impl->DidRestore();
  }
}

ClassID DataBase::GetClass(UID uid) const {
  Boss* boss = GetBoss(uid);
  return boss ? boss->GetClass() : kInvalidClass;
}

Boss* DataBase::GetBoss(UID uid) const {
  auto it = objects_.find(uid);
  return it == objects_.end() ? nullptr : it->second;
}

IPMUnknown* DataBase::Instantiate(UID uid, PMIID iid) const {
  Boss* boss = GetBoss(uid);
  return boss ? boss->QueryInterface(iid) : nullptr;
}

std::vector<UID> DataBase::GetAllUIDs() const {
  std::vector<UID> uids;
  uids.reserve(objects_.size());
  for (const auto& [uid, boss] : objects_)
    uids.push_back(uid);
  return uids;
}

void DataBase::NotePreDirty(Boss& boss, ImplementationID implementation) {
  if (restoring_) return;
  modified_ = true;
  if (!IsInStep() || levels_.back().created.contains(boss.GetUID().Get())) return;
  if (!levels_.back().snapshots.insert({boss.GetUID().Get(), implementation.Get()}).second) return;
  CPMUnknownBase* impl = boss.GetImplementation(implementation);
  if (!impl) return;
  open_.changes.push_back({Kind::kChanged, boss.GetUID(), implementation, WriteState(*impl), nullptr});
}

void DataBase::BeginStep(const std::string& name) {
  if (depth_++ > 0) return;
  open_ = Step{name, {}};
  levels_.assign(1, Level{});
}

void DataBase::EndStep() {
  assert(depth_ > 0 && "EndStep without BeginStep");
  if (--depth_ > 0) return;
  levels_.clear();
  if (open_.changes.empty()) return;
  // A new step makes the undone steps unreachable.
  while (undone_ > 0) {
    Discard(history_.back());
    history_.pop_back();
    --undone_;
  }
  history_.push_back(std::move(open_));
  open_ = Step{};
  if (history_.size() > kMaxSteps) {
    Discard(history_.front());
    history_.erase(history_.begin());
  }
}

size_t DataBase::Mark() {
  levels_.emplace_back();
  return open_.changes.size();
}

void DataBase::RollbackTo(size_t mark) {
  restoring_ = true;
  while (open_.changes.size() > mark) {
    Change& change = open_.changes.back();
    Revert(change);
    if (change.boss) change.boss->Release();
    open_.changes.pop_back();
  }
  restoring_ = false;
  if (levels_.size() > 1) levels_.pop_back();
}

// The mark's records join the enclosing level; a snapshot of an object that level had already snapshot (or
// created) is dropped, since undoing the whole step restores the earlier state anyway. Without this, every
// command of a long sequence would keep another copy of each object it touched.
void DataBase::ReleaseMark(size_t mark) {
  if (levels_.size() <= 1) return;
  Level released = std::move(levels_.back());
  levels_.pop_back();
  Level& parent = levels_.back();
  auto& changes = open_.changes;
  size_t kept = mark;
  for (size_t i = mark; i < changes.size(); ++i) {
    Change& change = changes[i];
    if (change.kind == Kind::kChanged) {
      std::pair<uint32_t, uint32_t> key{change.uid.Get(), change.implementation.Get()};
      if (parent.created.contains(key.first) || !parent.snapshots.insert(key).second) continue;
    } else if (change.kind == Kind::kCreated) {
      parent.created.insert(change.uid.Get());
    }
    if (kept != i) changes[kept] = std::move(change);
    ++kept;
  }
  changes.resize(kept);
}

void DataBase::SwapState(Change& change) {
  Boss* boss = GetBoss(change.uid);
  CPMUnknownBase* impl = boss ? boss->GetImplementation(change.implementation) : nullptr;
  if (!impl) return;
  std::vector<uint8_t> current = WriteState(*impl);
  ReadState(*impl, change.state);
  change.state = std::move(current);
}

void DataBase::Revert(Change& change) {
  switch (change.kind) {
    case Kind::kChanged:
      SwapState(change);
      break;
    case Kind::kCreated:
      if (Boss* boss = Remove(change.uid)) boss->Release();  // the record keeps its own reference
      break;
    case Kind::kDeleted:
      change.boss->AddRef();
      Insert(change.uid, change.boss);
      break;
  }
}

void DataBase::Reapply(Change& change) {
  switch (change.kind) {
    case Kind::kChanged:
      SwapState(change);
      break;
    case Kind::kCreated:
      change.boss->AddRef();
      Insert(change.uid, change.boss);
      break;
    case Kind::kDeleted:
      if (Boss* boss = Remove(change.uid)) boss->Release();
      break;
  }
}

std::string DataBase::GetUndoName() const {
  return CanUndo() ? history_[history_.size() - 1 - undone_].name : "";
}

std::string DataBase::GetRedoName() const {
  return CanRedo() ? history_[history_.size() - undone_].name : "";
}

ErrorCode DataBase::Undo() {
  if (!CanUndo()) return kFailure;
  Step& step = history_[history_.size() - 1 - undone_];
  restoring_ = true;
  for (auto it = step.changes.rbegin(); it != step.changes.rend(); ++it)
    Revert(*it);
  restoring_ = false;
  ++undone_;
  modified_ = true;
  return kSuccess;
}

ErrorCode DataBase::Redo() {
  if (!CanRedo()) return kFailure;
  Step& step = history_[history_.size() - undone_];
  restoring_ = true;
  for (auto& change : step.changes)
    Reapply(change);
  restoring_ = false;
  --undone_;
  modified_ = true;
  return kSuccess;
}

void DataBase::ClearUndo() {
  for (auto& step : history_)
    Discard(step);
  history_.clear();
  undone_ = 0;
}
