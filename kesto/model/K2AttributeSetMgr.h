// K2AttributeSetMgr: the typed view of a style and its overrides (an attribute agent) through which tags set
// attributes and the writer reads them back, in the tag language's units and conventions, with the font and
// type-style operations (resolved by K2FontResolver) and the style operations.
#pragma once

#include <memory>
#include <optional>

#include "host/core/InterfacePtr.h"
#include "host/db/IDataBase.h"
#include "host/text/AttributeBossList.h"
#include "host/text/AttributeClasses.h"
#include "host/text/IStyleInfo.h"
#include "kesto/model/AttributeConversions.h"
#include "kesto/model/IK2AttributeAgent.h"
#include "kesto/model/K2FontResolver.h"
#include "kesto/model/OpenTypeFeatures.h"
#include "kesto/model/TypeStyle.h"
#include "kesto/model/VyBaseAttributeMgr.h"
#include "kesto/model/VyColorDesc.h"
#include "kesto/model/VyFontDesc.h"
#include "kesto/model/VyStrokeTypeDesc.h"

namespace kesto {

// Font and style names are handed out in buffers of this many units, the terminator included.
inline constexpr size_t kNameBufferUnits = 256;

// Leading and language taken out of a manager's overrides while the rest is committed to text, so that they
// can be written over whole paragraphs (see K2AttributeSetMgr::TakeParagraphScope).
struct ParagraphScopeSnapshot {
  InterfacePtr<ITextAttribute> leading;
  InterfacePtr<ITextAttribute> language;
  bool IsEmpty() const { return !leading && !language; }
};

class K2AttributeSetMgr : public VyBaseAttributeMgr {
 public:
  // A manager of `kind` attributes over an empty attribute set of its own. `document` (not owned, may be
  // null) gives the styles, fonts, swatches and languages names are resolved against.
  explicit K2AttributeSetMgr(IDataBase* document = nullptr, StyleKind kind = StyleKind::kCharacter);
  ~K2AttributeSetMgr() override;
  K2AttributeSetMgr(const K2AttributeSetMgr&) = delete;
  K2AttributeSetMgr& operator=(const K2AttributeSetMgr&) = delete;

  IDataBase* GetDocument() const { return document_; }
  void SetDocument(IDataBase* document);
  StyleKind GetStyleKind() const { return kind_; }
  IK2AttributeAgent* GetAgent() const { return agent_; }
  bool OwnsAgent() const { return owned_ != nullptr; }
  // Binds the manager to `agent`, which the caller keeps alive while bound; an agent the manager owned is
  // deleted. A null agent gives the manager a new empty set of its own. Caches are cleared.
  void Bind(IK2AttributeAgent* agent);

  // ---- Typed access. Setters put one attribute of `cls` into the overrides (replacing one of that class)
  // and clear the last error; on failure they change nothing, answer false and set the last error
  // (kAttrCannotCreate for an unknown class or a value of the wrong kind, kAttrOutOfRange, kAttrEmptyValue).
  // Getters look in the overrides, then in the style (and the styles it is based on); false when neither
  // has the attribute or it holds another kind.
  bool SetUID(ClassID cls, UID value);
  bool GetUID(ClassID cls, UID& value) const;
  bool SetBool(ClassID cls, bool value);
  bool GetBool(ClassID cls, bool& value) const;
  // -32768..32767 and the class's declared range.
  bool SetInt16(ClassID cls, int32_t value);
  bool GetInt16(ClassID cls, int16_t& value) const;
  bool SetInt32Ranged(ClassID cls, int32_t value);
  bool GetInt32(ClassID cls, int32_t& value) const;
  // The declared range widened by 1e-8 on both sides.
  bool SetReal(ClassID cls, double value);
  // As SetReal, but the host's sentinel 1e8 (kerning by method) is written without the range check.
  bool SetRealOrSentinel(ClassID cls, double value);
  bool GetReal(ClassID cls, double& value) const;
  bool SetEnum(ClassID cls, int32_t value);
  bool GetEnum(ClassID cls, int32_t& value) const;
  bool SetClassID(ClassID cls, ClassID value);
  bool GetClassID(ClassID cls, ClassID& value) const;
  // An empty string is rejected (kAttrEmptyValue).
  bool SetString(ClassID cls, const WideString& value);
  bool GetString(ClassID cls, WideString& value) const;
  // A null object is rejected (kAttrEmptyValue).
  bool SetObject(ClassID cls, ObjectRef value);
  bool GetObject(ClassID cls, ObjectRef& value) const;
  // Puts a copy of `attribute` into the overrides as it is (no range check).
  bool SetAttribute(const ITextAttribute* attribute);
  // The attribute of `cls` in force: the override, else the style's; `own` (may be null) tells whether it
  // is an override. Empty when neither has one.
  InterfacePtr<ITextAttribute> FindAttribute(ClassID cls, bool* own = nullptr) const;

