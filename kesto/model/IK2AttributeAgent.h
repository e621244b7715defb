// IK2AttributeAgent: the storage behind an attribute manager: a style UID and a list of overrides, kept by
// an attribute set of its own or by one strand of a story.
#pragma once

#include "host/core/IDs.h"
#include "host/text/AttributeBossList.h"

namespace kesto {

class IK2AttributeAgent {
 public:
  virtual ~IK2AttributeAgent() = default;
  virtual void SetStyle(UID style) = 0;
  // kInvalidUID when no style is set.
  virtual UID GetStyle() const = 0;
  // The overrides for reading; nullptr when the agent keeps none. Owned by the agent.
  virtual const AttributeBossList* GetOverrides() const = 0;
  // The overrides for changing; nullptr when the agent cannot keep any. Owned by the agent.
  virtual AttributeBossList* GetOverridesForWrite() = 0;
};

}  // namespace kesto
