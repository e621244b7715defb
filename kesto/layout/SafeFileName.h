// SafeFileName: a name taken from a URL made fit to be a file name in the downloads folder on every system
// the documents travel to, and the hash that keeps names apart when making them fit changed them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kesto {

struct SafeName {
  std::u16string name;
  bool changed = false;
};

// Leading white space removed; control characters and " * / : < > ? \ | as "#"; the device names CON, PRN,
// AUX, NUL, COM1-9 and LPT1-9 (alone or before a dot) with "#" as their third character; trailing dots and
// white space removed; the name cut to 247 bytes of UTF-8, so that a hash inserted after it (".", at most
// seven digits) still fits the 255 bytes file systems allow. A name left empty (".", "..", "") becomes "#".
SafeName SafeFileName(std::u16string_view name);

// The hash of a URL's last path segment and its query: h = (h XOR unit) * 16777619 over the UTF-16 units.
uint32_t DownloadNameHash(std::u16string_view segment, std::u16string_view query);

// `value` in base 36 with the digits 0-9 and A-Z, most significant first.
std::u16string Base36(uint32_t value);

// `name` with ".HASH" inserted before its extension's dot, or at its end when it has none.
std::u16string WithHash(std::u16string_view name, uint32_t hash);

}  // namespace kesto
