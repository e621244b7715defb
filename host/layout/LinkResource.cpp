// Link resources and the document's list of them.
#include "host/layout/LinkResource.h"

#include <algorithm>
#include <array>

#include "host/db/IDataBase.h"
#include "host/layout/LayoutStreams.h"

namespace {

// The longest URI a link keeps: far beyond any path the system accepts.
constexpr size_t kMaxUriBytes = 65536;

}  // namespace

std::string_view LinkStateName(LinkState state) {
  static constexpr std::array<std::string_view, 3> kNames = {"normal", "modified", "missing"};
  auto index = static_cast<size_t>(state);
  return index < kNames.size() ? kNames[index] : "missing";
}

void LinkResource::SetData(const LinkData& data) {
  if (data == data_) return;
  if (PreDirty() != kSuccess) return;
  data_ = data;
}

void LinkResource::ReadWrite(IPMStream* stream, ImplementationID) {
  stream->XferString(data_.uri);
  stream->Expect(!data_.uri.empty() && data_.uri.size() <= kMaxUriBytes, "a link's URI is empty or too long");
  auto format = static_cast<int32_t>(data_.format);
  LayoutStreams::XferInt32In(stream, format, 0, kLastPictureFormat, "a link's file type");
  data_.format = static_cast<PictureFormat>(format);
  stream->XferInt64(data_.stamp.size);
  stream->Expect(data_.stamp.size >= 0, "a link's file size is negative");
  stream->XferInt64(data_.stamp.modified);
  auto state = static_cast<int32_t>(data_.state);
  LayoutStreams::XferInt32In(stream, state, 0, kLastLinkState, "a link's state");
  data_.state = static_cast<LinkState>(state);
}

UID LinkList::FindLink(std::string_view uri) const {
  IDataBase* db = GetDataBase(this);
  for (UID link : links_) {
    auto resource = Instantiate<ILinkResource>(db, link);
    if (resource && resource->GetData().uri == uri) return link;
  }
  return kInvalidUID;
}

void LinkList::AddLink(UID link) {
  if (std::find(links_.begin(), links_.end(), link) != links_.end()) return;
  if (PreDirty() != kSuccess) return;
  links_.push_back(link);
}

void LinkList::RemoveLink(UID link) {
  auto it = std::find(links_.begin(), links_.end(), link);
  if (it == links_.end()) return;
  if (PreDirty() != kSuccess) return;
  links_.erase(it);
}

void LinkList::ReadWrite(IPMStream* stream, ImplementationID) {
  LayoutStreams::XferUIDs(stream, links_);
}
