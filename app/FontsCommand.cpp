// pagehost fonts: the installed faces, and the metrics composition measures a face with.
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

void PrintFaces() {
  for (const FontFamilyInfo& family : FontCatalog::Get().GetFamilies()) {
    for (const FontFace& face : family.faces)
      std::printf("%s\n", Utf8FromWide(face.GetFullName()).c_str());
  }
}

// The face's file, its metrics in design units and in points at `size`, then "U+XXXX c width" for
// U+0020..U+007E and U+00A0..U+00FF: the nominal advance in points at `size` with 100 % horizontal scale, no
// tracking and no kerning (composition shapes words, so kerning and ligatures change a word's width).
void PrintMetrics(const FontFace& face, double size) {
  RunFont font{&face, size};
  const FontMetrics& m = face.GetMetrics();
  auto points = [&](int32_t units) { return JsonNumber(units * size / m.unitsPerEm); };
  std::printf("face %s\nfile %s\nindex %d\nsize %s\nunits-per-em %d\n",
              Utf8FromWide(face.GetFullName()).c_str(), face.GetFilePath().c_str(), face.GetFileIndex(),
              JsonNumber(size).c_str(), m.unitsPerEm);
  const std::pair<const char*, int32_t> rows[] = {
      {"ascent", m.ascender},
      {"descent", m.descender},
      {"cap-height", m.capHeight},
      {"x-height", m.xHeight},
      {"underline-position", m.underlinePosition},
      {"underline-thickness", m.underlineThickness},
      {"strike-through-position", m.strikeoutPosition},
      {"strike-through-thickness", m.strikeoutThickness},
  };
  for (const auto& [name, units] : rows)
    std::printf("%s %d %s\n", name, units, points(units).c_str());
  std::printf("auto-leading %s\n", JsonNumber(font.Leading()).c_str());
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
      "Lists the installed faces by their full names, or prints FACE's file and metrics at SIZE points (12;\n"
      "from 0.1 to 1296): units per em, then ascent, descent, cap height, x-height, underline and\n"
      "strike-through position and thickness, each in design units and in points, automatic leading, and\n"
      "\"U+XXXX c width\" for each character of U+0020..U+007E and U+00A0..U+00FF (its advance alone;\n"
      "composition shapes words, with kerning and ligatures).\n"
      "\n"
      "PAGEHOST_FONT_CONFIG may name a fontconfig file whose fonts are used instead of the system's.\n"
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
    if (word.empty() || *end != 0 || !std::isfinite(size) || size < kMinPointSize || size > kMaxPointSize)
      return UsageError("the size must be a number of points from 0.1 to 1296, not \"" + word + "\"");
  }
  if (!args.Done()) return UsageError("unexpected \"" + args.Peek() + "\"");
  const FontFace* face = FontCatalog::Get().FindByFullName(WideFromUtf8(name));
  if (face && !face->IsUsable()) {
    Error("the file of \"" + name + "\" cannot be read as a font: " + face->GetFilePath());
    return kExitFailure;
  }
  if (!face) {
    Error("no installed face is called \"" + name + "\" (pagehost fonts lists them)");
    return kExitFailure;
  }
  PrintMetrics(*face, size);
  return kExitOk;
}

}  // namespace pagehost
