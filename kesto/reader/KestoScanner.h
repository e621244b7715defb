// KestoScanner: reads Kesto tagged text from a character source and hands it, token by token, to a scanner
// agent: text in blocks, and one token per tag that does more than change attributes. One scanner serves
// one import; it holds large buffers, so it is created on the heap.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/text/IStyleTable.h"
#include "kesto/model/VyStyleInfo.h"
#include "kesto/reader/AttributeStack.h"
#include "kesto/reader/CTaggedTextScanner.h"
#include "kesto/reader/DefaultSnapshots.h"
#include "kesto/reader/MacroExpansion.h"
#include "kesto/reader/PlainBlocks.h"
#include "kesto/reader/ScanToken.h"
#include "kesto/reader/ScannerInput.h"
#include "kesto/reader/TagName.h"
#include "kesto/reader/TagParameterReader.h"
#include "kesto/reader/VyHiddenTextSettings.h"

namespace kesto {

struct BoxTagState;

class KestoScanner : public CTaggedTextScanner {
 public:
  static constexpr double kDefaultVersion = 7.0;
  // Numeric character codes 128–255 are read as Windows Latin 1, or as Mac Roman on platform 0.
  static constexpr int32_t kWindowsPlatform = 1;
  static constexpr int32_t kMacPlatform = 0;

  // `document` (not owned, may be null) is what names are resolved against; see SetDocument.
  explicit KestoScanner(IDataBase* document = nullptr);
  ~KestoScanner() override;

  // Also gives the document to the style infos and the default snapshots.
  void SetDocument(IDataBase* document) override;

  // Reads `source` to its end (a null source is empty). Answers 0, or the nonzero answer of the agent
  // operation that ended the scan. A null agent receives nothing.
  int32_t Scan(VyTextStream* source, ITagScannerAgent* agent) override;
  int32_t Reset() override;

  // --- What tag handlers read and set

  int32_t NextChar() { return input_.Next(); }
  void PushBack() { input_.PushBack(); }
  ScannerInput& GetInput() { return input_; }
  VyTextStream* GetSource() const { return input_.GetSource(); }
  TagParameterReader& Params() { return params_; }
  // The expansion macro invocations fill, one at a time (a macro's text cannot invoke another): kept, so
  // that an invocation on every line reuses its room.
  MacroExpansion& GetMacroExpansion() { return macroExpansion_; }

  LexMode GetLexMode() const { return lexMode_; }
  void SetLexMode(LexMode mode) { lexMode_ = mode; }
  DefMode GetDefMode() const { return defMode_; }
  void SetDefMode(DefMode mode) { defMode_ = mode; }
  ScanToken GetToken() const { return token_; }
  void SetToken(ScanToken token) { token_ = token; }

  TagName& GetTagName() { return tagName_; }
  int32_t GetParamIndex() const { return paramIndex_; }
  void SetParamIndex(int32_t index) { paramIndex_ = index; }

  double GetVersion() const { return version_; }
  void SetVersion(double version) { version_ = version; }
  int32_t GetNumericCodePlatform() const { return numericCodePlatform_; }
  void SetNumericCodePlatform(int32_t platform) { numericCodePlatform_ = platform; }

  // Scratch values that go with the tokens.
  int32_t GetBreakKind() const { return breakKind_; }
  void SetBreakKind(int32_t kind) { breakKind_ = kind; }
  void SetMarker(int32_t code, std::u16string_view text) {
    markerCode_ = code;
    markerText_.assign(text);
  }
  std::u16string& GetHostText() { return hostText_; }
  std::vector<int32_t>& GetGroupList() { return groupList_; }
  void SetMasterPage(int32_t index, bool pFlag, bool fFlag) {
    masterIndex_ = index;
    masterP_ = pFlag;
    masterF_ = fFlag;
  }
  VyLinkDestination& GetLinkDestination() { return linkDestination_; }
  // The box tag being read and the origin offset in force.
  BoxTagState& GetBoxTag() { return *boxTag_; }
  bool IsHiddenTextOpen() const { return hiddenTextOpen_; }
  void SetHiddenTextOpen(bool open) { hiddenTextOpen_ = open; }
  // The settings of the anchor-spec token, and its id: -1 for the end of a hidden-text range, else the
  // relative number of a box.
  VyHiddenTextSettings& GetHiddenTextSettings() { return hiddenTextSettings_; }
  void SetAnchorId(int32_t id) { anchorId_ = id; }
  // The agent of the running scan (null outside Scan), for tags that ask it to find files.
  ITagScannerAgent* GetAgent() const { return agent_; }
  bool IsHyperlinkOpen() const { return hyperlinkOpen_; }
  void SetHyperlinkOpen(bool open) { hyperlinkOpen_ = open; }

