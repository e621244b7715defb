// ItemLookData: the persistent implementations of a page item's graphic attributes, text wrap and object
// style.
#pragma once

#include "host/core/CPMUnknown.h"
#include "host/db/IDataBase.h"
#include "host/layout/IGraphicAttributes.h"
#include "host/layout/IItemObjectStyle.h"
#include "host/layout/ITextWrap.h"

class GraphicAttributesData final : public CPMUnknown<IGraphicAttributes> {
 public:
  explicit GraphicAttributesData(Boss* boss) : CPMUnknown(boss) {}
  const GraphicAttributeList& GetAttributes() const override { return attributes_; }
  void SetAttributes(const GraphicAttributeList& attributes) override;
  void ReadWrite(IPMStream* stream, ImplementationID implementation) override;

 private:
  GraphicAttributeList attributes_;
};

class TextWrapData final : public CPMUnknown<ITextWrap> {
 public:
  explicit TextWrapData(Boss* boss) : CPMUnknown(boss) {}
  const TextWrapSettings& GetWrap() const override { return wrap_; }
  void SetWrap(const TextWrapSettings& wrap) override;
  void ReadWrite(IPMStream* stream, ImplementationID implementation) override;

 private:
  TextWrapSettings wrap_;
};

class ItemObjectStyleData final : public CPMUnknown<IItemObjectStyle> {
 public:
  explicit ItemObjectStyleData(Boss* boss) : CPMUnknown(boss) {}
  ObjectStyleID GetStyle() const override { return style_; }
  void SetStyle(ObjectStyleID style) override;
  void ReadWrite(IPMStream* stream, ImplementationID implementation) override;

 private:
  ObjectStyleID style_ = kInvalidObjectStyle;
};

// Gives the item `copy` the look of `original` (inside a command that copies items).
void CopyItemLook(IDataBase* db, UID original, UID copy);
