// VyTextSink: where a text-only agent puts the text it is handed; a story, or any other consumer of plain
// UTF-16 text.
#pragma once

#include <cstdint>

namespace kesto {

class VyTextSink {
 public:
  virtual ~VyTextSink() = default;
  // Appends `count` units at the insertion point. Answers false when the text was refused; text accepted
  // by earlier calls stays.
  virtual bool InsertText(const char16_t* units, int32_t count) = 0;
};

}  // namespace kesto
