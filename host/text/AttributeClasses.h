// The text attribute classes: what each class number means, whether it is a paragraph or a character
// attribute, the kind and declared range of its value, its default, and (for classes that take part in the
// host's tagged-text dialect) its tag names and parse and write routines. Plug-ins add classes of their own.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "host/text/AttributeValue.h"
#include "host/text/TextIDs.h"

// Class numbers of the host's text attributes.
// Character attributes.
inline constexpr ClassID kTextAttrFillColor = 6913;        // UID of a swatch
inline constexpr ClassID kTextAttrFontStyle = 6914;        // face name within the family
inline constexpr ClassID kTextAttrPointSize = 6915;        // points
inline constexpr ClassID kTextAttrHorizontalScale = 6918;  // fraction, 1 = 100 %
inline constexpr ClassID kTextAttrKerningMethod = 6919;    // class of a kerning-method provider
inline constexpr ClassID kTextAttrLigatures = 6920;        // on/off
inline constexpr ClassID kTextAttrTracking = 6923;         // ems
inline constexpr ClassID kTextAttrBaselineShift = 6928;    // points
inline constexpr ClassID kTextAttrCapitalization =
    6929;  // 0 normal, 1 small caps, 2 all caps, 3 all small caps
inline constexpr ClassID kTextAttrKerningValue = 6931;   // ems; kKerningByMethod hands kerning to the method
inline constexpr ClassID kTextAttrVerticalScale = 6933;  // fraction, 1 = 100 %
inline constexpr ClassID kTextAttrLeading = 6939;        // points; kAutoLeading, or relative (see below)
inline constexpr ClassID kTextAttrLanguage = 6941;       // UID of a language
inline constexpr ClassID kTextAttrNoBreak = 6948;        // on/off
inline constexpr ClassID kTextAttrUnderline = 6954;      // on/off
inline constexpr ClassID kTextAttrFontFamily = 6955;     // UID of a font family
inline constexpr ClassID kTextAttrFigureStyle = 6956;    // 0..3, 4 = the font's default
inline constexpr ClassID kTextAttrPosition = 6972;       // 0 normal, 1 super, 2 sub, 3..6 OpenType forms
inline constexpr ClassID kTextAttrStrikeThrough = 6973;  // on/off
inline constexpr ClassID kTextAttrShade = 6978;          // percent, -1 = 100 %
inline constexpr ClassID kTextAttrOrdinals = 7020;       // OpenType "ordn"
inline constexpr ClassID kTextAttrFractions = 7021;      // OpenType "frac"
inline constexpr ClassID kTextAttrDiscretionaryLigatures = 7022;  // OpenType "dlig"
inline constexpr ClassID kTextAttrTitlingAlternates = 7023;       // OpenType "titl"
inline constexpr ClassID kTextAttrStylisticAlternates = 7034;     // OpenType "salt"
inline constexpr ClassID kTextAttrPositionalForm = 7041;          // 0..5: init, medi, fina, isol from 2
inline constexpr ClassID kTextAttrMarkPositioning = 7042;         // OpenType "mark"
inline constexpr ClassID kTextAttrLocalizedForms = 7044;          // OpenType "locl"
inline constexpr ClassID kTextAttrSlashedZero = 7048;             // OpenType "zero"
inline constexpr ClassID kTextAttrStylisticSets = 7049;           // mask, bit n = set n (1..20)
inline constexpr ClassID kTextAttrHistoricalForms = 7050;         // OpenType "hist"
inline constexpr ClassID kTextAttrContextualAlternates = 7052;    // OpenType "calt"
inline constexpr ClassID kTextAttrSwash = 7114;                   // OpenType "swsh"
inline constexpr ClassID kTextAttrItalicForms = 17046;            // OpenType "ital"
// Character attributes of the host's own block.
inline constexpr ClassID kTextAttrPageNumberKind = 0x205C0;  // on U+0018: 0 current, 1 previous, 2 next page
inline constexpr ClassID kTextAttrTextAnchor = 0x205C1;      // on U+FEFF: UID of the text anchor it carries
// Paragraph attributes.
inline constexpr ClassID kTextAttrDropCapCharacters = 6925;
inline constexpr ClassID kTextAttrDropCapLines = 6926;
inline constexpr ClassID kTextAttrLeftIndent = 6934;       // points
inline constexpr ClassID kTextAttrRightIndent = 6935;      // points
inline constexpr ClassID kTextAttrFirstLineIndent = 6936;  // points
inline constexpr ClassID kTextAttrSpaceBefore = 6950;      // points
inline constexpr ClassID kTextAttrSpaceAfter = 6951;       // points
inline constexpr ClassID kTextAttrTabStops = 6953;         // TabStopList
inline constexpr ClassID kTextAttrKeepAllLines = 6968;
inline constexpr ClassID kTextAttrKeepWithNext = 6969;  // lines of the next paragraph, 0..5
inline constexpr ClassID kTextAttrKeepFirstLines = 6970;
inline constexpr ClassID kTextAttrKeepLastLines = 6971;
inline constexpr ClassID kTextAttrKeepLinesTogether = 6976;
inline constexpr ClassID kTextAttrRuleAboveColor = 6988;   // UID of a swatch
inline constexpr ClassID kTextAttrRuleAboveWeight = 6989;  // points
inline constexpr ClassID kTextAttrRuleAboveTint = 6990;    // percent, -1 = 100 %
inline constexpr ClassID kTextAttrRuleAboveOffset = 6991;  // points
inline constexpr ClassID kTextAttrRuleAboveLeftIndent = 6992;
inline constexpr ClassID kTextAttrRuleAboveRightIndent = 6993;
inline constexpr ClassID kTextAttrRuleAboveWidthMode = 6994;  // 0 column width, 1 text width
inline constexpr ClassID kTextAttrRuleBelowColor = 6995;
inline constexpr ClassID kTextAttrRuleBelowWeight = 6996;
inline constexpr ClassID kTextAttrRuleBelowTint = 6997;
inline constexpr ClassID kTextAttrRuleBelowOffset = 6998;
inline constexpr ClassID kTextAttrRuleBelowLeftIndent = 6999;
inline constexpr ClassID kTextAttrRuleBelowRightIndent = 7000;
inline constexpr ClassID kTextAttrRuleBelowWidthMode = 7001;
inline constexpr ClassID kTextAttrRuleAboveOn = 7004;
inline constexpr ClassID kTextAttrRuleBelowOn = 7005;
// The break that ends the paragraph (on its return): the next paragraph starts in the next 1 column,
// 2 frame, 3 page, 4 odd page, 5 even page; 0 no break.
inline constexpr ClassID kTextAttrBreakKind = 7018;
inline constexpr ClassID kTextAttrRuleAboveStrokeType = 7025;  // UID of a stroke style
inline constexpr ClassID kTextAttrRuleBelowStrokeType = 7026;
inline constexpr ClassID kTextAttrAlignment = 7038;  // 0..9: left, center, right, justified last left ...
inline constexpr ClassID kTextAttrLockToGrid = 16998;

