// Stroke types as the tag language names them, and document stroke styles.
#include "kesto/model/VyStrokeTypeDesc.h"

#include <array>

#include "host/res/DocWorkspace.h"
#include "host/res/IStrokeStyle.h"
#include "host/res/IStrokeStyleList.h"
#include "host/res/Translator.h"
#include "kesto/model/NameCompare.h"

namespace kesto {

namespace {

struct StrokeType {
  std::u16string_view host;
  std::u16string_view writer;
  std::u16string_view english;
  std::u16string_view french;  // empty where French has no name of its own
  std::u16string_view german;
};

constexpr std::array<StrokeType, kStrokeTypeCount> kStrokeTypes = {{
    {u"Solid", u"Solid", u"solid", u"continu", u"normal"},
    {u"Canned Dashed 4x4", u"Dotted", u"dotted", u"en tirets", u"gepunktet"},
    {u"Canned Dashed 3x2", u"Dotted 2", u"dotted 2", u"en tirets 2", u"gepunktet 2"},
    {u"DashDot", u"Dash Dot", u"dash dot", u"tiret-point", u"strich-punkt"},
    {u"Canned Dotted", u"All Dots", u"all dots", u"tout pointill\u00E9", u"alle punkte"},
    {u"ThickThick", u"Double", u"double", u"", u"doppel"},
    {u"ThinThick", u"Thin-Thick", u"thin-thick", u"fin-epais", u"d\u00FCnn-dick"},
    {u"ThickThin", u"Thick-Thin", u"thick-thin", u"epais-fin", u"dick-d\u00FCnn"},
    {u"ThinThickThin", u"Thin-Thick-Thin", u"thin-thick-thin", u"fin-epais-fin", u"d\u00FCnn-dick-d\u00FCnn"},
    {u"ThickThinThick", u"Thick-Thin-Thick", u"thick-thin-thick", u"epais-fin-epais", u"dick-d\u00FCnn-dick"},
    {u"Triple_Stroke", u"Triple", u"triple", u"", u"dreifach"},
}};

bool ValidIndex(int32_t index) {
  return index >= 0 && index < kStrokeTypeCount;
}

}  // namespace

std::u16string_view StrokeTypeHostName(int32_t index) {
  return ValidIndex(index) ? kStrokeTypes[static_cast<size_t>(index)].host : std::u16string_view();
}

std::u16string_view StrokeTypeWriterName(int32_t index) {
  return ValidIndex(index) ? kStrokeTypes[static_cast<size_t>(index)].writer : std::u16string_view();
}

int32_t StrokeTypeIndexOfName(std::u16string_view name) {
  if (name.empty()) return -1;
  for (int32_t i = 0; i < kStrokeTypeCount; ++i) {
    const StrokeType& t = kStrokeTypes[static_cast<size_t>(i)];
    for (std::u16string_view candidate : {t.english, t.french, t.german}) {
      if (!candidate.empty() && EqualsIgnoringCase(candidate, name)) return i;
    }
  }
  return -1;
}

UID ResolveStrokeType(IDataBase* db, VyStrokeTypeDesc& spec) {
  if (spec.resolved.IsValid()) return spec.resolved;
  InterfacePtr<IStrokeStyleList> list = QueryDocWorkspace<IStrokeStyleList>(db);
  if (!list) return kInvalidUID;
  if (spec.kind == VyStrokeTypeDesc::kByIndex && ValidIndex(spec.index)) {
    spec.resolved = list->FindStrokeStyle(WideString(StrokeTypeHostName(spec.index)));
  } else if (spec.kind == VyStrokeTypeDesc::kByName) {
    spec.resolved = list->FindStrokeStyle(spec.name);
  }
  return spec.resolved;
}

VyStrokeTypeDesc DescribeStrokeType(IDataBase* db, UID style) {
  VyStrokeTypeDesc spec;
  InterfacePtr<IStrokeStyle> object = Instantiate<IStrokeStyle>(db, style);
  if (!object) return spec;
  spec.resolved = style;
  WideString name = Translator::Get().Translate(std::u16string_view(object->GetName()));
  for (int32_t i = 0; i < kStrokeTypeCount; ++i) {
    if (name == StrokeTypeHostName(i)) {
      spec.kind = VyStrokeTypeDesc::kByIndex;
      spec.index = i;
      return spec;
    }
  }
  spec.kind = VyStrokeTypeDesc::kByName;
  spec.name = name.substr(0, kMaxStrokeTypeNameLength);
  return spec;
}

}  // namespace kesto
