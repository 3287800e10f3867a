#include "catalogue/photometry/PhotometricData.h"

#include "model/Constants.h"

#include <algorithm>
#include <cmath>

namespace qv {
namespace {

// Position of x among ascending keys: the index i of the segment [keys[i], keys[i+1]]
// holding x and the share t of the way along it; false when x lies outside the keys
// (beyond the tolerance). A single key holds only itself.
bool Locate(const std::vector<double>& keys, double x, size_t& i, double& t) {
    if (keys.empty() || x < keys.front() - kTolerance || x > keys.back() + kTolerance) {
        return false;
    }
    const auto upper = std::upper_bound(keys.begin(), keys.end(), x);
    if (upper == keys.begin()) {
        i = 0;
        t = 0.0;
        return true;
    }
    i = static_cast<size_t>(upper - keys.begin()) - 1;
    if (i + 1 >= keys.size()) {
        t = 0.0;
        return true;
    }
    const double span = keys[i + 1] - keys[i];
    t = span > 0.0 ? (x - keys[i]) / span : 0.0;
    return true;
}

double AlongPlane(const PhotometricData& data, size_t plane, double angle) {
    size_t i = 0;
    double t = 0.0;
    if (!Locate(data.angles, angle, i, t)) {
        return 0.0;
    }
    const std::vector<double>& values = data.candela[plane];
    return t == 0.0 ? values[i] : values[i] + (values[i + 1] - values[i]) * t;
}

// Linear between the two stored planes either side of the plane angle; 0 outside them.
double BetweenPlanes(const PhotometricData& data, double plane, double angle) {
    size_t i = 0;
    double t = 0.0;
    if (!Locate(data.planes, plane, i, t)) {
        return 0.0;
    }
    const double here = AlongPlane(data, i, angle);
    return t == 0.0 ? here : here * (1.0 - t) + AlongPlane(data, i + 1, angle) * t;
}

// The stored plane angle that stands for c under the coverage's symmetry.
double FoldedPlane(PlaneCoverage coverage, double c) {
    c = std::fmod(c, 360.0);
    if (c < 0.0) {
        c += 360.0;
    }
    switch (coverage) {
    case PlaneCoverage::kQuadrant:
        c = c > 180.0 ? 360.0 - c : c;
        return c > 90.0 ? 180.0 - c : c;
    case PlaneCoverage::kHalf0To180:
        return c > 180.0 ? 360.0 - c : c;
    case PlaneCoverage::kHalf90To270:
        if (c < 90.0) {
            return 180.0 - c;
        }
        return c > 270.0 ? 540.0 - c : c;
    default:
        return c;
    }
}

double TypeC(const PhotometricData& data, double c, double gamma) {
    if (data.coverage == PlaneCoverage::kRotational || data.planes.size() == 1) {
        return AlongPlane(data, 0, gamma);
    }
    c = FoldedPlane(data.coverage, c);
    const size_t last = data.planes.size() - 1;
    if (data.coverage == PlaneCoverage::kFull && c > data.planes[last]) {
        // Between the last plane and the first one taken round to 360°.
        const double span = data.planes.front() + 360.0 - data.planes[last];
        const double t = span > 0.0 ? (c - data.planes[last]) / span : 0.0;
        return AlongPlane(data, last, gamma) * (1.0 - t) + AlongPlane(data, 0, gamma) * t;
    }
    return BetweenPlanes(data, c, gamma);
}

double TypeB(const PhotometricData& data, double h, double v) {
    if (data.coverage == PlaneCoverage::kLateralMirrored) {
        h = std::fabs(h);
    }
    if (data.verticalMirrored) {
        v = std::fabs(v);
    }
    return BetweenPlanes(data, h, v);
}

} // namespace

double CandelaAt(const PhotometricData& data, double planeAngle, double angle) {
    if (data.planes.empty() || data.angles.empty() || data.candela.size() != data.planes.size()) {
        return 0.0;
    }
    return data.system == PhotometricSystem::kTypeC ? TypeC(data, planeAngle, angle)
                                                    : TypeB(data, planeAngle, angle);
}

double TypeCMeanIntensity(const PhotometricData& data, double gamma) {
    constexpr int kPlaneSteps = 72; // 5° planes
    double sum = 0.0;
    for (int p = 0; p < kPlaneSteps; ++p) {
        sum += CandelaAt(data, (p + 0.5) * 360.0 / kPlaneSteps, gamma);
    }
    return sum / kPlaneSteps;
}

double RingFlux(const std::function<double(double)>& meanIntensity, int fromDegree, int toDegree) {
    constexpr double kTwoPi = 6.283185307179586;
    double flux = 0.0;
    for (int ring = fromDegree; ring < toDegree; ++ring) {
        const double solidAngle =
            kTwoPi * (std::cos(ring * kDegToRad) - std::cos((ring + 1) * kDegToRad));
        flux += solidAngle * meanIntensity(ring + 0.5);
    }
    return flux;
}

double TypeCFlux(const PhotometricData& data) {
    return RingFlux([&](double gamma) { return TypeCMeanIntensity(data, gamma); }, 0, 180);
}

double TypeBFlux(const PhotometricData& data) {
    const double step = kDegToRad;
    double flux = 0.0;
    for (int h = -90; h < 90; ++h) {
        const double lateral = h + 0.5;
        double strip = 0.0;
        for (int v = -180; v < 180; ++v) {
            strip += CandelaAt(data, lateral, v + 0.5);
        }
        flux += strip * std::cos(lateral * kDegToRad) * step * step;
    }
    return flux;
}

double ReferenceFlux(const PhotometricData& data) {
    if (data.lamps.lumensPerLamp > 0.0) {
        return data.lamps.count * data.lamps.lumensPerLamp;
    }
    return data.system == PhotometricSystem::kTypeC ? TypeCFlux(data) : TypeBFlux(data);
}

std::string CleanPhotometricText(const std::string& text) {
    std::string clean;
    clean.reserve(std::min(text.size(), kMaxPhotometricText));
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '\t') {
            clean += ' ';
        } else if (byte >= 0x20 && byte != 0x7f) {
            clean += c;
        }
    }
    if (clean.size() > kMaxPhotometricText) {
        size_t end = kMaxPhotometricText;
        while (end > 0 && (static_cast<unsigned char>(clean[end]) & 0xC0) == 0x80) {
            --end; // clean[end] continues a character: cut before that character
        }
        clean.resize(end);
    }
    return clean;
}

} // namespace qv
