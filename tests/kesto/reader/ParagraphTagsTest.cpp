// Paragraph tags read through a whole import: what each paragraph of the story carries afterwards, and the
// reports left where a tag was bad (a bad list tag changes nothing).
#include "kesto/reader/ParagraphTags.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "host/app/DocumentList.h"
#include "host/res/IStrokeStyle.h"
#include "host/text/AttributeClasses.h"
#include "host/text/ITextModel.h"
#include "host/text/TabStopList.h"
#include "host/text/TextCmdUtils.h"
#include "kesto/model/Languages.h"
#include "kesto/model/VyColorDesc.h"
#include "kesto/model/VyStrokeTypeDesc.h"
#include "kesto/reader/KestoScannerAgent.h"
#include "kesto/services/KestoImportDriver.h"
#include "kesto/streams/VyMemoryStreamAgent.h"
#include "tests/kesto/reader/ScannerTestSupport.h"
#include "tests/support/TestHost.h"

namespace kesto {
namespace {

using testing_reader::Readable;

constexpr ClassID kAbsent = 0;

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof(text), "%g", value);
  return text;
}

std::string Narrow(std::u16string_view text) {
  return Readable(text);
}

// Tab stops as "position alignment leader" triples: L, C, R, or "@" and the align-on character.
std::string RenderTabs(const TabStopList& list) {
  std::string out;
  for (const TabStop& stop : list.Stops()) {
    if (!out.empty()) out += " ";
    out += Number(stop.position);
    switch (stop.alignment) {
      case TabAlignment::kLeft:
        out += "L";
        break;
      case TabAlignment::kCenter:
        out += "C";
        break;
      case TabAlignment::kRight:
        out += "R";
        break;
      case TabAlignment::kOnCharacter:
        out += "@" + Narrow(std::u16string_view(&stop.alignCharacter, 1));
        break;
    }
    if (!stop.leader.empty()) out += "[" + Narrow(stop.leader) + "]";
  }
  return out.empty() ? "none" : out;
}

// A value in the tag language's terms: swatches and stroke styles by name, languages by number.
std::string Render(IDataBase* db, ClassID cls, const AttributeValue& value) {
  if (const bool* b = std::get_if<bool>(&value)) return *b ? "on" : "off";
  if (const int16_t* i = std::get_if<int16_t>(&value)) return std::to_string(*i);
  if (const int32_t* i = std::get_if<int32_t>(&value)) return std::to_string(*i);
  if (const double* d = std::get_if<double>(&value)) return Number(*d);
  if (const ObjectRef* object = std::get_if<ObjectRef>(&value)) {
    auto tabs = std::dynamic_pointer_cast<const TabStopList>(*object);
    return tabs ? RenderTabs(*tabs) : "object";
  }
  if (const UID* uid = std::get_if<UID>(&value)) {
    if (cls == kTextAttrLanguage) {
      std::optional<int32_t> number = LanguageNumberOf(db, *uid);
      return number ? "lang" + std::to_string(*number) : "lang?";
    }
    if (cls == kTextAttrRuleAboveStrokeType || cls == kTextAttrRuleBelowStrokeType) {
      InterfacePtr<IStrokeStyle> style = Instantiate<IStrokeStyle>(db, *uid);
      return style ? Narrow(style->GetName()) : "stroke?";
    }
    if (!uid->IsValid()) return "no color";
    VyColorDesc spec;
    return DescribeColor(db, *uid, spec) ? Narrow(spec.name) : "color?";
  }
  return "?";
}

