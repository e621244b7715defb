// Resolving picture and table references.
#include "kesto/layout/PictureReference.h"

#include <system_error>

namespace kesto {
namespace {

constexpr size_t kMaxNameUnits = 4096;

// "scheme:" of a URI: a letter, then letters, digits, "+", "-" or ".", at least two characters (so that a
// drive letter is not taken for a scheme).
size_t SchemeLength(std::u16string_view name) {
  size_t colon = name.find(u':');
  if (colon == std::u16string_view::npos || colon < 2) return 0;
  auto letter = [](char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); };
  if (!letter(name[0])) return 0;
  for (size_t i = 1; i < colon; ++i) {
    char16_t c = name[i];
    if (!letter(c) && !(c >= u'0' && c <= u'9') && c != u'+' && c != u'-' && c != u'.') return 0;
  }
  return colon;
}

// A URI names its place from a root ("http://…", "file:///…"); "Disk:Pictures:a.tif" is a colon path.
size_t UriSchemeLength(std::u16string_view name) {
  size_t scheme = SchemeLength(name);
  return scheme != 0 && scheme + 1 < name.size() && name[scheme + 1] == u'/' ? scheme : 0;
}

bool IsAbsolutePath(std::u16string_view name) {
  return !name.empty() && (name[0] == u'/' || name[0] == u'\\');
}

std::string PercentEncoded(const std::string& path) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : path) {
    bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '/' ||
                 c == '-' || c == '_' || c == '.' || c == '~';
    if (plain) {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out;
}

int32_t FileStatus(const std::filesystem::path& path) {
  std::error_code ec;
  auto status = std::filesystem::status(path, ec);
  if (ec || !std::filesystem::exists(status)) return kReferenceNoFile;
  return std::filesystem::is_directory(status) ? kReferenceIsFolder : kReferenceUsable;
}

WideString FileUri(const std::filesystem::path& path) {
  return WideFromUtf8("file://" + PercentEncoded(path.lexically_normal().string()));
}

}  // namespace

std::string PercentDecoded(std::string_view text) {
  auto hex = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && hex(text[i + 1]) >= 0 && hex(text[i + 2]) >= 0) {
      out += static_cast<char>(hex(text[i + 1]) * 16 + hex(text[i + 2]));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::u16string NativeFromColonPath(std::u16string_view name) {
  size_t colon = name.find(u':');
  if (colon == std::u16string_view::npos || colon == 1 || IsAbsolutePath(name) || UriSchemeLength(name) != 0)
    return std::u16string(name);
  std::u16string out;
  std::u16string_view first = name.substr(0, colon);
  if (!first.empty()) {
    out += u'/';
    out += first;
    out += u'/';
  }
  std::u16string_view rest = name.substr(colon + 1);
  for (;;) {
    size_t next = rest.find(u':');
    std::u16string_view part = rest.substr(0, next);
    if (next == std::u16string_view::npos) {
      out += part;
      break;
    }
    out += part.empty() ? u".." : part;
    out += u'/';
    rest.remove_prefix(next + 1);
  }
  return out;
}

int32_t ResolvePictureReference(std::u16string_view name, const std::filesystem::path& documentFolder,
                                const std::filesystem::path& sourceFolder, WideString& uri) {
  uri.clear();
  if (name.empty() || name.size() > kMaxNameUnits) return kReferenceBadName;
  size_t scheme = UriSchemeLength(name);
  if (scheme != 0) {
    std::string text = Utf8FromWide(name);
    std::string lowered = text.substr(0, scheme);
    for (char& c : lowered)
      c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    uri = WideString(name);
    if (lowered != "file") return kReferenceUsable;
    std::string_view rest = std::string_view(text).substr(scheme + 1);
    if (rest.starts_with("//")) {
      rest.remove_prefix(2);
      size_t slash = rest.find('/');
      if (slash == std::string_view::npos) return kReferenceBadName;
      std::string_view host = rest.substr(0, slash);
      // Files of other machines cannot be opened here.
      if (!host.empty() && host != "localhost") return kReferenceBadName;
      rest.remove_prefix(slash);
    }
    if (!rest.starts_with("/")) return kReferenceBadName;
    return FileStatus(PercentDecoded(rest));
  }
  std::u16string native = NativeFromColonPath(name);
  std::filesystem::path path(Utf8FromWide(native));
  if (path.is_absolute()) {
    uri = FileUri(path);
    return FileStatus(path);
  }
  int32_t status = kReferenceBadName;
  for (const std::filesystem::path& folder : {documentFolder, sourceFolder}) {
    if (folder.empty()) continue;
    std::filesystem::path candidate = folder / path;
    int32_t found = FileStatus(candidate);
    if (status == kReferenceBadName || found != kReferenceNoFile) {
      uri = FileUri(candidate);
      status = found;
    }
    if (found != kReferenceNoFile) break;
  }
  return status;
}

}  // namespace kesto
