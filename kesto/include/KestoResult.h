// KestoResult: the answer of a Kesto operation that a caller must look at: a scanner agent's answer to a
// token, a facade's import or export, a stream agent's close. 0 means done (or, from an agent, "go on");
// any other value is the code that ends what the caller was doing (a cancel, a file-system or engine code).
// A caller that ignores an answer on purpose says why at the call.
#pragma once

#include <cstdint>

namespace kesto {

class [[nodiscard]] KestoResult {
 public:
  constexpr KestoResult(int32_t code = 0) : code_(code) {}
  constexpr operator int32_t() const { return code_; }

 private:
  int32_t code_;
};

}  // namespace kesto
