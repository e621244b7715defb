// VyBaseAttributeMgr: the root of the attribute managers: the code of the last failed operation, which the
// scanner turns into its own error.
#pragma once

#include <cstdint>

namespace kesto {

// Last-error codes of the attribute managers.
enum AttributeError : int32_t {
  kAttrNoError = 0,
  kAttrCannotCreate = 1,  // the host has no attribute for it (or refused to create one)
  kAttrOutOfRange = 2,    // value outside the range the attribute declares
  kAttrNoSuchName = 3,    // generic name lookup failed (style, font family, language ...)
  kAttrNoSuchColor = 8,
  kAttrNoSuchKerningMethod = 9,
  kAttrEmptyValue = 11,  // empty name or missing value
  kAttrNoSuchStrokeType = 12,
  kAttrMissingFace = 13,  // the face asked for is not in the font family; its name is kept all the same
};

class VyBaseAttributeMgr {
 public:
  virtual ~VyBaseAttributeMgr() = default;
  int32_t GetLastError() const { return lastError_; }
  void SetLastError(int32_t error) { lastError_ = error; }
  void ClearLastError() { lastError_ = kAttrNoError; }

 protected:
  VyBaseAttributeMgr() = default;
  VyBaseAttributeMgr(const VyBaseAttributeMgr&) = default;
  VyBaseAttributeMgr& operator=(const VyBaseAttributeMgr&) = default;

  // Records `error` and answers false, so that setters can end with `return Fail(...)`.
  bool Fail(int32_t error) {
    lastError_ = error;
    return false;
  }
  bool Succeed() {
    lastError_ = kAttrNoError;
    return true;
  }

 private:
  int32_t lastError_ = kAttrNoError;
};

}  // namespace kesto
