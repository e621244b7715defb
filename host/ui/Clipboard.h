// Clipboard: the system clipboard as pagehost offers it. pagehost runs once per command, so the clipboard
// lives in a file that separate runs share the way programs share a desktop clipboard. It holds Unicode
// text and, apart from it, the host's own copied data (page items and the like, which only the host reads
// back).
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "host/core/WideString.h"

struct ClipboardContents {
  // Unicode text, without a terminating zero.
  std::optional<WideString> text;
  // Set while the host's clipboard controller holds data of its own; readers of text then stay away.
  std::optional<std::vector<uint8_t>> hostData;

  bool IsEmpty() const { return !text && !hostData; }
};

class Clipboard {
 public:
  // Largest clipboard accepted; a bigger file counts as damaged.
  static constexpr uint64_t kMaxBytes = 256u << 20;

  // The file behind the clipboard: $PAGEHOST_CLIPBOARD, else $XDG_RUNTIME_DIR/pagehost/clipboard, else
  // $HOME/.cache/pagehost/clipboard; empty when none of these can be named.
  static std::filesystem::path Location();

  // Reads the clipboard. A missing, empty or damaged clipboard reads as empty contents; answers false (and
  // empty contents) only when the file is there but cannot be read.
  static bool Read(ClipboardContents& out);
  // Replaces the whole clipboard at once, so that a reader in another run sees the old or the new contents,
  // never a mix. Answers false, leaving the old contents, when it cannot be written.
  static bool Write(const ClipboardContents& contents);

  // Puts Unicode text on the clipboard; the host no longer holds data of its own.
  static bool SetText(std::u16string_view text);
  // Puts the host's own copied data on the clipboard, replacing any text.
  static bool SetHostData(std::span<const uint8_t> data);
  static bool Clear();

  // Whether Unicode text is available (the paste check); false while the host holds its own data.
  static bool HasText();
  static bool HoldsHostData();

 private:
  static bool ReadFile(ClipboardContents& out);
  static bool WriteFile(const ClipboardContents& contents);
};
