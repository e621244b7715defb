// EngineMessages: the codes an import answers its caller with (10000 and up), the four "^" parameters kept
// for each thread, and the rendering of a code as text.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "host/core/WideString.h"

namespace kesto {

inline constexpr int32_t kEngineConfused = 10000;
inline constexpr int32_t kEngineOneError = 10003;
inline constexpr int32_t kEngineErrors = 10004;                  // ^ = the count
inline constexpr int32_t kEngineTranslationFileMissing = 10005;  // ^ = the system error code
inline constexpr int32_t kEngineNoAutomaticFlow = 10006;
inline constexpr int32_t kEngineSystemError = 10007;
inline constexpr int32_t kEngineHostError = 10008;
inline constexpr int32_t kEngineNoSource = 10009;
inline constexpr int32_t kEngineSourceNotStringOrFile = 10010;
inline constexpr int32_t kEngineBadFileSpec = 10011;
inline constexpr int32_t kEngineCannotCreateFile = 10012;
inline constexpr int32_t kEngineCannotConvertFileSpec = 10013;
inline constexpr int32_t kEngineNoDocument = 10014;
inline constexpr int32_t kEngineNoFrame = 10015;
inline constexpr int32_t kEngineNotTextFrame = 10016;
inline constexpr int32_t kEngineNotTextPictureOrGroupFrame = 10017;
inline constexpr int32_t kEngineNoBatchDocument = 10018;
inline constexpr int32_t kEngineNoBatchFlow = 10019;
inline constexpr int32_t kEngineInvalidUtf8 = 10021;
inline constexpr int32_t kEngineOneReplacedCharacter = 10022;
inline constexpr int32_t kEngineReplacedCharacters = 10023;  // ^ = the count

inline constexpr int kEngineParameterCount = 4;

// Replaces all four parameters of this thread; those not given become empty. Extra values are ignored.
void SetEngineMessageParameters(std::initializer_list<std::u16string_view> parameters);
// Parameter `index` (0–3) of this thread; empty outside that range.
WideString GetEngineMessageParameter(int index);

// The text of `engineCode` with this thread's parameters in place of its "^" marks ("^d" takes parameter d,
// a bare "^" the next one in turn; marks beyond the fourth are removed), followed by " [code]". An unknown
// code has an empty text.
WideString RenderEngineMessage(int32_t engineCode);

}  // namespace kesto