// A story filled by one import of Kesto text, read back paragraph by paragraph.
class ImportedStory {
 public:
  ImportedStory(std::u16string_view input, const AttributeBossList& startingParagraph = {}) {
    db_ = DocumentList::Get().NewDocument();
    EXPECT_EQ(kSuccess, TextCmdUtils::NewStory(db_, story_));
    if (!startingParagraph.IsEmpty()) {
      EXPECT_EQ(kSuccess, TextCmdUtils::ApplyOverrides(UIDRef(db_, story_), TextStrand::kParagraph, 0, 1,
                                                       startingParagraph));
    }
    std::string bytes = Utf8FromWide(input);
    VyMemoryStreamAgent agent(bytes.data(), bytes.size(), StreamEncoding::kUtf8);
    result_ = RunKestoImport(&agent, StreamEncoding::kUtf8, db_, story_, 0,
                             kImportIncludeStyleSheets | kImportReportErrors);
    model_ = Instantiate<ITextModel>(db_, story_);
  }
  ~ImportedStory() { DocumentList::Get().CloseDocument(db_); }

  std::u16string Text() const { return model_->GetText(0, model_->TotalLength()); }
  int32_t Errors() const { return result_.errorCount; }

  // The attribute of paragraph `index` (0-based): its paragraph run, or for leading and language (which
  // are written over whole paragraphs as character attributes) its first character's run.
  std::string Attribute(int32_t index, ClassID cls) const {
    int32_t start = ParagraphStart(index);
    if (start < 0) return "no paragraph";
    bool characterScope = cls == kTextAttrLeading || cls == kTextAttrLanguage;
    TextRun run = model_->GetRunAt(characterScope ? TextStrand::kCharacter : TextStrand::kParagraph, start);
    const ITextAttribute* attribute = run.overrides->GetByClass(cls);
    return attribute ? Render(db_, cls, attribute->GetValue()) : "-";
  }

  // Every run of the character strand in paragraph `index` carries the same value of `cls`.
  bool UniformOverParagraph(int32_t index, ClassID cls) const {
    int32_t start = ParagraphStart(index), end = ParagraphStart(index + 1);
    if (end < 0) end = model_->TotalLength();
    std::string first = Attribute(index, cls), seen = first;
    model_->VisitRuns(TextStrand::kCharacter, start, end, [&](const TextRun& run) {
      const ITextAttribute* attribute = run.overrides->GetByClass(cls);
      seen = attribute ? Render(db_, cls, attribute->GetValue()) : "-";
      return seen == first;
    });
    return seen == first;
  }

  std::string Check() const { return model_->Check(); }

 private:
  int32_t ParagraphStart(int32_t index) const {
    std::u16string text = Text();
    int32_t start = 0;
    for (int32_t i = 0; i < index; ++i) {
      size_t cut = text.find(u'\r', static_cast<size_t>(start));
      if (cut == std::u16string::npos || cut + 1 >= text.size()) return -1;
      start = static_cast<int32_t>(cut) + 1;
    }
    return start;
  }

  IDataBase* db_ = nullptr;
  UID story_;
  KestoImportResult result_;
  InterfacePtr<ITextModel> model_;
};

// One row: the input, the paragraph looked at, the attributes it must carry ("-" for no override), and
// the text of the report the import must leave ("" for none).
struct Row {
  std::u16string input;
  int32_t paragraph;
  std::map<ClassID, std::string> expected;
  std::string report = "";
};

::testing::AssertionResult Matches(const Row& row, const AttributeBossList& starting = {}) {
  ImportedStory story(row.input, starting);
  std::string text = Readable(story.Text());
  std::string fault = story.Check();
  if (!fault.empty()) return ::testing::AssertionFailure() << "story unsound: " << fault;
  std::string want = row.report.empty() ? "" : "\u00ABKesto error: " + row.report + "\u00BB";
  std::string wantReadable = Readable(WideFromUtf8(want));
  if (row.report.empty() ? story.Errors() != 0 : text.find(wantReadable) == std::string::npos)
    return ::testing::AssertionFailure() << "text " << text << ", expected report \"" << row.report << "\"";
  for (const auto& [cls, value] : row.expected) {
    std::string got = story.Attribute(row.paragraph, cls);
    if (got != value)
      return ::testing::AssertionFailure() << "class " << cls.Get() << ": got \"" << got << "\", want \""
                                           << value << "\" (text " << text << ")";
  }
  return ::testing::AssertionSuccess();
}

class ParagraphTagsTest : public ::testing::Test {
 protected:
  void SetUp() override { testing_support::EnsureHost(); }
};

