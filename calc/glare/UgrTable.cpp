#include "calc/glare/UgrTable.h"

#include <kelvorin/KvStr.h>

#include "calc/glare/GlareGeometry.h"
#include "calc/glare/UgrBackground.h"

#include <cmath>

namespace qv {
namespace {

// Spacings beyond this hold too few luminaires to be a table.
constexpr double kMaxShr = 4.0;
// The smallest spacing: keeps the 12H × 8H room's grid below about a million luminaires.
constexpr double kMinShr = 0.01;

// Σ of the glare terms of the room's grid seen by the observer, the luminaire turned by
// rotation (degrees), and the number of luminaires in the grid.
double GlareSum(const IntensitySampler& intensity, const LuminousArea& area, const UgrRoom& room,
                double shr, double h, double rotation, int& count) {
    const double spacing = shr * h;
    const double x = room.x * h;
    const double y = room.y * h;
    const int across = static_cast<int>(std::floor(x / spacing + 1e-9));
    const int along = static_cast<int>(std::floor(y / spacing + 1e-9));
    count = across * along;
    const Vector eye{0.0, 0.0, 0.0};
    const Vector sight{0.0, 1.0, 0.0};
    double sum = 0.0;
    for (int i = 0; i < across; ++i) {
        for (int j = 0; j < along; ++j) {
            const Vector centre{-x / 2.0 + spacing / 2.0 + i * spacing, spacing / 2.0 + j * spacing,
                                h};
            const GlareView view = ViewOfLuminaire(eye, sight, centre, rotation);
            const double ap = ProjectedLuminousArea(area, view.c, view.gamma);
            if (const std::optional<double> term =
                    GlareTerm(view, intensity(view.c, view.gamma), ap)) {
                sum += *term;
            }
        }
    }
    return sum;
}

} // namespace

bool LuminousLengthAlongC0(const PhotometricData& data) {
    return data.format.rfind("IES", 0) == 0;
}

bool CanHaveUgrTable(const PhotometricData& data, std::string& reason) {
    if (data.system != PhotometricSystem::kTypeC) {
        reason = "配光数据不是C-γ(C类)配光,无法计算UGR表";
        return false;
    }
    if (data.planes.empty() || data.angles.empty() || data.candela.size() != data.planes.size() ||
        data.angles.front() > 1e-6 || data.angles.back() < 90.0 - 1e-6) {
        reason = "配光数据不是从0°到90°的完整C-γ配光,无法计算UGR表";
        return false;
    }
    if (!(ReferenceFlux(data) > 0.0)) {
        reason = "配光数据没有光通量,无法计算UGR表";
        return false;
    }
    if (data.luminous.shape == LuminousShape::kNone || !(data.luminous.alongC0 > 0.0) ||
        !(data.luminous.alongC90 > 0.0)) {
        reason = "配光文件没有给出发光面尺寸,无法计算UGR表";
        return false;
    }
    return true;
}

bool ComputeUgrTable(const PhotometricData& data, double shr, UgrTable& table, std::string& reason,
                     IntensityInterpolation interpolation, double heightAboveEye) {
    if (!CanHaveUgrTable(data, reason)) {
        return false;
    }
    if (!(shr >= kMinShr && shr <= kMaxShr)) {
        reason = "灯具间距与高度之比应在0.01到4之间";
        return false;
    }
    if (!(heightAboveEye > 0.0) || !std::isfinite(heightAboveEye)) {
        reason = "灯具距眼睛高度应大于0";
        return false;
    }
    const IntensitySampler intensity(data, interpolation);
    const double h = heightAboveEye;
    const double lampFlux = ReferenceFlux(data);
    const ZoneFluxes zones = ZoneFluxesPerLampLumen(data);
    // Crosswise the luminaire's long axis runs across the line of sight (+y): its C0 axis
    // points back toward the observer (EULUMDAT) or along the room's x (LM-63).
    const double turn = LuminousLengthAlongC0(data) ? 90.0 : 0.0;
    const double crosswise = -90.0 + turn;
    const double endwise = crosswise + 90.0;
    UgrTable result;
    result.shr = shr;
    result.flux = lampFlux;
    for (size_t r = 0; r < kUgrRooms.size(); ++r) {
        const UgrRoom& room = kUgrRooms[r];
        int count = 0;
        const double across = GlareSum(intensity, data.luminous, room, shr, h, crosswise, count);
        const double along = GlareSum(intensity, data.luminous, room, shr, h, endwise, count);
        const double x = room.x * h;
        const double y = room.y * h;
        const DirectFractions direct = DirectFractionsOf(zones, x * y / (h * (x + y)));
        for (size_t c = 0; c < kUgrReflectances.size(); ++c) {
            const RoomReflectances rho{kUgrReflectances[c][0] / 100.0,
                                       kUgrReflectances[c][1] / 100.0,
                                       kUgrReflectances[c][2] / 100.0};
            const double lb =
                BackgroundLuminance(WallIndirectIlluminance(direct, x, y, h, rho, count, lampFlux));
            // A room where no luminaire glares rates as low as the table can show.
            result.crosswise[r][c] = UnifiedGlareRating(across, lb).value_or(0.0);
            result.endwise[r][c] = UnifiedGlareRating(along, lb).value_or(0.0);
        }
    }
    table = result;
    return true;
}

double UgrAtFlux(double ugr, double tableFlux, double flux) {
    return ugr + 8.0 * std::log10(flux / tableFlux);
}

std::string UgrCellText(double ugr) {
    return ugr < 10.0 ? std::string("<10.0") : KvStr::Format("%.1f", std::round(ugr * 10.0) / 10.0);
}

} // namespace qv
