// The language object.
#include "host/res/Language.h"

#include "host/db/IPMStream.h"

char16_t Language::GetQuote(bool doubleQuote, bool closing) const {
  if (doubleQuote) return closing ? quotes_.doubleClose : quotes_.doubleOpen;
  return closing ? quotes_.singleClose : quotes_.singleOpen;
}

void Language::Set(const WideString& name, const std::string& locale, const QuoteMarks& quotes) {
  if (PreDirty() != kSuccess) return;
  name_ = name;
  locale_ = locale;
  quotes_ = quotes;
}

void Language::ReadWrite(IPMStream* stream, ImplementationID) {
  stream->XferString(name_);
  stream->XferString(locale_);
  for (char16_t* mark :
       {&quotes_.doubleOpen, &quotes_.doubleClose, &quotes_.singleOpen, &quotes_.singleClose}) {
    auto unit = static_cast<int16_t>(*mark);
    stream->XferInt16(unit);
    *mark = static_cast<char16_t>(unit);
  }
}