TEST_F(ParagraphTagsTest, AlignmentAppliesToTheWholeParagraphItStandsIn) {
  const Row rows[] = {
      {u"left <*C>centred\r", 0, {{kTextAttrAlignment, "1"}}},
      {u"first\rsecond<*R>\r", 0, {{kTextAttrAlignment, "-"}}},
      {u"first\rsecond<*R>\r", 1, {{kTextAttrAlignment, "2"}}},
      {u"<*L*C*R*F*J*N*G*A*I*O>x\r", 0, {{kTextAttrAlignment, "9"}}},
      {u"<*J>a\rb\r", 1, {{kTextAttrAlignment, "4"}}},
      {u"<*A>x\r", 0, {{kTextAttrAlignment, "7"}}},
      {u"<*N>x\r", 0, {{kTextAttrAlignment, "5"}}},
      // From version 8 "*A" and a letter is a tag of its own, read and ignored.
      {u"<v8><e9>\r<*AT>x\r", 0, {{kTextAttrAlignment, "-"}}},
      {u"<v8><e9>\r<*A9>x\r", 0, {{kTextAttrAlignment, "7"}}, "No such tag: tag 9"},
      {u"<*Q>x\r", 0, {{kTextAttrAlignment, "-"}}, "No such tag: tag *Q"},
      {u"<*h\"Standard\"*m\"H&J\"*sX>x\r", 0, {{kTextAttrAlignment, "-"}}},
      {u"<*C\rx\r", 0, {{kTextAttrAlignment, "1"}}, "Unexpected end of line: tag *C"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Readable(row.input));
    EXPECT_TRUE(Matches(row));
  }
}

