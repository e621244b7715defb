// Style sheets read through a whole import: style lines that apply and define paragraph and character
// styles, the character style tag, and the styles the document holds afterwards.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

#include "host/app/DocumentList.h"
#include "host/text/AttributeClasses.h"
#include "host/text/ITextModel.h"
#include "host/text/StyleNames.h"
#include "host/text/StyleUtils.h"
#include "host/text/TextCmdUtils.h"
#include "kesto/model/DocumentStyles.h"
#include "kesto/reader/KestoScannerAgent.h"
#include "kesto/services/KestoImportDriver.h"
#include "kesto/streams/VyMemoryStreamAgent.h"
#include "tests/kesto/reader/ScannerTestSupport.h"
#include "tests/support/TestHost.h"

namespace kesto {
namespace {

using testing_reader::Readable;

constexpr uint32_t kWithStyles = kImportIncludeStyleSheets | kImportReportErrors;

std::string Value(const AttributeValue& value) {
  char text[32];
  if (const bool* b = std::get_if<bool>(&value)) return *b ? "on" : "off";
  if (const int16_t* i = std::get_if<int16_t>(&value)) return std::to_string(*i);
  if (const int32_t* i = std::get_if<int32_t>(&value)) return std::to_string(*i);
  if (const double* d = std::get_if<double>(&value)) {
    std::snprintf(text, sizeof(text), "%g", *d);
    return text;
  }
  if (const WideString* s = std::get_if<WideString>(&value)) return Readable(*s);
  if (const UID* uid = std::get_if<UID>(&value)) return uid->IsValid() ? "uid" : "none";
  return "object";
}

// "6915=18 7038=1": an attribute list by class number.
std::string Attributes(const AttributeBossList& list) {
  std::string out;
  for (int32_t n = 0; n < list.CountBosses(); ++n) {
    if (!out.empty()) out += " ";
    out += std::to_string(list.GetClassN(n).Get()) + "=" + Value(list.GetNth(n)->GetValue());
  }
  return out;
}

// A style's name for the renderings, with "|" for the group separator; "-" for none.
std::string StyleName(IDataBase* db, UID uid) {
  InterfacePtr<IStyleInfo> style = Instantiate<IStyleInfo>(db, uid);
  if (!style) return "-";
  std::u16string name = style->GetName();
  for (char16_t& c : name)
    if (c == kStyleGroupSeparator) c = u'|';
  return Readable(name);
}

// A document with one story filled by one import of Kesto text.
class Imported {
 public:
  explicit Imported(std::u16string_view input, uint32_t options = kWithStyles) {
    db_ = DocumentList::Get().NewDocument();
    EXPECT_EQ(kSuccess, TextCmdUtils::NewStory(db_, story_));
    Import(input, options);
  }
  ~Imported() { DocumentList::Get().CloseDocument(db_); }

  void Import(std::u16string_view input, uint32_t options = kWithStyles) {
    std::string bytes = Utf8FromWide(input);
    VyMemoryStreamAgent agent(bytes.data(), bytes.size(), StreamEncoding::kUtf8);
    result_ = RunKestoImport(&agent, StreamEncoding::kUtf8, db_, story_, 0, options);
  }

  IDataBase* Document() const { return db_; }
  int32_t Errors() const { return result_.errorCount; }
  bool RanToEnd() const { return result_.ranToEnd; }
  // The story's invariant check: empty when sound.
  std::string Check() const { return Instantiate<ITextModel>(db_, story_)->Check(); }

  // Each paragraph as "[style overrides]" and its text, with runs of another character style or with
  // overrides as "{style overrides:text}" ("" for the root style). The story's last return is left out.
  std::string Story() const {
    InterfacePtr<ITextModel> model = Instantiate<ITextModel>(db_, story_);
    int32_t length = model->TotalLength() - 1;
    std::u16string text = model->GetText(0, length);
    UID rootCharacter = RootCharacterStyle(db_);
    std::string out;
    for (int32_t pos = 0; pos < length;) {
      if (pos == 0 || text[static_cast<size_t>(pos - 1)] == u'\r') {
        TextRun paragraph = model->GetRunAt(TextStrand::kParagraph, pos);
        std::string overrides = Attributes(*paragraph.overrides);
        out += "[" + StyleName(db_, paragraph.style) + (overrides.empty() ? "" : " " + overrides) + "]";
      }
      TextRun run = model->GetRunAt(TextStrand::kCharacter, pos);
      int32_t end = pos + 1;
      while (end < length && text[static_cast<size_t>(end - 1)] != u'\r' &&
             model->GetRunAt(TextStrand::kCharacter, end).style == run.style &&
             *model->GetRunAt(TextStrand::kCharacter, end).overrides == *run.overrides)
        ++end;
      std::string piece = Readable(std::u16string_view(text).substr(pos, end - pos));
      std::string overrides = Attributes(*run.overrides);
      if (run.style == rootCharacter && overrides.empty()) {
        out += piece;
      } else {
        std::string name = run.style == rootCharacter ? "" : StyleName(db_, run.style);
        out += "{" + name + (overrides.empty() || name.empty() ? "" : " ") + overrides + ":" + piece + "}";
      }
      pos = end;
    }
    return out;
  }

