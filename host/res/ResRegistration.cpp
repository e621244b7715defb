// Registration of the resources area and the resources of new documents.
#include "host/res/ResRegistration.h"

#include <vector>

#include "host/core/HostIDs.h"
#include "host/core/Registry.h"
#include "host/core/ServiceRegistry.h"
#include "host/db/IDocument.h"
#include "host/res/DocFontList.h"
#include "host/res/FontCatalog.h"
#include "host/res/FontFamily.h"
#include "host/res/KerningMethods.h"
#include "host/res/Language.h"
#include "host/res/LanguageCatalog.h"
#include "host/res/LanguageList.h"
#include "host/res/NewColorSwatchCmd.h"
#include "host/res/NewStrokeStyleCmd.h"
#include "host/res/NewTintSwatchCmd.h"
#include "host/res/StrokeStyle.h"
#include "host/res/StrokeStyleList.h"
#include "host/res/Swatch.h"
#include "host/res/SwatchList.h"
#include "host/res/Translator.h"

namespace {

void RegisterImplementations(Registry& r) {
  (void)r.RegisterImplementation<Swatch>(kSwatchImpl, true);
  (void)r.RegisterImplementation<SwatchList>(kSwatchListImpl, true);
  (void)r.RegisterImplementation<StrokeStyle>(kStrokeStyleImpl, true);
  (void)r.RegisterImplementation<StrokeStyleList>(kStrokeStyleListImpl, true);
  (void)r.RegisterImplementation<Language>(kLanguageImpl, true);
  (void)r.RegisterImplementation<LanguageList>(kLanguageListImpl, true);
  (void)r.RegisterImplementation<FontFamily>(kFontFamilyImpl, true);
  (void)r.RegisterImplementation<DocFontList>(kDocFontListImpl, true);
  (void)r.RegisterImplementation<MetricsKerningMethod>(kMetricsKerningMethodImpl);
  (void)r.RegisterImplementation<OpticalKerningMethod>(kOpticalKerningMethodImpl);
  (void)r.RegisterImplementation<ColorSwatchCmdData>(kColorSwatchCmdDataImpl);
  (void)r.RegisterImplementation<StrokeStyleCmdData>(kStrokeStyleCmdDataImpl);
  (void)r.RegisterImplementation<NewColorSwatchCmd>(kNewColorSwatchCmdImpl);
  (void)r.RegisterImplementation<NewTintSwatchCmd>(kNewTintSwatchCmdImpl);
  (void)r.RegisterImplementation<NewStrokeStyleCmd>(kNewStrokeStyleCmdImpl);
}

void RegisterClasses(Registry& r) {
  (void)r.RegisterClass(kSwatchBoss, kInvalidClass, "kSwatchBoss", {{IID_ISWATCH, kSwatchImpl}});
  (void)r.RegisterClass(kStrokeStyleBoss, kInvalidClass, "kStrokeStyleBoss",
                        {{IID_ISTROKESTYLE, kStrokeStyleImpl}});
  (void)r.RegisterClass(kLanguageBoss, kInvalidClass, "kLanguageBoss", {{IID_ILANGUAGE, kLanguageImpl}});
  (void)r.RegisterClass(kFontFamilyBoss, kInvalidClass, "kFontFamilyBoss",
                        {{IID_IFONTFAMILY, kFontFamilyImpl}});
  (void)r.RegisterClass(
      kNewColorSwatchCmdBoss, kInvalidClass, "kNewColorSwatchCmdBoss",
      {{IID_ICOMMAND, kNewColorSwatchCmdImpl}, {IID_ICOLORSWATCHCMDDATA, kColorSwatchCmdDataImpl}});
  (void)r.RegisterClass(kNewTintSwatchCmdBoss, kInvalidClass, "kNewTintSwatchCmdBoss",
                        {{IID_ICOMMAND, kNewTintSwatchCmdImpl}, {IID_IREALDATA, kRealDataImpl}});
  (void)r.RegisterClass(
      kNewStrokeStyleCmdBoss, kInvalidClass, "kNewStrokeStyleCmdBoss",
      {{IID_ICOMMAND, kNewStrokeStyleCmdImpl}, {IID_ISTROKESTYLECMDDATA, kStrokeStyleCmdDataImpl}});
  (void)r.RegisterClass(kMetricsKerningMethodBoss, kInvalidClass, "kMetricsKerningMethodBoss",
                        {{IID_IKERNINGMETHOD, kMetricsKerningMethodImpl}});
  (void)r.RegisterClass(kOpticalKerningMethodBoss, kInvalidClass, "kOpticalKerningMethodBoss",
                        {{IID_IKERNINGMETHOD, kOpticalKerningMethodImpl}});
  (void)r.AddIn(kDocWorkspaceBoss, {{IID_ISWATCHLIST, kSwatchListImpl},
                                    {IID_ISTROKESTYLELIST, kStrokeStyleListImpl},
                                    {IID_ILANGUAGELIST, kLanguageListImpl},
                                    {IID_IDOCFONTLIST, kDocFontListImpl}});
}

void RegisterTexts() {
  Translator& t = Translator::Get();
  t.Add("en", {{"HostKerningMetrics", "Metrics"},
               {"HostKerningOptical", "Optical"},
               {"HostNewColorSwatchCmd", "New Color Swatch"},
               {"HostNewTintSwatchCmd", "New Tint Swatch"},
               {"HostNewStrokeStyleCmd", "New Stroke Style"}});
  t.Add("fr", {{"HostKerningMetrics", "Métrique"},
               {"HostKerningOptical", "Optique"},
               {"HostNewColorSwatchCmd", "Nouvelle nuance de couleur"},
               {"HostNewTintSwatchCmd", "Nouvelle nuance de teinte"},
               {"HostNewStrokeStyleCmd", "Nouveau style de contour"}});
  t.Add("de", {{"HostKerningMetrics", "Metrisch"},
               {"HostKerningOptical", "Optisch"},
               {"HostNewColorSwatchCmd", "Neues Farbfeld"},
               {"HostNewTintSwatchCmd", "Neues Farbtonfeld"},
               {"HostNewStrokeStyleCmd", "Neues Konturenformat"}});
}

template <class T>
InterfacePtr<T> NewObject(IDataBase& db, ClassID cls, UID& uid) {
  uid = db.NewObject(cls);
  return Instantiate<T>(&db, uid);
}

UID AddSwatch(IDataBase& db, ISwatchList& list, SwatchKind kind, const char16_t* name,
              const ColorValue& color, bool reserved) {
  UID uid;
  if (auto swatch = NewObject<ISwatch>(db, kSwatchBoss, uid)) {
    swatch->SetColor(kind, name, color);
    swatch->SetReserved(reserved);
    list.AddSwatch(uid);
  }
  return uid;
}

ColorValue Cmyk(double c, double m, double y, double k) {
  return {ColorSpace::kCMYK, {c, m, y, k}, false};
}

void InitializeSwatches(IDataBase& db, ISwatchList& list) {
  UID none = AddSwatch(db, list, SwatchKind::kNone, u"None", Cmyk(0, 0, 0, 0), true);
  UID paper = AddSwatch(db, list, SwatchKind::kPaper, u"Paper", Cmyk(0, 0, 0, 0), true);
  UID black = AddSwatch(db, list, SwatchKind::kColor, u"Black", Cmyk(0, 0, 0, 100), true);
  UID registration =
      AddSwatch(db, list, SwatchKind::kRegistration, u"Registration", Cmyk(100, 100, 100, 100), true);
  list.SetReservedSwatches(none, paper, black, registration);
  struct Process {
    const char16_t* name;
    ColorValue color;
  };
  const Process process[] = {
      {u"C=100 M=0 Y=0 K=0", Cmyk(100, 0, 0, 0)},   {u"C=0 M=100 Y=0 K=0", Cmyk(0, 100, 0, 0)},
      {u"C=0 M=0 Y=100 K=0", Cmyk(0, 0, 100, 0)},   {u"C=15 M=100 Y=100 K=0", Cmyk(15, 100, 100, 0)},
      {u"C=75 M=5 Y=100 K=0", Cmyk(75, 5, 100, 0)}, {u"C=100 M=90 Y=10 K=0", Cmyk(100, 90, 10, 0)},
  };
  for (const auto& p : process)
    AddSwatch(db, list, SwatchKind::kColor, p.name, p.color, false);
}

void InitializeStrokeStyles(IDataBase& db, IStrokeStyleList& list) {
  struct BuiltIn {
    const char16_t* name;
    StrokeKind kind;
    std::vector<double> pattern;
  };
  const BuiltIn styles[] = {
      {u"Solid", StrokeKind::kSolid, {}},
      {u"Canned Dashed 4x4", StrokeKind::kDashed, {4, 4}},
      {u"Canned Dashed 3x2", StrokeKind::kDashed, {3, 2}},
      {u"DashDot", StrokeKind::kDashed, {4, 2, 1, 2}},
      {u"Canned Dotted", StrokeKind::kDotted, {2}},
      {u"ThickThick", StrokeKind::kStriped, {0, 0.4, 0.6, 1}},
      {u"ThinThick", StrokeKind::kStriped, {0, 0.2, 0.4, 1}},
      {u"ThickThin", StrokeKind::kStriped, {0, 0.6, 0.8, 1}},
      {u"ThinThickThin", StrokeKind::kStriped, {0, 0.15, 0.3, 0.7, 0.85, 1}},
      {u"ThickThinThick", StrokeKind::kStriped, {0, 0.35, 0.45, 0.55, 0.65, 1}},
      {u"Triple_Stroke", StrokeKind::kStriped, {0, 0.2, 0.4, 0.6, 0.8, 1}},
  };
  for (const auto& s : styles) {
    UID uid;
    if (auto style = NewObject<IStrokeStyle>(db, kStrokeStyleBoss, uid)) {
      style->Set(s.name, s.kind, s.pattern, true);
      list.AddStrokeStyle(uid);
    }
  }
}

void InitializeFonts(IDataBase& db, IDocFontList& list) {
  for (const auto& info : FontCatalog::Get().GetFamilies()) {
    UID uid;
    if (auto family = NewObject<IFontFamily>(db, kFontFamilyBoss, uid)) {
      family->SetFamilyName(info.name);
      list.AddFamily(uid);
    }
  }
}

void InitializeLanguages(IDataBase& db, ILanguageList& list) {
  for (const auto& info : LanguageCatalog::GetLanguages()) {
    UID uid;
    if (auto language = NewObject<ILanguage>(db, kLanguageBoss, uid)) {
      language->Set(WideString(info.name), std::string(info.locale), info.quotes);
      list.AddLanguage(uid);
      if (!list.GetDefaultLanguageUID().IsValid()) list.SetDefaultLanguageUID(uid);
    }
  }
}

}  // namespace

void RegisterResClasses() {
  Registry& r = Registry::Get();
  RegisterImplementations(r);
  RegisterClasses(r);
  (void)ServiceRegistry::Get().Register(kKerningMethodService, kMetricsKerningMethodBoss);
  (void)ServiceRegistry::Get().Register(kKerningMethodService, kOpticalKerningMethodBoss);
  RegisterTexts();
}

void InitializeDocumentResources(IDataBase& db, UID document) {
  InterfacePtr<IDocument> doc = Instantiate<IDocument>(&db, document);
  if (!doc) return;
  UID workspace = doc->GetDocWorkSpace();
  if (auto swatches = Instantiate<ISwatchList>(&db, workspace)) InitializeSwatches(db, *swatches);
  if (auto strokes = Instantiate<IStrokeStyleList>(&db, workspace)) InitializeStrokeStyles(db, *strokes);
  if (auto fonts = Instantiate<IDocFontList>(&db, workspace)) InitializeFonts(db, *fonts);
  if (auto languages = Instantiate<ILanguageList>(&db, workspace)) InitializeLanguages(db, *languages);
}
