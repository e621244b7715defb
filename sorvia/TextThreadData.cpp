// A thread's name and the thread object.
#include "sorvia/TextThreadData.h"

#include "host/core/HostIDs.h"
#include "host/db/IPMStream.h"
#include "host/res/Translator.h"

namespace sorvia {

void TextThreadData::SetName(const WideString& name) {
  WideString translated = Translator::Get().Translate(std::u16string_view(name));
  if (translated == name_) return;
  if (!WillChange()) return;
  name_ = std::move(translated);
}

void PersistTextThreadData::ReadWrite(IPMStream* stream, ImplementationID) {
  stream->XferString(name_);
}

ErrorCode RegisterTextThreadData(Registry& registry) {
  if (registry.IsClassRegistered(kTextThreadBoss)) return kSuccess;
  ErrorCode error = registry.RegisterImplementation<TextThreadData>(kTextThreadDataImpl);
  if (error == kSuccess)
    error = registry.RegisterImplementation<PersistTextThreadData>(kPersistTextThreadDataImpl, true);
  if (error == kSuccess) {
    error = registry.RegisterClass(
        kTextThreadBoss, kInvalidClass, "kTextThreadBoss",
        {{IID_ITEXTTHREADDATA, kPersistTextThreadDataImpl}, {IID_ISUBJECT, kSubjectImpl}});
  }
  return error;
}

}  // namespace sorvia
