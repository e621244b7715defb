// Translation of keys.
#include "host/res/Translator.h"

Translator& Translator::Get() {
  static Translator translator;
  return translator;
}

void Translator::Add(std::string_view locale, std::string_view key, std::u16string_view text) {
  auto it = texts_.find(locale);
  if (it == texts_.end()) it = texts_.emplace(std::string(locale), decltype(it->second)()).first;
  it->second[std::string(key)] = WideString(text);
}

void Translator::Add(std::string_view locale,
                     std::initializer_list<std::pair<std::string_view, std::string_view>> texts) {
  for (const auto& [key, text] : texts)
    Add(locale, key, WideFromUtf8(text));
}

const WideString* Translator::FindIn(std::string_view locale, std::string_view key) const {
  auto table = texts_.find(locale);
  if (table == texts_.end()) return nullptr;
  auto text = table->second.find(std::string(key));
  return text == table->second.end() ? nullptr : &text->second;
}

const WideString* Translator::Find(std::string_view key) const {
  if (const WideString* text = FindIn(locale_, key)) return text;
  std::string_view language = std::string_view(locale_).substr(0, locale_.find('_'));
  if (language != locale_) {
    if (const WideString* text = FindIn(language, key)) return text;
  }
  return FindIn(kBaseLocale, key);
}

WideString Translator::Translate(std::string_view key) const {
  const WideString* text = Find(key);
  return text ? *text : WideFromUtf8(key);
}

WideString Translator::Translate(std::u16string_view key) const {
  const WideString* text = Find(Utf8FromWide(key));
  return text ? *text : WideString(key);
}

bool Translator::HasTranslation(std::string_view key) const {
  return Find(key) != nullptr;
}
