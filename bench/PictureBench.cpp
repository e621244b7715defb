// Speed of pictures: placing 1,000 small PNGs into 1,000 graphic frames of a new document (each place reads
// the file's header and is its own undo step), and listing the links of that document with their states
// (a stat of each file). The pictures are written once per process into a scratch folder.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <cstdlib>

#include <filesystem>
#include <string>

#include "host/app/DocumentList.h"
#include "host/app/Host.h"
#include "host/cmd/ErrorUtils.h"
#include "host/layout/LayoutCmdUtils.h"
#include "host/layout/LayoutUtils.h"
#include "host/layout/PictureUtils.h"
#include "tests/support/PictureSamples.h"
#include "tests/support/TempFolder.h"

namespace {

constexpr int kPictures = 1000;

const std::filesystem::path& Pictures() {
  static testing_support::TempFolder folder("picture-bench");
  static bool written = false;
  for (int i = 0; !written && i < kPictures; ++i)
    testing_support::WriteBytes(folder / (std::to_string(i) + ".png"),
                                testing_support::SamplePng(16 + i % 7, 16));
  written = true;
  return folder.Path();
}

// A new document with `kPictures` graphic frames, each holding its own picture when `placed`.
IDataBase* Document(std::vector<UID>& frames, bool placed) {
  if (Host::Initialize() != kSuccess) std::abort();  // nothing can be measured without the host
  IDataBase* db = DocumentList::Get().NewDocument();
  frames.clear();
  for (int i = 0; i < kPictures; ++i) {
    double x = 36 + (i % 20) * 27.0, y = 36 + (i / 20) * 14.0;
    std::vector<UID> made;
    LayoutParams p;
    p.bounds = {x, y, x + 25, y + 12};
    p.target = LayoutUtils::SpreadAt(db, 0);
    (void)LayoutCmdUtils::Process(kCreateGraphicFrameCmdBoss, db, {}, p, &made);
    frames.push_back(made.at(0));
  }
  std::string message;
  for (int i = 0; placed && i < kPictures; ++i)
    (void)PictureUtils::PlacePicture(db, frames[i], (Pictures() / (std::to_string(i) + ".png")).string(), {},
                                     message);
  return db;
}

void BM_PlaceThousandPictures(benchmark::State& state) {
  std::string message;
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<UID> frames;
    IDataBase* db = Document(frames, false);
    state.ResumeTiming();
    for (int i = 0; i < kPictures; ++i) {
      ErrorCode err =
          PictureUtils::PlacePicture(db, frames[i], (Pictures() / (std::to_string(i) + ".png")).string(),
                                     {.fit = FitMode::kProportional}, message);
      if (err != kSuccess) state.SkipWithError(message.c_str());
    }
    state.PauseTiming();
    DocumentList::Get().CloseDocument(db);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_PlaceThousandPictures)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LinksOfThousandPictures(benchmark::State& state) {
  std::vector<UID> frames;
  IDataBase* db = Document(frames, true);
  for (auto _ : state) {
    size_t normal = 0;
    for (const PictureUtils::LinkUse& use : PictureUtils::LinksInUse(db))
      normal += PictureUtils::CurrentState(use.data) == LinkState::kNormal;
    if (normal != kPictures) state.SkipWithError("a link is not normal");
  }
  DocumentList::Get().CloseDocument(db);
}
BENCHMARK(BM_LinksOfThousandPictures)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
