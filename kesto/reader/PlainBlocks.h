// PlainBlocks: the scanner's text loop copies runs of plain characters eight at a time.
#pragma once

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kesto {

// Copies plain characters eight at a time for as long as none of the eight leaves the fast path: those
// below 0x20 but tabs, "@", "<" when tags are read, quotes and dashes when typography is converted, and
// those from 0xD800 on. The character loop costs several instructions per character, and plain text is
// most of every import. A scanner keeps one for its options, so that text between tags, often a word or
// less, does not pay for the set-up.
class PlainBlocks {
 public:
  static constexpr int32_t kSize = 8;

  PlainBlocks(bool tags, bool typography)
#if defined(__SSE2__)
      : tagMask_(_mm_set1_epi16(tags ? -1 : 0)),
        typographyMask_(_mm_set1_epi16(typography ? -1 : 0))
#endif
  {
  }

  // How many characters of `run` (of `n`) it copied to `out`; none where vector instructions are missing.
  int32_t Copy(const int32_t* run, int32_t n, char16_t* out) const {
    int32_t i = 0;
#if defined(__SSE2__)
    for (; i + kSize <= n; i += kSize) {
      __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(run + i));
      __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(run + i + 4));
      __m128i units = _mm_packs_epi32(_mm_sub_epi32(low, bias_), _mm_sub_epi32(high, bias_));
      if (_mm_movemask_epi8(Leaving(units)) != 0) break;
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_xor_si128(units, _mm_set1_epi16(kBias)));
    }
#endif
    return i;
  }

 private:
#if defined(__SSE2__)
  // Characters sit in 16-bit lanes as c - 0x8000, so that signed comparisons order them. Characters past
  // 0xFFFF saturate to the top of the range and leave, like surrogates.
  static constexpr int16_t kBias = -0x8000;
  static __m128i Biased(int32_t c) {
    return _mm_set1_epi16(static_cast<int16_t>(c + kBias));
  }

  __m128i Leaving(__m128i units) const {
    __m128i leaves = _mm_andnot_si128(_mm_cmpeq_epi16(units, tab_), _mm_cmplt_epi16(units, space_));
    leaves = _mm_or_si128(leaves, _mm_cmpeq_epi16(units, at_));
    leaves = _mm_or_si128(leaves, _mm_cmpgt_epi16(units, lastPlain_));
    leaves = _mm_or_si128(leaves, _mm_and_si128(_mm_cmpeq_epi16(units, lessThan_), tagMask_));
    __m128i marks = _mm_or_si128(_mm_cmpeq_epi16(units, dash_), _mm_cmpeq_epi16(units, apostrophe_));
    marks = _mm_or_si128(marks, _mm_cmpeq_epi16(units, quote_));
    return _mm_or_si128(leaves, _mm_and_si128(marks, typographyMask_));
  }

  __m128i tagMask_, typographyMask_;
  __m128i bias_ = _mm_set1_epi32(0x8000);
  __m128i tab_ = Biased('\t'), space_ = Biased(0x20), at_ = Biased('@'), lessThan_ = Biased('<');
  __m128i dash_ = Biased('-'), apostrophe_ = Biased('\''), quote_ = Biased('"'), lastPlain_ = Biased(0xD7FF);
#endif
};

}  // namespace kesto
