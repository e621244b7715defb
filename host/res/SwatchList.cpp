// The document's swatch list.
#include "host/res/SwatchList.h"

#include <string>

#include "host/db/IDataBase.h"
#include "host/db/IPMStream.h"
#include "host/res/ISwatch.h"

UID SwatchList::GetNthSwatchUID(int32_t index) const {
  if (index < 0 || index >= CountSwatches()) return kInvalidUID;
  return swatches_[static_cast<size_t>(index)];
}

UID SwatchList::FindSwatch(const WideString& name) const {
  if (name.empty()) return kInvalidUID;
  IDataBase* db = GetDataBase(this);
  for (UID uid : swatches_) {
    InterfacePtr<ISwatch> swatch = Instantiate<ISwatch>(db, uid);
    if (swatch && swatch->GetName() == name) return uid;
  }
  return kInvalidUID;
}

UID SwatchList::FindTint(UID base, double tint) const {
  IDataBase* db = GetDataBase(this);
  for (UID uid : swatches_) {
    InterfacePtr<ISwatch> swatch = Instantiate<ISwatch>(db, uid);
    if (swatch && swatch->GetKind() == SwatchKind::kTint && swatch->GetTintBase() == base &&
        swatch->GetTint() == tint) {
      return uid;
    }
  }
  return kInvalidUID;
}

WideString SwatchList::MakeUniqueName(const WideString& name) const {
  if (name.empty() || !FindSwatch(name).IsValid()) return name;
  for (int n = 2;; ++n) {
    WideString candidate = name + u" " + WideFromUtf8(std::to_string(n));
    if (!FindSwatch(candidate).IsValid()) return candidate;
  }
}

void SwatchList::AddSwatch(UID swatch) {
  if (PreDirty() != kSuccess) return;
  swatches_.push_back(swatch);
}

void SwatchList::SetReservedSwatches(UID none, UID paper, UID black, UID registration) {
  if (PreDirty() != kSuccess) return;
  none_ = none;
  paper_ = paper;
  black_ = black;
  registration_ = registration;
}

void SwatchList::ReadWrite(IPMStream* stream, ImplementationID) {
  stream->XferReference(none_);
  stream->XferReference(paper_);
  stream->XferReference(black_);
  stream->XferReference(registration_);
  uint32_t count = stream->XferCount(static_cast<uint32_t>(swatches_.size()), 4);
  if (stream->IsReading()) swatches_.assign(count, kInvalidUID);
  for (UID& uid : swatches_)
    stream->XferReference(uid);
}
