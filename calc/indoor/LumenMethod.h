#pragma once
// Average illuminance of a room by the coefficient-of-utilization (lumen) method,
// E = NφUK/A, with the room cavity ratio, the quadrilinear lookup of a CU table and the
// number of luminaires each entry still needs to reach the standard illuminance.
#include "model/Luminaire.h"
#include "model/Room.h"

#include <vector>

namespace qv {

// The room cavity ratio and the effective reflectances (per cent) of a room.
struct CavityRatio {
    bool ok = false; // false when the outline has no extent in x or y; all values 0 then
    double rcr = 0.0;
    double rhoC = 0.0; // effective ceiling reflectance
    double rhoW = 0.0; // wall reflectance reduced by the window share
    double rhoF = 0.0; // floor reflectance
    double h = 0.0;    // cavity height: highest luminaire (at least 0) above the working plane
    double l = 0.0;    // bounding-box length
    double b = 0.0;    // bounding-box width
    bool operator==(const CavityRatio&) const = default;
};

// RCR = 5·h·(l + b)/(l·b) from the bounding box of the outline and the highest luminaire.
CavityRatio RoomCavityRatio(const Room& room, const LuminaireList& luminaires);

// The interpolation step of every table lookup between the upper neighbour (x1, y1) and
// the lower one (x2, y2): linear through both; with the two keys equal, y2 unless it is
// below the tolerance, then y1.
double InterpolationStep(double x, double x1, double x2, double y1, double y2);

// Coefficient of utilization at effective ceiling, wall and floor reflectances and room
// cavity ratio, interpolated between the neighbouring keys of the table (RCR first,
// then floor, wall, ceiling); -1 when the result is below the tolerance (no value).
double CuAt(const CuTable& table, double rhoC, double rhoW, double rhoF, double rcr);

// U = -1 marks an entry without a usable coefficient.
inline constexpr double kNoCu = -1.0;

struct LumenEntryResult {
    double u = 0.0;     // CuAt of the entry's table
    double share = 0.0; // e = ΦKU/A: one luminaire's share of E; 0 without a usable U
    int needed = 0;     // luminaires still needed to reach the standard
    bool operator==(const LumenEntryResult&) const = default;
};

struct LumenMethodResult {
    CavityRatio cavity;
    double area = 0.0;    // A: plan area of the outline
    double e = 0.0;       // average illuminance, lx
    double deficit = 0.0; // ΔE = standard - E
    // One per entry; empty when the cavity ratio failed (the entries keep what they had).
    std::vector<LumenEntryResult> entries;
    bool operator==(const LumenMethodResult&) const = default;
};

// E = Σ nᵢ·eᵢ over the entries with counts[i] luminaires each (1 where counts has no
// entry), and each entry's needed count trunc(ΔE/e - 0.001) + 1 while ΔE exceeds the
// tolerance. An entry without a usable U (or a room without area) has e = 0: it adds
// nothing and needs nothing. A count too large for an int is held at the int maximum.
LumenMethodResult AverageIlluminanceByCu(const Room& room, const LuminaireList& luminaires,
                                         const std::vector<int>& counts);

} // namespace qv
