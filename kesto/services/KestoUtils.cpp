// Handing out readers and writers that go through the facade.
#include "kesto/services/KestoUtils.h"

#include <new>

#include "host/app/ISession.h"
#include "host/core/HostIDs.h"
#include "kesto/services/KestoHostCodes.h"

namespace kesto {
namespace {

// The facade's operations for one document; a missing facade answers the unknown error.
class FacadeText {
 protected:
  explicit FacadeText(IDataBase* db) : db_(db) {}
  InterfacePtr<IKestoFacade3> Facade() const { return QueryUtils<IKestoFacade3>(); }
  IDataBase* db_;
};

class KestoTextReader final : public IKestoTextReader, FacadeText {
 public:
  explicit KestoTextReader(IDataBase* db) : FacadeText(db) {}
  int32_t Read(UID story, int32_t position, std::u16string_view text, uint32_t flags) override {
    InterfacePtr<IKestoFacade3> facade = Facade();
    if (!facade) return kFacadeUnknownError;
    return facade->ImportWideCharsAt(UIDRef(db_, story), position, flags, text.data(),
                                     static_cast<int64_t>(text.size()));
  }
};

class KestoTextWriter final : public IKestoTextWriter, FacadeText {
 public:
  explicit KestoTextWriter(IDataBase* db) : FacadeText(db) {}
  int32_t WriteStory(UID story, TextRange range, uint32_t flags, std::u16string& out) override {
    InterfacePtr<IKestoFacade3> facade = Facade();
    if (!facade) return kFacadeUnknownError;
    return facade->ExportStoryToWString(UIDRef(db_, story), range, flags & ~kFacadeExportAppend, out);
  }
  int32_t WriteItems(const std::vector<UID>& items, uint32_t flags, std::u16string& out) override {
    InterfacePtr<IKestoFacade3> facade = Facade();
    if (!facade) return kFacadeUnknownError;
    return facade->ExportItemsToWString(UIDList(db_, items), flags & ~kFacadeExportAppend, out);
  }
};

}  // namespace

std::unique_ptr<IKestoTextReader> KestoUtils::NewReader(IDataBase* document) const {
  if (!document) return nullptr;
  return std::unique_ptr<IKestoTextReader>(new (std::nothrow) KestoTextReader(document));
}

std::unique_ptr<IKestoTextWriter> KestoUtils::NewWriter(IDataBase* document) const {
  if (!document) return nullptr;
  return std::unique_ptr<IKestoTextWriter>(new (std::nothrow) KestoTextWriter(document));
}

ErrorCode RegisterKestoUtils(Registry& registry) {
  if (registry.IsImplementationRegistered(kKestoUtilsImpl)) return kSuccess;
  ErrorCode error = registry.RegisterImplementation<KestoUtils>(kKestoUtilsImpl);
  if (error == kSuccess) error = registry.AddIn(kUtilsBoss, {{IID_IKESTOUTILS, kKestoUtilsImpl}});
  return error;
}

}  // namespace kesto
