// Tab stops from tag-side codes, characters and leaders.
#include "kesto/model/TabStopSettings.h"

namespace kesto {

namespace {
thread_local char16_t defaultAlignCharacter = u'.';
}  // namespace

char16_t DefaultAlignCharacter() {
  return defaultAlignCharacter;
}

void SetDefaultAlignCharacter(char16_t c) {
  defaultAlignCharacter = c;
}

TabStop NewTabStop(double position) {
  TabStop stop;
  stop.position = position;
  stop.alignCharacter = defaultAlignCharacter;
  return stop;
}

bool SetTabAlignment(TabStop& stop, int32_t code) {
  switch (code) {
    case kTabCodeLeft:
    case kTabCodeLeftToo:
      stop.alignment = TabAlignment::kLeft;
      return true;
    case kTabCodeCenter:
      stop.alignment = TabAlignment::kCenter;
      return true;
    case kTabCodeRight:
      stop.alignment = TabAlignment::kRight;
      return true;
    case kTabCodeOnPeriod:
      return SetTabAlignCharacter(stop, u'.');
    case kTabCodeOnComma:
      return SetTabAlignCharacter(stop, u',');
    default:
      return false;
  }
}

bool SetTabAlignCharacter(TabStop& stop, char16_t c) {
  if (c == 0) return false;
  stop.alignment = TabAlignment::kOnCharacter;
  stop.alignCharacter = c;
  SetDefaultAlignCharacter(c);
  return true;
}

bool SetTabLeader(TabStop& stop, char16_t first, char16_t second) {
  if (first == 0) return false;
  if (first == u' ' && (second == 0 || second == u' ')) {
    stop.leader.clear();
    return true;
  }
  stop.leader.assign(1, first);
  if (second != 0) stop.leader += second;
  return true;
}

}  // namespace kesto