  // --- Attributes: what tags write into, chosen by the definition mode

  // The styles being defined by style lines.
  VyParagraphStyleInfo& GetParagraphStyleInfo() { return paragraphStyleInfo_; }
  VyCharacterStyleInfo& GetCharacterStyleInfo() { return characterStyleInfo_; }
  // Where character tags write: C, or the style info of a paragraph or character style definition.
  K2AttributeSetMgr& CharacterTarget();
  // Where paragraph tags write, and where a tag that reads a current value looks when the character target
  // has none: P, or the paragraph style info in a paragraph style definition; null in a character style
  // definition.
  K2AttributeSetMgr* ParagraphTarget();
  // The paragraph target as the base a character target's type style inherits from (null when it is the
  // character target itself or there is none).
  const K2AttributeSetMgr* TypeStyleBase();

  // The "$" snapshots.
  DefaultSnapshots& GetDefaults() { return defaults_; }
  // D1 := P, D2 cleared: at begin-import, after a paragraph style is applied and after an attribute-stack
  // pop.
  void TakeParagraphDefaults() { defaults_.TakeParagraph(P()); }
  // D2 := C: after a character style is applied.
  void TakeCharacterDefaults() { defaults_.TakeCharacter(C()); }

  // <&+>: saves P, C and the definition mode. False (error 26 for the tag) when the stack is at its bound.
  [[nodiscard]] bool PushAttributes();
  // <&-> and the end of a text box: P and C get the newest saved copies back, D1 := P, D2 is cleared; the
  // definition mode is given back only with `restoreMode`. False (error 25) when nothing is saved.
  [[nodiscard]] bool PopAttributes(bool restoreMode);
  const AttributeStack& GetAttributeStack() const { return attributeStack_; }

  // <@name>, <@$>, <@>, <@$P> and <@name:text>, read after the "@": applies a character style to C (also
  // inside a style definition), or asks the agent to create a missing one. The tag ends its tag group.
  void ReadCharacterStyleTag();

  // A special character inserted with "\!" carries no-break for that character only: sets no-break on C
  // and removes it again when the next token is read, after the character has reached the agent.
  void SetTemporaryNoBreak();

