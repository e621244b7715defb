// Font and type-style resolution for an attribute manager, and the caches behind it.
#include "kesto/model/K2FontResolver.h"

#include "host/text/IStyleInfo.h"
#include "host/text/TextAttribute.h"
#include "kesto/model/K2AttributeSetMgr.h"

namespace kesto {

namespace {

const WideString kNoFace;

bool IsTypeStyleClass(ClassID cls) {
  return cls == kTextAttrUnderline || cls == kTextAttrStrikeThrough || cls == kTextAttrCapitalization ||
         cls == kTextAttrPosition;
}

template <class T>
std::optional<T> ValueOf(const InterfacePtr<ITextAttribute>& attribute) {
  const T* found = GetValueAs<T>(attribute.get());
  return found ? std::optional<T>(*found) : std::nullopt;
}

}  // namespace

void K2FontResolver::Forget() {
  cachedFont_.reset();
  cachedTypeStyle_ = 0;
}

void K2FontResolver::ForgetDocument() {
  derivedFaces_ = {};
  cachedStyleTypeStyle_.reset();
  cachedStyleFont_.reset();
  Forget();
}

void K2FontResolver::NoteChange(ClassID cls) {
  if (cls == kTextAttrFontFamily || cls == kTextAttrFontStyle) {
    Forget();
  } else if (IsTypeStyleClass(cls)) {
    // Also for writes through the typed setters: a toggle that follows must see them.
    cachedTypeStyle_ = 0;
  }
}

void K2FontResolver::RememberOwnFont(UID family, InterfacePtr<ITextAttribute> faceAttribute) {
  OwnFont& own = cachedFont_.emplace(OwnFont{});
  own.family = family;
  own.SetFace(std::move(faceAttribute));
  // The face now written decides the bold and italic bits; derive them afresh.
  cachedTypeStyle_ = 0;
}

void K2FontResolver::NoteFaceWritten(const DerivedFontFace& derived) {
  // The family is as it was; the face is now the owner's own (looked up again when it could not be made).
  if (derived.attribute && cachedFont_) {
    cachedFont_->faceAttribute = derived.attribute;
    cachedFont_->face = derived.attributeFace;
  } else {
    cachedFont_.reset();
  }
}

// ---- Fonts.

// Family and face are resolved one by one, as the text shows them: a run that names only a face shows it in
// the paragraph's family. What the owner itself holds is kept; what comes from the base is asked of the
// base each time, since this resolver does not hear of the base's changes.
VyFontDesc K2FontResolver::RawFont(bool withOverrides, const K2FontResolver* base) const {
  if (withOverrides) {
    FontRef font = RawFontRef(base);
    return {font.family, *font.face};
  }
  const OwnFont& own = StyleFont();
  if (own.family && own.face) return {*own.family, *own.face};
  VyFontDesc inherited = base ? base->RawFont(true, nullptr) : VyFontDesc{};
  return {own.family ? *own.family : inherited.family, own.face ? *own.face : std::move(inherited.face)};
}

void K2FontResolver::OwnFont::SetFace(InterfacePtr<ITextAttribute> attribute) {
  face = GetValueAs<WideString>(attribute.get());
  faceAttribute = face ? std::move(attribute) : InterfacePtr<ITextAttribute>();
}

K2FontResolver::OwnFont K2FontResolver::LookUpFont(bool withOverrides) const {
  OwnFont font;
  font.family = ValueOf<UID>(owner_.Lookup(kTextAttrFontFamily, withOverrides));
  font.SetFace(owner_.Lookup(kTextAttrFontStyle, withOverrides));
  if (font.family && !font.family->IsValid()) font.family.reset();
  return font;
}

const K2FontResolver::OwnFont& K2FontResolver::LookUpOwnFont() const {
  const AttributeBossList* overrides = owner_.Overrides();
  if (!overrides || overrides->IsEmpty()) return cachedFont_.emplace(StyleFont());
  return cachedFont_.emplace(LookUpFont(true));
}

K2FontResolver::FontRef K2FontResolver::RawFontRef(const K2FontResolver* base) const {
  const OwnFont& own = CachedOwnFont();
  if (own.family && own.face) return {*own.family, own.face, own.faceAttribute.get()};
  FontRef font = base ? base->RawFontRef(nullptr) : FontRef{UID(), &kNoFace, nullptr};
  if (own.family) font.family = *own.family;
  if (own.face) {
    font.face = own.face;
    font.faceAttribute = own.faceAttribute.get();
  }
  return font;
}

const K2FontResolver::OwnFont& K2FontResolver::StyleFont() const {
  UID style = owner_.GetStyle();
  uint64_t styleChanges = StyleChangeCount();
  if (!cachedStyleFont_ || cachedStyleFont_->style != style ||
      cachedStyleFont_->styleChanges != styleChanges) {
    cachedStyleFont_ = StyleFontOf{style, styleChanges, LookUpFont(false)};
  }
  return cachedStyleFont_->font;
}

// ---- Type style.

TypeStyle K2FontResolver::ComputeTypeStyle(const K2FontResolver* base, bool withOverrides) const {
  TypeStyle flags = base ? base->GetTypeStyle(nullptr) : kPlain;
  VyFontDesc font = RawFont(withOverrides, base);
  if (font.family.IsValid() && !font.face.empty()) {
    WideString face = NormaliseFaceName(owner_.GetDocument(), font.family, font.face);
    flags = (flags & ~kFaceBits) | (static_cast<TypeStyle>(AnalyseFaceName(face).bits) & kFaceBits);
  }
  if (auto underline = ValueOf<bool>(owner_.Lookup(kTextAttrUnderline, withOverrides)))
    flags = WithUnderline(flags, *underline ? 1 : 0);
  if (auto strike = ValueOf<bool>(owner_.Lookup(kTextAttrStrikeThrough, withOverrides)))
    flags = WithStrikeThrough(flags, *strike);
  if (auto position = ValueOf<int32_t>(owner_.Lookup(kTextAttrPosition, withOverrides)))
    flags = WithPosition(flags, *position);
  if (auto caps = ValueOf<int32_t>(owner_.Lookup(kTextAttrCapitalization, withOverrides)))
    flags = WithCapitalization(flags, *caps);
  return flags & ~kTypeStyleValid;
}

TypeStyle K2FontResolver::GetTypeStyle(const K2FontResolver* base) const {
  if (cachedTypeStyle_ & kTypeStyleValid) return cachedTypeStyle_ & ~kTypeStyleValid;
  // Without overrides the style alone gives it (remembered from paragraph to paragraph).
  const AttributeBossList* overrides = owner_.Overrides();
  TypeStyle flags =
      !overrides || overrides->IsEmpty() ? GetStyleTypeStyle(base) : ComputeTypeStyle(base, true);
  cachedTypeStyle_ = flags | kTypeStyleValid;
  return flags;
}

TypeStyle K2FontResolver::GetStyleTypeStyle(const K2FontResolver* base) const {
  UID style = owner_.GetStyle();
  TypeStyle baseFlags = base ? base->GetTypeStyle(nullptr) : kPlain;
  FontRef baseFont = base ? base->RawFontRef(nullptr) : FontRef{UID(), &kNoFace, nullptr};
  uint64_t styleChanges = StyleChangeCount();
  const auto& cached = cachedStyleTypeStyle_;
  if (cached && cached->style == style && cached->hasBase == (base != nullptr) &&
      cached->baseFlags == baseFlags && cached->baseFont.family == baseFont.family &&
      cached->baseFont.face == *baseFont.face && cached->styleChanges == styleChanges) {
    return cached->flags;
  }
  TypeStyle flags = ComputeTypeStyle(base, false);
  cachedStyleTypeStyle_ = StyleTypeStyle{
      style, base != nullptr, baseFlags, {baseFont.family, *baseFont.face}, styleChanges, flags};
  return flags;
}

// ---- Derived faces.

const DerivedFontFace& K2FontResolver::DerivedFace(FontRef raw, int32_t bits) {
  // A frozen attribute kept alive by the slot is the very face the slot was asked for.
  for (const DerivedFontFace& remembered : derivedFaces_) {
    if (raw.faceAttribute && remembered.rawAttribute.get() == raw.faceAttribute && remembered.bits == bits &&
        remembered.raw.family == raw.family)
      return remembered;
  }
  return DeriveNewFace(raw, bits);
}

// The face found by name among those remembered, else derived now; either way remembered under the
// attribute that holds the name.
const DerivedFontFace& K2FontResolver::DeriveNewFace(FontRef raw, int32_t bits) {
  InterfacePtr<ITextAttribute> key;
  if (raw.faceAttribute && raw.faceAttribute->IsFrozen())
    key = InterfacePtr<ITextAttribute>::Share(raw.faceAttribute);
  for (DerivedFontFace& remembered : derivedFaces_) {
    if (remembered.bits == bits && remembered.raw.family == raw.family && remembered.raw.face == *raw.face) {
      if (key) remembered.rawAttribute = std::move(key);
      return remembered;
    }
  }
  IDataBase* document = owner_.GetDocument();
  VyFontDesc font;
  if (raw.family.IsValid()) font = {raw.family, NormaliseFaceName(document, raw.family, *raw.face)};
  FaceName face = FaceNameFor(document, font, bits, nullptr);
  // Asking for no bits keeps the face the font names; taking bold or italic off a face that carries them
  // needs the family's plain face instead.
  if (bits == 0 && AnalyseFaceName(font.face).bits != 0) {
    if (std::optional<VyFontDesc> plain = FindFace(document, font, 0, nullptr)) face = {plain->face, true};
  }
  InterfacePtr<ITextAttribute> attribute;
  const WideString* attributeFace = nullptr;
  if (!face.name.empty()) {
    attribute = CreateTextAttribute(kTextAttrFontStyle, face.name);
    if (attribute) attribute->Freeze();
    attributeFace = GetValueAs<WideString>(attribute.get());
    if (!attributeFace) attribute.reset();
  }
  bool keepsRawFace = face.name == *raw.face;
  DerivedFontFace& slot = derivedFaces_[nextDerivedFace_++ % derivedFaces_.size()];
  slot = {{raw.family, *raw.face}, std::move(key), bits, std::move(face), keepsRawFace,
          std::move(attribute),    attributeFace};
  return slot;
}

}  // namespace kesto
