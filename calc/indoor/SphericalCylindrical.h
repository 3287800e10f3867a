#pragma once
// Average spherical (scalar) and cylindrical illuminance of a room from the lumen
// method's horizontal illuminance of each luminaire entry and its conversion factor Ks.
#include "calc/indoor/LumenMethod.h"
#include "model/Luminaire.h"
#include "model/Room.h"

#include <vector>

namespace qv {

enum ScalarKind { kSpherical = 0, kCylindrical = 1 };

struct ScalarEntryResult {
    double u = 0.0;      // CuAt of the entry's table (kNoCu for none)
    double eh = 0.0;     // Ei = ΦKU/A
    double factor = 0.0; // Ks + 0.005ρf, or 1.5Ks - 0.25 + 0.005ρf
};

struct ScalarIlluminance {
    CavityRatio cavity;
    double area = 0.0;
    double eh = 0.0;     // Σ Ei
    double result = 0.0; // Σ Ei·fi
    // One per entry; empty when the cavity ratio failed.
    std::vector<ScalarEntryResult> entries;
};

// The factor of one entry: spherical Ks + 0.005·ρf, cylindrical 1.5·Ks - 0.25 + 0.005·ρf
// (ρf in per cent).
double ScalarFactor(int kind, double ks, double rhoF);

// Both sums over the entries (one luminaire each), ks[i] the factor of entry i (0 where
// ks has no entry); Ei is the lumen method's share, 0 for an entry without a usable U.
// A room without extent gives 0 for both.
ScalarIlluminance AverageSphericalOrCylindrical(const Room& room, const LuminaireList& luminaires,
                                                const std::vector<double>& ks, int kind);

// RI = 5/RCR, 0 for an RCR below the tolerance.
double RoomIndex(double rcr);

} // namespace qv
