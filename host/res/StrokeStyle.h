// StrokeStyle: the persistent IStrokeStyle of a stroke-style object in a document.
#pragma once

#include "host/core/CPMUnknown.h"
#include "host/res/IStrokeStyle.h"

class StrokeStyle final : public CPMUnknown<IStrokeStyle> {
 public:
  explicit StrokeStyle(Boss* boss) : CPMUnknown(boss) {}
  WideString GetName() const override { return name_; }
  StrokeKind GetKind() const override { return kind_; }
  const std::vector<double>& GetPattern() const override { return pattern_; }
  bool IsBuiltIn() const override { return builtIn_; }
  void Set(const WideString& name, StrokeKind kind, const std::vector<double>& pattern,
           bool builtIn) override;
  void ReadWrite(IPMStream* stream, ImplementationID implementation) override;

 private:
  WideString name_;
  StrokeKind kind_ = StrokeKind::kSolid;
  std::vector<double> pattern_;
  bool builtIn_ = false;
};
