// ColorNames: how a colour tag's name becomes a colour: a one-letter process colour, a swatch of the
// document, or a standard colour named in English, French or German.
#pragma once

#include <string_view>

#include "host/db/IDataBase.h"
#include "kesto/model/VyColorDesc.h"

namespace kesto {

// Fills `spec` for `name` in `document`, trying in order: "C", "M", "Y", "K", "W" (either case); a swatch of
// that name; a standard colour name compared without regard to case. False, with `spec` untouched, when
// none matches.
bool ColorSpecFromName(IDataBase* document, std::u16string_view name, VyColorDesc& spec);

// The standard colour code of a built-in colour name (1 white ... 9 blue), or 0 when it is none.
int32_t StandardColorCodeOf(std::u16string_view name);

}  // namespace kesto
