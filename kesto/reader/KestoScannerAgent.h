// KestoScannerAgent: the agent of a Kesto import: inserts the scanner's text into the story being filled,
// leaves inline reports where the scanner met errors, applies the plug-in attributes of markers, shows
// progress (and passes on a cancel) and keeps the layout up to date as the import goes on, and applies
// master pages as the text flows.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "host/text/AttributeBossList.h"
#include "host/ui/RangeProgressBar.h"
#include "kesto/layout/BoxBuilder.h"
#include "kesto/layout/ImportPicture.h"
#include "kesto/layout/TextThreadQueries.h"
#include "kesto/layout/VyDocument.h"
#include "kesto/reader/VyStoryTSAgent.h"

namespace kesto {

class KestoScanner;
class VyTextStream;
class XStory;

// Import option bits (the word the import driver hands the agent).
inline constexpr uint32_t kImportConvertQuotes = 0x1;
inline constexpr uint32_t kImportIncludeStyleSheets = 0x2;
inline constexpr uint32_t kImportReportErrors = 0x4;
inline constexpr uint32_t kImportNoScreenUpdate = 0x8;

// What end-of-paragraph answers when the user cancelled in the progress bar.
inline constexpr int32_t kImportCancelled = -128;

class KestoScannerAgent : public VyStoryTSAgent {
 public:
  // Milliseconds of a steady clock; tests replace it to step time.
  using TickSource = int64_t (*)();
  static constexpr int64_t kProgressInterval = 250;
  static constexpr int64_t kLiveUpdateInterval = 100;

  // Fills `story` (referenced for the agent's life; may be null, then everything is dropped) from `source`
  // read by `scanner` (both borrowed; the scanner's consumed position drives progress). A progress bar
  // appears when the front end shows bars.
  KestoScannerAgent(XStory* story, VyTextStream* source, uint32_t importOptions, KestoScanner* scanner,
                    TickSource ticks = nullptr);
  ~KestoScannerAgent() override;

  // Pictures named by URL go into `folder` instead of the preferences' downloads folder (empty: those).
  void SetChosenDownloads(std::filesystem::path folder) { chosenDownloads_ = std::move(folder); }

  int32_t BeginImport(VyTextAttributeMgr* attributes) override;
  // Answers kImportCancelled when the user cancelled.
  int32_t EndOfParagraph(VyTextAttributeMgr* attributes) override { return EndOfParagraphs(attributes, 1); }
  int32_t EndOfParagraphs(VyTextAttributeMgr* attributes, int32_t count) override;
  // Code 16 (translation file not found) ends the import with engine code 10005; every other code leaves
  // a report when reporting is on and answers 0.
  int32_t ReportError(int32_t code, std::u16string_view tagName, int32_t paramIndex) override;
  // Leaves a report when reporting is on.
  void ReportBuilderError(int32_t code, std::u16string_view tagName) override;
  int32_t EndImport(VyTextAttributeMgr* attributes) override;
  // Answers 28 when the story refuses the text.
  int32_t InsertText(const char16_t* units, int32_t count) override;
  // Inserts the passage through the host; a host error is reported in the text (when reporting is on)
  // with the host's own words for it, and the import goes on: answers 0.
  int32_t InsertHostTaggedText(const char16_t* text, int32_t length, bool interpretTags) override;
  int32_t Marker(int32_t code, const char16_t* text, int32_t length) override;
  // Without settings: remembers where a hidden-text range starts; with settings and id -1: gives the text
  // since then the hidden-text attribute with them. Settings for a box (id >= 0) are not acted on yet.
  int32_t TextAnchor(const VyHiddenTextSettings* settings, int32_t id) override;
  // Applies master `masterIndex` to the page (with `pFlag`) or spread under the insertion point, only when
  // that differs from the last one with `fFlag`; reports "Not in main text flow" or "Can't apply master
  // page/spread" and goes on. Answers kEngineNoAutomaticFlow, ending the import, when the story belongs to
  // a thread that the newly mastered page offers no frame for.
  int32_t ApplyMasterPage(int32_t masterIndex, bool pFlag, bool fFlag) override;
  // Makes the box of a box tag (see BoxBuilder) and reports what went wrong in the text; a text box opens a
  // level (at most eight) whose text goes into the box's own story until EndTextBox.
  int32_t CreateBox(int32_t boxKind, VyPageItemInfo* box) override;
  // "Unmatched &te" without an open level.
  int32_t EndTextBox(VyPageItemInfo* box) override;
  // Only in the main flow; groups boxes by relative number.
  int32_t Group(const int32_t* boxNumbers, int32_t count) override;
  // Looks next to the document imported into, then next to the source file (see ResolvePictureReference).
  int32_t ResolveFileReference(WideString& uri, std::u16string_view name) override;

