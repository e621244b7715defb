// The file-backed clipboard. The file starts with "PHCB" and a format byte, followed by records: a kind
// byte ('T' Unicode text as UTF-16 little-endian, 'H' the host's own data), a 32-bit little-endian length
// and the bytes.
#include "host/ui/Clipboard.h"

#include <cstdlib>
#include <cstring>
#include <exception>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

#include "host/db/SafeFileWriter.h"

namespace {

constexpr char kMagic[4] = {'P', 'H', 'C', 'B'};
constexpr uint8_t kFormat = 1;
constexpr uint8_t kTextRecord = 'T';
constexpr uint8_t kHostRecord = 'H';
constexpr size_t kHeaderSize = sizeof(kMagic) + 1;
constexpr size_t kRecordHeaderSize = 5;

std::filesystem::path FromEnvironment(const char* name) {
  const char* value = std::getenv(name);
  return value && *value ? std::filesystem::path(value) : std::filesystem::path();
}

void AppendRecord(std::vector<uint8_t>& out, uint8_t kind, const uint8_t* bytes, size_t count) {
  out.push_back(kind);
  for (int i = 0; i < 4; ++i)
    out.push_back(static_cast<uint8_t>(count >> (8 * i)));
  out.insert(out.end(), bytes, bytes + count);
}

std::vector<uint8_t> Serialize(const ClipboardContents& contents) {
  std::vector<uint8_t> out(kMagic, kMagic + sizeof(kMagic));
  out.push_back(kFormat);
  if (contents.text) {
    std::vector<uint8_t> units;
    units.reserve(contents.text->size() * 2);
    for (char16_t unit : *contents.text) {
      units.push_back(static_cast<uint8_t>(unit));
      units.push_back(static_cast<uint8_t>(unit >> 8));
    }
    AppendRecord(out, kTextRecord, units.data(), units.size());
  }
  if (contents.hostData) AppendRecord(out, kHostRecord, contents.hostData->data(), contents.hostData->size());
  return out;
}

// Fills `out` from the file's bytes; damaged bytes (bad header, a record running past the end, an odd text
// length, an unknown kind) leave `out` empty.
void Parse(const std::vector<uint8_t>& bytes, ClipboardContents& out) {
  out = {};
  if (bytes.size() < kHeaderSize || std::memcmp(bytes.data(), kMagic, sizeof(kMagic)) != 0 ||
      bytes[sizeof(kMagic)] != kFormat)
    return;
  ClipboardContents parsed;
  size_t at = kHeaderSize;
  while (at < bytes.size()) {
    if (bytes.size() - at < kRecordHeaderSize) return;
    uint8_t kind = bytes[at];
    size_t length = 0;
    for (int i = 0; i < 4; ++i)
      length |= static_cast<size_t>(bytes[at + 1 + i]) << (8 * i);
    at += kRecordHeaderSize;
    if (length > bytes.size() - at) return;
    const uint8_t* data = bytes.data() + at;
    if (kind == kTextRecord && length % 2 == 0 && !parsed.text) {
      WideString text(length / 2, u'\0');
      for (size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
      parsed.text = std::move(text);
    } else if (kind == kHostRecord && !parsed.hostData) {
      parsed.hostData.emplace(data, data + length);
    } else {
      return;
    }
    at += length;
  }
  out = std::move(parsed);
}

}  // namespace

std::filesystem::path Clipboard::Location() {
  if (auto path = FromEnvironment("PAGEHOST_CLIPBOARD"); !path.empty()) return path;
  if (auto runtime = FromEnvironment("XDG_RUNTIME_DIR"); !runtime.empty())
    return runtime / "pagehost" / "clipboard";
  if (auto home = FromEnvironment("HOME"); !home.empty()) return home / ".cache" / "pagehost" / "clipboard";
  return {};
}

bool Clipboard::Read(ClipboardContents& out) {
  try {
    return ReadFile(out);
  } catch (const std::exception&) {
    // Out of memory for a large clipboard: as if it could not be read.
    out = {};
    return false;
  }
}

bool Clipboard::Write(const ClipboardContents& contents) {
  try {
    return WriteFile(contents);
  } catch (const std::exception&) {
    return false;
  }
}

bool Clipboard::ReadFile(ClipboardContents& out) {
  out = {};
  std::filesystem::path path = Location();
  if (path.empty()) return true;
  std::error_code error;
  auto status = std::filesystem::status(path, error);
  if (status.type() == std::filesystem::file_type::not_found) return true;
  if (error || !std::filesystem::is_regular_file(status)) return false;
  uint64_t size = std::filesystem::file_size(path, error);
  if (error) return false;
  if (size > kMaxBytes) return true;
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  // The file may have been replaced by a shorter one since it was measured; what was read is judged as is.
  bytes.resize(static_cast<size_t>(file.gcount()));
  if (file.bad()) return false;
  Parse(bytes, out);
  return true;
}

bool Clipboard::WriteFile(const ClipboardContents& contents) {
  std::filesystem::path path = Location();
  if (path.empty()) return false;
  std::vector<uint8_t> bytes = Serialize(contents);
  if (bytes.size() > kMaxBytes) return false;
  std::error_code error;
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), error);
  // Replaced whole through the safe writer, so that a reader never finds half a clipboard.
  std::string_view view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  return SafeFileWriter::Replace(path, view).ok();
}

bool Clipboard::SetText(std::u16string_view text) {
  ClipboardContents contents;
  contents.text.emplace(text);
  return Write(contents);
}

bool Clipboard::SetHostData(std::span<const uint8_t> data) {
  ClipboardContents contents;
  contents.hostData.emplace(data.begin(), data.end());
  return Write(contents);
}

bool Clipboard::Clear() {
  return Write({});
}

bool Clipboard::HasText() {
  ClipboardContents contents;
  return Read(contents) && contents.text && !contents.hostData;
}

bool Clipboard::HoldsHostData() {
  ClipboardContents contents;
  return Read(contents) && contents.hostData.has_value();
}
