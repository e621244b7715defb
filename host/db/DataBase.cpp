// The in-memory database and its undo history.
#include "host/db/DataBase.h"

#include <algorithm>
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

UntrackedChanges::UntrackedChanges(IDataBase* db) : db_(db) {
  if (db_) db_->SuspendTracking();
}

UntrackedChanges::~UntrackedChanges() {
  if (db_) db_->ResumeTracking();
}

// Snapshot restores read an implementation's state back behind its back; once the whole run of changes is
// back, each such implementation still in the database hears of it once, so it can rebuild what it derives.
class DataBase::Restore {
 public:
  explicit Restore(DataBase& db) : db_(db), untracked_(&db) {}
  ~Restore() {
    for (auto [uid, impl] : restored_) {
      if (db_.GetBoss(uid) == impl->GetBossObject()) impl->DidRestore();
    }
  }
  void Note(UID uid, CPMUnknownBase* impl) {
    if (std::find(restored_.begin(), restored_.end(), std::pair{uid, impl}) == restored_.end())
      restored_.emplace_back(uid, impl);
  }

 private:
  DataBase& db_;
  UntrackedChanges untracked_;
  std::vector<std::pair<UID, CPMUnknownBase*>> restored_;
};

DataBase::DataBase() = default;

DataBase::~DataBase() {
  // Detach first: an implementation's destructor must not reach a half-destroyed database.
  for (auto& [uid, boss] : objects_)
    boss->SetHome(nullptr, uid);
  history_.clear();
  open_.changes.clear();
  objects_.clear();
}

void DataBase::Insert(UID uid, BossRef boss) {
  boss->SetHome(this, uid);
  objects_[uid] = std::move(boss);
}

BossRef DataBase::Remove(UID uid) {
  auto it = objects_.find(uid);
  if (it == objects_.end()) return {};
  BossRef boss = std::move(it->second);
  objects_.erase(it);
  boss->SetHome(nullptr, uid);
  return boss;
}

void DataBase::Record(Change change, size_t levelStart) {
  auto& changes = open_.changes;
  if (change.kind == Kind::kRecord && changes.size() > levelStart && changes.back().kind == Kind::kRecord &&
      changes.back().record->Absorb(*change.record)) {
    return;
  }
  changes.push_back(std::move(change));
}

UID DataBase::TakeUID() {
  if (nextUID_ < kUIDLimit) return nextUID_++;
  if (nextStandIn_ == 0) return kInvalidUID;
  ++standIns_;
  return nextStandIn_++;  // wraps to 0 after the last
}

bool DataBase::HoldsStandIns() const {
  return std::any_of(objects_.begin(), objects_.end(),
                     [](const auto& entry) { return entry.first.Get() >= kUIDLimit; });
}

UID DataBase::NewObject(ClassID cls) {
  BossRef boss(Boss::Create(cls));
  if (!boss) return kInvalidUID;
  UID uid = TakeUID();
  if (!uid.IsValid()) return kInvalidUID;
  Insert(uid, boss);
  modified_ = true;
  if (IsTracking()) {
    open_.changes.push_back({Kind::kCreated, uid, {}, {}, std::move(boss), nullptr});
    levels_.back().created.insert(uid.Get());
  }
  return uid;
}

ErrorCode DataBase::DeleteObject(UID uid) {
  BossRef boss = Remove(uid);
  if (!boss) return kInvalidParameterError;
  modified_ = true;
  if (IsTracking()) open_.changes.push_back({Kind::kDeleted, uid, {}, {}, std::move(boss), nullptr});
  return kSuccess;
}

ErrorCode DataBase::AddUndoRecord(std::unique_ptr<UndoRecord> record) {
  if (!IsInStep() || !record) return kFailure;
  modified_ = true;
  UID uid = record->GetObject();
  Record({Kind::kRecord, uid, {}, {}, {}, std::move(record)}, levels_.back().start);
  return kSuccess;
}

ErrorCode DataBase::Adopt(UID uid, Boss* boss) {
  if (!uid.IsValid() || uid.Get() >= kUIDLimit || objects_.contains(uid)) return kInvalidParameterError;
  Insert(uid, BossRef::Share(boss));
  boss->Release();  // the table's reference replaces the caller's
  if (uid.Get() >= nextUID_) nextUID_ = uid.Get() + 1;
  return kSuccess;
}

void DataBase::SetNextUID(UID uid) {
  assert(uid.Get() >= nextUID_ && uid.Get() <= kUIDLimit &&
         "a UID the database has given, or beyond the limit");
  nextUID_ = uid.Get();
}

void DataBase::DidLoad() {
  UntrackedChanges reading(this);
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
  return it == objects_.end() ? nullptr : it->second.get();
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
  std::sort(uids.begin(), uids.end());
  return uids;
}

