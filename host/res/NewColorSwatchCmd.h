// NewColorSwatchCmd: adds a process or spot colour to a document's swatch list. Parameters: the target
// database and IColorSwatchCmdData. A name another swatch has is made unique (" 2", " 3" ...); an empty name
// makes an unnamed colour. Afterwards the item list holds the new swatch. Fails with kInvalidParameterError
// for a colour out of its space's range, a name longer than kMaxSwatchNameLength, or a database without a
// swatch list.
#pragma once

#include "host/cmd/Command.h"
#include "host/res/IColorSwatchCmdData.h"

class NewColorSwatchCmd final : public Command {
 public:
  explicit NewColorSwatchCmd(Boss* boss) : Command(boss) {}

 protected:
  void Do() override;
  std::string CreateName() const override { return "HostNewColorSwatchCmd"; }
};

class ColorSwatchCmdData final : public CPMUnknown<IColorSwatchCmdData> {
 public:
  explicit ColorSwatchCmdData(Boss* boss) : CPMUnknown(boss) {}
  void Set(const WideString& name, const ColorValue& color) override {
    name_ = name;
    color_ = color;
  }
  const WideString& GetName() const override { return name_; }
  const ColorValue& GetColor() const override { return color_; }

 private:
  WideString name_;
  ColorValue color_;
};
