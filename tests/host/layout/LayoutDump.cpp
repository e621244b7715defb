// The layout dump of the layout tests.
#include "host/core/Registry.h"
#include "host/layout/ISpread.h"
#include "tests/host/layout/LayoutFixture.h"

namespace layout_test {
namespace {

void Rect(std::ostream& out, const PMRect& r) {
  out << "(" << r.left << "," << r.top << "," << r.right << "," << r.bottom << ")";
}

void Item(IDataBase* db, UID uid, int depth, std::ostream& out) {
  out << std::string(static_cast<size_t>(depth) * 2, ' ') << uid.Get() << " "
      << Registry::Get().GetClassName(db->GetClass(uid));
  if (auto item = Instantiate<IPageItem>(db, uid)) {
    Rect(out, item->GetBounds());
    const ItemTransform& t = item->GetTransform();
    out << " t" << t.scaleX << "," << t.scaleY << "," << t.skew << "," << t.rotation << ","
        << t.flipHorizontal << t.flipVertical << " label=" << Utf8FromWide(item->GetLabels().label);
    for (const auto& [k, v] : item->GetLabels().keyed)
      out << " " << Utf8FromWide(k) << "=" << Utf8FromWide(v);
    out << " locked=" << item->IsLocked() << " of=" << item->GetOverrideOf().Get()
        << " graphic=" << item->HasGraphicContent();
  }
  if (auto frame = Instantiate<ITextFrame>(db, uid)) {
    const FrameOptions& o = frame->GetOptions();
    out << " list=" << frame->GetFrameList().Get() << " cols=" << o.columns << "," << o.gutter
        << " vj=" << int(o.verticalJustification) << " fb=" << int(o.firstBaseline) << ","
        << o.firstBaselineMinimum << " psl=" << o.paragraphSpacingLimit << " in=" << o.insets.top << ","
        << o.insets.left;
  }
  out << "\n";
  if (auto node = Instantiate<IHierarchy>(db, uid)) {
    for (UID child : node->GetChildren())
      Item(db, child, depth + 1, out);
  }
}

void SpreadLines(IDataBase* db, UID spreadUID, std::ostream& out) {
  auto spread = Instantiate<ISpread>(db, spreadUID);
  out << "spread " << spreadUID.Get() << " position=" << spread->GetPagePosition();
  if (auto master = Instantiate<IMasterSpread>(db, spreadUID))
    out << " master " << Utf8FromWide(master->GetFullName());
  out << "\n";
  for (int32_t i = 0; i < spread->CountPages(); ++i) {
    auto page = Instantiate<IPage>(db, spread->GetNthPage(i));
    const Margins& m = page->GetMargins();
    out << " page " << spread->GetNthPage(i).Get() << " " << page->GetWidth() << "x" << page->GetHeight()
        << " m" << m.top << "," << m.left << "," << m.bottom << "," << m.right << " c" << page->GetColumns()
        << "," << page->GetGutter() << " master=" << page->GetMasterSpread().Get() << " overrides";
    for (const OverrideEntry& e : page->GetOverrides())
      out << " " << e.masterItem.Get() << ">" << e.localItem.Get();
    out << "\n";
  }
  for (UID layer : Instantiate<IHierarchy>(db, spreadUID)->GetChildren())
    Item(db, layer, 1, out);
}

}  // namespace

std::string DumpLayout(IDataBase* db) {
  std::ostringstream out;
  const PageSetupValues& s = LayoutUtils::QueryPageSetup(db)->Get();
  out << "setup " << s.pageWidth << "x" << s.pageHeight << " " << s.pagesPerSpread << " " << s.facing
      << " cols " << s.columns << " frame cols " << s.frameDefaults.columns << " suspended "
      << LayoutUtils::QueryPageSetup(db)->IsLayoutSuspended() << "\n";
  auto layers = LayoutUtils::QueryLayerList(db);
  for (int32_t i = 0; i < layers->CountLayers(); ++i) {
    auto layer = Instantiate<IDocumentLayer>(db, layers->GetNthLayer(i));
    out << "layer " << layers->GetNthLayer(i).Get() << " " << Utf8FromWide(layer->GetName()) << "\n";
  }
  out << "active " << layers->GetActiveLayer().Get() << "\n";
  for (const Section& section : LayoutUtils::QuerySectionList(db)->GetSections())
    out << "section " << section.firstPage.Get() << " " << Utf8FromWide(section.name) << "\n";
  auto spreads = LayoutUtils::QuerySpreadList(db);
  for (int32_t i = 0; i < spreads->CountSpreads() + spreads->CountMasterSpreads(); ++i)
    SpreadLines(db, LayoutUtils::SpreadAt(db, i), out);
  auto stories = Instantiate<IStoryList>(db, db->GetRootUID());
  for (int32_t i = 0; i < stories->CountStories(); ++i) {
    UID story = stories->GetNthStory(i);
    auto model = Instantiate<ITextModel>(db, story);
    out << "story " << story.Get() << " " << Utf8FromWide(model->GetText(0, model->TotalLength()))
        << " primary=" << Instantiate<IStoryFrames>(db, story)->IsPrimaryTextFlow();
    if (auto list = Instantiate<IFrameList>(db, LayoutUtils::FrameListOfStory(db, story))) {
      out << " frames";
      for (int32_t f = 0; f < list->CountFrames(); ++f)
        out << " " << list->GetNthFrame(f).Get();
      out << " damaged=" << list->GetFirstDamagedFrame();
    }
    out << "\n";
  }
  return out.str();
}

}  // namespace layout_test
