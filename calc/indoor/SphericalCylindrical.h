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
    double u = 0.0;       // CuAt of the entry's table (kNoCu for none)
    double eh = 0.0;      // Ei = ΦKU/A
    double factor = 0.0;  // Ks + 0.005ρf, or 1.5Ks - 0.25 + 0.005ρf; at least 0
    bool clamped = false; // the formula gave a negative factor, taken as 0
};

struct ScalarIlluminance {
    CavityRatio cavity;
    double area = 0.0;
    double eh = 0.0;     // Σ Ei
    double result = 0.0; // Σ Ei·fi
    // One per entry; empty when the cavity ratio failed.
    std::vector<ScalarEntryResult> entries;
};

// The factor of one entry as its formula gives it: spherical Ks + 0.005·ρf, cylindrical
// 1.5·Ks - 0.25 + 0.005·ρf (ρf in per cent). The cylindrical one is negative for a small
// Ks over a dark floor (Ks = 0.1, ρf = 0: -0.1); an illuminance cannot be, so the
// calculation takes such a factor as 0.
double ScalarFactor(int kind, double ks, double rhoF);

// The largest conversion factor taken: the charts give factors around 1; this bound only
// keeps the products finite.
inline constexpr double kMaxKs = 1e6;

// Ks is read off a chart by the user: a usable one is a finite number above 0 (and at
// most kMaxKs).
bool UsableKs(double ks);

// The first of count entries whose Ks is missing from ks or not usable, -1 when all are.
int FirstUnusableKs(const std::vector<double>& ks, size_t count);

// Both sums over the entries (one luminaire each), ks[i] the factor of entry i (0 where
// ks has no entry; callers refuse entries without a usable Ks before calculating); Ei is
// the lumen method's share, 0 for an entry without a usable U; a negative factor counts
// as 0. A room without extent gives 0 for both.
ScalarIlluminance AverageSphericalOrCylindrical(const Room& room, const LuminaireList& luminaires,
                                                const std::vector<double>& ks, int kind);

// RI = 5/RCR, 0 for an RCR below the tolerance.
double RoomIndex(double rcr);

} // namespace qv
