// ILayoutOperationProvider: layout operations that a host area or a plug-in adds to front ends (pagehost
// layout), so that a front end runs them without knowing them. Classes registered for
// kLayoutOperationService answer a set of operations each; an operation's name must differ from the front
// end's own and other providers'.
//
// An operation changes the document through commands only, so that it is one undoable step (or several,
// which the front end takes back together) and observers see it as they see every other change.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "host/app/AppIDs.h"
#include "host/app/LayoutOperationWords.h"
#include "host/core/InterfacePtr.h"
#include "host/db/IDataBase.h"

inline constexpr PMIID IID_ILAYOUTOPERATIONPROVIDER = 0x20804;
inline constexpr ServiceID kLayoutOperationService = 0x20804;

struct LayoutOperationInfo {
  std::string name;  // "thread-new"
  // The operation's lines in the front end's help, each starting with two spaces:
  // "  thread-new NAME [--default]      a new thread (the document's default with --default)".
  std::string help;
};

// How an operation ended. `kUsage`: its words are not what it takes (a command-line error); `kFailure`: it
// cannot be done as asked (a page or thread it names does not exist); `kDone`: it ran, and `code` is the
// host's answer, with the reason the host gave left in the global error state.
struct LayoutOperationResult {
  enum class Kind { kDone, kUsage, kFailure };
  Kind kind = Kind::kDone;
  ErrorCode code = kSuccess;
  std::string message;  // what went wrong, for kUsage and kFailure
  std::string output;   // what the front end prints on standard output (the UIDs of new items, say)

  static LayoutOperationResult Done(ErrorCode code, std::string output = {}) {
    return {Kind::kDone, code, {}, std::move(output)};
  }
  static LayoutOperationResult Usage(std::string message) {
    return {Kind::kUsage, kFailure, std::move(message)};
  }
  static LayoutOperationResult Failure(std::string message) {
    return {Kind::kFailure, kFailure, std::move(message)};
  }
};

class ILayoutOperationProvider : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_ILAYOUTOPERATIONPROVIDER.Get() };
  // The provider's operations, in the order front ends list them.
  virtual std::vector<LayoutOperationInfo> GetOperations() const = 0;
  // Runs the operation `name` (one of GetOperations') on `db` with the words after its name.
  virtual LayoutOperationResult Run(IDataBase& db, std::string_view name, LayoutOperationWords& words) = 0;
};

// The providers of the host's areas and the loaded plug-ins.
std::vector<InterfacePtr<ILayoutOperationProvider>> LayoutOperationProviders();
