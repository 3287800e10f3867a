#include "catalogue/photometry/CatalogueLuminaireType.h"

#include "catalogue/PhotometryDerivation.h"
#include "catalogue/photometry/ZonalCavity.h"
#include "model/Constants.h"

#include <algorithm>
#include <cmath>

namespace qv {
namespace {

constexpr int kCurveLastDegree = 90;
constexpr int kAroundSteps = 72; // planes every 5° for means around the vertical
constexpr size_t kMaxGridAngles = 181;

double Rounded(double value, double step) {
    return std::round(value / step) * step;
}

// A power or flux of the 光源 table: rounded, within what a 32-bit column holds.
int Whole(double value) {
    return static_cast<int>(std::lround(std::clamp(value, 0.0, 2.0e9)));
}

// Intensity of a type C file averaged around the vertical axis, cd.
double MeanAround(const PhotometricData& data, double gamma) {
    double sum = 0.0;
    for (int p = 0; p < kAroundSteps; ++p) {
        sum += CandelaAt(data, (p + 0.5) * 360.0 / kAroundSteps, gamma);
    }
    return sum / kAroundSteps;
}

// Flux below and above the horizontal, lm: 1° zones of the mean intensity.
void HemisphereFluxes(const PhotometricData& data, double& down, double& up) {
    down = 0.0;
    up = 0.0;
    for (int zone = 0; zone < 180; ++zone) {
        const double from = zone * kDegToRad;
        const double to = (zone + 1) * kDegToRad;
        const double flux = 2.0 * 3.14159265358979323846 * (std::cos(from) - std::cos(to)) *
                            MeanAround(data, zone + 0.5);
        (zone < 90 ? down : up) += flux;
    }
}

// The grid angles of one direction of a type B file: the measured angles, mirrored to
// negative ones when the file gives one side only; whole degrees across the same range
// when there are too many for a lookup table.
std::vector<double> GridAngles(const std::vector<double>& measured, bool mirrored) {
    std::vector<double> angles;
    if (mirrored) {
        for (auto it = measured.rbegin(); it != measured.rend(); ++it) {
            if (*it > 0.0) {
                angles.push_back(-*it);
            }
        }
    }
    angles.insert(angles.end(), measured.begin(), measured.end());
    if (angles.size() > kMaxGridAngles) {
        const int from = static_cast<int>(std::ceil(angles.front()));
        const int to = static_cast<int>(std::floor(angles.back()));
        angles.clear();
        for (int degree = from; degree <= to; ++degree) {
            angles.push_back(degree);
        }
    }
    return angles;
}

void FillCurves(const PhotometricData& data, double scale, CatalogueLuminaireType& type) {
    const bool typeC = data.system == PhotometricSystem::kTypeC;
    for (int degree = 0; degree <= kCurveLastDegree; ++degree) {
        const double t = degree;
        const double along = typeC ? CandelaAt(data, 90.0, t) + CandelaAt(data, 270.0, t)
                                   : CandelaAt(data, t, 0.0) + CandelaAt(data, -t, 0.0);
        const double across = typeC ? CandelaAt(data, 0.0, t) + CandelaAt(data, 180.0, t)
                                    : CandelaAt(data, 0.0, t) + CandelaAt(data, 0.0, -t);
        type.curveA.Append({t, Rounded(0.5 * along * scale, 0.01)});
        type.curveB.Append({t, Rounded(0.5 * across * scale, 0.01)});
    }
}

// The floodlight grid in kcd of the file's luminaire with the lamps the type records (its
// rated lamps; for absolute photometry the luminaire's own flux), as the floodlight
// calculation reads it: the grid encloses the file's flux, at most the lamp flux.
void FillFloodGrid(const PhotometricData& data, CatalogueLuminaireType& type) {
    const std::vector<double> lateral =
        GridAngles(data.planes, data.coverage == PlaneCoverage::kLateralMirrored);
    const std::vector<double> vertical = GridAngles(data.angles, data.verticalMirrored);
    type.flood.Reserve(static_cast<int>(lateral.size() * vertical.size()));
    for (const double h : lateral) {
        for (const double v : vertical) {
            type.flood.Append({h, v, Rounded(CandelaAt(data, h, v) / 1000.0, 0.001)});
        }
    }
}

PrintedCurve Printed(const IntensityCurve& curve) {
    PrintedCurve printed;
    for (const IntensityRow& row : curve.Rows()) {
        printed.push_back({row.dAngle, row.dLightStrong});
    }
    return printed;
}

} // namespace

bool ToCatalogueType(const PhotometricData& data, const std::string& fallbackModel,
                     CatalogueLuminaireType& type, std::string& error) {
    const double reference = ReferenceFlux(data);
    if (!(reference > 0.0) || !std::isfinite(reference)) {
        error = "the file gives no luminous flux (no lamp lumens and no light)";
        return false;
    }
    const double scale = 1000.0 / reference;
    CatalogueLuminaireType made;
    made.name = data.name.empty() ? "导入灯具" : data.name;
    made.model = data.model.empty() ? fallbackModel : data.model;
    FillCurves(data, scale, made);
    if (data.system == PhotometricSystem::kTypeC) {
        made.kind = "室内灯具";
        made.cu =
            CuTableOf(ZonalLumensOf([&](double gamma) { return MeanAround(data, gamma) * scale; }));
        double down = 0.0;
        double up = 0.0;
        HemisphereFluxes(data, down, up);
        made.downward = Rounded(down / reference, 0.001);
        made.upward = Rounded(up / reference, 0.001);
    } else {
        made.kind = "投光灯";
        FillFloodGrid(data, made);
        made.downward = Rounded(TypeBFlux(data) / reference, 0.001);
    }
    made.shape = data.round ? 1 : 0;
    made.lengthMm = Rounded(data.length * 1000.0, 0.1);
    made.widthMm = Rounded(data.width * 1000.0, 0.1);
    made.heightMm = Rounded(data.height * 1000.0, 0.1);
    made.lampCount = data.lamps.count;
    made.lampType = data.lamps.type.empty() ? "导入光源" : data.lamps.type;
    made.lampModel = made.model;
    made.lampPower = Whole(data.lamps.watts / data.lamps.count);
    made.lampFlux = Whole(reference / data.lamps.count);
    type = std::move(made);
    return true;
}

CuTable CuTableOfCurves(const IntensityCurve& a, const IntensityCurve& b) {
    const PrintedCurve printedA = Printed(a);
    const PrintedCurve printedB = Printed(b);
    return CuTableOf(ZonalLumensOf([&](double angle) {
        return 0.5 * (CurveValueAt(printedA, angle) + CurveValueAt(printedB, angle));
    }));
}

} // namespace qv
