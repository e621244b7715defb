// Random tagged text and documents compared as their JSON shows them.
#include "tests/kesto/writer/RandomTaggedText.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <set>
#include <sstream>
#include <string_view>
#include <vector>

#include "host/app/DefaultDocument.h"
#include "host/res/IFontFamily.h"
#include "host/res/ILanguage.h"
#include "host/res/ISwatch.h"
#include "host/res/SwatchUtils.h"
#include "host/text/AttributeResolver.h"
#include "host/text/AttributeValue.h"
#include "host/text/IStyleTable.h"
#include "host/text/ITextAttribute.h"
#include "host/text/ITextModel.h"
#include "host/text/StyleUtils.h"
#include "kesto/writer/NumberFormat.h"

namespace kesto::testing_writer {

namespace {

// The pieces of a table written as one text, "|" between them.
std::vector<std::string> Split(std::string_view table) {
  std::vector<std::string> pieces;
  for (size_t start = 0, bar; start <= table.size(); start = bar + 1) {
    bar = std::min(table.find('|', start), table.size());
    pieces.emplace_back(table.substr(start, bar - start));
  }
  return pieces;
}

// Tags that change character attributes, with values inside, at and beyond their limits.
const std::vector<std::string> kCharacterTags = Split(
    "<P>|<B>|<I>|<U>|<W>|</>|<K>|<H>|<+>|<->|<V>|<~B>|<~I>|<~+>|<~/>|<~H>|<~K>|<~U>|<~V>|<$>|<$$>"
    "|<a$>|<BI>|<z2>|<z720>|<z1000>|<z12.3456>|<z.*1.5>|<z$>|<s0>|<s100>|<s55.5>|<s$>|<h25>|<h400>"
    "|<h10>|<h$>|<y50>|<y$>|<&h10>|<k-200>|<k2000>|<k15>|<k$>|<t-200>|<t2000>|<t$>|<b3>|<b-3>|<b40>"
    "|<br50>|<b$>|<&LA>|<&L0>|<&L14>|<&L$>|<n0>|<n1>|<n8>|<n12>|<n$>|<G0>|<G1>|<G$>|<G$$>|<N0>|<N1>"
    "|<N$>|<N$$>|<cK>|<cW>|<cY>|<c\"Red\">|<c\"Blue\">|<c\"Registration\">|<f\"DejaVu Serif Bold\">"
    "|<f\"DejaVu Sans Mono Oblique\">|<ff\"DejaVu Sans\">|<ff\"Liberation "
    "Sans\">|<fs\"Bold\">|<fs\"Oblique\">"
    "|<fs\"Nosuch\">|<f$>|<ff$>|<fs$>|<o(\"ss01\",\"zero\")>|<o(\"frac\")>|<o($)>|<o($,\"sups\")>"
    "|<@Emph>|<@Base>|<@$>|<@>|<@$p>|<&+>");

// Tags that change paragraph attributes.
const std::vector<std::string> kParagraphTags = Split(
    "<*L>|<*C>|<*R>|<*F>|<*J>|<*N>|<*G>|<*A>|<*I>|<*O>|<*kn0>|<*kn3>|<*kt0>|<*kt(A)>|<*kt(2,3)>"
    "|<*ra0>|<*ra(2,\"Dotted\",K,50,100,T1,2,3)>|<*rb0>|<*rb(0.5,\"Double\",\"Red\",100,100,0,0,4)>"
    "|<*d0>|<*d(1,3)>|<*p(12,-20,0,14,0,6)>|<*p(0,0,0,,0,0,G,\"French\")>|<*p(36,0,9,+2,12,0,g)>"
    "|<*p(,,,0,,,)>|<*p($)>|<*t(72,0,\"1.\",144,\".\",\" \")>|<*t(36,2,\"1 \")>|<*t0>");

// Lines at a paragraph start: style applications, and definitions in an order in which each names only
// styles defined before it.
const std::vector<std::string> kStyleLines = Split("@Body:|@$:|@:|@Head:|@Emph:");
const std::vector<std::string> kDefinitions = Split(
    "@Base=<I>|@Emph=[S\"\",\"\",\"\",\"Base\"]<z9><B>|@Next=[S\"\"]<z10><K>"
    "|@Body=[S\"\",\"Next\",\"Emph\"]<*J><*p(0,12,0,14,0,6,g,\"U.S. English\")>"
    "|@Head=[S\"\",\"Body\"]<*C><z18>|@Quote=[S\"Body\",\"\",\"Base\"]<*R>"
    "|@Plain=[S]<*C><f\"DejaVu Sans Mono Oblique\">|@Sized=<z.*2><U>");

// Text pieces, among them the characters the writer escapes and single characters with their own tags.
const std::vector<std::string> kText = Split(
    "word| |x|Text and more|<\\<>|<\\>>|<\\@>|<\\\\>|<\\!s>|<\\!5>|<\\5>|<\\e>|<\\$>|<\\p>|<\\m>"
    "|<\\h>|<\\!->|<\\_>|<\\z>|<\\j>|<\\n>|<\\i>|<\\t>|\t|<\\2>|<\\1>|\xC3\xA9t\xC3\xA9|\xCE\xB1"
    "|\xE2\x82\xAC|a:b=c|\"q\"");

const std::string& Pick(std::mt19937& rng, const std::vector<std::string>& choices) {
  return choices[std::uniform_int_distribution<size_t>(0, choices.size() - 1)(rng)];
}

int Between(std::mt19937& rng, int low, int high) {
  return std::uniform_int_distribution<int>(low, high)(rng);
}

std::string NameOf(IDataBase* db, UID uid) {
  if (auto style = Instantiate<IStyleInfo>(db, uid)) return Utf8FromWide(style->GetName());
  if (auto swatch = Instantiate<ISwatch>(db, uid)) return Utf8FromWide(swatch->GetName());
  if (auto family = Instantiate<IFontFamily>(db, uid)) return Utf8FromWide(family->GetFamilyName());
  if (auto language = Instantiate<ILanguage>(db, uid)) return Utf8FromWide(language->GetName());
  return uid.IsValid() ? "?" : "null";
}

// Numbers as the writer prints them: what rounds alike is alike after a round trip.
std::string Rounded(const std::string& json) {
  std::string out;
  for (const char* c = json.c_str(); *c;) {
    char* end = nullptr;
    double v = std::isdigit(static_cast<unsigned char>(*c)) || *c == '-' ? std::strtod(c, &end) : 0;
    if (end && end != c) {
      char16_t units[kNumberTextUnits];
      size_t n = FormatNumber(v, units);
      out.append(units, units + n);
      c = end;
    } else {
      out += *c++;
    }
  }
  return out;
}

std::string AttributesDump(IDataBase* db, const AttributeBossList& list) {
  std::string out = "{";
  for (int32_t i = 0; i < list.CountBosses(); ++i) {
    const ITextAttribute* a = list.GetNth(i);
    const UID* uid = std::get_if<UID>(&a->GetValue());
    out += std::to_string(list.GetClassN(i).Get()) + ":" +
           (uid ? NameOf(db, *uid) : Rounded(a->ValueToJson())) + " ";
  }
  return out + "}";
}

// What each character shows: its styles and, for each class of `classes`, the value in force, "-" where
// nothing sets one. Neighbours that look alike are joined.
std::string StoryDump(IDataBase* db, const ITextModel& story, const std::set<int32_t>& classes) {
  std::string out = "text " + Utf8FromWide(story.GetText(0, story.TotalLength())) + "\n", last;
  std::set<int32_t> starts;
  for (int32_t i = 0; i < story.CountCharacterRuns(); ++i)
    starts.insert(story.GetCharacterRun(i).start);
  for (int32_t i = 0; i < story.CountParagraphs(); ++i)
    starts.insert(story.GetParagraphRun(i).start);
  for (int32_t start : starts) {
    AttributeResolver::Place place = AttributeResolver::PlaceAt(&story, start);
    // The overrides as `inspect --json` lists them, then the values in force.
    std::string look = NameOf(db, place.paragraph ? place.paragraph->style : UID()) + "/" +
                       NameOf(db, place.character ? place.character->style : UID()) + " " +
                       (place.paragraph ? AttributesDump(db, *place.paragraph->overrides) : "") + " " +
                       (place.character ? AttributesDump(db, *place.character->overrides) : "");
    for (int32_t cls : classes) {
      std::optional<ResolvedAttribute> v = AttributeResolver::Resolve(place, ClassID(cls));
      const UID* uid = v ? std::get_if<UID>(&v->value) : nullptr;
      look += " " + std::to_string(cls) + ":" +
              (!v || v->source == AttributeSource::kClassDefault ? "-"
               : uid                                             ? NameOf(db, *uid)
                                                                 : Rounded(ValueToJson(v->value)));
    }
    if (look != last) out += "run from " + std::to_string(start) + " " + look + "\n";
    last = look;
  }
  return out;
}

void CollectClasses(const AttributeBossList& list, std::set<int32_t>& classes) {
  for (int32_t i = 0; i < list.CountBosses(); ++i)
    classes.insert(list.GetClassN(i).Get());
}

}  // namespace

std::string RandomTaggedText(std::mt19937& rng) {
  std::string text = "<v7.00><e9>\r";
  int paragraphs = Between(rng, 1, 5);
  size_t definitions = 0;
  for (int p = 0; p < paragraphs; ++p) {
    // A definition line takes the tags up to its return; the paragraph that follows starts afresh.
    while (definitions < kDefinitions.size() && Between(rng, 0, 99) < 30) {
      text += kDefinitions[definitions++];
      text += '\r';
    }
    if (Between(rng, 0, 99) < 30) text += Pick(rng, kStyleLines);
    int pieces = Between(rng, 0, 6);
    for (int i = 0; i < pieces; ++i) {
      int kind = Between(rng, 0, 9);
      text += kind < 4 ? Pick(rng, kCharacterTags) : kind < 6 ? Pick(rng, kParagraphTags) : Pick(rng, kText);
    }
    if (p + 1 < paragraphs || Between(rng, 0, 1)) text += Between(rng, 0, 9) == 0 ? "<\\b>" : "\r";
  }
  return text;
}

::testing::AssertionResult SameDump(const std::string& a, const std::string& b);

void CollectClasses(IDataBase* db, std::set<int32_t>& classes) {
  if (InterfacePtr<ITextModel> story = Instantiate<ITextModel>(db, DefaultDocument::GetMainStory(*db))) {
    for (int32_t i = 0; i < story->CountCharacterRuns(); ++i)
      CollectClasses(*story->GetCharacterRun(i).overrides, classes);
    for (int32_t i = 0; i < story->CountParagraphs(); ++i)
      CollectClasses(*story->GetParagraphRun(i).overrides, classes);
  }
  for (StyleKind kind : {StyleKind::kParagraph, StyleKind::kCharacter}) {
    InterfacePtr<IStyleTable> table = StyleUtils::QueryStyleTable(db, kind);
    for (int32_t i = 0; table && i < table->CountStyles(); ++i) {
      if (InterfacePtr<IStyleInfo> s = Instantiate<IStyleInfo>(db, table->GetNthStyle(i)))
        CollectClasses(s->GetAttributes(), classes);
    }
  }
}

std::string DocumentDump(IDataBase* db, const std::set<int32_t>& classes) {
  std::string out;
  if (InterfacePtr<ITextModel> story = Instantiate<ITextModel>(db, DefaultDocument::GetMainStory(*db)))
    out += StoryDump(db, *story, classes);
  for (StyleKind kind : {StyleKind::kParagraph, StyleKind::kCharacter}) {
    InterfacePtr<IStyleTable> table = StyleUtils::QueryStyleTable(db, kind);
    for (int32_t i = 0; table && i < table->CountStyles(); ++i) {
      InterfacePtr<IStyleInfo> s = Instantiate<IStyleInfo>(db, table->GetNthStyle(i));
      if (!s) continue;
      out += "style " + Utf8FromWide(s->GetName()) + " based " + NameOf(db, s->GetBasedOn()) + " next " +
             NameOf(db, s->GetNextStyle()) + " character " + NameOf(db, s->GetCharacterStyle()) + " " +
             AttributesDump(db, s->GetAttributes()) + "\n";
    }
  }
  if (InterfacePtr<ISwatchList> swatches = SwatchUtils::QuerySwatchList(db)) {
    for (int32_t i = 0; i < swatches->CountSwatches(); ++i)
      out += "swatch " + NameOf(db, swatches->GetNthSwatchUID(i)) + "\n";
  }
  return out;
}

::testing::AssertionResult SameDocument(IDataBase* a, IDataBase* b) {
  std::set<int32_t> classes;
  CollectClasses(a, classes);
  CollectClasses(b, classes);
  return SameDump(DocumentDump(a, classes), DocumentDump(b, classes));
}

::testing::AssertionResult SameDump(const std::string& a, const std::string& b) {
  // Styles come in the order of their definitions, which the writer chooses: the lines are compared in
  // any order.
  if (a == b) return ::testing::AssertionSuccess();
  // The lines each has that the other lacks.
  auto lines = [](const std::string& text) {
    std::multiset<std::string> set;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
      set.insert(line);
    return set;
  };
  std::multiset<std::string> x = lines(a), y = lines(b);
  if (x == y) return ::testing::AssertionSuccess();
  std::string out;
  for (const std::string& line : x)
    if (!y.count(line)) out += "\n  first:  " + line;
  for (const std::string& line : y)
    if (!x.count(line)) out += "\n  second: " + line;
  if (std::getenv("KESTO_ROUNDTRIP_VERBOSE")) out += "\nfirst:\n" + a + "second:\n" + b;
  return ::testing::AssertionFailure() << "the documents differ:" << out;
}

}  // namespace kesto::testing_writer
