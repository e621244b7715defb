// pagehost fonts: the installed faces, and the metrics composition measures a face with, so that anyone
// can compute where lines break.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/Commands.h"
#include "app/Output.h"
#include "host/compose/RunFont.h"
#include "host/core/WideString.h"
#include "host/res/FontCatalog.h"
#include "host/text/AttributeValue.h"

namespace pagehost {

namespace {

constexpr double kMinSize = 0.1;
constexpr double kMaxSize = 1296;

void PrintFaces() {
  for (const FontFamilyInfo& family : FontCatalog::Get().GetFamilies()) {
    for (const FontFace& face : family.faces)
      std::printf("%s\n", Utf8FromWide(face.GetFullName()).c_str());
  }
}

// One line per vertical metric, then "U+XXXX c width" for U+0020..U+007E and U+00A0..U+00FF: the advance in
// points at `size` with 100 % horizontal scale and no tracking or kerning.
void PrintMetrics(const FontFace& face, double size) {
  RunFont font{&face, size};
  std::printf("face %s\nsize %s\n", Utf8FromWide(face.GetFullName()).c_str(), JsonNumber(size).c_str());
  std::printf("ascent %s\ndescent %s\ncap-height %s\nx-height %s\nauto-leading %s\n",
              JsonNumber(font.Ascent()).c_str(), JsonNumber(font.Descent()).c_str(),
              JsonNumber(font.CapHeight()).c_str(), JsonNumber(font.XHeight()).c_str(),
              JsonNumber(font.Leading()).c_str());
  for (char32_t c = 0x20; c <= 0xFF; ++c) {
    if (c > 0x7E && c < 0xA0) continue;
    std::printf("U+%04X %s %s\n", static_cast<unsigned>(c),
                Utf8FromWide(std::u16string(1, static_cast<char16_t>(c))).c_str(),
                JsonNumber(font.Advance(c)).c_str());
  }
}

void PrintFontsHelp() {
  std::printf(
      "Usage: pagehost fonts [--metrics FACE [SIZE]]\n"
      "\n"
      "Lists the installed faces by their full names, or prints the metrics composition measures FACE with "
      "at\n"
      "SIZE points (12; from 0.1 to 1296): ascent, descent, cap height, x-height and automatic leading, "
      "then\n"
      "\"U+XXXX c width\" for each character of U+0020..U+007E and U+00A0..U+00FF.\n"
      "\n"
      "Exit status: 0 on success, 1 when no installed face has the name, 2 for a command-line error.\n");
}

}  // namespace

int RunFonts(CommandLine& args) {
  if (args.TakeFlag("--help", "-h")) {
    PrintFontsHelp();
    return kExitOk;
  }
  if (args.Done()) {
    PrintFaces();
    return kExitOk;
  }
  if (!args.TakeFlag("--metrics")) return UsageError("fonts takes --metrics FACE [SIZE]");
  if (args.Done()) return UsageError("fonts --metrics needs a face name (see pagehost fonts)");
  std::string name = args.Take();
  double size = 12;
  if (!args.Done()) {
    std::string word = args.Take();
    char* end = nullptr;
    size = std::strtod(word.c_str(), &end);
    if (word.empty() || *end != 0 || !std::isfinite(size) || size < kMinSize || size > kMaxSize)
      return UsageError("the size must be a number of points from 0.1 to 1296, not \"" + word + "\"");
  }
  if (!args.Done()) return UsageError("unexpected \"" + args.Peek() + "\"");
  const FontFace* face = FontCatalog::Get().FindByFullName(WideFromUtf8(name));
  if (!face) {
    Error("no installed face is called \"" + name + "\" (pagehost fonts lists them)");
    return kExitFailure;
  }
  PrintMetrics(*face, size);
  return kExitOk;
}

}  // namespace pagehost
