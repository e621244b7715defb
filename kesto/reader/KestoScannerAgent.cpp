// The import agent.
#include "kesto/reader/KestoScannerAgent.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <system_error>

#include "host/app/IErrorStringService.h"
#include "host/core/UnitSearch.h"
#include "host/db/IDocument.h"
#include "host/text/TabStopList.h"
#include "kesto/layout/BuilderCodes.h"
#include "kesto/layout/MasterPageStep.h"
#include "kesto/layout/PictureReference.h"
#include "kesto/model/TypeStyle.h"
#include "kesto/model/VyTextAttributeMgr.h"
#include "kesto/model/XStory.h"
#include "kesto/reader/EngineMessages.h"
#include "kesto/reader/ErrorReport.h"
#include "kesto/reader/KestoScanner.h"
#include "kesto/reader/ScannerErrors.h"
#include "kesto/reader/VyHiddenTextSettings.h"
#include "kesto/streams/VyTextStream.h"

namespace kesto {
namespace {

constexpr char16_t kTab = 0x09;
constexpr char16_t kReturn = 0x0D;

// Alignment values of the host's paragraph attribute: left, justified with the last line left.
constexpr int32_t kAlignLeft = 0;
constexpr int32_t kAlignJustifyLeft = 4;

constexpr int32_t MarkerCode(const char (&name)[5]) {
  return (name[0] << 24) | (name[1] << 16) | (name[2] << 8) | name[3];
}
constexpr int32_t kMarkerStartA = MarkerCode("AIPA");
constexpr int32_t kMarkerStartB = MarkerCode("AIPB");
constexpr int32_t kMarkerStartC = MarkerCode("AIPC");
constexpr int32_t kMarkerFlagged = MarkerCode("AIP!");
constexpr int32_t kMarkerValued = MarkerCode("AIP\"");
constexpr int32_t kMarkerText = MarkerCode("AIP#");

// The three marker attributes share the plug-in's text attribute; the high byte of its first number tells
// which marker made it, so that the writer can give the same marker back.
constexpr int16_t kFlaggedKind = 0x100;
constexpr int16_t kValuedKind = 0x200;
constexpr int16_t kTextKind = 0x300;

int64_t SteadyMilliseconds() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

WideString Decimal(int32_t value) {
  return WideFromUtf8(std::to_string(value));
}

// The folder of a file named by the user: the current folder for a bare name ("in.txt"); empty for none.
std::filesystem::path FolderOf(const std::filesystem::path& file) {
  if (file.empty() || file.has_parent_path()) return file.parent_path();
  std::error_code ec;
  std::filesystem::path current = std::filesystem::current_path(ec);
  return ec ? std::filesystem::path(".") : current;
}

std::filesystem::path DocumentFolder(IDataBase* db) {
  if (!db) return {};
  InterfacePtr<IDocument> document = Instantiate<IDocument>(db, db->GetRootUID());
  return document ? FolderOf(document->GetFile()) : std::filesystem::path();
}

}  // namespace

KestoScannerAgent::KestoScannerAgent(XStory* story, VyTextStream* source, uint32_t importOptions,
                                     KestoScanner* scanner, TickSource ticks)
    : VyStoryTSAgent(story),
      story_(story),
      mainStory_(story),
      document_(VyDocument::Make(story ? story->VyBaseStory::GetDocument() : nullptr)),
      builder_(std::make_unique<BoxBuilder>(document_)),
      threads_(LookUpTextThreads(story ? story->VyBaseStory::GetDocument() : nullptr)),
      source_(source),
      scanner_(scanner),
      ticks_(ticks ? ticks : &SteadyMilliseconds),
      reportErrors_((importOptions & kImportReportErrors) != 0),
      liveUpdate_((importOptions & kImportNoScreenUpdate) == 0) {
  WideString name;
  if (source_ && source_->GetAgent()) {
    VyFile file;
    source_->GetAgent()->GetFile(file);
    name = file.GetFileName();
    int64_t size = source_->GetAgent()->Size();
    if (size > 0) total_ = size;
  }
  std::string task = name.empty() ? "Importing text" : "Importing " + Utf8FromWide(name);
  progress_ = RangeProgressBar::Create("Kesto(tm)", task, 0, 100);
  nextProgress_ = Now();
  lastLiveUpdate_ = nextProgress_;
  lastClock_ = nextProgress_;
}

KestoScannerAgent::~KestoScannerAgent() {
  while (!levels_.empty())
    CloseLevel();
}

KestoResult KestoScannerAgent::BeginImport(VyTextAttributeMgr* attributes) {
  if (!story_) return 0;
  int32_t end = 0;
  story_->GetRange(position_, end);
  // The scanner's pair works on the story's strands: what the tags set is what each block of text is
  // committed with.
  K2AttributeSetMgr plain(story_->VyBaseStory::GetDocument(), StyleKind::kCharacter);
  if (attributes) {
    if (KestoResult bound = VyStoryTSAgent::BeginImport(attributes)) return bound;
    (void)attributes->Character().ReplaceTypeStyle(kPlain, &attributes->Paragraph());
    plain.CopyFrom(attributes->Character());
  } else {
    plain.CopyFrom(story_->Character());
    (void)plain.ReplaceTypeStyle(kPlain, &story_->Paragraph());
  }
  // Reports take the character attributes where the import began, without bold, italic and the like.
  errorStyle_ = plain.GetStyle();
  const AttributeBossList* overrides = plain.GetAgent()->GetOverrides();
  errorOverrides_ = overrides ? *overrides : AttributeBossList();
  return 0;
}

int64_t KestoScannerAgent::ClockAtParagraphEnd(int32_t paragraphs) {
  constexpr int32_t kLongestStride = 256;
  constexpr int64_t kSlowStep = 8;  // ms between reads past which the stride shrinks
  if ((paragraphsSinceClock_ += paragraphs) < clockStride_) return lastClock_;
  paragraphsSinceClock_ = 0;
  int64_t now = Now();
  int64_t step = now - lastClock_;
  if (step == 0 && clockStride_ < kLongestStride) {
    clockStride_ *= 2;
  } else if (step > kSlowStep && clockStride_ > 1) {
    clockStride_ /= 2;
  }
  lastClock_ = now;
  return now;
}

// A row of paragraphs is in the story before the agent hears of it, so it is taken at once: the clock counts
// every paragraph of it, and progress, cancelling and the live update are looked at once for the row.
KestoResult KestoScannerAgent::EndOfParagraphs(VyTextAttributeMgr* attributes, int32_t count) {
  int64_t now = ClockAtParagraphEnd(count);
  if (progress_) {
    if (now >= nextProgress_) {
      // The scanner's position moves only where text meets a tag; for long runs of prose the bytes the
      // source has taken from its storage tell more.
      int64_t consumed =
          std::max<int64_t>(scanner_ ? scanner_->GetPosition() : 0, source_ ? source_->Tell() : 0);
      progress_->SetPosition(static_cast<int32_t>(std::clamp<int64_t>(consumed * 100 / total_, 0, 100)));
      ++progressUpdates_;
      nextProgress_ = now + kProgressInterval;
    }
    if (progress_->ProcessEvents()) return kImportCancelled;
  }
  if (story_ && liveUpdate_ && now - lastLiveUpdate_ > kLiveUpdateInterval) {
    story_->Finish(0);
    lastLiveUpdate_ = now;
  }
  RestoreAlignment();
  return 0;
}

KestoResult KestoScannerAgent::ReportError(int32_t code, std::u16string_view tagName, int32_t paramIndex) {
  if (code == kScanTranslationFileNotFound) {
    if (int32_t fileError = scanner_ ? scanner_->GetInput().GetTranslations().GetFileError() : 0)
      systemError_ = fileError;
    SetEngineMessageParameters({Decimal(systemError_)});
    return kEngineTranslationFileMissing;
  }
  if (reportErrors_) InsertReport(ScannerErrorReport(code, tagName, paramIndex));
  return 0;
}

void KestoScannerAgent::ReportBuilderError(int32_t code, std::u16string_view tagName) {
  if (reportErrors_) InsertReport(BuilderErrorReport(code, tagName));
}

void KestoScannerAgent::InsertReport(std::u16string_view report) {
  // Inside a text box that could not be made, everything up to its end is skipped quietly.
  if (!story_ || report.empty() || !Receiving()) return;
  ++errorCount_;
  K2AttributeSetMgr& character = story_->Character();
  UID style = character.GetStyle();
  const AttributeBossList* held = character.GetAgent()->GetOverrides();
  AttributeBossList overrides = held ? *held : AttributeBossList();
  character.LoadFrom(errorStyle_, errorOverrides_);
  if (story_->InsertText(report.data(), static_cast<int32_t>(report.size())))
    position_ += static_cast<int32_t>(report.size());
  character.LoadFrom(style, overrides);
}

std::u16string_view KestoScannerAgent::TagName() const {
  return scanner_ ? scanner_->GetTagName().View() : std::u16string_view();
}

void KestoScannerAgent::TakeStoryPosition() {
  int32_t end = 0;
  story_->GetRange(position_, end);
  paragraphPos_ = position_;
}

KestoResult KestoScannerAgent::ApplyMasterPage(int32_t masterIndex, bool pFlag, bool fFlag) {
  std::u16string tagName(TagName());
  if (!story_ || !document_ || !InMainFlow()) {
    ReportBuilderError(kBuildNotInMainFlow, tagName);
    return 0;
  }
  UID before = story_->GetStoryUID();
  int32_t result = kesto::ApplyMasterPage(*story_, *document_, threads_.get(), masterIndex, pFlag, fFlag);
  if (result == kMasterNoThreadFlow) return kEngineNoAutomaticFlow;
  if (result != kMasterApplied) {
    ReportBuilderError(kBuildCannotApplyMaster, tagName);
    return 0;
  }
  if (story_->GetStoryUID() != before) TakeStoryPosition();
  // What follows starts from the attributes in force at the (possibly new) insertion point.
  if (VyTextAttributeMgr* attributes = GetBoundAttributes()) {
    attributes->Paragraph().Bind(&story_->ParagraphAgent());
    attributes->Character().Bind(&story_->CharacterAgent());
  }
  return 0;
}

KestoResult KestoScannerAgent::EndImport(VyTextAttributeMgr* attributes) {
  // A text source never closed makes no hyperlink; the report goes where the text ended.
  if (hyperlinkStart_ >= 0 && story_ == hyperlinkStory_) Report(kBuildCannotCreateHyperlink, u"&Ys");
  bool committed = true;
  if (story_ && position_ != paragraphPos_) {
    FixAlignment();
    committed = story_->Flush(false, true);
    RestoreAlignment();
  }
  ResolveDeferredDestinations();
  UnbindAttributes();
  // The last paragraph's text is committed only here: a story that refuses it fails the import.
  return committed ? 0 : kScanInternalError;
}

KestoResult KestoScannerAgent::InsertText(const char16_t* units, int32_t count) {
  if (!story_ || count <= 0 || !Receiving()) return 0;
  std::u16string_view text(units, static_cast<size_t>(count));
  if (FindUnit(text, kTab) != std::u16string_view::npos) paragraphHasTab_ = true;
  bool endsParagraph = text.back() == kReturn;
  if (endsParagraph) FixAlignment();
  if (!story_->InsertText(units, count)) return kScanInternalError;
  position_ += count;
  if (endsParagraph) {
    paragraphPos_ = position_;
    paragraphHasTab_ = false;
  }
  return 0;
}

KestoResult KestoScannerAgent::InsertHostTaggedText(const char16_t* text, int32_t length,
                                                    bool interpretTags) {
  if (!story_) return 0;
  // The passage is imported at the story's range: what is pending goes in first, with its attributes.
  FixAlignment();
  (void)story_->Flush(false, true);
  RestoreAlignment();
  int32_t result = VyStoryTSAgent::InsertHostTaggedText(text, length, interpretTags);
  int32_t end = 0;
  story_->GetRange(position_, end);
  paragraphPos_ = position_;
  paragraphHasTab_ = false;
  if (result != 0 && reportErrors_) {
    std::string words = ErrorStringFor(result);
    if (!words.empty()) InsertReport(MakeErrorReport(WideFromUtf8(words), u"&it", 0));
  }
  return 0;
}

void KestoScannerAgent::FixAlignment() {
  if (!paragraphHasTab_ || alignmentSaved_) return;
  VyParagraphAttributeMgr& paragraph = story_->Paragraph();
  ObjectRef stops;
  if (!paragraph.GetObject(kTextAttrTabStops, stops)) return;
  auto list = std::dynamic_pointer_cast<const TabStopList>(stops);
  if (!list || list->Stops().empty()) return;
  bool own = false;
  InterfacePtr<ITextAttribute> held = paragraph.FindAttribute(kTextAttrAlignment, &own);
  int32_t alignment = 0;
  if (!held || !paragraph.GetEnum(kTextAttrAlignment, alignment)) return;
  if (alignment == kAlignLeft || alignment == kAlignJustifyLeft) return;
  int32_t fixed = alignment >= 3 && alignment <= 6 ? kAlignJustifyLeft : kAlignLeft;
  if (!paragraph.SetEnum(kTextAttrAlignment, fixed)) return;
  alignmentSaved_ = true;
  savedAlignment_ = alignment;
  savedAlignmentOwn_ = own;
}

void KestoScannerAgent::RestoreAlignment() {
  if (!alignmentSaved_ || !story_) return;
  alignmentSaved_ = false;
  VyParagraphAttributeMgr& paragraph = story_->Paragraph();
  // An alignment that came from the style goes back to coming from it.
  if (savedAlignmentOwn_)
    (void)paragraph.SetEnum(kTextAttrAlignment, savedAlignment_);
  else
    (void)paragraph.ClearOverride(kTextAttrAlignment);
}

KestoResult KestoScannerAgent::Marker(int32_t code, const char16_t* text, int32_t length) {
  if (!story_) return 0;
  std::u16string_view markerText(text, text ? static_cast<size_t>(std::max(length, 0)) : 0);
  switch (code) {
    case kMarkerStartA:
    case kMarkerStartB:
    case kMarkerStartC:
      markerStart_ = position_;
      return 0;
    case kMarkerFlagged:
    case kMarkerValued:
    case kMarkerText:
      ApplyMarkerAttribute(code, markerText);
      markerStart_ = -1;
      return 0;
    default:
      return 0;
  }
}

KestoResult KestoScannerAgent::TextAnchor(const VyHiddenTextSettings* settings, int32_t id) {
  if (!story_) return 0;
  if (!settings) {
    hiddenTextStart_ = position_;
  } else if (id < 0 && hiddenTextStart_ >= 0) {
    (void)story_->ApplyHiddenText(hiddenTextStart_, position_, settings->record);
    hiddenTextStart_ = -1;
  }
  return 0;
}

void KestoScannerAgent::ApplyMarkerAttribute(int32_t code, std::u16string_view text) {
  if (markerStart_ < 0 || text.empty()) return;
  bool numberedForm = code == kMarkerFlagged && text[0] == u'2';
  if (text[0] != u'1' && !numberedForm) return;
  int32_t start = markerStart_, end = position_;
  if (code == kMarkerFlagged) {
    bool numbered = numberedForm;
    if (text.size() < (numbered ? 8u : 6u)) return;
    int16_t flags = kFlaggedKind;
    for (int i = 0; i < 4; ++i) {
      if (text[1 + i] != u'0') flags |= static_cast<int16_t>(1 << i);
    }
    int16_t number = 0;
    if (numbered) {
      for (char16_t digit : text.substr(6, 2)) {
        if (digit < u'0' || digit > u'9') return;
        number = static_cast<int16_t>(number * 10 + (digit - u'0'));
      }
    }
    (void)story_->ApplyText(start, end, WideString(text.substr(numbered ? 8 : 6)), flags,
                            static_cast<int16_t>(text[5]), number);
  } else if (code == kMarkerValued) {
    if (text.size() < 2) return;
    (void)story_->ApplyText(start, end, WideString(text.substr(2)), kValuedKind,
                            static_cast<int16_t>(text[1]), 0);
  } else {
    (void)story_->ApplyText(start, end, WideString(text.substr(1)), kTextKind, 0, 0);
  }
}

KestoResult KestoScannerAgent::ResolveFileReference(WideString& uri, std::u16string_view name) {
  std::filesystem::path sourceFolder;
  if (source_ && source_->GetAgent()) {
    VyFile file;
    source_->GetAgent()->GetFile(file);
    if (!file.IsEmpty()) sourceFolder = FolderOf(file.GetPath());
  }
  return ResolvePictureReference(name, DocumentFolder(story_ ? story_->VyBaseStory::GetDocument() : nullptr),
                                 sourceFolder, uri);
}

}  // namespace kesto
