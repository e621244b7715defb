// Random styled stories and their comparison by look.
#include "tests/kesto/writer/RandomStory.h"

#include <string>
#include <vector>

#include "host/res/DocWorkspace.h"
#include "host/res/IDocFontList.h"
#include "host/res/IFontFamily.h"
#include "host/res/SwatchUtils.h"
#include "host/text/AttributeClasses.h"
#include "host/text/AttributeResolver.h"
#include "host/text/ITextModel.h"
#include "host/text/StyleUtils.h"
#include "host/text/TabStopList.h"
#include "host/text/TextCmdUtils.h"
#include "kesto/model/Languages.h"

namespace kesto::testing_writer {

namespace {

// Pieces of text: words, and each character the writer spells as a tag or passes through specially. The
// en space, four-per-em space and punctuation space come with the zero-width space the reader adds after
// their tags: alone, the 8-bit encodings have no spelling that reads back without it. No tab: the reader
// changes the paragraph attributes of a paragraph that holds a tab while tab stops are in force (a fault
// of the reader).
const std::u16string kPieces[] = {
    u"word",
    u"Text ",
    u"and more",
    u" ",
    u"<",
    u">",
    u"@",
    u"\\",
    u"\u00A0",
    u"\u00AD",
    u"\u2002\u200B",
    u"\u2003",
    u"\u2004",
    u"\u2005\u200B",
    u"\u2006",
    u"\u2007",
    u"\u2008\u200B",
    u"\u2009",
    u"\u200A",
    u"\u200B",
    u"\u2011",
    u"\u2014",
    u"\u2060",
    u"\u0003",
    u"\u0007",
    u"\u0008",
    u"\n",
    u"\u00E9t\u00E9",
    u"\u03B1\u03B2",
    u"\U0001F600",
    u"\u20AC",
    u"\"quoted\"",
    u"a:b=c",
};

// Character attributes that may differ from run to run.
const ClassID kCharacterClasses[] = {
    kTextAttrPointSize,     kTextAttrShade,         kTextAttrTracking,      kTextAttrHorizontalScale,
    kTextAttrVerticalScale, kTextAttrBaselineShift, kTextAttrFillColor,     kTextAttrNoBreak,
    kTextAttrLigatures,     kTextAttrUnderline,     kTextAttrStrikeThrough, kTextAttrCapitalization,
    kTextAttrPosition,      kTextAttrFontStyle,     kTextAttrFontFamily,    kTextAttrKerningValue,
    kTextAttrLeading,       kTextAttrLanguage,      kTextAttrSlashedZero,   kTextAttrStylisticSets,
};
const ClassID kParagraphClasses[] = {
    kTextAttrAlignment,         kTextAttrLeftIndent,    kTextAttrFirstLineIndent,   kTextAttrRightIndent,
    kTextAttrSpaceBefore,       kTextAttrSpaceAfter,    kTextAttrKeepWithNext,      kTextAttrLockToGrid,
    kTextAttrDropCapCharacters, kTextAttrDropCapLines,  kTextAttrKeepLinesTogether, kTextAttrKeepAllLines,
    kTextAttrKeepFirstLines,    kTextAttrKeepLastLines, kTextAttrTabStops,          kTextAttrBreakKind,
};

template <class T>
const T& Pick(std::mt19937& rng, const std::vector<T>& choices) {
  return choices[std::uniform_int_distribution<size_t>(0, choices.size() - 1)(rng)];
}

bool Chance(std::mt19937& rng, int percent) {
  return std::uniform_int_distribution<int>(0, 99)(rng) < percent;
}

struct Resources {
  std::vector<UID> swatches;
  std::vector<UID> families;
  std::vector<UID> languages;
  std::vector<UID> paragraphStyles;
  std::vector<UID> characterStyles;
};

Resources FindResources(IDataBase* db) {
  Resources r;
  if (InterfacePtr<ISwatchList> swatches = SwatchUtils::QuerySwatchList(db)) {
    for (int32_t i = 0; i < swatches->CountSwatches(); ++i)
      r.swatches.push_back(swatches->GetNthSwatchUID(i));
  }
  if (InterfacePtr<IDocFontList> fonts = QueryDocWorkspace<IDocFontList>(db)) {
    for (int32_t i = 0; i < fonts->CountFamilies() && i < 3; ++i) {
      UID family = fonts->GetNthFamilyUID(i);
      InterfacePtr<IFontFamily> f = Instantiate<IFontFamily>(db, family);
      if (f && f->HasFace(u"Regular") && f->HasFace(u"Bold") && f->HasFace(u"Italic") &&
          f->HasFace(u"Bold Italic"))
        r.families.push_back(family);
    }
  }
  for (int32_t number : {0, 1, 3, 8}) {
    UID language = LanguageFromNumber(db, number);
    if (language.IsValid()) r.languages.push_back(language);
  }
  return r;
}

void Put(AttributeBossList& list, ClassID cls, const AttributeValue& value) {
  EXPECT_EQ(kSuccess, list.ApplyValue(cls, value)) << "class " << cls.Get();
}

// Attributes a run may carry; leading and language are the paragraph's (`paragraphScope`).
AttributeBossList RandomCharacterAttributes(std::mt19937& rng, const Resources& r, int percent,
                                            bool features = true) {
  AttributeBossList list;
  if (Chance(rng, percent)) Put(list, kTextAttrPointSize, Pick<double>(rng, {6, 7.5, 9, 10, 12.25, 14, 36}));
  if (Chance(rng, percent)) Put(list, kTextAttrShade, Pick<double>(rng, {0, 25, 50.5, 80}));
  if (Chance(rng, percent)) Put(list, kTextAttrTracking, Pick<double>(rng, {-20, 5, 10, 100}) / 200);
  if (Chance(rng, percent)) {
    bool vertical = Chance(rng, 50);
    double scale = Pick<double>(rng, {0.5, 0.75, 1.5, 2});
    Put(list, vertical ? kTextAttrVerticalScale : kTextAttrHorizontalScale, scale);
    Put(list, vertical ? kTextAttrHorizontalScale : kTextAttrVerticalScale, 1.0);
  }
  if (Chance(rng, percent)) Put(list, kTextAttrBaselineShift, Pick<double>(rng, {-3, 2, 4.5}));
  if (Chance(rng, percent) && !r.swatches.empty()) Put(list, kTextAttrFillColor, Pick(rng, r.swatches));
  if (Chance(rng, percent)) Put(list, kTextAttrNoBreak, Chance(rng, 50));
  if (Chance(rng, percent)) Put(list, kTextAttrLigatures, Chance(rng, 50));
  if (Chance(rng, percent)) Put(list, kTextAttrUnderline, true);
  if (Chance(rng, percent)) Put(list, kTextAttrStrikeThrough, true);
  if (Chance(rng, percent)) Put(list, kTextAttrCapitalization, Pick<int32_t>(rng, {1, 2}));
  if (Chance(rng, percent)) Put(list, kTextAttrPosition, Pick<int32_t>(rng, {1, 2}));
  if (Chance(rng, percent)) Put(list, kTextAttrKerningValue, Pick<double>(rng, {-10, 20}) / 200);
  // A definition line cannot give a style features: the reader applies them to the text.
  if (features && Chance(rng, percent)) Put(list, kTextAttrSlashedZero, true);
  if (features && Chance(rng, percent)) Put(list, kTextAttrStylisticSets, Pick<int32_t>(rng, {2, 10}));
  if (Chance(rng, percent)) {
    // A face alone is what bold and italic give text of a document without fonts.
    if (!r.families.empty() && Chance(rng, 60)) Put(list, kTextAttrFontFamily, Pick(rng, r.families));
    Put(list, kTextAttrFontStyle,
        WideString(Pick<std::u16string>(rng, {u"Regular", u"Bold", u"Italic", u"Bold Italic"})));
  }
  return list;
}

AttributeBossList RandomParagraphAttributes(std::mt19937& rng, int percent) {
  AttributeBossList list;
  if (Chance(rng, percent)) Put(list, kTextAttrAlignment, Pick<int32_t>(rng, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  if (Chance(rng, percent)) {
    double left = Pick<double>(rng, {0, 12, 36.5});
    Put(list, kTextAttrLeftIndent, left);
    Put(list, kTextAttrFirstLineIndent, Pick<double>(rng, {-left, 0, 18}));
    Put(list, kTextAttrRightIndent, Pick<double>(rng, {0, 9}));
  }
  if (Chance(rng, percent)) Put(list, kTextAttrSpaceBefore, Pick<double>(rng, {0, 6, 12.5}));
  if (Chance(rng, percent)) Put(list, kTextAttrSpaceAfter, Pick<double>(rng, {0, 3, 24}));
  if (Chance(rng, percent)) Put(list, kTextAttrKeepWithNext, static_cast<int16_t>(Pick<int>(rng, {0, 2, 5})));
  if (Chance(rng, percent)) Put(list, kTextAttrLockToGrid, Chance(rng, 50));
  if (Chance(rng, percent)) {
    int lines = Pick<int>(rng, {0, 2, 3});
    Put(list, kTextAttrDropCapLines, static_cast<int16_t>(lines));
    Put(list, kTextAttrDropCapCharacters, static_cast<int16_t>(lines == 0 ? 0 : Pick<int>(rng, {1, 2})));
  }
  if (Chance(rng, percent)) {
    bool all = Chance(rng, 50);
    Put(list, kTextAttrKeepLinesTogether, true);
    Put(list, kTextAttrKeepAllLines, all);
    Put(list, kTextAttrKeepFirstLines, static_cast<int16_t>(all ? 2 : 3));
    Put(list, kTextAttrKeepLastLines, static_cast<int16_t>(all ? 2 : 4));
  }
  if (Chance(rng, percent)) {
    auto stops = std::make_shared<TabStopList>();
    TabStop a;
    a.position = 36;
    TabStop b;
    b.position = 100.5;
    b.alignment = TabAlignment::kRight;
    b.leader = u".";
    TabStop c;
    c.position = 200;
    c.alignment = TabAlignment::kOnCharacter;
    c.alignCharacter = Pick<char16_t>(rng, {u'.', u',', u'x'});
    (void)stops->Add(a);
    if (Chance(rng, 50)) (void)stops->Add(b);
    if (Chance(rng, 50)) (void)stops->Add(c);
    Put(list, kTextAttrTabStops, ObjectRef(stops));
  }
  return list;
}

UID NewStyle(IDataBase* db, StyleKind kind, const std::u16string& name, UID basedOn, UID next,
             UID characterStyle, const AttributeBossList& attributes) {
  TextCmdUtils::StyleFields fields;
  fields.kind = kind;
  fields.name = WideString(name);
  fields.basedOn = basedOn;
  fields.nextStyle = next;
  fields.characterStyle = characterStyle;
  fields.attributes = attributes;
  UID style;
  EXPECT_EQ(kSuccess, TextCmdUtils::CreateStyle(db, fields, style));
  return style;
}

void MakeStyles(IDataBase* db, std::mt19937& rng, Resources& r) {
  // Character styles first, so that paragraph styles can pair with them.
  for (int i = 0; i < 3; ++i) {
    UID basedOn = i > 0 && Chance(rng, 50) ? r.characterStyles.back() : UID();
    std::u16string name = i == 2 ? u"Grp\uE00BEm:ph" : u"Char" + std::u16string(1, u'A' + i);
    AttributeBossList attributes = RandomCharacterAttributes(rng, r, 40, false);
    // A definition line's type-style letters give the style a face of its own; a face given keeps that
    // from changing the look.
    if (!r.families.empty() && !attributes.ContainsClass(kTextAttrFontFamily)) {
      Put(attributes, kTextAttrFontFamily, r.families.front());
      Put(attributes, kTextAttrFontStyle, WideString(u"Regular"));
    }
    UID style = NewStyle(db, StyleKind::kCharacter, name, basedOn, UID(), UID(), attributes);
    if (style.IsValid()) r.characterStyles.push_back(style);
  }
  UID previous;
  for (int i = 0; i < 3; ++i) {
    UID basedOn = i > 0 && Chance(rng, 50) ? previous : UID();
    UID paired = Chance(rng, 40) && !r.characterStyles.empty() ? Pick(rng, r.characterStyles) : UID();
    AttributeBossList attributes = RandomParagraphAttributes(rng, 40);
    if (!paired.IsValid()) attributes.ApplyAttributes(RandomCharacterAttributes(rng, r, 30, false));
    UID style = NewStyle(db, StyleKind::kParagraph, u"Para " + std::u16string(1, u'A' + i), basedOn,
                         i > 0 && Chance(rng, 50) ? previous : UID(), paired, attributes);
    if (style.IsValid()) r.paragraphStyles.push_back(style);
    previous = style;
  }
}

}  // namespace

void MakeRandomStory(IDataBase* db, UID story, std::mt19937& rng, const RandomStoryOptions& options) {
  Resources r = FindResources(db);
  UID normal = StyleUtils::GetDefaultStyle(db, StyleKind::kParagraph);
  UID rootCharacter = StyleUtils::GetRootStyle(db, StyleKind::kCharacter);
  r.paragraphStyles.push_back(normal);
  // Paragraphs of no style at all ("@:") keep the look of what came before as overrides.
  r.paragraphStyles.push_back(StyleUtils::GetRootStyle(db, StyleKind::kParagraph));
  if (options.styles) MakeStyles(db, rng, r);

  StyledText styled;
  int paragraphs = std::uniform_int_distribution<int>(1, options.maxParagraphs)(rng);
  for (int p = 0; p < paragraphs; ++p) {
    // Leading and language hold for whole paragraphs.
    AttributeBossList scope;
    if (Chance(rng, 30)) Put(scope, kTextAttrLeading, Pick<double>(rng, {14, 20.5}));
    if (Chance(rng, 30) && !r.languages.empty()) Put(scope, kTextAttrLanguage, Pick(rng, r.languages));
    int runs = std::uniform_int_distribution<int>(1, options.maxRunsPerParagraph)(rng);
    for (int k = 0; k < runs; ++k) {
      std::u16string text;
      int pieces = std::uniform_int_distribution<int>(0, 3)(rng);
      for (int i = 0; i < pieces; ++i)
        text += Pick(rng, std::vector<std::u16string>(std::begin(kPieces), std::end(kPieces)));
      if (text.empty()) continue;
      AttributeBossList attributes = RandomCharacterAttributes(rng, r, 15);
      attributes.ApplyAttributes(scope);
      UID style = options.styles && Chance(rng, 30) ? Pick(rng, r.characterStyles) : rootCharacter;
      styled.text += text;
      styled.runs.push_back({static_cast<int32_t>(text.size()), {style, MakeAttrListRef(attributes)}});
    }
    bool last = p + 1 == paragraphs;
    if (last && Chance(rng, 50)) break;  // the story's own return ends the last paragraph
    AttributeBossList paragraph = RandomParagraphAttributes(rng, 20);
    if (Chance(rng, 15)) Put(paragraph, kTextAttrBreakKind, Pick<int32_t>(rng, {1, 2, 3, 4, 5}));
    styled.text += u'\r';
    AttributeBossList returnRun = scope;
    styled.runs.push_back({1, {rootCharacter, MakeAttrListRef(returnRun)}});
    styled.paragraphs.Append({Pick(rng, r.paragraphStyles), MakeAttrListRef(paragraph)});
  }
  if (styled.text.empty()) return;
  ASSERT_EQ(kSuccess, TextCmdUtils::InsertStyledText(UIDRef(db, story), 0, std::move(styled)));
}

namespace {

std::string StyleName(IDataBase* db, UID style, StyleKind kind) {
  InterfacePtr<IStyleInfo> info = StyleUtils::QueryStyle(db, style, kind);
  return info ? Utf8FromWide(info->GetName()) : "(none)";
}

// The value as JSON; tab stops without the align-on character of stops that do not align on one (the tag
// language has no way to give it).
std::string Value(const ITextModel* model, int32_t position, ClassID cls) {
  std::optional<ResolvedAttribute> resolved = AttributeResolver::Resolve(model, position, cls);
  if (!resolved) return "(none)";
  if (const auto* object = std::get_if<ObjectRef>(&resolved->value)) {
    if (const auto* tabs = dynamic_cast<const TabStopList*>(object->get())) {
      std::string out;
      for (TabStop stop : tabs->Stops()) {
        if (stop.alignment != TabAlignment::kOnCharacter) stop.alignCharacter = u'.';
        TabStopList one;
        (void)one.Add(stop);
        out += one.ToJson();
      }
      return out;
    }
  }
  return ValueToJson(resolved->value);
}

}  // namespace

::testing::AssertionResult SameLook(IDataBase* dbA, UID a, IDataBase* dbB, UID b) {
  InterfacePtr<ITextModel> ma = Instantiate<ITextModel>(dbA, a);
  InterfacePtr<ITextModel> mb = Instantiate<ITextModel>(dbB, b);
  if (!ma || !mb) return ::testing::AssertionFailure() << "no story";
  if (ma->GetText(0, ma->TotalLength()) != mb->GetText(0, mb->TotalLength()))
    return ::testing::AssertionFailure()
           << "the texts differ: " << ma->TotalLength() << " and " << mb->TotalLength() << " units";
  for (int32_t i = 0; i < ma->TotalLength(); ++i) {
    TextRun pa = ma->GetRunAt(TextStrand::kParagraph, i), pb = mb->GetRunAt(TextStrand::kParagraph, i);
    TextRun ca = ma->GetRunAt(TextStrand::kCharacter, i), cb = mb->GetRunAt(TextStrand::kCharacter, i);
    std::string sa = StyleName(dbA, pa.style, StyleKind::kParagraph) + "/" +
                     StyleName(dbA, ca.style, StyleKind::kCharacter);
    std::string sb = StyleName(dbB, pb.style, StyleKind::kParagraph) + "/" +
                     StyleName(dbB, cb.style, StyleKind::kCharacter);
    if (sa != sb) return ::testing::AssertionFailure() << "styles at " << i << ": " << sa << " and " << sb;
    bool lastParagraph = ma->ParagraphIndexAt(i) + 1 == ma->CountParagraphs();
    for (ClassID cls : kCharacterClasses) {
      std::string va = Value(ma.get(), i, cls), vb = Value(mb.get(), i, cls);
      // The story's own final return has no text of its own to carry attributes back.
      if (va != vb && !(i + 1 == ma->TotalLength()))
        return ::testing::AssertionFailure()
               << "class " << cls.Get() << " at " << i << ": " << va << " and " << vb;
    }
    for (ClassID cls : kParagraphClasses) {
      std::string va = Value(ma.get(), i, cls), vb = Value(mb.get(), i, cls);
      if (va != vb && !(lastParagraph && cls == kTextAttrBreakKind))
        return ::testing::AssertionFailure()
               << "paragraph class " << cls.Get() << " at " << i << ": " << va << " and " << vb;
    }
  }
  return ::testing::AssertionSuccess();
}

}  // namespace kesto::testing_writer
