// Speed of the resource lookups text setting leans on: advance widths per character, face-name analysis,
// face matching with and without the per-document cache, and swatch lookup by name in a long swatch list.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include <string>

#include "host/app/DocumentList.h"
#include "host/app/Host.h"
#include "host/res/FontCatalog.h"
#include "host/res/SwatchUtils.h"
#include "kesto/model/FaceNames.h"
#include "kesto/model/VyFontDesc.h"

namespace {

IDataBase* Document() {
  static IDataBase* db = [] {
    if (Host::Initialize() != kSuccess) std::abort();  // nothing can be measured without the host
    return DocumentList::Get().NewDocument();
  }();
  return db;
}

void BM_AdvanceWidths(benchmark::State& state) {
  const FontFace& face = *FontCatalog::Get().FindFace(u"DejaVu Serif", u"Bold Italic");
  const std::u16string text =
      u"The quick brown fox jumps over the lazy dog, caf\u00E9 na\u00EFve \u2014 \u201Cquoted\u201D "
      u"\u4F60\u597D";
  for (auto _ : state) {
    double width = 0;
    for (char16_t c : text)
      width += face.GetAdvance(c);
    benchmark::DoNotOptimize(width);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_AdvanceWidths);

void BM_AnalyseFaceName(benchmark::State& state) {
  const std::u16string_view names[] = {u"Bold Italic", u"BoldOblique", u"Semibold Condensed", u"Regular",
                                       u"DejaVuSerif-BoldItalic"};
  for (auto _ : state) {
    for (auto name : names)
      benchmark::DoNotOptimize(kesto::AnalyseFaceName(name));
  }
  state.SetItemsProcessed(state.iterations() * 5);
}
BENCHMARK(BM_AnalyseFaceName);

// Arg 0: no cache; 1: the per-document cache.
void BM_FindFace(benchmark::State& state) {
  IDataBase* db = Document();
  kesto::VyFontDesc font{kesto::FindFontFamily(db, u"DejaVu Sans"), u"Condensed"};
  kesto::FaceCache cache;
  kesto::FaceCache* useCache = state.range(0) ? &cache : nullptr;
  for (auto _ : state) {
    for (int32_t bits = 0; bits < 4; ++bits)
      benchmark::DoNotOptimize(kesto::FindFace(db, font, bits, useCache));
  }
  state.SetItemsProcessed(state.iterations() * 4);
}
BENCHMARK(BM_FindFace)->Arg(0)->Arg(1);

// Arg: swatches in the list; the name looked up is the last one.
void BM_FindSwatchByName(benchmark::State& state) {
  if (Host::Initialize() != kSuccess) std::abort();  // nothing can be measured without the host
  IDataBase* db = DocumentList::Get().NewDocument();
  WideString last;
  for (int64_t i = 0; i < state.range(0); ++i) {
    UID uid;
    last = u"Swatch " + WideFromUtf8(std::to_string(i));
    (void)SwatchUtils::CreateColorSwatch(db, last, {ColorSpace::kRGB, {1, 2, 3, 0}, false}, uid);
  }
  InterfacePtr<ISwatchList> list = SwatchUtils::QuerySwatchList(db);
  for (auto _ : state)
    benchmark::DoNotOptimize(list->FindSwatch(last));
  list.reset();
  DocumentList::Get().CloseDocument(db);
}
BENCHMARK(BM_FindSwatchByName)->Arg(10)->Arg(1000);

}  // namespace
