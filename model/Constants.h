#pragma once
// Units, tolerance and angle factors shared by every calculation.

namespace qv {

// Comparisons with zero and equality of lengths, angles, intensities and table keys.
inline constexpr double kTolerance = 1e-6;
// Radians to degrees and degrees to radians.
inline constexpr double kRadToDeg = 57.29577951308232;
inline constexpr double kDegToRad = 0.017453292519943295;

} // namespace qv
