// Noting the remote pictures of picture boxes.
#include "kesto/reader/PictureURLCollector.h"

#include <algorithm>

#include "kesto/layout/VyPageItemInfo.h"
#include "kesto/reader/BoxTagState.h"

namespace kesto {
namespace {

// Whether `name` begins with the scheme `scheme` ("http:"), in any case.
bool HasScheme(std::u16string_view name, std::u16string_view scheme) {
  return name.size() > scheme.size() &&
         std::equal(scheme.begin(), scheme.end(), name.begin(),
                    [](char16_t a, char16_t b) { return a == (b >= u'A' && b <= u'Z' ? b + 32 : b); });
}

}  // namespace

int32_t PictureURLCollector::CreateBox(int32_t boxKind, VyPageItemInfo* box) {
  if (boxKind != static_cast<int32_t>(TagBoxKind::kPicture) || !box) return 0;
  std::u16string_view name = static_cast<VyImageItemInfo*>(box)->reference;
  // An optional picture ("?name") is fetched like any other; only its absence is treated differently.
  if (!name.empty() && name.front() == u'?') name.remove_prefix(1);
  if (!HasScheme(name, u"http:") && !HasScheme(name, u"https:")) return 0;
  std::string url = Utf8FromWide(name);
  if (std::find(urls_.begin(), urls_.end(), url) == urls_.end()) urls_.push_back(std::move(url));
  return 0;
}

}  // namespace kesto
