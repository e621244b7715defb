// Making names from URLs safe as file names.
#include "kesto/layout/SafeFileName.h"

#include <array>

#include "host/core/WideString.h"

namespace kesto {
namespace {

// Room for ".HASH" (at most seven base-36 digits) within the 255 bytes a file name may have.
constexpr size_t kMaxNameBytes = 255 - 8;

bool IsSpace(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f' || c == 0xA0 ||
         c == 0x3000 || (c >= 0x2000 && c <= 0x200A);
}

bool IsReserved(char16_t c) {
  static constexpr std::u16string_view kReserved = u"\"*/:<>?\\|";
  return c < 0x20 || kReserved.find(c) != std::u16string_view::npos;
}

char16_t Upper(char16_t c) {
  return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

// CON, PRN, AUX, NUL, COM1-9 and LPT1-9, alone or followed by a dot: names some systems keep for devices.
bool IsDeviceName(std::u16string_view name) {
  size_t stem = name.find(u'.');
  std::u16string upper;
  for (char16_t c : name.substr(0, stem))
    upper += Upper(c);
  static constexpr std::array<std::u16string_view, 4> kPlain = {u"CON", u"PRN", u"AUX", u"NUL"};
  for (std::u16string_view device : kPlain) {
    if (upper == device) return true;
  }
  return upper.size() == 4 && (upper.starts_with(u"COM") || upper.starts_with(u"LPT")) && upper[3] >= u'1' &&
         upper[3] <= u'9';
}

// `name` cut to at most `bytes` bytes of UTF-8, never inside a surrogate pair.
std::u16string CutToBytes(std::u16string_view name, size_t bytes) {
  size_t used = 0, end = 0;
  while (end < name.size()) {
    size_t units = (name[end] >= 0xD800 && name[end] <= 0xDBFF && end + 1 < name.size()) ? 2 : 1;
    size_t size = Utf8FromWide(name.substr(end, units)).size();
    if (used + size > bytes) break;
    used += size;
    end += units;
  }
  return std::u16string(name.substr(0, end));
}

}  // namespace

SafeName SafeFileName(std::u16string_view name) {
  SafeName out;
  size_t start = 0;
  while (start < name.size() && IsSpace(name[start]))
    ++start;
  out.changed = start != 0;
  for (char16_t c : name.substr(start)) {
    bool reserved = IsReserved(c);
    out.name += reserved ? u'#' : c;
    out.changed |= reserved;
  }
  if (IsDeviceName(out.name)) {
    out.name[2] = u'#';
    out.changed = true;
  }
  size_t end = out.name.size();
  while (end > 0 && (out.name[end - 1] == u'.' || IsSpace(out.name[end - 1])))
    --end;
  if (end != out.name.size()) {
    out.name.resize(end);
    out.changed = true;
  }
  if (Utf8FromWide(out.name).size() > kMaxNameBytes) {
    out.name = CutToBytes(out.name, kMaxNameBytes);
    out.changed = true;
  }
  if (out.name.empty()) {
    out.name = u"#";
    out.changed = true;
  }
  return out;
}

uint32_t DownloadNameHash(std::u16string_view segment, std::u16string_view query) {
  uint32_t h = 0;
  for (std::u16string_view part : {segment, query}) {
    for (char16_t unit : part)
      h = (h ^ unit) * 16777619u;
  }
  return h;
}

std::u16string Base36(uint32_t value) {
  static constexpr char16_t kDigits[] = u"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  std::u16string out;
  do {
    out.insert(out.begin(), kDigits[value % 36]);
    value /= 36;
  } while (value != 0);
  return out;
}

std::u16string WithHash(std::u16string_view name, uint32_t hash) {
  size_t dot = name.rfind(u'.');
  size_t at = dot == std::u16string_view::npos || dot == 0 ? name.size() : dot;
  std::u16string out(name);
  out.insert(at, u"." + Base36(hash));
  return out;
}

}  // namespace kesto
