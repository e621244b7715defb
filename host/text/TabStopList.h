// TabStopList: the value of the tab-stops paragraph attribute: stops ordered by position, at most one per
// position, each with an alignment, an align-on character and a leader.
#pragma once

#include <vector>

#include "host/text/AttributeValue.h"

enum class TabAlignment : uint8_t { kLeft = 0, kCenter = 1, kRight = 2, kOnCharacter = 3 };

struct TabStop {
  double position = 0;  // points from the paragraph's left edge
  TabAlignment alignment = TabAlignment::kLeft;
  char16_t alignCharacter = u'.';  // used by kOnCharacter
  WideString leader;               // repeated to fill the tab's space; empty for none
  bool operator==(const TabStop&) const = default;
};

class TabStopList final : public AttributeObject {
 public:
  // Bounds that keep a hostile document or tag small.
  static constexpr size_t kMaxStops = 256;
  static constexpr size_t kMaxLeader = 8;

  // Adds a stop, replacing one at the same position. False (nothing changes) when the position is not a
  // finite number in 0..kLargestMeasurement, the leader is longer than kMaxLeader, or the list is full.
  bool Add(const TabStop& stop);
  // Removes the stop at `position`; false when there is none.
  bool Remove(double position);
  const std::vector<TabStop>& Stops() const { return stops_; }
  size_t size() const { return stops_.size(); }
  bool empty() const { return stops_.empty(); }

  bool Equals(const AttributeObject& other) const override;
  std::shared_ptr<AttributeObject> Copy() const override;
  void ReadWrite(IPMStream* stream) override;
  std::string ToJson() const override;

 private:
  std::vector<TabStop> stops_;
};
