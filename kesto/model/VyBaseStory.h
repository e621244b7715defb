// VyBaseStory: a counted engine reference to one host story of a document: its document, its UID and its
// text model. The writer walks stories through it.
#pragma once

#include "host/core/InterfacePtr.h"
#include "host/db/UIDRef.h"
#include "host/text/ITextModel.h"
#include "kesto/model/VyRefCountedObject.h"

namespace kesto {

class VyBaseStory : public VyRefCountedObject {
 public:
  // The story must exist; IsValid tells.
  VyBaseStory(IDataBase* document, UID story);

  bool IsValid() const { return static_cast<bool>(model_); }
  IDataBase* GetDocument() const { return document_; }
  UID GetStoryUID() const { return story_; }
  UIDRef GetStoryRef() const { return UIDRef(document_, story_); }
  const InterfacePtr<ITextModel>& GetModel() const { return model_; }
  // Length of the host story including its final paragraph return; 0 without a story.
  int32_t GetHostLength() const { return model_ ? model_->TotalLength() : 0; }

 protected:
  // Rebinds to another story of the same document.
  void BindStory(UID story);

 private:
  IDataBase* document_;
  UID story_;
  InterfacePtr<ITextModel> model_;
};

}  // namespace kesto
