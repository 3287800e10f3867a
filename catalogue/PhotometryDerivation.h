#pragma once
// Derivations the catalogue builder makes from printed intensity tables: the luminous
// flux of a curve, curves in candela turned into candela per 1000 lm, and the intensity
// grid of a rotationally symmetric floodlight.
//
// A printed curve is a list of (angle in degrees from the downward vertical, intensity)
// rows in ascending angle order. Between rows the intensity is taken as linear in the
// angle; below the first row it is the first row's value; above the last row it is 0
// (a table ends where the luminaire's intensity becomes negligible).
#include <vector>

namespace qv {

struct CurveSample {
    double angle = 0.0;
    double value = 0.0;
};
using PrintedCurve = std::vector<CurveSample>;

// The intensity at an angle (degrees) by the rules above; 0 for an empty curve.
double CurveValueAt(const PrintedCurve& curve, double angle);

// The flux of the curve taken as rotationally symmetric, between two angles (degrees,
// from <= to): 2π ∫ I(θ) sin θ dθ, integrated exactly for the piecewise linear curve.
// In lm for a curve in cd; in lm per 1000 lm for a curve in cd per 1000 lm.
double RotationalFlux(const PrintedCurve& curve, double from, double to);

// The flux of a luminaire given by two perpendicular planes (along and across its
// axis), taking the intensity around the vertical as the mean of the two planes.
double TwoPlaneFlux(const PrintedCurve& a, const PrintedCurve& b, double from, double to);

// One node of a floodlight grid: the angles out of and within the vertical plane through
// the beam axis (degrees) and the intensity.
struct GridNode {
    double first = 0.0;
    double second = 0.0;
    double value = 0.0;
};

// The grid of a floodlight whose beam is rotationally symmetric about its aiming axis:
// at the angles (u, v) the direction makes the angle ψ with the axis where
// cos ψ = cos u · cos v, and the intensity is the curve's value at ψ times scale. Nodes
// for every pair of the given angles, the first angle varying slowest.
std::vector<GridNode> RotationalGrid(const PrintedCurve& curve, const std::vector<double>& angles,
                                     double scale);

} // namespace qv
