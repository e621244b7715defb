// IAutoFlowPrefsData: how text flows by itself: whether new documents get a default-thread frame on each
// master page, and where pages are added for a thread story that overflows. Kept in the application
// workspace (what new documents copy) and in each document's workspace.
#pragma once

#include "host/core/IPMUnknown.h"
#include "sorvia/include/SorviaID.h"

namespace sorvia {

// Where pages are added for an overset thread story.
enum class AddPagesMode : int16_t {
  kOff = 0,
  kAfterStoryPage = 1,  // after the page holding the story's last frame
  kEndOfSection = 2,    // after the last page of that page's section
  kEndOfDocument = 3,   // after the last page of the document
};

class IAutoFlowPrefsData : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_IAUTOFLOWPREFSDATA.Get() };
  virtual void CopyFrom(const IAutoFlowPrefsData* other) = 0;
  virtual void SetCreateMasterFrames(bool on) = 0;
  virtual bool GetCreateMasterFrames() const = 0;
  virtual void SetAddPagesMode(int16_t mode) = 0;
  virtual int16_t GetAddPagesMode() const = 0;
  // Four values kept, copied and saved for documents that carry them; nothing reads them.
  virtual void SetReserved1(int16_t value) = 0;
  virtual int16_t GetReserved1() const = 0;
  virtual void SetReserved2(bool value) = 0;
  virtual bool GetReserved2() const = 0;  // always true
  virtual void SetReserved3(bool value) = 0;
  virtual bool GetReserved3() const = 0;  // always true
  virtual void SetReserved4(bool value) = 0;
  virtual bool GetReserved4() const = 0;
  // The stored values, for copies and checks (GetReserved2/3 answer true whatever is stored).
  virtual bool StoredReserved2() const = 0;
  virtual bool StoredReserved3() const = 0;
};

}  // namespace sorvia
