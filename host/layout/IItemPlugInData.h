// IItemPlugInData (on every page item): data that plug-ins keep on the item, each block under the ID of the
// plug-in's own that owns it (its attribute or implementation ID), as bytes only that plug-in reads. The
// host keeps a block whether or not its plug-in is loaded, copies it with the item and saves it.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "host/core/IPMUnknown.h"
#include "host/layout/HyperlinkIDs.h"

using PlugInBytes = std::vector<uint8_t>;
// Longest block an item keeps under one ID.
inline constexpr size_t kMaxPlugInBytes = 1 << 20;

class IItemPlugInData : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_IITEMPLUGINDATA.Get() };
  // Ascending by ID, one block per ID.
  virtual const std::vector<std::pair<uint32_t, PlugInBytes>>& GetAll() const = 0;
  // The block under `id`; nullptr when the item has none.
  virtual const PlugInBytes* Get(uint32_t id) const = 0;
  // Sets the block under `id` (an empty one is kept as empty).
  virtual void Set(uint32_t id, const PlugInBytes& bytes) = 0;
  virtual void Remove(uint32_t id) = 0;
};
