// ISpreadList: the document's spreads and master spreads (on the document object), each in its order. The
// changing operations are for the layout commands.
#pragma once

#include "host/core/IPMUnknown.h"
#include "host/layout/LayoutIDs.h"

class ISpreadList : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_ISPREADLIST.Get() };
  virtual int32_t CountSpreads() const = 0;
  // kInvalidUID outside 0 .. CountSpreads() - 1.
  virtual UID GetNthSpread(int32_t index) const = 0;
  // -1 when `spread` is no document spread.
  virtual int32_t IndexOfSpread(UID spread) const = 0;
  virtual int32_t CountMasterSpreads() const = 0;
  virtual UID GetNthMasterSpread(int32_t index) const = 0;
  virtual int32_t IndexOfMasterSpread(UID spread) const = 0;

  // `at` -1 or past the end appends.
  virtual void InsertSpread(UID spread, int32_t at) = 0;
  virtual void RemoveSpread(UID spread) = 0;
  virtual void InsertMasterSpread(UID spread, int32_t at) = 0;
  virtual void RemoveMasterSpread(UID spread) = 0;
};
