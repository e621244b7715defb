// The scanner's input layers: refill with look-behind, push back, snapshots and re-decoding.
#include "kesto/reader/ScannerInput.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "kesto/streams/VyTextStream.h"

namespace kesto {

struct ScannerInput::Snapshot {
  struct SavedLayer {
    std::unique_ptr<int32_t[]> chars;
    int32_t cursor = 0;
    int32_t count = 0;
    bool active = false;
  };

  std::unique_ptr<int32_t[]> input;  // from the floor to the last held character
  int32_t floorOffset = 0;           // of the floor, from the start of the buffer
  int32_t cursorOffset = 0;          // of the cursor, from the floor
  int32_t available = 0;
  int32_t held = 0;
  int64_t decoded = 0;
  int64_t sourcePosition = -1;
  SavedLayer translation;
  SavedLayer macro;
  // The characters are copied only once the buffers are about to change: most read-aheads end first.
  bool copied = false;
};

namespace {

bool CopyChars(std::unique_ptr<int32_t[]>& to, const int32_t* from, int32_t count) {
  to.reset(new (std::nothrow) int32_t[std::max(count, 1)]);
  if (!to) return false;
  if (count > 0) std::memcpy(to.get(), from, static_cast<size_t>(count) * sizeof(int32_t));
  return true;
}

}  // namespace

ScannerInput::ScannerInput() : buffer_(new int32_t[kLookBehind + kRoom]) {
  translation_.capacity = kTranslationCapacity;
  macro_.capacity = kMacroCapacity;
  Clear();
}

ScannerInput::~ScannerInput() = default;

void ScannerInput::Clear() {
  cursor_ = floor_ = Start();
  available_ = 0;
  held_ = 0;
  decoded_ = 0;
  expanded_ = 0;
  translation_.active = macro_.active = false;
  translation_.cursor = translation_.count = macro_.cursor = macro_.count = 0;
  upperActive_ = false;
  refillSize_ = kCapacity;
  checkpointCount_ = 0;
  snapshot_.reset();
}

void ScannerInput::PushBack() {
  if (macro_.active) {
    if (macro_.cursor > 0) --macro_.cursor;
    return;
  }
  if (translation_.active) {
    if (translation_.cursor > 0) --translation_.cursor;
    return;
  }
  if (cursor_ > floor_) {
    --cursor_;
    ++available_;
  }
}

int32_t ScannerInput::NextFromLayers() {
  for (LayerBuffer* layer : {&macro_, &translation_}) {
    if (!layer->active) continue;
    if (layer->cursor < layer->count) return layer->chars[layer->cursor++];
    layer->active = false;
  }
  UpdateUpperActive();
  return Next();
}

int32_t ScannerInput::Refill() {
  for (;;) {
    if (!source_) return kEnd;
    if (HeldEnoughToMatch()) {
      available_ = held_;
      held_ = 0;
    } else {
      ReadMore();
    }
    if (available_ == 0) return kEnd;
    if (translations_.Empty() || !Translate()) break;
    // An empty target replaces its source with nothing: the characters after it are the next refill.
    if (translation_.count > 0) return translation_.chars[translation_.cursor++];
    translation_.active = false;
    UpdateUpperActive();
  }
  --available_;
  return *cursor_++;
}

void ScannerInput::ReadMore() {
  CopySnapshotCharacters();
  // The last few characters read stay in front of the new ones, and the held ones become available again.
  int32_t behind = static_cast<int32_t>(std::min<ptrdiff_t>(kLookBehind, cursor_ - floor_));
  std::memmove(Start() - behind, cursor_ - behind, static_cast<size_t>(behind + held_) * sizeof(int32_t));
  floor_ = Start() - behind;
  cursor_ = Start();
  RecordCheckpoint();
  int32_t room = std::min(kRoom - held_, refillSize_);
  refillSize_ = std::min(kCapacity, refillSize_ * 2);
  auto got = static_cast<int32_t>(source_->Read(Start() + held_, static_cast<size_t>(room)));
  sourcePositionKnown_ = false;
  decoded_ += got;
  available_ = held_ + got;
  held_ = 0;
}

bool ScannerInput::Translate() {
  if (translations_.CanBegin(*cursor_)) {
    const int32_t* target = nullptr;
    int32_t targetCount = 0;
    int32_t matched = translations_.Match(cursor_, available_, target, targetCount);
    if (matched > 0 && StartLayer(Layer::kTranslation, target, targetCount)) {
      cursor_ += matched;
      held_ = available_ - matched;
      available_ = 0;
      return true;
    }
  }
  for (int32_t i = 1; i < available_; ++i) {
    if (translations_.CanBegin(cursor_[i])) {
      held_ = available_ - i;
      available_ = i;
      break;
    }
  }
  return false;
}

void ScannerInput::RecordCheckpoint() {
  // Refills at the end of the input all start at the same character.
  if (checkpointCount_ > 0 && checkpoints_[static_cast<size_t>(checkpointCount_ - 1)].decoded == decoded_)
    return;
  int64_t position = source_->Tell();
  if (position < 0) return;
  if (checkpointCount_ == kCheckpoints) {
    std::move(checkpoints_.begin() + 1, checkpoints_.end(), checkpoints_.begin());
    --checkpointCount_;
  }
  checkpoints_[static_cast<size_t>(checkpointCount_++)] = {decoded_, position};
  KeepReachable();
}

const ScannerInput::Checkpoint* ScannerInput::CheckpointBefore(int64_t decoded) const {
  const Checkpoint* best = nullptr;
  for (int32_t i = 0; i < checkpointCount_; ++i) {
    const Checkpoint& c = checkpoints_[static_cast<size_t>(i)];
    if (c.decoded <= decoded && (!best || c.decoded > best->decoded)) best = &c;
  }
  return best;
}

void ScannerInput::KeepReachable() {
  if (!source_) return;
  int64_t keep = checkpointCount_ > 0 ? checkpoints_[0].position : -1;
  for (int32_t i = 1; i < checkpointCount_; ++i)
    keep = std::min(keep, checkpoints_[static_cast<size_t>(i)].position);
  if (snapshot_ && snapshot_->sourcePosition >= 0)
    keep = keep < 0 ? snapshot_->sourcePosition : std::min(keep, snapshot_->sourcePosition);
  source_->KeepFrom(keep);
}

bool ScannerInput::StartLayer(Layer which, const int32_t* chars, int32_t count) {
  LayerBuffer& layer = LayerOf(which);
  if (count < 0 || count > layer.capacity) return false;
  if (expanded_ + count > kExpansionAllowance + kExpansionPerCharacter * decoded_) return false;
  if (!layer.chars) {
    layer.chars.reset(new (std::nothrow) int32_t[static_cast<size_t>(layer.capacity)]);
    if (!layer.chars) return false;
  }
  CopySnapshotCharacters();
  if (count > 0) std::memmove(layer.chars.get(), chars, static_cast<size_t>(count) * sizeof(int32_t));
  layer.cursor = 0;
  layer.count = count;
  layer.active = true;
  expanded_ += count;
  UpdateUpperActive();
  return true;
}

bool ScannerInput::IsLayerActive(Layer layer) const {
  return LayerOf(layer).active;
}

void ScannerInput::HoldBack(int32_t count) {
  count = std::clamp(count, 0, available_);
  available_ -= count;
  held_ += count;
}

int64_t ScannerInput::GetConsumedBytePosition() const {
  if (!source_) return 0;
  if (!sourcePositionKnown_) {
    sourcePosition_ = source_->Tell();
    sourcePositionKnown_ = true;
  }
  int64_t position = sourcePosition_;
  int64_t pending = static_cast<int64_t>(available_ + held_ + 1) * BytesPerUnit(source_->GetEncoding());
  return std::max<int64_t>(0, position - pending);
}

bool ScannerInput::Redecode(StreamEncoding encoding) {
  if (!source_) return false;
  StreamEncoding old = source_->GetEncoding();
  if (old == encoding || source_->IsEncodingFixed() || IsWide(old) || IsWide(encoding)) return false;
  int64_t consumed = GetConsumed();
  // A source that cannot go back keeps its encoding rather than lose its place.
  const Checkpoint* from = CheckpointBefore(consumed);
  sourcePositionKnown_ = false;
  if (!from || !source_->SwitchEncodingAfter(from->position, consumed - from->decoded, encoding))
    return false;
  CopySnapshotCharacters();
  cursor_ = floor_ = Start();
  available_ = held_ = 0;
  decoded_ = consumed;
  // What was decoded before the switch can no longer be decoded again the same way.
  checkpointCount_ = 0;
  RecordCheckpoint();
  refillSize_ = kFirstRefillAfterSwitch;
  return true;
}

bool ScannerInput::TakeSnapshot() {
  std::unique_ptr<Snapshot> s(new (std::nothrow) Snapshot);
  if (!s) return false;
  s->floorOffset = static_cast<int32_t>(floor_ - buffer_.get());
  s->cursorOffset = static_cast<int32_t>(cursor_ - floor_);
  s->available = available_;
  s->held = held_;
  s->decoded = decoded_;
  s->sourcePosition = source_ ? source_->Tell() : -1;
  for (auto [saved, layer] : {std::pair{&s->translation, &translation_}, std::pair{&s->macro, &macro_}}) {
    saved->cursor = layer->cursor;
    saved->count = layer->count;
    saved->active = layer->active;
  }
  snapshot_ = std::move(s);
  KeepReachable();
  return true;
}

void ScannerInput::CopySnapshotCharacters() {
  Snapshot* s = snapshot_.get();
  if (!s || s->copied) return;
  bool copied = CopyChars(s->input, buffer_.get() + s->floorOffset, s->cursorOffset + s->available + s->held);
  for (auto [saved, layer] : {std::pair{&s->translation, &translation_}, std::pair{&s->macro, &macro_}}) {
    if (copied && saved->active) copied = CopyChars(saved->chars, layer->chars.get(), saved->count);
  }
  s->copied = copied;
  // Without memory for the copy there is nothing to go back to.
  if (!copied) DropSnapshot();
}

bool ScannerInput::RestoreSnapshot() {
  if (!snapshot_) return false;
  std::unique_ptr<Snapshot> s = std::move(snapshot_);
  floor_ = buffer_.get() + s->floorOffset;
  if (s->copied) {
    std::memcpy(floor_, s->input.get(),
                static_cast<size_t>(s->cursorOffset + s->available + s->held) * sizeof(int32_t));
  }
  cursor_ = floor_ + s->cursorOffset;
  available_ = s->available;
  held_ = s->held;
  for (auto [saved, layer] : {std::pair{&s->translation, &translation_}, std::pair{&s->macro, &macro_}}) {
    layer->active = saved->active;
    if (!saved->active) continue;
    if (s->copied)
      std::memcpy(layer->chars.get(), saved->chars.get(),
                  static_cast<size_t>(saved->count) * sizeof(int32_t));
    layer->cursor = saved->cursor;
    layer->count = saved->count;
  }
  UpdateUpperActive();
  // Characters decoded after the snapshot are decoded again from where the source was.
  bool ok = true;
  if (decoded_ != s->decoded && source_) ok = s->sourcePosition >= 0 && source_->Seek(s->sourcePosition);
  sourcePositionKnown_ = false;
  decoded_ = s->decoded;
  KeepReachable();
  return ok;
}

void ScannerInput::DropSnapshot() {
  snapshot_.reset();
  KeepReachable();
}

}  // namespace kesto