// Special values.
inline constexpr double kAutoLeading = -1;            // leading derived from the point size
inline constexpr double kRelativeLeadingBase = 3920;  // relative leading r is stored as r + this base
inline constexpr double kKerningByMethod = 1e8;  // kerning value that leaves kerning to the kerning method
inline constexpr double kLargestMeasurement = 15552;  // the largest length the host measures, in points

enum class AttributeScope : uint8_t { kCharacter, kParagraph };

struct AttributeClassInfo;
class IDataBase;

// Host tagged-text dialect: parse answers 0 on success, 2 (below) or 3 (above) for a value outside the
// class's range, another code for text that is no value of the attribute (ITextAttribute.h names them);
// write answers the text that parse reads back. Values that refer to document objects (swatches, fonts,
// languages, stroke styles) are written by name and found by name in `db`, the document's database; without
// a database they neither parse nor write.
using TagParseFn = int32_t (*)(const AttributeClassInfo& info, const IDataBase* db, std::u16string_view text,
                               AttributeValue& value);
using TagWriteFn = WideString (*)(const IDataBase* db, const AttributeValue& value);

struct AttributeClassInfo {
  ClassID cls;
  std::string name;  // camelCase, stable: it names the attribute in JSON and in messages
  AttributeScope scope = AttributeScope::kCharacter;
  AttributeKind kind = AttributeKind::kBool;
  // Declared range of numeric kinds (for enumerations: the first and last value). Attribute objects hold
  // values outside it (the kerning sentinel is one); setters that take user values check it.
  double min = 0;
  double max = 0;
  AttributeValue defaultValue;
  ObjectFactory makeObject;  // object kinds: an empty value for readers
  std::string longTag;       // host tagged-text dialect names; empty when the class has none
  std::string shortTag;
  TagParseFn parse = nullptr;
  TagWriteFn write = nullptr;

  bool HasRange() const { return min < max; }
  bool IsTaggedTextCapable() const { return !longTag.empty() && parse && write; }
};

namespace AttributeClasses {

// The class's description; nullptr for a class nobody registered.
const AttributeClassInfo* Find(ClassID cls);
// Every registered class, the host's first (ascending by class), then plug-ins' in registration order.
std::vector<const AttributeClassInfo*> All();
// Registers a plug-in's attribute class: its description here, and a boss class `info.cls` whose text
// attribute interface is the host's implementation (unless the plug-in registered the boss class itself).
// kInvalidParameterError when the class is taken, the default does not fit the kind, or an object kind has
// no factory.
ErrorCode Register(AttributeClassInfo info);
// Paragraph attributes apply to whole paragraphs; unknown classes count as character attributes.
bool IsParagraphAttribute(ClassID cls);
// Whether a number fits the declared range (reals widened by 1e-8, as rounding in conversions needs).
bool IsInRange(const AttributeClassInfo& info, const AttributeValue& value);

// The classes the host tagged-text dialect carries (IsTaggedTextCapable), in the order of All().
std::vector<const AttributeClassInfo*> TaggedTextClasses();
// The tagged-text capable class whose long or short tag name is `name` (case-sensitive); nullptr if none.
const AttributeClassInfo* FindByTagName(std::string_view name);

// Registers the host's classes: descriptions and boss classes. Called once at start-up.
// kIDClashError at the first ID already taken (the rest of the area is then not registered).
[[nodiscard]] ErrorCode RegisterHostClasses();

}  // namespace AttributeClasses
