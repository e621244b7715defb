// Kesto's selection suites: KestoSuiteASB on the abstract selection forwards to the concrete suites of the
// selection in force; KestoSuiteTextCSB works on a text target (the selected range of a story) and
// KestoSuiteLayoutCSB on selected page items, both through the facade.
#pragma once

#include <functional>

#include "host/core/CPMUnknown.h"
#include "host/core/Registry.h"
#include "kesto/include/IKestoSuite.h"

namespace kesto {

inline constexpr ImplementationID kKestoSuiteASBImpl = kKestoPrefix + 0x03;
inline constexpr ImplementationID kKestoSuiteTextCSBImpl = kKestoPrefix + 0x04;
inline constexpr ImplementationID kKestoSuiteLayoutCSBImpl = kKestoPrefix + 0x05;

// Answers true when any concrete suite does; imports go to the first suite that can import; exports go
// to every suite in turn, the second and later ones appending, and stop at the first error.
class KestoSuiteASB final : public CPMUnknown<IKestoSuite> {
 public:
  explicit KestoSuiteASB(Boss* boss) : CPMUnknown<IKestoSuite>(boss) {}
  bool CanDo() const override;
  bool CanImport() const override;
  void ImportFile(const std::filesystem::path& file, TextEncoding encoding, uint32_t flags,
                  int32_t& error) override;
  void ImportWideChars(const char16_t* text, int64_t length, uint32_t flags, int32_t& error) override;
  void ImportUTF16(const char16_t* text, int64_t length, uint32_t flags, int32_t& error) override;
  void ImportChars(const char* text, int64_t length, TextEncoding encoding, uint32_t flags,
                   int32_t& error) override;
  void ImportStream(IPMStream* stream, TextEncoding encoding, uint32_t flags, int32_t& error) override;
  bool CanExport(bool nonEmptyOnly) const override;
  void ExportToFile(const std::filesystem::path& file, TextEncoding encoding, uint32_t flags,
                    int32_t& error) override;
  void ExportToWString(std::u16string& out, uint32_t flags, int32_t& error) override;
  void ExportToString(std::string& out, TextEncoding encoding, uint32_t flags, int32_t& error) override;
  void ExportToWideString(WideString& out, uint32_t flags, int32_t& error) override;
  void ExportToStream(IPMStream* stream, TextEncoding encoding, uint32_t flags, int32_t& error) override;
};

// A concrete suite: each operation becomes a facade call that the selection's kind aims.
class KestoSuiteCSB : public CPMUnknown<IKestoSuite> {
 public:
  using ImportAt = std::function<int32_t(IKestoFacade3&, const UIDRef& story, int32_t position)>;
  using ExportRange = std::function<int32_t(IKestoFacade3&, const UIDRef& story, TextRange range)>;
  using ExportItems = std::function<int32_t(IKestoFacade3&, const UIDList& items)>;

  explicit KestoSuiteCSB(Boss* boss) : CPMUnknown<IKestoSuite>(boss) {}
  bool CanDo() const override { return CanImport(); }
  void ImportFile(const std::filesystem::path& file, TextEncoding encoding, uint32_t flags,
                  int32_t& error) override;
  void ImportWideChars(const char16_t* text, int64_t length, uint32_t flags, int32_t& error) override;
  void ImportUTF16(const char16_t* text, int64_t length, uint32_t flags, int32_t& error) override;
  void ImportChars(const char* text, int64_t length, TextEncoding encoding, uint32_t flags,
                   int32_t& error) override;
  void ImportStream(IPMStream* stream, TextEncoding encoding, uint32_t flags, int32_t& error) override;
  void ExportToFile(const std::filesystem::path& file, TextEncoding encoding, uint32_t flags,
                    int32_t& error) override;
  void ExportToWString(std::u16string& out, uint32_t flags, int32_t& error) override;
  void ExportToString(std::string& out, TextEncoding encoding, uint32_t flags, int32_t& error) override;
  void ExportToWideString(WideString& out, uint32_t flags, int32_t& error) override;
  void ExportToStream(IPMStream* stream, TextEncoding encoding, uint32_t flags, int32_t& error) override;

 protected:
  virtual int32_t Import(const ImportAt& import) = 0;
  virtual int32_t Export(const ExportRange& range, const ExportItems& items) = 0;
};

class KestoSuiteTextCSB final : public KestoSuiteCSB {
 public:
  explicit KestoSuiteTextCSB(Boss* boss) : KestoSuiteCSB(boss) {}
  bool CanImport() const override;
  bool CanExport(bool nonEmptyOnly) const override;

 protected:
  // At the selection's start, in place of the selected text (deleted first).
  int32_t Import(const ImportAt& import) override;
  int32_t Export(const ExportRange& range, const ExportItems& items) override;
};

class KestoSuiteLayoutCSB final : public KestoSuiteCSB {
 public:
  explicit KestoSuiteLayoutCSB(Boss* boss) : KestoSuiteCSB(boss) {}
  bool CanImport() const override;
  bool CanExport(bool nonEmptyOnly) const override;

 protected:
  // Into each selected text frame's story, in front of its final return, until one fails.
  int32_t Import(const ImportAt& import) override;
  int32_t Export(const ExportRange& range, const ExportItems& items) override;
};

ErrorCode RegisterKestoSuites(Registry& registry);

}  // namespace kesto
