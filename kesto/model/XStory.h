// XStory: the target of an import: a streaming story whose whole import is one named host command
// sequence, so that one undo takes it back; it also applies the plug-in's own attributes.
#pragma once

#include "host/cmd/ICommandSequence.h"
#include "kesto/model/KestoAttributes.h"
#include "kesto/model/VyStreamingStory.h"

namespace kesto {

class XStory : public VyStreamingStory {
 public:
  XStory(IDataBase* document, UID uid, int32_t start, int32_t end);
  // Ends an import still open.
  ~XStory() override;

  // Opens the import's command sequence (undo name: the translation key "A8DcImport").
  void BeginImport();
  // Finishes the story at level 0 and ends the sequence. When the global error code is set, the sequence
  // is aborted and the import undone.
  void EndImport();
  bool IsImporting() const { return sequence_ != nullptr; }

  // Apply a plug-in attribute to [start, end); false when nothing was applied.
  bool ApplyHiddenText(int32_t start, int32_t end, const HiddenTextRecord& record);
  bool ApplyNumeric(int32_t start, int32_t end, int32_t a, int32_t b, int32_t c);
  bool ApplyText(int32_t start, int32_t end, const WideString& text, int16_t a, int16_t b, int16_t c);

  // The master last applied during the import (page and spread).
  UID lastMasterPage;
  UID lastMasterSpread;

 private:
  bool ApplyObject(int32_t start, int32_t end, ClassID cls, std::shared_ptr<AttributeObject> value);
  ICommandSequence* sequence_ = nullptr;
};

}  // namespace kesto
