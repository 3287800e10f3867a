#pragma once
// Illuminance at a point P from a horizontal area source above it: the rectangle of
// equal luminance on a horizontal, vertical or inclined plane, the rectangle of
// non-equal luminance, and the disc. Each calculation returns the record its
// calculation book states. The source must lie above P (d = height - P.z at least the
// tolerance; the panels refuse other inputs); otherwise the record holds no terms and
// the result 0.
#include "calc/indoor/AreaSourceRecord.h"

namespace qv {

// Region of P's projection against the rectangle: 1 inside, 2 beside along x,
// 3 beside along y, 4 diagonal. A projection on the extension of a y edge outside the
// source counts as beside along x (its zero-width parts make that combination
// continuous with the neighbouring regions).
int RectRegionCase(const RectSource& source, const AreaPoint& point);

AreaSourceRecord RectHorizontal(const RectSource& source, const AreaPoint& point);
AreaSourceRecord RectVertical(const RectSource& source, const AreaPoint& point);
// angleDegrees: the angle between the source plane and the receiving plane, which
// rises toward +x; inputs outside (0°, 180°) give no terms and the result 0.
AreaSourceRecord RectInclined(const RectSource& source, const AreaPoint& point,
                              double angleDegrees);
AreaSourceRecord NonUniformHorizontal(const RectSource& source, const AreaPoint& point);

AreaSourceRecord DiscHorizontal(const DiscSource& source, const AreaPoint& point);
AreaSourceRecord DiscVertical(const DiscSource& source, const AreaPoint& point);

} // namespace qv
