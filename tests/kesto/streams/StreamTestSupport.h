// Helpers shared by the stream tests: byte and character lists, decoding a block of bytes, and a scratch
// folder on disk.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "kesto/streams/VyMemoryStreamAgent.h"
#include "kesto/streams/VyTextStream.h"

namespace kesto::testing_streams {

using Bytes = std::vector<uint8_t>;
using Chars = std::vector<int32_t>;

inline Bytes BytesOf(std::string_view text) {
  return Bytes(text.begin(), text.end());
}

inline Chars CharsOf(std::u32string_view text) {
  return Chars(text.begin(), text.end());
}

inline std::string Hex(const Bytes& bytes) {
  std::string out;
  char piece[4];
  for (uint8_t b : bytes) {
    std::snprintf(piece, sizeof(piece), "%02X ", b);
    out += piece;
  }
  return out;
}

inline std::string Hex(const Chars& chars) {
  std::string out;
  char piece[12];
  for (int32_t c : chars) {
    std::snprintf(piece, sizeof(piece), "U+%04X ", static_cast<unsigned>(c));
    out += piece;
  }
  return out;
}

inline ::testing::AssertionResult SameBytes(const Bytes& expected, const Bytes& actual) {
  if (expected == actual) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "expected " << Hex(expected) << "\n     got " << Hex(actual);
}

inline ::testing::AssertionResult SameChars(const Chars& expected, const Chars& actual) {
  if (expected == actual) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "expected " << Hex(expected) << "\n     got " << Hex(actual);
}

// Reads the whole stream one character at a time.
inline Chars ReadAll(VyTextStream& stream) {
  Chars out;
  for (int32_t c; (c = stream.Read()) >= 0;)
    out.push_back(c);
  return out;
}

// Reads the whole stream in blocks of `block` characters.
inline Chars ReadAllInBlocks(VyTextStream& stream, size_t block) {
  Chars out;
  std::vector<int32_t> piece(block);
  for (size_t n; (n = stream.Read(piece.data(), piece.size())) > 0;)
    out.insert(out.end(), piece.begin(), piece.begin() + n);
  return out;
}

// A folder of its own for one test, removed afterwards.
class ScratchFolder {
 public:
  ScratchFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = "pagehost-";
    name += std::to_string(::getpid());
    for (const char* part : {info->test_suite_name(), info->name()}) {
      name += '-';
      name += part;
    }
    for (char& c : name)
      if (c == '/') c = '_';
    path_ = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code error;
    std::filesystem::remove_all(path_, error);
  }
  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

}  // namespace kesto::testing_streams
