// CRC-32 by carry-less multiplication where the processor has it (folding 64 bytes at a time), else eight
// bytes at a time ("slicing by 8"), so that checking a file costs little beside reading it; combination by
// multiplying with powers of x modulo the polynomial.
#include "host/db/Crc32.h"

#include <array>

#if defined(__x86_64__)
#include <cpuid.h>
#include <immintrin.h>
#endif

namespace {

constexpr uint32_t kPolynomial = 0xEDB88320u;

using Tables = std::array<std::array<uint32_t, 256>, 8>;

// tables[0] is the classic byte table; tables[k][b] is the CRC of b followed by k zero bytes.
constexpr Tables MakeTables() {
  Tables tables{};
  for (uint32_t i = 0; i < 256; ++i) {
    uint32_t c = i;
    for (int k = 0; k < 8; ++k)
      c = (c & 1) ? kPolynomial ^ (c >> 1) : c >> 1;
    tables[0][i] = c;
  }
  for (uint32_t i = 0; i < 256; ++i) {
    for (size_t k = 1; k < 8; ++k)
      tables[k][i] = (tables[k - 1][i] >> 8) ^ tables[0][tables[k - 1][i] & 0xFF];
  }
  return tables;
}
constexpr Tables kTables = MakeTables();

uint32_t Load32(const uint8_t* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

// a * b modulo the polynomial, in the bit-reflected representation the checksum uses.
uint32_t MultiplyModulo(uint32_t a, uint32_t b) {
  uint32_t product = 0;
  for (uint32_t bit = 0x80000000u; bit != 0; bit >>= 1) {
    if (a & bit) product ^= b;
    b = (b & 1) ? (b >> 1) ^ kPolynomial : b >> 1;
  }
  return product;
}

// x^(8 * bytes) modulo the polynomial: what appending `bytes` zero bytes multiplies a checksum state by.
uint32_t ShiftFor(uint64_t bytes) {
  uint32_t result = 0x80000000u;  // x^0
  uint32_t square = 0x00800000u;  // x^8: one zero byte
  for (; bytes != 0; bytes >>= 1) {
    if (bytes & 1) result = MultiplyModulo(result, square);
    square = MultiplyModulo(square, square);
  }
  return result;
}

#if defined(__x86_64__)
__m128i Load(const uint8_t* at) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
}

// `x` carried forward over the distance `k` stands for, with the next 16 bytes added.
__attribute__((target("pclmul,sse4.1"))) inline __m128i Fold(__m128i x, __m128i k, __m128i next) {
  return _mm_xor_si128(_mm_xor_si128(_mm_clmulepi64_si128(x, k, 0x11), _mm_clmulepi64_si128(x, k, 0x00)),
                       next);
}

// Folds a whole number of 16-byte blocks, at least 64 bytes, into the checksum state `crc` (not inverted).
// The constants are x^k modulo the polynomial for the fold distances, bit-reflected, and the Barrett
// constants of the final reduction.
__attribute__((target("pclmul,sse4.1"))) uint32_t FoldBlocks(const uint8_t* p, size_t n, uint32_t crc) {
  alignas(16) static const uint64_t kFold64[] = {0x0154442bd4, 0x01c6e41596};
  alignas(16) static const uint64_t kFold16[] = {0x01751997d0, 0x00ccaa009e};
  alignas(16) static const uint64_t kFold8[] = {0x0163cd6124, 0};
  alignas(16) static const uint64_t kBarrett[] = {0x01db710641, 0x01f7011641};
  __m128i x1 = _mm_xor_si128(Load(p), _mm_cvtsi32_si128(static_cast<int>(crc)));
  __m128i x2 = Load(p + 16), x3 = Load(p + 32), x4 = Load(p + 48);
  p += 64;
  n -= 64;
  __m128i k = _mm_load_si128(reinterpret_cast<const __m128i*>(kFold64));
  for (; n >= 64; n -= 64, p += 64) {
    x1 = Fold(x1, k, Load(p));
    x2 = Fold(x2, k, Load(p + 16));
    x3 = Fold(x3, k, Load(p + 32));
    x4 = Fold(x4, k, Load(p + 48));
  }
  k = _mm_load_si128(reinterpret_cast<const __m128i*>(kFold16));
  x1 = Fold(Fold(Fold(x1, k, x2), k, x3), k, x4);
  for (; n >= 16; n -= 16, p += 16)
    x1 = Fold(x1, k, Load(p));
  // 128 bits to 64, then to 32 by Barrett reduction.
  const __m128i low32 = _mm_setr_epi32(~0, 0, ~0, 0);
  x1 = _mm_xor_si128(_mm_srli_si128(x1, 8), _mm_clmulepi64_si128(x1, k, 0x10));
  k = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(kFold8));
  x1 = _mm_xor_si128(_mm_clmulepi64_si128(_mm_and_si128(x1, low32), k, 0x00), _mm_srli_si128(x1, 4));
  k = _mm_load_si128(reinterpret_cast<const __m128i*>(kBarrett));
  __m128i t = _mm_clmulepi64_si128(_mm_and_si128(x1, low32), k, 0x10);
  t = _mm_clmulepi64_si128(_mm_and_si128(t, low32), k, 0x00);
  return static_cast<uint32_t>(_mm_extract_epi32(_mm_xor_si128(x1, t), 1));
}

// Asked of the processor once, when first needed: the compiler's own feature test would make every process
// that loads the host run a full survey of the processor at start (each question a trap in a virtual
// machine).
bool CanFold() {
  static const bool can = [] {
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    return __get_cpuid(1, &eax, &ebx, &ecx, &edx) != 0 && (ecx & bit_PCLMUL) != 0 && (ecx & bit_SSE4_1) != 0;
  }();
  return can;
}
#endif

}  // namespace

uint32_t Crc32(std::span<const uint8_t> bytes, uint32_t crc) {
  crc = ~crc;
  const uint8_t* p = bytes.data();
  size_t n = bytes.size();
#if defined(__x86_64__)
  if (n >= 64 && CanFold()) {
    size_t blocks = n & ~size_t{15};
    crc = FoldBlocks(p, blocks, crc);
    p += blocks;
    n -= blocks;
  }
#endif
  for (; n >= 8; n -= 8, p += 8) {
    uint32_t low = Load32(p) ^ crc;
    uint32_t high = Load32(p + 4);
    crc = kTables[7][low & 0xFF] ^ kTables[6][(low >> 8) & 0xFF] ^ kTables[5][(low >> 16) & 0xFF] ^
          kTables[4][low >> 24] ^ kTables[3][high & 0xFF] ^ kTables[2][(high >> 8) & 0xFF] ^
          kTables[1][(high >> 16) & 0xFF] ^ kTables[0][high >> 24];
  }
  for (; n > 0; --n, ++p)
    crc = kTables[0][(crc ^ *p) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

uint32_t Crc32Combine(uint32_t crcA, uint32_t crcB, uint64_t lengthB) {
  return MultiplyModulo(ShiftFor(lengthB), crcA) ^ crcB;
}
