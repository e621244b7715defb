// VyHiddenTextSettings: the settings of a hidden-text range or box (<&Ce…>, <&Cb…>) as the plug-in's
// hidden-text attribute carries them: one 1292-byte record, zero-filled, its numbers little-endian.
#pragma once

#include <cstdint>
#include <string_view>

#include "kesto/model/KestoAttributes.h"

namespace kesto {

struct VyHiddenTextSettings {
  // Byte offsets of the fields. Names hold up to 255 UTF-16 units and texts up to 63, each ended by a 0.
  static constexpr size_t kFirstName = 0;
  static constexpr size_t kSecondName = 512;
  static constexpr size_t kFlags = 1024;  // 32-bit: letters P 1, T 2, U 6
  static constexpr size_t kFirstText = 1028;
  static constexpr size_t kNumber = 1156;  // 16-bit, 1–32767
  static constexpr size_t kKind = 1158;    // 16-bit: L G B F C U D as 0–6
  static constexpr size_t kMode = 1160;    // 16-bit: M C F A S L X W as 1 2 3 4 0 5 6 7
  static constexpr size_t kSecondText = 1162;
  static constexpr int32_t kMaxNameUnits = 255;
  static constexpr int32_t kMaxTextUnits = 63;

  HiddenTextRecord record{};

  void Clear() { record.fill(0); }
  // `text` must fit its field (kMaxNameUnits or kMaxTextUnits).
  void SetText(size_t offset, std::u16string_view text) {
    for (size_t i = 0; i < text.size(); ++i)
      SetNumber(offset + 2 * i, text[i], 2);
    SetNumber(offset + 2 * text.size(), 0, 2);
  }
  void SetNumber(size_t offset, uint32_t value, size_t bytes) {
    for (size_t i = 0; i < bytes; ++i)
      record[offset + i] = static_cast<uint8_t>(value >> (8 * i));
  }
  uint32_t GetNumber(size_t offset, size_t bytes) const {
    uint32_t value = 0;
    for (size_t i = 0; i < bytes; ++i)
      value |= static_cast<uint32_t>(record[offset + i]) << (8 * i);
    return value;
  }
};

}  // namespace kesto
