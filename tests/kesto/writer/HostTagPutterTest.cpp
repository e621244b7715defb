// The host-dialect writer: style tags written when the style changes, overrides written against the
// previous paragraph or run (removals as empty tags), the escapes of text and style names per encoding, the
// short tag names, and the byte path of TagXferAgent.
#include "kesto/writer/HostTagPutter.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "host/text/AttributeClasses.h"
#include "host/text/StyleNames.h"
#include "host/text/TextCmdUtils.h"
#include "kesto/writer/HostTagPutterAgent.h"
#include "tests/kesto/writer/WriterTestSupport.h"

namespace kesto::testing_writer {
namespace {

// Two attribute classes of a plug-in's block with tag names of their own, so that these cases do not depend
// on the names the host gives its attributes.
constexpr ClassID kTestSize = 0xA8DE0;
constexpr ClassID kTestIndent = 0xA8DE1;

WideString WriteNumber(const IDataBase*, const AttributeValue& value) {
  const double* number = std::get_if<double>(&value);
  return number ? WideFromUtf8(std::to_string(static_cast<int>(*number))) : WideString();
}

int32_t ParseNumber(const AttributeClassInfo&, const IDataBase*, std::u16string_view text,
                    AttributeValue& value) {
  value = std::stod(Utf8FromWide(text));
  return kTagValueParsed;
}

void RegisterTestClasses() {
  for (auto [cls, name, tag, shortTag, scope] :
       {std::tuple{kTestSize, "testSize", "TestSize", "ts", AttributeScope::kCharacter},
        std::tuple{kTestIndent, "testIndent", "TestIndent", "ti", AttributeScope::kParagraph}}) {
    if (AttributeClasses::Find(cls)) continue;
    AttributeClassInfo info;
    info.cls = cls;
    info.name = name;
    info.scope = scope;
    info.kind = AttributeKind::kReal;
    info.defaultValue = 0.0;
    info.longTag = tag;
    info.shortTag = shortTag;
    info.parse = &ParseNumber;
    info.write = &WriteNumber;
    ASSERT_EQ(kSuccess, AttributeClasses::Register(info));
  }
}

// A document whose main story the rows fill, and the host text of [start, end) of it.
class HostTagStory : public ScopedDocument {
 public:
  HostTagStory() { RegisterTestClasses(); }

  void Insert(std::u16string_view text) {
    ASSERT_EQ(kSuccess, TextCmdUtils::InsertText(Ref(), Model()->TotalLength() - 1, WideString(text)));
  }
  UID Style(StyleKind kind, std::u16string_view name) {
    TextCmdUtils::StyleFields fields;
    fields.kind = kind;
    fields.name = WideString(name);
    UID style;
    EXPECT_EQ(kSuccess, TextCmdUtils::CreateStyle(Db(), fields, style));
    return style;
  }
  void ParagraphStyle(int32_t start, int32_t end, std::u16string_view name) {
    EXPECT_EQ(kSuccess,
              TextCmdUtils::ApplyParagraphStyle(Ref(), start, end, Style(StyleKind::kParagraph, name)));
  }
  void CharacterStyle(int32_t start, int32_t end, std::u16string_view name) {
    EXPECT_EQ(kSuccess,
              TextCmdUtils::ApplyCharacterStyle(Ref(), start, end, Style(StyleKind::kCharacter, name)));
  }
  void Override(TextStrand strand, int32_t start, int32_t end, ClassID cls, double value) {
    AttributeBossList list;
    ASSERT_EQ(kSuccess, list.ApplyValue(cls, value));
    EXPECT_EQ(kSuccess, TextCmdUtils::ApplyOverrides(Ref(), strand, start, end, list));
  }

  std::string Write(uint32_t options, StreamEncoding encoding, int32_t start = 0, int32_t end = 0) {
    VyBaseStory story(Db(), Story());
    HostTagPutter putter;
    putter.SetOptions(options);
    putter.SetEncoding(encoding);
    WideString text;
    HostTagPutterAgent agent(&text);
    EXPECT_EQ(0, putter.PutStory(story, start, end, &agent));
    return Utf8FromWide(text);
  }

