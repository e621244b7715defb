// IImportProvider: what a plug-in offers to read one file format into a story of a document. Providers
// register their class under kImportProviderService; front ends find them with FindImportProvider.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <span>
#include <string>
#include <string_view>

#include "host/app/AppIDs.h"
#include "host/core/InterfacePtr.h"
#include "host/db/UIDRef.h"

struct ImportRequest {
  // The source: the file at `file`, or, when `file` is empty, the bytes of `bytes` (borrowed for the call).
  std::filesystem::path file;
  std::span<const uint8_t> bytes;
  // The story to import into and the text index the imported text goes in front of.
  UIDRef story;
  int32_t position = 0;
  // Options by name; each provider documents the names it reads and ignores the others.
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
  // Imports the source of `request` into its story as one undoable step. Progress shows through the host's
  // progress bars, and a cancel there stops the import. Never throws.
  virtual ImportOutcome Import(const ImportRequest& request) = 0;
};

// The provider whose format name is `format`; empty when no loaded plug-in provides it.
InterfacePtr<IImportProvider> FindImportProvider(std::string_view format);
