// ILanguage: a language a document's text can be set in, with its typographer's quotation marks.
#pragma once

#include <string>

#include "host/core/IPMUnknown.h"
#include "host/core/WideString.h"
#include "host/res/ResIDs.h"

// Quotation marks: opening and closing, double and single (the single pair is the one used inside the
// double).
struct QuoteMarks {
  char16_t doubleOpen = u'\u201C';
  char16_t doubleClose = u'\u201D';
  char16_t singleOpen = u'\u2018';
  char16_t singleClose = u'\u2019';
  bool operator==(const QuoteMarks&) const = default;
};

class ILanguage : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_ILANGUAGE.Get() };
  // The host's name of the language ("English: USA", "German: Swiss"), a key for translation.
  virtual WideString GetName() const = 0;
  // The locale code ("en_US", "de_CH").
  virtual std::string GetLocale() const = 0;
  virtual QuoteMarks GetQuoteMarks() const = 0;
  // The double or single, opening or closing mark.
  virtual char16_t GetQuote(bool doubleQuote, bool closing) const = 0;

  // For the document initializer.
  virtual void Set(const WideString& name, const std::string& locale, const QuoteMarks& quotes) = 0;
};
