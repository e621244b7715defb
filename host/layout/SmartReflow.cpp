// Asking the smart-reflow providers.
#include "host/layout/SmartReflow.h"

#include "host/core/ObjectModel.h"
#include "host/core/ServiceRegistry.h"
#include "host/layout/ISmartReflowService.h"

namespace SmartReflow {
namespace {

template <class Question>
bool AllAgree(Question ask) {
  for (ClassID provider : ServiceRegistry::Get().GetProviders(kSmartReflowService)) {
    auto service = CreateObject<ISmartReflowService>(provider);
    if (service && !ask(*service)) return false;
  }
  return true;
}

}  // namespace

bool MayAddPagesForStory(const IDataBase* db, UID frameList) {
  return AllAgree([&](const ISmartReflowService& s) { return s.MayAddPagesForStory(db, frameList); });
}

bool MayRemovePagesOfStory(const IDataBase* db, UID frameList) {
  return AllAgree([&](const ISmartReflowService& s) { return s.MayRemovePagesOfStory(db, frameList); });
}

bool MayReflowDocument(const IDataBase* db) {
  return AllAgree([&](const ISmartReflowService& s) { return s.MayReflowDocument(db); });
}

bool MayAddSpreads(const IDataBase* db) {
  return AllAgree([&](const ISmartReflowService& s) { return s.MayAddSpreads(db); });
}

bool MayRemoveEmptyPages(const IDataBase* db) {
  return AllAgree([&](const ISmartReflowService& s) { return s.MayRemoveEmptyPages(db); });
}

}  // namespace SmartReflow
