#pragma once
// Luminaires for the grid tests: point and linear sources with smooth curves and a CU
// table keyed at the reflectances 70/50/20 and 0/0/0.
#include "model/Constants.h"
#include "model/Luminaire.h"

#include <cmath>

namespace qv::test {

inline Luminaire GridFitting(Vector position, double length, Rotation rotation = {}) {
    Luminaire luminaire;
    luminaire.sName = length < 0.5 ? "筒灯" : "荧光灯";
    luminaire.sModel = "G-" + std::to_string(static_cast<int>(length * 10));
    luminaire.ptCenter = position;
    luminaire.Rotate = rotation;
    luminaire.geometricShape.dLength = length;
    luminaire.nLuminousFlux = 3300;
    luminaire.dVindicate = 0.75;
    luminaire.lamp1.dPower = 36;
    luminaire.lamp1.dBallastPower = 9;
    for (int a = 0; a <= 90; a += 5) {
        const double c = std::cos(a * kDegToRad);
        luminaire.curveA.Append({static_cast<double>(a), 240 * c * c + length});
        luminaire.curveB.Append({static_cast<double>(a), 260 * c + 3});
    }
    for (const double rcr : {1.0, 3.0, 5.0}) {
        luminaire.cuTable.Append({0, 0, 0, rcr, 0.5 - 0.04 * rcr});
        luminaire.cuTable.Append({70, 50, 20, rcr, 0.7 - 0.05 * rcr});
    }
    return luminaire;
}

// A mixed set of n luminaires over a room of the given size at height z: every other
// one linear, every third one rotated.
inline LuminaireList GridFittings(int n, double length, double width, double z) {
    LuminaireList list;
    const int columns = n > 4 ? n / 4 : n;
    for (int i = 0; i < n; ++i) {
        const double x = length * (0.5 + i % columns) / columns;
        const double y = width * (0.5 + i / columns) / ((n + columns - 1) / columns);
        const Rotation rotation =
            i % 3 == 0 ? Rotation{0, 0, 30.0 * (i % 4)} : Rotation{i % 5 == 0 ? 10.0 : 0, 0, 0};
        list.Add(GridFitting({x, y, z}, i % 2 == 0 ? 0.3 : 1.2, rotation));
    }
    return list;
}

} // namespace qv::test
