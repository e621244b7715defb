// MyWideString: lets the string stream agent grow the host's WideString through the same few members it
// uses on standard strings.
#pragma once

#include <cstddef>

#include "host/core/WideString.h"

namespace kesto {

class MyWideString {
 public:
  using value_type = WideString::value_type;

  // `text` is referenced, not owned.
  explicit MyWideString(WideString& text) : text_(&text) {}

  size_t size() const { return text_->size(); }
  void resize(size_t units) { text_->resize(units); }
  value_type* data() { return text_->data(); }
  WideString& Get() { return *text_; }

 private:
  WideString* text_;
};

}  // namespace kesto
