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

ErrorCode RegisterImplementations(Registry& r) {
  ErrorCode error = r.RegisterImplementation<Swatch>(kSwatchImpl, true);
  if (error == kSuccess) error = r.RegisterImplementation<SwatchList>(kSwatchListImpl, true);
  if (error == kSuccess) error = r.RegisterImplementation<StrokeStyle>(kStrokeStyleImpl, true);
  if (error == kSuccess) error = r.RegisterImplementation<StrokeStyleList>(kStrokeStyleListImpl, true);
  if (error == kSuccess) error = r.RegisterImplementation<Language>(kLanguageImpl, true);
  if (error == kSuccess) error = r.RegisterImplementation<LanguageList>(kLanguageListImpl, true);
  if (error == kSuccess) error = r.RegisterImplementation<FontFamily>(kFontFamilyImpl, true);
  if (error == kSuccess) error = r.RegisterImplementation<DocFontList>(kDocFontListImpl, true);
  if (error == kSuccess) error = r.RegisterImplementation<MetricsKerningMethod>(kMetricsKerningMethodImpl);
  if (error == kSuccess) error = r.RegisterImplementation<OpticalKerningMethod>(kOpticalKerningMethodImpl);
  if (error == kSuccess) error = r.RegisterImplementation<ColorSwatchCmdData>(kColorSwatchCmdDataImpl);
  if (error == kSuccess) error = r.RegisterImplementation<StrokeStyleCmdData>(kStrokeStyleCmdDataImpl);
  if (error == kSuccess) error = r.RegisterImplementation<NewColorSwatchCmd>(kNewColorSwatchCmdImpl);
  if (error == kSuccess) error = r.RegisterImplementation<NewTintSwatchCmd>(kNewTintSwatchCmdImpl);
  if (error == kSuccess) error = r.RegisterImplementation<NewStrokeStyleCmd>(kNewStrokeStyleCmdImpl);
  return error;
}

ErrorCode RegisterClasses(Registry& r) {
  ErrorCode error = r.RegisterClass(kSwatchBoss, kInvalidClass, "kSwatchBoss", {{IID_ISWATCH, kSwatchImpl}});
  if (error == kSuccess)
    error = r.RegisterClass(kStrokeStyleBoss, kInvalidClass, "kStrokeStyleBoss",
                            {{IID_ISTROKESTYLE, kStrokeStyleImpl}});
  if (error == kSuccess)
    error = r.RegisterClass(kLanguageBoss, kInvalidClass, "kLanguageBoss", {{IID_ILANGUAGE, kLanguageImpl}});
  if (error == kSuccess)
    error = r.RegisterClass(kFontFamilyBoss, kInvalidClass, "kFontFamilyBoss",
                            {{IID_IFONTFAMILY, kFontFamilyImpl}});
  if (error == kSuccess)
    error = r.RegisterClass(
        kNewColorSwatchCmdBoss, kInvalidClass, "kNewColorSwatchCmdBoss",
        {{IID_ICOMMAND, kNewColorSwatchCmdImpl}, {IID_ICOLORSWATCHCMDDATA, kColorSwatchCmdDataImpl}});
  if (error == kSuccess)
    error = r.RegisterClass(kNewTintSwatchCmdBoss, kInvalidClass, "kNewTintSwatchCmdBoss",
                            {{IID_ICOMMAND, kNewTintSwatchCmdImpl}, {IID_IREALDATA, kRealDataImpl}});
  if (error == kSuccess)
    error = r.RegisterClass(
        kNewStrokeStyleCmdBoss, kInvalidClass, "kNewStrokeStyleCmdBoss",
        {{IID_ICOMMAND, kNewStrokeStyleCmdImpl}, {IID_ISTROKESTYLECMDDATA, kStrokeStyleCmdDataImpl}});
  if (error == kSuccess)
    error = r.RegisterClass(kMetricsKerningMethodBoss, kInvalidClass, "kMetricsKerningMethodBoss",
                            {{IID_IKERNINGMETHOD, kMetricsKerningMethodImpl}});
  if (error == kSuccess)
    error = r.RegisterClass(kOpticalKerningMethodBoss, kInvalidClass, "kOpticalKerningMethodBoss",
                            {{IID_IKERNINGMETHOD, kOpticalKerningMethodImpl}});
  if (error == kSuccess)
    error = r.AddIn(kDocWorkspaceBoss, {{IID_ISWATCHLIST, kSwatchListImpl},
                                        {IID_ISTROKESTYLELIST, kStrokeStyleListImpl},
                                        {IID_ILANGUAGELIST, kLanguageListImpl},
                                        {IID_IDOCFONTLIST, kDocFontListImpl}});
  return error;
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

ErrorCode RegisterResClasses() {
  Registry& r = Registry::Get();
  ErrorCode error = RegisterImplementations(r);
  if (error == kSuccess) error = RegisterClasses(r);
  if (error == kSuccess)
    error = ServiceRegistry::Get().Register(kKerningMethodService, kMetricsKerningMethodBoss);
  if (error == kSuccess)
    error = ServiceRegistry::Get().Register(kKerningMethodService, kOpticalKerningMethodBoss);
  RegisterTexts();
  return error;
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
