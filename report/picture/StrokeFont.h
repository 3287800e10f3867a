#pragma once
// A small stroke (vector) font for the bitmap picture: the digits, ". - ( ) : /", the
// blank and the Latin letters the picture's numbers, units and axis titles need
// (E U a d h i l m n v x y z). Each glyph is a few polylines, stroked by the rasteriser;
// a character without a glyph is drawn as a blank.
#include "report/picture/IsoluxPicture.h"

#include <string>
#include <vector>

namespace qv {

// The advance of the text at the given digit height.
double StrokeTextWidth(const std::string& text, double size);

// The polylines of the text placed as the picture text says (centred vertically on its
// point, anchored horizontally, turned clockwise by its angle).
std::vector<std::vector<PicturePt>> StrokeText(const PictureText& text);

} // namespace qv
