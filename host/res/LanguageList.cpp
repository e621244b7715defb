// The document's language list.
#include "host/res/LanguageList.h"

#include "host/db/IDataBase.h"
#include "host/db/IPMStream.h"
#include "host/res/ILanguage.h"

UID LanguageList::GetNthLanguageUID(int32_t index) const {
  if (index < 0 || index >= CountLanguages()) return kInvalidUID;
  return languages_[static_cast<size_t>(index)];
}

UID LanguageList::FindLanguage(const WideString& name) const {
  if (name.empty()) return kInvalidUID;
  IDataBase* db = GetDataBase(this);
  for (UID uid : languages_) {
    InterfacePtr<ILanguage> language = Instantiate<ILanguage>(db, uid);
    if (language && language->GetName() == name) return uid;
  }
  return kInvalidUID;
}

void LanguageList::AddLanguage(UID language) {
  if (PreDirty() != kSuccess) return;
  languages_.push_back(language);
}

void LanguageList::SetDefaultLanguageUID(UID language) {
  if (language == default_) return;
  if (PreDirty() != kSuccess) return;
  default_ = language;
}

void LanguageList::ReadWrite(IPMStream* stream, ImplementationID) {
  uint32_t count = stream->XferCount(static_cast<uint32_t>(languages_.size()), 4);
  if (stream->IsReading()) languages_.assign(count, kInvalidUID);
  for (UID& uid : languages_)
    stream->XferReference(uid);
  stream->XferReference(default_);
}
