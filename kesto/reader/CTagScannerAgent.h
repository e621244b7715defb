// CTagScannerAgent: the scanner agent that does nothing; agents derive from it and override what they need.
#pragma once

#include "kesto/reader/ITagScannerAgent.h"

namespace kesto {

class CTagScannerAgent : public ITagScannerAgent {
 public:
  KestoResult BeginImport(VyTextAttributeMgr*) override { return 0; }
  KestoResult EndOfParagraph(VyTextAttributeMgr*) override { return 0; }
  KestoResult ParagraphStyleApplied(VyTextAttributeMgr*) override { return 0; }
  KestoResult CharacterStyleApplied(VyTextAttributeMgr*) override { return 0; }
  KestoResult CharacterAttributesChanged(VyTextAttributeMgr*) override { return 0; }
  KestoResult ReportError(int32_t, std::u16string_view, int32_t) override { return 0; }
  KestoResult EndImport(VyTextAttributeMgr*) override { return 0; }
  KestoResult InsertText(const char16_t*, int32_t) override { return 0; }
  KestoResult InsertHostTaggedText(const char16_t*, int32_t, bool) override { return 0; }
  KestoResult Marker(int32_t, const char16_t*, int32_t) override { return 0; }
  KestoResult CreateBox(int32_t, VyPageItemInfo*) override { return 0; }
  KestoResult EndTextBox(VyPageItemInfo*) override { return 0; }
  KestoResult DefineCharacterStyle(VyCharacterStyleInfo*, bool) override { return 0; }
  KestoResult DefineParagraphStyle(VyParagraphStyleInfo*, bool) override { return 0; }
  KestoResult ApplyMasterPage(int32_t, bool, bool) override { return 0; }
  KestoResult TextAnchor(const VyHiddenTextSettings*, int32_t) override { return 0; }
  KestoResult Group(const int32_t*, int32_t) override { return 0; }
  KestoResult ResolveFileReference(WideString&, std::u16string_view) override { return 0; }
  KestoResult LinkDestination(const VyLinkDestination&) override { return 0; }
  KestoResult Hyperlink(const VyHyperlinkInfo*, int32_t) override { return 0; }
  KestoResult TableStart() override { return 0; }
  KestoResult TableEnd() override { return 0; }
  KestoResult RowStart() override { return 0; }
  KestoResult RowEnd() override { return 0; }
  KestoResult CellStart() override { return 0; }
  KestoResult CellEnd() override { return 0; }
};

}  // namespace kesto
