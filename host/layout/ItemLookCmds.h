// The commands that change how items look. Each refuses the whole item list (changing nothing) when an item
// is no page item or is locked, or a value is out of range or names no swatch, stroke style or object style
// of the document; each announces its class on IID_IPAGEITEMCHANGES with the items (a new style on
// IID_IOBJECTSTYLECHANGES, with the new style in the change's position).
#pragma once

#include "host/core/CPMUnknown.h"
#include "host/layout/IItemLookCmdData.h"
#include "host/layout/LayoutCommand.h"

class ItemLookCommand : public LayoutCommand {
 protected:
  ItemLookCommand(Boss* boss, PMIID protocol) : LayoutCommand(boss, protocol) {}
  ItemLookParams& LookParams() const;
  // Whether every attribute of `list` holds a value of its class, referring to what the document has.
  bool AttributesAreSound(const GraphicAttributeList& list) const;
};

// Gives each item the attributes of `attributes` (replacing its own values of their classes) after taking
// away its own values of the classes in `clear`. A stroke weight of 0 among the attributes applies no stroke
// colour, tint, type, alignment, gap colour or gap tint of the list.
class ApplyGraphicAttributesCmd final : public ItemLookCommand {
 public:
  explicit ApplyGraphicAttributesCmd(Boss* boss) : ItemLookCommand(boss, IID_IPAGEITEMCHANGES) {}

 protected:
  void Do() override;
  std::string CreateName() const override { return "Apply Graphic Attributes"; }
};

// Gives each item the wrap `wrap`, but for offsets of kKeepWrapOffset, where each keeps its own.
class SetTextWrapCmd final : public ItemLookCommand {
 public:
  explicit SetTextWrapCmd(Boss* boss) : ItemLookCommand(boss, IID_IPAGEITEMCHANGES) {}

 protected:
  void Do() override;
  std::string CreateName() const override { return "Text Wrap"; }
};

// Makes the style `newStyle` (its name not empty, at most kMaxObjectStyleNameLength long and not taken),
// based on its based-on style or, when it names none, on the default for `kind`; answers it in `style`.
class NewObjectStyleCmd final : public ItemLookCommand {
 public:
  explicit NewObjectStyleCmd(Boss* boss) : ItemLookCommand(boss, IID_IOBJECTSTYLECHANGES) {}

 protected:
  void Do() override;
  std::string CreateName() const override { return "New Object Style"; }
};

// Gives each item the style `style`: the item gives up its own values of what the style governs, takes the
// style's wrap where it governs wrap, and a text frame takes its options and insets where it governs them.
class ApplyObjectStyleCmd final : public ItemLookCommand {
 public:
  explicit ApplyObjectStyleCmd(Boss* boss) : ItemLookCommand(boss, IID_IPAGEITEMCHANGES) {}

 protected:
  void Do() override;
  std::string CreateName() const override { return "Apply Object Style"; }

 private:
  void ApplyFrameOptions(UID item, const ObjectStyle& style);
};

class ItemLookCmdData final : public CPMUnknown<IItemLookCmdData> {
 public:
  explicit ItemLookCmdData(Boss* boss) : CPMUnknown(boss) {}
  ItemLookParams& Params() override { return params_; }

 private:
  ItemLookParams params_;
};
