// Fuzzes the text decoder: any bytes, in any encoding, through memory or a buffered host stream, read in
// blocks or one character at a time with push backs, seeks and changes of encoding in between, decode to
// characters only (no surrogates, nothing above U+10FFFF), and whatever was decoded encodes and decodes
// back to itself.
//
// Input: byte 0 picks the encoding (low nibble, modulo 9), line ends (0x10), the translation-table stream
// (0x20), the buffered host stream (0x40) and mark detection from the agent's encoding (0x80); byte 1
// seeds the sequence of operations; the rest is the text.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "host/db/MemoryStream.h"
#include "kesto/streams/VyMemoryStreamAgent.h"
#include "kesto/streams/VyPMStreamStreamAgent.h"
#include "kesto/streams/VyStringStreamAgent.h"
#include "kesto/streams/VyTextStream.h"
#include "kesto/streams/XlationTextStream.h"

using namespace kesto;

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

bool IsCharacter(int32_t c) {
  return c >= 0 && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF);
}

std::vector<int32_t> Decode(VyTextStream& stream, uint8_t ops, size_t size) {
  std::vector<int32_t> decoded;
  int32_t block[61];
  uint32_t seed = ops * 2654435761u + 1;
  // Every step reads or moves; the cap keeps seeks backwards from going on for ever.
  for (size_t step = 0; step < 4 * size + 64; ++step) {
    seed = seed * 1103515245u + 12345u;
    switch ((seed >> 16) % 8) {
      case 0:
      case 1:
      case 2: {
        size_t n = stream.Read(block, 1 + (seed >> 8) % 61);
        for (size_t i = 0; i < n; ++i)
          Check(IsCharacter(block[i]));
        decoded.insert(decoded.end(), block, block + n);
        if (n == 0) return decoded;
        break;
      }
      case 3:
      case 4: {
        int32_t c = stream.Read();
        if (c < 0) return decoded;
        Check(IsCharacter(c));
        decoded.push_back(c);
        break;
      }
      case 5: {
        int64_t before = stream.Tell();
        if (stream.PushBack()) Check(stream.Tell() < before);
        break;
      }
      case 6: {
        int64_t target = size == 0 ? 0 : static_cast<int64_t>((seed >> 4) % (size + 2));
        bool moved = stream.Seek(target);
        Check(moved == (target <= static_cast<int64_t>(size)));
        if (moved) Check(stream.Tell() == target);
        break;
      }
      default:
        stream.SetEncoding(StreamEncodingFromCode(static_cast<int32_t>((seed >> 12) % 9)),
                           (seed & 0x100) != 0);
        break;
    }
  }
  return decoded;
}

// Encodes `chars` with a mark and reads them back through detection.
void CheckRoundTrip(const std::vector<int32_t>& chars, StreamEncoding encoding, int32_t lineEnds) {
  std::string bytes;
  {
    VyCharStringStreamAgent agent(&bytes);
    VyTextStream writer(&agent, encoding, lineEnds);
    writer.WriteByteOrderMark();
    for (int32_t c : chars)
      writer.PutChar(c);
    Check(!writer.IsBad());
  }
  VyMemoryStreamAgent agent(bytes.data(), bytes.size(), StreamEncoding::kWindowsLatin);
  VyTextStream reader(&agent, lineEnds);
  std::vector<int32_t> again;
  for (int32_t c; (c = reader.Read()) >= 0;)
    again.push_back(c);
  std::vector<int32_t> expected;
  // Line ends are normalised on reading, so a lone LF comes back as CR.
  for (int32_t c : chars)
    expected.push_back(lineEnds == VyTextStream::kWindowsLineEnds && c == 0x0A ? 0x0D : c);
  Check(again == expected);
  Check(reader.GetReplacedCount() == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  uint8_t mode = data[0];
  uint8_t ops = data[1];
  std::span<const uint8_t> text(data + 2, size - 2);

  StreamEncoding encoding = StreamEncodingFromCode((mode & 0x0F) % 9);
  int32_t lineEnds = (mode & 0x10) ? VyTextStream::kWindowsLineEnds : VyTextStream::kLineEndsAsIs;
  MemoryReadStream host(text);
  VyMemoryStreamAgent memory(text.data(), text.size(), encoding);
  VyPMStreamStreamAgent buffered(&host, VyPMStreamStreamAgent::kReadMode, encoding);
  VyStreamAgent* agent = (mode & 0x40) ? static_cast<VyStreamAgent*>(&buffered) : &memory;

  std::unique_ptr<VyTextStream> stream;
  if (mode & 0x20)
    stream = std::make_unique<XlationTextStream>(agent, encoding, StreamEncoding::kWindowsLatin, lineEnds);
  else if (mode & 0x80)
    stream = std::make_unique<VyTextStream>(agent, lineEnds);
  else
    stream = std::make_unique<VyTextStream>(agent, encoding, lineEnds);

  std::vector<int32_t> decoded = Decode(*stream, ops, text.size());
  Check(!stream->IsBad());
  CheckRoundTrip(decoded, (ops & 1) ? StreamEncoding::kUtf8 : StreamEncoding::kUtf16BE, lineEnds);
  return 0;
}
