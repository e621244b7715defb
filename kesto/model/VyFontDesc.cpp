// Font lookups and face matching.
#include "kesto/model/VyFontDesc.h"

#include "host/res/DocWorkspace.h"
#include "host/res/IDocFontList.h"
#include "host/res/IFontFamily.h"
#include "kesto/model/FaceNames.h"
#include "kesto/model/NameCompare.h"

namespace kesto {

namespace {

// A trailing "Book" or "MS" does not make a plain face differ from its siblings.
WideString WithoutToleratedWord(const WideString& remaining) {
  for (std::u16string_view word : {std::u16string_view(u"Book"), std::u16string_view(u"MS")}) {
    if (remaining == word) return {};
    WideString suffix = u" " + WideString(word);
    if (remaining.size() > suffix.size() && remaining.ends_with(suffix))
      return remaining.substr(0, remaining.size() - suffix.size());
  }
  return remaining;
}

bool SameRemainder(const WideString& candidate, const WideString& current) {
  return candidate == current || WithoutToleratedWord(candidate) == current;
}

std::optional<WideString> MatchFace(const IFontFamily& family, const WideString& face, int32_t wanted) {
  FaceAnalysis current = AnalyseFaceName(face);
  if (current.bits == wanted) return face;

  WideString variant = family.GetVariant(face, wanted);
  if (!variant.empty()) {
    FaceAnalysis v = AnalyseFaceName(variant);
    if (v.bits == wanted && (wanted != 0 || !v.remaining.empty())) return variant;
  }

  WideString regular = family.GetRegularFaceName();
  if (!regular.empty() && SameRemainder(AnalyseFaceName(regular).remaining, current.remaining)) {
    WideString canonical(CanonicalFaceName(wanted));
    if (family.HasFace(canonical)) return canonical;
    WideString regularVariant = family.GetVariant(regular, wanted);
    if (!regularVariant.empty()) return regularVariant;
  }

  std::optional<WideString> found;
  for (int32_t i = family.CountFaces() - 1; i >= 0; --i) {
    WideString candidate = family.GetNthFaceName(i);
    FaceAnalysis c = AnalyseFaceName(candidate);
    if (c.bits == wanted && SameRemainder(c.remaining, current.remaining)) found = candidate;
  }
  return found;
}

}  // namespace

const std::optional<WideString>* FaceCache::Find(UID family, int32_t bits, const WideString& face) const {
  auto it = entries_.find({family.Get(), bits, face});
  return it == entries_.end() ? nullptr : &it->second;
}

void FaceCache::Store(UID family, int32_t bits, const WideString& face, std::optional<WideString> answer) {
  if (entries_.size() >= kMaxEntries) entries_.clear();
  entries_[{family.Get(), bits, face}] = std::move(answer);
}

UID FindFontFamily(IDataBase* db, std::u16string_view name) {
  InterfacePtr<IDocFontList> fonts = QueryDocWorkspace<IDocFontList>(db);
  return fonts ? fonts->FindFamily(WideString(name)) : kInvalidUID;
}

VyFontDesc FindFontByFullName(IDataBase* db, std::u16string_view name) {
  VyFontDesc spec;
  InterfacePtr<IDocFontList> fonts = QueryDocWorkspace<IDocFontList>(db);
  if (fonts) (void)fonts->FindFontByFullName(WideString(name), spec.family, spec.face);
  return spec;
}

WideString NormaliseFaceName(IDataBase* db, UID family, std::u16string_view name) {
  InterfacePtr<IFontFamily> f = Instantiate<IFontFamily>(db, family);
  if (!f) return WideString(name);
  for (int32_t i = 0; i < f->CountFaces(); ++i) {
    WideString face = f->GetNthFaceName(i);
    if (EqualsIgnoringCase(face, name)) return face;
  }
  if (name.empty() || EqualsIgnoringCase(name, u"Regular")) {
    WideString regular = f->GetRegularFaceName();
    if (!regular.empty()) return regular;
  }
  return WideString(name);
}

std::optional<VyFontDesc> FindFace(IDataBase* db, const VyFontDesc& font, int32_t wanted, FaceCache* cache) {
  wanted &= kFaceBold | kFaceItalic;
  if (cache) {
    if (const auto* cached = cache->Find(font.family, wanted, font.face)) {
      if (!*cached) return std::nullopt;
      return VyFontDesc{font.family, **cached};
    }
  }
  InterfacePtr<IFontFamily> family = Instantiate<IFontFamily>(db, font.family);
  std::optional<WideString> answer;
  if (family) answer = MatchFace(*family, font.face, wanted);
  if (cache) cache->Store(font.family, wanted, font.face, answer);
  if (!answer) return std::nullopt;
  return VyFontDesc{font.family, *answer};
}

FaceName FaceNameFor(IDataBase* db, const VyFontDesc& font, int32_t wanted, FaceCache* cache) {
  wanted &= kFaceBold | kFaceItalic;
  if (!font.family.IsValid() || font.face.empty()) return {WideString(CanonicalFaceName(wanted)), true};
  // No bits asked for means no change: the font keeps the face it names, whatever that face is.
  if (wanted == 0) return {font.face, true};
  if (auto found = FindFace(db, font, wanted, cache)) return {found->face, true};
  return {ComposeFaceName(font.face, wanted), false};
}

}  // namespace kesto
