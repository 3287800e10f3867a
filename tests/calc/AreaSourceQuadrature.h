#pragma once
// Illuminance from a horizontal area source by numerical integration of the luminance
// over the source, E = ∫ L·cosθs·cosθr / r² dA: physics, not the shape factors.

namespace qv::test {

struct Rectangle {
    double xmin, xmax, ymin, ymax;
};

// A rectangle of luminance L at height h, on the plane through P whose unit normal
// (nx, 0, nz) faces the lit side; only the source in front of the plane contributes.
double RectIlluminance(const Rectangle& source, double h, double L, double px, double py, double pz,
                       double nx, double nz);

// A disc of radius a centred at (cx, cy), at height h, on the horizontal plane.
double DiscHorizontalIlluminance(double a, double cx, double cy, double h, double L, double px,
                                 double py, double pz);

} // namespace qv::test
