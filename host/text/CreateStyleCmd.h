// CreateStyleCmd: creates a paragraph or character style in the document of its target database from its
// IStyleData (kind, full name, based-on, next and character styles, attributes), creating the groups the
// name's path implies. Fails (changing nothing) for an invalid name, a name the table already has, or a
// reference to a style of the wrong kind. Afterwards its item list names the new style.
#pragma once

#include "host/cmd/Command.h"
#include "host/text/TextIDs.h"

class CreateStyleCmd final : public Command {
 public:
  explicit CreateStyleCmd(Boss* boss) : Command(boss) {}
  std::vector<PMIID> GetNotificationProtocols() const override { return {IID_ISTYLEINFO}; }

 protected:
  void Do() override;
  std::string CreateName() const override { return "New Style"; }
};
