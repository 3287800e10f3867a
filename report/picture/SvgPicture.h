#pragma once
// The isolux picture as an SVG document: the field as an embedded PNG image under the
// plot, the outline, luminaires and contours as paths, one text per contour label (its
// level's value as the legend shows it, class "isolux-label"), the axes in metres, the
// colour bar as a gradient with its values in lx, and the Chinese title.
#include "report/picture/IsoluxPicture.h"

#include <string>

namespace qv {

// The width of the SVG picture in its own units.
inline constexpr int kPictureSvgWidth = 1600;

std::string IsoluxSvg(const IsoluxPicture& picture, int width = kPictureSvgWidth);

} // namespace qv
