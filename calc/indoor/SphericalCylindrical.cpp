#include "calc/indoor/SphericalCylindrical.h"

#include "model/Constants.h"

#include <algorithm>
#include <cmath>

namespace qv {

double ScalarFactor(int kind, double ks, double rhoF) {
    if (kind == kCylindrical) {
        return 1.5 * ks - 0.25 + 0.005 * rhoF;
    }
    return ks + 0.005 * rhoF;
}

bool UsableKs(double ks) {
    return std::isfinite(ks) && ks > 0.0 && ks <= kMaxKs;
}

int FirstUnusableKs(const std::vector<double>& ks, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        if (i >= ks.size() || !UsableKs(ks[i])) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

ScalarIlluminance AverageSphericalOrCylindrical(const Room& room, const LuminaireList& luminaires,
                                                const std::vector<double>& ks, int kind) {
    // Each entry is one luminaire; its share ΦKU/A follows the lumen method, so an entry
    // without a usable coefficient of utilization adds nothing there and here.
    const LumenMethodResult lumen = AverageIlluminanceByCu(room, luminaires, {});
    ScalarIlluminance out;
    out.cavity = lumen.cavity;
    out.area = lumen.area;
    for (size_t i = 0; i < lumen.entries.size(); ++i) {
        ScalarEntryResult entry;
        entry.u = lumen.entries[i].u;
        entry.eh = lumen.entries[i].share;
        const double factor = ScalarFactor(kind, i < ks.size() ? ks[i] : 0.0, out.cavity.rhoF);
        entry.clamped = factor < 0.0;
        entry.factor = std::max(factor, 0.0);
        out.eh += entry.eh;
        out.result += entry.eh * entry.factor;
        out.entries.push_back(entry);
    }
    return out;
}

double RoomIndex(double rcr) {
    return rcr >= kTolerance ? 5.0 / rcr : 0.0;
}

} // namespace qv