  // ---- Tag-side values.
  bool SetLeading(double value, bool relative);
  bool GetLeading(Leading& leading) const;
  bool SetTracking(double tagValue);
  bool GetTracking(double& tagValue) const;
  // -10000 leaves kerning to the kerning method in force; any other value removes the kerning method.
  bool SetKerning(double tagValue);
  bool GetKerning(double& tagValue) const;
  // Kerning by the method whose translated name is `name` (compared without regard to case);
  // kAttrNoSuchKerningMethod, with nothing changed, when no method has that name.
  bool SetKerningMethod(const WideString& name);
  bool GetKerningMethodName(WideString& name) const;
  // Writes the scale of the chosen axis and sets the other axis to 1.
  bool SetScale(bool vertical, double value);
  // The axis that is scaled: horizontal, unless only the vertical scale differs from 1 (or only it is set).
  bool GetScale(bool& vertical, double& value) const;
  bool SetShade(double fraction);
  bool GetShade(double& fraction) const;
  bool SetFigureStyle(int32_t tagValue);
  bool GetFigureStyle(int32_t& tagValue) const;
  bool SetPositionalForm(int32_t tagValue);
  bool GetPositionalForm(int32_t& tagValue) const;
  bool SetPosition(int32_t tagValue);
  // The document's language of that legacy number; kAttrNoSuchName when there is none.
  bool SetLanguage(int32_t number);
  // False when no language is in force or it has no legacy number.
  bool GetLanguage(int32_t& number) const;
  // Resolves `spec` (in this manager's document unless it names one) and writes the swatch to `cls`;
  // kAttrNoSuchColor when it resolves to nothing.
  bool SetColor(VyColorDesc& spec, ClassID cls = kTextAttrFillColor);
  bool GetColor(VyColorDesc& spec, ClassID cls = kTextAttrFillColor) const;
  // kAttrNoSuchStrokeType when `spec` resolves to nothing.
  bool SetStrokeType(ClassID cls, VyStrokeTypeDesc& spec);
  bool GetStrokeType(ClassID cls, VyStrokeTypeDesc& spec) const;

  // ---- Fonts. kAttrEmptyValue for an empty name, kAttrNoSuchName for one the document lacks.
  bool SetFontFamily(const WideString& name);
  bool SetFontStyle(const WideString& name);
  // Sets the family and re-derives the face from `style` so that it keeps the bold and italic the text has
  // (the tag language's type style is independent of the font); no family or an empty style removes both
  // font overrides. kAttrMissingFace when the family has no face for that combination: the composed name
  // is written all the same, so that the text shows a missing face rather than a wrong one.
  bool SetFont(UID family, const WideString& style, const K2AttributeSetMgr* base = nullptr);
  bool SetFontByName(const WideString& fullName, const K2AttributeSetMgr* base = nullptr);
  // This manager's font (its own, else its style's), else the base's; the face in the family's own
  // spelling. False, with (kInvalidUID, ""), when neither has a family.
  bool GetFont(VyFontDesc& font, const K2AttributeSetMgr* base = nullptr) const;
  // Names cut to kNameBufferUnits - 1 units; false when there is no font.
  bool GetFontFamilyName(WideString& name, const K2AttributeSetMgr* base = nullptr) const;
  bool GetFontStyleName(WideString& name, const K2AttributeSetMgr* base = nullptr) const;

  // ---- Type style (TypeStyle.h). `base` is what the text inherits when this manager says nothing (the
  // paragraph for a run); null means none.
  TypeStyle GetTypeStyle(const K2AttributeSetMgr* base = nullptr) const;
  // What the style alone gives, without this manager's overrides.
  TypeStyle GetStyleTypeStyle(const K2AttributeSetMgr* base = nullptr) const;
  // Changes the attributes behind the bits that differ between `newFlags` and `oldFlags` (all bits when
  // there is no base): the face for bold and italic; underline, strike-through, capitalization and position
  // are written where they differ from the style and cleared where the style already gives them.
  // kAttrCannotCreate when outline or shadow is asked for (the host has neither); kAttrMissingFace as
  // SetFont.
  bool SetTypeStyle(TypeStyle newFlags, TypeStyle oldFlags, const K2AttributeSetMgr* base = nullptr);
  bool ToggleTypeStyle(int32_t bit, const K2AttributeSetMgr* base = nullptr);
  bool SetTypeStyleBit(int32_t bit, const K2AttributeSetMgr* base = nullptr);
  bool ReplaceTypeStyle(TypeStyle flags, const K2AttributeSetMgr* base = nullptr);

