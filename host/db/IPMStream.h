// IPMStream: the host's byte stream. Persistent implementations move their fields through it in one
// ReadWrite routine; the same calls read or write as the stream is a reading or a writing one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "host/core/IDs.h"
#include "host/core/WideString.h"

class IPMStream;

// Values that many objects of a document hold alike (the override lists of text runs): a document file keeps
// each once, in one table, and the objects name it by its index there. Only streams of document files have
// a table; elsewhere (undo snapshots, copies in memory) writers keep their values in their own bytes. Only
// implementations the host itself provides use the table, since data kept for an absent plug-in is written
// back as it was read and its indexes would name other values in the next file.
class ISharedValues {
 public:
  using Value = std::shared_ptr<const void>;
  using Writer = std::function<void(IPMStream& stream)>;
  // Makes the value from its bytes; null when they are damaged.
  using Reader = std::function<Value(IPMStream& stream)>;

  // Writing: the index of `value` in the table, adding it with the bytes `write` gives when it is new.
  // Values are told apart by identity, so equal values must be one object. `kind` names what the value is.
  virtual uint32_t Add(uint32_t kind, const Value& value, const Writer& write) = 0;
  // Reading: the value at `index`, made by `read` the first time it is asked for and kept for later calls;
  // null when the table holds no value of `kind` there or its bytes are damaged.
  virtual Value Get(uint32_t kind, uint32_t index, const Reader& read) = 0;

 protected:
  ~ISharedValues() = default;
};

class IPMStream {
 public:
  enum class State { kGood, kEndOfStream, kFailure };
  enum class SeekFrom { kStart, kCurrent, kEnd };
  // Longest string or byte block a stream moves in one call; longer counts read back mark the stream failed.
  static constexpr uint32_t kMaxBlock = 1u << 30;

  virtual ~IPMStream() = default;

  virtual bool IsReading() const = 0;
  bool IsWriting() const { return !IsReading(); }
  virtual State GetState() const = 0;
  virtual void SetState(State state) = 0;
  // Reads into or writes from `bytes`; answers how many moved. A short read sets kEndOfStream and zeroes
  // the rest of `bytes`; a failed write sets kFailure.
  virtual size_t XferBytes(uint8_t* bytes, size_t count) = 0;
  // Answers the new position, or -1 (state unchanged) when the stream cannot seek there.
  virtual int64_t Seek(int64_t offset, SeekFrom from) = 0;
  virtual int64_t Tell() const = 0;
  // Whether a writing stream can take `count` more bytes.
  virtual bool CanWrite(size_t count) const { return IsWriting() && GetState() == State::kGood; }
  // The file behind the stream; empty for streams over memory.
  virtual std::filesystem::path GetFile() const { return {}; }
  // Ends writing: flushes what is buffered. Answers false when that failed.
  virtual bool Flush() { return GetState() != State::kFailure; }
  // The table of shared values of the document file this stream moves an object of; null outside files.
  virtual ISharedValues* GetSharedValues() const { return nullptr; }
  // The document file format the bytes follow: a stream over an object of an older file answers that
  // file's version; every other stream, and every writing one, the current version.
  virtual uint32_t GetFormatVersion() const;

  // Typed transfers, little-endian, fixed widths.
  void XferBool(bool& value);
  void XferByte(uint8_t& value);
  void XferInt16(int16_t& value);
  void XferInt32(int32_t& value);
  void XferInt64(int64_t& value);
  void XferUInt32(uint32_t& value);
  void XferReal(double& value);
  // Length (32-bit count of units) followed by the units.
  void XferString(WideString& value);
  void XferString(std::string& value);
  template <class Tag>
  void XferID(IDType<Tag>& id) {
    uint32_t v = id.Get();
    XferUInt32(v);
    id = IDType<Tag>(v);
  }
  // A reference to another object of the same database. Reading one at or above kUIDLimit, which no
  // object can have, marks the data damaged.
  void XferReference(UID& uid);
  // A real that must be a number: reading a NaN or an infinity marks the data damaged, naming `what`
  // ("a page item's bounds"). Reals that may legitimately hold NaN use XferReal.
  void XferFinite(double& value, const char* what);

  // Reading: marks the data damaged: the stream fails, and the first reason given is kept for the message
  // that refuses the document ("a text frame's column count is out of range"). Writing streams ignore it.
  void MarkDamaged(std::string_view why);
  // Reading: marks the data damaged with `why` unless `valid`. Answers `valid` (always true when writing).
  bool Expect(bool valid, std::string_view why);
  // The reason the first MarkDamaged gave; empty when none did.
  const std::string& GetDamage() const { return damage_; }

  bool IsGood() const { return GetState() == State::kGood; }
  // Bytes left to read, or -1 when the stream cannot tell.
  virtual int64_t Remaining() const { return -1; }
  // Moves a count of elements of at least `elementSize` bytes each. Reading a count that the rest of the
  // stream cannot hold marks the stream failed and answers 0, so damaged data never drives a huge allocation.
  uint32_t XferCount(uint32_t count, size_t elementSize = 1);

 private:
  template <class T>
  void XferInteger(T& value);

  std::string damage_;
};
