// VyObject: the root of the engine's own objects, which only needs a virtual destructor.
#pragma once

namespace kesto {

class VyObject {
 public:
  VyObject() = default;
  VyObject(const VyObject&) = delete;
  VyObject& operator=(const VyObject&) = delete;
  virtual ~VyObject() = default;
};

}  // namespace kesto
