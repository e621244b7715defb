// Finding what layout operations name.
#include "host/layout/LayoutReferences.h"

#include "host/core/WideString.h"
#include "host/layout/ISpread.h"
#include "host/layout/ISpreadList.h"
#include "host/layout/LayoutUtils.h"
#include "host/layout/UserInput.h"
#include "host/text/ITextModel.h"

namespace LayoutReferences {
namespace {

LayoutReference Problem(std::string problem, bool usage = false) {
  return {kInvalidUID, std::move(problem), usage};
}

// A whole number that `what` must be; the problem is a usage one.
bool Number(std::string_view text, const char* what, int32_t& number, LayoutReference& problem) {
  auto n = UserInput::ParseInteger(std::string(text));
  if (!n) {
    problem = Problem(std::string(what) + " '" + std::string(text) + "' is no whole number", true);
    return false;
  }
  number = *n;
  return true;
}

}  // namespace

LayoutReference Page(IDataBase* db, std::string_view ref) {
  LayoutReference problem;
  int32_t number = 0;
  if (size_t colon = ref.rfind(':'); colon != std::string_view::npos) {
    if (!Number(ref.substr(colon + 1), "page", number, problem)) return problem;
    LayoutReference master = Master(db, ref.substr(0, colon));
    if (!master.ok()) return master;
    // "none" stands for no master where a master is asked for; it has no pages.
    auto spread = master.uid.IsValid() ? Instantiate<ISpread>(db, master.uid) : InterfacePtr<ISpread>();
    UID page = spread && number >= 1 ? spread->GetNthPage(number - 1) : kInvalidUID;
    if (!page.IsValid()) return Problem("master page '" + std::string(ref) + "' does not exist");
    return {page};
  }
  if (!Number(ref, "page", number, problem)) return problem;
  if (number < 1 || number > LayoutUtils::CountPages(db))
    return Problem("page " + std::string(ref) + " does not exist");
  return {LayoutUtils::PageAt(db, number - 1)};
}

LayoutReference Spread(IDataBase* db, std::string_view ref) {
  LayoutReference problem;
  int32_t number = 0;
  if (!Number(ref, "spread", number, problem)) return problem;
  UID spread = number >= 1 ? LayoutUtils::QuerySpreadList(db)->GetNthSpread(number - 1) : kInvalidUID;
  if (!spread.IsValid()) return Problem("spread " + std::string(ref) + " does not exist");
  return {spread};
}

LayoutReference Master(IDataBase* db, std::string_view ref) {
  if (ref == "none") return {};
  UID master = LayoutUtils::FindMasterSpread(db, WideFromUtf8(std::string(ref)));
  if (!master.IsValid()) return Problem("no master named '" + std::string(ref) + "'");
  return {master};
}

LayoutReference Item(IDataBase* db, std::string_view ref) {
  if (ref.substr(0, 6) == "label:") {
    std::string label(ref.substr(6));
    std::vector<UID> found = LayoutUtils::ItemsLabelled(db, WideFromUtf8(label));
    if (found.empty()) return Problem("no item labelled '" + label + "'");
    if (found.size() == 1) return {found[0]};
    std::string list;
    for (UID uid : found)
      list += (list.empty() ? "" : ", ") + std::to_string(uid.Get()) + " (" +
              LayoutUtils::PlaceOfItem(db, uid) + ")";
    return Problem("the label '" + label + "' names " + std::to_string(found.size()) + " items: " + list +
                   "; give one by its UID");
  }
  LayoutReference problem;
  int32_t number = 0;
  if (!Number(ref, "item", number, problem)) return problem;
  UID uid = static_cast<uint32_t>(number);
  if (!LayoutUtils::IsPageItem(db, uid)) return Problem("item " + std::string(ref) + " does not exist");
  return {uid};
}

LayoutReference Story(IDataBase* db, std::string_view ref) {
  if (ref.substr(0, 6) == "story:") {
    LayoutReference problem;
    int32_t number = 0;
    if (!Number(ref.substr(6), "story", number, problem)) return problem;
    UID story = static_cast<uint32_t>(number);
    if (!Instantiate<ITextModel>(db, story))
      return Problem("story " + std::string(ref.substr(6)) + " does not exist");
    return {story};
  }
  LayoutReference item = Item(db, ref);
  if (!item.ok()) return item;
  UID story = LayoutUtils::StoryOfFrame(db, item.uid);
  if (!story.IsValid()) return Problem("item " + std::string(ref) + " is no text frame");
  return {story};
}

}  // namespace LayoutReferences
