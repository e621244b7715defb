// NewStrokeStyleCmd: adds a stroke style of the user's to a document. Parameters: the target database and
// IStrokeStyleCmdData. Afterwards the item list holds the new style. Fails with kInvalidParameterError for an
// empty name, a name longer than kMaxStrokeStyleNameLength or already in use (stroke styles are found by
// name), a pattern that does not suit its kind, or a database without a stroke-style list.
#pragma once

#include "host/cmd/Command.h"
#include "host/res/IStrokeStyleCmdData.h"

class NewStrokeStyleCmd final : public Command {
 public:
  explicit NewStrokeStyleCmd(Boss* boss) : Command(boss) {}

 protected:
  void Do() override;
  std::string CreateName() const override { return "HostNewStrokeStyleCmd"; }
};

class StrokeStyleCmdData final : public CPMUnknown<IStrokeStyleCmdData> {
 public:
  explicit StrokeStyleCmdData(Boss* boss) : CPMUnknown(boss) {}
  void Set(const WideString& name, StrokeKind kind, const std::vector<double>& pattern) override {
    name_ = name;
    kind_ = kind;
    pattern_ = pattern;
  }
  const WideString& GetName() const override { return name_; }
  StrokeKind GetKind() const override { return kind_; }
  const std::vector<double>& GetPattern() const override { return pattern_; }

 private:
  WideString name_;
  StrokeKind kind_ = StrokeKind::kSolid;
  std::vector<double> pattern_;
};
