#pragma once
// Lays out a parsed formula as a native Office Math equation (<m:oMath>) inline in a
// paragraph: fractions as <m:f>, roots as <m:rad>, scripts as <m:sSub>/<m:sSup>, top and
// bottom lines as <m:bar>, other boxes as <m:borderBox>, bracketed groups as <m:d>.
// Single Latin letters and Greek letters are set as math italics (variables); words,
// digits, operators and Chinese text upright.
#include "report/EqNotation.h"

#include <pugixml.hpp>

namespace qv {

// Appends the equation to the paragraph, its characters in the given size (half points).
void AppendOfficeMath(pugi::xml_node paragraph, const EqSequence& formula, int halfPoints);

} // namespace qv
