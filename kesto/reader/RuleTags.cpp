// The rule tags *ra (above) and *rb (below): weight, line style, colour, shade, indents and offset of a
// paragraph rule in one list, "0" to turn the rule off, "$" for the style's rule.
#include <array>

#include "host/text/AttributeClasses.h"
#include "kesto/model/AttributeConversions.h"
#include "kesto/model/K2AttributeSetMgr.h"
#include "kesto/model/VyStrokeTypeDesc.h"
#include "kesto/reader/ColorNames.h"
#include "kesto/reader/KestoScanner.h"
#include "kesto/reader/NumberConversion.h"
#include "kesto/reader/ParagraphListTag.h"
#include "kesto/reader/ScannerErrors.h"

namespace kesto {

namespace {

constexpr double kMaxWeight = 1080;
constexpr double kMinPointOffset = -540;
constexpr double kMaxPointOffset = 1080;
constexpr int32_t kMaxLineStyleNumber = 255;
// Line-style numbers 128..133 are older spellings of 5..10.
constexpr int32_t kFirstOldLineStyle = 128;
constexpr int32_t kLastOldLineStyle = 133;
constexpr int32_t kOldLineStyleShift = 123;
constexpr int32_t kBlackCode = 2;
// Files before version 7 have no tint element.
constexpr double kFirstVersionWithTint = 7.0;

struct RuleClasses {
  ClassID on, weight, style, color, tint, left, right, offset, widthMode, space;
};

// `space` is the paragraph spacing a percentage offset is taken of: before for the rule above, after for
// the rule below.
constexpr RuleClasses kAbove = {kTextAttrRuleAboveOn,          kTextAttrRuleAboveWeight,
                                kTextAttrRuleAboveStrokeType,  kTextAttrRuleAboveColor,
                                kTextAttrRuleAboveTint,        kTextAttrRuleAboveLeftIndent,
                                kTextAttrRuleAboveRightIndent, kTextAttrRuleAboveOffset,
                                kTextAttrRuleAboveWidthMode,   kTextAttrSpaceBefore};
constexpr RuleClasses kBelow = {kTextAttrRuleBelowOn,          kTextAttrRuleBelowWeight,
                                kTextAttrRuleBelowStrokeType,  kTextAttrRuleBelowColor,
                                kTextAttrRuleBelowTint,        kTextAttrRuleBelowLeftIndent,
                                kTextAttrRuleBelowRightIndent, kTextAttrRuleBelowOffset,
                                kTextAttrRuleBelowWidthMode,   kTextAttrSpaceAfter};

class RuleTag final : public ParagraphListTag {
 public:
  RuleTag(KestoScanner& scanner, const ParagraphTargets& targets, bool above)
      : ParagraphListTag(scanner, targets), classes_(above ? kAbove : kBelow) {}

 private:
  enum Bit { kOn, kWeight, kStyle, kColor, kShade, kLeft, kRight, kOffset, kWidthMode, kCount };
  // Element positions in files of version 7 and later.
  enum Element {
    kWeightElement,
    kStyleElement,
    kColorElement,
    kShadeElement,
    kTintElement,
    kLeftElement,
    kRightElement,
    kOffsetElement
  };

  IDataBase* Document() const { return target_ ? target_->GetDocument() : nullptr; }

  bool DefaultsHaveRule() const {
    bool on = false;
    return defaults_ && defaults_->GetBool(classes_.on, on) && on;
  }

  void Begin() override {
    on_ = true;
    weight_ = 1;
    style_ = VyStrokeTypeDesc();
    style_.kind = VyStrokeTypeDesc::kByIndex;
    color_ = VyColorDesc();
    color_.kind = VyColorDesc::kStandard;
    color_.standardCode = kBlackCode;
    noColor_ = false;
    shade_ = 1;
    left_ = right_ = offset_ = 0;
    offsetIsPercentage_ = false;
    widthMode_ = 0;
    for (int bit = 0; bit < kCount; ++bit)
      MarkSet(bit);
  }

  // "0" turns the rule off and changes nothing else; "$" removes every override of the rule.
  void Single() override {
    if (IsDefault()) {
      for (int bit = 0; bit < kCount; ++bit)
        MarkClear(bit);
      return;
    }
    double zero = 0;
    if (Number(zero, kNumberChecked, 0, 0) != 0) return;
    for (int bit = 0; bit < kCount; ++bit)
      Unmark(bit);
    on_ = false;
    MarkSet(kOn);
  }

  void ListElement(int32_t element) override {
    if (Version() < kFirstVersionWithTint && element >= kTintElement) ++element;
    switch (element) {
      case kWeightElement:
        ReadWeight();
        break;
      case kStyleElement:
        ReadStyle();
        break;
      case kColorElement:
        ReadColor();
        break;
      case kShadeElement:
        if (Number(shade_, kNumberPercentage | kNumberDefaultAllowed, 0, 1) == kNumberDefault) {
          shade_ = 1;
          if (defaults_ && defaults_->GetReal(classes_.tint, shade_)) shade_ = DecodeShade(shade_);
        }
        break;
      case kTintElement: {
        double tint = 0;  // read for its errors; the host's rules have no tint of their own
        (void)Number(tint, kNumberPercentage, 0, 1);
        break;
      }
      case kLeftElement:
        ReadIndent(classes_.left, kLeft, left_);
        break;
      case kRightElement:
        ReadIndent(classes_.right, kRight, right_);
        break;
      case kOffsetElement:
        ReadOffset();
        break;
      default:
        break;
    }
  }

