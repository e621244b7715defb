// The encoding table, the byte-order-mark detector and the host dialect's headers.
#include "host/res/TextEncodings.h"

#include <gtest/gtest.h>

namespace {

using E = CharacterEncoding;

TEST(TextEncodingsTest, DetectsMarksAndUnmarkedUtf16) {
  const struct {
    std::string bytes;
    bool bareUtf16, utf32;
    E encoding;
    size_t mark;
  } rows[] = {
      {"\xEF\xBB\xBFx", true, true, E::kUtf8, 3},
      {"\xFE\xFF\0x", true, true, E::kUtf16BE, 2},
      {std::string("\xFF\xFEx\0", 4), true, true, E::kUtf16LE, 2},
      {std::string("\xFF\xFE\0\0", 4), true, true, E::kUtf32LE, 4},
      {std::string("\xFF\xFE\0\0", 4), true, false, E::kUtf16LE, 2},
      {std::string("\0\0\xFE\xFF", 4), true, true, E::kUtf32BE, 4},
      {std::string("<\0", 2), true, true, E::kUtf16LE, 0},
      {std::string("\0<", 2), true, true, E::kUtf16BE, 0},
      {std::string("<\0", 2), false, true, E::kUnspecified, 0},
      {std::string("\0\0", 2), true, true, E::kUnspecified, 0},
      {"ab", true, true, E::kUnspecified, 0},
      {"\xFF", true, true, E::kUnspecified, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::PrintToString(row.bytes));
    auto found = TextEncodings::Detect({reinterpret_cast<const uint8_t*>(row.bytes.data()), row.bytes.size()},
                                       row.bareUtf16, row.utf32);
    EXPECT_EQ(found.encoding, row.encoding);
    EXPECT_EQ(found.markLength, row.mark);
  }
}

TEST(TextEncodingsTest, NamesServeTheirDirectionAndReadBack) {
  using TextEncodings::Direction;
  for (Direction direction : {Direction::kRead, Direction::kWrite}) {
    for (const std::string& name : TextEncodings::Names(direction)) {
      SCOPED_TRACE(name);
      std::optional<E> named = TextEncodings::Named(name, direction);
      ASSERT_TRUE(named.has_value());
      EXPECT_EQ(TextEncodings::NameOf(*named), name);
    }
  }
  EXPECT_TRUE(TextEncodings::Named("auto", Direction::kRead));
  EXPECT_FALSE(TextEncodings::Named("auto", Direction::kWrite));
  EXPECT_FALSE(TextEncodings::Named("ascii", Direction::kRead));
}

TEST(TextEncodingsTest, HeadersAreKnownByKindAndSide) {
  const struct {
    std::u16string_view text;
    size_t length;
    bool mac;
  } rows[] = {
      {u"<ASCII-WIN>\r", 11, false}, {u"<UNICODE-MAC>", 13, true}, {u"<SJIS-MAC>x", 10, true},
      {u"<ASCII-PC>", 0, false},     {u"<ASCIIWIN>", 0, false},    {u" <ANSI-WIN>", 0, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.text.begin(), row.text.end()));
    TextEncodings::Header header = TextEncodings::HeaderAt(row.text);
    EXPECT_EQ(header.length, row.length);
    EXPECT_EQ(header.mac, row.mac);
  }
  // What an export writes first reads back as a header of its side.
  for (const std::string& name : TextEncodings::Names(TextEncodings::Direction::kWrite)) {
    SCOPED_TRACE(name);
    E encoding = *TextEncodings::Named(name, TextEncodings::Direction::kWrite);
    std::string_view written = TextEncodings::HeaderFor(encoding);
    TextEncodings::Header header = TextEncodings::HeaderAt(std::u16string(written.begin(), written.end()));
    EXPECT_EQ(header.length, written.size());
    EXPECT_EQ(header.mac, encoding == E::kMacRoman || encoding == E::kUtf16BE);
  }
}

}  // namespace