ErrorCode DataBase::NotePreDirty(Boss& boss, ImplementationID implementation) {
  if (!IsInStep() && untracked_ == 0) {
    assert(!"a change to a document outside a command step and outside an UntrackedChanges scope");
    ++refused_;
    return kNotInCommandError;
  }
  modified_ = true;
  if (!IsTracking() || levels_.back().created.contains(boss.GetUID().Get())) return kSuccess;
  if (!levels_.back().snapshots.insert({boss.GetUID().Get(), implementation.Get()}).second) return kSuccess;
  if (CPMUnknownBase* impl = boss.GetImplementation(implementation))
    open_.changes.push_back({Kind::kChanged, boss.GetUID(), implementation, WriteState(*impl), {}, nullptr});
  return kSuccess;
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
  history_.resize(history_.size() - undone_);
  undone_ = 0;
  history_.push_back(std::move(open_));
  ++recorded_;
  open_ = Step{};
  if (history_.size() > kMaxSteps) history_.erase(history_.begin());
}

size_t DataBase::Mark() {
  levels_.push_back(Level{open_.changes.size(), {}, {}});
  return open_.changes.size();
}

void DataBase::RollbackTo(size_t mark) {
  {
    Restore restore(*this);
    while (open_.changes.size() > mark) {
      Revert(open_.changes.back(), restore);
      open_.changes.pop_back();
    }
  }
  if (levels_.size() > 1) levels_.pop_back();
}

// The mark's records join the enclosing level; a snapshot of an object that level had already snapshot (or
// created) is dropped, since undoing the whole step restores the earlier state anyway. Without this, every
// command of a long sequence would keep another copy of each object it touched. Logical records that
// continue the one before them merge with it.
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
    } else if (change.kind == Kind::kRecord && kept > parent.start &&
               changes[kept - 1].kind == Kind::kRecord && changes[kept - 1].record->Absorb(*change.record)) {
      continue;
    }
    if (kept != i) changes[kept] = std::move(change);
    ++kept;
  }
  changes.resize(kept);
}

void DataBase::SwapState(Change& change, Restore& restore) {
  Boss* boss = GetBoss(change.uid);
  CPMUnknownBase* impl = boss ? boss->GetImplementation(change.implementation) : nullptr;
  if (!impl) return;
  std::vector<uint8_t> current = WriteState(*impl);
  ReadState(*impl, change.state);
  change.state = std::move(current);
  restore.Note(change.uid, impl);
}

void DataBase::Revert(Change& change, Restore& restore) {
  switch (change.kind) {
    case Kind::kChanged:
      SwapState(change, restore);
      break;
    case Kind::kCreated:
      Remove(change.uid);  // the change keeps its own reference for a redo
      break;
    case Kind::kDeleted:
      Insert(change.uid, change.boss);
      break;
    case Kind::kRecord:
      change.record->Revert(*this);
      break;
  }
}

void DataBase::Reapply(Change& change, Restore& restore) {
  switch (change.kind) {
    case Kind::kChanged:
      SwapState(change, restore);
      break;
    case Kind::kCreated:
      Insert(change.uid, change.boss);
      break;
    case Kind::kDeleted:
      Remove(change.uid);
      break;
    case Kind::kRecord:
      change.record->Reapply(*this);
      break;
  }
}

std::string DataBase::GetUndoName() const {
  return CanUndo() ? history_[history_.size() - 1 - undone_].name : "";
}

std::string DataBase::GetRedoName() const {
  return CanRedo() ? history_[history_.size() - undone_].name : "";
}

std::vector<UID> DataBase::ObjectsOf(const Step& step) {
  std::vector<UID> uids;
  uids.reserve(step.changes.size());
  for (const auto& change : step.changes)
    uids.push_back(change.uid);
  std::sort(uids.begin(), uids.end());
  uids.erase(std::unique(uids.begin(), uids.end()), uids.end());
  return uids;
}

std::vector<UID> DataBase::GetUndoObjects() const {
  return CanUndo() ? ObjectsOf(history_[history_.size() - 1 - undone_]) : std::vector<UID>{};
}

std::vector<UID> DataBase::GetRedoObjects() const {
  return CanRedo() ? ObjectsOf(history_[history_.size() - undone_]) : std::vector<UID>{};
}

ErrorCode DataBase::Undo() {
  if (!CanUndo()) return kFailure;
  Step& step = history_[history_.size() - 1 - undone_];
  {
    Restore restore(*this);
    for (auto it = step.changes.rbegin(); it != step.changes.rend(); ++it)
      Revert(*it, restore);
  }
  ++undone_;
  modified_ = true;
  return kSuccess;
}

ErrorCode DataBase::Redo() {
  if (!CanRedo()) return kFailure;
  Step& step = history_[history_.size() - undone_];
  {
    Restore restore(*this);
    for (auto& change : step.changes)
      Reapply(change, restore);
  }
  --undone_;
  modified_ = true;
  return kSuccess;
}

void DataBase::ClearUndo() {
  history_.clear();
  undone_ = 0;
}
