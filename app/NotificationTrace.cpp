// Tracing the notifications of documents.
#include "app/NotificationTrace.h"

#include <memory>
#include <sstream>

#include "app/Output.h"
#include "host/compose/NotificationRecorder.h"
#include "host/core/CPMUnknown.h"
#include "host/core/Registry.h"
#include "host/core/ServiceRegistry.h"
#include "host/db/SafeFileWriter.h"
#include "host/notify/IResponder.h"

namespace pagehost {
namespace {

// pagehost's own block of identifiers.
constexpr ClassID kTraceResponderBoss = 0x20F00;
constexpr ImplementationID kTraceResponderImpl = 0x20F00;

// The file is written through the safe writer like every file pagehost writes: it appears whole when the
// command ends.
struct Trace {
  std::unique_ptr<SafeFileWriter> writer;
  NotificationRecorder recorder{[this](const NotificationRecord& r) { Write(r); }};

  void Write(const NotificationRecord& r) {
    std::ostringstream out;
    std::string name(ChangeName(r.cls));
    if (name.empty()) name = Registry::Get().GetClassName(r.cls);
    out << "{\"role\":\"" << r.role << "\",\"class\":" << r.cls.Get();
    if (!name.empty()) out << ",\"name\":\"" << name << "\"";
    out << ",\"protocol\":" << r.protocol.Get() << ",\"items\":[";
    for (size_t i = 0; i < r.items.size(); ++i)
      out << (i > 0 ? "," : "") << r.items[i].Get();
    out << "],\"failed\":" << (r.failed ? "true" : "false") << "}\n";
    std::string line = out.str();
    writer->Stream().XferBytes(reinterpret_cast<uint8_t*>(line.data()), line.size());
  }
};

std::unique_ptr<Trace>& Current() {
  static std::unique_ptr<Trace> trace;
  return trace;
}

class TraceResponder final : public CPMUnknown<IResponder> {
 public:
  explicit TraceResponder(Boss* boss) : CPMUnknown(boss) {}
  std::vector<ClassID> GetSignals(ServiceID) const override {
    return {kAfterNewDocSignal, kAfterOpenDocSignal};
  }
  void Respond(const SignalData& signal) override {
    Trace* trace = Current().get();
    if (!trace) return;
    trace->Write({"signal", signal.signal, kInvalidInterfaceID, {signal.document.GetUID()}, false, nullptr});
    trace->recorder.Attach(signal.document.GetDataBase());
  }
};

}  // namespace

std::optional<std::string> TakeTraceOption(std::vector<std::string>& words, bool& missing) {
  std::string option = kTraceOption;
  for (size_t i = 0; i < words.size(); ++i) {
    std::string file;
    size_t taken = 1;
    if (words[i] == option && i + 1 < words.size() && !words[i + 1].empty()) {
      file = words[i + 1];
      taken = 2;
    } else if (words[i].rfind(option + "=", 0) == 0) {
      file = words[i].substr(option.size() + 1);
    } else if (words[i] != option) {
      continue;
    }
    words.erase(words.begin() + static_cast<std::ptrdiff_t>(i),
                words.begin() + static_cast<std::ptrdiff_t>(i + taken));
    missing = file.empty();
    return file;
  }
  return std::nullopt;
}

std::string StartNotificationTrace(const std::string& file) {
  auto trace = std::make_unique<Trace>();
  if (FileResult begun = SafeFileWriter::Begin(file, trace->writer); !begun.ok()) return begun.message;
  Registry& r = Registry::Get();
  if (!r.IsClassRegistered(kTraceResponderBoss)) {
    (void)r.RegisterImplementation<TraceResponder>(kTraceResponderImpl);
    (void)r.RegisterClass(kTraceResponderBoss, kInvalidClass, "kTraceResponderBoss",
                          {{IID_IRESPONDER, kTraceResponderImpl}});
    (void)ServiceRegistry::Get().Register(kDocumentSignalService, kTraceResponderBoss);
  }
  Current() = std::move(trace);
  return {};
}

bool StopNotificationTrace() {
  std::unique_ptr<Trace> trace = std::move(Current());
  if (!trace) return true;
  trace->recorder.Detach();
  return trace->writer->Commit().ok();
}

}  // namespace pagehost
