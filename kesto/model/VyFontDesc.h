// Fonts as the tag language names them: families by name, fonts by full name, and the face of a family that
// has the boldness and slant the type-style bits ask for, with the per-document cache of those answers.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string_view>
#include <tuple>

#include "host/core/WideString.h"
#include "host/db/IDataBase.h"

namespace kesto {

// A font: a family of the document (kInvalidUID for none) and a face (style) name.
struct VyFontDesc {
  UID family;
  WideString face;
  bool operator==(const VyFontDesc&) const = default;
};

// Answers of FindFace for one document, keyed by family, wanted bits and current face. Bounded: when full it
// starts again empty.
class FaceCache {
 public:
  static constexpr size_t kMaxEntries = 4096;
  // nullptr when the question was not asked yet; otherwise the face found, or nullopt when there was none.
  const std::optional<WideString>* Find(UID family, int32_t bits, const WideString& face) const;
  void Store(UID family, int32_t bits, const WideString& face, std::optional<WideString> answer);
  size_t size() const { return entries_.size(); }

 private:
  std::map<std::tuple<uint32_t, int32_t, WideString>, std::optional<WideString>> entries_;
};

// The document's family of that name; kInvalidUID when it has none.
UID FindFontFamily(IDataBase* db, std::u16string_view name);
// The family and face of a full font name in either of its forms; (kInvalidUID, "") when no font has it.
VyFontDesc FindFontByFullName(IDataBase* db, std::u16string_view name);
// The family's own spelling of face `name` (compared without regard to case); for an empty name, or "Regular"
// when the family has no face of that name, the family's plain face; otherwise `name` unchanged.
WideString NormaliseFaceName(IDataBase* db, UID family, std::u16string_view name);

// The face of `font`'s family whose bits (1 bold, 2 italic) are `wanted` and that otherwise matches the
// current face: the current face itself, the host's variant, the canonical face when the current face is
// the family's plain one, or a face whose name differs only in bold and italic words. nullopt when the family
// has none. `cache` (one per document, may be null) keeps the answers.
std::optional<VyFontDesc> FindFace(IDataBase* db, const VyFontDesc& font, int32_t wanted, FaceCache* cache);

struct FaceName {
  WideString name;
  bool exists = false;
  bool operator==(const FaceName&) const = default;
};
// The face name to use for `font` with `wanted` bits: the canonical name when there is no family or face; the
// font's own face for bits 0 (a font named with a bold face stays bold); the face FindFace finds; else a
// composed name (ComposeFaceName) with exists = false.
FaceName FaceNameFor(IDataBase* db, const VyFontDesc& font, int32_t wanted, FaceCache* cache);

}  // namespace kesto
