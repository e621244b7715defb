// The UTF-8 state machine against a plain reading of the rules of UTF-8, over every one- and two-byte
// sequence and every lead byte with the boundary values of each continuation range.
#include "kesto/streams/Utf8StateMachine.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace kesto {
namespace {

// The code point of `bytes` when they are exactly one well-formed UTF-8 character.
std::optional<uint32_t> Reference(const std::vector<uint8_t>& bytes) {
  if (bytes.empty()) return std::nullopt;
  uint8_t lead = bytes[0];
  size_t length = lead < 0x80             ? 1
                  : (lead & 0xE0) == 0xC0 ? 2
                  : (lead & 0xF0) == 0xE0 ? 3
                  : (lead & 0xF8) == 0xF0 ? 4
                                          : 0;
  if (length == 0 || bytes.size() != length) return std::nullopt;
  uint32_t cp = length == 1 ? lead : lead & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) {
    if ((bytes[i] & 0xC0) != 0x80) return std::nullopt;
    cp = (cp << 6) | (bytes[i] & 0x3F);
  }
  const uint32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < smallest[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
  return cp;
}

// Runs the machine over `bytes`: the code point when they end in the accept state having rejected
// nothing, and with no byte left over.
std::optional<uint32_t> Machine(const std::vector<uint8_t>& bytes) {
  uint32_t state = kUtf8Accept;
  uint32_t cp = 0;
  for (size_t i = 0; i < bytes.size(); ++i) {
    state = Utf8Step(state, bytes[i], cp);
    if (state == kUtf8Reject) return std::nullopt;
    if (state == kUtf8Accept && i + 1 != bytes.size()) return std::nullopt;
  }
  if (state != kUtf8Accept || bytes.empty()) return std::nullopt;
  return cp;
}

::testing::AssertionResult Agree(const std::vector<uint8_t>& bytes) {
  auto expected = Reference(bytes);
  auto actual = Machine(bytes);
  if (expected == actual) return ::testing::AssertionSuccess();
  ::testing::AssertionResult failure = ::testing::AssertionFailure();
  for (uint8_t b : bytes)
    failure << std::hex << int{b} << ' ';
  failure << "rule says " << (expected ? std::to_string(*expected) : "invalid") << ", machine says "
          << (actual ? std::to_string(*actual) : "invalid");
  return failure;
}

TEST(Utf8StateMachine, EveryOneAndTwoByteSequence) {
  for (int a = 0; a < 256; ++a) {
    ASSERT_TRUE(Agree({static_cast<uint8_t>(a)}));
    for (int b = 0; b < 256; ++b)
      ASSERT_TRUE(Agree({static_cast<uint8_t>(a), static_cast<uint8_t>(b)}));
  }
}

TEST(Utf8StateMachine, EveryLeadWithBoundaryContinuations) {
  // The edges of every continuation class and of the bytes around them.
  const std::vector<uint8_t> probes = {0x00, 0x41, 0x7F, 0x80, 0x8F, 0x90, 0x9F,
                                       0xA0, 0xBF, 0xC0, 0xC2, 0xE0, 0xF4, 0xFF};
  for (int lead = 0xC0; lead < 256; ++lead) {
    for (uint8_t b : probes) {
      for (uint8_t c : probes) {
        ASSERT_TRUE(Agree({static_cast<uint8_t>(lead), b, c}));
        for (uint8_t d : probes)
          ASSERT_TRUE(Agree({static_cast<uint8_t>(lead), b, c, d}));
      }
    }
  }
}

TEST(Utf8StateMachine, AcceptAndRejectAreFixedPoints) {
  uint32_t cp = 0;
  for (int b = 0; b < 256; ++b)
    EXPECT_EQ(kUtf8Reject, Utf8Step(kUtf8Reject, static_cast<uint8_t>(b), cp));
  for (int b = 0; b < 0x80; ++b)
    EXPECT_EQ(kUtf8Accept, Utf8Step(kUtf8Accept, static_cast<uint8_t>(b), cp));
}

}  // namespace
}  // namespace kesto
