// What the tests of extension tags, macros and translation tables share: an agent that logs the markers,
// anchors, host-dialect text and errors it is handed, and a table of inputs with what they must give.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "kesto/reader/VyHiddenTextSettings.h"
#include "tests/kesto/reader/ScannerTestSupport.h"

namespace kesto::testing_reader {

inline std::string Hex(int32_t code) {
  char text[16];
  std::snprintf(text, sizeof(text), "%08X", static_cast<unsigned>(code));
  return text;
}

// Logs M<code>:<text> for markers, A+ for the start of a hidden-text range, A<id>:<fields> for settings,
// H:<text> for host-dialect text and E<code>:<tag>[#<param>] for errors; collects the text.
class ExtensionAgent : public CTagScannerAgent {
 public:
  KestoResult InsertText(const char16_t* units, int32_t count) override {
    text += std::u16string_view(units, static_cast<size_t>(count));
    return 0;
  }
  KestoResult ReportError(int32_t code, std::u16string_view tagName, int32_t paramIndex) override {
    std::string entry = "E" + std::to_string(code) + ":" + Readable(tagName);
    if (paramIndex != 0) entry += "#" + std::to_string(paramIndex);
    return Log(entry);
  }
  KestoResult Marker(int32_t code, const char16_t* units, int32_t length) override {
    return Log("M" + Hex(code) + ":" + Readable(std::u16string_view(units, static_cast<size_t>(length))));
  }
  KestoResult TextAnchor(const VyHiddenTextSettings* settings, int32_t id) override {
    if (!settings) return Log("A+");
    using S = VyHiddenTextSettings;
    std::string fields =
        Field(*settings, S::kFirstName) + "|" + std::to_string(settings->GetNumber(S::kFlags, 4)) + "|" +
        Field(*settings, S::kSecondName) + "|" + std::to_string(settings->GetNumber(S::kKind, 2)) + "|" +
        Field(*settings, S::kFirstText) + "|" + std::to_string(settings->GetNumber(S::kNumber, 2)) + "|" +
        std::to_string(settings->GetNumber(S::kMode, 2)) + "|" + Field(*settings, S::kSecondText);
    return Log("A" + std::to_string(id) + ":" + fields);
  }
  KestoResult InsertHostTaggedText(const char16_t* units, int32_t length, bool) override {
    return Log("H:" + Readable(std::u16string_view(units, static_cast<size_t>(length))));
  }

  std::u16string text;
  std::string events;

 private:
  static std::string Field(const VyHiddenTextSettings& settings, size_t offset) {
    std::u16string units;
    for (size_t at = offset; settings.GetNumber(at, 2) != 0; at += 2)
      units.push_back(static_cast<char16_t>(settings.GetNumber(at, 2)));
    return Readable(units);
  }
  int32_t Log(const std::string& entry) {
    events += (events.empty() ? "" : " ") + entry;
    return 0;
  }
};

struct ExtensionRow {
  const char* name;
  std::u16string input;
  std::u16string text;
  std::string events;
};

inline void ExpectRows(const std::vector<ExtensionRow>& rows) {
  for (const ExtensionRow& row : rows) {
    SCOPED_TRACE(row.name);
    auto source = MemorySource::FromText(row.input);
    auto scanner = std::make_unique<KestoScanner>();
    ExtensionAgent agent;
    EXPECT_EQ(0, scanner->Scan(source->Stream(), &agent));
    EXPECT_EQ(Readable(row.text), Readable(agent.text));
    EXPECT_EQ(row.events, agent.events);
  }
}

inline std::u16string Repeated(char16_t c, size_t count) {
  return std::u16string(count, c);
}

}  // namespace kesto::testing_reader
