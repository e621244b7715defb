// CTagScannerAgent: the scanner agent that does nothing; agents derive from it and override what they need.
#pragma once

#include "kesto/reader/ITagScannerAgent.h"

namespace kesto {

class CTagScannerAgent : public ITagScannerAgent {
 public:
  int32_t BeginImport(VyTextAttributeMgr*) override { return 0; }
  int32_t EndOfParagraph(VyTextAttributeMgr*) override { return 0; }
  int32_t ParagraphStyleApplied(VyTextAttributeMgr*) override { return 0; }
  int32_t CharacterStyleApplied(VyTextAttributeMgr*) override { return 0; }
  int32_t CharacterAttributesChanged(VyTextAttributeMgr*) override { return 0; }
  int32_t ReportError(int32_t, std::u16string_view, int32_t) override { return 0; }
  int32_t EndImport(VyTextAttributeMgr*) override { return 0; }
  int32_t InsertText(const char16_t*, int32_t) override { return 0; }
  int32_t InsertHostTaggedText(const char16_t*, int32_t, bool) override { return 0; }
  int32_t Marker(int32_t, const char16_t*, int32_t) override { return 0; }
  int32_t CreateBox(int32_t, VyPageItemInfo*) override { return 0; }
  int32_t EndTextBox(VyPageItemInfo*) override { return 0; }
  int32_t DefineCharacterStyle(VyCharacterStyleInfo*, bool) override { return 0; }
  int32_t DefineParagraphStyle(VyParagraphStyleInfo*, bool) override { return 0; }
  int32_t ApplyMasterPage(int32_t, bool, bool) override { return 0; }
  int32_t TextAnchor(const VyHiddenTextSettings*, int32_t) override { return 0; }
  int32_t Group(const int32_t*, int32_t) override { return 0; }
  int32_t ResolveFileReference(WideString&, std::u16string_view) override { return 0; }
  int32_t LinkDestination(const VyLinkDestination&) override { return 0; }
  int32_t Hyperlink(const VyHyperlinkInfo*, int32_t) override { return 0; }
  int32_t TableStart() override { return 0; }
  int32_t TableEnd() override { return 0; }
  int32_t RowStart() override { return 0; }
  int32_t RowEnd() override { return 0; }
  int32_t CellStart() override { return 0; }
  int32_t CellEnd() override { return 0; }
};

}  // namespace kesto
