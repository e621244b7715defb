// TranslationFile: finding and reading a translation table file (<&tt"file">). A file is looked for
// through the agent (next to the document and the input file), then in a folder "Kesto" next to the
// program, in the user's data folder, in each of the system's data folders and in the user's configuration
// folder. Line 1 is a header whose first character starts comments; every later line is a source, one or
// more tabs, and a target.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "kesto/streams/StreamEncoding.h"

namespace kesto {

class ITagScannerAgent;
class TranslationTable;
class VyTextStream;

// The "Kesto" folders searched after the agent, in order: next to the program; in $XDG_DATA_HOME (else
// ~/.local/share); in each folder of $XDG_DATA_DIRS (else /usr/local/share:/usr/share); in $XDG_CONFIG_HOME
// (else ~/.config). A folder that cannot be determined is left out.
std::vector<std::filesystem::path> TranslationFolders();

// The table file `name` stands for: sets `path` and answers 0, or answers the file-system code of the
// failure (-43 when no regular file of that name was found). `agent` may be null.
int32_t FindTranslationFile(ITagScannerAgent* agent, std::u16string_view name, std::filesystem::path& path);

// Reads the file at `path` into `table` (added to what it holds), in UTF-8 that falls back to `fallback`
// for files that turn out to be 8-bit. Answers 0, a negative file-system code when the file cannot be
// opened, or the first scanner error met: 17 (a source too long), 18 (a target too long), 15 (the table is
// full, or the file holds more than 2^28 characters); lines in error add nothing, and reading stops at
// error 15.
int32_t ReadTranslationFile(const std::filesystem::path& path, StreamEncoding fallback, bool escapes,
                            TranslationTable& table);

// The same for text already open.
int32_t ReadTranslationLines(VyTextStream& stream, bool escapes, TranslationTable& table);

// `source` with the backslash escapes of the tt2 forms resolved: \\ \b \n \r \t \v, and a backslash before
// any other character drops both.
std::u32string UnescapeTranslationSource(std::u32string_view source);

}  // namespace kesto
