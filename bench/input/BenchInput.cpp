// bench_input: writes one of the inputs of scripts/bench.sh to standard output, the same bytes on every run.
//   bench_input KIND SIZE
// prose and tag-dense take SIZE in bytes (a K or M suffix multiplies by 1024 or 1024 * 1024); the other kinds
// repeat their pattern SIZE times (translation-file names the translation-table file of that SIZE).
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "bench/TaggedProse.h"

namespace {

// Unusual shapes of input: one pattern repeated, then a paragraph return.
struct RepeatedShape {
  const char* kind;
  const char* pattern;
  const char* description;
};

constexpr RepeatedShape kShapes[] = {
    {"runs", "<B>a<B>b", "many character runs in one paragraph"},
    {"vertical-tabs", "\x0B", "vertical tabs"},
    {"form-feeds", "\x0C", "form feeds"},
    {"paragraph-attributes", "<*C>a\r\n", "a paragraph attribute on every paragraph"},
    {"encoding-switches", "<e1><e9>", "encoding switches"},
};

// Shapes that number what they repeat: `pattern` SIZE times, each '#' in it replaced by the repeat's number
// from 0, between `start` and `end`.
struct NumberedShape {
  const char* kind;
  const char* start;
  const char* pattern;
  const char* end;
  const char* description;
};

constexpr NumberedShape kNumberedShapes[] = {
    {"translation-table", "#\r", "k#\tv#\r", "", "a translation table file, lines ended by CR alone"},
    // A source is a whole "k<number>;", so that no entry's tag holds the source of another.
    {"translation-entries", "", "<&tte(k#;,v#)>", "k0; k1;\r\n", "inline translation entries"},
    {"style-lines", "", "@S#:x\r\n", "", "style lines of new paragraph styles"},
    {"host-styles", "", "<&it\"\"\"<ParaStyle:S#>x\"\"\">\r\n", "",
     "host-dialect passages of new paragraph styles"},
};

// The input of kind translation-file: the import that reads the translation-table input of the same SIZE,
// which scripts/bench.sh writes beside it.
std::string TranslationFileInput(std::string_view sizeText) {
  return "<&tt\"translation-table-" + std::string(sizeText) + ".txt\">k0 k1\r\n";
}

std::string MakeNumbered(const NumberedShape& shape, size_t size) {
  std::string out = shape.start;
  std::string_view pattern = shape.pattern;
  for (size_t i = 0; i < size; ++i) {
    std::string number = std::to_string(i);
    for (char c : pattern) {
      if (c == '#')
        out += number;
      else
        out += c;
    }
  }
  return out + shape.end;
}

// Answers false when `text` is not a count with an optional K or M suffix.
bool ParseSize(const char* text, size_t& size) {
  char* end = nullptr;
  unsigned long long value = std::strtoull(text, &end, 10);
  std::string_view suffix(end);
  if (end == text || value == 0) return false;
  size_t unit = suffix.empty() ? 1 : suffix == "K" ? 1024 : suffix == "M" ? 1024 * 1024 : 0;
  size = static_cast<size_t>(value) * unit;
  return unit != 0;
}

std::string MakeInput(std::string_view kind, size_t size, std::string_view sizeText) {
  if (kind == "prose") return bench_support::MakeStyledProse(size);
  if (kind == "tag-dense") return bench_support::MakeTagDense(size);
  if (kind == "translation-file") return TranslationFileInput(sizeText);
  for (const NumberedShape& shape : kNumberedShapes) {
    if (kind == shape.kind) return MakeNumbered(shape, size);
  }
  for (const RepeatedShape& shape : kShapes) {
    if (kind != shape.kind) continue;
    std::string out;
    std::string_view pattern = shape.pattern;
    out.reserve(pattern.size() * size + 2);
    for (size_t i = 0; i < size; ++i)
      out += pattern;
    if (!out.ends_with('\n')) out += "\r\n";
    return out;
  }
  return {};
}

int Usage() {
  std::fprintf(stderr,
               "Usage: bench_input KIND SIZE > FILE\n"
               "  prose                 SIZE bytes of paragraphs with style lines and bold or italic spans\n"
               "  tag-dense             SIZE bytes with a character tag about every 25 characters\n");
  for (const RepeatedShape& shape : kShapes)
    std::fprintf(stderr, "  %-21s %s: the pattern repeated SIZE times\n", shape.kind, shape.description);
  for (const NumberedShape& shape : kNumberedShapes)
    std::fprintf(stderr, "  %-21s SIZE %s\n", shape.kind, shape.description);
  std::fprintf(stderr, "  %-21s the import of translation-table-SIZE.txt beside it\n", "translation-file");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  size_t size = 0;
  if (argc != 3 || !ParseSize(argv[2], size)) return Usage();
  std::string input = MakeInput(argv[1], size, argv[2]);
  if (input.empty()) return Usage();
  return std::fwrite(input.data(), 1, input.size(), stdout) == input.size() ? 0 : 1;
}
