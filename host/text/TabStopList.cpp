// Tab-stop tables.
#include "host/text/TabStopList.h"

#include <algorithm>
#include <cmath>

#include "host/db/IPMStream.h"
#include "host/text/AttributeClasses.h"

namespace {

bool IsValidPosition(double position) {
  return std::isfinite(position) && position >= 0 && position <= kLargestMeasurement;
}

}  // namespace

bool TabStopList::Add(const TabStop& stop) {
  if (!IsValidPosition(stop.position) || stop.leader.size() > kMaxLeader) return false;
  if (stop.alignment > TabAlignment::kOnCharacter) return false;
  auto it = std::lower_bound(stops_.begin(), stops_.end(), stop.position,
                             [](const TabStop& s, double p) { return s.position < p; });
  if (it != stops_.end() && it->position == stop.position) {
    *it = stop;
    return true;
  }
  if (stops_.size() >= kMaxStops) return false;
  stops_.insert(it, stop);
  return true;
}

bool TabStopList::Remove(double position) {
  return std::erase_if(stops_, [&](const TabStop& s) { return s.position == position; }) > 0;
}

bool TabStopList::Equals(const AttributeObject& other) const {
  const auto* list = dynamic_cast<const TabStopList*>(&other);
  return list && list->stops_ == stops_;
}

std::shared_ptr<AttributeObject> TabStopList::Copy() const {
  return std::make_shared<TabStopList>(*this);
}

// Stops are read in the order Add keeps them; a stop Add would refuse, or one out of order, marks the data
// damaged.
void TabStopList::ReadWrite(IPMStream* stream) {
  constexpr size_t kSmallestStop = 8 + 1 + 2 + 4;
  uint32_t count = stream->XferCount(static_cast<uint32_t>(stops_.size()), kSmallestStop);
  if (stream->IsWriting()) {
    for (TabStop& stop : stops_) {
      auto alignment = static_cast<uint8_t>(stop.alignment);
      auto character = static_cast<int16_t>(stop.alignCharacter);
      stream->XferReal(stop.position);
      stream->XferByte(alignment);
      stream->XferInt16(character);
      stream->XferString(stop.leader);
    }
    return;
  }
  stops_.clear();
  for (uint32_t i = 0; i < count && stream->IsGood(); ++i) {
    TabStop stop;
    uint8_t alignment = 0;
    int16_t character = 0;
    stream->XferReal(stop.position);
    stream->XferByte(alignment);
    stream->XferInt16(character);
    stream->XferString(stop.leader);
    stop.alignment = static_cast<TabAlignment>(alignment);
    stop.alignCharacter = static_cast<char16_t>(character);
    bool ordered = stops_.empty() || stops_.back().position < stop.position;
    if (!stream->Expect(ordered && Add(stop), "a tab stop is out of range or order")) stops_.clear();
  }
}

std::string TabStopList::ToJson() const {
  std::string out = "[";
  for (size_t i = 0; i < stops_.size(); ++i) {
    const TabStop& s = stops_[i];
    if (i > 0) out += ",";
    out += "{\"position\":" + JsonNumber(s.position) +
           ",\"alignment\":" + std::to_string(static_cast<int>(s.alignment)) +
           ",\"alignCharacter\":" + JsonQuote(std::u16string_view(&s.alignCharacter, 1)) +
           ",\"leader\":" + JsonQuote(s.leader) + "}";
  }
  return out + "]";
}
