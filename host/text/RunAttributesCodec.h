// Compact persistence of run attributes: each distinct override list once, in a table, and the entries as
// one block of fixed-size little-endian records (the style, the index of its list and, for runs, the
// length), so that a block of runs moves in one transfer rather than several per run. In a document file the
// table is the file's table of shared values (ISharedValues), so that a list is stored once per document;
// elsewhere (undo snapshots, files of format version 1) each block's stream form starts with its own table.
#pragma once

#include <vector>

#include "host/text/ITextModel.h"
#include "host/text/ParagraphRuns.h"

class IPMStream;

namespace RunAttributesCodec {

// Each moves the entries through `stream`; reading replaces them, and a record naming a list the table does
// not hold marks the stream failed.
// Paragraph records go as runs (files of format version 2 and before hold one per paragraph, and are read
// so); more than `limit` paragraphs in all mark the stream failed.
void XferParagraphRuns(IPMStream* stream, ParagraphRuns& runs, int32_t limit);
void XferRuns(IPMStream* stream, std::vector<StyledText::CharacterRun>& runs);
// Moves a list of UIDs as one block.
void XferUIDs(IPMStream* stream, std::vector<UID>& uids);

}  // namespace RunAttributesCodec
