// ILinkResource: a placed file as the document knows it: its URI, picture format, and the stamp (size and
// modification time) it had when it was last read, with the state found then. ILinkList: the document's
// link resources, one per URI.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "host/core/IPMUnknown.h"
#include "host/image/PictureFile.h"
#include "host/layout/PictureIDs.h"

// Stored in documents by number.
enum class LinkState : int32_t { kNormal = 0, kModified, kMissing };
inline constexpr int32_t kLastLinkState = static_cast<int32_t>(LinkState::kMissing);

// "normal", "modified", "missing".
std::string_view LinkStateName(LinkState state);

struct LinkData {
  std::string uri;  // "file:///..." for files, any other scheme as it was given
  PictureFormat format = PictureFormat::kUnknown;
  FileStamp stamp;
  LinkState state = LinkState::kNormal;
  bool operator==(const LinkData&) const = default;
};

class ILinkResource : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_ILINKRESOURCE.Get() };
  virtual const LinkData& GetData() const = 0;
  virtual void SetData(const LinkData& data) = 0;
};

class ILinkList : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_ILINKLIST.Get() };
  virtual const std::vector<UID>& GetLinks() const = 0;
  // kInvalidUID when no link resource of the list has `uri`.
  virtual UID FindLink(std::string_view uri) const = 0;
  virtual void AddLink(UID link) = 0;
  virtual void RemoveLink(UID link) = 0;
};
