// HostTagKeywords: the process-wide list of the host tagged-text dialect's tag names and their codes: the
// dialect's 32 fixed tags under their long and short names, then every tagged-text capable host attribute
// under its long and short names with its class number as code, then names the scanner met and did not know
// (code 0). Lookups compare exactly and find the most recently added entry first.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kesto::HostTagKeywords {

// Fills the list on first use; later calls do nothing. Single-threaded (the host's main thread).
void EnsureFilled();
// The code of `name`; nullopt when the list has no such name.
std::optional<int32_t> Find(std::u16string_view name);
// Adds `name` with `code` in front of the older entries.
void Add(std::u16string_view name, int32_t code);
// Entries in the list: the fixed and attribute names and those added since.
size_t Count();

}  // namespace kesto::HostTagKeywords
