#pragma once
// Equality of doubles in the model: within the model tolerance.
#include "model/Constants.h"

#include <cmath>

namespace qv {

// |a - b| <= 1e-6. NaN is equal to nothing, as the plain comparison gives.
inline bool NearlyEqual(double a, double b) {
    return std::fabs(a - b) <= kTolerance;
}

} // namespace qv
