#pragma once
// The isolux picture as a PNG file, drawn without any drawing library: the field pixel by
// pixel, anti-aliased lines and symbols, the numbers and Latin texts in the stroke font
// (the Chinese title is left to the SVG and the window), compressed with zlib. The same
// picture gives the same bytes.
#include "report/picture/IsoluxPicture.h"

#include <string>

namespace qv {

// Print resolution: the width of the book's and the runner's bitmap, in pixels.
inline constexpr int kPictureBitmapWidth = 2000;

// The picture drawn at the given width.
RgbImage RenderIsoluxBitmap(const IsoluxPicture& picture, int width = kPictureBitmapWidth);

// A PNG file of the image: 8-bit RGB, not interlaced, every row filtered by its
// neighbour above.
std::string EncodePng(const RgbImage& image);

// EncodePng(RenderIsoluxBitmap(picture, width)).
std::string IsoluxPng(const IsoluxPicture& picture, int width = kPictureBitmapWidth);

} // namespace qv
