// TagDispatcher: reads one tag in a tag group and hands it to the handler of its first character. Each
// family of tags registers its handlers in the dispatch table from its own file; a character nobody
// registered is "No such tag".
#pragma once

#include <array>
#include <cstdint>

namespace kesto {

class KestoScanner;

// Reads the rest of the tag whose first character `first` has just been read.
using TagHandler = void (*)(KestoScanner& scanner, int32_t first);

// The handler of unknown tags: error 2 with the character as the tag's name ("?" for a control character).
void NoSuchTag(KestoScanner& scanner, int32_t first);

class TagDispatchTable {
 public:
  // The table with every family registered.
  static const TagDispatchTable& Get() {
    static const TagDispatchTable table;
    return table;
  }

  // Registers `handler` for the ASCII character `first`, replacing an earlier one.
  void Register(char first, TagHandler handler);
  TagHandler Find(int32_t first) const {
    return first >= 0 && first < static_cast<int32_t>(handlers_.size()) ? handlers_[first] : &NoSuchTag;
  }
  // Tags that begin with "&" are told apart by their second character; each family registers the ones it
  // reads. The handler is called with that second character.
  void RegisterExtension(char second, TagHandler handler);
  TagHandler FindExtension(int32_t second) const;

 private:
  TagDispatchTable();
  std::array<TagHandler, 128> handlers_;
  std::array<TagHandler, 128> extensions_;
};

// Reads one tag (lexer mode tag). Sets the scanner's error, token and lexer mode as the tag requires.
void DispatchTag(KestoScanner& scanner);

// Tag families, each in its own file.
void RegisterGroupTags(TagDispatchTable& table);      // blanks, ">", "<", ":", comments, line ends
void RegisterHeaderTags(TagDispatchTable& table);     // "e", "v"
void RegisterCharacterTags(TagDispatchTable& table);  // type styles, "~", "$", "a", value tags, "&h", "&L"
void RegisterSpecialCharacters(TagDispatchTable& table);   // "\"
void RegisterAttributeStackTags(TagDispatchTable& table);  // "&+", "&-"
void RegisterParagraphTags(TagDispatchTable& table);       // "*"
void RegisterStyleTags(TagDispatchTable& table);           // "@"
void RegisterMacroTags(TagDispatchTable& table);           // "&!", "!"
void RegisterTranslationTags(TagDispatchTable& table);     // "&tt…"
void RegisterHiddenTextTags(TagDispatchTable& table);      // "&C…"
void RegisterExtensionTags(TagDispatchTable& table);       // "&d", "&it", "#", "A"
void RegisterMasterPageTags(TagDispatchTable& table);      // "&m…", "^m…"
void RegisterBoxTags(
    TagDispatchTable& table);  // "&tb…", "&te", "&pb…", "&nb…", "&lb…", "&g", "&o"; after "&tt…"

}  // namespace kesto
