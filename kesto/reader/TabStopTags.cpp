// The tab-stop tag *t: a list of (position, alignment, leader) triples that replaces the paragraph's tab
// stops, "0" for none, "$" for the style's.
#include <memory>

#include "host/text/AttributeClasses.h"
#include "host/text/TabStopList.h"
#include "kesto/model/K2AttributeSetMgr.h"
#include "kesto/model/TabStopSettings.h"
#include "kesto/reader/KestoScanner.h"
#include "kesto/reader/NumberConversion.h"
#include "kesto/reader/ParagraphListTag.h"
#include "kesto/reader/ScannerErrors.h"

namespace kesto {

namespace {

// Files of versions up to 1.7 wrote stops below 0.1 point that meant the smallest position.
constexpr double kLastVersionWithMinimumPosition = 1.7;
constexpr double kMinimumOldPosition = 0.1;
constexpr int32_t kLastAlignmentCode = kTabCodeOnComma;

class TabStopsTag final : public ParagraphListTag {
 public:
  using ParagraphListTag::ParagraphListTag;

 private:
  enum Bit { kStops };
  enum Field { kPosition, kAlignment, kLeader, kFieldCount };

  void Begin() override {
    table_ = std::make_shared<TabStopList>();
    triple_ = -1;
    MarkSet(kStops);
  }

  void Single() override {
    if (IsDefault()) {
      MarkClear(kStops);
      return;
    }
    double zero = 0;
    (void)Number(zero, kNumberChecked, 0, 0);
  }

  void ListElement(int32_t element) override {
    int32_t triple = element / kFieldCount;
    if (triple != triple_) {
      if (triple_ >= 0 && !AddStop()) return;
      triple_ = triple;
      stop_ = NewTabStop(0);
    }
    switch (element % kFieldCount) {
      case kPosition:
        ReadPosition();
        break;
      case kAlignment:
        ReadAlignment();
        break;
      default:
        ReadLeader();
        break;
    }
  }

  void Apply() override {
    if (IsSet(kStops) && triple_ >= 0 && !AddStop()) return;
    Write(kTextAttrTabStops, kStops, [&] { return target_->SetObject(kTextAttrTabStops, table_); });
  }

  bool AddStop() {
    if (table_->size() >= TabStopList::kMaxStops && !HasStopAt(stop_.position)) return Fail(kScanTooManyTabs);
    if (!table_->Add(stop_)) return Fail(kScanValueOutOfRange);
    return true;
  }

  bool HasStopAt(double position) const {
    for (const TabStop& stop : table_->Stops())
      if (stop.position == position) return true;
    return false;
  }

  void ReadPosition() {
    double position = 0;
    if (Number(position, 0, 0, kLargestMeasurement) != 0) return;
    if (Version() <= kLastVersionWithMinimumPosition && position < kMinimumOldPosition)
      position = kMinimumOldPosition;
    stop_.position = position;
  }

  // A code 0..5, or a quoted character to align on.
  void ReadAlignment() {
    if (IsQuoted()) {
      std::u16string_view text = Text();
      if (text.size() != 1 || !SetTabAlignCharacter(stop_, text[0])) Fail(kScanMalformedTabAlignment);
      return;
    }
    int32_t code = 0;
    if (Integer(code, kNumberChecked, 0, kLastAlignmentCode) == 0) (void)SetTabAlignment(stop_, code);
  }

  // "c" or "1c" for the leader c, "2cd" for the two-character leader cd.
  void ReadLeader() {
    std::u16string_view text = Text();
    bool ok = false;
    if (text.size() == 1)
      ok = SetTabLeader(stop_, text[0]);
    else if (text.size() == 2 && text[0] == u'1')
      ok = SetTabLeader(stop_, text[1]);
    else if (text.size() == 3 && text[0] == u'2')
      ok = SetTabLeader(stop_, text[1], text[2]);
    if (!ok) Fail(kScanMalformedTabLeader);
  }

  std::shared_ptr<TabStopList> table_;
  TabStop stop_;
  int32_t triple_ = -1;
};

}  // namespace

void ReadTabStopsTag(KestoScanner& scanner, const ParagraphTargets& targets) {
  TabStopsTag(scanner, targets).Read();
}

}  // namespace kesto
