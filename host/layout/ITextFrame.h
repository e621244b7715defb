// ITextFrame: a text frame's place in its story's frame list and its options; the text start and span of
// the frame (the range of the story it shows) are the composer's to fill. IFrameList: a story's frames in
// flow order, and the first frame that awaits composition. IStoryFrames (on a story): its frame list and
// its primary-text-flow flag.
#pragma once

#include <vector>

#include "host/core/IPMUnknown.h"
#include "host/layout/FrameOptions.h"
#include "host/layout/LayoutIDs.h"

class ITextFrame : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_ITEXTFRAME.Get() };
  virtual UID GetFrameList() const = 0;
  virtual void SetFrameList(UID frameList) = 0;
  virtual const FrameOptions& GetOptions() const = 0;
  virtual void SetOptions(const FrameOptions& options) = 0;
  virtual int32_t GetTextStart() const = 0;
  virtual int32_t GetTextSpan() const = 0;
  virtual void SetTextRange(int32_t start, int32_t span) = 0;
};

class IFrameList : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_IFRAMELIST.Get() };
  virtual UID GetStory() const = 0;
  virtual void SetStory(UID story) = 0;
  virtual int32_t CountFrames() const = 0;
  virtual UID GetNthFrame(int32_t index) const = 0;
  virtual int32_t IndexOfFrame(UID frame) const = 0;
  virtual void InsertFrame(UID frame, int32_t at) = 0;
  virtual void RemoveFrame(UID frame) = 0;
  // The first frame whose composition is out of date; < 0 when nothing awaits composition.
  virtual int32_t GetFirstDamagedFrame() const = 0;
  virtual void SetFirstDamagedFrame(int32_t index) = 0;
  // Marks frames from `index` on damaged (keeps an earlier damaged frame).
  void Damage(int32_t index) {
    int32_t first = GetFirstDamagedFrame();
    if (index < 0) index = 0;
    if (first < 0 || index < first) SetFirstDamagedFrame(index);
  }
};

class IStoryFrames : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_ISTORYFRAMES.Get() };
  virtual UID GetFrameList() const = 0;
  virtual void SetFrameList(UID frameList) = 0;
  virtual bool IsPrimaryTextFlow() const = 0;
  virtual void SetPrimaryTextFlow(bool primary) = 0;
};
