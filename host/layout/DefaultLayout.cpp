// The layout of new documents.
#include "host/layout/DefaultLayout.h"

#include <algorithm>

#include "host/cmd/ErrorUtils.h"
#include "host/layout/LayoutEdits.h"
#include "host/text/IStoryList.h"

namespace {

constexpr int32_t kMaxNewPages = 9999;
constexpr size_t kMaxMasters = 26 * 4;

template <class T>
InterfacePtr<T> Query(IDataBase* db, UID uid) {
  return Instantiate<T>(db, uid);
}

UID FrameOnMarginBox(IDataBase* db, UID page, const PageSetupValues& setup) {
  auto p = Query<IPage>(db, page);
  UID parent = LayoutEdits::ParentFor(db, p->GetSpread(), kInvalidUID);
  UID frame = LayoutEdits::NewItem(db, kTextFrameBoss, parent, -1, LayoutUtils::MarginBoxInSpread(db, page));
  FrameOptions options = setup.frameDefaults;
  options.columns = p->GetColumns();
  options.gutter = p->GetGutter();
  if (auto textFrame = Query<ITextFrame>(db, frame)) textFrame->SetOptions(options);
  return frame;
}

void AttachStory(IDataBase* db, UID frame, UID story) {
  UID frameList = db->NewObject(kFrameListBoss);
  Query<IFrameList>(db, frameList)->SetStory(story);
  Query<IStoryFrames>(db, story)->SetFrameList(frameList);
  LayoutEdits::AddFrame(db, frameList, frame, 0);
}

ErrorCode BuildMasters(IDataBase* db, const NewLayoutOptions& o, int32_t pagesPerMaster) {
  for (const auto& m : o.masters) {
    UID basedOn = m.basedOn.empty() ? kInvalidUID : LayoutUtils::FindMasterSpread(db, m.basedOn);
    if (!m.basedOn.empty() && !basedOn.IsValid()) return kInvalidParameterError;
    UID spread = LayoutEdits::NewSpread(db, true, -1);
    Query<IMasterSpread>(db, spread)->SetPrefixAndName(m.prefix, m.name);
    for (int32_t i = 0; i < pagesPerMaster; ++i)
      LayoutEdits::NewPage(db, spread, -1, 0, 0, basedOn);
  }
  return kSuccess;
}

void BuildPages(IDataBase* db, const NewLayoutOptions& o, UID master) {
  auto setup = LayoutUtils::QueryPageSetup(db);
  int32_t made = 0;
  for (int32_t s = 0; made < o.pages; ++s) {
    UID spread = LayoutEdits::NewSpread(db, false, -1);
    for (int32_t n = 0; n < setup->PagesInSpread(s) && made < o.pages; ++n, ++made)
      LayoutEdits::NewPage(db, spread, -1, 0, 0, master);
  }
}

ErrorCode MasterFrames(IDataBase* db, const PageSetupValues& setup) {
  auto spreads = LayoutUtils::QuerySpreadList(db);
  for (int32_t s = 0; s < spreads->CountMasterSpreads(); ++s) {
    auto spread = Query<ISpread>(db, spreads->GetNthMasterSpread(s));
    for (int32_t i = 0; i < spread->CountPages(); ++i) {
      UID story;
      if (ErrorCode err =
              LayoutEdits::NewStoryForFrame(db, FrameOnMarginBox(db, spread->GetNthPage(i), setup), story);
          err != kSuccess)
        return err;
    }
  }
  return kSuccess;
}

}  // namespace

std::string NewLayoutOptions::Fault() const {
  if (std::string fault = setup.Fault(); !fault.empty()) return fault;
  if (pages < 1 || pages > kMaxNewPages) return "the page count is out of range";
  if (masterPages < 0 || masterPages > kMaxPagesPerSpread) return "the master page count is out of range";
  if (masters.size() > kMaxMasters) return "there are too many masters";
  if (layers.empty()) return "a document needs a layer";
  for (size_t i = 0; i < layers.size(); ++i) {
    if (std::find(layers.begin(), layers.begin() + static_cast<std::ptrdiff_t>(i), layers[i]) !=
        layers.begin() + static_cast<std::ptrdiff_t>(i))
      return "two layers are named '" + Utf8FromWide(layers[i]) + "'";
  }
  for (size_t i = 0; i < masters.size(); ++i) {
    if (masters[i].prefix.empty()) return "a master has no prefix";
    bool basedOnFound = masters[i].basedOn.empty();
    for (size_t j = 0; j < i; ++j) {
      if (LayoutUtils::SameIgnoringCase(masters[j].prefix, masters[i].prefix))
        return "two masters have the same prefix";
      basedOnFound =
          basedOnFound || LayoutUtils::SameIgnoringCase(masters[j].prefix, masters[i].basedOn) ||
          LayoutUtils::SameIgnoringCase(masters[j].prefix + u"-" + masters[j].name, masters[i].basedOn);
    }
    if (!basedOnFound) return "a master is based on a master that does not come before it";
  }
  for (const NewSection& s : sections) {
    if (s.firstPage < 1 || s.firstPage > pages) return "a section starts beyond the pages";
  }
  return {};
}

namespace DefaultLayout {

bool HasLayout(const IDataBase& db) {
  auto spreads = LayoutUtils::QuerySpreadList(&db);
  return spreads && spreads->CountSpreads() > 0;
}

ErrorCode Build(IDataBase& dbRef, const NewLayoutOptions& o, UID mainStory) {
  IDataBase* db = &dbRef;
  auto setup = LayoutUtils::QueryPageSetup(db);
  auto layers = LayoutUtils::QueryLayerList(db);
  auto sections = LayoutUtils::QuerySectionList(db);
  if (!setup || !layers || !sections || !o.Fault().empty()) return kInvalidParameterError;
  uint64_t standIns = db->CountStandIns();
  setup->Set(o.setup);
  for (const WideString& name : o.layers)
    LayoutEdits::NewLayer(db, name, -1);
  layers->SetActiveLayer(layers->GetNthLayer(0));
  int32_t pagesPerMaster = o.masterPages > 0 ? o.masterPages : o.setup.pagesPerSpread;
  if (ErrorCode err = BuildMasters(db, o, pagesPerMaster); err != kSuccess) return err;
  BuildPages(db, o, LayoutUtils::QuerySpreadList(db)->GetNthMasterSpread(0));
  std::vector<Section> list;
  for (const auto& s : o.sections)
    list.push_back({LayoutUtils::PageAt(db, s.firstPage - 1), s.name});
  sections->SetSections(std::move(list));
  if (o.masterFrames) {
    if (ErrorCode err = MasterFrames(db, o.setup); err != kSuccess) return err;
  }
  if (o.mainFrame && Query<IStoryFrames>(db, mainStory)) {
    // A damaged document's page setup may have left no page to hold the main frame.
    UID firstPage = LayoutUtils::PageAt(db, 0);
    if (!Query<IPage>(db, firstPage)) return kInvalidParameterError;
    AttachStory(db, FrameOnMarginBox(db, firstPage, o.setup), mainStory);
  }
  // A database out of UIDs made stand-ins, which cannot be saved.
  return db->CountStandIns() == standIns ? kSuccess : kOutOfMemoryError;
}

}  // namespace DefaultLayout
