// Missing fonts in inspect's output.
#include "app/MissingFontsReport.h"

#include "host/compose/MissingFonts.h"
#include "host/res/FontFace.h"
#include "host/text/AttributeValue.h"

namespace pagehost {

void WriteMissingFontsSummary(IDataBase& db, std::ostream& out) {
  std::vector<MissingFont> missing = FindMissingFonts(db);
  if (missing.empty()) return;
  out << "Missing fonts: " << missing.size() << "\n";
  for (const MissingFont& font : missing) {
    out << "  " << Utf8FromWide(font.family) << " " << Utf8FromWide(font.face) << " (composed in "
        << Utf8FromWide(font.substitute->GetFullName()) << ")\n";
  }
}

void WriteMissingFontsJson(IDataBase& db, std::ostream& out) {
  out << ",\"missingFonts\":[";
  const char* separator = "";
  for (const MissingFont& font : FindMissingFonts(db)) {
    out << separator << "{\"family\":" << JsonQuote(font.family) << ",\"face\":" << JsonQuote(font.face)
        << ",\"substitute\":" << JsonQuote(font.substitute->GetFullName()) << "}";
    separator = ",";
  }
  out << "]";
}

}  // namespace pagehost
