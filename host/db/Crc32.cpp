// CRC-32 eight bytes at a time ("slicing by 8"), fast enough that checking a file costs little beside
// reading it; combination by multiplying with powers of x modulo the polynomial.
#include "host/db/Crc32.h"

#include <array>

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

}  // namespace

uint32_t Crc32(std::span<const uint8_t> bytes, uint32_t crc) {
  crc = ~crc;
  const uint8_t* p = bytes.data();
  size_t n = bytes.size();
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
