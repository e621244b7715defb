// The Kesto writer's character style tag and character attribute tags, in the order the reader expects
// them: type-style letters, shade, size-independent tags, font, language, features.
#include <array>

#include "host/core/InterfacePtr.h"
#include "host/res/IFontFamily.h"
#include "host/text/AttributeClasses.h"
#include "host/text/StyleUtils.h"
#include "kesto/model/FaceNames.h"
#include "kesto/model/Languages.h"
#include "kesto/model/VyColorDesc.h"
#include "kesto/writer/AttributeComparison.h"
#include "kesto/writer/KestoPutter.h"

namespace kesto {

namespace {

// Type-style letters in writing order, with the bit that suppresses each when set in the current flags.
struct TypeStyleLetter {
  int32_t bit;
  const char* letter;
  int32_t excludedBy;  // -1 for none
};
constexpr std::array<TypeStyleLetter, 12> kLetters = {{
    {kBoldBit, "B", -1},
    {kItalicBit, "I", -1},
    {kOutlineBit, "O", -1},
    {kShadowBit, "S", -1},
    {kUnderlineBit, "U", kWordUnderlineBit},
    {kWordUnderlineBit, "W", kUnderlineBit},
    {kStrikeThroughBit, "/", -1},
    {kAllCapsBit, "K", kSmallCapsBit},
    {kSmallCapsBit, "H", kAllCapsBit},
    {kSuperscriptBit, "+", kSubscriptBit},
    {kSubscriptBit, "-", kSuperscriptBit},
    {kSuperiorBit, "V", -1},
}};

template <class T, bool (K2AttributeSetMgr::*Getter)(ClassID, T&) const>
auto ValueOf(ClassID cls) {
  return [cls](const K2AttributeSetMgr& m) -> std::optional<T> {
    T value{};
    if (!(m.*Getter)(cls, value)) return std::nullopt;
    return value;
  };
}

// A reader of a tag-side value through one of the manager's getters.
auto Getter(bool (K2AttributeSetMgr::*get)(double&) const) {
  return [get](const K2AttributeSetMgr& m) -> std::optional<double> {
    double value = 0;
    if (!(m.*get)(value)) return std::nullopt;
    return value;
  };
}

// Writes `tag` and the value for a changed attribute, "tag$" for one to revert.
template <class T, class Write>
void PutCompared(KestoPutter& putter, const Compared<T>& compared, std::string_view tag, Write write) {
  if (compared.action == TagAction::kNothing) return;
  putter.OpenTag(tag);
  if (compared.action == TagAction::kWrite)
    write(*compared.current);
  else
    putter.PutChar(u'$');
  putter.CloseTag();
}

auto RealOf(ClassID cls) {
  return ValueOf<double, &K2AttributeSetMgr::GetReal>(cls);
}
auto BoolOf(ClassID cls) {
  return ValueOf<bool, &K2AttributeSetMgr::GetBool>(cls);
}
auto UIDOf(ClassID cls) {
  return ValueOf<UID, &K2AttributeSetMgr::GetUID>(cls);
}

struct Scale {
  bool vertical = false;
  double value = 1;
  bool operator==(const Scale&) const = default;
};

struct Kerning {
  double value = 0;
  WideString method;
  bool operator==(const Kerning&) const = default;
};

std::optional<Kerning> KerningOf(const K2AttributeSetMgr& m) {
  Kerning k;
  if (!m.GetKerning(k.value)) return std::nullopt;
  if (k.value == kKerningByMethodTag && !m.GetKerningMethodName(k.method)) k.value = 0;
  return k;
}

// The full name of a font in the family's first naming form; empty when the family cannot name it.
WideString FullFontName(IDataBase* db, const VyFontDesc& font) {
  if (!font.family.IsValid()) return {};
  InterfacePtr<IFontFamily> family = Instantiate<IFontFamily>(db, font.family);
  return family ? family->GetFullName(font.face, 0) : WideString();
}

// Faces of one family that differ only in boldness and slant: the type-style letters change them.
bool DifferOnlyInFace(const VyFontDesc& a, const VyFontDesc& b) {
  return a.family == b.family && AnalyseFaceName(a.face).remaining == AnalyseFaceName(b.face).remaining;
}

}  // namespace

bool KestoPutter::PutCharacterStyleTag(const K2AttributeSetMgr& paragraph, const K2AttributeSetMgr& run) {
  // A run without a style is one of the root style.
  UID style = run.GetStyle().IsValid() ? run.GetStyle() : run.RootStyle();
  IDataBase* db = run.GetDocument();
  PutAscii("<@");
  bool real = true;
  // The default style first, so that a run leaving a character style says "<@$>", which the reader
  // applies without keeping the old style's look.
  if (style == run.DefaultCharacterStyle()) {
    PutChar(u'$');
  } else if (style == run.RootStyle() || !style.IsValid()) {
    real = false;
  } else if (style == paragraph.PairedCharacterStyle()) {
    PutAscii("$p");
  } else if (InterfacePtr<IStyleInfo> info = StyleUtils::QueryStyle(db, style, StyleKind::kCharacter)) {
    PutStyleName(info->GetName(), false);
  }
  PutChar(u'>');
  return real;
}

void KestoPutter::PutCharacterAttributes(const K2AttributeSetMgr& current, const K2AttributeSetMgr* base,
                                         const K2AttributeSetMgr* context) {
  // Runs of one style differ only where their overrides do.
  changed_.Reset();
  if (base && base->GetStyle() == current.GetStyle()) {
    changed_.Compare(current.GetAgent()->GetOverrides(), base->GetAgent()->GetOverrides());
    if (changed_.IsEmpty()) return;
  }
  auto number = [this](double scale) { return [this, scale](double v) { PutNumber(v * scale); }; };
  if (changed_.AnyOf({kTextAttrFontStyle, kTextAttrFontFamily, kTextAttrUnderline, kTextAttrStrikeThrough,
                      kTextAttrCapitalization, kTextAttrPosition}))
    PutTypeStyle(current, base, context);
  if (changed_.AnyOf({kTextAttrShade}))
    PutCompared(*this, CompareAttribute<double>(current, base, context, Getter(&K2AttributeSetMgr::GetShade)),
                "s", number(100));
  if (!base) PutTag("p100");
  if (changed_.AnyOf({kTextAttrTracking}))
    PutCompared(*this,
                CompareAttribute<double>(current, base, context, Getter(&K2AttributeSetMgr::GetTracking)),
                "t", number(1));
  if (changed_.AnyOf({kTextAttrHorizontalScale, kTextAttrVerticalScale})) {
    auto scale = CompareAttribute<Scale>(current, base, context, [](const K2AttributeSetMgr& m) {
      Scale s;
      return m.GetScale(s.vertical, s.value) ? std::optional<Scale>(s) : std::nullopt;
    });
    bool vertical = scale.current ? scale.current->vertical : scale.base && scale.base->vertical;
    PutCompared(*this, scale, vertical ? "y" : "h", [&](const Scale& s) { PutNumber(s.value * 100); });
  }
  if (changed_.AnyOf({kTextAttrPointSize}))
    PutCompared(*this, CompareAttribute<double>(current, base, context, RealOf(kTextAttrPointSize)), "z",
                number(1));
  if (changed_.AnyOf({kTextAttrKerningValue, kTextAttrKerningMethod}))
    PutCompared(*this, CompareAttribute<Kerning>(current, base, context, KerningOf), "k",
                [&](const Kerning& k) {
                  if (k.value == kKerningByMethodTag)
                    PutText(k.method, true, true);
                  else
                    PutNumber(k.value);
                });
  if (changed_.AnyOf({kTextAttrLeading})) {
    auto leading = CompareAttribute<Leading>(current, base, context, [](const K2AttributeSetMgr& m) {
      Leading l;
      return m.GetLeading(l) ? std::optional<Leading>(l) : std::nullopt;
    });
    PutCompared(*this, leading, "&L", [&](const Leading& l) {
      if (l.value == 0 && !l.relative)
        PutChar(u'a');
      else
        PutNumber(l.value);
    });
  }
  if (changed_.AnyOf({kTextAttrBaselineShift}))
    PutCompared(*this, CompareAttribute<double>(current, base, context, RealOf(kTextAttrBaselineShift)), "b",
                number(1));
  IDataBase* db = current.GetDocument();
  if (changed_.AnyOf({kTextAttrFillColor}))
    // No colour at all has no name the reader knows: it is what "$" gives back where no style colours.
    PutCompared(*this,
                CompareAttribute<UID>(current, base, context,
                                      [](const K2AttributeSetMgr& m) -> std::optional<UID> {
                                        UID swatch;
                                        if (!m.GetUID(kTextAttrFillColor, swatch) || !swatch.IsValid())
                                          return std::nullopt;
                                        return swatch;
                                      }),
                "c", [&](UID swatch) { PutColorValue(db, swatch, false); });
  if (changed_.AnyOf({kTextAttrNoBreak})) PutSwitch(current, base, context, kTextAttrNoBreak, "N");
  if (changed_.AnyOf({kTextAttrFontFamily, kTextAttrFontStyle})) PutFont(current, base, context);
  if (changed_.AnyOf({kTextAttrLanguage})) {
    // A language without a number of the tag language gets no tag.
    auto language = CompareAttribute<UID>(current, base, context, UIDOf(kTextAttrLanguage));
    std::optional<int32_t> languageNumber;
    if (language.current) languageNumber = LanguageNumberOf(db, *language.current);
    if (language.action == TagAction::kRevert || languageNumber)
      PutCompared(*this, language, "n", [&](UID) { PutInteger(*languageNumber); });
  }
  if (changed_.AnyOf({kTextAttrStylisticAlternates, kTextAttrSlashedZero, kTextAttrContextualAlternates,
                      kTextAttrSwash, kTextAttrItalicForms, kTextAttrTitlingAlternates,
                      kTextAttrDiscretionaryLigatures, kTextAttrFractions, kTextAttrOrdinals,
                      kTextAttrHistoricalForms, kTextAttrMarkPositioning, kTextAttrLocalizedForms,
                      kTextAttrStylisticSets, kTextAttrPosition, kTextAttrCapitalization,
                      kTextAttrFigureStyle, kTextAttrPositionalForm}))
    PutFeatures(current, base, context);
  if (changed_.AnyOf({kTextAttrLigatures})) PutSwitch(current, base, context, kTextAttrLigatures, "G");
}

void KestoPutter::PutSwitch(const K2AttributeSetMgr& current, const K2AttributeSetMgr* base,
                            const K2AttributeSetMgr* context, ClassID cls, std::string_view tag) {
  // The reader takes "$" as the paragraph's value, which then is the run's own: so the values are compared
  // as they look (the paragraph's standing in), and the value itself is written.
  auto inForce = [&](const K2AttributeSetMgr& m) {
    std::optional<bool> value = BoolOf(cls)(m);
    if (!value && context) value = BoolOf(cls)(*context);
    return value;
  };
  std::optional<bool> value = inForce(current);
  if (base && inForce(*base) == value) return;
  if (!value && !base) return;
  OpenTag(tag);
  PutChar(!value ? u'$' : *value ? u'1' : u'0');
  CloseTag();
}

void KestoPutter::PutTypeStyle(const K2AttributeSetMgr& current, const K2AttributeSetMgr* base,
                               const K2AttributeSetMgr* context) {
  TypeStyle flags = current.GetTypeStyle(context) & kAllTypeStyleBits;
  TypeStyle written = flags;
  if (base) {
    written = flags ^ (base->GetTypeStyle(context) & kAllTypeStyleBits);
    if (written == 0) return;
  } else if (flags == kPlain) {
    PutTag("P");
    return;
  }
  bool separate = HasOption(kPutOneAttributePerTag);
  bool open = false;
  for (const TypeStyleLetter& l : kLetters) {
    if ((written & Flag(l.bit)) == 0) continue;
    if (l.excludedBy >= 0 && (flags & Flag(l.excludedBy)) != 0) continue;
    // On a definition line a letter makes the reader write every type-style attribute into the style (a
    // plain face, no underline ...), hiding what the style is based on or used with: the face comes with
    // the font tags, and a style bit that is added is given by the tag that sets only its attribute.
    if (defining_ && (Flag(l.bit) & kFaceBits) != 0) continue;
    if (defining_ && (flags & Flag(l.bit)) != 0) {
      if (open) CloseTag();
      open = false;
      OpenTag("~");
      PutAscii(l.letter);
      CloseTag();
      continue;
    }
    if (separate) {
      PutTag(l.letter);
      continue;
    }
    if (!open) OpenTag("");
    open = true;
    PutAscii(l.letter);
  }
  if (open) CloseTag();
}

void KestoPutter::PutFont(const K2AttributeSetMgr& current, const K2AttributeSetMgr* base,
                          const K2AttributeSetMgr* context) {
  IDataBase* db = current.GetDocument();
  auto font = CompareAttribute<VyFontDesc>(current, base, context, [](const K2AttributeSetMgr& m) {
    VyFontDesc f;
    return m.GetFont(f) ? std::optional<VyFontDesc>(f) : std::nullopt;
  });
  // On a definition line a full name would keep the boldness and slant in force: family and face go
  // separately.
  if (font.current && !defining_) {
    WideString name = FullFontName(db, *font.current);
    if (!name.empty()) {
      // The font the reader has: the base's own, else the paragraph's.
      std::optional<VyFontDesc> inForce = font.base;
      VyFontDesc paragraphFont;
      if (!inForce && base && context && context->GetFont(paragraphFont)) inForce = paragraphFont;
      if (inForce && (name == FullFontName(db, *inForce) || DifferOnlyInFace(*font.current, *inForce)))
        return;
      if (base && context && context->GetFont(paragraphFont) && paragraphFont == *font.current) {
        PutTag("f$");
        return;
      }
      OpenTag("f");
      PutText(name, true, true);
      CloseTag();
      return;
    }
  } else if (font.action == TagAction::kRevert) {
    // Back to the paragraph's font; when only boldness and slant differ, the letters did that already.
    VyFontDesc paragraphFont;
    if (context && context->GetFont(paragraphFont) && DifferOnlyInFace(paragraphFont, *font.base)) return;
    PutTag("f$");
  }
  // No full name (no family, or a face the family lacks): family and face, each when the one in force
  // changes. They are compared as the text shows them (the paragraph's standing in), since what the reader
  // holds as its own may differ from the run's without changing the look. After a revert the reader has the
  // paragraph's font again.
  bool reverted = !font.current && font.action == TagAction::kRevert;
  auto inForce = [&](const K2AttributeSetMgr* m, auto get) {
    decltype(get(current)) value;
    if (m) value = get(*m);
    if (!value && context) value = get(*context);
    return value;
  };
  const K2AttributeSetMgr* nameBase = reverted ? nullptr : base;
  auto familyOf = UIDOf(kTextAttrFontFamily);
  std::optional<UID> family = inForce(&current, familyOf);
  std::optional<UID> baseFamily = inForce(nameBase, familyOf);
  if (family != baseFamily || !base) {
    InterfacePtr<IFontFamily> f =
        family && family->IsValid() ? Instantiate<IFontFamily>(db, *family) : InterfacePtr<IFontFamily>();
    if (f) {
      OpenTag("ff");
      PutText(f->GetFamilyName(), true, true);
      CloseTag();
    } else if (base && !family) {
      PutTag("ff$");
    }
  }
  auto faceOf = ValueOf<WideString, &K2AttributeSetMgr::GetString>(kTextAttrFontStyle);
  std::optional<WideString> face = inForce(&current, faceOf);
  std::optional<WideString> baseFace = inForce(nameBase, faceOf);
  if (base && face == baseFace) return;
  // A face that differs from the one in force only in boldness and slant is the type-style letters' work;
  // without a family the letters know nothing of the face.
  VyFontDesc inFamily;
  bool lettersSeeFace = current.GetFont(inFamily, context) && inFamily.family.IsValid();
  if (face && baseFace && lettersSeeFace && !defining_ &&
      AnalyseFaceName(*baseFace).remaining == AnalyseFaceName(*face).remaining)
    return;
  if (face && !face->empty()) {
    OpenTag("fs");
    PutText(*face, true, true);
    CloseTag();
  } else if (base) {
    PutTag("fs$");
  }
}

void KestoPutter::PutFeatures(const K2AttributeSetMgr& current, const K2AttributeSetMgr* base,
                              const K2AttributeSetMgr* context) {
  // The reader applies features to the text even on a definition line, where they would change the text
  // that follows instead of the style.
  if (defining_) return;
  auto features = CompareAttribute<FeatureList>(current, base, context, [](const K2AttributeSetMgr& m) {
    FeatureList list;
    return m.GetFeatures(list) ? std::optional<FeatureList>(list) : std::nullopt;
  });
  if (features.action == TagAction::kRevert) {
    PutTag("o($)");
    return;
  }
  if (features.action != TagAction::kWrite) return;
  // The reader only switches listed features on: when the base has one the current list lacks, the list
  // starts over from "$".
  bool restart = false;
  if (features.base) {
    for (const FeatureEntry& held : *features.base) {
      const FeatureEntry* kept = features.current->Find(held.cls);
      restart |= !kept || (held.cls == kTextAttrStylisticSets ? (held.value & ~kept->value) != 0
                                                              : kept->value != held.value);
    }
  }
  OpenTag("o(");
  bool first = true;
  if (restart) {
    PutChar(u'$');
    first = false;
  }
  for (const FeatureEntry& entry : *features.current) {
    for (int32_t k = 0; k < FeatureCodeCount(entry); ++k) {
      FeatureCode code = FeatureCodeOf(entry, k);
      if (code == kNoFeatureCode) continue;
      if (!first) PutChar(u',');
      first = false;
      PutText(FeatureCodeText(code), true, false);
    }
  }
  PutChar(u')');
  CloseTag();
}

void KestoPutter::PutColorValue(IDataBase* db, UID swatch, bool ruleColor) {
  VyColorDesc spec;
  if (!DescribeColor(db, swatch, spec)) {
    PutText(u"Black", true, true);
    return;
  }
  if (spec.kind == VyColorDesc::kStandard) {
    static const char* const kLetters[] = {nullptr, "W", "K", nullptr, "C", "M", "Y"};
    if (spec.standardCode >= 1 && spec.standardCode <= 6 && kLetters[spec.standardCode]) {
      PutAscii(kLetters[spec.standardCode]);
      // An unquoted name runs to the end of its tag group: what follows goes in a group of its own.
      if (!ruleColor && grouping_ && groupOpen_) {
        PutChar(u'>');
        groupOpen_ = false;
      }
      return;
    }
    if (ruleColor && spec.standardCode == kNoColorCode) {
      PutChar(u'T');
      return;
    }
    if (spec.name.empty()) spec.SetName(u"None");
  }
  PutText(spec.name, true, true);
}

}  // namespace kesto
