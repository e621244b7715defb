// The host tagged-text dialect's names for the host's own text attributes, and the text form of their values.
//
// Value forms (what write produces and parse reads; numbers are decimal, with a point and no exponent):
// - lengths (size, leading, shift, indents, spaces, rule weights and offsets): points, "12" or "10.5";
// - scales: percent ("120" is 1.2); tracking and kerning: thousandths of an em ("-25");
// - leading: points, "auto", or "+N" for leading relative to the size; kerning: also "method" (kerning left
//   to the kerning method);
// - on/off attributes: "1" or "0"; enumerations and counts: their number; shades and tints: percent;
// - the face name as it is; swatches, font families, languages and stroke styles: their names;
// - the kerning method: "Metrics", "Optical" or a class number such as "0x20420";
// - tab stops: stops separated by ";", each "position,alignment,character,leader" with alignment L, C, R or
//   A (align on the character); in the character and the leader "%XXXX" stands for the UTF-16 unit XXXX and
//   is written for "%", ",", ";", "<", ">", "\" and control characters.
#pragma once

#include "host/text/AttributeClasses.h"

namespace AttributeTagNames {

// Gives `info` its tag names and parse and write routines when the dialect carries its class; leaves other
// classes as they are.
void Attach(AttributeClassInfo& info);

}  // namespace AttributeTagNames
