#include "calc/glare/UgrBackground.h"

#include "model/Constants.h"

#include <cmath>

namespace qv {
namespace {

constexpr double kPi = 3.141592653589793;

struct FloorFactorRow {
    double k;
    std::array<double, 4> f;
};
// F_GL1..4 by room index (a fitted model: some factors are negative).
constexpr std::array<FloorFactorRow, 13> kFloorFactors{{
    {1.00, {0.690, 0.109, 0.085, -0.016}},
    {1.20, {0.578, 0.200, 0.127, -0.018}},
    {1.33, {0.528, 0.218, 0.170, -0.017}},
    {1.50, {0.485, 0.215, 0.222, -0.012}},
    {1.60, {0.466, 0.207, 0.249, -0.006}},
    {1.71, {0.448, 0.198, 0.272, 0.005}},
    {2.00, {0.338, 0.257, 0.351, -0.018}},
    {2.40, {0.296, 0.203, 0.449, -0.006}},
    {2.67, {0.280, 0.165, 0.499, 0.006}},
    {3.00, {0.264, 0.125, 0.541, 0.027}},
    {3.43, {0.248, 0.058, 0.628, 0.032}},
    {4.00, {0.239, -0.012, 0.690, 0.058}},
    {4.80, {0.232, -0.084, 0.740, 0.098}},
}};

} // namespace

ZoneFluxes ZoneFluxesPerLampLumen(const PhotometricData& data) {
    ZoneFluxes zones{};
    const double lampFlux = ReferenceFlux(data);
    if (!(lampFlux > 0.0)) {
        return zones;
    }
    constexpr double kZone = 10.0 * kDegToRad;
    double sum = 0.0;
    for (size_t z = 0; z < zones.size(); ++z) {
        const double gamma = 10.0 * static_cast<double>(z) + 5.0;
        zones[z] = TypeCMeanIntensity(data, gamma) * 2.0 * kPi * std::sin(gamma * kDegToRad) *
                   kZone / lampFlux;
        sum += zones[z];
    }
    const double lor = data.declaredLor > 0.0 ? data.declaredLor : TypeCFlux(data) / lampFlux;
    if (sum > 0.0) {
        for (double& zone : zones) {
            zone *= lor / sum;
        }
    }
    return zones;
}

std::array<double, 4> DirectFloorFactors(double roomIndex) {
    const double k = std::round(roomIndex * 100.0) / 100.0;
    if (!(k > kFloorFactors.front().k)) {
        return kFloorFactors.front().f;
    }
    for (size_t i = 1; i < kFloorFactors.size(); ++i) {
        const FloorFactorRow& high = kFloorFactors[i];
        if (std::fabs(k - high.k) < 0.005) {
            return high.f;
        }
        if (k < high.k) {
            const FloorFactorRow& low = kFloorFactors[i - 1];
            const double t = (k - low.k) / (high.k - low.k);
            std::array<double, 4> f{};
            for (size_t j = 0; j < f.size(); ++j) {
                f[j] = low.f[j] + (high.f[j] - low.f[j]) * t;
            }
            return f;
        }
    }
    return kFloorFactors.back().f;
}

DirectFractions DirectFractionsOf(const ZoneFluxes& zones, double roomIndex) {
    const auto upTo = [&](size_t end) {
        double sum = 0.0;
        for (size_t z = 0; z < end; ++z) {
            sum += zones[z];
        }
        return sum;
    };
    // Cones of equal solid-angle steps (cos γ = 0.75, 0.5, 0.25, 0); 0.130 and 0.547 are
    // the shares of the 40-50° and 70-80° zones inside the 41.4° and 75.5° cones.
    const std::array<double, 4> cones{upTo(4) + 0.130 * zones[4], upTo(6),
                                      upTo(7) + 0.547 * zones[7], upTo(9)};
    const std::array<double, 4> factors = DirectFloorFactors(roomIndex);
    DirectFractions direct;
    for (size_t j = 0; j < cones.size(); ++j) {
        direct.floor += factors[j] * cones[j];
    }
    direct.walls = upTo(9) - direct.floor;
    direct.ceiling = upTo(18) - upTo(9);
    return direct;
}

double WallIndirectIlluminance(const DirectFractions& direct, double x, double y, double h,
                               const RoomReflectances& rho, int count, double lampFlux) {
    const double wallArea = 2.0 * h * (x + y);
    if (!(wallArea > 0.0)) {
        return 0.0;
    }
    const WallTransferFactors transfer = WallTransfer(x, y, h, rho);
    const double perLampLumen = direct.floor * transfer.fromFloor +
                                direct.walls * transfer.fromWalls +
                                direct.ceiling * transfer.fromCeiling;
    return count * lampFlux / wallArea * perLampLumen;
}

double BackgroundLuminance(double indirectIlluminance) {
    return indirectIlluminance / kPi;
}

} // namespace qv
