// IImportProvider: what a plug-in offers to read one file format into a story of a document. Providers
// register their class under kImportProviderService; front ends find them with FindImportProvider.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "host/app/AppIDs.h"
#include "host/app/ProviderOption.h"
#include "host/core/InterfacePtr.h"
#include "host/db/UIDRef.h"

struct ImportRequest {
  // The source: the file at `file` (a pipe is read in order, as it comes), or, when `file` is empty, the
  // bytes of `bytes` (borrowed for the call).
  std::filesystem::path file;
  std::span<const uint8_t> bytes;
  // The story to import into and the text index the imported text goes in front of.
  UIDRef story;
  int32_t position = 0;
  // Options by name, as the provider's GetOptions describes them; names it does not describe are ignored.
  std::map<std::string, std::string> options;
};

struct ImportOutcome {
  // 0 for success; otherwise the provider's own code (its message says what it means).
  int32_t code = 0;
  // For the user; empty when there is nothing to say. UTF-8.
  std::string message;
  // The import did all it was asked (possibly with remarks left in the text).
  bool succeeded = false;
  // The whole source was read: the story holds all the import could make of it and is worth keeping,
  // even when `succeeded` is false (replaced characters, for example). False after a cancel, or when the
  // source could not be read.
  bool ranToEnd = false;
};

class IImportProvider : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_IIMPORTPROVIDER.Get() };
  // The short name callers choose the provider by ("kesto").
  virtual std::string GetFormatName() const = 0;
  // The options Import reads, in the order a front end shows them.
  virtual std::vector<ProviderOption> GetOptions() const = 0;
  // Imports the source of `request` into its story as one undoable step. Progress shows through the host's
  // progress bars, and a cancel there stops the import. Never throws.
  virtual ImportOutcome Import(const ImportRequest& request) = 0;

  // ---- The host's Place command.
  // The file-name extensions of the format, in lower case.
  virtual std::vector<std::string> GetFileExtensions() const = 0;
  // How surely the provider reads a file, by its name alone: 2 surely, 1 perhaps, 0 not.
  virtual int32_t CanImportFile(const std::filesystem::path& file) const = 0;
  // How surely the provider reads a source that begins with `head` (its first bytes) and comes from
  // `file` (may be empty): 2 surely (the format's own header), 1 perhaps, 0 not.
  virtual int32_t CanImportStream(std::span<const uint8_t> head, const std::filesystem::path& file) const = 0;
  // Reads the source into a new story of `db` with the options the user keeps; `story` is the new story
  // (invalid when none could be made). The source is `bytes` (borrowed for the call) when `file` is one
  // that cannot be read twice (a pipe), else the file itself.
  virtual ImportOutcome Place(const std::filesystem::path& file, std::span<const uint8_t> bytes,
                              IDataBase* db, UID& story) = 0;
};

// The provider whose format name is `format`; empty when no loaded plug-in provides it.
InterfacePtr<IImportProvider> FindImportProvider(std::string_view format);

// Bytes of a source a provider looks at to claim it.
inline constexpr size_t kPlaceHeadBytes = 64;
// The provider that claims a source beginning with `head` from `file` most surely (the first of equals);
// empty when none claims it at all. `strength` is its answer.
InterfacePtr<IImportProvider> FindPlaceProvider(std::span<const uint8_t> head,
                                                const std::filesystem::path& file, int32_t& strength);
