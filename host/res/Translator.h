// Translator: the texts users see for translation keys (undo names, dialog titles, names of languages and
// kerning methods ...), registered per locale by the host and the plug-ins.
#pragma once

#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "host/core/WideString.h"

class Translator {
 public:
  // The locale whose texts stand in for any locale that lacks a key.
  static constexpr std::string_view kBaseLocale = "en";

  static Translator& Get();

  // Adds the text of `key` for `locale` ("en", "fr", "de_CH" ...), replacing an earlier text of that key.
  void Add(std::string_view locale, std::string_view key, std::u16string_view text);
  // The same for several keys, texts in UTF-8.
  void Add(std::string_view locale,
           std::initializer_list<std::pair<std::string_view, std::string_view>> texts);

  // The locale texts are chosen for; kBaseLocale until set.
  void SetLocale(std::string_view locale) { locale_ = locale; }
  const std::string& GetLocale() const { return locale_; }

  // The text of `key` in the current locale, else in its language ("fr" for "fr_CA"), else in kBaseLocale;
  // the key itself when no text was registered for it.
  WideString Translate(std::string_view key) const;
  // The same for a key held as a host string (a name kept in a document).
  WideString Translate(std::u16string_view key) const;
  bool HasTranslation(std::string_view key) const;

 private:
  const WideString* Find(std::string_view key) const;
  const WideString* FindIn(std::string_view locale, std::string_view key) const;

  std::string locale_{kBaseLocale};
  std::map<std::string, std::unordered_map<std::string, WideString>, std::less<>> texts_;
};
