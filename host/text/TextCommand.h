// TextCommand: what the text commands share: the story their item list names, failing with an error code
// (the processor then undoes whatever the command changed), and telling observers of the document and of
// the story what changed (a TextChange), on the protocol IID_ITEXTMODEL.
#pragma once

#include "host/cmd/Command.h"
#include "host/core/InterfacePtr.h"
#include "host/text/ITextModel.h"
#include "host/text/TextChange.h"

class TextCommand : public Command {
 public:
  std::vector<PMIID> GetNotificationProtocols() const override { return {IID_ITEXTMODEL}; }

 protected:
  explicit TextCommand(Boss* boss) : Command(boss) {}
  // The story named by the item list, which must name exactly one; empty otherwise.
  InterfacePtr<ITextModel> QueryStory() const;
  // One of the command's own parameter interfaces.
  template <class T>
  InterfacePtr<T> QueryParameter() const {
    return InterfacePtr<T>(this, UseDefaultIID());
  }
  static void Fail(ErrorCode code);
  // Records what Do changed, for the observers.
  void NoteChange(TextChange::What what, int32_t position, int32_t deleted, int32_t inserted);
  // Sends the command's class on IID_ITEXTMODEL to the document and to each story of the item list, with
  // the TextChange as the changed-by data.
  void DoNotify() override;

 private:
  TextChange change_;
};
