// Page item references: a counted reference to the document (VyDocument) and the item's UID (0: none).
// XPageItem is the one the builder creates and works on; each of its operations is one host command (or
// none) and answers false or 0 when the host refused, with the global error code reset so that the host
// raises no alert.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "host/core/WideString.h"
#include "host/layout/Geometry.h"
#include "host/layout/ILayoutCmdData.h"
#include "host/layout/IStoryAnchors.h"
#include "kesto/layout/VyDocument.h"

namespace kesto {

class VyPageItemInfo;

class K2VyPageItemRef : public VyObject {
 public:
  K2VyPageItemRef() = default;
  K2VyPageItemRef(VyRef<VyDocument> document, UID uid) : document_(std::move(document)), uid_(uid) {}
  K2VyPageItemRef(const K2VyPageItemRef& other) : VyObject(), document_(other.document_), uid_(other.uid_) {}
  K2VyPageItemRef& operator=(const K2VyPageItemRef& other) {
    document_ = other.document_;
    uid_ = other.uid_;
    return *this;
  }

  VyDocument* GetDocument() const { return document_.get(); }
  IDataBase* DataBase() const { return document_ ? document_->GetDataBase() : nullptr; }
  UID GetUID() const { return uid_; }
  bool IsValid() const { return document_ && uid_.IsValid(); }

 protected:
  VyRef<VyDocument> document_;
  UID uid_;
};

class VyPageItem : public K2VyPageItemRef {
 public:
  using K2VyPageItemRef::K2VyPageItemRef;
  // The host's grid of the item; the host keeps none, so every item answers the invalid grid.
  static constexpr int32_t kInvalidGridID = -1;
  int32_t GetGridID() const { return kInvalidGridID; }
};

// The content of a picture frame, and the owner of an item anchored in text.
class VyImageItem : public K2VyPageItemRef {
 public:
  using K2VyPageItemRef::K2VyPageItemRef;
};
class VyInlineItem : public K2VyPageItemRef {
 public:
  using K2VyPageItemRef::K2VyPageItemRef;
};

class XPageItem : public VyPageItem {
 public:
  using VyPageItem::VyPageItem;

  // Makes the item `record` describes, its corners taken on document page `pageIndex`, then applies the
  // record; an empty reference when the host made nothing.
  static XPageItem CreateBox(VyRef<VyDocument> document, const VyPageItemInfo& record, int32_t pageIndex);

  // The item's bounds in its spread's coordinates (empty for no item).
  PMRect GetBounds() const;
  bool IsTextFrame() const;
  // Moves the item onto `spread` in its layer for `layer`, in front of the layer's items or, without
  // `toFront`, behind them. Answers the item's UID, or 0.
  UID MoveToSpreadAndLayer(UID spread, UID layer, bool toFront);
  // Moves and resizes the item to `bounds` (spread coordinates): a transformed item or a group keeps its
  // transform, takes the wanted size and is centred on the wanted bounds.
  bool SetBounds(const PMRect& bounds);
  // Links this text frame after the frame `previous` in one text flow.
  bool ThreadFrom(UID previous);
  // Directly behind `reference`; behind everything with none.
  bool SendBehind(UID reference);
  // The host's one on/off item state: the lock.
  bool SetItemState(bool on);
  bool SetLabel(const WideString& text);
  bool SetLabels(const std::vector<std::pair<WideString, WideString>>& labels);
  // Anchors the item on the U+FFFC at host index `index` of `story`.
  bool AnchorAt(UID story, int32_t index, AnchorKind kind);
  // Removes the item and clears the reference.
  void DeleteBox();

  // Runs the layout command `cls` on this item; answers the host's error (the global error code reset).
  ErrorCode Run(ClassID cls, const LayoutParams& params, std::vector<UID>* made = nullptr) const;
};

}  // namespace kesto
