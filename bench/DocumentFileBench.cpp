// Speed of saving and opening a document file: a document of about 20 MB on disk, made by importing
// generated prose into the main story of a new document (argument 0), or tag-dense prose whose runs carry
// many override lists (argument 1). Throughput is reported in bytes of the file per second; saving includes
// forcing the file and its folder to disk, opening includes the checks that every open makes; both are
// timed by the clock on the wall, since waiting for the disk is part of a save.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <cstdlib>

#include <filesystem>
#include <string>

#include "bench/TaggedProse.h"
#include "host/app/DefaultDocument.h"
#include "host/app/DocumentList.h"
#include "host/app/Host.h"
#include "host/db/DataBase.h"
#include "host/db/DocumentFile.h"
#include "kesto/model/KestoAttributes.h"
#include "kesto/reader/ErrorMessages.h"
#include "kesto/reader/KestoScannerAgent.h"
#include "kesto/services/KestoImportDriver.h"
#include "kesto/streams/VyMemoryStreamAgent.h"

namespace {

using namespace kesto;

std::filesystem::path BenchFile(int64_t kind) {
  return std::filesystem::temp_directory_path() /
         ("document-file-bench-" + std::to_string(::getpid()) + "-" + std::to_string(kind) + ".pgd");
}

// The document of `kind`, imported once per process.
DataBase& Document(int64_t kind) {
  static DataBase* documents[2] = {};
  if (documents[kind]) return *documents[kind];
  if (Host::Initialize() != kSuccess) std::abort();  // nothing can be measured without the host
  (void)RegisterKestoMessageLists();
  (void)RegisterKestoAttributes();
  const std::string text = kind == 0 ? bench_support::MakeStyledProse() : bench_support::MakeTagDense();
  IDataBase* db = DocumentList::Get().NewDocument();
  VyMemoryStreamAgent bytes(text.data(), text.size(), StreamEncoding::kUtf8);
  (void)RunKestoImport(&bytes, StreamEncoding::kUtf8, db, DefaultDocument::GetMainStory(*db), 0,
                       kImportIncludeStyleSheets);
  db->ClearUndo();
  documents[kind] = static_cast<DataBase*>(db);
  return *documents[kind];
}

void BM_SaveDocument(benchmark::State& state) {
  DataBase& db = Document(state.range(0));
  auto path = BenchFile(state.range(0));
  for (auto _ : state) {
    DocumentFileResult r = DocumentFile::Save(db, path);
    if (!r.ok()) state.SkipWithError(r.message.c_str());
  }
  auto size = static_cast<int64_t>(std::filesystem::file_size(path));
  state.SetBytesProcessed(state.iterations() * size);
  state.counters["file_MB"] = static_cast<double>(size) / (1 << 20);
}
BENCHMARK(BM_SaveDocument)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2)->UseRealTime();

void BM_OpenDocument(benchmark::State& state) {
  auto path = BenchFile(state.range(0));
  if (DocumentFile::Save(Document(state.range(0)), path).error != kSuccess) state.SkipWithError("not saved");
  for (auto _ : state) {
    IDataBase* db = nullptr;
    DocumentResult r = DocumentList::Get().OpenDocument(path, db);
    if (!r.ok()) state.SkipWithError(r.message.c_str());
    state.PauseTiming();
    DocumentList::Get().CloseDocument(db);
    state.ResumeTiming();
  }
  auto size = static_cast<int64_t>(std::filesystem::file_size(path));
  state.SetBytesProcessed(state.iterations() * size);
  state.counters["file_MB"] = static_cast<double>(size) / (1 << 20);
  std::filesystem::remove(path);
}
BENCHMARK(BM_OpenDocument)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2)->UseRealTime();

}  // namespace
