// Colour names of colour tags.
#include "kesto/reader/ColorNames.h"

#include "kesto/model/NameCompare.h"

namespace kesto {

namespace {

struct NamedColor {
  std::u16string_view name;
  int32_t code;
};

// "Cyan" and "Magenta" are the same word in all three languages.
constexpr NamedColor kBuiltInColors[] = {
    {u"White", 1},  {u"Black", 2},         {u"Registration", 3}, {u"Cyan", 4},       {u"Magenta", 5},
    {u"Yellow", 6}, {u"Red", 7},           {u"Green", 8},        {u"Blue", 9},       {u"Blanc", 1},
    {u"Noir", 2},   {u"Rep\u00E9rage", 3}, {u"Jaune", 6},        {u"Rouge", 7},      {u"Vert", 8},
    {u"Bleu", 9},   {u"Wei\u00DF", 1},     {u"Schwarz", 2},      {u"Passkreuze", 3}, {u"Gelb", 6},
    {u"Rot", 7},    {u"Gr\u00FCn", 8},     {u"Blau", 9},
};

int32_t OneLetterCode(char16_t letter) {
  switch (letter) {
    case u'C':
    case u'c':
      return 4;
    case u'M':
    case u'm':
      return 5;
    case u'Y':
    case u'y':
      return 6;
    case u'K':
    case u'k':
      return 2;
    case u'W':
    case u'w':
      return 1;
    default:
      return 0;
  }
}

void SetStandard(IDataBase* document, int32_t code, VyColorDesc& spec) {
  spec = VyColorDesc();
  spec.kind = VyColorDesc::kStandard;
  spec.standardCode = code;
  spec.document = document;
}

}  // namespace

int32_t StandardColorCodeOf(std::u16string_view name) {
  for (const NamedColor& color : kBuiltInColors) {
    if (EqualsIgnoringCase(color.name, name)) return color.code;
  }
  return 0;
}

bool ColorSpecFromName(IDataBase* document, std::u16string_view name, VyColorDesc& spec) {
  if (name.empty()) return false;
  if (name.size() == 1) {
    if (int32_t code = OneLetterCode(name[0])) {
      SetStandard(document, code, spec);
      return true;
    }
  }
  VyColorDesc byName;
  byName.kind = VyColorDesc::kByName;
  byName.SetName(name);
  byName.document = document;
  if (name.size() <= kMaxColorNameLength && ResolveColor(byName).IsValid()) {
    spec = byName;
    return true;
  }
  if (int32_t code = StandardColorCodeOf(name)) {
    SetStandard(document, code, spec);
    return true;
  }
  return false;
}

}  // namespace kesto
