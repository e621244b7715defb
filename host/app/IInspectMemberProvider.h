// IInspectMemberProvider: a plug-in's own member of a document's JSON description (pagehost inspect --json),
// so that the host shows what plug-ins keep in a document without knowing it. Classes registered for
// kInspectMemberService answer one member each, and may add lines to the readable summary.
#pragma once

#include <string>

#include "host/core/IPMUnknown.h"
#include "host/db/IDataBase.h"

inline constexpr PMIID IID_IINSPECTMEMBERPROVIDER = 0x208F0;
inline constexpr ServiceID kInspectMemberService = 0x208F0;

class IInspectMemberProvider : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_IINSPECTMEMBERPROVIDER.Get() };
  // The member's name; it must differ from the host's members and other plug-ins'.
  virtual std::string GetMemberName() const = 0;
  // The member's value for `db` as JSON text; empty to leave the member out of this document.
  virtual std::string GetMemberJson(IDataBase& db) const = 0;
  // Members the plug-in adds to the description of the story `story`, as JSON text to follow the host's
  // members ("\"thread\":12,\"orphan\":false"); empty for none.
  virtual std::string GetStoryMembersJson(IDataBase& db, UID story) const { return {}; }
  // Lines for the readable summary (pagehost inspect), each ending in a newline; empty for none.
  virtual std::string GetSummaryText(IDataBase& db) const { return {}; }
};