TEST_F(ParagraphTagsTest, BreakCharactersMarkTheReturnTheyInsert) {
  const Row rows[] = {
      {u"a<\\c>b\r", 0, {{kTextAttrBreakKind, "1"}}},
      {u"a<\\c>b\r", 1, {{kTextAttrBreakKind, "-"}}},
      {u"a\u000Bb\r", 0, {{kTextAttrBreakKind, "1"}}},
      {u"a<\\0>b\r", 0, {{kTextAttrBreakKind, "2"}}},
      {u"a\u000Cb\r", 0, {{kTextAttrBreakKind, "3"}}},
      {u"a<\\b>b\r", 0, {{kTextAttrBreakKind, "3"}}},
      {u"a<\\7>b<\\6>c\r", 0, {{kTextAttrBreakKind, "4"}}},
      {u"a<\\7>b<\\6>c\r", 1, {{kTextAttrBreakKind, "5"}}},
      {u"a<\\7>b<\\6>c\r", 2, {{kTextAttrBreakKind, "-"}}},
      // Rows of breaks: each return is marked, and only the paragraph with the tab is aligned for it.
      {u"a\v\v\v\f\fb\r", 2, {{kTextAttrBreakKind, "1"}}},
      {u"a\v\v\v\f\fb\r", 4, {{kTextAttrBreakKind, "3"}}},
      {u"a\v\v\v\f\fb\r", 5, {{kTextAttrBreakKind, "-"}}},
      {u"<*C*t(72,0,\" \")>a\tb\v\v\vc\r", 0, {{kTextAttrAlignment, "0"}}},
      {u"<*C*t(72,0,\" \")>a\tb\v\v\vc\r", 1, {{kTextAttrAlignment, "1"}}},
      {u"<*C*t(72,0,\" \")>a\tb\v\v\vc\r", 2, {{kTextAttrAlignment, "1"}, {kTextAttrBreakKind, "1"}}},
      // Empty paragraphs after a paragraph with tabs, the same.
      {u"<*C*t(72,0,\" \")>a\tb\r\r\rc\r", 0, {{kTextAttrAlignment, "0"}}},
      {u"<*C*t(72,0,\" \")>a\tb\r\r\rc\r", 2, {{kTextAttrAlignment, "1"}, {kTextAttrBreakKind, "-"}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Readable(row.input));
    EXPECT_TRUE(Matches(row));
  }
}

TEST_F(ParagraphTagsTest, KeepsAndDropCaps) {
  const Row rows[] = {
      {u"<*kn3>x\r", 0, {{kTextAttrKeepWithNext, "3"}}},
      {u"<*kn9>x\r", 0, {{kTextAttrKeepWithNext, "5"}}},
      {u"<*kt(A)>x\r",
       0,
       {{kTextAttrKeepLinesTogether, "on"}, {kTextAttrKeepAllLines, "on"}, {kTextAttrKeepFirstLines, "2"}}},
      {u"<*kt(2,3)>x\r",
       0,
       {{kTextAttrKeepLinesTogether, "on"},
        {kTextAttrKeepAllLines, "off"},
        {kTextAttrKeepFirstLines, "2"},
        {kTextAttrKeepLastLines, "3"}}},
      {u"<*kt(99,0)>x\r", 0, {{kTextAttrKeepFirstLines, "50"}, {kTextAttrKeepLastLines, "1"}}},
      {u"<*ktA>x\r", 0, {{kTextAttrKeepAllLines, "on"}}},
      {u"<*kt0>x\r", 0, {{kTextAttrKeepLinesTogether, "off"}}},
      {u"<*kt(2,3)*kt$>x\r",
       0,
       {{kTextAttrKeepLinesTogether, "-"},
        {kTextAttrKeepAllLines, "-"},
        {kTextAttrKeepFirstLines, "-"},
        {kTextAttrKeepLastLines, "-"}}},
      {u"<*kt4>x\r", 0, {{kTextAttrKeepLinesTogether, "-"}}, "Value out of range: tag *kt"},
      {u"<*kx>x\r", 0, {}, "No such tag: tag *k"},
      {u"<*d3>x\r", 0, {{kTextAttrDropCapCharacters, "1"}, {kTextAttrDropCapLines, "3"}}},
      {u"<*d0>x\r", 0, {{kTextAttrDropCapCharacters, "0"}, {kTextAttrDropCapLines, "0"}}},
      {u"<*d40>x\r", 0, {{kTextAttrDropCapLines, "25"}}},
      {u"<*d(2,4)>x\r", 0, {{kTextAttrDropCapCharacters, "2"}, {kTextAttrDropCapLines, "4"}}},
      {u"<*d(,4)>x\r", 0, {{kTextAttrDropCapCharacters, "1"}, {kTextAttrDropCapLines, "4"}}},
      {u"<*d(200,2)>x\r", 0, {{kTextAttrDropCapCharacters, "150"}}},
      {u"<*d3*d$>x\r", 0, {{kTextAttrDropCapCharacters, "-"}, {kTextAttrDropCapLines, "0"}}},
      {u"<*d(2,x)>x\r", 0, {{kTextAttrDropCapCharacters, "-"}}, "Malformed number: tag *d param #2"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Readable(row.input));
    EXPECT_TRUE(Matches(row));
  }
}

TEST_F(ParagraphTagsTest, TabStops) {
  const Row rows[] = {
      {u"<*t(72,0,\"1.\",144,\".\",\" \")>x\r", 0, {{kTextAttrTabStops, "72L[.] 144@."}}},
      {u"<*t(144,1,,72,2,)>x\r", 0, {{kTextAttrTabStops, "72R 144C"}}},
      {u"<*t(10,4,,20,5,,30,3,-)>x\r", 0, {{kTextAttrTabStops, "10@. 20@, 30L[-]"}}},
      {u"<*t(10,\"x\",\"2ab\")>x\r", 0, {{kTextAttrTabStops, "10@x[ab]"}}},
      {u"<*t(10,0,,10,2,)>x\r", 0, {{kTextAttrTabStops, "10R"}}},
      {u"<*t(-5,0,,99999,0,)>x\r", 0, {{kTextAttrTabStops, "0L 15552L"}}},
      {u"<*t(1p6)>x\r", 0, {{kTextAttrTabStops, "18L"}}},
      {u"<v1.5><e9>\r<*t(0,0,)>x\r", 0, {{kTextAttrTabStops, "0.1L"}}},
      {u"<*t0>x\r", 0, {{kTextAttrTabStops, "none"}}},
      {u"<*t(72,0,)*t$>x\r", 0, {{kTextAttrTabStops, "-"}}},
      // A bad element anywhere leaves the tab stops as they were.
      {u"<*t(72,0,)>a\r<*t(36,6,)>b\r",
       1,
       {{kTextAttrTabStops, "72L"}},
       "Value out of range: tag *t param #2"},
      {u"<*t(72,0,\"3..\")>x\r", 0, {{kTextAttrTabStops, "-"}}, "Malformed tab leader spec: tag *t param #3"},
      {u"<*t(72,\"ab\",)>x\r",
       0,
       {{kTextAttrTabStops, "-"}},
       "Malformed tab alignment spec: tag *t param #2"},
      {u"<*t($)>x\r", 0, {{kTextAttrTabStops, "-"}}, "No default value available (for $): tag *t param #1"},
      {u"<*t(x)>x\r", 0, {{kTextAttrTabStops, "-"}}, "Malformed number: tag *t param #1"},
      {u"<*t5>x\r", 0, {{kTextAttrTabStops, "-"}}, "Value out of range: tag *t"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Readable(row.input));
    EXPECT_TRUE(Matches(row));
  }
}

TEST_F(ParagraphTagsTest, TooManyTabStopsChangeNothing) {
  std::u16string input = u"<*t(";
  for (size_t i = 0; i <= TabStopList::kMaxStops; ++i)
    input += WideFromUtf8(std::to_string(i + 1) + ",0,,");
  input += u")>x\r";
  EXPECT_TRUE(Matches({input, 0, {{kTextAttrTabStops, "-"}}, "Too many tabs: tag *t param #772"}));
}

TEST_F(ParagraphTagsTest, ParagraphFormats) {
  const Row rows[] = {
      {u"<*p(12,-20,0,14,0,6)>x\r",
       0,
       {{kTextAttrLeftIndent, "12"},
        {kTextAttrFirstLineIndent, "-12"},
        {kTextAttrRightIndent, "0"},
        {kTextAttrLeading, "14"},
        {kTextAttrSpaceBefore, "0"},
        {kTextAttrSpaceAfter, "6"}}},
      // Only the elements given change; relative forms start from the value in force.
      {u"<*p(10,,5)*p(.+2,,,,3)>x\r",
       0,
       {{kTextAttrLeftIndent, "12"},
        {kTextAttrRightIndent, "5"},
        {kTextAttrSpaceBefore, "3"},
        {kTextAttrFirstLineIndent, "-"}}},
      // A left indent made smaller pulls a first-line indent that was given earlier along.
      {u"<*p(20,-20)*p(5)>x\r", 0, {{kTextAttrLeftIndent, "5"}, {kTextAttrFirstLineIndent, "-5"}}},
      {u"<*p(,,,+2)>x\r", 0, {{kTextAttrLeading, "14"}}},
      {u"<*p(,,,-2)>x\r", 0, {{kTextAttrLeading, "10"}}},
      {u"<*p(,,,$)>x\r", 0, {{kTextAttrLeading, "-1"}}},
      {u"<*p(,,,2000)>x\r", 0, {{kTextAttrLeading, "1080"}}},
      {u"<*p(,,,,2000,1cm)>x\r", 0, {{kTextAttrSpaceBefore, "1080"}, {kTextAttrSpaceAfter, "28.3465"}}},
      {u"<*p(,,,,,,G)>x\r", 0, {{kTextAttrLockToGrid, "on"}}},
      {u"<*p(,,,,,,g)>x\r", 0, {{kTextAttrLockToGrid, "off"}}},
      {u"<*p(,,,,,,,\"Allemand\")>x\r", 0, {{kTextAttrLanguage, "lang3"}}},
      {u"<*p(,,,,,,,\"Deutsch (neue Rechtschreibung)\")>x\r", 0, {{kTextAttrLanguage, "lang70"}}},
      {u"<*p(,,,,,,,French)>x\r", 0, {{kTextAttrLanguage, "lang1"}}},
      {u"<*p(3,,,,,,,Klingon)>x\r",
       0,
       {{kTextAttrLanguage, "-"}, {kTextAttrLeftIndent, "-"}},
       "No such language: tag *p param #8"},
      {u"<*p(3,,4)*p$>x\r", 0, {{kTextAttrLeftIndent, "-"}, {kTextAttrRightIndent, "-"}}},
      {u"<*p3>x\r", 0, {{kTextAttrLeftIndent, "-"}}, "Malformed tag: tag *p"},
      {u"<*p(3,.x)>x\r", 0, {{kTextAttrLeftIndent, "-"}}, "No such expression operator: tag *p param #2"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Readable(row.input));
    EXPECT_TRUE(Matches(row));
  }
}

TEST_F(ParagraphTagsTest, LeadingAndLanguageCoverTheWholeParagraph) {
  ImportedStory story(u"<z10>before <*p(,,,18,,,,Italian)>after <z20>big\rnext\r");
  EXPECT_EQ("", story.Check());
  EXPECT_TRUE(story.UniformOverParagraph(0, kTextAttrLeading));
  EXPECT_TRUE(story.UniformOverParagraph(0, kTextAttrLanguage));
  EXPECT_EQ("18", story.Attribute(0, kTextAttrLeading));
  EXPECT_EQ("lang4", story.Attribute(0, kTextAttrLanguage));
  // Paragraph attributes stay in force for the paragraphs that follow.
  EXPECT_EQ("18", story.Attribute(1, kTextAttrLeading));
}

TEST_F(ParagraphTagsTest, Rules) {
  const std::u16string example = u"<*ra(2,\"dotted\",Red,50,100,T0,0,0)>x\r";
  const Row rows[] = {
      {example,
       0,
       {{kTextAttrRuleAboveOn, "on"},
        {kTextAttrRuleAboveWeight, "2"},
        {kTextAttrRuleAboveStrokeType, "Canned Dashed 4x4"},
        {kTextAttrRuleAboveColor, "C=15 M=100 Y=100 K=0"},
        {kTextAttrRuleAboveTint, "50"},
        {kTextAttrRuleAboveWidthMode, "1"},
        {kTextAttrRuleAboveLeftIndent, "0"},
        {kTextAttrRuleBelowOn, "-"}}},
      // Before version 7 there is no tint: "100" is the left indent.
      {u"<v6><e9>\r" + example,
       0,
       {{kTextAttrRuleAboveLeftIndent, "100"},
        {kTextAttrRuleAboveRightIndent, "0"},
        {kTextAttrRuleAboveTint, "50"}}},
      // Defaults for what is not given.
      {u"<*rb(3)>x\r",
       0,
       {{kTextAttrRuleBelowOn, "on"},
        {kTextAttrRuleBelowWeight, "3"},
        {kTextAttrRuleBelowStrokeType, "Solid"},
        {kTextAttrRuleBelowColor, "Black"},
        {kTextAttrRuleBelowTint, "100"},
        {kTextAttrRuleBelowWidthMode, "0"},
        {kTextAttrRuleBelowOffset, "0"}}},
      {u"<*rb(1,\"DICK-D\u00DCNN\",T,,,,-3,0.5)>x\r",
       0,
       {{kTextAttrRuleBelowStrokeType, "ThickThin"},
        {kTextAttrRuleBelowColor, "no color"},
        {kTextAttrRuleBelowRightIndent, "-3"},
        {kTextAttrRuleBelowOffset, "0.5"}}},
      {u"<*rb(1,130,C)>x\r",
       0,
       {{kTextAttrRuleBelowStrokeType, "ThickThin"}, {kTextAttrRuleBelowColor, "C=100 M=0 Y=0 K=0"}}},
      {u"<*rb(1,0,,,,,,2000)>x\r", 0, {{kTextAttrRuleBelowOffset, "1080"}}},
      // A percentage offset is a share of the spacing on the rule's side.
      {u"<*p(,,,,,20)*rb(1,0,,,,,,50%)>x\r", 0, {{kTextAttrRuleBelowOffset, "10"}}},
      {u"<*rb(3)>a\r<*rb0>b\r", 1, {{kTextAttrRuleBelowOn, "off"}, {kTextAttrRuleBelowWeight, "3"}}},
      {u"<*rb(3)>a\r<*rb$>b\r", 1, {{kTextAttrRuleBelowOn, "-"}, {kTextAttrRuleBelowWeight, "-"}}},
      {u"<*rb2>x\r", 0, {{kTextAttrRuleBelowOn, "-"}}, "Value out of range: tag *rb"},
      {u"<*rb(1,11)>x\r", 0, {{kTextAttrRuleBelowOn, "-"}}, "No such line style: tag *rb param #2"},
      {u"<*rb(1,256)>x\r", 0, {{kTextAttrRuleBelowOn, "-"}}, "Value out of range: tag *rb param #2"},
      {u"<*rb(1,\"wavy\")>x\r", 0, {{kTextAttrRuleBelowOn, "-"}}, "No such line style: tag *rb param #2"},
      {u"<*rb(1,0,Mauve)>x\r", 0, {{kTextAttrRuleBelowOn, "-"}}, "No such color: tag *rb param #3"},
      // Without a rule in the defaults, "$" has nothing to fall back to.
      {u"<*rb($)>x\r",
       0,
       {{kTextAttrRuleBelowOn, "-"}},
       "No default value available (for $): tag *rb param #1"},
      {u"<*rb(1,0,$)>x\r",
       0,
       {{kTextAttrRuleBelowOn, "-"}},
       "No default value available (for $): tag *rb param #3"},
      {u"<*rc>x\r", 0, {}, "No such tag: tag *r"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Readable(row.input));
    EXPECT_TRUE(Matches(row));
  }
}

// "$" falls back to the paragraph attributes in force where the import began.
TEST_F(ParagraphTagsTest, DefaultsComeFromWhereTheImportBegan) {
  AttributeBossList starting;
  ASSERT_EQ(kSuccess, starting.ApplyValue(kTextAttrLeftIndent, 10.0));
  ASSERT_EQ(kSuccess, starting.ApplyValue(kTextAttrRuleBelowOn, true));
  ASSERT_EQ(kSuccess, starting.ApplyValue(kTextAttrRuleBelowWeight, 4.0));
  ASSERT_EQ(kSuccess, starting.ApplyValue(kTextAttrKeepFirstLines, int16_t{3}));
  ASSERT_EQ(kSuccess, starting.ApplyValue(kTextAttrDropCapLines, int16_t{2}));
  const Row rows[] = {
      {u"<*p(20)>a\r<*p($)>b\r", 1, {{kTextAttrLeftIndent, "10"}}},
      {u"<*p(,,7)*p(,,$)>b\r", 0, {{kTextAttrRightIndent, "0"}}},
      {u"<*rb(1)*rb($,$,$)>b\r",
       0,
       {{kTextAttrRuleBelowWeight, "4"},
        {kTextAttrRuleBelowStrokeType, "-"},
        {kTextAttrRuleBelowColor, "-"}}},
      {u"<*kt(9,$)*kt($,7)>b\r", 0, {{kTextAttrKeepFirstLines, "3"}, {kTextAttrKeepLastLines, "7"}}},
      {u"<*d$>b\r", 0, {{kTextAttrDropCapLines, "2"}, {kTextAttrDropCapCharacters, "-"}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Readable(row.input));
    EXPECT_TRUE(Matches(row, starting));
  }
}

// An error of an earlier tag in the same group is the one reported, and does not stop a good list tag.
TEST_F(ParagraphTagsTest, EarlierErrorInTheGroupDoesNotStopAListTag) {
  EXPECT_TRUE(Matches({u"<Q*t(72,0,)>x\r", 0, {{kTextAttrTabStops, "72L"}}, "No such tag: tag Q"}));
}

}  // namespace
}  // namespace kesto
