// Running one export.
#include "kesto/services/KestoExportDriver.h"

#include <chrono>
#include <memory>
#include <string>

#include "host/res/TextEncodings.h"
#include "host/ui/RangeProgressBar.h"
#include "kesto/streams/FileSystemErrors.h"
#include "kesto/streams/VyStreamAgent.h"
#include "kesto/streams/VyTextStream.h"
#include "kesto/writer/HostTagPutter.h"
#include "kesto/writer/KestoPutter.h"
#include "kesto/writer/KestoPutterAgent.h"

namespace kesto {
namespace {

constexpr auto kProgressInterval = std::chrono::milliseconds(250);

// The putter agent of an export: moves a progress bar along the paragraphs and stops on a cancel.
class KestoExportAgent final : public KestoPutterAgent {
 public:
  KestoExportAgent(VyTextStream* stream, KestoPutter* putter, int32_t paragraphs)
      : KestoPutterAgent(stream, putter),
        paragraphs_(paragraphs),
        progress_(RangeProgressBar::Create("Kesto(tm)", "Exporting text", 0, 100)),
        next_(std::chrono::steady_clock::now() + kProgressInterval) {}

  int32_t BeginParagraph(const K2AttributeSetMgr&) override {
    ++done_;
    if (!progress_ || (done_ & 63) != 0) return 0;
    auto now = std::chrono::steady_clock::now();
    if (now < next_) return 0;
    next_ = now + kProgressInterval;
    progress_->SetPosition(paragraphs_ > 0 ? static_cast<int32_t>(int64_t{done_} * 100 / paragraphs_) : 0);
    return progress_->ProcessEvents() ? kExportCancelled : 0;
  }

 private:
  int32_t paragraphs_;
  int32_t done_ = 0;
  std::unique_ptr<RangeProgressBar> progress_;
  std::chrono::steady_clock::time_point next_;
};

}  // namespace

int32_t RunKestoExport(VyStreamAgent* agent, IDataBase* db, const KestoExportParams& params) {
  if (!agent || !db || !db->IsValidUID(params.story)) return kParamErr;
  VyBaseStory story(db, params.story);
  if (!story.IsValid()) return kParamErr;
  VyTextStream stream(agent, params.encoding, VyTextStream::kWindowsLineEnds);
  if (params.byteOrderMark) stream.WriteByteOrderMark();
  std::unique_ptr<CTaggedTextPutter> putter;
  KestoPutter* kestoPutter = nullptr;
  if (params.dialect == ExportDialect::kHost) {
    putter = std::make_unique<HostTagPutter>();
    // The dialect's writer leaves the header to its caller.
    if ((params.options & kPutFragment) == 0) {
      std::string_view header = TextEncodings::HeaderFor(params.encoding);
      stream.PutText(std::u16string(header.begin(), header.end()) + u"\r");
    }
  } else {
    putter = std::make_unique<KestoPutter>();
    kestoPutter = static_cast<KestoPutter*>(putter.get());
  }
  putter->SetOptions(params.options);
  putter->SetEncoding(params.encoding);
  KestoExportAgent exportAgent(&stream, kestoPutter, story.GetModel()->CountParagraphs());
  int32_t result = putter->PutStory(story, params.start, params.end, &exportAgent);
  int closed = agent->Close();
  // A failure of the destination is told by its own code.
  if ((result == KestoPutterAgent::kStreamFailed || result == 0) && (closed < 0 || stream.IsBad())) {
    int16_t code = agent->GetError();
    return code != 0 ? code : kIOErr;
  }
  return result;
}

WideString ExportResultMessage(int32_t result) {
  if (result == 0) return {};
  std::string text;
  if (result == kExportCancelled) {
    text = "The export was cancelled.";
  } else if (result == kParamErr) {
    text = "No such story in the document.";
  } else if (result < 0) {
    text = std::string(FileErrorMessage(static_cast<int16_t>(result)));
  } else {
    text = "The story could not be written.";
  }
  return WideFromUtf8(text + " [" + std::to_string(result) + "]");
}

}  // namespace kesto
