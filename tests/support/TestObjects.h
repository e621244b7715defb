// Objects the host tests work with: a persistent record with a number and a text, a command that sets
// it (and can be told to fail), and an observer that records what it is told.
#pragma once

#include <string>
#include <vector>

#include "host/cmd/Command.h"
#include "host/core/CPMUnknown.h"
#include "host/db/IDataBase.h"
#include "host/db/IPMStream.h"
#include "host/notify/IObserver.h"
#include "host/notify/ISubject.h"

namespace testing_support {

inline constexpr uint32_t kTestPrefix = 0x7F0000;
inline constexpr ClassID kTestRecordBoss = kTestPrefix + 1;
inline constexpr ClassID kSetRecordCmdBoss = kTestPrefix + 2;
inline constexpr ClassID kTestObserverBoss = kTestPrefix + 3;
inline constexpr ClassID kDerivedRecordBoss = kTestPrefix + 4;
inline constexpr PMIID IID_ITESTRECORD = kTestPrefix + 1;
inline constexpr PMIID IID_ISETRECORDDATA = kTestPrefix + 2;
inline constexpr PMIID IID_ITESTLOG = kTestPrefix + 3;
inline constexpr ImplementationID kTestRecordImpl = kTestPrefix + 1;
inline constexpr ImplementationID kSetRecordCmdImpl = kTestPrefix + 2;
inline constexpr ImplementationID kSetRecordDataImpl = kTestPrefix + 3;
inline constexpr ImplementationID kTestObserverImpl = kTestPrefix + 4;

class ITestRecord : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_ITESTRECORD.Get() };
  virtual int32_t GetNumber() const = 0;
  virtual void SetNumber(int32_t n) = 0;
  virtual const WideString& GetText() const = 0;
  virtual void SetText(const WideString& text) = 0;
  // How often the database told it that its state was read back.
  virtual int32_t CountRestores() const = 0;
};

// Parameters of the set-record command: the values to set, and whether to fail after setting them.
class ISetRecordData : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_ISETRECORDDATA.Get() };
  int32_t number = 0;
  WideString text;
  ErrorCode failWith = kSuccess;
};

// An observer that logs "change/protocol" for each update it receives.
class ITestLog : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_ITESTLOG.Get() };
  std::vector<std::string> entries;
};

void RegisterTestClasses();

// Creates a record in `db` (outside any command) and answers its UID.
UID NewRecord(IDataBase* db, int32_t number, const WideString& text);
// Runs the set-record command on the record at `uid`; answers the command's result.
ErrorCode SetRecord(IDataBase* db, UID uid, int32_t number, const WideString& text,
                    ErrorCode failWith = kSuccess);
int32_t NumberOf(IDataBase* db, UID uid);

}  // namespace testing_support
