// Helpers for the writer tests: a document per test, imports of tagged text into its main story, exports
// of a story as bytes, and readable renderings of the output.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <string_view>

#include "host/app/DefaultDocument.h"
#include "host/app/DocumentList.h"
#include "host/text/ITextModel.h"
#include "kesto/model/KestoAttributes.h"
#include "kesto/reader/KestoScannerAgent.h"
#include "kesto/services/KestoExportDriver.h"
#include "kesto/services/KestoImportDriver.h"
#include "kesto/streams/VyMemoryStreamAgent.h"
#include "kesto/streams/VyStringStreamAgent.h"
#include "kesto/writer/PutterOptions.h"
#include "tests/support/TestHost.h"

namespace kesto::testing_writer {

// Control characters and non-ASCII bytes spelled out: \r, \n, \t, \xHH.
inline std::string Readable(std::string_view bytes) {
  std::string out;
  for (unsigned char c : bytes) {
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c < 0x20 || c >= 0x7F) {
      char piece[8];
      std::snprintf(piece, sizeof(piece), "\\x%02X", c);
      out += piece;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

// A new document and its main story, closed at the end.
class ScopedDocument {
 public:
  ScopedDocument() {
    testing_support::EnsureHost();
    EXPECT_EQ(kSuccess, RegisterKestoAttributes());
    db_ = DocumentList::Get().NewDocument();
    if (db_) story_ = DefaultDocument::GetMainStory(*db_);
  }
  ~ScopedDocument() {
    if (db_) DocumentList::Get().CloseDocument(db_);
  }
  ScopedDocument(const ScopedDocument&) = delete;
  ScopedDocument& operator=(const ScopedDocument&) = delete;

  IDataBase* Db() const { return db_; }
  UID Story() const { return story_; }
  InterfacePtr<ITextModel> Model() const { return Instantiate<ITextModel>(db_, story_); }

  // Imports the tagged text `bytes` at the start of the main story; answers the import's result.
  int32_t Import(const std::string& bytes, StreamEncoding encoding = StreamEncoding::kUnspecified) {
    VyMemoryStreamAgent agent(bytes.data(), bytes.size(), encoding);
    return RunKestoImport(&agent, encoding, db_, story_, 0, kImportIncludeStyleSheets | kImportReportErrors)
        .result;
  }

  // The main story (or [start, end) of it) as Kesto text; `result` receives the export's answer.
  std::string Export(uint32_t options = 0, StreamEncoding encoding = StreamEncoding::kUtf8, int32_t start = 0,
                     int32_t end = 0, int32_t* result = nullptr) {
    std::string bytes;
    VyCharStringStreamAgent agent(&bytes);
    KestoExportParams params;
    params.story = story_;
    params.start = start;
    params.end = end;
    params.encoding = encoding;
    params.options = options;
    params.byteOrderMark = false;
    int32_t answer = RunKestoExport(&agent, db_, params);
    if (result) *result = answer;
    EXPECT_TRUE(result || answer == 0) << "export answered " << answer;
    return bytes;
  }

 private:
  IDataBase* db_ = nullptr;
  UID story_;
};

// The header a UTF-8 export starts with.
inline constexpr std::string_view kUtf8Header = "<v7.00><e9>\r\n";

}  // namespace kesto::testing_writer
