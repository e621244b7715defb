// K2StrandAgent: the attribute agent bound to one strand (paragraph or character) of one host story: Load
// takes the style and the overrides in force at a story index.
#pragma once

#include "host/core/InterfacePtr.h"
#include "host/text/ITextModel.h"
#include "kesto/model/K2AttributeSet.h"

namespace kesto {

class K2StrandAgent final : public K2AttributeSet {
 public:
  explicit K2StrandAgent(TextStrand strand) : strand_(strand) {}
  void Bind(InterfacePtr<ITextModel> story) { story_ = std::move(story); }
  TextStrand GetStrand() const { return strand_; }
  // The style and overrides of the run holding host index `index`; with no story, nothing changes.
  void Load(int32_t index);

 private:
  TextStrand strand_;
  InterfacePtr<ITextModel> story_;
};

}  // namespace kesto
