#pragma once
// What the calculation book of the average spherical or cylindrical illuminance states:
// per luminaire entry its horizontal illuminance, its conversion factor and its factor,
// then the two totals as the panel shows them.
#include "calc/common/BookInputs.h"
#include "calc/indoor/SphericalCylindrical.h"

#include <vector>

namespace qv {

// One luminaire entry of the calculation.
struct ScalarRecordEntry {
    double ks = 0.0;      // the conversion factor Ks the calculation used
    double eh = 0.0;      // Ei = ΦKU/A
    double factor = 0.0;  // ScalarFactor of the entry, 0 where that is negative
    bool clamped = false; // ScalarFactor was negative
    bool operator==(const ScalarRecordEntry&) const = default;
};

struct ScalarIlluminanceRecord {
    int kind = kSpherical;
    double rhoF = 0.0; // floor reflectance, per cent
    // One per entry; empty when the cavity ratio failed.
    std::vector<ScalarRecordEntry> entries;
    // Σ Ei·fi and Σ Ei as the panel shows them: cut to 2 decimals and read back.
    double result = 0.0;
    double horizontal = 0.0;
    BookInputs inputs; // the room and its placed luminaires
    bool operator==(const ScalarIlluminanceRecord&) const = default;
};

} // namespace qv
