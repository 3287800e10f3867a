#pragma once
// Intensities of a type C distribution between the file's angles, as the glare
// calculation looks them up: at the exact direction toward the eye (no rounding to whole
// degrees), by one of two interpolations.
#include "catalogue/photometry/PhotometricData.h"

#include <vector>

namespace qv {

enum class IntensityInterpolation {
    kBilinear,     // linear in γ and in C between the stored angles (as CandelaAt)
    kMonotoneCubic // monotone piecewise cubic (Fritsch–Carlson) in γ, then in C
};

// Looks intensities up in one distribution. Built once per distribution (the monotone
// cubic prepares the planes all around and their slopes); the data must outlive it.
class IntensitySampler {
public:
    IntensitySampler(const PhotometricData& data, IntensityInterpolation interpolation);

    // Intensity in cd at plane c (degrees, any value) and γ from the nadir (0..180); 0
    // outside the stored γ range.
    double operator()(double c, double gamma) const;

private:
    // One plane of the unfolded distribution: its angle and its intensities (and slopes
    // over γ) at the file's γ angles.
    struct Plane {
        double angle = 0.0;
        std::vector<double> values;
        std::vector<double> slopes;
    };
    double AlongPlane(const Plane& plane, double gamma) const;

    const PhotometricData& m_data;
    IntensityInterpolation m_interpolation;
    std::vector<Plane> m_planes; // ascending in [0, 360); cubic only
};

} // namespace qv
