// VyTextAttributeMgr: the pair of attribute managers for text, paragraph side first and character side
// second, through which the reader sets and the writer reads attributes; operations on the pair act on both
// sides.
#pragma once

#include "kesto/model/VyCharacterAttributeMgr.h"
#include "kesto/model/VyParagraphAttributeMgr.h"

namespace kesto {

class VyTextAttributeMgr : public VyParagraphAttributeMgr, public VyCharacterAttributeMgr {
 public:
  explicit VyTextAttributeMgr(IDataBase* document = nullptr)
      : VyParagraphAttributeMgr(document), VyCharacterAttributeMgr(document) {}

  VyParagraphAttributeMgr& Paragraph() { return *this; }
  const VyParagraphAttributeMgr& Paragraph() const { return *this; }
  VyCharacterAttributeMgr& Character() { return *this; }
  const VyCharacterAttributeMgr& Character() const { return *this; }

  void SetDocument(IDataBase* document);
  IDataBase* GetDocument() const { return Paragraph().GetDocument(); }
  // Both sides: last error 0, no overrides, caches cleared.
  void Reset();
  // Both sides take the other pair's styles and overrides.
  void CopyFrom(const VyTextAttributeMgr& other);

  // The operations below also exist for two separate managers (the paragraph side first), so that a pair
  // of snapshots or of style definitions can use them.
  bool SetParagraphStyleByNameForPair(std::u16string_view name) {
    return SetParagraphStyleByNameForPair(*this, *this, name);
  }
  bool ApplyNormalStyles() { return ApplyNormalStyles(*this, *this); }
  void DissolveStyles() { DissolveStyles(*this, *this); }
  char16_t QuoteCharacter(bool doubleQuote, bool closing) const {
    return QuoteCharacter(Paragraph(), Character(), doubleQuote, closing);
  }

  // Sets the paragraph style of that name and the character side to the character style that goes with it
  // (dissolving the character side's style when there is none); both sides lose their overrides. False,
  // with nothing changed, when the document has no such paragraph style.
  static bool SetParagraphStyleByNameForPair(VyParagraphAttributeMgr& paragraph,
                                             VyCharacterAttributeMgr& character, std::u16string_view name);
  // The default paragraph and character styles, without overrides; the character side is dissolved when
  // its default cannot be set. False when the document has no default paragraph style.
  static bool ApplyNormalStyles(VyParagraphAttributeMgr& paragraph, VyCharacterAttributeMgr& character);
  // Both sides keep their look on the root styles: the paragraph style's attributes become overrides (its
  // character attributes on the character side), then the character style's.
  static void DissolveStyles(VyParagraphAttributeMgr& paragraph, VyCharacterAttributeMgr& character);
  // The typographer's quotation mark of the language in force (character side first, then paragraph
  // side); the English marks when neither has a language.
  static char16_t QuoteCharacter(const K2AttributeSetMgr& paragraph, const K2AttributeSetMgr& character,
                                 bool doubleQuote, bool closing);
};

}  // namespace kesto
