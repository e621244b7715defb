// IExportProvider: what a plug-in offers to write a story of a document in one file format. Providers
// register their class under kExportProviderService; front ends find them with FindExportProvider.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>

#include "host/app/AppIDs.h"
#include "host/app/ProviderOption.h"
#include "host/core/InterfacePtr.h"
#include "host/db/UIDRef.h"

struct ExportRequest {
  // The destination: the file at `file` (created or replaced), or, when `file` is empty, `bytes`.
  std::filesystem::path file;
  std::string* bytes = nullptr;
  // The story and the range of it to write; an empty range means the whole story.
  UIDRef story;
  int32_t start = 0;
  int32_t end = 0;
  // Options by name, as the provider's GetOptions describes them; names it does not describe are ignored.
  std::map<std::string, std::string> options;
};

struct ExportOutcome {
  // 0 for success; otherwise the provider's own code (its message says what it means).
  int32_t code = 0;
  // For the user; empty when there is nothing to say. UTF-8.
  std::string message;
  bool succeeded = false;
};

class IExportProvider : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_IEXPORTPROVIDER.Get() };
  // The short name callers choose the provider by ("kesto").
  virtual std::string GetFormatName() const = 0;
  // The options Export reads, in the order a front end shows them.
  virtual std::vector<ProviderOption> GetOptions() const = 0;
  // Writes the story range of `request`; the document is not changed. Progress shows through the host's
  // progress bars, and a cancel there stops the export (a failure). Never throws.
  virtual ExportOutcome Export(const ExportRequest& request) = 0;
};

// The provider whose format name is `format`; empty when no loaded plug-in provides it.
InterfacePtr<IExportProvider> FindExportProvider(std::string_view format);
