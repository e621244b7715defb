// Typed 32-bit identifiers of the object model: classes, interfaces, implementations, services, plug-ins and
// objects in a database. Each plug-in owns a block of 256 values; its own ID header says where it starts.
#pragma once

#include <compare>
#include <cstdint>
#include <functional>

template <class Tag>
class IDType {
 public:
  constexpr IDType() = default;
  // Implicit on purpose: IDs are written as numbers throughout ("ClassID cls = 4101").
  constexpr IDType(uint32_t value) : value_(value) {}  // NOLINT(google-explicit-constructor)
  constexpr uint32_t Get() const { return value_; }
  constexpr bool IsValid() const { return value_ != 0; }
  constexpr auto operator<=>(const IDType&) const = default;

 private:
  uint32_t value_ = 0;
};

using ClassID = IDType<struct ClassIDTag>;
using PMIID = IDType<struct PMIIDTag>;
using ImplementationID = IDType<struct ImplementationIDTag>;
using ServiceID = IDType<struct ServiceIDTag>;
using PluginID = IDType<struct PluginIDTag>;
using ActionID = IDType<struct ActionIDTag>;
// An object's address inside one database; 0 means none.
using UID = IDType<struct UIDTag>;

inline constexpr ClassID kInvalidClass = 0;
inline constexpr PMIID kInvalidInterfaceID = 0;
inline constexpr UID kInvalidUID = 0;

template <class Tag>
struct std::hash<IDType<Tag>> {
  size_t operator()(IDType<Tag> id) const noexcept { return std::hash<uint32_t>{}(id.Get()); }
};

// Host error codes: 0 is success; plug-ins answer codes from their own blocks. A class rather than a plain
// integer only so that a result dropped on the floor is a compiler warning; it converts both ways.
class [[nodiscard]] ErrorCode {
 public:
  constexpr ErrorCode(int32_t value = 0) : value_(value) {}
  constexpr operator int32_t() const { return value_; }

 private:
  int32_t value_;
};
inline constexpr ErrorCode kSuccess = 0;
inline constexpr ErrorCode kFailure = 1;
inline constexpr ErrorCode kCancel = 2;
inline constexpr ErrorCode kOutOfMemoryError = 3;
inline constexpr ErrorCode kInvalidParameterError = 4;
inline constexpr ErrorCode kFileNotFoundError = 5;
inline constexpr ErrorCode kNotADocumentError = 6;
inline constexpr ErrorCode kDamagedDocumentError = 7;
inline constexpr ErrorCode kWriteFailedError = 8;
// A change to a document asked for outside a command: it is refused, since undo could not take it back.
inline constexpr ErrorCode kNotInCommandError = 9;
// A registration named an ID (class, implementation, interface of a class, provider of a service) that is
// already registered.
inline constexpr ErrorCode kIDClashError = 10;
