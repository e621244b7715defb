// Generated tagged text for the reading benchmarks: about 10 MB of UTF-8 prose in paragraphs, with a rare
// unknown tag, and a tag-dense variant with a character tag every 20 characters or so.
#pragma once

#include <cstdint>
#include <iterator>
#include <string>

namespace bench_support {

inline constexpr size_t kTextBytes = 10u << 20;

// A header line, then paragraphs of five to twelve sentences; one paragraph in `unknownTagEvery` carries
// the unknown tag "<Q>".
inline std::string MakeTaggedProse(size_t unknownTagEvery) {
  const char* sentences[] = {
      "The committee met on a grey morning to weigh the proposal once more. ",
      "Nobody doubted that the caf\xC3\xA9 on the corner would close before winter, ",
      "but the owner's daughter said it would \"surely\" stay open until spring. ",
      "Prices rose again -- by a tenth, some said, or more -- and the bakers grumbled. ",
      "In the evening the square filled with people walking home from the station. ",
      "A r\xC3\xA9sum\xC3\xA9 of the discussion was sent to every member the next day. ",
      "She wrote three letters, posted two of them, and kept the third in a drawer. ",
  };
  std::string out = "<v7.00><e9>\r\n";
  uint32_t seed = 12345;
  for (size_t paragraph = 0; out.size() < kTextBytes; ++paragraph) {
    seed = seed * 1103515245u + 12345u;
    int count = 5 + static_cast<int>((seed >> 16) % 8);
    for (int i = 0; i < count; ++i) {
      seed = seed * 1103515245u + 12345u;
      out += sentences[(seed >> 16) % std::size(sentences)];
    }
    if (paragraph % unknownTagEvery == 3) out += "<Q>";
    out += "\r\n";
  }
  return out;
}

// `prose` with a character attribute tag after every 20 characters: sizes, scales, tracking, kerning, type
// styles, leading, shade and special characters, each working on the scanner's attribute pair.
inline std::string MakeTagDense(const std::string& prose) {
  const char* tags[] = {"<z11>", "<h90>",  "<t5>",   "<B>",    "<z(.+1)>", "<I>",    "<k-10>", "<s80>",
                        "<U>",   "<y110>", "<\\!5>", "<&L14>", "<$>",      "<z.*2>", "<P>",    "<t$>"};
  std::string out;
  out.reserve(prose.size() + prose.size() / 3);
  size_t next = 0;
  for (size_t i = 0; i < prose.size() && out.size() < kTextBytes; ++i) {
    char c = prose[i];
    out += c;
    // Only after ASCII letters, so that no tag lands inside a tag or a multi-byte character.
    if (i % 20 == 19 && c >= 'a' && c <= 'z') out += tags[next++ % std::size(tags)];
  }
  return out;
}

}  // namespace bench_support
