// ITagScannerAgent: the callbacks through which a tagged-text scanner hands over everything it reads. The
// scanner never touches a story or a page itself.
#pragma once

#include <cstdint>
#include <string_view>

#include "host/core/WideString.h"
#include "kesto/include/KestoResult.h"

namespace kesto {

// Records filled by the tag handlers and read by the agent; each belongs to the subsystem that builds it.
class VyTextAttributeMgr;
class VyParagraphStyleInfo;
class VyCharacterStyleInfo;
class VyPageItemInfo;
struct VyHiddenTextSettings;
struct VyHyperlinkInfo;

// A named text anchor to create at the insertion point (<&Ya…>, <&Yp…>, <w…>).
struct VyLinkDestination {
  WideString name;
  bool page = false;  // the anchor marks its page rather than its text position
};

// Every operation answers a KestoResult. For the operations marked "ends the scan", a nonzero answer stops
// the scan and becomes its result; the answers of the others are not looked at, which their callers say.
// "attributes" is the scanner's pair of attribute managers (paragraph, then character), which an agent may
// read and change; it is null while a scanner keeps none.
class ITagScannerAgent {
 public:
  virtual ~ITagScannerAgent() = default;

  // The first token of every scan. Ends the scan.
  virtual KestoResult BeginImport(VyTextAttributeMgr* attributes) = 0;
  // After text ending in a paragraph return, and after a break character. Ends the scan.
  virtual KestoResult EndOfParagraph(VyTextAttributeMgr* attributes) = 0;
  // After a row of `count` paragraphs that are each a return alone (breaks or empty paragraphs), handed over
  // as one block: what `count` calls of EndOfParagraph do, which an agent may do for the row at once. Ends
  // the scan.
  virtual KestoResult EndOfParagraphs(VyTextAttributeMgr* attributes, int32_t count) {
    for (int32_t i = 0; i < count; ++i) {
      if (int32_t result = EndOfParagraph(attributes)) return result;
    }
    return 0;
  }
  virtual KestoResult ParagraphStyleApplied(VyTextAttributeMgr* attributes) = 0;
  virtual KestoResult CharacterStyleApplied(VyTextAttributeMgr* attributes) = 0;
  // Only the host-dialect scanner calls this.
  virtual KestoResult CharacterAttributesChanged(VyTextAttributeMgr* attributes) = 0;
  // A scanner error `code` found while reading tag `tagName` (empty when no tag is named), in list element
  // `paramIndex` (1-based; 0 when none). Ends the scan.
  virtual KestoResult ReportError(int32_t code, std::u16string_view tagName, int32_t paramIndex) = 0;
  // The last token of a scan that reached the end of its input. Its answer is the scan's result.
  virtual KestoResult EndImport(VyTextAttributeMgr* attributes) = 0;
  // `count` UTF-16 units of text: at most 1023, or 1024 when the block ends in a surrogate pair, which is
  // never split; a paragraph return is always the last unit it comes with. Ends the scan.
  virtual KestoResult InsertText(const char16_t* units, int32_t count) = 0;
  // Text in the host's own tagged-text dialect (<&it…>). Ends the scan.
  virtual KestoResult InsertHostTaggedText(const char16_t* text, int32_t length, bool interpretTags) = 0;
  // A coded marker (<#…>, <A(…)>). Ends the scan.
  virtual KestoResult Marker(int32_t code, const char16_t* text, int32_t length) = 0;
  virtual KestoResult CreateBox(int32_t boxKind, VyPageItemInfo* box) = 0;                 // ends the scan
  virtual KestoResult EndTextBox(VyPageItemInfo* box) = 0;                                 // ends the scan
  virtual KestoResult DefineCharacterStyle(VyCharacterStyleInfo* info, bool missing) = 0;  // ends the scan
  virtual KestoResult DefineParagraphStyle(VyParagraphStyleInfo* info, bool missing) = 0;  // ends the scan
  // Master `masterIndex` with the "p" and "f" flags of the tag. Ends the scan.
  virtual KestoResult ApplyMasterPage(int32_t masterIndex, bool pFlag, bool fFlag) = 0;
  // Without settings: the start of a hidden-text range. With settings and id -1: its end; with id >= 0: the
  // box of that relative number. Ends the scan.
  virtual KestoResult TextAnchor(const VyHiddenTextSettings* settings, int32_t id) = 0;
  // Groups the boxes of these relative numbers (1 = the newest). Ends the scan.
  virtual KestoResult Group(const int32_t* boxNumbers, int32_t count) = 0;
  // Finds the file a tag names; sets `uri` and answers 0, or answers a file-system code (-43 not found).
  virtual KestoResult ResolveFileReference(WideString& uri, std::u16string_view name) = 0;
  virtual KestoResult LinkDestination(const VyLinkDestination& destination) = 0;  // ends the scan
  // Without a record: the start of a hyperlink source. With a record and id -1: a hyperlink over the text
  // since the start; with id >= 0: one whose source is the box of that relative number. Ends the scan.
  virtual KestoResult Hyperlink(const VyHyperlinkInfo* hyperlink, int32_t id) = 0;
  // Table structure; only the host-dialect scanner calls these. Each ends the scan.
  virtual KestoResult TableStart() = 0;
  virtual KestoResult TableEnd() = 0;
  virtual KestoResult RowStart() = 0;
  virtual KestoResult RowEnd() = 0;
  virtual KestoResult CellStart() = 0;
  virtual KestoResult CellEnd() = 0;
};

}  // namespace kesto
