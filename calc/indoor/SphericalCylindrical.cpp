#include "calc/indoor/SphericalCylindrical.h"

#include "model/Constants.h"

namespace qv {

double ScalarFactor(int kind, double ks, double rhoF) {
    if (kind == kCylindrical) {
        return 1.5 * ks - 0.25 + 0.005 * rhoF;
    }
    return ks + 0.005 * rhoF;
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
        entry.factor = ScalarFactor(kind, i < ks.size() ? ks[i] : 0.0, out.cavity.rhoF);
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
