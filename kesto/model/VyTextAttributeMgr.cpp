// The pair of attribute managers for text.
#include "kesto/model/VyTextAttributeMgr.h"

#include "host/res/ILanguage.h"

namespace kesto {

void VyTextAttributeMgr::SetDocument(IDataBase* document) {
  Paragraph().SetDocument(document);
  Character().SetDocument(document);
}

void VyTextAttributeMgr::Reset() {
  Paragraph().Reset();
  Character().Reset();
}

void VyTextAttributeMgr::CopyFrom(const VyTextAttributeMgr& other) {
  Paragraph().CopyFrom(other.Paragraph());
  Character().CopyFrom(other.Character());
}

bool VyTextAttributeMgr::SetParagraphStyleByNameForPair(VyParagraphAttributeMgr& paragraph,
                                                        VyCharacterAttributeMgr& character,
                                                        std::u16string_view name) {
  if (!paragraph.SetParagraphStyleByName(name)) return false;
  paragraph.Reset();
  character.Reset();
  UID paired = paragraph.PairedCharacterStyle();
  if (!paired.IsValid() || !character.SetStyle(paired)) character.DissolveStyle(nullptr, nullptr);
  return true;
}

bool VyTextAttributeMgr::ApplyNormalStyles(VyParagraphAttributeMgr& paragraph,
                                           VyCharacterAttributeMgr& character) {
  paragraph.Reset();
  character.Reset();
  bool ok = paragraph.SetStyle(paragraph.DefaultParagraphStyle());
  if (!character.SetStyle(character.DefaultCharacterStyle())) character.DissolveStyle(nullptr, nullptr);
  return ok;
}

void VyTextAttributeMgr::DissolveStyles(VyParagraphAttributeMgr& paragraph,
                                        VyCharacterAttributeMgr& character) {
  AttributeBossList handed;
  paragraph.DissolveStyle(&handed, nullptr);
  character.DissolveStyle(nullptr, &handed);
}

char16_t VyTextAttributeMgr::QuoteCharacter(const K2AttributeSetMgr& paragraph,
                                            const K2AttributeSetMgr& character, bool doubleQuote,
                                            bool closing) {
  UID language;
  const K2AttributeSetMgr* side = &character;
  if (!character.GetUID(kTextAttrLanguage, language) || !language.IsValid()) {
    side = &paragraph;
    if (!paragraph.GetUID(kTextAttrLanguage, language)) language = kInvalidUID;
  }
  if (InterfacePtr<ILanguage> found = Instantiate<ILanguage>(side->GetDocument(), language))
    return found->GetQuote(doubleQuote, closing);
  return QuoteMarks().*(doubleQuote ? (closing ? &QuoteMarks::doubleClose : &QuoteMarks::doubleOpen)
                                    : (closing ? &QuoteMarks::singleClose : &QuoteMarks::singleOpen));
}

}  // namespace kesto
