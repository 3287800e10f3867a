#pragma once
// Edge choice and shape factors of area sources, pure functions of doubles. The
// factors include no 1/π: the illuminance of a part is its luminance times the factor.

namespace qv {

// The edge of the interval [centre - size/2, centre + size/2] farther from p (far) or
// nearer to p; equal distances give the lower edge in both modes.
double SourceEdge(double centre, double size, double p, bool far);

// A horizontal rectangle with a corner above P, X and Y its sides over the height.
double FormFactorHorizontal(double X, double Y);

// A vertical plane through P: X the depth of the part in front of the plane, Y the
// height, both over the part's extent along the plane.
double FormFactorVertical(double X, double Y);

// A plane through P inclined at phi (radians) to the source plane, for a strip that
// adjoins their intersection line and whose y edge lies on the line y = py: X the
// strip's width from the line and Y the distance from P to the line within the
// inclined plane, both over the strip's extent along y.
double FormFactorInclined(double X, double Y, double phi);

// A rectangle of non-equal luminance, X and Y as for FormFactorHorizontal.
double FormFactorNonUniform(double X, double Y);

// A horizontal disc of radius 1 at height H above P, P at distance xBar from its
// axis: the factor of the horizontal plane and, xBar measured to the vertical plane,
// of the vertical plane. An xBar below the tolerance gives the vertical factor's
// limit, 0.
double DiscFactorHorizontal(double H, double xBar);
double DiscFactorVertical(double H, double xBar);

} // namespace qv