  // ---- OpenType features.
  // Fills `list` with the features in force; true when there is any.
  bool GetFeatures(FeatureList& list) const;
  // Writes every entry; false when any could not be written (the others are written).
  bool ApplyFeatures(const FeatureList& list);

  // ---- Styles and state.
  // A zero UID is rejected (kAttrEmptyValue).
  bool SetStyle(UID style);
  UID GetStyle() const { return agent_->GetStyle(); }
  // The style of that name in the document's table; kAttrNoSuchName when there is none. An ambiguous name
  // applies the first style it matches.
  bool SetCharacterStyleByName(std::u16string_view name);
  bool SetParagraphStyleByName(std::u16string_view name);
  // The paragraph style named "Normal", else the one named "NormalParagraphStyle"; 0 when neither exists.
  UID DefaultParagraphStyle() const;
  // The character style "Normal" when the document has a paragraph and a character style of that name,
  // else the root character style.
  UID DefaultCharacterStyle() const;
  // For a paragraph side: the character style that goes with the paragraph style in force: the one the
  // style names, else "Normal" for the paragraph style "Normal" when the document has it, else the root
  // character style.
  UID PairedCharacterStyle() const;
  UID RootStyle() const;
  // Answers whether there was an override of `cls`.
  bool ClearOverride(ClassID cls);
  bool HasOverride(ClassID cls) const;
  bool Equals(const AttributeBossList& overrides) const;
  // Last error 0, no overrides, caches cleared; the style stays.
  void Reset();
  void LoadFrom(UID style, const AttributeBossList& overrides);
  void CopyFrom(const IK2AttributeAgent& agent);
  void CopyFrom(const K2AttributeSetMgr& other);
  // The attributes `style` gives beyond its table's root: its own and those of the styles it is based on,
  // the nearer style winning.
  AttributeBossList StyleAttributesAboveRoot(UID style) const;
  // Replaces the style by the root style of its table plus overrides that keep the look. On a paragraph
  // manager the character-level attributes of the style go to `handedToCharacters` when given; a character
  // manager lays its style over `handedFromParagraph` (may be null).
  void DissolveStyle(AttributeBossList* handedToCharacters, const AttributeBossList* handedFromParagraph);

  // ---- Leading and language over whole paragraphs.
  // Takes the leading and the language out of the overrides.
  ParagraphScopeSnapshot TakeParagraphScope();
  // The leading and the language the overrides hold, left in place.
  ParagraphScopeSnapshot PeekParagraphScope() const;
  // Puts them back.
  void RestoreParagraphScope(const ParagraphScopeSnapshot& snapshot);
  // The leading to write over a run of `pointSize` for the snapshot's leading: point size + r when
  // relative, the absolute value otherwise; nullopt when the snapshot has no leading.
  static std::optional<double> ParagraphLeadingFor(const ParagraphScopeSnapshot& snapshot, double pointSize);

  // Forgets what the manager derived from its agent's values; for a caller that changed them behind it
  // (an agent loaded from the story).
  void ClearCaches();

 private:
  // The override list, or nullptr when the agent keeps none.
  const AttributeBossList* Overrides() const { return agent_->GetOverrides(); }
  InterfacePtr<ITextAttribute> Lookup(ClassID cls, bool withOverrides, bool* own = nullptr) const;
  bool Put(ClassID cls, const AttributeValue& value, bool checkRange);
  // Puts an attribute without touching the caches (for operations that keep the caches right themselves).
  bool PutQuietly(ClassID cls, const AttributeValue& value);
  template <class T>
  std::optional<T> LookupValue(ClassID cls, bool withOverrides) const;
  template <class T>
  bool GetValue(ClassID cls, T& value) const;
  // The resolver of `base`'s fonts; null for no base.
  static const K2FontResolver* FontsOf(const K2AttributeSetMgr* base) {
    return base ? &base->fonts_ : nullptr;
  }
  UID PairedCharacterStyleOf(UID paragraph) const;
  // Writes the face for `bits` of the font in force; false (kAttrMissingFace) when the family lacks it.
  bool DeriveFace(int32_t bits, const K2AttributeSetMgr* base);
  void WriteTypeStyleGroup(TypeStyle group, TypeStyle flags, TypeStyle differ);

  IDataBase* document_;
  StyleKind kind_;
  std::unique_ptr<IK2AttributeAgent> owned_;
  IK2AttributeAgent* agent_;
  struct PairedStyle {
    UID paragraph;
    uint64_t styleChanges = 0;
    UID character;
  };
  mutable PairedStyle cachedPairedStyle_;
  // Resolves the fonts and type style of this manager's attributes; reads them through Lookup.
  friend class K2FontResolver;
  K2FontResolver fonts_{*this};
};

}  // namespace kesto
