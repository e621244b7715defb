// Document: the persistent IDocument implementation. The file path is not saved: it is where the document
// was opened from.
#pragma once

#include "host/core/CPMUnknown.h"
#include "host/db/IDocument.h"

class Document final : public CPMUnknown<IDocument> {
 public:
  explicit Document(Boss* boss) : CPMUnknown(boss) {}
  WideString GetName() const override { return name_; }
  void SetName(const WideString& name) override;
  std::filesystem::path GetFile() const override { return file_; }
  void SetFile(const std::filesystem::path& file) override { file_ = file; }
  UID GetDocWorkSpace() const override { return workspace_; }
  void SetDocWorkSpace(UID workspace) override;
  void ReadWrite(IPMStream* stream, ImplementationID implementation) override;

 private:
  WideString name_;
  std::filesystem::path file_;
  UID workspace_;
};
