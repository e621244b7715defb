// K2FontResolver: the font and type style an attribute manager's text shows, resolved from the manager's
// overrides, its style and what a base manager gives, with the caches that keep this cheap tag after tag.
#pragma once

#include <array>
#include <optional>

#include "host/core/InterfacePtr.h"
#include "host/text/AttributeClasses.h"
#include "host/text/ITextAttribute.h"
#include "kesto/model/FaceNames.h"
#include "kesto/model/TypeStyle.h"
#include "kesto/model/VyFontDesc.h"

namespace kesto {

class K2AttributeSetMgr;

// The face to write for some bold and italic bits of a font, remembered for the few fonts used last.
struct DerivedFontFace {
  VyFontDesc raw;
  // The last attribute seen to hold raw.face: a toggle back and forth hands the face in the attribute the
  // toggle before wrote, and finds it without comparing names.
  InterfacePtr<ITextAttribute> rawAttribute;
  int32_t bits = -1;
  FaceName face;
  // face.name is raw.face: a manager that holds raw.face itself has nothing to write.
  bool keepsRawFace = false;
  // The face as a frozen font-style attribute, shared by every list it goes into: a toggle puts it
  // without making or looking up an attribute. attributeFace is its value.
  InterfacePtr<ITextAttribute> attribute;
  const WideString* attributeFace = nullptr;
};

class K2FontResolver {
 public:
  // Resolves for `owner`, whose document, style and overrides it reads; `owner` outlives it.
  explicit K2FontResolver(const K2AttributeSetMgr& owner) : owner_(owner) {}
  K2FontResolver(const K2FontResolver&) = delete;
  K2FontResolver& operator=(const K2FontResolver&) = delete;

  // The family and face without copying the face: it points into an attribute this resolver's or the
  // base's caches hold and stays valid until either changes.
  struct FontRef {
    UID family;
    const WideString* face;
    // The font-style attribute whose value `face` is; null when no attribute gives the face.
    ITextAttribute* faceAttribute;
  };

  // Family and face as the text shows them, with or without the owner's overrides; what the owner lacks
  // comes from `base` (may be null).
  VyFontDesc RawFont(bool withOverrides, const K2FontResolver* base) const;
  FontRef RawFontRef(const K2FontResolver* base) const;
  // The type style with the overrides, and what the style alone gives (see K2AttributeSetMgr).
  TypeStyle GetTypeStyle(const K2FontResolver* base) const;
  TypeStyle GetStyleTypeStyle(const K2FontResolver* base) const;
  // The face for `bits` of the font `raw`; the reference stays valid until the next derivation.
  const DerivedFontFace& DerivedFace(FontRef raw, int32_t bits);

  // ---- Keeping the caches right as the owner changes.
  // The owner's overrides or style changed in ways not told one by one.
  void Forget();
  // The owner moved to another document: nothing derived from the old one holds.
  void ForgetDocument();
  // The owner wrote or cleared an attribute of `cls`.
  void NoteChange(ClassID cls);
  // The owner now holds `family` with the face `faceAttribute` gives; its type style is derived afresh.
  void RememberOwnFont(UID family, InterfacePtr<ITextAttribute> faceAttribute);
  // Whether the owner's own font, as RawFontRef has just cached it, includes a face.
  bool HoldsFace() const { return cachedFont_ && cachedFont_->face; }
  // The owner wrote `derived`'s face over its own font (as RawFontRef cached it).
  void NoteFaceWritten(const DerivedFontFace& derived);
  void RememberTypeStyle(TypeStyle flags) { cachedTypeStyle_ = flags | kTypeStyleValid; }

 private:
  // The family and face the owner holds itself (overrides or style); nullopt where they come from the base.
  struct OwnFont {
    std::optional<UID> family;
    // The font-style attribute that gives the face (frozen, so it stands for its value), and that value;
    // both null where the face comes from the base.
    InterfacePtr<ITextAttribute> faceAttribute;
    const WideString* face = nullptr;
    // Takes the face `attribute` holds; none when it is null or holds no string.
    void SetFace(InterfacePtr<ITextAttribute> attribute);
  };
  OwnFont LookUpFont(bool withOverrides) const;
  // The family and face the style alone gives, while the styles stay as they were.
  const OwnFont& StyleFont() const;
  // The family and face the owner holds with its overrides, remembered until they change.
  const OwnFont& CachedOwnFont() const { return cachedFont_ ? *cachedFont_ : LookUpOwnFont(); }
  const OwnFont& LookUpOwnFont() const;
  TypeStyle ComputeTypeStyle(const K2FontResolver* base, bool withOverrides) const;
  const DerivedFontFace& DeriveNewFace(FontRef raw, int32_t bits);

  const K2AttributeSetMgr& owner_;
  mutable std::optional<OwnFont> cachedFont_;
  struct StyleFontOf {
    UID style;
    uint64_t styleChanges;
    OwnFont font;
  };
  mutable std::optional<StyleFontOf> cachedStyleFont_;
  mutable TypeStyle cachedTypeStyle_ = 0;  // kTypeStyleValid marks it valid
  // The type style the style alone gives, for what the base gives (its flags and font) and the styles as
  // they were: toggling bold or italic asks for it every time, and so does every paragraph that starts
  // again from its style. Kept across new overrides and styles, as its key says what it depends on.
  struct StyleTypeStyle {
    UID style;
    bool hasBase;
    TypeStyle baseFlags;
    VyFontDesc baseFont;
    uint64_t styleChanges;
    TypeStyle flags;
  };
  mutable std::optional<StyleTypeStyle> cachedStyleTypeStyle_;
  std::array<DerivedFontFace, 4> derivedFaces_;  // emptied with a new document
  size_t nextDerivedFace_ = 0;
};

}  // namespace kesto