  void ReadWeight() {
    if (Number(weight_, kNumberDefaultAllowed, 0, kMaxWeight) != kNumberDefault) return;
    if (!DefaultsHaveRule()) {
      Fail(kScanNoDefaultValue);
      return;
    }
    DefaultReal(classes_.weight, kWeight, weight_);
  }

  // A quoted name (built-in in three languages, else a stroke style of the document) or a number.
  void ReadStyle() {
    if (IsDefault()) {
      if (DefaultsHaveRule())
        MarkClear(kStyle);
      else
        Fail(kScanNoDefaultValue);
      return;
    }
    style_ = VyStrokeTypeDesc();
    if (IsQuoted()) {
      int32_t index = StrokeTypeIndexOfName(Text());
      if (index >= 0) {
        style_.kind = VyStrokeTypeDesc::kByIndex;
        style_.index = index;
      } else {
        style_.kind = VyStrokeTypeDesc::kByName;
        style_.name = WideString(Text().substr(0, kMaxStrokeTypeNameLength));
      }
    } else {
      int32_t number = 0;
      if (Integer(number, kNumberChecked, 0, kMaxLineStyleNumber) != 0) return;
      if (number >= kFirstOldLineStyle && number <= kLastOldLineStyle) number -= kOldLineStyleShift;
      style_.kind = VyStrokeTypeDesc::kByIndex;
      style_.index = number;
    }
    if (Document() && !ResolveStrokeType(Document(), style_).IsValid()) Fail(kScanNoSuchLineStyle);
  }

  void ReadColor() {
    if (IsDefault()) {
      if (DefaultsHaveRule())
        MarkClear(kColor);
      else
        Fail(kScanNoDefaultValue);
      return;
    }
    noColor_ = scanner_.Params().IsSingleLetter(u'T', true);
    if (noColor_ || !Document()) return;
    if (!ColorSpecFromName(Document(), Text(), color_) || !ResolveColor(color_).IsValid())
      Fail(kScanNoSuchColor);
  }

  // A leading "T" measures the rule from the text's edges rather than the column's. Files before version 7
  // put the letter on whichever indent came first in their layout, so either indent may carry it.
  void ReadIndent(ClassID cls, int bit, double& value) {
    std::u16string_view text = Text();
    if (!text.empty() && (text[0] == u'T' || text[0] == u't')) {
      widthMode_ = 1;
      text.remove_prefix(1);
    }
    int32_t result =
        Checked(ConvertNumber(text, value, kNumberDefaultAllowed, -kLargestMeasurement, kLargestMeasurement));
    if (result != kNumberDefault) return;
    DefaultReal(cls, bit, value);
    if (bit == kLeft) DefaultEnum(classes_.widthMode, kWidthMode, widthMode_);
  }

  // Points, or with a trailing "%" a share of the paragraph spacing on the rule's side.
  void ReadOffset() {
    std::u16string_view text = Text();
    offsetIsPercentage_ = !text.empty() && text.back() == u'%';
    int32_t result = offsetIsPercentage_
                         ? Number(offset_, kNumberPercentage | kNumberDefaultAllowed, 0, 1)
                         : Number(offset_, kNumberDefaultAllowed, kMinPointOffset, kMaxPointOffset);
    if (result == kNumberDefault) {
      offsetIsPercentage_ = false;
      DefaultReal(classes_.offset, kOffset, offset_);
    }
  }

  void DefaultEnum(ClassID cls, int bit, int32_t& value) {
    if (defaults_ && defaults_->GetEnum(cls, value))
      MarkSet(bit);
    else
      MarkClear(bit);
  }

  void Apply() override {
    const RuleClasses& c = classes_;
    Write(c.on, kOn, [&] { return target_->SetBool(c.on, on_); });
    Write(c.weight, kWeight, [&] { return target_->SetReal(c.weight, weight_); });
    Write(c.style, kStyle, [&] { return target_->SetStrokeType(c.style, style_); });
    Write(c.color, kColor, [&] {
      return noColor_ ? target_->SetUID(c.color, kInvalidUID) : target_->SetColor(color_, c.color);
    });
    Write(c.tint, kShade, [&] { return target_->SetReal(c.tint, EncodeShade(shade_)); });
    Write(c.left, kLeft, [&] { return target_->SetReal(c.left, left_); });
    Write(c.right, kRight, [&] { return target_->SetReal(c.right, right_); });
    if (offsetIsPercentage_) offset_ *= CurrentReal(c.space, 0);
    Write(c.offset, kOffset, [&] { return target_->SetReal(c.offset, offset_); });
    Write(c.widthMode, kWidthMode, [&] { return target_->SetEnum(c.widthMode, widthMode_); });
  }

  const RuleClasses& classes_;
  bool on_ = true;
  double weight_ = 1;
  VyStrokeTypeDesc style_;
  VyColorDesc color_;
  bool noColor_ = false;
  double shade_ = 1;
  double left_ = 0;
  double right_ = 0;
  double offset_ = 0;
  bool offsetIsPercentage_ = false;
  int32_t widthMode_ = 0;
};

}  // namespace

void ReadRuleTag(KestoScanner& scanner, const ParagraphTargets& targets, bool above) {
  RuleTag(scanner, targets, above).Read();
}

}  // namespace kesto
