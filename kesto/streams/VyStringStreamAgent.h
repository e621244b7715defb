// VyStringStreamAgent: a stream agent that appends to a string the caller owns, in three forms: an 8-bit
// string (Windows Latin bytes, or whatever 8-bit encoding the text stream writes), a string of 16-bit
// units, and the host's WideString through MyWideString; the wide forms hold UTF-16 in the machine's
// byte order.
#pragma once

#include <string>

#include "kesto/streams/MyWideString.h"
#include "kesto/streams/VyMemoryStreamAgent.h"

namespace kesto {

template <class Text>
class VyStringStreamAgent final : public VyMemoryStreamAgent {
 public:
  using Unit = typename Text::value_type;
  static_assert(sizeof(Unit) == 1 || sizeof(Unit) == 2, "strings of 8-bit or 16-bit units only");

  // Appends to what `destination` already holds; `destination` is referenced, not owned. Without a
  // destination every write fails.
  explicit VyStringStreamAgent(Text* destination);
  // Closes: the string is cut to what was written.
  ~VyStringStreamAgent() override;

  // 8-bit strings take the single-byte encodings and UTF-8; wide strings only UTF-16 in machine order.
  bool AcceptsEncoding(StreamEncoding encoding) const override;
  // Grows the string (spare units at its end are zero) or, with -1, cuts it to the bytes written; a
  // half-filled last unit of a wide string keeps a zero byte.
  int Overflow(int byte) override;
  // The string is only ever appended to: no seeking (-1), so that closing never cuts off written bytes.
  int64_t Seek(int64_t offset, SeekOrigin origin, Area area) override { return -1; }
  // Cuts the string to what was written; until then it may carry spare zero units.
  KestoResult Close() override { return Overflow(-1); }
  // Bytes written to the string, including what it held before.
  int64_t Size() override;

 private:
  size_t WrittenBytes() const;
  // Points the write area at the string's storage after a resize moved it.
  void Repoint(size_t writtenBytes);

  Text* destination_;
};

using VyCharStringStreamAgent = VyStringStreamAgent<std::string>;
using VyWStringStreamAgent = VyStringStreamAgent<std::u16string>;
using VyWideStringStreamAgent = VyStringStreamAgent<MyWideString>;

extern template class VyStringStreamAgent<std::string>;
extern template class VyStringStreamAgent<std::u16string>;
extern template class VyStringStreamAgent<MyWideString>;

}  // namespace kesto
