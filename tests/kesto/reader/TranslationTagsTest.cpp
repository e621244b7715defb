// Translation tags read by the scanner: what <&tte…> and <&tt…> make of the text after them.
#include "tests/kesto/reader/ExtensionTestSupport.h"

namespace kesto {
namespace {

using testing_reader::ExpectRows;
using testing_reader::Repeated;

TEST(TranslationTagsTest, TranslationsReplaceTheInput) {
  std::u16string source = Repeated(u's', TranslationTable::kMaxSourceLength);
  ExpectRows({
      {"the longest source wins", u"<&tte(ae,\u00E6)><&tte(a,A)>aeb ab", u"\u00E6b Ab", ""},
      {"tags are translated too", u"<&tte(a,A)><&tte(ae,\u00E6)>aeb Aeb", u"Aeb \u00E6b", ""},
      {"the longest source, whenever added", u"<&tte(a,A)><&tte(\\#97e,\u00E6)>aeb", u"\u00E6b", ""},
      {"the first of equal sources wins", u"<&tte(a,1)><&tte(\\#97,2)>a", u"1", ""},
      {"replacements are not replaced again", u"<&tte(a,b)><&tte(b,c)>ab", u"bc", ""},
      {"an empty target deletes", u"<&tte(x,\"\")>axbxx", u"ab", ""},
      {"targets join their elements", u"<&tte(x,A,B)>x", u"AB", ""},
      {"from the character after the tag", u"a<&tte(a,A)>a", u"aA", ""},
      {"escapes in the tt2 form", u"<&tt2e(\"\\\\t\",T)>a\tb", u"aTb", ""},
      {"no escapes in the plain form", u"<&tte(\"\\\\t\",T)>\\t\t", u"T\t", ""},
      {"targets may hold tags", u"<&tte(~,\"<&tte(b,B)>\")>b~b", u"bB", ""},
      {"the longest source", u"<&tte(" + source + u",S)>" + source, u"S", ""},
      {"a source too long", u"<&tte(" + source + u"s,S)>s", u"s", "E17:&tte#1"},
      {"a single value", u"<&tte x>x", u"x", "E1:&tte"},
      {"a missing file, silently", u"<&ttw\"no such table.txt\">x", u"x", ""},
      {"a missing file", u"<&tt\"no such table.txt\">x", u"x", "E16:&tt"},
      {"an unknown letter", u"<&tx>y", u"y", "E2:&tx"},
      {"a group ended after &t", u"<&t>y", u"y", "E2:&t"},
  });
}

}  // namespace
}  // namespace kesto
