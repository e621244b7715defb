// Engine message parameters per thread, and rendering.
#include "kesto/reader/EngineMessages.h"

#include <array>
#include <string>

#include "host/core/Threads.h"
#include "kesto/reader/ErrorMessages.h"

namespace kesto {

namespace {

using Parameters = std::array<WideString, kEngineParameterCount>;

// The host's key finds the thread's parameters; their storage is thread-local, so that it goes away with
// the thread.
Parameters& ThreadParameters() {
  static ThreadLocalKey key;
  auto* parameters = static_cast<Parameters*>(key.Get());
  if (!parameters) {
    thread_local Parameters storage;
    parameters = &storage;
    key.Set(parameters);
  }
  return *parameters;
}

void AppendDecimal(WideString& text, int64_t value) {
  for (char c : std::to_string(value))
    text += static_cast<char16_t>(c);
}

}  // namespace

void SetEngineMessageParameters(std::initializer_list<std::u16string_view> parameters) {
  Parameters& mine = ThreadParameters();
  auto given = parameters.begin();
  for (WideString& parameter : mine) {
    if (given != parameters.end())
      parameter.assign(*given++);
    else
      parameter.clear();
  }
}

WideString GetEngineMessageParameter(int index) {
  if (index < 0 || index >= kEngineParameterCount) return {};
  return ThreadParameters()[static_cast<size_t>(index)];
}

WideString RenderEngineMessage(int32_t engineCode) {
  const Parameters& parameters = ThreadParameters();
  WideString text = EngineMessageText(engineCode);
  WideString out;
  out.reserve(text.size() + 16);
  int nextInTurn = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'^') {
      out += text[i];
      continue;
    }
    if (i + 1 < text.size() && text[i + 1] >= u'0' && text[i + 1] <= u'3') {
      out += parameters[static_cast<size_t>(text[++i] - u'0')];
    } else if (nextInTurn < kEngineParameterCount) {
      out += parameters[static_cast<size_t>(nextInTurn++)];
    }
  }
  out += u" [";
  AppendDecimal(out, engineCode);
  out += u"]";
  return out;
}

}  // namespace kesto
