// The Kesto writer's paragraph style tag and paragraph attribute tags: alignment, keep options, rules,
// drop cap, paragraph formats and tab stops. The list tags are written whole when any part changed.
#include <array>

#include "host/core/InterfacePtr.h"
#include "host/res/ILanguage.h"
#include "host/text/AttributeClasses.h"
#include "host/text/StyleUtils.h"
#include "host/text/TabStopList.h"
#include "kesto/model/AttributeConversions.h"
#include "kesto/model/Languages.h"
#include "kesto/model/VyStrokeTypeDesc.h"
#include "kesto/writer/AttributeComparison.h"
#include "kesto/writer/KestoPutter.h"

namespace kesto {

namespace {

constexpr std::array<const char*, 10> kAlignmentTags = {"*L", "*C", "*R", "*F", "*J",
                                                        "*N", "*G", "*A", "*I", "*O"};

double RealOr(const K2AttributeSetMgr& m, ClassID cls, double fallback) {
  double v = fallback;
  return m.GetReal(cls, v) ? v : fallback;
}

int32_t IntOr(const K2AttributeSetMgr& m, ClassID cls, int32_t fallback) {
  int16_t v = 0;
  return m.GetInt16(cls, v) ? v : fallback;
}

bool BoolOr(const K2AttributeSetMgr& m, ClassID cls) {
  bool v = false;
  return m.GetBool(cls, v) && v;
}

UID UIDOr(const K2AttributeSetMgr& m, ClassID cls) {
  UID v;
  return m.GetUID(cls, v) ? v : UID();
}

struct Keep {
  bool together = false, all = false;
  int32_t first = 2, last = 2;
  bool operator==(const Keep&) const = default;
};

struct Rule {
  bool on = false;
  double weight = 1;
  UID stroke, color;
  double shade = 1;
  double left = 0, right = 0, offset = 0;
  int32_t widthMode = 0;
  bool operator==(const Rule&) const = default;
};

struct RuleClasses {
  ClassID on, weight, stroke, color, tint, left, right, offset, widthMode;
};
constexpr RuleClasses kAbove{
    kTextAttrRuleAboveOn,          kTextAttrRuleAboveWeight, kTextAttrRuleAboveStrokeType,
    kTextAttrRuleAboveColor,       kTextAttrRuleAboveTint,   kTextAttrRuleAboveLeftIndent,
    kTextAttrRuleAboveRightIndent, kTextAttrRuleAboveOffset, kTextAttrRuleAboveWidthMode};
constexpr RuleClasses kBelow{
    kTextAttrRuleBelowOn,          kTextAttrRuleBelowWeight, kTextAttrRuleBelowStrokeType,
    kTextAttrRuleBelowColor,       kTextAttrRuleBelowTint,   kTextAttrRuleBelowLeftIndent,
    kTextAttrRuleBelowRightIndent, kTextAttrRuleBelowOffset, kTextAttrRuleBelowWidthMode};

Rule RuleOf(const K2AttributeSetMgr& m, const RuleClasses& c) {
  Rule r;
  r.on = BoolOr(m, c.on);
  r.weight = RealOr(m, c.weight, 1);
  r.stroke = UIDOr(m, c.stroke);
  r.color = UIDOr(m, c.color);
  r.shade = DecodeShade(RealOr(m, c.tint, -1));
  r.left = RealOr(m, c.left, 0);
  r.right = RealOr(m, c.right, 0);
  r.offset = RealOr(m, c.offset, 0);
  int32_t mode = 0;
  r.widthMode = m.GetEnum(c.widthMode, mode) ? mode : 0;
  return r;
}

struct Formats {
  double left = 0, first = 0, right = 0;
  Leading leading;
  double before = 0, after = 0;
  bool grid = false;
  UID language;
  bool operator==(const Formats&) const = default;
};

Formats FormatsOf(const K2AttributeSetMgr& m) {
  Formats f;
  f.left = RealOr(m, kTextAttrLeftIndent, 0);
  f.first = RealOr(m, kTextAttrFirstLineIndent, 0);
  f.right = RealOr(m, kTextAttrRightIndent, 0);
  (void)m.GetLeading(f.leading);
  f.before = RealOr(m, kTextAttrSpaceBefore, 0);
  f.after = RealOr(m, kTextAttrSpaceAfter, 0);
  f.grid = BoolOr(m, kTextAttrLockToGrid);
  f.language = UIDOr(m, kTextAttrLanguage);
  return f;
}

struct Tabs {
  ObjectRef list;
  bool operator==(const Tabs& other) const {
    if (!list || !other.list) return list == other.list;
    return list->Equals(*other.list);
  }
  const TabStopList* Stops() const { return dynamic_cast<const TabStopList*>(list.get()); }
};

// The value to write when the list tag needs writing: one of `classes` may differ and any component does
// differ from the base, or there is no base.
template <class T, class Get>
std::optional<T> Changed(const ChangedClasses& changed, std::initializer_list<ClassID> classes,
                         const K2AttributeSetMgr& current, const K2AttributeSetMgr* base, Get get) {
  if (!changed.AnyOf(classes)) return std::nullopt;
  T value = get(current);
  if (base && get(*base) == value) return std::nullopt;
  return value;
}

}  // namespace

bool KestoPutter::PutParagraphStyleTag(const K2AttributeSetMgr& paragraph) {
  UID style = paragraph.GetStyle();
  PutChar(u'@');
  bool real = style.IsValid() && style != paragraph.RootStyle();
  if (real && style == paragraph.DefaultParagraphStyle()) {
    PutChar(u'$');
  } else if (real) {
    if (InterfacePtr<IStyleInfo> info =
            StyleUtils::QueryStyle(paragraph.GetDocument(), style, StyleKind::kParagraph))
      PutStyleName(info->GetName(), false);
  }
  PutChar(u':');
  return real;
}

void KestoPutter::PutParagraphAttributes(const K2AttributeSetMgr& current, const K2AttributeSetMgr* base) {
  // Paragraphs of one style differ only where their overrides do.
  changed_.Reset();
  if (base && base->GetStyle() == current.GetStyle()) {
    changed_.Compare(current.GetAgent()->GetOverrides(), base->GetAgent()->GetOverrides());
    if (changed_.IsEmpty()) return;
  }
  if (changed_.AnyOf({kTextAttrAlignment})) {
    auto alignment = CompareAttribute<int32_t>(current, base, nullptr, [](const K2AttributeSetMgr& m) {
      int32_t v = 0;
      return m.GetEnum(kTextAttrAlignment, v) ? std::optional<int32_t>(v) : std::nullopt;
    });
    if (alignment.action == TagAction::kWrite && *alignment.current >= 0 &&
        *alignment.current < static_cast<int32_t>(kAlignmentTags.size()))
      PutTag(kAlignmentTags[*alignment.current]);
  }

  if (auto keepNext = Changed<int32_t>(changed_, {kTextAttrKeepWithNext}, current, base,
                                       [](auto& m) { return IntOr(m, kTextAttrKeepWithNext, 0); })) {
    OpenTag("*kn");
    PutInteger(*keepNext);
    CloseTag();
  }

  if (auto keep = Changed<Keep>(
          changed_,
          {kTextAttrKeepLinesTogether, kTextAttrKeepAllLines, kTextAttrKeepFirstLines,
           kTextAttrKeepLastLines},
          current, base, [](const K2AttributeSetMgr& m) {
            return Keep{BoolOr(m, kTextAttrKeepLinesTogether), BoolOr(m, kTextAttrKeepAllLines),
                        IntOr(m, kTextAttrKeepFirstLines, 2), IntOr(m, kTextAttrKeepLastLines, 2)};
          })) {
    OpenTag("*kt");
    if (!keep->together) {
      PutChar(u'0');
    } else if (keep->all) {
      PutAscii("(A)");
    } else {
      PutIntegerPair(keep->first, keep->last);
    }
    CloseTag();
  }

  PutRule(current, base, true);
  PutRule(current, base, false);

  struct DropCap {
    int32_t characters = 0, lines = 0;
    bool operator==(const DropCap&) const = default;
  };
  if (auto drop = Changed<DropCap>(
          changed_, {kTextAttrDropCapCharacters, kTextAttrDropCapLines}, current, base,
          [](const K2AttributeSetMgr& m) {
            return DropCap{IntOr(m, kTextAttrDropCapCharacters, 0), IntOr(m, kTextAttrDropCapLines, 0)};
          })) {
    OpenTag("*d");
    if (drop->lines <= 0) {
      PutChar(u'0');
    } else {
      PutIntegerPair(drop->characters, drop->lines);
    }
    CloseTag();
  }

  if (auto formats = Changed<Formats>(
          changed_,
          {kTextAttrLeftIndent, kTextAttrFirstLineIndent, kTextAttrRightIndent, kTextAttrLeading,
           kTextAttrSpaceBefore, kTextAttrSpaceAfter, kTextAttrLockToGrid, kTextAttrLanguage},
          current, base, FormatsOf)) {
    OpenTag("*p(");
    PutNumber(formats->left);
    PutChar(u',');
    PutNumber(formats->first);
    PutChar(u',');
    PutNumber(formats->right);
    PutChar(u',');
    if (formats->leading.relative) {
      PutChar(u'+');
      PutNumber(formats->leading.value);
    } else if (formats->leading.value != 0) {
      PutNumber(formats->leading.value);
    }
    PutChar(u',');
    PutNumber(formats->before);
    PutChar(u',');
    PutNumber(formats->after);
    PutChar(u',');
    PutChar(formats->grid ? u'G' : u'g');
    PutChar(u',');
    if (formats->language.IsValid()) {
      IDataBase* db = current.GetDocument();
      std::optional<int32_t> number = LanguageNumberOf(db, formats->language);
      const LanguageRow* row = number ? LanguageRowOf(*number) : nullptr;
      if (row) {
        PutText(row->english, true, true);
      } else if (InterfacePtr<ILanguage> language = Instantiate<ILanguage>(db, formats->language)) {
        PutText(language->GetName(), true, true);
      }
    }
    PutChar(u')');
    CloseTag();
  }

  if (changed_.AnyOf({kTextAttrTabStops})) PutTabStops(current, base);
}

void KestoPutter::PutIntegerPair(int32_t first, int32_t second) {
  PutChar(u'(');
  PutInteger(first);
  PutChar(u',');
  PutInteger(second);
  PutChar(u')');
}

void KestoPutter::PutRule(const K2AttributeSetMgr& current, const K2AttributeSetMgr* base, bool above) {
  const RuleClasses& c = above ? kAbove : kBelow;
  auto rule = Changed<Rule>(
      changed_, {c.on, c.weight, c.stroke, c.color, c.tint, c.left, c.right, c.offset, c.widthMode}, current,
      base, [&](const K2AttributeSetMgr& m) { return RuleOf(m, c); });
  if (!rule) return;
  OpenTag(above ? "*ra" : "*rb");
  if (!rule->on) {
    PutChar(u'0');
    CloseTag();
    return;
  }
  IDataBase* db = current.GetDocument();
  PutChar(u'(');
  PutNumber(rule->weight);
  PutChar(u',');
  VyStrokeTypeDesc stroke = DescribeStrokeType(db, rule->stroke);
  if (stroke.kind == VyStrokeTypeDesc::kByName) {
    PutText(stroke.name, true, true);
  } else {
    std::u16string_view name =
        StrokeTypeWriterName(stroke.kind == VyStrokeTypeDesc::kByIndex ? stroke.index : 0);
    PutText(name.empty() ? std::u16string_view(u"Solid") : name, true, true);
  }
  PutChar(u',');
  PutColorValue(db, rule->color, true);
  PutChar(u',');
  PutNumber(rule->shade * 100);
  PutAscii(",100,");
  if (rule->widthMode == 1) PutChar(u'T');
  PutNumber(rule->left);
  PutChar(u',');
  PutNumber(rule->right);
  PutChar(u',');
  PutNumber(rule->offset);
  PutChar(u')');
  CloseTag();
}

void KestoPutter::PutTabStops(const K2AttributeSetMgr& current, const K2AttributeSetMgr* base) {
  auto tabsOf = [](const K2AttributeSetMgr& m) {
    Tabs t;
    (void)m.GetObject(kTextAttrTabStops, t.list);
    return t;
  };
  Tabs tabs = tabsOf(current);
  const TabStopList* stops = tabs.Stops();
  if (!stops) return;
  if (base ? tabsOf(*base) == tabs : stops->empty()) return;
  OpenTag("*t");
  if (stops->empty()) {
    // "0" empties the table; a list would add a stop at 0.
    PutChar(u'0');
    CloseTag();
    return;
  }
  PutChar(u'(');
  bool first = true;
  for (const TabStop& stop : stops->Stops()) {
    if (!first) PutChar(u',');
    first = false;
    PutNumber(stop.position);
    PutChar(u',');
    switch (stop.alignment) {
      case TabAlignment::kLeft:
        PutChar(u'0');
        break;
      case TabAlignment::kCenter:
        PutChar(u'1');
        break;
      case TabAlignment::kRight:
        PutChar(u'2');
        break;
      case TabAlignment::kOnCharacter:
        if (stop.alignCharacter == u'.') {
          PutChar(u'4');
        } else if (stop.alignCharacter == u',') {
          PutChar(u'5');
        } else {
          PutText(std::u16string_view(&stop.alignCharacter, 1), true, true);
        }
        break;
    }
    PutChar(u',');
    // "1c" is leader c (a space: none), "2cd" the two-character leader cd.
    std::u16string leader;
    if (stop.leader.empty()) {
      leader = u"1 ";
    } else if (stop.leader.size() == 1) {
      leader = u"1" + std::u16string(1, stop.leader[0]);
    } else {
      leader = u"2" + std::u16string(stop.leader.substr(0, 2));
    }
    PutText(leader, true, true);
  }
  PutChar(u')');
  CloseTag();
}

}  // namespace kesto
