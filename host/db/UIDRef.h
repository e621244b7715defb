// UIDRef: an object of a database, and UIDList: several objects of one database.
#pragma once

#include <vector>

#include "host/db/IDataBase.h"

class UIDRef {
 public:
  UIDRef() = default;
  UIDRef(IDataBase* db, UID uid) : db_(db), uid_(uid) {}
  static UIDRef Of(const IPMUnknown* face) {
    return face ? UIDRef(::GetDataBase(face), face->GetBoss()->GetUID()) : UIDRef();
  }

  IDataBase* GetDataBase() const { return db_; }
  UID GetUID() const { return uid_; }
  bool IsValid() const { return db_ != nullptr && uid_.IsValid(); }
  template <class T>
  InterfacePtr<T> Query(PMIID iid = T::kDefaultIID) const {
    return ::Instantiate<T>(db_, uid_, iid);
  }
  bool operator==(const UIDRef&) const = default;

 private:
  IDataBase* db_ = nullptr;
  UID uid_;
};

class UIDList {
 public:
  UIDList() = default;
  explicit UIDList(IDataBase* db) : db_(db) {}
  UIDList(IDataBase* db, std::vector<UID> uids) : db_(db), uids_(std::move(uids)) {}
  explicit UIDList(const UIDRef& ref) : db_(ref.GetDataBase()) {
    if (ref.GetUID().IsValid()) uids_.push_back(ref.GetUID());
  }

  IDataBase* GetDataBase() const { return db_; }
  void SetDataBase(IDataBase* db) { db_ = db; }
  size_t size() const { return uids_.size(); }
  bool empty() const { return uids_.empty(); }
  UID operator[](size_t i) const { return uids_[i]; }
  UIDRef GetRef(size_t i) const { return UIDRef(db_, uids_[i]); }
  void push_back(UID uid) { uids_.push_back(uid); }
  bool Contains(UID uid) const;
  const std::vector<UID>& UIDs() const { return uids_; }
  auto begin() const { return uids_.begin(); }
  auto end() const { return uids_.end(); }
  bool operator==(const UIDList&) const = default;

 private:
  IDataBase* db_ = nullptr;
  std::vector<UID> uids_;
};
