// EditStyleCmd: changes the fields its IStyleData marks (name, based-on, next style, character style,
// attributes) of the style its item list names. Fails (changing nothing) for a root style's name or
// based-on style, an invalid or taken name, a based-on style that would make a loop, or a reference to a
// style of the wrong kind.
#pragma once

#include "host/cmd/Command.h"
#include "host/text/TextIDs.h"

class EditStyleCmd final : public Command {
 public:
  explicit EditStyleCmd(Boss* boss) : Command(boss) {}
  std::vector<PMIID> GetNotificationProtocols() const override { return {IID_ISTYLEINFO}; }

 protected:
  void Do() override;
  std::string CreateName() const override { return "Edit Style"; }
};