  // "based next char {attributes}" of the style of that name (paragraph styles first); "none" when the
  // document has neither.
  std::string Style(std::u16string_view name) const {
    UID uid = FindParagraphStyle(db_, name);
    StyleKind kind = StyleKind::kParagraph;
    if (!uid.IsValid()) {
      uid = FindCharacterStyle(db_, name);
      kind = StyleKind::kCharacter;
    }
    InterfacePtr<IStyleInfo> style = StyleUtils::QueryStyle(db_, uid, kind);
    if (!style) return "none";
    std::string out = StyleName(db_, style->GetBasedOn());
    if (kind == StyleKind::kParagraph) {
      out += " next " + (style->GetNextStyle().IsValid() ? StyleName(db_, style->GetNextStyle()) : "self");
      out += " char " + StyleName(db_, style->GetCharacterStyle());
    }
    return out + " {" + Attributes(style->GetAttributes()) + "}";
  }

 private:
  IDataBase* db_ = nullptr;
  UID story_;
  KestoImportResult result_;
};

class StyleSheetsTest : public ::testing::Test {
 protected:
  void SetUp() override { testing_support::EnsureHost(); }
};

struct StoryRow {
  std::u16string input;
  std::string story;
};

TEST_F(StyleSheetsTest, StyleLinesAndTagsStyleTheText) {
  const std::string k100(100, 'n');
  const StoryRow rows[] = {
      // Application of paragraph styles; a missing one is made from the default paragraph style.
      {u"@Body:Text\rnext", "[Body]Text\\r[Body]next"},
      {u"@Body:a\r@$:b", "[Body]a\\r[NormalParagraphStyle]b"},
      {u"@Head=[S]<*C>\r@Head:a\r@:b", "[Head]a\\r[[No paragraph style] 7038=1]b"},
      {u"@Head=[S]<B>\r@Head:a\r@:b",
       "[Head]a\\r[[No paragraph style]]{6914=Bold 6929=0 6954=off 6972=0 6973=off:b}"},
      {u"@G|Sub:x", "[G|Sub]x"},
      {u"@A\\|B:x", "[A|B]x"},
      {u"@\\::x", "[:]x"},
      // A style the document refuses (a group without a name) is reported; the text gets the root style.
      {u"@A||B:x",
       "[[No paragraph style]]\\u{00AB}Kesto error: Can't add style to document: tag @...:\\u{00BB}x"},
      {u"@A||B=[S]\rx",
       "[NormalParagraphStyle]\\u{00AB}Kesto error: Can't add style to document: tag @...=[]\\u{00BB}x"},
      {u"<@A||B>x",
       "[NormalParagraphStyle]\\u{00AB}Kesto error: Can't add style to document: tag @...:\\u{00BB}x"},
      // An "@" that starts no style line is text.
      {u"Mail me @ home", "[NormalParagraphStyle]Mail me @ home"},
      {u"@home\rx", "[NormalParagraphStyle]@home\\r[NormalParagraphStyle]x"},
      {u"<v6>\ra@b", "[NormalParagraphStyle]a@b"},
      {u"<v6>\ra@b:c", "[b]ac"},
      {u"<v6>\ra@b=c:d", "[b=c]ad"},
      {u"<v6>\ra@" + std::u16string(120, u'n') + u":c",
       "[NormalParagraphStyle]a@" + std::string(120, 'n') + ":c"},
      {u"@" + std::u16string(120, u'n') + u":x",
       "[" + k100 + "]\\u{00AB}Kesto error: Style name too long: tag @...:\\u{00BB}x"},
      // Definitions insert nothing.
      {u"@Head=[S\"\",\"Body\"]<*C><z18>\rText", "[NormalParagraphStyle]Text"},
      {u"@c=[C]<zzz>cmyk\r@h=[h]<Q>\rText", "[NormalParagraphStyle]Text"},
      {u"@S=[S]<\\c><\\3>a\u000B<\\#11>\r<v7><\\2>\rText", "[NormalParagraphStyle]Text"},
      {u"@x=[X]\rText",
       "[NormalParagraphStyle]\\u{00AB}Kesto error: Malformed definition prefix: tag @...=\\u{00BB}Text"},
      {u"@x=[C\rText",
       "[NormalParagraphStyle]\\u{00AB}Kesto error: Malformed definition prefix: tag @...=\\u{00BB}Text"},
      {u"@N=<*C>\rText",
       "[NormalParagraphStyle]\\u{00AB}Kesto error: Paragraph element in character style definition: tag "
       "*C\\u{00BB}Text"},
      {u"@Head=[S\"\",\"Head\",\"Nosuch\"]\rx",
       "[NormalParagraphStyle]\\u{00AB}Kesto error: No such style: tag @...=[S] param #3\\u{00BB}x"},
      {u"@Head=[S\"\",\"|\"]\rx",
       "[NormalParagraphStyle]\\u{00AB}Kesto error: No such next style: tag @...=[S] param #2\\u{00BB}x"},
      {u"@A=[S\"Nosuch\"]\rx",
       "[NormalParagraphStyle]\\u{00AB}Kesto error: No such based-on style: tag @...=[S] param #1\\u{00BB}x"},
      {u"@Head=[S$]\rx",
       "[NormalParagraphStyle]\\u{00AB}Kesto error: Malformed definition prefix: tag @...=[S] param "
       "#1\\u{00BB}x"},
      // Character styles: applied, removed, the one of the paragraph style, and made when missing.
      {u"<@Emph>word<@$> end", "[NormalParagraphStyle]{Emph:word} end"},
      {u"@Emph=<I>\r<@Emph>a<@>b",
       "[NormalParagraphStyle]{Emph:a}{6914=Italic 6929=0 6954=off 6972=0 6973=off:b}"},
      {u"<@Emph:skipped text>a", "[NormalParagraphStyle]{Emph:a}"},
      {u"<z9><@Emph>a", "[NormalParagraphStyle]{Emph:a}"},
      {u"@Emph=<B>\r@P=[S\"\",\"P\",\"Emph\"]\r@P:a<@$>b<@$P>c", "[P]{Emph:a}b{Emph:c}"},
      {u"@Emph=<B>\r@P=[S\"\",\"P\",\"Emph\"]\r@P:<@>a<@$p>b",
       "[P]{6914=Bold 6929=0 6954=off 6972=0 6973=off:a}{Emph:b}"},
      {u"<@G|E>a", "[NormalParagraphStyle]{G|E:a}"},
      {u"<@Emph\rx",
       "[NormalParagraphStyle]\\u{00AB}Kesto error: Unexpected end of line: tag "
       "@\\u{00BB}\\r[NormalParagraphStyle]x"},
      // "$" values fall back to what the style just applied gives.
      {u"@Big=[S]<z20>\r@Big:<z8>a<z$>b", "[Big]{6915=8:a}b"},
  };
  for (const StoryRow& row : rows) {
    SCOPED_TRACE(Readable(row.input));
    Imported imported(row.input);
    EXPECT_EQ(row.story, imported.Story());
  }
}

struct StyleRow {
  std::u16string input;
  std::u16string name;
  std::string style;
};

TEST_F(StyleSheetsTest, DefinitionsMakeTheseStyles) {
  const StyleRow rows[] = {
      {u"@Head=[S\"\",\"Body\"]<*C><z18>\r", u"Head",
       "[No paragraph style] next Body char - {6915=18 7038=1}"},
      // A next style named before its definition is made then and takes the definition when it comes.
      {u"@Head=[S\"\",\"Body\"]\r@Body=[S]<z9>\r", u"Body", "[No paragraph style] next self char - {6915=9}"},
      {u"@Head=[S\"\",\"Body\"]\r@Body=[S]<z9>\r@Body=[S]<z7>\r", u"Body",
       "[No paragraph style] next self char - {6915=9}"},
      {u"@Head=[S\"\",\"\"]\r", u"Head", "[No paragraph style] next [No paragraph style] char - {}"},
      {u"@Head=[S]<*C>\r@Head=[S]<*R>\r", u"Head", "[No paragraph style] next self char - {7038=1}"},
      // The last line of the input needs no return.
      {u"@Head=[S]<*C>text", u"Head", "[No paragraph style] next self char - {7038=1}"},
      {u"@Note=<I", u"Note", "none"},
      {u"@Base=[S]<z9>\r@Head=[S\"Base\",\"Head\"]<*C>\r", u"Head", "Base next self char - {7038=1}"},
      {u"@A=[S\"Nosuch\"]\r", u"A", "[No paragraph style] next self char - {}"},
      {u"@A=[Sp \"\" , \"\" ]\r", u"A", "[No paragraph style] next [No paragraph style] char - {}"},
      {u"@Note=<I>\r", u"Note", "[No character style] {6914=Italic 6929=0 6954=off 6972=0 6973=off}"},
      {u"<v1>@Note=<I>\r", u"Note",
       "[No paragraph style] next [No paragraph style] char - {6914=Italic 6929=0 6954=off 6972=0 6973=off}"},
      {u"@Emph=<B>\r@E2=[S\"\",\"\",\"\",\"Emph\"]<z9>\r", u"E2", "Emph {6915=9}"},
      {u"@Emph=<B>\r@P=[S\"\",\"P\",\"Emph\"]\r", u"P", "[No paragraph style] next self char Emph {}"},
      {u"@Body:x\r", u"Body", "[No paragraph style] next self char - {}"},
      {u"<@New>x\r", u"New", "[No character style] {}"},
      // Relative leading is kept as the leading it gives at the style's size.
      {u"@L=[S]<z10*p(,,,+2)>\r", u"L", "[No paragraph style] next self char - {6915=10 6939=12}"},
      {u"@L=[S]<*p(,,,+2)>\r", u"L", "[No paragraph style] next self char - {6939=14}"},
      {u"@L=[S]<*p(,,,0)>\r", u"L", "[No paragraph style] next self char - {6939=-1}"},
      // Special characters and breaks on a definition line insert nothing and define nothing else.
      {u"@S=[S]<\\c><\\3>a\rText", u"S", "[No paragraph style] next self char - {}"},
      {u"@" + std::u16string(120, u'n') + u"=[S]\r", std::u16string(100, u'n'),
       "[No paragraph style] next self char - {}"},
  };
  for (const StyleRow& row : rows) {
    SCOPED_TRACE(Readable(row.input));
    Imported imported(row.input);
    EXPECT_EQ(row.style, imported.Style(row.name));
  }
}

TEST_F(StyleSheetsTest, StylesOfTheDocumentAreNeverChanged) {
  Imported imported(u"@Pre=[S]<z30>\r");
  imported.Import(u"@Pre=[S]<z8>\r@Head=[S\"\",\"Pre\"]\r@Pre:x");
  EXPECT_EQ("[No paragraph style] next self char - {6915=30}", imported.Style(u"Pre"));
  EXPECT_EQ("[No paragraph style] next Pre char - {}", imported.Style(u"Head"));
  EXPECT_EQ(0, imported.Errors());
}

TEST_F(StyleSheetsTest, AmbiguousNamesApplyTheFirstStyleAndSaySo) {
  Imported imported(u"@A|S=[S]<z9>\r@B|S=[S]<z7>\r@C|E=<z9>\r@D|E=<z7>\r");
  imported.Import(u"@S:a<@E>b");
  EXPECT_EQ(
      "[A|S]\\u{00AB}Kesto error: Style name ambiguous: tag @...:\\u{00BB}a\\u{00AB}Kesto error: Style name "
      "ambiguous: tag @\\u{00BB}{C|E:b}",
      imported.Story());
}

TEST_F(StyleSheetsTest, WithoutStyleSheetsStyleLinesAreText) {
  Imported imported(u"@Body:Text <@Emph>w\r@H=[S]\r", kImportReportErrors);
  EXPECT_EQ("[NormalParagraphStyle]@Body:Text <@Emph>w\\r[NormalParagraphStyle]@H=[S]\\r", imported.Story());
  EXPECT_EQ("none", imported.Style(u"Body"));
  EXPECT_EQ("none", imported.Style(u"Emph"));
}

// Style lines and tags cut and mixed at random: every import reads to its end and leaves a sound story.
TEST_F(StyleSheetsTest, RandomStyleLinesKeepTheStorySound) {
  const char16_t* pieces[] = {
      u"@",     u"Body", u"G|S",         u":",   u"=",     u"[S",     u"[C",     u"[h",  u"]",    u"\"",
      u",",     u"$",    u"$P",          u"<@",  u">",     u"<*C>",   u"<z9>",   u"\r",  u"<v1>", u"<v6>",
      u"word ", u"\\",   u"<*p(,,,+2)>", u"<B>", u"<\\c>", u"<&L+3>", u"\u000B", u"<@>", u"Emph"};
  std::mt19937 random(11);
  std::uniform_int_distribution<size_t> pick(0, std::size(pieces) - 1);
  for (int round = 0; round < 150; ++round) {
    std::u16string input;
    for (int n = 0; n < 24; ++n)
      input += pieces[pick(random)];
    SCOPED_TRACE(Readable(input));
    Imported imported(input);
    EXPECT_TRUE(imported.RanToEnd());
    EXPECT_EQ("", imported.Check());
  }
}

}  // namespace
}  // namespace kesto
