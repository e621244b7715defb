// IKestoSuite: imports into and exports from whatever is selected, as the menu actions need them. The
// suite callers ask lives on the abstract selection and forwards to the suites of the selection in force
// (text, or page items). Imports and exports answer through `error`: a host error code as the facade's,
// or 1 when the selection has nothing to import into.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "host/core/IPMUnknown.h"
#include "host/core/WideString.h"
#include "kesto/include/IKestoFacade.h"

class IPMStream;

namespace kesto {

// The answer of an import into a selection without a text target.
inline constexpr int32_t kSuiteNotApplicable = 1;

class IKestoSuite : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_IKESTOSUITE.Get() };

  virtual bool CanDo() const = 0;
  virtual bool CanImport() const = 0;
  virtual void ImportFile(const std::filesystem::path& file, TextEncoding encoding, uint32_t flags,
                          int32_t& error) = 0;
  virtual void ImportWideChars(const char16_t* text, int64_t length, uint32_t flags, int32_t& error) = 0;
  virtual void ImportUTF16(const char16_t* text, int64_t length, uint32_t flags, int32_t& error) = 0;
  virtual void ImportChars(const char* text, int64_t length, TextEncoding encoding, uint32_t flags,
                           int32_t& error) = 0;
  virtual void ImportStream(IPMStream* stream, TextEncoding encoding, uint32_t flags, int32_t& error) = 0;
  // With `nonEmptyOnly`, a caret (an empty text range) cannot be exported.
  virtual bool CanExport(bool nonEmptyOnly) const = 0;
  virtual void ExportToFile(const std::filesystem::path& file, TextEncoding encoding, uint32_t flags,
                            int32_t& error) = 0;
  virtual void ExportToWString(std::u16string& out, uint32_t flags, int32_t& error) = 0;
  virtual void ExportToString(std::string& out, TextEncoding encoding, uint32_t flags, int32_t& error) = 0;
  virtual void ExportToWideString(WideString& out, uint32_t flags, int32_t& error) = 0;
  virtual void ExportToStream(IPMStream* stream, TextEncoding encoding, uint32_t flags, int32_t& error) = 0;
};

}  // namespace kesto
