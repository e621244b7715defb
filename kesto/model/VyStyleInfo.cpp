// Style infos.
#include "kesto/model/VyStyleInfo.h"

#include "host/text/StyleNames.h"

namespace kesto {

void VyCharacterStyleInfo::SetName(std::u16string_view name) {
  name_ = WideString(name.substr(0, kMaxStyleNameLength));
}

}  // namespace kesto
