// LayoutCommand: what the layout commands share: their parameters (ILayoutCmdData), failing with an error
// code (the processor then undoes whatever the command changed), and the changes they announce. Changes
// noted while the command works are sent after it succeeded, each on its protocol to the document's
// subject (a frame list's changes also to the frame list's subject), followed by the command's own class
// with its main change; a failed command announces nothing but its after message.
#pragma once

#include <vector>

#include "host/cmd/Command.h"
#include "host/layout/ILayoutCmdData.h"
#include "host/layout/LayoutChange.h"

class LayoutCommand : public Command {
 public:
  std::vector<PMIID> GetNotificationProtocols() const override { return {protocol_}; }

 protected:
  LayoutCommand(Boss* boss, PMIID protocol) : Command(boss), protocol_(protocol) {}
  LayoutParams& Params() const;
  IDataBase* DataBase() const { return GetTargetDataBase(); }
  static void Fail(ErrorCode code = kInvalidParameterError);
  static bool Failed();
  // Whether the item list names page items only, at least one (and none locked, unless `lockedToo`); when
  // not, the command is refused, saying which item is locked or no page item.
  bool ItemsArePageItems(bool lockedToo = false) const;
  // The item list as a vector.
  std::vector<UID> Items() const { return GetItemList().UIDs(); }
  // Keeps `change` to be sent after success on `protocol`.
  void Note(PMIID protocol, LayoutChange change);
  // Keeps the changes that announce copies: first the stories made as copies (kStoryCopiedChange), then the
  // copied items paired with their originals (kItemsCopiedChange), in that order.
  void NoteCopies(const std::vector<UID>& stories, const std::vector<UID>& copies,
                  const std::vector<UID>& originals);
  // Sends `change` now (observers must hear some changes while the command works).
  void SendNow(PMIID protocol, LayoutChange change);
  // The main change, sent with the command's own class; its items default to the item list.
  LayoutChange& MainChange() { return main_; }
  void DoNotify() override;
  // Sends the changes kept by Note.
  void SendNoted();

 private:
  void Send(PMIID protocol, LayoutChange& change);
  PMIID protocol_;
  std::vector<std::pair<PMIID, LayoutChange>> noted_;
  LayoutChange main_;
};
