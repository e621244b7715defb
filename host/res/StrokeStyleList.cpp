// The document's stroke-style list.
#include "host/res/StrokeStyleList.h"

#include "host/db/IDataBase.h"
#include "host/db/IPMStream.h"
#include "host/res/IStrokeStyle.h"

UID StrokeStyleList::GetNthStrokeStyleUID(int32_t index) const {
  if (index < 0 || index >= CountStrokeStyles()) return kInvalidUID;
  return styles_[static_cast<size_t>(index)];
}

UID StrokeStyleList::FindStrokeStyle(const WideString& name) const {
  if (name.empty()) return kInvalidUID;
  IDataBase* db = GetDataBase(this);
  for (UID uid : styles_) {
    InterfacePtr<IStrokeStyle> style = Instantiate<IStrokeStyle>(db, uid);
    if (style && style->GetName() == name) return uid;
  }
  return kInvalidUID;
}

void StrokeStyleList::AddStrokeStyle(UID style) {
  if (PreDirty() != kSuccess) return;
  styles_.push_back(style);
}

void StrokeStyleList::ReadWrite(IPMStream* stream, ImplementationID) {
  uint32_t count = stream->XferCount(static_cast<uint32_t>(styles_.size()), 4);
  if (stream->IsReading()) styles_.assign(count, kInvalidUID);
  for (UID& uid : styles_)
    stream->XferReference(uid);
}
