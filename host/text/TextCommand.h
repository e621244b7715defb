// TextCommand: what the text commands share: the story their item list names, failing with an error code
// (the processor then undoes whatever the command changed), and telling observers of the document and of
// the story what changed, on the protocol IID_ITEXTMODEL.
#pragma once

#include "host/cmd/Command.h"
#include "host/core/InterfacePtr.h"
#include "host/text/ITextModel.h"

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
  void DoNotify() override;
};
