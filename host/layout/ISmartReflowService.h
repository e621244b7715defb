// ISmartReflowService: what plug-ins tell the host's smart text reflow (adding pages when a story's text
// outgrows its frames, removing the pages it no longer needs) before it acts on a document. Plug-ins
// register a class with this interface for kSmartReflowService; the host asks through SmartReflow, where
// every provider must agree. The host does not reflow by itself yet: this is where it will ask.
#pragma once

#include "host/core/IPMUnknown.h"
#include "host/db/IDataBase.h"

inline constexpr PMIID IID_ISMARTREFLOWSERVICE = 0x20A01;
inline constexpr ServiceID kSmartReflowService = 0x20A02;

class ISmartReflowService : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_ISMARTREFLOWSERVICE.Get() };
  // Whether the host may add pages for the story (a frame list) whose text runs out of room.
  virtual bool MayAddPagesForStory(const IDataBase* db, UID frameList) const = 0;
  // Whether the host may remove the pages the story's text no longer reaches.
  virtual bool MayRemovePagesOfStory(const IDataBase* db, UID frameList) const = 0;
  // Whether the host may reflow the document at all, may add spreads at its end, and may remove pages
  // that hold nothing.
  virtual bool MayReflowDocument(const IDataBase* db) const = 0;
  virtual bool MayAddSpreads(const IDataBase* db) const = 0;
  virtual bool MayRemoveEmptyPages(const IDataBase* db) const = 0;
};
