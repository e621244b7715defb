// Embedded host tagged text: how much of a passage its encoding header takes, and the bytes the host's
// importer is given.
#include "kesto/model/HostTagPassage.h"

#include <gtest/gtest.h>

#include <string>

namespace kesto {
namespace {

TEST(HostTagPassageTest, HeaderTakesItsNameAndOneLineEnd) {
  const struct {
    std::u16string_view passage;
    size_t length;
  } kRows[] = {
      {u"<ANSI-WIN>\r\nText", 12}, {u"<ANSI-WIN>\rText", 11}, {u"<ANSI-WIN>\n\nText", 11},
      {u"<UNICODE-WIN>Text", 13},  {u"<UNICODE-WIN>", 13},    {u"<UNICODE-WI", 0},
      {u"<ASCII-MAC>", 11},        {u"<ASCII-MA>xyz", 10},    {u"<BIG5-WIN>", 10},
      {u"<SJIS-MAC>x", 10},        {u"<ANSI-W", 0},           {u"<ParaStyle:Body>Text", 0},
      {u"x<ANSI-WIN>", 0},         {u"<ASCII-WINxxxxxx", 0},  {u"", 0},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(std::string(row.passage.begin(), row.passage.end()));
    EXPECT_EQ(row.length, HostTagHeaderLength(row.passage));
  }
}

TEST(HostTagPassageTest, BodyGoesEightBitOrUtf16BehindAFreshHeader) {
  EXPECT_EQ("<ASCII-WIN>\r\nCaf\xE9 <0x03B1>", HostTagImportBytes(u"Caf\u00E9 \u03B1", true));
  std::string wide = HostTagImportBytes(u"\u03B1", false);
  std::u16string units(wide.size() / 2, u'\0');
  wide.copy(reinterpret_cast<char*>(units.data()), wide.size());
  EXPECT_EQ(u"<UNICODE-WIN>\r\n\u03B1", units);
}

}  // namespace
}  // namespace kesto
