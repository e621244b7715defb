// TextChange: what a text command changed in its story, sent to the story's and the document's observers as
// the changed-by data of the command's own message (on IID_ITEXTMODEL), so that whoever keeps something
// derived from the text (a composer, a thread watcher) knows what to redo without reading the command's
// parameters.
#pragma once

#include "host/cmd/ICommand.h"
#include "host/core/IDs.h"

struct TextChange {
  enum class What : uint8_t {
    kText,                 // `deleted` units at `position` were replaced by `inserted` others
    kParagraphAttributes,  // the paragraphs touching [position, position + inserted) changed attributes
    kCharacterAttributes,  // the characters of [position, position + inserted) changed attributes
    kStory,                // the story was created or deleted
  };
  ICommand* command = nullptr;
  UID story;
  What what = What::kText;
  int32_t position = 0;
  int32_t deleted = 0;
  int32_t inserted = 0;
};
