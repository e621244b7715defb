// The host's importer of its own tagged-text dialect: bytes in any of the dialect's encodings into a story of
// a document, through the host's text commands.
//
// What it reads: an encoding header (<ASCII-WIN>, <ASCII-MAC>, <ANSI-WIN>, <ANSI-MAC>, <UNICODE-WIN>,
// <UNICODE-MAC>; 8-bit Windows Latin or Mac Roman bytes, or UTF-16 with or without byte-order mark);
// <ParaStyle:name> and <CharStyle:name> (<pstyle:…>, <cstyle:…>; empty for the root style; "\:" is a colon
// of the name, another colon separates group and name); <0x…> characters; "\" taking the next character
// literally; attribute tags by the long or short names of the host's attribute classes (an empty value
// removes the override). Header definitions, style definitions and other tags the host does not keep are
// skipped; table rows become paragraphs with their cells separated by tabs. Line feeds end paragraphs as
// returns do.
//
// Styles the text names and the document lacks are made (based on the root style, without attributes of
// their own), so that the text keeps the style it asks for and the user can define it later.
#pragma once

#include <cstdint>
#include <span>

#include "host/app/HostTaggedTextReader.h"
#include "host/db/IDataBase.h"

struct HostTaggedTextOptions {
  // When false, only a leading encoding header is a tag; everything else is text.
  bool interpretTags = true;
};

// Imports `bytes` into story `story` of `db` in front of text index `at` as one undoable step. Text before
// the first paragraph return joins the paragraph at `at`; text after the last one joins the paragraph it
// lands in, which takes the paragraph attributes in force at the end when they differ from those at `at`.
// Text and paragraphs before any paragraph-style tag take the attributes of the insertion point.
// Answers kSuccess; kInvalidParameterError (nothing changes) when `db` has no such story or `at` is outside
// 0 .. length - 1; otherwise the error of the text command that failed (nothing changes, and that error is
// the global error code). `report`, when given, says what was skipped, rejected or made.
ErrorCode ImportHostTaggedText(IDataBase* db, UID story, int32_t at, std::span<const uint8_t> bytes,
                               const HostTaggedTextOptions& options = {},
                               HostTaggedTextReport* report = nullptr);
