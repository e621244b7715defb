// Colours as the tag language names them, and document swatches.
#include "kesto/model/VyColorDesc.h"

#include "host/cmd/ErrorUtils.h"
#include "host/res/ISwatch.h"
#include "host/res/SwatchUtils.h"

namespace kesto {

namespace {

constexpr std::u16string_view kProcessNames[] = {
    u"C=100 M=0 Y=0 K=0",    u"C=0 M=100 Y=0 K=0",  u"C=0 M=0 Y=100 K=0",
    u"C=15 M=100 Y=100 K=0", u"C=75 M=5 Y=100 K=0", u"C=100 M=90 Y=10 K=0",
};
constexpr int32_t kFirstProcessCode = 4;

UID ResolveStandard(const ISwatchList& list, int32_t code) {
  switch (code) {
    case 0:
      return list.GetNoneSwatchUID();
    case 1:
      return list.GetPaperSwatchUID();
    case 2:
      return list.GetBlackSwatchUID();
    case 3:
      return list.GetRegistrationSwatchUID();
    default:
      break;
  }
  std::u16string_view name = StandardColorName(code);
  return name.empty() ? kInvalidUID : list.FindSwatch(WideString(name));
}

ColorValue ValuesOf(const VyColorDesc& spec) {
  ColorValue color;
  color.spot = spec.spot != 0;
  color.components = spec.components;
  switch (spec.colorModel) {
    case VyColorDesc::kThreeComponents:
      color.space = ColorSpace::kRGB;
      break;
    case VyColorDesc::kThreeComponentsAlt:
      color.space = ColorSpace::kLab;
      break;
    default:
      color.space = ColorSpace::kCMYK;
      break;
  }
  if (color.space != ColorSpace::kCMYK) color.components[3] = 0;
  return color;
}

// A swatch the host refused to make is no swatch; the refusal must not fail the caller's next command.
UID Created(ErrorCode err, UID uid) {
  if (err == kSuccess) return uid;
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  return kInvalidUID;
}

}  // namespace

void VyColorDesc::SetName(std::u16string_view text) {
  name = WideString(text.substr(0, kMaxColorNameLength));
}

std::u16string_view StandardColorName(int32_t code) {
  if (code < kFirstProcessCode || code >= kFirstProcessCode + 6) return {};
  return kProcessNames[code - kFirstProcessCode];
}

UID ResolveColor(VyColorDesc& spec) {
  if (spec.resolved.IsValid()) return spec.resolved;
  InterfacePtr<ISwatchList> list = SwatchUtils::QuerySwatchList(spec.document);
  if (!list) return kInvalidUID;
  UID uid;
  switch (spec.kind) {
    case VyColorDesc::kStandard:
      uid = ResolveStandard(*list, spec.standardCode);
      break;
    case VyColorDesc::kByName:
      uid = list->FindSwatch(spec.name);
      break;
    case VyColorDesc::kByValues: {
      UID made;
      uid = Created(SwatchUtils::CreateColorSwatch(spec.document, spec.name, ValuesOf(spec), made), made);
      break;
    }
    case VyColorDesc::kTint: {
      if (!spec.base) break;
      if (!spec.base->document) spec.base->document = spec.document;
      UID base = ResolveColor(*spec.base);
      if (!base.IsValid()) break;
      UID made;
      uid = Created(SwatchUtils::CreateTintSwatch(spec.document, base, spec.components[0], made), made);
      break;
    }
    default:
      break;
  }
  spec.resolved = uid;
  return uid;
}

bool DescribeColor(IDataBase* db, UID swatch, VyColorDesc& spec) {
  spec = VyColorDesc();
  spec.document = db;
  spec.resolved = swatch;
  spec.kind = VyColorDesc::kStandard;
  if (!swatch.IsValid()) {
    spec.standardCode = kNoColorCode;
    return true;
  }
  InterfacePtr<ISwatchList> list = SwatchUtils::QuerySwatchList(db);
  InterfacePtr<ISwatch> object = Instantiate<ISwatch>(db, swatch);
  WideString name = object ? object->GetName() : WideString();
  spec.SetName(name);
  spec.standardCode = 2;
  if (list) {
    const std::pair<UID, int32_t> reserved[] = {{list->GetNoneSwatchUID(), 0},
                                                {list->GetBlackSwatchUID(), 2},
                                                {list->GetPaperSwatchUID(), 1},
                                                {list->GetRegistrationSwatchUID(), 3}};
    for (const auto& [uid, code] : reserved) {
      if (uid == swatch) {
        spec.standardCode = code;
        return true;
      }
    }
  }
  for (int32_t code = kFirstProcessCode; code < kFirstProcessCode + 6; ++code) {
    if (name == StandardColorName(code)) {
      spec.standardCode = code;
      return true;
    }
  }
  if (name.empty()) return false;
  spec.kind = VyColorDesc::kByName;
  spec.standardCode = 0;
  return true;
}

}  // namespace kesto
