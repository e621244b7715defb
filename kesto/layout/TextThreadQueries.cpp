// Reaching the text threads through the document's text-thread manager.
#include "kesto/layout/TextThreadQueries.h"

#include "host/layout/ITextFrame.h"
#include "host/layout/LayoutUtils.h"
#include "sorvia/include/ITextThreadManager.h"

namespace kesto {
namespace {

// The queries answered by the thread plug-in's manager, which this plug-in reaches only through the
// manager's published interface.
class ManagerQueries final : public TextThreadQueries {
 public:
  ManagerQueries(IDataBase* db, InterfacePtr<sorvia::ITextThreadManager> manager)
      : db_(db), manager_(std::move(manager)) {}

  UID ThreadOfStory(UID story) const override {
    auto list = Instantiate<IFrameList>(db_, LayoutUtils::FrameListOfStory(db_, story));
    return list ? manager_->GetThreadOfFrameList(list.get()) : kInvalidUID;
  }
  bool IsOrphanFrame(UID frame) const override {
    auto text = Instantiate<ITextFrame>(db_, frame);
    return text && manager_->IsOrphanFrame(text.get());
  }
  UID ThreadStoryOnPage(UID page, UID thread) const override {
    auto list = Instantiate<IFrameList>(db_, manager_->FindThreadStoryOnPage(page, thread));
    return list ? list->GetStory() : kInvalidUID;
  }

 private:
  IDataBase* db_;
  InterfacePtr<sorvia::ITextThreadManager> manager_;
};

}  // namespace

std::unique_ptr<TextThreadQueries> LookUpTextThreads(IDataBase* db) {
  if (!db) return nullptr;
  auto manager = Instantiate<sorvia::ITextThreadManager>(db, db->GetRootUID());
  if (!manager) return nullptr;
  return std::make_unique<ManagerQueries>(db, std::move(manager));
}

}  // namespace kesto
