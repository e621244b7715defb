// What the files of character tags share: the end of input inside a tag, and the registration of the value
// tags from their own file.
#pragma once

namespace kesto {

class KestoScanner;
class TagDispatchTable;

// Error 12, and the scan ends: there is nothing left to read.
void EndOfInputInTag(KestoScanner& scanner);

// "f", "ff", "fs", "z", "c", "s", "h", "y", "k", "t", "b", "br", "n", "&h", "&L".
void RegisterCharacterValueTags(TagDispatchTable& table);

}  // namespace kesto
