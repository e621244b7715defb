// IDocument: the root object of a document's database: its name, its file and its workspace.
#pragma once

#include <filesystem>

#include "host/core/HostIDs.h"
#include "host/core/IPMUnknown.h"
#include "host/core/WideString.h"

class IDocument : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_IDOCUMENT.Get() };
  virtual WideString GetName() const = 0;
  virtual void SetName(const WideString& name) = 0;
  // The file the document was opened from or last saved to; empty for a new document.
  virtual std::filesystem::path GetFile() const = 0;
  virtual void SetFile(const std::filesystem::path& file) = 0;
  // The document's workspace (styles, swatches, preferences live there or on the document itself).
  virtual UID GetDocWorkSpace() const = 0;
  virtual void SetDocWorkSpace(UID workspace) = 0;
};
