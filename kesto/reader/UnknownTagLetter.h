// UnknownTagLetter: the report of a tag letter that names no tag after the letters before it ("&", "&C").
#pragma once

#include <cstdint>
#include <string_view>

namespace kesto {

class KestoScanner;

// `c`, read after `prefix` ("&", "&C"), names no tag: error 2 naming both (">" also ends the tag group),
// error 13 for a paragraph return (left to be read as text), error 12 and the end token at the end of the
// input.
void ReportUnknownTagLetter(KestoScanner& scanner, std::u16string_view prefix, int32_t c);

// The same for a tag whose name is already set: answers true when `c` is an ordinary character (error 2,
// the tag group goes on), false when it ended the tag (">", a return, the end of the input).
bool ReportNoSuchTag(KestoScanner& scanner, int32_t c);

}  // namespace kesto
