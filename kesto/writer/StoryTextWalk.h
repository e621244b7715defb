// StoryTextWalk: the text of a story range as a writer puts it out. The text is read in chunks; runs of units
// that need nothing but copying go out whole, and every other character (a surrogate pair joined) goes out on
// its own with the unit after it, so that a writer can decide how to spell it.
#pragma once

#include <algorithm>
#include <cstdint>

#include "host/text/ITextModel.h"

namespace kesto {

// Walks [start, end) of `story` (pass `plain` as a lambda, so that the test of each unit is inlined): a run
// of units that `plain(unit)` accepts goes to `span(units, count)`; any other character goes to `character(c,
// index, next)` (`index` of its first unit in the story, `next` the unit after it, or 0 at the end), which
// answers how many units after it to pass over. `stop()` ends the walk between chunks.
template <class Plain, class Span, class Character, class Stop>
void WalkStoryText(const ITextModel& story, int32_t start, int32_t end, Plain plain, Span span,
                   Character character, Stop stop) {
  constexpr int32_t kChunk = 1024;  // large enough that finding the place in the story is rare
  char16_t chunk[kChunk];
  int32_t carry = 0;  // units at the start of the next chunk already passed over
  for (int32_t position = start; position < end && !stop();) {
    int32_t count = story.CopyText(position, chunk, std::min(kChunk, end - position));
    if (count <= 0) return;
    // A high surrogate at the end of a chunk waits for its partner.
    if (count > 1 && chunk[count - 1] >= 0xD800 && chunk[count - 1] < 0xDC00 && position + count < end)
      --count;
    int32_t i = carry;
    while (i < count) {
      if (plain(chunk[i])) {
        int32_t last = i + 1;
        while (last < count && plain(chunk[last]))
          ++last;
        span(chunk + i, last - i);
        i = last;
        continue;
      }
      char32_t c = chunk[i];
      int32_t units = 1;
      if (c >= 0xD800 && c < 0xDC00 && i + 1 < count && chunk[i + 1] >= 0xDC00 && chunk[i + 1] < 0xE000) {
        c = 0x10000 + ((c - 0xD800) << 10) + (chunk[i + 1] - 0xDC00);
        units = 2;
      }
      int32_t after = i + units;
      char16_t next = after < count            ? chunk[after]
                      : position + after < end ? story.GetChar(position + after)
                                               : 0;
      i = after + character(c, position + i, next);
    }
    carry = i - count;
    position += count;
  }
}

}  // namespace kesto