 private:
  UIDRef Ref() const { return UIDRef(Db(), Story()); }
};

struct Row {
  const char* name;
  std::function<void(HostTagStory&)> fill;
  uint32_t options;
  StreamEncoding encoding;
  std::string expected;
};

// The tags every story starts with: the default paragraph style, the root character style.
const std::string kStart = "<ParaStyle:NormalParagraphStyle><CharStyle:>";

TEST(HostTagPutterTest, WritesStylesOverridesAndTextOfTheDialect) {
  constexpr uint32_t kFragment = kPutFragment;
  const StreamEncoding kAscii = StreamEncoding::kAscii, kLatin = StreamEncoding::kWindowsLatin,
                       kUtf16 = StreamEncoding::kUtf16LE, kMac = StreamEncoding::kMacRoman;
  const Row kRows[] = {
      {"TextEscapes", [](HostTagStory& s) { s.Insert(u"a<b>c\\d\te\u0001f\u007F"); }, kFragment, kAscii,
       kStart + "a\\<b\\>c\\\\d\te<0x0001>f<0x007F>"},
      {"ObjectCharactersWriteNothing", [](HostTagStory& s) { s.Insert(u"a\uFFFCb\uFEFFc"); }, kFragment,
       kUtf16, kStart + "abc"},
      {"LatinLetterAsciiAndLatin", [](HostTagStory& s) { s.Insert(u"\u00E9"); }, kFragment, kAscii,
       kStart + "<0x00E9>"},
      {"LatinLetterInWindowsLatin", [](HostTagStory& s) { s.Insert(u"\u00E9"); }, kFragment, kLatin,
       kStart + "\u00E9"},
      {"GreekInMacRoman", [](HostTagStory& s) { s.Insert(u"\u03B1"); }, kFragment, kMac, kStart + "<0x03B1>"},
      {"SupplementaryInLatinAndUnicode", [](HostTagStory& s) { s.Insert(u"\U0001F600"); }, kFragment, kLatin,
       kStart + "<0x1F600>"},
      {"SupplementaryInUtf16", [](HostTagStory& s) { s.Insert(u"\U0001F600"); }, kFragment, kUtf16,
       kStart + "\U0001F600"},
      {"ParagraphStyleOncePerChange",
       [](HostTagStory& s) {
         s.Insert(u"a\rb\rc");
         s.ParagraphStyle(0, 4, u"Body");
       },
       kFragment, kUtf16, "<ParaStyle:Body><CharStyle:>a\rb\r<ParaStyle:NormalParagraphStyle>c"},
      {"OneAttributePerTagRepeatsTheStyle",
       [](HostTagStory& s) {
         s.Insert(u"a\rb");
         s.ParagraphStyle(0, 3, u"Body");
       },
       kFragment | kPutOneAttributePerTag, kUtf16, "<ParaStyle:Body><CharStyle:>a\r<ParaStyle:Body>b"},
      {"FirstParagraphInForce",
       [](HostTagStory& s) {
         s.Insert(u"a\rb");
         s.ParagraphStyle(0, 2, u"Body");
       },
       kFragment | kPutFirstParagraphInForce, kUtf16, "<CharStyle:>a\r<ParaStyle:NormalParagraphStyle>b"},
      {"CharacterStyleNamesEscaped",
       [](HostTagStory& s) {
         s.Insert(u"abc");
         s.CharacterStyle(0, 1, u"A:B");
         s.CharacterStyle(1, 2, u"x<y>|z\\");
         s.CharacterStyle(2, 3, u"G\uE00BN");
       },
       kFragment, kAscii,
       "<ParaStyle:NormalParagraphStyle><CharStyle:A\\\\\\:B>a<CharStyle:x\\<y\\>\\|z\\\\>b<CharStyle:G:N>"
       "c"},
      {"ShortNames",
       [](HostTagStory& s) {
         s.Insert(u"ab");
         s.CharacterStyle(0, 1, u"Em");
         s.Override(TextStrand::kCharacter, 1, 2, kTestSize, 9);
       },
       kFragment | kPutShortTagNames, kUtf16, "<pstyle:NormalParagraphStyle><cstyle:Em>a<cstyle:><ts:9>b"},
      {"CharacterOverridesAgainstThePreviousRun",
       [](HostTagStory& s) {
         s.Insert(u"abcd");
         s.Override(TextStrand::kCharacter, 0, 1, kTestSize, 12);
         s.Override(TextStrand::kCharacter, 1, 3, kTestSize, 14);
       },
       kFragment, kUtf16, kStart + "<TestSize:12>a<TestSize:14>bc<TestSize:>d"},
      {"ParagraphOverridesAgainstThePreviousParagraph",
       [](HostTagStory& s) {
         s.Insert(u"a\rb\rc");
         s.Override(TextStrand::kParagraph, 0, 4, kTestIndent, 5);
       },
       kFragment, kUtf16, "<ParaStyle:NormalParagraphStyle><TestIndent:5><CharStyle:>a\rb\r<TestIndent:>c"},
      {"NoTextWritesOnlyTags",
       [](HostTagStory& s) {
         s.Insert(u"ab");
         s.Override(TextStrand::kCharacter, 1, 2, kTestSize, 7);
       },
       kFragment | kPutNoText, kUtf16, kStart + "<TestSize:7>"},
  };
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.name);
    HostTagStory story;
    row.fill(story);
    EXPECT_EQ(row.expected, story.Write(row.options, row.encoding));
  }
}

TEST(HostTagPutterTest, WritesNoHeaderAndNoDefinitionsOutsideFragments) {
  HostTagStory story;
  story.Insert(u"a");
  story.CharacterStyle(0, 1, u"Em");
  EXPECT_EQ("<ParaStyle:NormalParagraphStyle><CharStyle:Em>a", story.Write(0, StreamEncoding::kUtf8));
}

TEST(HostTagPutterTest, RangeStartsWithTheTagsInForceThere) {
  HostTagStory story;
  story.Insert(u"ab\rcd");
  story.Override(TextStrand::kCharacter, 3, 5, kTestSize, 11);
  EXPECT_EQ(kStart + "<TestSize:11>d", story.Write(kPutFragment, StreamEncoding::kUtf16LE, 4, 5));
}

// A putter whose walk sends bytes through a TagXferAgent.
class BytePutter : public CTaggedTextPutter {
 public:
  BytePutter() : CTaggedTextPutter(-1) {}
  int32_t Run(ITagPutterAgent& agent, std::string_view bytes, size_t& taken) {
    return PutTwoPasses(nullptr, &agent, [&] {
      if (!IsCollecting()) taken = TagXferAgent(this).Write(bytes.data(), bytes.size());
      return GetError();
    });
  }
};

TEST(HostTagPutterTest, XferAgentKeepsSevenBitBytesAndTakesAll) {
  BytePutter putter;
  putter.SetOptions(kPutFragment);
  WideString text;
  HostTagPutterAgent agent(&text);
  size_t taken = 0;
  EXPECT_EQ(0, putter.Run(agent, "A\x80z\xFF\x7F", taken));
  EXPECT_EQ(5u, taken);
  EXPECT_EQ(u"Az\x7F", text);
}

}  // namespace
}  // namespace kesto::testing_writer
