// Per-thread storage keeps one value per thread; the spin mutex excludes.
#include <gtest/gtest.h>

#include <mutex>
#include <thread>

#include "host/core/Threads.h"
#include "host/core/WideString.h"

TEST(ThreadLocalKeyTest, EachThreadSeesItsOwnValue) {
  ThreadLocalKey key;
  int mine = 1, theirs = 2;
  key.Set(&mine);
  void* seenThere = &mine;
  std::thread other([&] {
    seenThere = key.Get();
    key.Set(&theirs);
  });
  other.join();
  EXPECT_EQ(seenThere, nullptr);
  EXPECT_EQ(key.Get(), &mine);
}

TEST(SpinMutexTest, ExcludesConcurrentIncrements) {
  SpinMutex mutex;
  int counter = 0;
  auto work = [&] {
    for (int i = 0; i < 20000; ++i) {
      std::lock_guard lock(mutex);
      ++counter;
    }
  };
  std::thread a(work), b(work);
  a.join();
  b.join();
  EXPECT_EQ(counter, 40000);
}

TEST(WideStringTest, ConvertsBothWaysAndReplacesMalformedUtf8) {
  struct Row {
    std::string utf8;
    std::u16string wide;
  } rows[] = {
      {"abc", u"abc"},
      {"\xC3\xA9", u"\u00E9"},
      {"\xF0\x9F\x98\x80", u"\U0001F600"},
      {"\xE2\x82", u"\uFFFD"},      // cut short
      {"\xC0\xAF", u"\uFFFD"},      // overlong
      {"\xED\xA0\x80", u"\uFFFD"},  // surrogate
      {"\xFFx", u"\uFFFDx"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.utf8);
    EXPECT_EQ(WideFromUtf8(row.utf8), row.wide);
  }
  EXPECT_EQ(Utf8FromWide(u"\U0001F600\u00E9"), "\xF0\x9F\x98\x80\xC3\xA9");
  EXPECT_EQ(Utf8FromWide(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}
