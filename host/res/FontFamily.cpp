// The document's font-family object.
#include "host/res/FontFamily.h"

#include "host/db/IPMStream.h"
#include "host/res/FontCatalog.h"

const FontFamilyInfo* FontFamily::Info() const {
  return FontCatalog::Get().FindFamily(name_);
}

int32_t FontFamily::CountFaces() const {
  const FontFamilyInfo* info = Info();
  return info ? static_cast<int32_t>(info->faces.size()) : 0;
}

WideString FontFamily::GetNthFaceName(int32_t index) const {
  const FontFamilyInfo* info = Info();
  if (!info || index < 0 || static_cast<size_t>(index) >= info->faces.size()) return {};
  return info->faces[static_cast<size_t>(index)].GetFaceName();
}

WideString FontFamily::GetRegularFaceName() const {
  const FontFamilyInfo* info = Info();
  return info ? info->faces[info->regularFace].GetFaceName() : WideString();
}

WideString FontFamily::GetFullName(const WideString& face, int32_t form) const {
  const FontFace* f = GetFace(face);
  if (!f) return {};
  return form == 0 ? f->GetFullName() : f->GetPostScriptName();
}

WideString FontFamily::GetVariant(const WideString& face, int32_t bits) const {
  const FontFace* f = GetFace(face);
  const FontFace* variant = f ? FontCatalog::Get().FindVariant(*f, bits) : nullptr;
  return variant ? variant->GetFaceName() : WideString();
}

const FontFace* FontFamily::GetFace(const WideString& face) const {
  return FontCatalog::Get().FindFace(name_, face);
}

void FontFamily::SetFamilyName(const WideString& name) {
  if (name == name_) return;
  if (PreDirty() != kSuccess) return;
  name_ = name;
}

void FontFamily::ReadWrite(IPMStream* stream, ImplementationID) {
  stream->XferString(name_);
}
