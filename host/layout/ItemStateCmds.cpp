// Locks and labels.
#include "host/layout/ItemStateCmds.h"

#include <algorithm>

#include "host/layout/LayoutUtils.h"

void LockItemsCmd::Do() {
  if (!ItemsArePageItems(true)) return Fail();
  for (UID item : Items())
    Instantiate<IPageItem>(DataBase(), item)->SetLocked(Params().flag);
}

void SetLabelCmd::Do() {
  const LayoutParams& p = Params();
  if (!ItemsArePageItems(true)) return Fail();
  for (UID item : Items()) {
    auto pageItem = Instantiate<IPageItem>(DataBase(), item);
    ItemLabels labels = pageItem->GetLabels();
    if (p.key.empty()) {
      labels.label = p.name;
    } else {
      auto it = std::find_if(labels.keyed.begin(), labels.keyed.end(),
                             [&](const auto& entry) { return entry.first == p.key; });
      if (p.name.empty()) {
        if (it != labels.keyed.end()) labels.keyed.erase(it);
      } else if (it != labels.keyed.end()) {
        it->second = p.name;
      } else {
        labels.keyed.emplace_back(p.key, p.name);
      }
    }
    pageItem->SetLabels(labels);
  }
}
