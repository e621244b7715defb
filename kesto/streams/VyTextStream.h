// VyTextStream: characters over a stream agent's bytes. Reading recognises byte-order marks, detects UTF-16
// without one, accepts UTF-8 inside 8-bit text, turns Windows line ends into one U+000D and counts the
// characters it had to replace; writing encodes characters in any of the eight encodings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "kesto/streams/StreamEncoding.h"
#include "kesto/streams/VyStreamAgent.h"

namespace kesto {

class VyTextStream {
 public:
  // State flags.
  static constexpr uint8_t kEndOfInput = 0x1;
  static constexpr uint8_t kFailed = 0x2;  // the end was read past, or a seek failed: reading stops
  static constexpr uint8_t kBad = 0x4;     // no agent, a write failed or the storage failed: everything stops

  // Line-end modes. In kWindowsLineEnds, reading turns CR LF and a lone LF into CR, and writing turns CR
  // into the encoding's line end.
  static constexpr int32_t kLineEndsAsIs = 0;
  static constexpr int32_t kWindowsLineEnds = 1;

  static constexpr int32_t kEndOfText = -1;
  static constexpr int32_t kReplacementChar = 0xFFFD;

  // The agent is referenced, not owned; a null agent makes a bad stream. The encoding is the agent's own
  // unless given. Reading starts by looking for a byte-order mark.
  VyTextStream(VyStreamAgent* agent, int32_t lineEndMode);
  VyTextStream(VyStreamAgent* agent, StreamEncoding encoding, int32_t lineEndMode);
  VyTextStream(const VyTextStream&) = delete;
  VyTextStream& operator=(const VyTextStream&) = delete;
  virtual ~VyTextStream() = default;

  // --- Reading

  // The next character, or kEndOfText at the end of the input and once reading has stopped. Invalid and
  // truncated byte sequences do not stop reading: they come back as replacements.
  int32_t Read();
  // Reads up to `count` characters into `chars`; answers how many (fewer only where Read would have
  // answered kEndOfText).
  size_t Read(int32_t* chars, size_t count);
  // Steps back over the bytes of the last character read (a CR LF pair read as one CR counts as one
  // character). Only one step is kept: answers false when there is nothing to step over or the agent
  // could not move back (which sets kFailed).
  bool PushBack();
  // Moves to a byte position from the start of the storage and starts reading afresh from there (kFailed
  // and kEndOfInput are cleared). A failed seek sets kFailed and answers false.
  bool Seek(int64_t position, VyStreamAgent::Area area = VyStreamAgent::Area::kRead);
  // The byte position, or -1 when the agent cannot tell.
  int64_t Tell(VyStreamAgent::Area area = VyStreamAgent::Area::kRead);
  // Switches to `encoding`, looking for a byte-order mark at the next read when `detect` is set (which also
  // frees the encoding). Refused (false, nothing changed) once a mark or UTF-16 detection fixed the encoding
  // and either encoding is UTF-16 or UTF-32, or when the agent refuses the encoding. Restarts the count of
  // replaced characters.
  bool SetEncoding(StreamEncoding encoding, bool detect);
  // Goes back to the byte `position`, where a character starts, reads the `count` characters from there
  // again in the current encoding and switches to `encoding` (without detection) for what follows them.
  // Answers false, having changed nothing, when SetEncoding would refuse or the agent cannot go back to
  // `position`. Costs what it reads again, so a caller that keeps recent positions switches in linear time.
  bool SwitchEncodingAfter(int64_t position, int64_t count, StreamEncoding encoding);
  // Keeps the bytes from `position` on within reach of Seek (see VyStreamAgent::KeepFrom).
  void KeepFrom(int64_t position) {
    if (agent_) agent_->KeepFrom(position);
  }

  // --- Writing

  // Writes one character. Nothing is written for -1, surrogates, values above U+10FFFF, or once kFailed or
  // kBad is set; a character the encoding cannot represent is written as '?'. A failed byte sets kBad.
  void PutChar(int32_t cp);
  // Writes UTF-16 text, each surrogate pair as one character.
  void PutText(std::u16string_view text);
  // Writes U+FEFF in UTF-8, UTF-16 and UTF-32; nothing in the 8-bit encodings.
  void WriteByteOrderMark();

  // --- State

  uint8_t GetState() const { return state_; }
  bool IsBad() const { return (state_ & kBad) != 0; }
  bool AtEndOfInput() const { return (state_ & kEndOfInput) != 0; }
  VyStreamAgent* GetAgent() const { return agent_; }
  int32_t GetLineEndMode() const { return lineEndMode_; }
  StreamEncoding GetEncoding() const { return encoding_; }
  // Whether a byte-order mark or UTF-16 detection chose the encoding.
  bool IsEncodingFixed() const { return fixed_; }
  // Characters replaced by U+FFFD since the last change of encoding.
  int32_t GetReplacedCount() const { return replaced_; }

 protected:
  // What an invalid byte sequence reads as: `value` is the lead byte of a UTF-8 sequence, or the unit or
  // value of a UTF-16 or UTF-32 one. Answers a counted U+FFFD.
  virtual int32_t InvalidSequence(uint32_t value);
  // What a sequence cut short by the end of the input reads as: a counted U+FFFD.
  virtual int32_t TruncatedSequence();
  // Counts one replaced character and answers U+FFFD.
  int32_t Replace() {
    ++replaced_;
    return kReplacementChar;
  }

 private:
  static constexpr uint8_t kStopMask = kFailed | kBad;

  void DetectEncoding();
  // One character before line ends are looked at; sets lastBytes_.
  int32_t Decode();
  int32_t DecodeSingleByte(uint8_t byte);
  int32_t DecodeUtf16(uint8_t first);
  int32_t DecodeUtf32(uint8_t first);
  // Tries `lead` as the start of a UTF-8 sequence; on failure every byte after the lead is put back.
  bool TryUtf8(uint8_t lead, int32_t& cp);
  // Decodes plain characters straight from the agent's read area, from chars[n] on; answers the new n.
  size_t ReadRun(int32_t* chars, size_t n, size_t count);
  void ConsumeLineFeed();

  // The next byte, or -1; a failure of the storage sets kBad.
  int NextByte() {
    int byte = agent_->GetByte();
    if (byte < 0 && agent_->GetError() != 0) state_ |= kBad;
    return byte;
  }
  // Copies up to `count` of the next bytes without taking them; answers how many there were.
  size_t Lookahead(uint8_t* bytes, size_t count);
  void Skip(size_t count);
  void StepBack(int64_t count);

  void PutCharSlow(int32_t cp);
  void Encode(char32_t cp);
  void Emit(uint8_t byte) {
    if ((state_ & kBad) == 0 && agent_->PutByte(byte) < 0) state_ |= kBad;
  }
  void EmitUnit16(uint16_t unit);

  uint8_t state_ = 0;
  VyStreamAgent* agent_;
  int32_t lineEndMode_;
  int64_t lastBytes_ = 0;  // bytes of the last character read, for PushBack
  int32_t replaced_ = 0;
  StreamEncoding encoding_;
  bool detect_ = true;
  bool fixed_ = false;
};

inline void VyTextStream::PutChar(int32_t cp) {
  // Plain ASCII into room in the write area is most of any export.
  if (static_cast<uint32_t>(cp) < 0x80 && cp != 0x0D && encoding_ <= StreamEncoding::kUtf8 &&
      (state_ & kStopMask) == 0 && agent_->writeNext_ < agent_->writeEnd_) {
    *agent_->writeNext_++ = static_cast<uint8_t>(cp);
    return;
  }
  PutCharSlow(cp);
}

}  // namespace kesto
