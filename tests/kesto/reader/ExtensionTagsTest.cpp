// Extension tags read by the scanner: <&d…>, comments, markers, hidden text and host-dialect text, with
// what the agent is handed for each.
#include "tests/kesto/reader/ExtensionTestSupport.h"

namespace kesto {
namespace {

using testing_reader::ExpectRows;
using testing_reader::Repeated;

TEST(ExtensionTagsTest, SwitchesCommentsAndMarkers) {
  ExpectRows({
      {"tags off", u"<&d(0)><B>", u"<B>", ""},
      {"tags off until the end", u"<&d(0)>a<&d(1)>b", u"a<&d(1)>b", ""},
      {"tags on", u"<&d(1)><B>a", u"a", ""},
      {"out of range", u"<&d(2)><B>", u"", "E10:&d#1"},
      {"a single value is ignored", u"<&d0><B>", u"", ""},
      {"a comment", u"<#note\r2>x", u"x", "M416D411A:note2"},
      {"an unterminated comment", u"<#note", u"", "E12:#"},
      {"a marker", u"<A(x,AIPA,a b )[ignored]>x", u"x", "M41495041:a b "},
      {"a marker code of three characters", u"<A(x,ABC,t)[]>x", u"x", "E1:A#2"},
      {"a marker without its brackets", u"<A(x,ABCD,t)>x", u"x", "E1:A"},
      {"a marker without a code", u"<A(x)[]>x", u"x", "E1:A"},
      {"an unknown letter after &", u"<&>x", u"x", "E2:&"},
  });
}

TEST(ExtensionTagsTest, HiddenTextAndHostText) {
  std::u16string longName = Repeated(u'n', VyHiddenTextSettings::kMaxNameUnits + 1);
  ExpectRows({
      {"a range with every setting", u"<&Cs>h<&Ce(one,pT,two,g,\"t x\",12,A,more)>", u"h",
       "A+ A-1:one|3|two|1|t x|12|4|more"},
      {"a range with no setting", u"<&Cs>h<&Ce(,)>", u"h", "A+ A-1:|0||0||0|0|"},
      {"a box", u"<&Cb(2,n,U)>", u"", "A2:n|6||0||0|0|"},
      {"the default box", u"<&Cb(,n)>", u"", "A1:n|0||0||0|0|"},
      {"an end without a start", u"<&Ce(x)>", u"", "E43:&Ce"},
      {"two starts", u"<&Cs><&Cs>", u"", "A+ E43:&Cs"},
      {"a bad flag letter", u"<&Cs><&Ce(,Q)>", u"", "A+ E1:&Ce#2"},
      {"an empty quoted name", u"<&Cs><&Ce(\"\")>", u"", "A+ E1:&Ce#1"},
      {"a name too long", u"<&Cs><&Ce(" + longName + u")>", u"", "A+ E38:&Ce#1"},
      {"a box number out of range", u"<&Cb(101)>", u"", "E10:&Cb#1"},
      {"a bad mode letter", u"<&Cb(1,,,,,,,Q)>", u"", "E1:&Cb#8"},
      {"an unknown letter", u"<&Cx>y", u"y", "E2:&Cx"},
      {"host text", u"<&it\"\"\"<ParaStyle:Body>Text\"\"\">x", u"x", "H:<ParaStyle:Body>Text"},
      {"quotes inside host text", u"<&it\"\"\"a\"b\u201C\u201D>c\"\"\"\">", u"",
       "H:a\"b\\u{201C}\\u{201D}>c\""},
      {"too few opening quotes", u"<&it\"\"x>", u"", "E1:&it"},
      {"a character above U+FFFF", u"<&it\"\"\"\U0001F600\"\"\">", u"", "H:\\u{D83D}\\u{DE00}"},
      {"unterminated host text", u"<&it\"\"\"abc", u"", "E12:&it"},
      {"an unknown letter after &i", u"<&ix>", u"", "E2:&ix"},
  });
}

}  // namespace
}  // namespace kesto
