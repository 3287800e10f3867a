#include "catalogue/photometry/ZonalCavity.h"

#include "catalogue/photometry/PhotometricData.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace qv {
namespace {

constexpr int kZoneWidth = 10;
constexpr int kDownwardZones = 9;

// Zonal multipliers of the downward zones: K = exp(−A·RCR^B).
constexpr double kMultiplierA[kDownwardZones] = {0.0,   0.041, 0.070, 0.100, 0.136,
                                                 0.190, 0.315, 0.640, 2.10};
constexpr double kMultiplierB[kDownwardZones] = {0.0,  0.98, 1.05, 1.12, 1.16,
                                                 1.25, 1.25, 1.25, 0.80};

// Solves the 3×3 system m·x = b by Cramer's rule.
std::array<double, 3> Solve(const double m[3][3], const std::array<double, 3>& b) {
    const auto det = [](const double a[3][3]) {
        return a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) -
               a[0][1] * (a[1][0] * a[2][2] - a[1][2] * a[2][0]) +
               a[0][2] * (a[1][0] * a[2][1] - a[1][1] * a[2][0]);
    };
    const double d = det(m);
    std::array<double, 3> x{};
    for (int column = 0; column < 3; ++column) {
        double replaced[3][3];
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 3; ++c) {
                replaced[r][c] = c == column ? b[static_cast<size_t>(r)] : m[r][c];
            }
        }
        x[static_cast<size_t>(column)] = det(replaced) / d;
    }
    return x;
}

} // namespace

double ZonalLumens::Downward() const {
    return std::accumulate(zones.begin(), zones.begin() + kDownwardZones, 0.0);
}

double ZonalLumens::Upward() const {
    return std::accumulate(zones.begin() + kDownwardZones, zones.end(), 0.0);
}

ZonalLumens ZonalLumensOf(const std::function<double(double)>& meanIntensity) {
    ZonalLumens lumens;
    for (size_t zone = 0; zone < lumens.zones.size(); ++zone) {
        const int from = static_cast<int>(zone) * kZoneWidth;
        lumens.zones[zone] = RingFlux(meanIntensity, from, from + kZoneWidth);
    }
    return lumens;
}

double CavityPlaneFormFactor(double roomCavityRatio) {
    const double fit = 0.026 + 0.503 * std::exp(-0.270 * roomCavityRatio) +
                       0.470 * std::exp(-0.119 * roomCavityRatio);
    // The walls see each plane by reciprocity F(w→p) = (1 − f)·2.5/RCR, at most half.
    const double halfOfTheWalls = 1.0 - roomCavityRatio / 5.0;
    return std::max(fit, halfOfTheWalls);
}

double DirectRatio(const ZonalLumens& lumens, double roomCavityRatio) {
    const double down = lumens.Downward();
    if (down <= 0.0) {
        return 0.0;
    }
    double direct = 0.0;
    for (int zone = 0; zone < kDownwardZones; ++zone) {
        const double k =
            std::exp(-kMultiplierA[zone] * std::pow(roomCavityRatio, kMultiplierB[zone]));
        direct += k * lumens.zones[static_cast<size_t>(zone)];
    }
    return direct / down;
}

double CoefficientOfUtilization(const ZonalLumens& lumens, double roomCavityRatio, double ceiling,
                                double wall, double floor) {
    const auto reflectance = [](double rho) { return rho >= 0.0 && rho <= 1.0; };
    if (!(roomCavityRatio >= 0.0) || !std::isfinite(roomCavityRatio) || !reflectance(ceiling) ||
        !reflectance(wall) || !reflectance(floor)) {
        return std::nan("");
    }
    const double down = lumens.Downward() / 1000.0;
    const double up = lumens.Upward() / 1000.0;
    const double direct = DirectRatio(lumens, roomCavityRatio);
    // Form factors of the room cavity: floor cavity plane to ceiling cavity plane f,
    // plane to walls 1 − f; walls to either plane by reciprocity (wall area = floor area ×
    // RCR/2.5), half of the walls' view at RCR 0; walls to walls the rest.
    const double f = CavityPlaneFormFactor(roomCavityRatio);
    const double planeToWall = 1.0 - f;
    const double wallToPlane = roomCavityRatio > 0.0 ? 2.5 * planeToWall / roomCavityRatio : 0.5;
    const double wallToWall = 1.0 - 2.0 * wallToPlane;
    // Flux arriving at the ceiling c, the walls w and the floor p: the first flux plus the
    // reflected flux of the other surfaces that reaches it.
    //   c = up                     + ρw·w·F(w→c) + ρf·p·f
    //   w = (1 − D)·down + ρc·c·F(c→w) + ρw·w·F(w→w) + ρf·p·F(p→w)
    //   p = D·down                 + ρc·c·f      + ρw·w·F(w→p)
    const double m[3][3] = {
        {1.0, -wall * wallToPlane, -floor * f},
        {-ceiling * planeToWall, 1.0 - wall * wallToWall, -floor * planeToWall},
        {-ceiling * f, -wall * wallToPlane, 1.0},
    };
    const std::array<double, 3> first = {up, (1.0 - direct) * down, direct * down};
    return Solve(m, first)[2];
}

CuTable CuTableOf(const ZonalLumens& lumens) {
    CuTable table;
    for (const double ceiling : {0.0, 10.0, 30.0, 50.0, 70.0, 80.0}) {
        for (const double wall : {0.0, 10.0, 30.0, 50.0, 70.0}) {
            for (int ratio = 1; ratio <= 10; ++ratio) {
                const double cu =
                    CoefficientOfUtilization(lumens, ratio, ceiling / 100.0, wall / 100.0, 0.2);
                table.Append({ceiling, wall, 20.0, double(ratio), std::round(cu * 100.0) / 100.0});
            }
        }
    }
    return table;
}

} // namespace qv
