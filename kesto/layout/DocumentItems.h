// DocumentItems: the document operations of the box builder: layers, grouping, and finding a box by its
// label. Each answers kInvalidUID when the host refused or nothing matches (the global error code reset).
#pragma once

#include <vector>

#include "host/core/WideString.h"
#include "kesto/layout/VyDocument.h"

namespace kesto {

// Where FindBoxByLabel looks.
enum class LabelScope : int32_t { kSpread = 0, kPage = 1, kDocument = 2 };

UID FindLayer(const VyDocument& document, const WideString& name);
// A visible, unlocked layer named `name` (which becomes the active layer).
UID CreateLayer(const VyDocument& document, const WideString& name);
UID ActiveLayer(const VyDocument& document);
// One group of `boxes` (one host command).
UID GroupBoxes(const VyDocument& document, const std::vector<UID>& boxes);
// The first item whose default label is exactly `name`: on the page of `frame` (kPage), in the spread of
// `frame` with everything inside groups (kSpread), or in the first spread of the document that has one
// (kDocument). Each list goes on with what the pages show of their masters, the nearest master last.
UID FindBoxByLabel(const VyDocument& document, const WideString& name, LabelScope scope, UID frame);

// Page item iterators: first, then next, until none (kInvalidUID).
class IVyPageItemIterator {
 public:
  virtual ~IVyPageItemIterator() = default;
  virtual UID First() = 0;
  virtual UID Next() = 0;
};

// Over a list of items.
class K2PageItemListIterator : public IVyPageItemIterator {
 public:
  explicit K2PageItemListIterator(std::vector<UID> items) : items_(std::move(items)) {}
  UID First() override {
    next_ = 0;
    return Next();
  }
  UID Next() override { return next_ < items_.size() ? items_[next_++] : kInvalidUID; }

 private:
  std::vector<UID> items_;
  size_t next_ = 0;
};

// Over the children of one item (a group's members), back to front.
class K2ChildItemIterator : public K2PageItemListIterator {
 public:
  K2ChildItemIterator(const VyDocument& document, UID item);
};

}  // namespace kesto
