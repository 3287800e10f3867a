#include "calc/indoor/LumenMethod.h"

#include "calc/common/Outline.h"
#include "calc/common/Photometry.h"

#include <array>
#include <climits>
#include <cmath>

namespace qv {
namespace {

constexpr double kCavityFactor = 5.0;
constexpr double kPerCent = 0.01;
// A quotient within this much above a whole number does not ask for one more luminaire.
constexpr double kCountSlack = 0.001;

enum Key { kCeiling = 0, kWall, kFloor, kRatio, kKeyCount };

double KeyOf(const CuRow& row, int key) {
    switch (key) {
    case kCeiling:
        return row.dPcc;
    case kWall:
        return row.dPw;
    case kFloor:
        return row.dPf;
    default:
        return row.dPCR;
    }
}

// The upper and lower neighbour of a value among the distinct values of one key.
struct KeyNeighbours {
    double upper = 0.0;
    double lower = 0.0;
};

bool NeighboursOf(const std::vector<CuRow>& rows, int key, double value, KeyNeighbours& out) {
    std::vector<double> distinct;
    for (const CuRow& row : rows) {
        const double k = KeyOf(row, key);
        bool seen = false;
        for (const double d : distinct) {
            seen = seen || d == k;
        }
        if (!seen) {
            distinct.push_back(k);
        }
    }
    const Neighbours found = FindNeighbours(static_cast<int>(distinct.size()), value, [&](int i) {
        return distinct[static_cast<size_t>(i)];
    });
    if (found.lower < 0) {
        return false;
    }
    out.upper = distinct[static_cast<size_t>(found.upper)];
    out.lower = distinct[static_cast<size_t>(found.lower)];
    return true;
}

// The CU of the first row whose four keys are exactly these; 0 when there is none.
double ExactCu(const std::vector<CuRow>& rows, double ceiling, double wall, double floor,
               double ratio) {
    for (const CuRow& row : rows) {
        if (row.dPcc == ceiling && row.dPw == wall && row.dPf == floor && row.dPCR == ratio) {
            return row.dUsing;
        }
    }
    return 0.0;
}

// A count held within the int range (0 for a non-number).
int SaturatedCount(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= static_cast<double>(INT_MAX)) {
        return INT_MAX;
    }
    if (value <= static_cast<double>(INT_MIN)) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

} // namespace

double InterpolationStep(double x, double x1, double x2, double y1, double y2) {
    if (std::fabs(x1 - x2) >= kTolerance) {
        return (y1 - y2) / (x1 - x2) * (x - x2) + y2;
    }
    return y2 >= kTolerance ? y2 : y1;
}

CavityRatio RoomCavityRatio(const Room& room, const LuminaireList& luminaires) {
    double top = 0.0;
    for (const Luminaire& luminaire : luminaires.Items()) {
        if (luminaire.ptCenter.z > top) {
            top = luminaire.ptCenter.z;
        }
    }
    const OutlineExtent extent = ExtentOf(room.outline);
    const double l = std::fabs(extent.maxX - extent.minX);
    const double b = std::fabs(extent.maxY - extent.minY);
    CavityRatio ratio;
    if (!(std::fabs(l * b) >= kTolerance)) {
        return ratio;
    }
    ratio.ok = true;
    ratio.h = top - room.dWorkHeight;
    ratio.l = l;
    ratio.b = b;
    ratio.rcr = kCavityFactor * ratio.h * (l + b) / (l * b);
    ratio.rhoC = room.dReflectTop;
    ratio.rhoW = room.dReflectWall * (1.0 - room.dWinInWall * kPerCent);
    ratio.rhoF = room.dReflectFloor;
    return ratio;
}

double CuAt(const CuTable& table, double rhoC, double rhoW, double rhoF, double rcr) {
    const std::vector<CuRow>& rows = table.Rows();
    const double values[kKeyCount] = {rhoC, rhoW, rhoF, rcr};
    KeyNeighbours n[kKeyCount];
    for (int key = 0; key < kKeyCount; ++key) {
        if (!NeighboursOf(rows, key, values[key], n[key])) {
            return kNoCu;
        }
    }
    // byCeiling[c]: the value at ceiling neighbour c (0 upper, 1 lower), and so on.
    std::array<double, 2> byCeiling{};
    for (int c = 0; c < 2; ++c) {
        const double ceiling = c == 0 ? n[kCeiling].upper : n[kCeiling].lower;
        std::array<double, 2> byWall{};
        for (int w = 0; w < 2; ++w) {
            const double wall = w == 0 ? n[kWall].upper : n[kWall].lower;
            std::array<double, 2> byFloor{};
            for (int f = 0; f < 2; ++f) {
                const double floor = f == 0 ? n[kFloor].upper : n[kFloor].lower;
                const KeyNeighbours& r = n[kRatio];
                byFloor[static_cast<size_t>(f)] = InterpolationStep(
                    rcr, r.upper, r.lower, ExactCu(rows, ceiling, wall, floor, r.upper),
                    ExactCu(rows, ceiling, wall, floor, r.lower));
            }
            byWall[static_cast<size_t>(w)] =
                InterpolationStep(rhoF, n[kFloor].upper, n[kFloor].lower, byFloor[0], byFloor[1]);
        }
        byCeiling[static_cast<size_t>(c)] =
            InterpolationStep(rhoW, n[kWall].upper, n[kWall].lower, byWall[0], byWall[1]);
    }
    const double cu =
        InterpolationStep(rhoC, n[kCeiling].upper, n[kCeiling].lower, byCeiling[0], byCeiling[1]);
    return cu >= kTolerance ? cu : kNoCu;
}

LumenMethodResult AverageIlluminanceByCu(const Room& room, const LuminaireList& luminaires,
                                         const std::vector<int>& counts) {
    LumenMethodResult result;
    result.area = OutlineArea(room.outline);
    result.cavity = RoomCavityRatio(room, luminaires);
    if (!result.cavity.ok) {
        return result;
    }
    const CavityRatio& cavity = result.cavity;
    const bool hasArea = result.area >= kTolerance;
    double e = 0.0;
    for (int i = 0; i < luminaires.Count(); ++i) {
        const Luminaire& luminaire = luminaires.At(i);
        LumenEntryResult entry;
        entry.u = CuAt(luminaire.cuTable, cavity.rhoC, cavity.rhoW, cavity.rhoF, cavity.rcr);
        if (entry.u > 0.0 && hasArea) {
            entry.share = static_cast<double>(luminaire.nLuminousFlux) * luminaire.dVindicate *
                          entry.u / result.area;
        }
        const int count =
            static_cast<size_t>(i) < counts.size() ? counts[static_cast<size_t>(i)] : 1;
        const double added = static_cast<double>(count) * entry.share;
        if (!std::isfinite(added)) {
            entry.share = 0.0;
        } else {
            e += added;
        }
        result.entries.push_back(entry);
    }
    result.e = std::isfinite(e) ? e : 0.0;
    result.deficit = room.dLxStandard - result.e;
    for (LumenEntryResult& entry : result.entries) {
        if (result.deficit > kTolerance && entry.share > 0.0) {
            entry.needed =
                SaturatedCount(std::trunc(result.deficit / entry.share - kCountSlack) + 1.0);
        }
    }
    return result;
}

} // namespace qv
