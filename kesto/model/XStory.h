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
  // Imports in front of the first text of the text frame `frame` (see VyStory), ahead of a placeholder
  // return so that the text after that point keeps its own paragraph attributes.
  XStory(IDataBase* document, UID frame);
  // Ends an import still open.
  ~XStory() override;

  // Opens the import's command sequence (undo name: the translation key "A8DcImport").
  void BeginImport();
  // Finishes the story at level 0 and ends the sequence: one undo step takes the whole import back. When
  // the global error code is set, the sequence is aborted and the import undone.
  void EndImport();
  bool IsImporting() const { return sequence_ != nullptr; }

  // Apply a plug-in attribute to [start, end) (pending text included); false when nothing was applied or
  // the attribute could not be made.
  bool ApplyHiddenText(int32_t start, int32_t end, const HiddenTextRecord& record);
  bool ApplyNumeric(int32_t start, int32_t end, int32_t a, int32_t b, int32_t c);
  bool ApplyText(int32_t start, int32_t end, const WideString& text, int16_t a, int16_t b, int16_t c);

  // The page and the spread on which the import's last master-page tag acted; both 0 at first.
  UID GetLastMasterPage() const { return lastMasterPage_; }
  UID GetLastMasterSpread() const { return lastMasterSpread_; }
  void SetLastMaster(UID page, UID spread) {
    lastMasterPage_ = page;
    lastMasterSpread_ = spread;
  }

 private:
  bool ApplyObject(int32_t start, int32_t end, ClassID cls, std::shared_ptr<AttributeObject> value);

  ICommandSequence* sequence_ = nullptr;
  UID lastMasterPage_;
  UID lastMasterSpread_;
};

}  // namespace kesto
