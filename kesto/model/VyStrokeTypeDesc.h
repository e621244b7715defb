// VyStrokeTypeDesc: a stroke type as the tag language names it (one of eleven indexes, or a document stroke
// style's name), resolved to a document stroke style and described back from one.
#pragma once

#include <cstdint>
#include <string_view>

#include "host/core/WideString.h"
#include "host/db/IDataBase.h"

namespace kesto {

inline constexpr int32_t kStrokeTypeCount = 11;
inline constexpr size_t kMaxStrokeTypeNameLength = 64;

struct VyStrokeTypeDesc {
  enum Kind : int32_t { kNoneGiven = 0, kByIndex = 1, kByName = 2 };
  int32_t kind = kNoneGiven;
  int32_t index = 0;  // kByIndex: 0..10
  WideString name;    // kByName: at most kMaxStrokeTypeNameLength units
  UID resolved;
};

// The host's built-in stroke-style name of index 0..10 ("Solid", "Canned Dashed 4x4" ...); empty otherwise.
std::u16string_view StrokeTypeHostName(int32_t index);
// The name the writer gives index 0..10 ("Solid", "Dotted" ... "Triple"); empty otherwise.
std::u16string_view StrokeTypeWriterName(int32_t index);
// The index of a name the tag language accepts for a stroke type, in English, French or German, compared
// without regard to case ("dotted", "en tirets", "gepunktet" give 1); -1 for any other name.
int32_t StrokeTypeIndexOfName(std::u16string_view name);

// The document stroke style `spec` names, cached in `spec.resolved`; kInvalidUID for none (kind kNoneGiven,
// an index outside 0..10, an unknown name, no document).
UID ResolveStrokeType(IDataBase* db, VyStrokeTypeDesc& spec);
// kByIndex when the style's (translated) name is one of the eleven host names, kByName otherwise; kNoneGiven
// for kInvalidUID or an object that is no stroke style.
VyStrokeTypeDesc DescribeStrokeType(IDataBase* db, UID style);

}  // namespace kesto
