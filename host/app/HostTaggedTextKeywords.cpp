// The fixed tags of the host tagged-text dialect.
#include "host/app/HostTaggedTextKeywords.h"

#include <algorithm>

namespace HostTaggedTextKeywords {
namespace {

constexpr HostTagKeyword kKeywords[] = {
    {1, "ASCII-WIN", "ASCII-MAC"},
    {2, "ANSI-WIN", "ANSI-MAC"},
    {3, "UNICODE-WIN", "UNICODE-MAC"},
    {4, "BIG5-WIN", "BIG5-MAC"},
    {5, "SJIS-WIN", "SJIS-MAC"},
    {6, "Version", "vsn"},
    {7, "FeatureSet", "fset"},
    {8, "ColorTable", "ctable"},
    {9, "DefineParaStyle", "dps"},
    {10, "DefineCharStyle", "dcs"},
    {11, "StrokeStyleTable", "sstable"},
    {12, "BasedOn", ""},
    {13, "Nextstyle", ""},
    {14, "ParaStyle", "pstyle"},
    {15, "CharStyle", "cstyle"},
    {16, "DefineTableStyle", "dtbls"},
    {17, "TableStyle", "tstyle"},
    {18, "DefineCellStyle", "des"},
    {19, "CellStyle", "estyle"},
    {20, "DefineListStyle", ""},
    {21, "DefineTextVariable", "dtv"},
    {22, "TextVarName", "tvn"},
    {23, "DefineCondition", ""},
    {24, "XRefFormatDefn", ""},
    {25, "XRefFormat", ""},
    {26, "TableStart", "tStart"},
    {27, "TableEnd", "tEnd"},
    {28, "RowStart", "rStart"},
    {29, "RowEnd", "rEnd"},
    {30, "CellStart", "clStart"},
    {31, "CellEnd", "clEnd"},
    {32, "ColStart", "coStart"},
};

bool Equals(std::u16string_view name, std::string_view ascii) {
  return !ascii.empty() && name.size() == ascii.size() &&
         std::equal(name.begin(), name.end(), ascii.begin(),
                    [](char16_t a, char b) { return a == static_cast<unsigned char>(b); });
}

}  // namespace

std::span<const HostTagKeyword> All() {
  return kKeywords;
}

int32_t Find(std::u16string_view name) {
  for (const HostTagKeyword& keyword : kKeywords)
    if (Equals(name, keyword.longName) || Equals(name, keyword.shortName)) return keyword.code;
  return HostTagCode::kUnknown;
}

}  // namespace HostTaggedTextKeywords
