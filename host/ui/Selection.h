// Selection: what the user has selected in a document: a range of a story's text, or page items (never
// both). Plug-ins offer suites on it: each adds its suite interface to kAbstractSelectionBoss, the object
// callers ask, and to the concrete selection objects (kTextSelectionBoss, kLayoutSelectionBoss), which do
// the work for their kind of selection; the abstract suite forwards to the concrete suites in force.
#pragma once

#include "host/core/IDs.h"

#include <vector>

#include "host/core/BossRef.h"
#include "host/core/InterfacePtr.h"
#include "host/db/UIDRef.h"

inline constexpr ClassID kAbstractSelectionBoss = 0x20700;
inline constexpr ClassID kTextSelectionBoss = 0x20701;
inline constexpr ClassID kLayoutSelectionBoss = 0x20702;

class Selection {
 public:
  static Selection& Get();

  // A text target: [start, end) of `story` (an empty range is a caret).
  void SelectText(const UIDRef& story, int32_t start, int32_t end);
  void SelectItems(const UIDList& items);
  void Clear();
  // Forgets the selection when it lies in `db` (a document that closes).
  void ForgetDataBase(const IDataBase* db);

  bool HasTextTarget() const { return story_.GetDataBase() != nullptr; }
  const UIDRef& GetStory() const { return story_; }
  int32_t GetStart() const { return start_; }
  int32_t GetEnd() const { return end_; }
  const UIDList& GetItems() const { return items_; }

  // The abstract selection's interface `iid`; empty when no plug-in offers it.
  InterfacePtr<IPMUnknown> QueryAbstractSuite(PMIID iid);
  // The concrete suites with `iid` of the selection in force: the text selection's for a text target,
  // the layout selection's for page items.
  std::vector<InterfacePtr<IPMUnknown>> QueryConcreteSuites(PMIID iid);

  // Releases the suite objects (after plug-ins are loaded, so that the next ones have their add-ins, and
  // at shut-down) and the selection.
  void Reset();

 private:
  IPMUnknown* Query(BossRef& boss, ClassID cls, PMIID iid);

  UIDRef story_;
  int32_t start_ = 0, end_ = 0;
  UIDList items_;
  BossRef abstract_, text_, layout_;
};

// Registers the three selection classes, with no interfaces of their own.
// kIDClashError at the first ID already taken (the rest of the area is then not registered).
[[nodiscard]] ErrorCode RegisterSelectionClasses();

template <class T>
InterfacePtr<T> QuerySelectionSuite() {
  InterfacePtr<IPMUnknown> suite = Selection::Get().QueryAbstractSuite(T::kDefaultIID);
  return InterfacePtr<T>(suite.get(), UseDefaultIID());
}
