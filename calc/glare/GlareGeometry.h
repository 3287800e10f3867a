#pragma once
// What one luminaire adds to the glare at one observer: where it lies relative to the
// eye and the line of sight, in which direction of its own distribution it sees the eye,
// how large its luminous area looks from there and how bright it is. Shared by the UGR
// table of a luminaire type and the UGR at observers in a room.
#include "catalogue/photometry/PhotometricData.h"
#include "model/Vector.h"

#include <optional>

namespace qv {

// A luminaire seen from the eye. R, T, H in metres, angles in degrees.
struct GlareView {
    double r = 0.0;     // R: distance along the (horizontal) line of sight
    double t = 0.0;     // T: lateral distance, positive to the right of the line of sight
    double h = 0.0;     // H: height of the luminaire above the eye
    double c = 0.0;     // C of the direction toward the eye in the luminaire's own frame
    double gamma = 0.0; // γ of that direction, from the luminaire's nadir
    double distanceSquared() const { return r * r + t * t + h * h; }
};

// The view of a downward-pointing luminaire centred at luminaire, turned about the
// vertical by rotation (degrees: its C0 axis points along the room's +x turned
// counter-clockwise by rotation, C counter-clockwise seen from above), from the eye
// looking along the horizontal direction sight (its vertical part is ignored; it must not
// be vertical).
GlareView ViewOfLuminaire(const Vector& eye, const Vector& sight, const Vector& luminaire,
                          double rotation);

// Area in m² of the luminous parts projected on a plane normal to the direction (C, γ)
// toward the eye: the bottom face times cos γ (seen from below only) plus the side faces
// turned toward the eye times sin γ. 0 when the luminaire has no luminous area.
double ProjectedLuminousArea(const LuminousArea& area, double c, double gamma);

// The glare term I² / (A_p · r² · p²) = L² · ω / p² of one luminaire: intensity in cd
// toward the eye, projected luminous area in m². Empty when the luminaire does not count:
// behind the eye (R ≤ 0), below the line of sight, outside the position index table,
// or without a visible luminous area.
std::optional<double> GlareTerm(const GlareView& view, double intensity, double projectedArea);

// UGR = 8·log10(0.25 / Lb · Σ terms) for the summed glare terms and the background
// luminance Lb in cd/m²; empty when there is nothing to rate (no term counted, Lb ≤ 0).
std::optional<double> UnifiedGlareRating(double termSum, double backgroundLuminance);

} // namespace qv
