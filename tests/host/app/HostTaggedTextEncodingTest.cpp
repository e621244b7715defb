// Text to the dialect's Windows Latin form and back.
#include <gtest/gtest.h>

#include "host/app/HostTaggedTextEncoding.h"

namespace {

TEST(HostTaggedTextEncodingTest, WindowsLatinKeepsWhatItCanAndTagsTheRest) {
  const std::pair<std::u16string_view, std::string_view> rows[] = {
      {u"abc", "abc"},           {u"caf\u00E9 \u20AC", "caf\xE9 \x80"},
      {u"\u263A", "<0x263A>"},   {u"a\U0001F600b", "a<0x1F600>b"},
      {u"\xD800x", "<0xD800>x"},
  };
  for (const auto& [text, bytes] : rows) {
    SCOPED_TRACE(bytes);
    std::string encoded = HostTaggedTextEncoding::EncodeWindowsLatin(text);
    EXPECT_EQ(encoded, bytes);
    std::u16string decoded =
        HostTaggedTextEncoding::Decode({reinterpret_cast<const uint8_t*>(encoded.data()), encoded.size()});
    if (encoded.find('<') == std::string::npos) {
      EXPECT_EQ(decoded, text);
    }
  }
}

}  // namespace
