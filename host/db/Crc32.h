// CRC-32 (the common polynomial 0xEDB88320), for checking that saved files arrived whole.
#pragma once

#include <cstdint>
#include <span>

// The checksum of `bytes`, continuing from `crc` (the checksum of the bytes before them).
uint32_t Crc32(std::span<const uint8_t> bytes, uint32_t crc = 0);
// The checksum of A followed by B, from the checksums of A and B and the length of B; for parts of a file
// checked out of order.
uint32_t Crc32Combine(uint32_t crcA, uint32_t crcB, uint64_t lengthB);
