// Utf8StateMachine: strict UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF) as a table-
// driven state machine. Each byte costs two lookups: its class, then the next state. States are multiples
// of 12 so that a state plus a class indexes the transition table directly.
#pragma once

#include <cstdint>

namespace kesto {

inline constexpr uint32_t kUtf8Accept = 0;   // a whole character has been read
inline constexpr uint32_t kUtf8Reject = 12;  // the bytes so far can begin no character

// Class of each byte: 0 ASCII; 1, 9, 7 continuation bytes 80-8F, 90-9F, A0-BF; 2 lead C2-DF; 3 lead of a
// plain three-byte form; 4 ED (surrogates lie beyond it); 10 E0 (overlong forms lie below it); 11 F0, 6
// F1-F3, 5 F4 (above U+10FFFF lies beyond it); 8 bytes that never occur (C0, C1, F5-FF).
extern const uint8_t kUtf8ByteClass[256];
// Next state by state + class.
extern const uint8_t kUtf8Transition[108];

// Feeds `byte` to the machine in `state`; `cp` gathers the character's bits and holds the character once
// the answer is kUtf8Accept.
inline uint32_t Utf8Step(uint32_t state, uint8_t byte, uint32_t& cp) {
  uint32_t byteClass = kUtf8ByteClass[byte];
  // A lead byte keeps the bits its class leaves free; a continuation byte adds six.
  cp = state != kUtf8Accept ? (byte & 0x3Fu) | (cp << 6) : (0xFFu >> byteClass) & byte;
  return kUtf8Transition[state + byteClass];
}

}  // namespace kesto
