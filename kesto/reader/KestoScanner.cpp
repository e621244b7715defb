// The Kesto scanner: reset, the main loop, the reaction to each token and the reading of the next one.
#include "kesto/reader/KestoScanner.h"

#include <algorithm>
#include <utility>

#include "kesto/reader/BoxTagState.h"
#include "kesto/reader/CTagScannerAgent.h"
#include "kesto/reader/ScannerErrors.h"
#include "kesto/reader/TagDispatcher.h"

namespace kesto {

namespace {
constexpr int32_t kParagraphReturn = 0x0D;
constexpr int32_t kPageNumberCharacter = 0x18;

// The page-number kind the U+0018 of each page-number token carries.
int32_t PageNumberKindOf(ScanToken token) {
  switch (token) {
    case ScanToken::kPreviousPageNumber:
      return 1;
    case ScanToken::kNextPageNumber:
      return 2;
    default:
      return 0;
  }
}

bool HoldsMoreThanBlanks(const char16_t* text, int32_t count) {
  return std::any_of(text, text + count,
                     [](char16_t c) { return c != ' ' && c != '\t' && c != kParagraphReturn; });
}
}  // namespace

KestoScanner::KestoScanner(IDataBase* document) : boxTag_(std::make_unique<BoxTagState>()) {
  SetDocument(document);
  ResetState(true);
}

void KestoScanner::SetDocument(IDataBase* document) {
  CTaggedTextScanner::SetDocument(document);
  paragraphStyleInfo_.SetDocument(document);
  characterStyleInfo_.SetDocument(document);
  defaults_.SetDocument(document);
}

bool KestoScanner::PushAttributes() {
  return attributeStack_.Push(textAttributes_, defMode_);
}

bool KestoScanner::PopAttributes(bool restoreMode) {
  DefMode mode = defMode_;
  if (!attributeStack_.Pop(textAttributes_, mode)) return false;
  if (restoreMode) defMode_ = mode;
  TakeParagraphDefaults();
  return true;
}

void KestoScanner::SetTemporaryNoBreak() {
  if (C().SetBool(kTextAttrNoBreak, true)) temporaryNoBreak_ = true;
}

KestoScanner::~KestoScanner() = default;

int32_t KestoScanner::Reset() {
  ResetState(false);
  return error_;
}

void KestoScanner::ResetState(bool full) {
  if (full) {
    version_ = kDefaultVersion;
    numericCodePlatform_ = kWindowsPlatform;
  }
  token_ = ScanToken::kBegin;
  // A scanner without its text buffer reports that at the start of every scan.
  error_ = CTaggedTextScanner::Reset();
  markerCode_ = 0;
  breakRepeats_ = returnRepeats_ = 0;
  position_ = 0;
  tagName_.Clear();
  paramIndex_ = 0;
  VyTextStream* source = input_.GetSource();
  input_.Clear();
  input_.Attach(source);
  defMode_ = DefMode::kNormal;
  hiddenTextOpen_ = false;
  hyperlinkOpen_ = false;
  lexMode_ = LexMode::kText;
  if (full) attributeStack_.Clear();
  temporaryNoBreak_ = false;
}

int32_t KestoScanner::Scan(VyTextStream* source, ITagScannerAgent* agent) {
  CTagScannerAgent silent;
  agent_ = agent ? agent : &silent;
  input_.Attach(source);
  int32_t result = 0;
  for (;;) {
    if (error_ != 0) {
      result = agent_->ReportError(error_, tagName_.View(), paramIndex_);
      if (result != 0) break;
    }
    bool ended = false;
    result = ReactToToken(ended);
    if (result != 0 || ended) break;
    ReadNextToken();
  }
  input_.Attach(nullptr);
  agent_ = nullptr;
  token_ = ScanToken::kBegin;
  return result;
}

int32_t KestoScanner::HandOverText() {
  int32_t count = textCount_;
  textCount_ = 0;
  return count > 0 ? agent_->InsertText(textBuffer_.get(), count) : KestoResult(0);
}

int32_t KestoScanner::HandOverCharacter(int32_t c) {
  PushText(c);
  return HandOverText();
}

// `count` returns, each a paragraph of its own, as one block; the agent hears each paragraph's end. A break's
// kind (0 for none) rides on the returns, which carry their paragraphs' attributes. A first break goes alone,
// so that what the agent does at a paragraph's end (after a paragraph with tabs) is done before the rest.
int32_t KestoScanner::HandOverReturns(int32_t count, int32_t breakKind) {
  bool marked = breakKind != 0 && C().SetEnum(kTextAttrBreakKind, breakKind);
  int32_t result = 0;
  for (int32_t left = count; left > 0 && result == 0;) {
    int32_t n = std::min(left, kFlushUnits - textCount_);
    std::fill_n(textBuffer_.get() + textCount_, n, kParagraphReturn);
    textCount_ += n;
    lastChar_ = kParagraphReturn;
    result = HandOverText();
    left -= n;
  }
  if (marked) (void)C().ClearOverride(kTextAttrBreakKind);
  return result != 0 ? KestoResult(result) : agent_->EndOfParagraphs(TextAttributes(), count);
}

int32_t KestoScanner::ReactToToken(bool& ended) {
  switch (token_) {
    case ScanToken::kBegin:
      // An agent that cannot take the text (no story, a refused start) ends the scan before any of it.
      if (int32_t result = agent_->BeginImport(TextAttributes())) return result;
      TakeParagraphDefaults();
      return 0;
    case ScanToken::kText: {
      if (int32_t result = HandOverText()) return result;
      if (lastChar_ != kParagraphReturn) return 0;
      if (int32_t result = agent_->EndOfParagraph(TextAttributes())) return result;
      int32_t repeats = std::exchange(returnRepeats_, 0);
      return repeats > 0 ? HandOverReturns(repeats, 0) : 0;
    }
    case ScanToken::kPreviousPageNumber:
    case ScanToken::kCurrentPageNumber:
    case ScanToken::kNextPageNumber: {
      (void)C().SetEnum(kTextAttrPageNumberKind, PageNumberKindOf(token_));
      int32_t result = HandOverCharacter(kPageNumberCharacter);
      (void)C().ClearOverride(kTextAttrPageNumberKind);
      return result;
    }
    case ScanToken::kBreakCharacter: {
      int32_t repeats = std::exchange(breakRepeats_, 0);
      if (int32_t result = HandOverReturns(1, breakKind_)) return result;
      return repeats > 0 ? HandOverReturns(repeats, breakKind_) : 0;
    }
    case ScanToken::kParagraphStyleDefined:
    case ScanToken::kParagraphStyleMissing:
      return agent_->DefineParagraphStyle(&paragraphStyleInfo_, token_ == ScanToken::kParagraphStyleMissing);
    case ScanToken::kCharacterStyleDefined:
    case ScanToken::kCharacterStyleMissing:
      return agent_->DefineCharacterStyle(&characterStyleInfo_, token_ == ScanToken::kCharacterStyleMissing);
    case ScanToken::kTextBoxStart:
    case ScanToken::kOtherBox:
      return agent_->CreateBox(static_cast<int32_t>(boxTag_->kind), &boxTag_->Record());
    case ScanToken::kTextBoxEnd: {
      int32_t result = agent_->EndTextBox(&boxTag_->Record());
      // The text after the box goes on with the attributes from before it.
      if (boxTag_->pushedTextBoxes > 0) {
        --boxTag_->pushedTextBoxes;
        (void)PopAttributes(true);
      }
      return result;
    }
    case ScanToken::kGroup:
      return agent_->Group(groupList_.data(), static_cast<int32_t>(groupList_.size()));
    case ScanToken::kMasterPage:
      return agent_->ApplyMasterPage(masterIndex_, masterP_, masterF_);
    case ScanToken::kMarker:
      return agent_->Marker(markerCode_, markerText_.data(), static_cast<int32_t>(markerText_.size()));
    case ScanToken::kTextAnchorStart:
      return agent_->TextAnchor(nullptr, -1);
    case ScanToken::kAnchorSpec:
      return agent_->TextAnchor(&hiddenTextSettings_, anchorId_);
    case ScanToken::kLinkDestination:
      return agent_->LinkDestination(linkDestination_);
    case ScanToken::kHyperlinkStart:
      return agent_->Hyperlink(nullptr, -1);
    case ScanToken::kHyperlinkEnd:
      return agent_->Hyperlink(&hyperlink_, -1);
    case ScanToken::kHyperlinkEndToBox:
      return agent_->Hyperlink(&hyperlink_, anchorId_);
    case ScanToken::kHostTaggedText:
      return agent_->InsertHostTaggedText(hostText_.data(), static_cast<int32_t>(hostText_.size()),
                                          HasOption(kInterpretTags));
    case ScanToken::kEnd:
      // The agent's last commit (the final paragraph) can still fail; the scan then answers its code.
      ended = true;
      return agent_->EndImport(TextAttributes());
    default:
      return 0;
  }
}

void KestoScanner::ReadNextToken() {
  if (token_ == ScanToken::kParagraphStyleMissing || token_ == ScanToken::kCharacterStyleMissing)
    FinishMissingStyle();
  // The character that carried a temporary no-break has reached the agent by now.
  if (temporaryNoBreak_) {
    (void)C().ClearOverride(kTextAttrNoBreak);
    temporaryNoBreak_ = false;
  }
  markerCode_ = 0;
  textCount_ = 0;
  tagName_.Clear();
  paramIndex_ = 0;
  error_ = 0;
  token_ = ScanToken::kNone;
  if (!textBuffer_) {
    token_ = ScanToken::kEnd;
    return;
  }
  for (;;) {
    switch (lexMode_) {
      case LexMode::kStyleLine:
        tagName_.Set(u"@");
        if (!ReadStyleLine()) {
          lexMode_ = LexMode::kText;
          PushText('@');
        } else if (token_ != ScanToken::kNone) {
          return;
        }
        break;
      case LexMode::kTag:
        DispatchTag(*this);
        if (token_ != ScanToken::kNone && token_ != ScanToken::kError) {
          lastChar_ = 0;
          return;
        }
        if (Flush()) return;
        break;
      case LexMode::kText:
        ReadText();
        if (token_ != ScanToken::kNone) return;
        break;
    }
    if (error_ != 0) {
      token_ = ScanToken::kError;
      return;
    }
  }
}

bool KestoScanner::Flush() {
  if (textCount_ == 0) return false;
  if (defMode_ == DefMode::kNormal) {
    token_ = ScanToken::kText;
    return true;
  }
  // Text on a definition or header line is never inserted; the paragraph return completes the line. What a
  // header line loses beyond blanks was meant as text, so the user hears of it.
  if (defMode_ == DefMode::kHeader && HoldsMoreThanBlanks(textBuffer_.get(), textCount_))
    SetErrorIfNone(kScanHeaderTextDropped);
  textCount_ = 0;
  if (lastChar_ != kParagraphReturn) return false;
  switch (defMode_) {
    case DefMode::kParagraphStyle:
      token_ = ScanToken::kParagraphStyleDefined;
      break;
    case DefMode::kCharacterStyle:
      token_ = ScanToken::kCharacterStyleDefined;
      break;
    case DefMode::kColor:
      token_ = ScanToken::kColorDefinitionSkipped;
      break;
    case DefMode::kHJ:
      token_ = ScanToken::kHJDefinitionSkipped;
      break;
    default:
      break;
  }
  defMode_ = DefMode::kNormal;
  return token_ != ScanToken::kNone;
}

}  // namespace kesto
