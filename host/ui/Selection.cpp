// The user's selection and the suites on it.
#include "host/ui/Selection.h"

#include <algorithm>

#include "host/core/Boss.h"
#include "host/core/Registry.h"

Selection& Selection::Get() {
  static Selection selection;
  return selection;
}

void Selection::SelectText(const UIDRef& story, int32_t start, int32_t end) {
  Clear();
  story_ = story;
  start_ = start;
  end_ = std::max(start, end);
}

void Selection::SelectItems(const UIDList& items) {
  Clear();
  items_ = items;
}

void Selection::Clear() {
  story_ = UIDRef();
  start_ = end_ = 0;
  items_ = UIDList();
}

void Selection::ForgetDataBase(const IDataBase* db) {
  if (story_.GetDataBase() == db || (items_.GetDataBase() == db && db)) Clear();
}

IPMUnknown* Selection::Query(BossRef& boss, ClassID cls, PMIID iid) {
  if (!boss) boss = BossRef(Boss::Create(cls));
  return boss ? boss->QueryInterface(iid) : nullptr;
}

InterfacePtr<IPMUnknown> Selection::QueryAbstractSuite(PMIID iid) {
  return InterfacePtr<IPMUnknown>(Query(abstract_, kAbstractSelectionBoss, iid));
}

std::vector<InterfacePtr<IPMUnknown>> Selection::QueryConcreteSuites(PMIID iid) {
  std::vector<InterfacePtr<IPMUnknown>> suites;
  IPMUnknown* suite = nullptr;
  if (HasTextTarget()) {
    suite = Query(text_, kTextSelectionBoss, iid);
  } else if (!items_.empty()) {
    suite = Query(layout_, kLayoutSelectionBoss, iid);
  }
  if (suite) suites.emplace_back(suite);
  return suites;
}

void Selection::Reset() {
  Clear();
  abstract_ = BossRef();
  text_ = BossRef();
  layout_ = BossRef();
}

ErrorCode RegisterSelectionClasses() {
  Registry& r = Registry::Get();
  ErrorCode error = r.RegisterClass(kAbstractSelectionBoss, kInvalidClass, "kAbstractSelectionBoss", {});
  if (error == kSuccess) error = r.RegisterClass(kTextSelectionBoss, kInvalidClass, "kTextSelectionBoss", {});
  if (error == kSuccess)
    error = r.RegisterClass(kLayoutSelectionBoss, kInvalidClass, "kLayoutSelectionBoss", {});
  return error;
}
