// Language: the persistent ILanguage of a language object in a document.
#pragma once

#include "host/core/CPMUnknown.h"
#include "host/res/ILanguage.h"

class Language final : public CPMUnknown<ILanguage> {
 public:
  explicit Language(Boss* boss) : CPMUnknown(boss) {}
  WideString GetName() const override { return name_; }
  std::string GetLocale() const override { return locale_; }
  QuoteMarks GetQuoteMarks() const override { return quotes_; }
  char16_t GetQuote(bool doubleQuote, bool closing) const override;
  void Set(const WideString& name, const std::string& locale, const QuoteMarks& quotes) override;
  void ReadWrite(IPMStream* stream, ImplementationID implementation) override;

 private:
  WideString name_;
  std::string locale_;
  QuoteMarks quotes_;
};
