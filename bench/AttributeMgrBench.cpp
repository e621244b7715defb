// Speed of the attribute managers as the reader and the writer use them: typed setters, getters that fall
// back through a style chain, type-style toggles that re-derive the face, and reading OpenType features.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "host/app/DocumentList.h"
#include "host/app/Host.h"
#include "host/text/AttributeClasses.h"
#include "kesto/model/DocumentStyles.h"
#include "kesto/model/K2AttributeSetMgr.h"
#include "kesto/model/VyFontDesc.h"

namespace {

using namespace kesto;

IDataBase* Document() {
  static IDataBase* db = [] {
    if (Host::Initialize() != kSuccess) std::abort();  // nothing can be measured without the host
    return DocumentList::Get().NewDocument();
  }();
  return db;
}

// A paragraph manager on the default paragraph style in DejaVu Serif Book.
K2AttributeSetMgr& Paragraph() {
  static K2AttributeSetMgr* paragraph = [] {
    auto* mgr = new K2AttributeSetMgr(Document(), StyleKind::kParagraph);
    (void)mgr->SetStyle(FindParagraphStyle(Document(), u"NormalParagraphStyle"));
    (void)mgr->SetUID(kTextAttrFontFamily, FindFontFamily(Document(), u"DejaVu Serif"));
    (void)mgr->SetString(kTextAttrFontStyle, u"Regular");
    return mgr;
  }();
  return *paragraph;
}

void BM_SetReal(benchmark::State& state) {
  K2AttributeSetMgr run(Document());
  double size = 6;
  for (auto _ : state) {
    benchmark::DoNotOptimize(run.SetReal(kTextAttrPointSize, size));
    size = size < 100 ? size + 1 : 6;
  }
}
BENCHMARK(BM_SetReal);

void BM_GetRealThroughStyleChain(benchmark::State& state) {
  K2AttributeSetMgr& paragraph = Paragraph();
  for (auto _ : state) {
    double value = 0;
    benchmark::DoNotOptimize(paragraph.GetReal(kTextAttrSpaceBefore, value));
  }
}
BENCHMARK(BM_GetRealThroughStyleChain);

void BM_ToggleBold(benchmark::State& state) {
  K2AttributeSetMgr run(Document());
  for (auto _ : state)
    benchmark::DoNotOptimize(run.ToggleTypeStyle(kBoldBit, &Paragraph()));
}
BENCHMARK(BM_ToggleBold);

void BM_ToggleUnderline(benchmark::State& state) {
  K2AttributeSetMgr run(Document());
  for (auto _ : state)
    benchmark::DoNotOptimize(run.ToggleTypeStyle(kUnderlineBit, &Paragraph()));
}
BENCHMARK(BM_ToggleUnderline);

void BM_GetTypeStyleUncached(benchmark::State& state) {
  K2AttributeSetMgr run(Document());
  bool strike = false;
  for (auto _ : state) {
    (void)run.SetBool(kTextAttrStrikeThrough, strike = !strike);
    benchmark::DoNotOptimize(run.GetTypeStyle(&Paragraph()));
  }
}
BENCHMARK(BM_GetTypeStyleUncached);

void BM_GetFeatures(benchmark::State& state) {
  FeatureList list;
  for (auto _ : state)
    benchmark::DoNotOptimize(Paragraph().GetFeatures(list));
}
BENCHMARK(BM_GetFeatures);

}  // namespace
