// The text-only scanner agent.
#include "kesto/reader/VyTextOnlyTSAgent.h"

#include "kesto/model/VyStory.h"
#include "kesto/reader/ScannerErrors.h"

namespace kesto {

namespace {
constexpr int32_t kFileNotFound = -43;
}  // namespace

VyTextOnlyTSAgent::VyTextOnlyTSAgent(VyStory* story) : story_(story) {
  if (story_) story_->AddRef();
}

VyTextOnlyTSAgent::~VyTextOnlyTSAgent() {
  if (story_) story_->Release();
}

KestoResult VyTextOnlyTSAgent::InsertText(const char16_t* units, int32_t count) {
  if (count <= 0) return 0;
  bool inserted = true;
  if (story_)
    inserted = story_->InsertText(units, count);
  else if (sink_)
    inserted = sink_->InsertText(units, count);
  return inserted ? 0 : kScanInternalError;
}

KestoResult VyTextOnlyTSAgent::ResolveFileReference(WideString& uri, std::u16string_view name) {
  uri.clear();
  return kFileNotFound;
}

void VyTextOnlyTSAgent::SetStory(VyStory* story) {
  if (story) story->AddRef();
  if (story_) story_->Release();
  story_ = story;
}

}  // namespace kesto