 private:
  void ResetState(bool full);
  // Hands the current token to the agent. Answers the agent's result for operations that may end the scan;
  // sets `ended` for the end token.
  int32_t ReactToToken(bool& ended);
  // Hands the text buffer to the agent at once and empties it.
  int32_t HandOverText();
  int32_t HandOverCharacter(int32_t c);
  int32_t HandOverReturns(int32_t count, int32_t breakKind);
  void ReadNextToken();
  // The text loop: returns with a token, or with the lexer mode changed.
  void ReadText();
  // Leaves the text loop for a tag or a style line; answers whether text before it became a token.
  bool LeaveText(LexMode mode);
  int32_t TakeRepeats(int32_t c);
  // Decides whether the buffered text becomes a token; answers whether a token was produced.
  bool Flush();
  // The style-line reader; answers false when the "@" turns out to be ordinary text.
  bool ReadStyleLine();
  // "@name:" and its "$" and empty forms; false when the line is to be read as text after all.
  bool ApplyStyleLine(std::u16string name, bool atParagraphStart);
  // P gets `style`, C the character style that goes with it; both lose their overrides.
  void ApplyParagraphStyle(UID style);
  // False when no paragraph style has the name; an ambiguous name applies the first (error 51).
  bool ApplyParagraphStyleNamed(std::u16string_view name);
  bool ApplyCharacterStyleNamed(std::u16string_view name);
  void ApplyPairedCharacterStyle();
  // After the agent was asked to create a missing style: the style of the saved name is applied (the
  // root style when the agent created none).
  void FinishMissingStyle();
  // "@name=" and what follows up to the tags of the line.
  void ReadDefinition(std::u16string name);
  void ReadParagraphDefinitionPrefix(const std::u16string& name);
  // The next character other than a blank, left to be read.
  int32_t PeekDefinitionChar();
  // One quoted element of "[S…]" into `text`; false, with error 20, when it is no quoted string.
  bool ReadDefinitionElement(std::u16string& text);
  void StartParagraphDefinition(const std::u16string& name);
  void StartCharacterDefinition(const std::u16string& name, UID basedOn);
  // "]" must come next; otherwise error 20 and the character is read again.
  void ExpectDefinitionEnd();
  // A style definition on the last line of the input, which has no return to end it, is complete all the
  // same: answers whether that gave a token.
  bool CompleteDefinitionAtEnd();
  // Quote and dash conversion: answers the character to push for `c` ("--" becomes one em dash).
  int32_t ConvertTypography(int32_t c);

  ScannerInput input_;
  PlainBlocks plainBlocks_{true, false};
  uint32_t plainBlocksOptions_ = ~0u;  // the options plainBlocks_ was made for
  double version_ = kDefaultVersion;
  ScanToken token_ = ScanToken::kBegin;
  int32_t numericCodePlatform_ = kWindowsPlatform;
  LexMode lexMode_ = LexMode::kText;
  DefMode defMode_ = DefMode::kNormal;
  TagName tagName_;
  int32_t paramIndex_ = 0;
  TagParameterReader params_{*this};
  MacroExpansion macroExpansion_;

  int32_t breakKind_ = 0;
  int32_t breakRepeats_ = 0;   // further breaks of the same character straight after the token's
  int32_t returnRepeats_ = 0;  // empty paragraphs straight after a text token's return
  int32_t markerCode_ = 0;
  std::u16string markerText_;
  std::u16string hostText_;
  std::vector<int32_t> groupList_;
  std::unique_ptr<BoxTagState> boxTag_;
  int32_t masterIndex_ = 0;
  bool masterP_ = false;
  bool masterF_ = false;
  VyLinkDestination linkDestination_;
  bool hiddenTextOpen_ = false;
  VyHiddenTextSettings hiddenTextSettings_;
  int32_t anchorId_ = -1;
  bool hyperlinkOpen_ = false;

  VyParagraphStyleInfo paragraphStyleInfo_;
  VyCharacterStyleInfo characterStyleInfo_;
  // The paragraph style a style line named last: paragraph after paragraph names the same one, and the
  // answer holds while no style changes.
  struct NamedStyle {
    std::u16string name;
    IDataBase* document = nullptr;
    uint64_t styleChanges = 0;
    StyleLookup found;
  };
  NamedStyle lastNamedStyle_;
  DefaultSnapshots defaults_;
  AttributeStack attributeStack_;
  bool temporaryNoBreak_ = false;
};

// Asked by every character tag: kept inline.
inline K2AttributeSetMgr& KestoScanner::CharacterTarget() {
  switch (defMode_) {
    case DefMode::kParagraphStyle:
      return paragraphStyleInfo_;
    case DefMode::kCharacterStyle:
      return characterStyleInfo_;
    default:
      return C();
  }
}

inline K2AttributeSetMgr* KestoScanner::ParagraphTarget() {
  switch (defMode_) {
    case DefMode::kParagraphStyle:
      return &paragraphStyleInfo_;
    case DefMode::kCharacterStyle:
      return nullptr;
    default:
      return &P();
  }
}

inline const K2AttributeSetMgr* KestoScanner::TypeStyleBase() {
  K2AttributeSetMgr* paragraph = ParagraphTarget();
  return paragraph == &CharacterTarget() ? nullptr : paragraph;
}

}  // namespace kesto
