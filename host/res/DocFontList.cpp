// The document's font list.
#include "host/res/DocFontList.h"

#include "host/db/IDataBase.h"
#include "host/db/IPMStream.h"
#include "host/res/FontCatalog.h"
#include "host/res/IFontFamily.h"

UID DocFontList::GetNthFamilyUID(int32_t index) const {
  if (index < 0 || index >= CountFamilies()) return kInvalidUID;
  return families_[static_cast<size_t>(index)];
}

UID DocFontList::FindFamily(const WideString& name) const {
  if (name.empty()) return kInvalidUID;
  IDataBase* db = GetDataBase(this);
  for (UID uid : families_) {
    InterfacePtr<IFontFamily> family = Instantiate<IFontFamily>(db, uid);
    if (family && family->GetFamilyName() == name) return uid;
  }
  return kInvalidUID;
}

bool DocFontList::FindFontByFullName(const WideString& name, UID& family, WideString& face) const {
  family = kInvalidUID;
  face.clear();
  const FontFace* found = FontCatalog::Get().FindByFullName(name);
  UID uid = found ? FindFamily(found->GetFamilyName()) : kInvalidUID;
  if (!uid.IsValid()) return false;
  family = uid;
  face = found->GetFaceName();
  return true;
}

void DocFontList::AddFamily(UID family) {
  if (PreDirty() != kSuccess) return;
  families_.push_back(family);
}

void DocFontList::ReadWrite(IPMStream* stream, ImplementationID) {
  uint32_t count = stream->XferCount(static_cast<uint32_t>(families_.size()), 4);
  if (stream->IsReading()) families_.assign(count, kInvalidUID);
  for (UID& uid : families_)
    stream->XferReference(uid);
}
