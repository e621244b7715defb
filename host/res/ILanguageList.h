// ILanguageList: the languages of a document, on its workspace, with the one new text gets.
#pragma once

#include "host/core/IPMUnknown.h"
#include "host/core/WideString.h"
#include "host/res/ResIDs.h"

class ILanguageList : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_ILANGUAGELIST.Get() };
  virtual int32_t CountLanguages() const = 0;
  // kInvalidUID outside 0..count-1.
  virtual UID GetNthLanguageUID(int32_t index) const = 0;
  // The language whose name equals `name` exactly; kInvalidUID when none has it.
  virtual UID FindLanguage(const WideString& name) const = 0;
  virtual UID GetDefaultLanguageUID() const = 0;

  // For the document initializer.
  virtual void AddLanguage(UID language) = 0;
  virtual void SetDefaultLanguageUID(UID language) = 0;
};
