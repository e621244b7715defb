// NewTintSwatchCmd: makes a tint of a swatch. Parameters: the item list holds the base swatch; IRealData the
// tint in percent (0..100). A tint of a tint is made from the tint's own base. When the list already has that
// tint of that base, no new swatch is made. Afterwards the item list holds the tint. Fails with
// kInvalidParameterError when the base is not a swatch or is the None swatch, or the tint is out of range.
#pragma once

#include "host/cmd/Command.h"

class NewTintSwatchCmd final : public Command {
 public:
  explicit NewTintSwatchCmd(Boss* boss) : Command(boss) {}

 protected:
  void Do() override;
  std::string CreateName() const override { return "HostNewTintSwatchCmd"; }
};
