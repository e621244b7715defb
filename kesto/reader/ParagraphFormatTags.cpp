// The paragraph-format tag *p(left, first, right, leading, before, after, grid, language): indents,
// leading, space before and after, baseline-grid lock and language in one list.
#include <array>

#include "host/text/AttributeClasses.h"
#include "kesto/model/AttributeConversions.h"
#include "kesto/model/K2AttributeSetMgr.h"
#include "kesto/model/Languages.h"
#include "kesto/reader/KestoScanner.h"
#include "kesto/reader/NumberConversion.h"
#include "kesto/reader/ParagraphListTag.h"
#include "kesto/reader/ScannerErrors.h"

namespace kesto {

namespace {

constexpr double kMaxSpace = 1080;

class ParagraphFormatTag final : public ParagraphListTag {
 public:
  using ParagraphListTag::ParagraphListTag;

 private:
  enum Bit { kLeft, kFirst, kRight, kLeading, kBefore, kAfter, kGrid, kLanguage, kCount };

  struct Measure {
    ClassID cls;
    double minimum;
    double maximum;
  };
  // Elements 0, 1, 2, 4 and 5, by bit; leading, grid and language have rules of their own.
  static constexpr std::array<Measure, kCount> kMeasures = {{
      {kTextAttrLeftIndent, 0, kLargestMeasurement},
      {kTextAttrFirstLineIndent, -kLargestMeasurement, kLargestMeasurement},
      {kTextAttrRightIndent, 0, kLargestMeasurement},
      {kTextAttrLeading, 0, 0},
      {kTextAttrSpaceBefore, 0, kMaxSpace},
      {kTextAttrSpaceAfter, 0, kMaxSpace},
      {kTextAttrLockToGrid, 0, 0},
      {kTextAttrLanguage, 0, 0},
  }};

  static bool IsMeasure(int bit) { return bit != kLeading && bit != kGrid && bit != kLanguage; }

  // The values in force, so that relative forms start from them.
  void Begin() override {
    for (int bit = 0; bit < kCount; ++bit)
      if (IsMeasure(bit)) values_[bit] = CurrentReal(kMeasures[bit].cls, 0);
  }

  void Single() override {
    if (!IsDefault()) {
      Fail(kScanMalformedTag);
      return;
    }
    for (int bit = 0; bit < kCount; ++bit)
      MarkClear(bit);
  }

  void ListElement(int32_t element) override {
    if (element >= kCount) return;
    int bit = element;
    if (IsMeasure(bit)) {
      const Measure& m = kMeasures[bit];
      int32_t result = Number(values_[bit], kNumberRelative | kNumberDefaultAllowed, m.minimum, m.maximum);
      if (result == 0)
        MarkSet(bit);
      else if (result == kNumberDefault)
        DefaultReal(m.cls, bit, values_[bit]);
    } else if (bit == kLeading) {
      ReadLeading();
    } else if (bit == kGrid) {
      if (IsDefault()) {
        MarkClear(kGrid);
      } else {
        grid_ = !IsQuoted() && Text() == u"G";
        MarkSet(kGrid);
      }
    } else {
      ReadLanguage();
    }
  }

  // "+v" and "-v" are relative leading; "$" and 0 are automatic leading.
  void ReadLeading() {
    std::u16string_view text = Text();
    relativeLeading_ = !text.empty() && (text[0] == u'+' || text[0] == u'-');
    double limit = kRelativeLeadingLimit;
    int32_t result = Number(leading_, kNumberDefaultAllowed, relativeLeading_ ? -limit : 0, limit);
    if (result == kNumberDefault) {
      leading_ = 0;
      relativeLeading_ = false;
    }
    if (result <= 0) MarkSet(kLeading);
  }

  void ReadLanguage() {
    if (IsDefault()) {
      Fail(kScanNoDefaultValue);
      return;
    }
    language_ = target_ ? FindLanguage(target_->GetDocument(), Text()) : kInvalidUID;
    if (target_ && !language_.IsValid()) {
      Fail(kScanNoSuchLanguage);
      return;
    }
    MarkSet(kLanguage);
  }

  void Apply() override {
    WriteMeasure(kLeft);
    LimitFirstLineIndent();
    WriteMeasure(kFirst);
    WriteMeasure(kRight);
    Write(kTextAttrLeading, kLeading, [&] { return target_->SetLeading(leading_, relativeLeading_); });
    WriteMeasure(kBefore);
    WriteMeasure(kAfter);
    Write(kTextAttrLockToGrid, kGrid, [&] { return target_->SetBool(kTextAttrLockToGrid, grid_); });
    Write(kTextAttrLanguage, kLanguage, [&] { return target_->SetUID(kTextAttrLanguage, language_); });
  }

  void WriteMeasure(int bit) {
    ClassID cls = kMeasures[bit].cls;
    Write(cls, bit, [&] { return target_->SetReal(cls, values_[bit]); });
  }

  // A first line never starts left of the frame: its indent is at least minus the left indent, even when
  // only the left indent changed. The left indent is already written, so the target holds the one in
  // force.
  void LimitFirstLineIndent() {
    double left = CurrentReal(kTextAttrLeftIndent, 0);
    if (IsCleared(kFirst)) {
      (void)target_->ClearOverride(kTextAttrFirstLineIndent);
      Unmark(kFirst);
      values_[kFirst] = CurrentReal(kTextAttrFirstLineIndent, 0);
    }
    if (values_[kFirst] < -left) {
      values_[kFirst] = -left;
      MarkSet(kFirst);
    }
  }

  std::array<double, kCount> values_{};
  double leading_ = 0;
  bool relativeLeading_ = false;
  bool grid_ = false;
  UID language_;
};

}  // namespace

void ReadParagraphFormatTag(KestoScanner& scanner, const ParagraphTargets& targets) {
  ParagraphFormatTag(scanner, targets).Read();
}

}  // namespace kesto