  // Reports inserted so far.
  int32_t GetErrorCount() const { return errorCount_; }
  // The system error code of the last failed file lookup, the parameter of engine code 10005.
  void NoteSystemError(int32_t code) { systemError_ = code; }
  // Replaces the text threads looked up in the document (null: none).
  void SetTextThreads(std::unique_ptr<TextThreadQueries> threads) { threads_ = std::move(threads); }
  // Boxes made so far (each box tag that left a box).
  int32_t GetBoxCount() const { return boxCount_; }
  static constexpr int32_t kMaxTextBoxLevels = 8;
  bool HasProgressBar() const { return progress_ != nullptr; }
  // Progress bar updates so far.
  int32_t GetProgressUpdates() const { return progressUpdates_; }

 private:
  int64_t Now() const { return ticks_(); }
  // The clock as of the end of `paragraphs` more paragraphs: read again only every `clockStride_`
  // paragraphs. Reading it costs as much as a short paragraph, so the stride grows while paragraphs come
  // faster than the clock moves and shrinks when they come slowly, keeping progress and live updates as
  // timely as a read per paragraph.
  int64_t ClockAtParagraphEnd(int32_t paragraphs);
  // Inserts `report` with the error attributes, keeping the attributes in force around it.
  void InsertReport(std::u16string_view report);
  // A paragraph holding a tab under tab stops keeps its tabs where they are only when it is left or
  // justified-left aligned: its alignment is switched for the commit and restored afterwards.
  void FixAlignment();
  void RestoreAlignment();
  void ApplyMarkerAttribute(int32_t code, std::u16string_view text);
  // The name of the tag being acted on, for builder reports.
  std::u16string_view TagName() const;
  // The insertion point after the story moved it (a master page may move the import to another story).
  void TakeStoryPosition();
  void Report(int32_t builderCode, std::u16string_view tagName);
  // Places the picture of a picture box (a proxy for a missing one); the builder code to report, or
  // kImportCancelled when the user stopped its download.
  int32_t PlaceBoxPicture(XPageItem& frame, const WideString& uri, bool missing);
  // Whether the text goes where it belongs: not inside a text box whose tag failed.
  bool Receiving() const { return skippedLevels_ == 0 && (levels_.empty() || levels_.back().allowsBoxes); }
  bool InMainFlow() const { return levels_.empty() && skippedLevels_ == 0; }
  // The insertion point moves into the text frame `box`'s story (after `threaded`'s text when it
  // continues it) and the scanner's attributes go with it, keeping their values.
  void OpenLevel(const BoxPlacement& placement, UID box, bool allowsBoxes, bool threaded);
  void CloseLevel();
  UID ReferenceByName(const BoxPlacement& placement, bool& optionalMissing);

  // A text box being filled: what its tag asked for and what the enclosing flow had.
  struct TextBoxLevel {
    bool allowsBoxes = false;
    BoxPlacement placement;
    UID box;
    UID savedCurrent;
    VyRef<XStory> story;
    XStory* enclosing = nullptr;
    int32_t position = 0, paragraphPos = -1, markerStart = -1, hiddenTextStart = -1;
  };

  XStory* story_;
  XStory* mainStory_;
  VyRef<VyDocument> document_;
  std::unique_ptr<BoxBuilder> builder_;
  std::vector<TextBoxLevel> levels_;
  int32_t skippedLevels_ = 0;  // text boxes opened beyond the deepest level, counted only
  int32_t boxCount_ = 0;
  std::optional<PictureImportSettings> pictureSettings_;  // read from the preferences at the first picture
  std::filesystem::path chosenDownloads_;
  std::unique_ptr<TextThreadQueries> threads_;
  VyTextStream* source_;
  KestoScanner* scanner_;
  TickSource ticks_;
  bool reportErrors_;
  bool liveUpdate_;
  int32_t errorCount_ = 0;
  int32_t systemError_ = -43;
  UID errorStyle_;
  AttributeBossList errorOverrides_;

  int32_t position_ = 0;       // the insertion point, relative to the story's base
  int32_t paragraphPos_ = -1;  // the insertion point after the last paragraph end
  int32_t markerStart_ = -1;
  int32_t hiddenTextStart_ = -1;
  bool paragraphHasTab_ = false;
  bool alignmentSaved_ = false;
  bool savedAlignmentOwn_ = false;  // the saved alignment was an override, not the style's
  int32_t savedAlignment_ = 0;

  std::unique_ptr<RangeProgressBar> progress_;
  int64_t total_ = 100;
  int64_t nextProgress_ = 0;
  int64_t lastLiveUpdate_ = 0;
  int32_t progressUpdates_ = 0;
  int64_t lastClock_ = 0;
  int32_t clockStride_ = 1;
  int32_t paragraphsSinceClock_ = 0;
};

}  // namespace kesto
