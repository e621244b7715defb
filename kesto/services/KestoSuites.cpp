// The selection suites.
#include "kesto/services/KestoSuites.h"

#include "host/app/ISession.h"
#include "host/layout/ITextFrame.h"
#include "host/text/ITextModel.h"
#include "host/text/TextCmdUtils.h"
#include "host/ui/Selection.h"
#include "kesto/services/KestoHostCodes.h"
#include "kesto/streams/FileSystemErrors.h"
#include "kesto/streams/VyPMStreamStreamAgent.h"

namespace kesto {
namespace {

std::vector<InterfacePtr<IKestoSuite>> ConcreteSuites() {
  std::vector<InterfacePtr<IKestoSuite>> suites;
  for (auto& suite : Selection::Get().QueryConcreteSuites(IID_IKESTOSUITE))
    suites.emplace_back(static_cast<IKestoSuite*>(suite.get()), UseDefaultIID());
  return suites;
}

using SuiteCall = std::function<void(IKestoSuite&, uint32_t flags, int32_t& error)>;

int32_t ForwardImport(uint32_t flags, const SuiteCall& call) {
  for (auto& suite : ConcreteSuites()) {
    if (!suite->CanImport()) continue;
    int32_t error = 0;
    call(*suite, flags, error);
    return error;
  }
  return kSuiteNotApplicable;
}

int32_t ForwardExport(uint32_t flags, const SuiteCall& call) {
  bool first = true;
  for (auto& suite : ConcreteSuites()) {
    int32_t error = 0;
    call(*suite, first ? flags : flags | kFacadeExportAppend, error);
    if (error != 0) return error;
    first = false;
  }
  return 0;
}

InterfacePtr<IKestoFacade3> Facade() {
  return QueryUtils<IKestoFacade3>();
}

}  // namespace

// ---- The abstract suite.

bool KestoSuiteASB::CanDo() const {
  return CanImport();
}

bool KestoSuiteASB::CanImport() const {
  for (auto& suite : ConcreteSuites())
    if (suite->CanImport()) return true;
  return false;
}

bool KestoSuiteASB::CanExport(bool nonEmptyOnly) const {
  for (auto& suite : ConcreteSuites())
    if (suite->CanExport(nonEmptyOnly)) return true;
  return false;
}

void KestoSuiteASB::ImportFile(const std::filesystem::path& file, TextEncoding encoding, uint32_t flags,
                               int32_t& error) {
  error = ForwardImport(flags,
                        [&](IKestoSuite& s, uint32_t f, int32_t& e) { s.ImportFile(file, encoding, f, e); });
}
void KestoSuiteASB::ImportWideChars(const char16_t* text, int64_t length, uint32_t flags, int32_t& error) {
  error = ForwardImport(
      flags, [&](IKestoSuite& s, uint32_t f, int32_t& e) { s.ImportWideChars(text, length, f, e); });
}
void KestoSuiteASB::ImportUTF16(const char16_t* text, int64_t length, uint32_t flags, int32_t& error) {
  error = ForwardImport(flags,
                        [&](IKestoSuite& s, uint32_t f, int32_t& e) { s.ImportUTF16(text, length, f, e); });
}
void KestoSuiteASB::ImportChars(const char* text, int64_t length, TextEncoding encoding, uint32_t flags,
                                int32_t& error) {
  error = ForwardImport(
      flags, [&](IKestoSuite& s, uint32_t f, int32_t& e) { s.ImportChars(text, length, encoding, f, e); });
}
void KestoSuiteASB::ImportStream(IPMStream* stream, TextEncoding encoding, uint32_t flags, int32_t& error) {
  error = ForwardImport(
      flags, [&](IKestoSuite& s, uint32_t f, int32_t& e) { s.ImportStream(stream, encoding, f, e); });
}
void KestoSuiteASB::ExportToFile(const std::filesystem::path& file, TextEncoding encoding, uint32_t flags,
                                 int32_t& error) {
  error = ForwardExport(
      flags, [&](IKestoSuite& s, uint32_t f, int32_t& e) { s.ExportToFile(file, encoding, f, e); });
}
void KestoSuiteASB::ExportToWString(std::u16string& out, uint32_t flags, int32_t& error) {
  error = ForwardExport(flags, [&](IKestoSuite& s, uint32_t f, int32_t& e) { s.ExportToWString(out, f, e); });
}
void KestoSuiteASB::ExportToString(std::string& out, TextEncoding encoding, uint32_t flags, int32_t& error) {
  error = ForwardExport(
      flags, [&](IKestoSuite& s, uint32_t f, int32_t& e) { s.ExportToString(out, encoding, f, e); });
}
void KestoSuiteASB::ExportToWideString(WideString& out, uint32_t flags, int32_t& error) {
  error =
      ForwardExport(flags, [&](IKestoSuite& s, uint32_t f, int32_t& e) { s.ExportToWideString(out, f, e); });
}
void KestoSuiteASB::ExportToStream(IPMStream* stream, TextEncoding encoding, uint32_t flags, int32_t& error) {
  error = ForwardExport(
      flags, [&](IKestoSuite& s, uint32_t f, int32_t& e) { s.ExportToStream(stream, encoding, f, e); });
}

// ---- The concrete suites' operations as facade calls.

void KestoSuiteCSB::ImportFile(const std::filesystem::path& file, TextEncoding encoding, uint32_t flags,
                               int32_t& error) {
  error = Import([&](IKestoFacade3& f, const UIDRef& story, int32_t at) {
    return f.ImportFileAt(story, at, flags, file, encoding);
  });
}
void KestoSuiteCSB::ImportWideChars(const char16_t* text, int64_t length, uint32_t flags, int32_t& error) {
  error = Import([&](IKestoFacade3& f, const UIDRef& story, int32_t at) {
    return f.ImportWideCharsAt(story, at, flags, text, length);
  });
}
void KestoSuiteCSB::ImportUTF16(const char16_t* text, int64_t length, uint32_t flags, int32_t& error) {
  error = Import([&](IKestoFacade3& f, const UIDRef& story, int32_t at) {
    return f.ImportUTF16At(story, at, flags, text, length);
  });
}
void KestoSuiteCSB::ImportChars(const char* text, int64_t length, TextEncoding encoding, uint32_t flags,
                                int32_t& error) {
  error = Import([&](IKestoFacade3& f, const UIDRef& story, int32_t at) {
    return f.ImportCharsAt(story, at, flags, text, length, encoding);
  });
}
void KestoSuiteCSB::ImportStream(IPMStream* stream, TextEncoding encoding, uint32_t flags, int32_t& error) {
  error = Import([&](IKestoFacade3& f, const UIDRef& story, int32_t at) {
    return f.ImportStreamAt(story, at, flags, stream, encoding);
  });
}
void KestoSuiteCSB::ExportToFile(const std::filesystem::path& file, TextEncoding encoding, uint32_t flags,
                                 int32_t& error) {
  error = Export([&](IKestoFacade3& f, const UIDRef& s,
                     TextRange r) { return f.ExportStoryToFile(s, r, flags, file, encoding); },
                 [&](IKestoFacade3& f, const UIDList& items) {
                   return f.ExportItemsToFile(items, flags, file, encoding);
                 });
}
void KestoSuiteCSB::ExportToWString(std::u16string& out, uint32_t flags, int32_t& error) {
  error = Export(
      [&](IKestoFacade3& f, const UIDRef& s, TextRange r) {
        return f.ExportStoryToWString(s, r, flags, out);
      },
      [&](IKestoFacade3& f, const UIDList& items) { return f.ExportItemsToWString(items, flags, out); });
}
void KestoSuiteCSB::ExportToString(std::string& out, TextEncoding encoding, uint32_t flags, int32_t& error) {
  error = Export([&](IKestoFacade3& f, const UIDRef& s,
                     TextRange r) { return f.ExportStoryToString(s, r, flags, out, encoding); },
                 [&](IKestoFacade3& f, const UIDList& items) {
                   return f.ExportItemsToString(items, flags, out, encoding);
                 });
}
void KestoSuiteCSB::ExportToWideString(WideString& out, uint32_t flags, int32_t& error) {
  error = Export(
      [&](IKestoFacade3& f, const UIDRef& s, TextRange r) {
        return f.ExportStoryToWideString(s, r, flags, out);
      },
      [&](IKestoFacade3& f, const UIDList& items) { return f.ExportItemsToWideString(items, flags, out); });
}
void KestoSuiteCSB::ExportToStream(IPMStream* stream, TextEncoding encoding, uint32_t flags, int32_t& error) {
  error = Export([&](IKestoFacade3& f, const UIDRef& s,
                     TextRange r) { return f.ExportStoryToStream(s, r, flags, stream, encoding); },
                 [&](IKestoFacade3& f, const UIDList& items) {
                   return f.ExportItemsToStream(items, flags, stream, encoding);
                 });
}

// ---- A text target.

bool KestoSuiteTextCSB::CanImport() const {
  return Selection::Get().HasTextTarget();
}

bool KestoSuiteTextCSB::CanExport(bool nonEmptyOnly) const {
  const Selection& selection = Selection::Get();
  return selection.HasTextTarget() && (!nonEmptyOnly || selection.GetEnd() > selection.GetStart());
}

int32_t KestoSuiteTextCSB::Import(const ImportAt& import) {
  Selection& selection = Selection::Get();
  InterfacePtr<IKestoFacade3> facade = Facade();
  if (!selection.HasTextTarget()) return kSuiteNotApplicable;
  if (!facade) return HostErrorCode(kParamErr);
  UIDRef story = selection.GetStory();
  int32_t start = selection.GetStart(), end = selection.GetEnd();
  if (end > start) {
    if (ErrorCode deleted = TextCmdUtils::DeleteText(story, start, end); deleted != kSuccess) return deleted;
    selection.SelectText(story, start, start);
  }
  return import(*facade, story, start);
}

int32_t KestoSuiteTextCSB::Export(const ExportRange& range, const ExportItems&) {
  const Selection& selection = Selection::Get();
  InterfacePtr<IKestoFacade3> facade = Facade();
  if (!selection.HasTextTarget() || !facade) return HostErrorCode(kParamErr);
  return range(*facade, selection.GetStory(), {selection.GetStart(), selection.GetEnd()});
}

// ---- Page items.

bool KestoSuiteLayoutCSB::CanImport() const {
  return !Selection::Get().GetItems().empty();
}

bool KestoSuiteLayoutCSB::CanExport(bool) const {
  return !Selection::Get().GetItems().empty();
}

int32_t KestoSuiteLayoutCSB::Import(const ImportAt& import) {
  const UIDList& items = Selection::Get().GetItems();
  InterfacePtr<IKestoFacade3> facade = Facade();
  if (items.empty()) return kSuiteNotApplicable;
  if (!facade) return HostErrorCode(kParamErr);
  IDataBase* db = items.GetDataBase();
  for (UID item : items) {
    // Only text frames take text: a frame's story is its frame list's.
    auto frame = Instantiate<ITextFrame>(db, item);
    auto frames = frame ? Instantiate<IFrameList>(db, frame->GetFrameList()) : InterfacePtr<IFrameList>();
    UID story = frames ? frames->GetStory() : kInvalidUID;
    auto model = story.IsValid() ? Instantiate<ITextModel>(db, story) : InterfacePtr<ITextModel>();
    if (!model) continue;
    if (int32_t error = import(*facade, UIDRef(db, story), model->TotalLength() - 1)) return error;
  }
  return 0;
}

int32_t KestoSuiteLayoutCSB::Export(const ExportRange&, const ExportItems& items) {
  InterfacePtr<IKestoFacade3> facade = Facade();
  if (!facade) return HostErrorCode(kParamErr);
  return items(*facade, Selection::Get().GetItems());
}

ErrorCode RegisterKestoSuites(Registry& registry) {
  if (registry.IsImplementationRegistered(kKestoSuiteASBImpl)) return kSuccess;
  ErrorCode error = registry.RegisterImplementation<KestoSuiteASB>(kKestoSuiteASBImpl);
  if (error == kSuccess) error = registry.RegisterImplementation<KestoSuiteTextCSB>(kKestoSuiteTextCSBImpl);
  if (error == kSuccess)
    error = registry.RegisterImplementation<KestoSuiteLayoutCSB>(kKestoSuiteLayoutCSBImpl);
  if (error == kSuccess)
    error = registry.AddIn(kAbstractSelectionBoss, {{IID_IKESTOSUITE, kKestoSuiteASBImpl}});
  if (error == kSuccess)
    error = registry.AddIn(kTextSelectionBoss, {{IID_IKESTOSUITE, kKestoSuiteTextCSBImpl}});
  if (error == kSuccess)
    error = registry.AddIn(kLayoutSelectionBoss, {{IID_IKESTOSUITE, kKestoSuiteLayoutCSBImpl}});
  return error;
}

}  // namespace kesto
