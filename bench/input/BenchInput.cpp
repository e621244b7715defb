// bench_input: writes one of the inputs of scripts/bench.sh to standard output, the same bytes on every run.
//   bench_input KIND SIZE
// prose and tag-dense take SIZE in bytes (a K or M suffix multiplies by 1024 or 1024 * 1024); the other kinds
// repeat their pattern SIZE times.
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

std::string MakeInput(std::string_view kind, size_t size) {
  if (kind == "prose") return bench_support::MakeStyledProse(size);
  if (kind == "tag-dense") return bench_support::MakeTagDense(size);
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
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  size_t size = 0;
  if (argc != 3 || !ParseSize(argv[2], size)) return Usage();
  std::string input = MakeInput(argv[1], size);
  if (input.empty()) return Usage();
  return std::fwrite(input.data(), 1, input.size(), stdout) == input.size() ? 0 : 1;
}
