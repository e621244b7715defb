// ScannerInput: the characters a scanner reads, in layers: a macro expansion above the translation output
// above the input buffer decoded from the source. Reading goes through a cursor and a count per layer;
// only an empty input buffer calls into the source. It also keeps the scan's macro definitions and its
// translation table, which the refill of the input buffer applies: a source is compared only at the start
// of a refill, so the characters from the next one that could begin a source are held back for the next.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "kesto/reader/MacroTable.h"
#include "kesto/reader/TranslationTable.h"
#include "kesto/streams/StreamEncoding.h"

namespace kesto {

class VyTextStream;

class ScannerInput {
 public:
  static constexpr int32_t kEnd = -1;
  // Code points decoded per refill.
  static constexpr int32_t kCapacity = 4096;
  // Characters kept before the cursor across a refill, so that a reader can push back a few characters
  // even right after the buffer was refilled.
  static constexpr int32_t kLookBehind = 8;
  // Code points decoded by the first refill after a switch of encoding; each refill after it doubles, up
  // to kCapacity. Another switch soon after the first then throws little decoded text away.
  static constexpr int32_t kFirstRefillAfterSwitch = 16;
  static constexpr int32_t kTranslationCapacity = 16384;
  static constexpr int32_t kMacroCapacity = 8192;
  // Characters macro expansions and translation outputs may give in one scan: an allowance, and so many
  // more per character decoded. Each expansion is bounded, but they compose (a translation whose target
  // invokes a macro again and again), so a few bytes could otherwise bring forth billions of characters.
  static constexpr int64_t kExpansionAllowance = int64_t{1} << 26;
  static constexpr int64_t kExpansionPerCharacter = 16;

  enum class Layer { kMacro, kTranslation };

  ScannerInput();
  ScannerInput(const ScannerInput&) = delete;
  ScannerInput& operator=(const ScannerInput&) = delete;
  ~ScannerInput();

  // The source is borrowed; null detaches it (reading then ends).
  void Attach(VyTextStream* source) {
    source_ = source;
    checkpointCount_ = 0;
    sourcePositionKnown_ = false;
  }
  VyTextStream* GetSource() const { return source_; }
  // Empties every layer, forgets the snapshot and the count of decoded characters; the tables stay.
  void Clear();
  // Empties the macro and translation tables.
  void ClearTables() {
    macros_.Clear();
    translations_.Clear();
  }
  MacroTable& GetMacros() { return macros_; }
  TranslationTable& GetTranslations() { return translations_; }
  // The characters decoded but not read yet are compared with the translation table again: after it
  // changed, it applies from the next character read.
  void OfferAgainForTranslation() { HoldBack(available_); }

  // The next code point, or kEnd at the end of the input.
  int32_t Next() {
    if (upperActive_) return NextFromLayers();
    if (available_ > 0) {
      --available_;
      return *cursor_++;
    }
    return Refill();
  }
  // Steps the cursor of the layer the last character came from back by one; does nothing at the start of
  // that layer's buffer.
  void PushBack();

  // The characters that can be read straight from the input buffer without a refill; none while a macro
  // expansion or translation output is being read. Advance takes `count` of them (at most those offered).
  const int32_t* Run(int32_t& count) const {
    count = upperActive_ ? 0 : available_;
    return cursor_;
  }
  void Advance(int32_t count) {
    cursor_ += count;
    available_ -= count;
  }

  // Makes `chars` the text read next, above the input (and, for a macro, above the translation output).
  // Answers false, changing nothing, when the text does not fit the layer or the scan's expansions would
  // outgrow their allowance.
  bool StartLayer(Layer layer, const int32_t* chars, int32_t count);
  bool IsLayerActive(Layer layer) const;
  // Characters given by expansions and translation outputs since the last Clear.
  int64_t GetExpanded() const { return expanded_; }

  // The last `count` available characters of the input buffer wait for the next refill.
  void HoldBack(int32_t count);
  int32_t GetAvailable() const { return available_; }
  int32_t GetHeld() const { return held_; }
  // Characters of the source consumed so far: decoded, and not waiting in the input buffer.
  int64_t GetConsumed() const { return decoded_ - available_ - held_; }
  // Byte position of the source up to the character last read (an estimate in multi-byte encodings);
  // never below 0.
  int64_t GetConsumedBytePosition() const;

