// ParagraphTags: the tags after "*" that set paragraph attributes (alignment, keeps, drop caps, tab stops,
// paragraph formats, rules) and the few that are read and ignored. Each list tag lives in its own file.
#pragma once

#include <cstdint>

namespace kesto {

class KestoScanner;
class K2AttributeSetMgr;

// Where a paragraph tag writes and what "$" falls back to. A null target reads the tag and changes
// nothing; null defaults mean no default value exists.
struct ParagraphTargets {
  K2AttributeSetMgr* target = nullptr;
  const K2AttributeSetMgr* defaults = nullptr;
};

// Reads one paragraph tag after its "*" and writes it into `targets`; errors go to the scanner.
void ReadParagraphTag(KestoScanner& scanner, const ParagraphTargets& targets);

// The list tags, each read after its letters.
void ReadKeepLinesTag(KestoScanner& scanner, const ParagraphTargets& targets);        // *kt
void ReadDropCapTag(KestoScanner& scanner, const ParagraphTargets& targets);          // *d
void ReadTabStopsTag(KestoScanner& scanner, const ParagraphTargets& targets);         // *t
void ReadParagraphFormatTag(KestoScanner& scanner, const ParagraphTargets& targets);  // *p
// *ra (`above`) and *rb.
void ReadRuleTag(KestoScanner& scanner, const ParagraphTargets& targets, bool above);

}  // namespace kesto
