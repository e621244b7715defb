// Helpers shared by the reader tests: an in-memory source, a source over a pipe, an agent that records what
// it is handed, and readable renderings of UTF-16 text.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/core/WideString.h"
#include "kesto/reader/CTagScannerAgent.h"
#include "kesto/reader/KestoScanner.h"
#include "kesto/streams/VyFileStreamAgent.h"
#include "kesto/streams/VyMemoryStreamAgent.h"
#include "kesto/streams/VyTextStream.h"
#include "tests/support/FifoWriter.h"
#include "tests/support/TempFolder.h"

namespace kesto::testing_reader {

// Text with control characters and non-ASCII characters spelled out: \r, \n, \t, \xHH, \u{HHHH}.
inline std::string Readable(std::u16string_view text) {
  std::string out;
  char piece[16];
  for (char16_t c : text) {
    if (c == u'\r') {
      out += "\\r";
    } else if (c == u'\n') {
      out += "\\n";
    } else if (c == u'\t') {
      out += "\\t";
    } else if (c < 0x20) {
      std::snprintf(piece, sizeof(piece), "\\x%02X", static_cast<unsigned>(c));
      out += piece;
    } else if (c < 0x80) {
      out += static_cast<char>(c);
    } else {
      std::snprintf(piece, sizeof(piece), "\\u{%04X}", static_cast<unsigned>(c));
      out += piece;
    }
  }
  return out;
}

// A source over a copy of `bytes`, read with Windows line ends as an import reads them.
class MemorySource {
 public:
  explicit MemorySource(std::string bytes, StreamEncoding encoding = StreamEncoding::kUnspecified)
      : bytes_(std::move(bytes)),
        agent_(bytes_.data(), bytes_.size(), encoding),
        stream_(&agent_, VyTextStream::kWindowsLineEnds) {}
  // UTF-8 bytes of `text`.
  static std::unique_ptr<MemorySource> FromText(std::u16string_view text) {
    return std::make_unique<MemorySource>(Utf8FromWide(text), StreamEncoding::kUtf8);
  }
  VyTextStream* Stream() { return &stream_; }

 private:
  std::string bytes_;
  VyMemoryStreamAgent agent_;
  VyTextStream stream_;
};

// A source over `bytes` that arrive through a named pipe `piece` bytes at a time: input that cannot be
// rewound, read like MemorySource.
class PipeSource {
 public:
  PipeSource(std::string bytes, StreamEncoding encoding, size_t piece = 100)
      : writer_(folder_ / "pipe", std::move(bytes), piece),
        agent_(VyFile(writer_.Path())),
        opened_(agent_.Open(VyFileAgentBase::kReadMode)),
        stream_(&agent_, encoding, VyTextStream::kWindowsLineEnds) {
    EXPECT_EQ(0, opened_);
  }
  VyTextStream* Stream() { return &stream_; }

 private:
  testing_support::TempFolder folder_;
  testing_support::FifoWriter writer_;
  VyFileStreamAgent agent_;
  int16_t opened_;
  VyTextStream stream_;
};

// Writes every call into a log: BEGIN, "text", EOP, E<code>[:tag][#param], END, and the other operations
// by name. The text of all insert-text calls is also collected.
class RecordingAgent : public CTagScannerAgent {
 public:
  KestoResult BeginImport(VyTextAttributeMgr*) override { return Log("BEGIN", beginImportAnswer); }
  KestoResult EndOfParagraph(VyTextAttributeMgr*) override { return Log("EOP", endOfParagraphAnswer); }
  KestoResult ReportError(int32_t code, std::u16string_view tagName, int32_t paramIndex) override {
    std::string entry = "E" + std::to_string(code);
    if (!tagName.empty()) entry += ":" + Readable(tagName);
    if (paramIndex != 0) entry += "#" + std::to_string(paramIndex);
    return Log(entry, reportErrorAnswer);
  }
  KestoResult EndImport(VyTextAttributeMgr*) override { return Log("END", endImportAnswer); }
  KestoResult InsertText(const char16_t* units, int32_t count) override {
    std::u16string_view text(units, static_cast<size_t>(count));
    text_ += text;
    chunks.push_back(count);
    return Log("\"" + Readable(text) + "\"", insertTextAnswer);
  }
  KestoResult Marker(int32_t code, const char16_t* text, int32_t length) override { return Log("MARKER"); }

  std::string Events() const {
    std::string out;
    for (const std::string& e : events_)
      out += (out.empty() ? "" : " ") + e;
    return out;
  }
  const std::u16string& Text() const { return text_; }

  int32_t beginImportAnswer = 0;
  int32_t endImportAnswer = 0;
  int32_t insertTextAnswer = 0;
  int32_t endOfParagraphAnswer = 0;
  int32_t reportErrorAnswer = 0;
  std::vector<int32_t> chunks;  // sizes of the insert-text calls

 private:
  int32_t Log(std::string entry, int32_t answer = 0) {
    events_.push_back(std::move(entry));
    return answer;
  }
  std::vector<std::string> events_;
  std::u16string text_;
};

// Scans `text` (as UTF-8) with `options` and answers the agent's log.
inline std::string ScanEvents(std::u16string_view text,
                              uint32_t options = CTaggedTextScanner::kInterpretTags) {
  auto source = MemorySource::FromText(text);
  auto scanner = std::make_unique<KestoScanner>();
  scanner->SetOptions(options);
  RecordingAgent agent;
  scanner->Scan(source->Stream(), &agent);
  return agent.Events();
}

}  // namespace kesto::testing_reader
