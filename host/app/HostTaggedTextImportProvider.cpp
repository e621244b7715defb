// The host's import provider for its own tagged-text dialect.
#include "host/app/HostTaggedTextImportProvider.h"

#include <fstream>
#include <iterator>

#include "host/app/HostTaggedTextEncoding.h"
#include "host/app/HostTaggedTextImport.h"
#include "host/core/Registry.h"
#include "host/core/ServiceRegistry.h"
#include "host/text/TextCmdUtils.h"

namespace {

bool ReadFile(const std::filesystem::path& file, std::vector<uint8_t>& bytes) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

std::string Counted(int32_t count, const char* what) {
  return std::to_string(count) + " " + what + (count == 1 ? "" : "s");
}

ImportOutcome Outcome(ErrorCode error, const HostTaggedTextReport& report) {
  ImportOutcome outcome;
  outcome.code = error;
  outcome.succeeded = error == kSuccess;
  outcome.ranToEnd = outcome.succeeded;
  if (!outcome.succeeded) {
    outcome.message =
        "the host's tagged text could not be imported (error " + std::to_string(outcome.code) + ")";
  } else if (report.skippedTags > 0 || report.rejectedValues > 0) {
    outcome.message = "host tagged text: " + Counted(report.skippedTags, "tag") + " skipped, " +
                      Counted(report.rejectedValues, "value") + " rejected";
  }
  return outcome;
}

constexpr const char* kInterpretTags = "interpret-tags";

ImportOutcome Unreadable(const std::filesystem::path& file) {
  ImportOutcome outcome;
  outcome.code = kFileNotFoundError;
  outcome.message = file.string() + ": cannot be read";
  return outcome;
}

}  // namespace

std::vector<ProviderOption> HostTaggedTextImportProvider::GetOptions() const {
  return {{.name = kInterpretTags,
           .defaultValue = "on",
           .negatable = true,
           .help = "read the tags",
           .offHelp = "only a leading encoding header is a tag; the rest is text"}};
}

ImportOutcome HostTaggedTextImportProvider::Import(const ImportRequest& request) {
  std::vector<uint8_t> read;
  if (!request.file.empty() && !ReadFile(request.file, read)) return Unreadable(request.file);
  HostTaggedTextOptions options;
  options.interpretTags = OptionValue(GetOptions(), request.options, kInterpretTags) != "off";
  HostTaggedTextReport report;
  std::span<const uint8_t> bytes = request.file.empty() ? request.bytes : std::span<const uint8_t>(read);
  ErrorCode error = ImportHostTaggedText(request.story.GetDataBase(), request.story.GetUID(),
                                         request.position, bytes, options, &report);
  return Outcome(error, report);
}

int32_t HostTaggedTextImportProvider::CanImportFile(const std::filesystem::path& file) const {
  return file.extension() == ".txt" || file.extension() == ".TXT" ? 1 : 0;
}

int32_t HostTaggedTextImportProvider::CanImportStream(std::span<const uint8_t> head,
                                                      const std::filesystem::path&) const {
  return HostTaggedTextEncoding::StartsWithHeader(head) ? 2 : 0;
}

ImportOutcome HostTaggedTextImportProvider::Place(const std::filesystem::path& file,
                                                  std::span<const uint8_t> bytes, IDataBase* db, UID& story) {
  story = kInvalidUID;
  std::vector<uint8_t> read;
  if (bytes.empty() && !ReadFile(file, read)) return Unreadable(file);
  if (!db || TextCmdUtils::NewStory(db, story) != kSuccess) return Outcome(kInvalidParameterError, {});
  HostTaggedTextReport report;
  ErrorCode error =
      ImportHostTaggedText(db, story, 0, bytes.empty() ? std::span<const uint8_t>(read) : bytes, {}, &report);
  return Outcome(error, report);
}

ErrorCode RegisterHostTaggedTextImportProvider() {
  Registry& registry = Registry::Get();
  if (registry.IsClassRegistered(kHostTaggedTextImportProviderBoss)) return kSuccess;
  ErrorCode error =
      registry.RegisterImplementation<HostTaggedTextImportProvider>(kHostTaggedTextImportProviderImpl);
  if (error == kSuccess) {
    error = registry.RegisterClass(kHostTaggedTextImportProviderBoss, kInvalidClass,
                                   "kHostTaggedTextImportProviderBoss",
                                   {{IID_IIMPORTPROVIDER, kHostTaggedTextImportProviderImpl}});
  }
  if (error == kSuccess)
    error = ServiceRegistry::Get().Register(kImportProviderService, kHostTaggedTextImportProviderBoss);
  return error;
}
