// StyleInfo: the persistent IStyleInfo implementation on style objects (kStyleBoss).
#pragma once

#include "host/core/CPMUnknown.h"
#include "host/text/IStyleInfo.h"

// Renames of any style in this process (a name replaced, or a style read back by undo, redo or a file; a new
// style's first name is none): while it stays the same, an index of style names still holds.
uint64_t StyleRenameCount();

class StyleInfo final : public CPMUnknown<IStyleInfo> {
 public:
  explicit StyleInfo(Boss* boss) : CPMUnknown(boss) {}

  StyleKind GetKind() const override { return kind_; }
  const WideString& GetName() const override { return name_; }
  UID GetBasedOn() const override { return basedOn_; }
  UID GetNextStyle() const override { return next_; }
  UID GetCharacterStyle() const override { return characterStyle_; }
  const AttributeBossList& GetAttributes() const override { return attributes_; }

  void SetKind(StyleKind kind) override;
  void SetName(const WideString& name) override;
  void SetBasedOn(UID style) override;
  void SetNextStyle(UID style) override;
  void SetCharacterStyle(UID style) override;
  void SetAttributes(const AttributeBossList& attributes) override;

  void ReadWrite(IPMStream* stream, ImplementationID implementation) override;

 private:
  StyleKind kind_ = StyleKind::kParagraph;
  WideString name_;
  UID basedOn_;
  UID next_;
  UID characterStyle_;
  AttributeBossList attributes_;
};