  // Switches the source to `encoding` from the character after the last one read: the source is read again
  // in its old encoding from where the refill of that character began up to it, and the input buffer is
  // emptied. Does nothing, answering false, without a source, when the encoding is already in force, when a
  // byte-order mark fixed the encoding, when either encoding is wider than UTF-8, or when the source cannot
  // go back to that refill (it cannot tell its position, or the character was read back from further).
  bool Redecode(StreamEncoding encoding);

  // A copy of the whole reading state (every layer and the source position), so that a reader can read
  // ahead and then give the characters back. Answers false when no memory was left for it.
  bool TakeSnapshot();
  // Puts the state back and frees the snapshot. Answers false when there was none, or when characters
  // decoded after the snapshot must be decoded again and the source cannot be repositioned (they are then
  // lost).
  bool RestoreSnapshot();
  void DropSnapshot();
  bool HasSnapshot() const { return snapshot_ != nullptr; }

 private:
  struct LayerBuffer {
    std::unique_ptr<int32_t[]> chars;
    int32_t capacity = 0;
    int32_t cursor = 0;
    int32_t count = 0;
    bool active = false;
  };
  struct Snapshot;
  // Where a refill began: the characters decoded before it and the source's byte position there.
  struct Checkpoint {
    int64_t decoded = 0;
    int64_t position = 0;
  };
  // Refills kept track of: enough to reach back over the look-behind and held characters.
  static constexpr int32_t kCheckpoints = 4;

  int32_t NextFromLayers();
  int32_t Refill();
  // Moves the held characters to the start of the buffer, after the look-behind, and decodes more after them.
  void ReadMore();
  // At the start of a refill: a source of the table found at the cursor is consumed and its target becomes
  // the translation layer (answers true); otherwise the characters from the next that could begin a source
  // are held back.
  bool Translate();
  // Held characters are used as they lie while there are enough of them for the longest source to match.
  // Otherwise they move to the front and a whole refill joins them: a source always fits, and a move
  // happens at most once per kCapacity characters less the longest source, so it costs about one move per
  // character read.
  bool HeldEnoughToMatch() const {
    return held_ > 0 && !translations_.Empty() && held_ >= translations_.GetLongestSource();
  }
  void RecordCheckpoint();
  // The latest checkpoint at or before the character numbered `decoded`, or null.
  const Checkpoint* CheckpointBefore(int64_t decoded) const;
  // Tells the source how far back a re-decoding or a snapshot may still take it.
  void KeepReachable();
  // The buffers are about to change: the snapshot takes its own copy of the characters it stands for.
  void CopySnapshotCharacters();
  void UpdateUpperActive() { upperActive_ = macro_.active || translation_.active; }
  LayerBuffer& LayerOf(Layer layer) { return layer == Layer::kMacro ? macro_ : translation_; }
  const LayerBuffer& LayerOf(Layer layer) const { return layer == Layer::kMacro ? macro_ : translation_; }
  int32_t* Start() const { return buffer_.get() + kLookBehind; }
  // Room after the look-behind: a refill, and the held characters it joins.
  static constexpr int32_t kRoom = 2 * kCapacity;

  VyTextStream* source_ = nullptr;
  // The source's byte position, asked once after each call that moves the source rather than at every tag.
  mutable int64_t sourcePosition_ = 0;
  mutable bool sourcePositionKnown_ = false;
  std::unique_ptr<int32_t[]> buffer_;  // kLookBehind + kRoom code points
  int32_t* floor_;                     // the earliest character a push back may reach
  int32_t* cursor_;
  int32_t available_ = 0;
  int32_t held_ = 0;     // characters after the available ones, kept for the next refill
  int64_t decoded_ = 0;  // characters read from the source
  int64_t expanded_ = 0;
  LayerBuffer translation_;
  LayerBuffer macro_;
  bool upperActive_ = false;
  int32_t refillSize_ = kCapacity;
  std::array<Checkpoint, kCheckpoints> checkpoints_{};  // oldest first
  int32_t checkpointCount_ = 0;
  std::unique_ptr<Snapshot> snapshot_;
  MacroTable macros_;
  TranslationTable translations_;
};

}  // namespace kesto
