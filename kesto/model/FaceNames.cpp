// Analysis and composition of face names.
#include "kesto/model/FaceNames.h"

#include <array>

namespace kesto {

namespace {

constexpr std::array<std::u16string_view, 4> kCanonical = {u"Regular", u"Bold", u"Italic", u"Bold Italic"};
constexpr std::u16string_view kRegularWords[] = {u"Regular", u"Roman", u"Plain", u"Normal",
                                                 u"Book",    u"Rmn",   u"Thin"};
constexpr std::u16string_view kBoldWords[] = {u"Bold", u"Bld", u"Bol", u"Bd", u"Wide", u"Heavy", u"Black"};
constexpr std::u16string_view kItalicWords[] = {u"Italic", u"Oblique", u"Ital",    u"Itl",      u"Obl",
                                                u"Ita",    u"It",      u"Slanted", u"Inclined", u"Cursive"};
constexpr std::u16string_view kWeightAndWidthWords[] = {u"Semibold",  u"Heavy", u"Black", u"Narrow",
                                                        u"Condensed", u"Light", u"Thin"};

bool IsUpper(char16_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7);
}

// Where the words of a name are looked for: the whole name, or the part after its last hyphen.
struct Scope {
  size_t start = 0;
  bool hasSpace = false;
  explicit Scope(std::u16string_view name) {
    hasSpace = name.find(u' ') != std::u16string_view::npos;
    size_t hyphen = name.rfind(u'-');
    start = hyphen == std::u16string_view::npos ? 0 : hyphen + 1;
  }
};

size_t FindWord(std::u16string_view s, std::u16string_view word, const Scope& scope) {
  for (size_t p = s.find(word, scope.start); p != std::u16string_view::npos; p = s.find(word, p + 1)) {
    size_t end = p + word.size();
    if (end == s.size() || s[end] == u' ' || (!scope.hasSpace && IsUpper(s[end]))) return p;
  }
  return std::u16string_view::npos;
}

// Removes the first word of `words` found (with the space before it) and answers where it was, or npos.
template <size_t N>
size_t RemoveFirstWord(WideString& s, const std::u16string_view (&words)[N], const Scope& scope) {
  for (std::u16string_view word : words) {
    size_t p = FindWord(s, word, scope);
    if (p == std::u16string_view::npos) continue;
    size_t from = p > 0 && s[p - 1] == u' ' ? p - 1 : p;
    s.erase(from, p + word.size() - from);
    return from;
  }
  return std::u16string_view::npos;
}

void ReplaceAll(WideString& s, std::u16string_view from, std::u16string_view to) {
  for (size_t p = s.find(from); p != WideString::npos; p = s.find(from, p + to.size()))
    s.replace(p, from.size(), to);
}

WideString Trimmed(const WideString& s) {
  size_t first = s.find_first_not_of(u' ');
  if (first == WideString::npos) return {};
  return s.substr(first, s.find_last_not_of(u' ') - first + 1);
}

}  // namespace

FaceAnalysis AnalyseFaceName(std::u16string_view name) {
  // Type-style toggles ask about the same two or three faces over and over.
  struct Known {
    bool filled = false;
    WideString name;
    FaceAnalysis analysis;
  };
  thread_local std::array<Known, 16> known;
  thread_local size_t next = 0;
  for (const Known& k : known) {
    if (k.filled && k.name == name) return k.analysis;
  }
  FaceAnalysis result = AnalyseFaceNameOnce(name);
  known[next++ % known.size()] = {true, WideString(name), result};
  return result;
}

FaceAnalysis AnalyseFaceNameOnce(std::u16string_view name) {
  Scope scope(name);
  FaceAnalysis result{0, WideString(name)};
  WideString& s = result.remaining;
  RemoveFirstWord(s, kRegularWords, scope);
  if (RemoveFirstWord(s, kItalicWords, scope) != WideString::npos) result.bits |= kFaceItalic;
  if (RemoveFirstWord(s, kBoldWords, scope) != WideString::npos) result.bits |= kFaceBold;
  ReplaceAll(s, u"Condensed", u"Cn");
  ReplaceAll(s, u"Cond", u"Cn");
  std::erase(s, u'-');
  return result;
}

bool HasWeightOrWidthWord(std::u16string_view name) {
  Scope scope(name);
  for (std::u16string_view word : kWeightAndWidthWords) {
    if (FindWord(name, word, scope) != std::u16string_view::npos) return true;
  }
  return false;
}

std::u16string_view CanonicalFaceName(int32_t bits) {
  return kCanonical[static_cast<size_t>(bits & 3)];
}

WideString ComposeFaceName(std::u16string_view face, int32_t bits) {
  Scope scope(face);
  WideString s(face);
  RemoveFirstWord(s, kItalicWords, scope);
  RemoveFirstWord(s, kBoldWords, scope);
  size_t place = RemoveFirstWord(s, kRegularWords, scope);
  if (bits & kFaceBold) {
    if (place == WideString::npos || place == 0) {
      s.insert(0, s.empty() || s[0] == u' ' ? u"Bold" : u"Bold ");
    } else {
      s.insert(place, u" Bold");
    }
  }
  if (bits & kFaceItalic) s += u" Italic";
  s = Trimmed(s);
  return s.empty() ? WideString(u"Regular") : s;
}

}  // namespace kesto
