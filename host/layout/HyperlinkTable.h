// HyperlinkTable: the persistent IHyperlinkTable implementation on a document.
#pragma once

#include "host/core/CPMUnknown.h"
#include "host/layout/IHyperlinkTable.h"

class HyperlinkTable final : public CPMUnknown<IHyperlinkTable> {
 public:
  explicit HyperlinkTable(Boss* boss) : CPMUnknown(boss) {}
  const std::vector<HyperlinkDestination>& GetDestinations() const override { return destinations_; }
  const std::vector<Hyperlink>& GetHyperlinks() const override { return hyperlinks_; }
  const std::vector<UID>& GetTextAnchors() const override { return anchors_; }
  const HyperlinkDestination* FindDestination(const WideString& name) const override;
  const HyperlinkDestination* FindDestination(uint32_t id) const override;
  const Hyperlink* FindHyperlink(const WideString& name) const override;
  uint32_t SetDestination(HyperlinkDestination destination) override;
  uint32_t AddHyperlink(Hyperlink hyperlink) override;
  void RemoveHyperlink(uint32_t id) override;
  void AddTextAnchor(UID anchor) override;
  void RemoveTextAnchor(UID anchor) override;
  void NoteTextEdit(UID story, int32_t position, int32_t deleted, int32_t inserted) override;
  void ReadWrite(IPMStream* stream, ImplementationID implementation) override;

 private:
  void XferDestinations(IPMStream* stream);
  void XferHyperlinks(IPMStream* stream);
  std::vector<HyperlinkDestination> destinations_;
  std::vector<Hyperlink> hyperlinks_;
  std::vector<UID> anchors_;
  uint32_t lastID_ = 0;
};
