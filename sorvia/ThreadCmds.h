// The commands that change thread data: make, rename and delete a thread, set a story's thread and orphan
// flag, set the automatic-flow preferences, send items behind another, and the deferred trigger. Each fails
// with kFailure, changing nothing, on a wrong item list or a missing interface; each tells its subject's
// observers what changed (its own class as the change class).
#pragma once

#include "host/cmd/Command.h"
#include "host/core/Registry.h"

namespace sorvia {

// Item list: the document workspace. Parameters: the name (ITextThreadData) and the make-default flag
// (the host's flag parameter). A new default thread replaces the old one, whose object is deleted.
// Afterwards the item list names the new thread.
class NewTextThreadCmd final : public Command {
 public:
  explicit NewTextThreadCmd(Boss* boss) : Command(boss) {}

 protected:
  void Do() override;
  void DoNotify() override;
  std::string CreateName() const override { return "A672b"; }

 private:
  UID newThread_;
  UID replacedDefault_;
  bool makeDefault_ = false;
};

// Item list: one thread. Removes it from the document's list and deletes it; stories naming it keep the
// stale reference, which resolves to no thread.
class DeleteTextThreadCmd final : public Command {
 public:
  explicit DeleteTextThreadCmd(Boss* boss) : Command(boss) {}

 protected:
  void Do() override;
  void DoNotify() override;
  std::string CreateName() const override { return "A672d"; }
};

// Item list: one thread. Parameter: the new name (ITextThreadData).
class SetTextThreadCmd final : public Command {
 public:
  explicit SetTextThreadCmd(Boss* boss) : Command(boss) {}

 protected:
  void Do() override;
  void DoNotify() override;
  std::string CreateName() const override { return "A672c"; }
};

// Item list: one story's frame list. Parameters: the thread (the host's UID parameter; none removes the
// story from its thread) and clear-orphan (the host's flag parameter).
class SetTextThreadUIDCmd final : public Command {
 public:
  explicit SetTextThreadUIDCmd(Boss* boss) : Command(boss) {}

 protected:
  void Do() override;
  void DoNotify() override;
  std::string CreateName() const override { return "A672e"; }
};

// Item list: one story's frame list. Parameter: the orphan flag (the host's flag parameter).
class SetThreadOrphanCmd final : public Command {
 public:
  explicit SetThreadOrphanCmd(Boss* boss) : Command(boss) {}

 protected:
  void Do() override;
  void DoNotify() override;
  std::string CreateName() const override { return "A672j"; }
};

// Item list: one workspace (a document's or the application's). Parameter: all six values.
class SetAutoFlowPrefsCmd final : public Command {
 public:
  explicit SetAutoFlowPrefsCmd(Boss* boss) : Command(boss) {}

 protected:
  void Do() override;
  void DoNotify() override;
  std::string CreateName() const override { return "A672a"; }
};

// Item list: the page items to move. Parameter: the reference item (the host's UID parameter); each item
// goes directly behind it, under its parent, in item-list order. Without a reference, or one without a
// parent, nothing happens.
class ThreadSendBehindCmd final : public Command {
 public:
  explicit ThreadSendBehindCmd(Boss* boss) : Command(boss) {}

 protected:
  void Do() override;
  void DoNotify() override;
  std::string CreateName() const override { return "A672SendBehind"; }
};

// Does nothing: queued so that the work waiting for it runs when it is reported done.
class NullCmd final : public Command {
 public:
  explicit NullCmd(Boss* boss) : Command(boss) {}

 protected:
  void Do() override {}
  std::string CreateName() const override { return "A672Null"; }
};

ErrorCode RegisterThreadCmds(Registry& registry);

}  // namespace sorvia
