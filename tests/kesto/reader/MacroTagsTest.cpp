// Macros read by the scanner: definitions, invocations with arguments and sub-ranges, escapes, nesting and
// the limits of names, bodies and expansions.
#include "tests/kesto/reader/ExtensionTestSupport.h"

namespace kesto {
namespace {

using testing_reader::ExpectRows;
using testing_reader::Repeated;

TEST(MacroTagsTest, MacrosExpandWithTheirArguments) {
  ExpectRows({
      {"text through a quoted body", u"<&!(say,\">!1<\")><!say(Hello)>", u"Hello", ""},
      {"sub-ranges with a separator of its own", u"<&!2(pair,;,\">!(1 1:2)-!(2 -1)<\")><!pair(abc;xyz)>",
       u"ab-y", ""},
      {"positions and their bounds",
       u"<&!(s,\">!(1 2)/!(1 0)/!(1 9)/!(1 2:)/!(1 -1:9)/!(1 3:2)<\")><!s(abcd)>", u"b/d//bcd/cd/", ""},
      {"blanks around the numbers", u"<&!(s,\">!( 1  2 : 3 )<\")><!s(abcd)>", u"bc", ""},
      {"arguments not given are empty", u"<&!(m,\">[!1|!2|!(10)]<\")><!m(a)>", u"[a||]", ""},
      {"escapes", u"<&!(e,\">!!!x!<\")><!e()>", u"!x", ""},
      {"argument text is never a reference", u"<&!(m,\">!1<\")><!m(\"!2\")>", u"!2", ""},
      {"elements join without separators", u"<&!(m,\">!1\",\"+\",\"!2<\")><!m(\"a,b\",c)>", u"a,b+c", ""},
      {"the newest definition wins", u"<&!(m,\">1<\")><&!(m,\">2<\")><!m()>", u"2", ""},
      {"the expansion ends where the invocation was", u"<&!(m,\">x<\")>a<!m()>b", u"axb", ""},
      {"no such macro", u"<!nosuch(a)>z", u"z", "E32:!"},
      {"an invocation inside an expansion", u"<&!(in,\">i<\")><&!(out,\">o<!!in()\")><!out()>", u"o",
       "E31:!"},
      {"a macro invoking itself", u"<&!(me,\">x<!!me()\")><!me()>y", u"xy", "E31:!"},
      {"a malformed reference", u"<&!(bad,\"!(1 x)\")><!bad(a)>z", u"z", "E35:!"},
      {"an unterminated reference", u"<&!(bad,\"!(1\")><!bad(a)>z", u"z", "E35:!"},
      {"a definition without a list", u"<&!m>z", u"z", "E1:&!"},
      {"an invocation without a list", u"<!m>z", u"z", "E1:!"},
      {"an invocation cut by a return", u"<!m\rz", u"\rz", "E13:!"},
      {"an invocation cut by the end", u"<!m", u"", "E12:!"},
  });
}

TEST(MacroTagsTest, MacroLimitsRefuseWhatIsTooLong) {
  std::u16string body = Repeated(u'x', MacroTable::kMaxBodyLength);
  std::u16string name = Repeated(u'n', MacroTable::kMaxNameLength);
  std::u16string argument = Repeated(u'a', 3000);
  ExpectRows({
      {"the longest body", u"<&!(m,\">" + body.substr(2) + u"\")><!m()>", body.substr(2) + u">", ""},
      {"a body too long", u"<&!(m,\"" + body + u"\",\"y\")><!m()>", u"", "E33:&!#3 E32:!"},
      {"the longest name", u"<&!(" + name + u",\">x<\")><!" + name + u"()>", u"x", ""},
      {"a name too long", u"<&!(" + name + u"n,\">x<\")><!" + name + u"n()>z", u"z", "E42:&!#1 E42:!"},
      {"an expansion too long", u"<&!(m,\">!1!1!1<\")><!m(" + argument + u")>z", u"z", "E36:!#1"},
  });
}

}  // namespace
}  // namespace kesto
