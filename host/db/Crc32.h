// CRC-32 (the common polynomial 0xEDB88320), for checking that saved files arrived whole.
#pragma once

#include <cstdint>
#include <span>

uint32_t Crc32(std::span<const uint8_t> bytes, uint32_t crc = 0);
