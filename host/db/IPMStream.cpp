// Typed transfers of IPMStream, built on XferBytes.
#include "host/db/IPMStream.h"

#include <bit>
#include <cmath>
#include <cstring>

#include "host/db/DocumentFileFormat.h"
#include "host/db/IDataBase.h"

template <class T>
void IPMStream::XferInteger(T& value) {
  using U = std::make_unsigned_t<T>;
  uint8_t bytes[sizeof(T)];
  auto v = static_cast<U>(value);
  for (size_t i = 0; i < sizeof(T); ++i)
    bytes[i] = static_cast<uint8_t>(v >> (8 * i));
  XferBytes(bytes, sizeof(T));
  if (IsReading()) {
    U r = 0;
    for (size_t i = 0; i < sizeof(T); ++i)
      r |= static_cast<U>(static_cast<U>(bytes[i]) << (8 * i));
    value = static_cast<T>(r);
  }
}

void IPMStream::XferBool(bool& value) {
  uint8_t b = value ? 1 : 0;
  XferByte(b);
  value = b != 0;
}
void IPMStream::XferByte(uint8_t& value) {
  XferBytes(&value, 1);
}
void IPMStream::XferInt16(int16_t& value) {
  XferInteger(value);
}
void IPMStream::XferInt32(int32_t& value) {
  XferInteger(value);
}
void IPMStream::XferInt64(int64_t& value) {
  XferInteger(value);
}
void IPMStream::XferUInt32(uint32_t& value) {
  XferInteger(value);
}

void IPMStream::XferReal(double& value) {
  auto bits = std::bit_cast<uint64_t>(value);
  XferInteger(bits);
  value = std::bit_cast<double>(bits);
}

void IPMStream::XferReference(UID& uid) {
  XferID(uid);
  if (IsReading() && IsGood() && uid.Get() >= kUIDLimit)
    MarkDamaged("a reference names UID " + std::to_string(uid.Get()) + ", which no object can have");
}

void IPMStream::XferFinite(double& value, const char* what) {
  XferReal(value);
  if (IsReading() && IsGood() && !std::isfinite(value)) MarkDamaged(std::string(what) + " is not a number");
}

void IPMStream::MarkDamaged(std::string_view why) {
  if (!IsReading()) return;
  if (damage_.empty()) damage_ = why;
  SetState(State::kFailure);
}

bool IPMStream::Expect(bool valid, std::string_view why) {
  if (!valid) MarkDamaged(why);
  return valid || !IsReading();
}

uint32_t IPMStream::GetFormatVersion() const {
  return DocumentFileFormat::kVersion;
}

uint32_t IPMStream::XferCount(uint32_t count, size_t elementSize) {
  XferUInt32(count);
  if (!IsReading()) return count;
  if (!IsGood()) return 0;
  int64_t left = Remaining();
  bool tooLarge = count > kMaxBlock ||
                  (left >= 0 && static_cast<uint64_t>(count) * elementSize > static_cast<uint64_t>(left));
  if (tooLarge) {
    SetState(State::kFailure);
    return 0;
  }
  return count;
}

void IPMStream::XferString(WideString& value) {
  uint32_t count = XferCount(static_cast<uint32_t>(value.size()), 2);
  if (IsReading()) value.clear();
  for (uint32_t i = 0; i < count && IsGood(); ++i) {
    auto unit = static_cast<int16_t>(IsReading() ? 0 : value[i]);
    XferInt16(unit);
    if (IsReading() && IsGood()) value.push_back(static_cast<char16_t>(unit));
  }
}

void IPMStream::XferString(std::string& value) {
  uint32_t count = XferCount(static_cast<uint32_t>(value.size()));
  if (IsReading()) {
    value.clear();
    // Read in bounded pieces so that a damaged count never allocates more than the stream holds.
    uint8_t piece[4096];
    while (count > 0 && IsGood()) {
      size_t n = count < sizeof(piece) ? count : sizeof(piece);
      size_t got = XferBytes(piece, n);
      value.append(reinterpret_cast<char*>(piece), got);
      count -= static_cast<uint32_t>(n);
    }
  } else if (count > 0) {
    XferBytes(reinterpret_cast<uint8_t*>(value.data()), count);
  }
}
