// KestoFacade2 and KestoFacade3: the facade's versions on the host's utilities object. They turn a source
// (file, text in memory, host stream, clipboard) into a character source and run an import into a story,
// or run the writer over a story range into a destination, and answer host error codes.
#pragma once

#include <span>

#include "host/core/CPMUnknown.h"
#include "host/core/Registry.h"
#include "kesto/include/IKestoFacade.h"
#include "kesto/services/KestoImportDriver.h"

namespace kesto {

inline constexpr ImplementationID kKestoFacade2Impl = kKestoPrefix + 0x0E;
inline constexpr ImplementationID kKestoFacade3Impl = kKestoPrefix + 0x11;

// The import option bits of the scanner agent for `flags` with the application's preferences.
uint32_t EffectiveImportOptions(uint32_t flags);
// The writer's option bits for `flags` with the application's preferences (append adds fragment).
uint32_t EffectiveWriterOptions(uint32_t flags);
// The facade's imports of a file (read in order when it is a pipe) and of bytes in memory, read as
// `setup` says; they answer what ImportFileAt and ImportCharsAt answer.
int32_t ImportFromFile(const UIDRef& story, int32_t position, uint32_t flags,
                       const std::filesystem::path& file, StreamEncoding encoding,
                       const ImportSetup& setup = {});
int32_t ImportFromBytes(const UIDRef& story, int32_t position, uint32_t flags, std::span<const uint8_t> bytes,
                        StreamEncoding encoding, const ImportSetup& setup = {});

template <class Interface>
class KestoFacadeBase : public CPMUnknown<Interface> {
 public:
  explicit KestoFacadeBase(Boss* boss) : CPMUnknown<Interface>(boss) {}

  int32_t ImportText(const UIDRef& story, uint32_t flags, const WideString& text) override;
  int32_t ImportFile(const UIDRef& story, uint32_t flags, const std::filesystem::path* file) override;
  uint32_t GetImportOptions() const override;
  uint32_t GetExportOptions() const override;
  int32_t ImportFileAt(const UIDRef& story, int32_t position, uint32_t flags,
                       const std::filesystem::path& file, TextEncoding encoding) override;
  int32_t ImportUTF16At(const UIDRef& story, int32_t position, uint32_t flags, const char16_t* text,
                        int64_t length) override;
  int32_t ImportWideCharsAt(const UIDRef& story, int32_t position, uint32_t flags, const char16_t* text,
                            int64_t length) override;
  int32_t ImportCharsAt(const UIDRef& story, int32_t position, uint32_t flags, const char* text,
                        int64_t length, TextEncoding encoding) override;
  // Page items are written once the page-item writer exists: until then these answer the unknown error.
  int32_t ExportItemsToFile(const UIDList& items, uint32_t flags, const std::filesystem::path& file,
                            TextEncoding encoding) override;
  int32_t ExportStoryToFile(const UIDRef& story, TextRange range, uint32_t flags,
                            const std::filesystem::path& file, TextEncoding encoding) override;
  int32_t ExportItemsToWideString(const UIDList& items, uint32_t flags, WideString& out) override;
  int32_t ExportItemsToWString(const UIDList& items, uint32_t flags, std::u16string& out) override;
  int32_t ExportItemsToString(const UIDList& items, uint32_t flags, std::string& out,
                              TextEncoding encoding) override;
  int32_t ExportStoryToWideString(const UIDRef& story, TextRange range, uint32_t flags,
                                  WideString& out) override;
  int32_t ExportStoryToWString(const UIDRef& story, TextRange range, uint32_t flags,
                               std::u16string& out) override;
  int32_t ExportStoryToString(const UIDRef& story, TextRange range, uint32_t flags, std::string& out,
                              TextEncoding encoding) override;
};

using KestoFacade2 = KestoFacadeBase<IKestoFacade2>;

class KestoFacade3 final : public KestoFacadeBase<IKestoFacade3> {
 public:
  explicit KestoFacade3(Boss* boss) : KestoFacadeBase<IKestoFacade3>(boss) {}
  int32_t ImportStreamAt(const UIDRef& story, int32_t position, uint32_t flags, IPMStream* stream,
                         TextEncoding encoding) override;
  int32_t ExportItemsToStream(const UIDList& items, uint32_t flags, IPMStream* stream,
                              TextEncoding encoding) override;
  int32_t ExportStoryToStream(const UIDRef& story, TextRange range, uint32_t flags, IPMStream* stream,
                              TextEncoding encoding) override;
  uint32_t ImportOptionsFromDialog(const IKestoPrefs* prefs) const override;
  uint32_t ExportOptionsFromDialog(const IKestoPrefs* prefs) const override;
};

// Registers both versions on the host's utilities object.
ErrorCode RegisterKestoFacade(Registry& registry);

}  // namespace kesto
