// Identifiers of the resources area: swatches, stroke styles, fonts, languages, kerning methods and the
// commands that change them. Taken from the host's resources block 0x20400; the kerning-method service keeps
// the number plug-ins name.
#pragma once

#include "host/core/IDs.h"

// Classes.
inline constexpr ClassID kSwatchBoss = 0x20400;
inline constexpr ClassID kStrokeStyleBoss = 0x20401;
inline constexpr ClassID kLanguageBoss = 0x20402;
inline constexpr ClassID kFontFamilyBoss = 0x20403;
inline constexpr ClassID kNewColorSwatchCmdBoss = 0x20410;
inline constexpr ClassID kNewTintSwatchCmdBoss = 0x20411;
inline constexpr ClassID kNewStrokeStyleCmdBoss = 0x20412;
inline constexpr ClassID kMetricsKerningMethodBoss = 0x20420;
inline constexpr ClassID kOpticalKerningMethodBoss = 0x20421;

// Interfaces.
inline constexpr PMIID IID_ISWATCH = 0x20400;
inline constexpr PMIID IID_ISWATCHLIST = 0x20401;
inline constexpr PMIID IID_ISTROKESTYLE = 0x20402;
inline constexpr PMIID IID_ISTROKESTYLELIST = 0x20403;
inline constexpr PMIID IID_ILANGUAGE = 0x20404;
inline constexpr PMIID IID_ILANGUAGELIST = 0x20405;
inline constexpr PMIID IID_IFONTFAMILY = 0x20406;
inline constexpr PMIID IID_IDOCFONTLIST = 0x20407;
inline constexpr PMIID IID_IKERNINGMETHOD = 0x20408;
inline constexpr PMIID IID_ICOLORSWATCHCMDDATA = 0x20409;
inline constexpr PMIID IID_ISTROKESTYLECMDDATA = 0x2040A;

// Implementations.
inline constexpr ImplementationID kSwatchImpl = 0x20400;
inline constexpr ImplementationID kSwatchListImpl = 0x20401;
inline constexpr ImplementationID kStrokeStyleImpl = 0x20402;
inline constexpr ImplementationID kStrokeStyleListImpl = 0x20403;
inline constexpr ImplementationID kLanguageImpl = 0x20404;
inline constexpr ImplementationID kLanguageListImpl = 0x20405;
inline constexpr ImplementationID kFontFamilyImpl = 0x20406;
inline constexpr ImplementationID kDocFontListImpl = 0x20407;
inline constexpr ImplementationID kMetricsKerningMethodImpl = 0x20408;
inline constexpr ImplementationID kOpticalKerningMethodImpl = 0x20409;
inline constexpr ImplementationID kColorSwatchCmdDataImpl = 0x2040A;
inline constexpr ImplementationID kStrokeStyleCmdDataImpl = 0x2040B;
inline constexpr ImplementationID kNewColorSwatchCmdImpl = 0x2040C;
inline constexpr ImplementationID kNewTintSwatchCmdImpl = 0x2040D;
inline constexpr ImplementationID kNewStrokeStyleCmdImpl = 0x2040E;

// Providers of kerning methods answer this service with IKerningMethod.
inline constexpr ServiceID kKerningMethodService = 514;
