// NotificationRecorder: follows what a document tells its observers (the before and after messages of
// commands, undo and redo, the changes of the text and layout commands, and each composition of a story) and
// hands each on as a NotificationRecord, so that a trace or a check can see their order, pairing and data.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "host/cmd/ICommand.h"
#include "host/db/IDataBase.h"
#include "host/notify/IObserver.h"
#include "host/notify/ISubject.h"

struct NotificationRecord {
  // "before", "after" (a command), "change", "before-undo", "after-undo", "before-redo", "after-redo".
  std::string role;
  ClassID cls;  // the command's class for before and after, else the change class
  PMIID protocol;
  std::vector<UID> items;  // the command's item list, or the objects the change names
  bool failed = false;     // after: the command failed
  // The command (before, after, and the changes of layout commands), valid during the notification only.
  ICommand* command = nullptr;
};

// The protocols on which the host's commands and changes reach a document's observers.
std::vector<PMIID> DocumentNotificationProtocols();

// The name of a host change class ("story composed", "items copied" ...), or an empty text for a class the
// host does not send as a change.
std::string_view ChangeName(ClassID theChange);

// What a notification says, by the kind of data its protocol and class carry.
NotificationRecord DescribeNotification(ClassID theChange, PMIID protocol, void* changedBy);

// An observer that is no object of a database: it lives on the stack or in its owner and detaches itself
// when it goes. Before and after messages are recorded once, from IID_ICOMMANDMGR.
class NotificationRecorder final : public IObserver {
 public:
  using Sink = std::function<void(const NotificationRecord&)>;
  explicit NotificationRecorder(Sink sink) : sink_(std::move(sink)) {}
  ~NotificationRecorder() { Detach(); }
  NotificationRecorder(const NotificationRecorder&) = delete;
  NotificationRecorder& operator=(const NotificationRecorder&) = delete;

  // Attaches to the document's subject on every protocol of DocumentNotificationProtocols.
  void Attach(IDataBase* db);
  void Detach();

  void Update(ClassID theChange, ISubject* theSubject, PMIID protocol, void* changedBy) override;
  IPMUnknown* QueryInterface(PMIID) const override { return nullptr; }
  void AddRef() const override {}
  void Release() const override {}
  Boss* GetBoss() const override { return nullptr; }

 private:
  Sink sink_;
  // Held, so that detaching is safe even after the document was closed.
  std::vector<InterfacePtr<ISubject>> attached_;
};
