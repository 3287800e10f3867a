#pragma once
// Lays out a parsed formula as a native Office Math equation (<m:oMath>) inline in a
// paragraph: fractions as <m:f>, roots as <m:rad>, scripts as <m:sSub>/<m:sSup>, top and
// bottom lines as <m:bar>, other boxes as <m:borderBox>, bracketed groups as <m:d>.
// Single Latin letters and Greek letters are set as math italics (variables); function
// names (with their scripts: cos³), units after a number (lx, cd, lm, W/m²), digits,
// operators and Chinese text upright. A negative number right after a function name is
// bracketed: sin(−45.82°).
#include "report/EqNotation.h"

#include <pugixml.hpp>

#include <vector>

namespace qv {

// Appends the equation to the paragraph, its characters in the given size (half points).
void AppendOfficeMath(pugi::xml_node paragraph, const EqSequence& formula, int halfPoints);

// The estimated width of the formula set in Office Math, in ems of its font size.
double EqWidthEm(const EqSequence& formula);

// The formula in lines no wider than widthEm where it can be: a formula too wide is
// broken before the equals signs at its top level, each further line beginning with
// "="; one line when it fits or has no equals sign to break at.
std::vector<EqSequence> BreakLongFormula(const EqSequence& formula, double widthEm);

} // namespace qv
