// Generated tagged text for the reading benchmarks and for scripts/bench.sh: prose in paragraphs of about
// 400 characters (with style lines, emphasis and rare unknown tags as asked), and a tag-dense variant with a
// character tag about every 25 characters. Deterministic: the same arguments always give the same bytes.
#pragma once

#include <cstdint>
#include <iterator>
#include <string>

namespace bench_support {

inline constexpr size_t kTextBytes = 10u << 20;
inline constexpr size_t kTagDenseBytes = 5u << 20;

struct ProseShape {
  size_t bytes = kTextBytes;
  // One paragraph in this many carries the unknown tag "<Q>", whose report the import leaves in the text;
  // 0 for none.
  size_t unknownTagEvery = 0;
  // Each paragraph starts with a paragraph style line ("@Body:", now and then "@Quote:").
  bool styleLines = false;
  // One sentence in this many is set in bold or (alternately) italic; 0 for none.
  size_t emphasisEvery = 0;
};

// A plain linear congruential sequence: the inputs must not depend on the library's random engines.
class ProseSequence {
 public:
  uint32_t Next(uint32_t bound) {
    seed_ = seed_ * 1103515245u + 12345u;
    return (seed_ >> 16) % bound;
  }

 private:
  uint32_t seed_ = 12345;
};

// A version and encoding header line, then paragraphs of four to seven sentences (about 400 characters).
inline std::string MakeTaggedProse(const ProseShape& shape) {
  const char* sentences[] = {
      "The committee met on a grey morning to weigh the proposal once more. ",
      "Nobody doubted that the caf\xC3\xA9 on the corner would close before winter, ",
      "but the owner's daughter said it would \"surely\" stay open until spring. ",
      "Prices rose again -- by a tenth, some said, or more -- and the bakers grumbled. ",
      "In the evening the square filled with people walking home from the station. ",
      "A r\xC3\xA9sum\xC3\xA9 of the discussion was sent to every member the next day. ",
      "She wrote three letters, posted two of them, and kept the third in a drawer. ",
  };
  const char* emphasis[] = {"<B>", "<I>"};
  std::string out = "<v7.00><e9>\r\n";
  out.reserve(shape.bytes + 1024);
  ProseSequence sequence;
  size_t sentenceCount = 0;
  for (size_t paragraph = 0; out.size() < shape.bytes; ++paragraph) {
    if (shape.styleLines) out += paragraph % 8 == 7 ? "@Quote:" : "@Body:";
    uint32_t count = 4 + sequence.Next(4);
    for (uint32_t i = 0; i < count; ++i) {
      std::string sentence = sentences[sequence.Next(std::size(sentences))];
      if (shape.emphasisEvery != 0 && ++sentenceCount % shape.emphasisEvery == 0) {
        // The span ends before the sentence's trailing space; the same tag toggles the style back off.
        const char* tag = emphasis[(sentenceCount / shape.emphasisEvery) % 2];
        sentence.insert(sentence.size() - 1, tag);
        sentence.insert(0, tag);
      }
      out += sentence;
    }
    if (shape.unknownTagEvery != 0 && paragraph % shape.unknownTagEvery == 3) out += "<Q>";
    out += "\r\n";
  }
  return out;
}

// The prose of the import benchmarks: a style line per paragraph, a bold or italic span every four sentences
// (about every 300 characters), no reports.
inline std::string MakeStyledProse(size_t bytes = kTextBytes) {
  return MakeTaggedProse({.bytes = bytes, .styleLines = true, .emphasisEvery = 4});
}

// Prose with a character tag after every 20 to 30 characters: type styles, size, scales, tracking, kerning,
// shade, leading, baseline shift, colour (swatches of the default document) and special characters. Each
// attribute is switched back by the tag after it (its "$" form, "<$>", or the same toggle again), so the text
// alternates between one changed attribute and the plain look. Every tag reads without a report.
inline std::string MakeTagDense(size_t bytes = kTagDenseBytes) {
  struct Change {
    const char* on;
    const char* off;  // nullptr for a special character, which needs no switching back
  };
  const Change changes[] = {
      {"<B>", "<B>"},      {"<z11>", "<z$>"},
      {"<I>", "<$>"},      {"<h90>", "<h$>"},
      {"<\\!s>", nullptr}, {"<y110>", "<y$>"},
      {"<t5>", "<t$>"},    {"<U>", "<U>"},
      {"<k-10>", "<k$>"},  {"<\\_>", nullptr},
      {"<s80>", "<s$>"},   {"<&L14>", "<&L$>"},
      {"<b2>", "<b$>"},    {"<c\"C=100 M=0 Y=0 K=0\">", "<c$>"},
      {"<\\a>", nullptr},  {"<K>", "<K>"},
      {"<z.*2>", "<z$>"},  {"<H>", "<$>"},
      {"<+>", "<+>"},      {"<\\!5>", nullptr},
      {"</>", "</>"},      {"<cRed>", "<c$>"},
      {"<W>", "<W>"},      {"<->", "<$>"},
      {"<\\m>", nullptr},  {"<&h95>", "<h$>"},
      {"<V>", "<V>"},      {"<\\$>", nullptr},
  };
  const std::string prose = MakeTaggedProse({.bytes = bytes});
  std::string out;
  out.reserve(bytes + bytes / 4);
  ProseSequence sequence;
  size_t next = 0, gap = 25, sinceTag = 0;
  bool switchedOn = false;
  for (char c : prose) {
    out += c;
    if (c == '\n' && out.size() >= bytes) break;
    // Only after ASCII letters, so that no tag lands inside a tag or a multi-byte character.
    if (++sinceTag < gap || c < 'a' || c > 'z') continue;
    const Change& change = changes[next % std::size(changes)];
    out += switchedOn ? change.off : change.on;
    switchedOn = !switchedOn && change.off != nullptr;
    if (!switchedOn) ++next;
    sinceTag = 0;
    gap = 20 + sequence.Next(11);
  }
  return out;
}

}  // namespace bench_support
