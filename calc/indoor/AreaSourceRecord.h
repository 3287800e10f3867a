#pragma once
// Inputs and intermediate values of one area-source calculation: what the calculation
// book of a rectangular, non-uniform or circular area source states.
#include <string>
#include <vector>

namespace qv {

// A horizontal rectangle of luminance L in the plane z = height, centred at
// (centreX, centreY), its length along x and its width along y. Metres, cd/m².
struct RectSource {
    double length = 13.0;
    double width = 5.0;
    double luminance = 500.0;
    double centreX = 6.5;
    double centreY = 2.5;
    double height = 5.0;
    bool operator==(const RectSource&) const = default;
};

// A horizontal disc of luminance L in the plane z = height.
struct DiscSource {
    double radius = 2.0;
    double luminance = 500.0;
    double centreX = 6.5;
    double centreY = 2.5;
    double height = 5.0;
    bool operator==(const DiscSource&) const = default;
};

// The illuminated point P.
struct AreaPoint {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    bool operator==(const AreaPoint&) const = default;
};

// The receiving plane through P; the values are the panels' calculation kinds.
enum class AreaSourcePlane { Horizontal = 0, Vertical = 1, Inclined = 2 };

enum class AreaSourceCalculation {
    None,
    RectHorizontal,
    RectVertical,
    RectInclined,
    NonUniformHorizontal,
    DiscHorizontal,
    DiscVertical
};

// One part (A to D) of the rectangle, or one strip term of the inclined plane.
struct AreaSourceTerm {
    std::string part; // "A".."D", or "F(a1,b1)" naming the strip's two distances
    int sign = 1;     // +1 added to the sum, -1 subtracted
    // A part's distances Δx and Δy from P's projection to its corner (0 for a part
    // without area), or an inclined strip's width from the intersection line and its
    // extent along y from the line y = py (m).
    double across = 0.0;
    double along = 0.0;
    double x = 0.0;
    double y = 0.0;
    double f = 0.0; // shape factor
    bool operator==(const AreaSourceTerm&) const = default;
};

// The inclined plane's geometry (see RectInclined).
struct InclinedGeometry {
    double phi = 0.0;    // angle in radians
    double t = 0.0;      // horizontal distance from P to the intersection line
    double xc = 0.0;     // x of the intersection line
    double c = 0.0;      // distance from P to the intersection line within the plane
    double a1 = 0.0;     // xc - xmin
    double g = 0.0;      // xc - xmax
    double e = 0.0;      // distance from P to the nearer y edge
    double wPrime = 0.0; // e + b
    bool operator==(const InclinedGeometry&) const = default;
};

struct AreaSourceRecord {
    AreaSourceCalculation calculation = AreaSourceCalculation::None;
    RectSource rect; // rectangle inputs (rectangular and non-uniform sources)
    DiscSource disc; // disc inputs
    AreaPoint point;
    double angle = 0.0; // inclined plane, degrees
    double d = 0.0;     // height of the source above P
    int caseNumber = 0; // rectangles: 1 to 4
    std::vector<AreaSourceTerm> terms;
    InclinedGeometry inclined;
    double distance = 0.0;    // disc: X, distance from P to the axis or to the plane
    double shapeFactor = 0.0; // disc: f
    double result = 0.0;      // illuminance, lx
    bool operator==(const AreaSourceRecord&) const = default;
};

} // namespace qv
