// Text frames, frame lists and a story's link to its frame list.
#include "host/layout/TextFrame.h"

#include "host/layout/LayoutStreams.h"

using namespace LayoutStreams;

void TextFrame::SetFrameList(UID frameList) {
  if (frameList == frameList_) return;
  if (PreDirty() != kSuccess) return;
  frameList_ = frameList;
}

void TextFrame::SetOptions(const FrameOptions& options) {
  if (options == options_) return;
  if (PreDirty() != kSuccess) return;
  options_ = options;
}

void TextFrame::SetTextRange(int32_t start, int32_t span) {
  if (start == textStart_ && span == textSpan_) return;
  if (PreDirty() != kSuccess) return;
  textStart_ = start;
  textSpan_ = span;
}

void TextFrame::ReadWrite(IPMStream* stream, ImplementationID) {
  stream->XferReference(frameList_);
  XferFrameOptions(stream, options_);
  XferInt32In(stream, textStart_, 0, INT32_MAX, "a text frame's text start");
  XferInt32In(stream, textSpan_, 0, INT32_MAX, "a text frame's text span");
}

void FrameList::SetStory(UID story) {
  if (story == story_) return;
  if (PreDirty() != kSuccess) return;
  story_ = story;
}

UID FrameList::GetNthFrame(int32_t index) const {
  return At(frames_, index);
}
int32_t FrameList::IndexOfFrame(UID frame) const {
  return IndexIn(frames_, frame);
}

void FrameList::InsertFrame(UID frame, int32_t at) {
  if (!frame.IsValid() || IndexIn(frames_, frame) >= 0) return;
  if (PreDirty() != kSuccess) return;
  InsertAt(frames_, frame, at);
}

void FrameList::RemoveFrame(UID frame) {
  if (IndexIn(frames_, frame) < 0) return;
  if (PreDirty() != kSuccess) return;
  std::erase(frames_, frame);
}

void FrameList::SetFirstDamagedFrame(int32_t index) {
  if (index == firstDamaged_) return;
  if (PreDirty() != kSuccess) return;
  firstDamaged_ = index;
}

void FrameList::ReadWrite(IPMStream* stream, ImplementationID) {
  stream->XferReference(story_);
  XferUIDs(stream, frames_);
  XferInt32In(stream, firstDamaged_, -1, INT32_MAX, "a frame list's first damaged frame");
}

void StoryFrames::SetFrameList(UID frameList) {
  if (frameList == frameList_) return;
  if (PreDirty() != kSuccess) return;
  frameList_ = frameList;
}

void StoryFrames::SetPrimaryTextFlow(bool primary) {
  if (primary == primary_) return;
  if (PreDirty() != kSuccess) return;
  primary_ = primary;
}

void StoryFrames::ReadWrite(IPMStream* stream, ImplementationID) {
  stream->XferReference(frameList_);
  stream->XferBool(primary_);
}
