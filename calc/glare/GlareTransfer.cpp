#include "calc/glare/GlareTransfer.h"

#include <array>
#include <cmath>

namespace qv {

double ParallelRectanglesFormFactor(double a, double b, double c) {
    if (!(a > 0.0) || !(b > 0.0) || !(c > 0.0)) {
        return 0.0;
    }
    constexpr double kPi = 3.141592653589793;
    const double x = a / c;
    const double y = b / c;
    const double x1 = std::sqrt(1.0 + x * x);
    const double y1 = std::sqrt(1.0 + y * y);
    const double value = std::log(x1 * x1 * y1 * y1 / (1.0 + x * x + y * y)) +
                         2.0 * x * y1 * std::atan(x / y1) + 2.0 * y * x1 * std::atan(y / x1) -
                         2.0 * x * std::atan(x) - 2.0 * y * std::atan(y);
    return value / (kPi * x * y);
}

WallTransferFactors WallTransfer(double x, double y, double h, const RoomReflectances& rho) {
    const double fc = ParallelRectanglesFormFactor(x, y, h);
    const double areaFloor = x * y;
    const double areaWalls = 2.0 * h * (x + y);
    if (!(fc > 0.0) || !(areaWalls > 0.0)) {
        return {};
    }
    enum { kFloor = 0, kWalls = 1, kCeiling = 2 };
    const double fw = 1.0 - fc;
    const double wf = areaFloor * fw / areaWalls;
    const double ww = 1.0 - 2.0 * wf;
    // f[i][j]: share of the flux leaving i that reaches j.
    const std::array<std::array<double, 3>, 3> f{{{0.0, fw, fc}, {wf, ww, wf}, {fc, fw, 0.0}}};
    const std::array<double, 3> reflect{rho.floor, rho.walls, rho.ceiling};
    // A[j][i] = δij − ρi·f[i][j]: incident flux Φj = Dj + Σi ρi·f[i][j]·Φi.
    std::array<std::array<double, 3>, 3> a{};
    for (int j = 0; j < 3; ++j) {
        for (int i = 0; i < 3; ++i) {
            a[j][i] = (i == j ? 1.0 : 0.0) - reflect[i] * f[i][j];
        }
    }
    // The walls' incident flux for a unit first incidence on source s (Cramer's rule on
    // the 3 × 3 system).
    const auto det = [](const std::array<std::array<double, 3>, 3>& m) {
        return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
               m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
               m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
    };
    const double whole = det(a);
    if (!(std::fabs(whole) > 1e-300)) {
        return {};
    }
    const auto wallsFrom = [&](int source) {
        auto m = a;
        for (int j = 0; j < 3; ++j) {
            m[j][kWalls] = j == source ? 1.0 : 0.0;
        }
        return det(m) / whole;
    };
    return {wallsFrom(kFloor), wallsFrom(kWalls) - 1.0, wallsFrom(kCeiling)};
}

} // namespace qv
