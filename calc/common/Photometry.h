#pragma once
// Photometric building blocks of the point calculations: intensity lookup by whole
// degrees, the frame of a rotated luminaire or receiving plane, the linear distribution
// type of a luminaire and the azimuth factors of a linear source.
#include "model/CatalogueRecords.h"
#include "model/Constants.h"
#include "model/Vector.h"

#include <cmath>
#include <cstddef>

namespace qv {

// Positions of the neighbours of a value among table keys; -1 in both for no keys.
struct Neighbours {
    int lower = -1;
    int upper = -1;
};

// The neighbour rule of every table lookup: the upper neighbour is the key nearest to x
// among keys above x or within the tolerance of it, the lower neighbour likewise among
// keys below x or within the tolerance; on equal distance the key met first stays. A
// missing neighbour is replaced by the other one, so outside the keys both are the
// nearest end. key(i) gives the i-th of count keys.
template <typename KeyAt> Neighbours FindNeighbours(int count, double x, KeyAt key) {
    Neighbours found;
    double upperDistance = 0.0;
    double lowerDistance = 0.0;
    for (int i = 0; i < count; ++i) {
        const double a = key(i);
        const double distance = std::fabs(a - x);
        const bool close = distance < kTolerance;
        if ((a > x || close) && (found.upper < 0 || distance < upperDistance)) {
            found.upper = i;
            upperDistance = distance;
        }
        if ((a < x || close) && (found.lower < 0 || distance < lowerDistance)) {
            found.lower = i;
            lowerDistance = distance;
        }
    }
    if (found.upper < 0) {
        found.upper = found.lower;
    }
    if (found.lower < 0) {
        found.lower = found.upper;
    }
    return found;
}

// Intensity (cd per 1000 lm) of a curve at a whole-degree angle: the entry at the angle,
// the end entry outside the curve, else linear interpolation between the neighbours.
// An empty curve gives 0.
double IntensityAt(const IntensityCurve& curve, int angleDegrees);

// The point calculation looks intensities up at whole degrees 0 to 90: the angles it
// asks for come from atan and are never negative.
inline constexpr int kMaxLookupDegrees = 90;

// A non-negative angle in degrees truncated to whole degrees for IntensityAt, or -1 when
// it is not a number or lies outside [0, kMaxLookupDegrees + 1).
inline int WholeDegrees(double degrees) {
    if (!(degrees >= 0.0 && degrees < kMaxLookupDegrees + 1.0)) {
        return -1;
    }
    return static_cast<int>(degrees);
}

// The matrix that expresses vectors in the frame of a rotation (degrees about X, Y, Z).
struct FrameMatrix {
    double m[3][3] = {{1.0, 0.0, 0.0}, {0.0, 1.0, 0.0}, {0.0, 0.0, 1.0}};
};

// Builds the frame matrix of a rotation: each column from the tangents of two of the
// angles taken with the factor -π/180, an angle on an odd multiple of 90° nudged by
// 2e-6 rad before its tangent.
FrameMatrix FrameOf(const Rotation& rotation);

// M·v, with an x component within the tolerance of 0 set to 0.
inline Vector ApplyFrame(const FrameMatrix& frame, const Vector& v) {
    const double(&m)[3][3] = frame.m;
    Vector out;
    out.x = m[0][0] * v.x + m[0][1] * v.y + m[0][2] * v.z;
    out.y = m[1][0] * v.x + m[1][1] * v.y + m[1][2] * v.z;
    out.z = m[2][0] * v.x + m[2][1] * v.y + m[2][2] * v.z;
    if (std::fabs(out.x) < kTolerance) {
        out.x = 0.0;
    }
    return out;
}

// The vector expressed in the frame of the rotation: ApplyFrame(FrameOf(rotation), v).
Vector RotateIntoFrame(const Vector& v, const Rotation& rotation);

// Linear distribution types A..E: the intensity along a linear luminaire's axis falls
// off as cosθ, (cosθ + cos²θ)/2, cos²θ, cos³θ or cos⁴θ.
enum LinearDistributionType { kLinearA = 0, kLinearB, kLinearC, kLinearD, kLinearE };

// The type whose fall-off fits curve A best (least sum of absolute differences of the
// relative intensities; ties to the lower type). A curve without a 0° entry, or with an
// intensity below the tolerance there, leaves currentType unchanged.
int ClassifyLinearDistribution(const IntensityCurve& curveA, int currentType);

// Horizontal (AF) and vertical (af) azimuth factors of a linear source of the given
// type at the angle alpha (radians); both 0 for an unknown type.
struct AzimuthFactor {
    double horizontal = 0.0; // AF
    double vertical = 0.0;   // af
    bool operator==(const AzimuthFactor&) const = default;
};
AzimuthFactor AzimuthFactors(int linearType, double alpha);

} // namespace qv
