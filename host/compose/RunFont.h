// RunFont: the metrics of one run of text as composition measures it: the face's fixed width table (1/1000
// em, see FontFace) scaled by the point size and the horizontal scale, plus tracking and kerning, both in
// ems of the point size after every character. Vertical metrics are the face's, scaled by the point size.
//
// So the advance of a character is  width / 1000 * size * horizontalScale + (tracking + kerning) * size,
// and `pagehost fonts --metrics FACE SIZE` prints width / 1000 * size for each character, so that anyone can
// compute the line breaks composition makes.
#pragma once

#include "host/db/IDataBase.h"
#include "host/res/FontFace.h"
#include "host/text/AttributeResolver.h"
#include "host/text/ITextModel.h"

struct RunFont {
  const FontFace* face = nullptr;  // never null once resolved
  double pointSize = 12;
  double horizontalScale = 1;
  double tracking = 0;  // ems
  double kerning = 0;   // ems; a kerning left to the kerning method counts as 0
  double leading = -1;  // points, or kAutoLeading

  double Advance(char32_t c) const;
  double Ascent() const { return face->GetAscent() * pointSize / 1000; }
  double Descent() const { return face->GetDescent() * pointSize / 1000; }
  double CapHeight() const { return face->GetCapHeight() * pointSize / 1000; }
  double XHeight() const { return face->GetXHeight() * pointSize / 1000; }
  // The line distance this run asks for: automatic leading is 120 % of the point size; relative leading
  // (stored from kRelativeLeadingBase on) adds to the point size.
  double Leading() const;
};

// The face every run falls back to when its family or face is missing: the catalog's first family's plain
// face.
const FontFace* DefaultFace();

// The attribute of `cls` in force at `position` (or `place`) as a number (booleans 0 or 1); `fallback`
// when none is.
double ResolveNumber(const ITextModel* story, int32_t position, ClassID cls, double fallback = 0);
double ResolveNumber(const AttributeResolver::Place& place, ClassID cls, double fallback = 0);

// The run font of the character run holding `position` (or of `place`): family, face, size, scale,
// tracking, kerning and leading as the attribute resolver finds them.
RunFont ResolveRunFont(const ITextModel* story, int32_t position);
RunFont ResolveRunFont(const AttributeResolver::Place& place);
