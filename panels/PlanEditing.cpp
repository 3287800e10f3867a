#include "panels/PlanEditing.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace qv {
namespace {

// Half the length of the centre mark's lines, in pixels, as the builder draws them.
constexpr double kMarkPixels = 4.0;

double DistanceToSegment(double x, double y, const Vector& a, const Vector& b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0.0 ? ((x - a.x) * dx + (y - a.y) * dy) / length2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(x - (a.x + t * dx), y - (a.y + t * dy));
}

bool InsidePolygon(double x, double y, const std::vector<Vector>& corners) {
    bool inside = false;
    for (size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
        const Vector& a = corners[i];
        const Vector& b = corners[j];
        if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) {
            inside = !inside;
        }
    }
    return inside;
}

bool Hits(const PlanLuminaire& luminaire, double x, double y, double tolerance, double mark) {
    const double fromCenter = std::hypot(x - luminaire.center.x, y - luminaire.center.y);
    if (fromCenter <= mark + tolerance) {
        return true;
    }
    if (luminaire.outline.empty()) {
        return fromCenter <= luminaire.radius + tolerance;
    }
    if (InsidePolygon(x, y, luminaire.outline)) {
        return true;
    }
    const size_t count = luminaire.outline.size();
    for (size_t i = 0; i < count; ++i) {
        if (DistanceToSegment(x, y, luminaire.outline[i], luminaire.outline[(i + 1) % count]) <=
            tolerance) {
            return true;
        }
    }
    return false;
}

std::optional<Vector> Finite(const Vector& center) {
    if (!std::isfinite(center.x) || !std::isfinite(center.y)) {
        return std::nullopt;
    }
    return center;
}

} // namespace

int LuminaireAt(const PlanDrawing& drawing, double x, double y, double tolerance) {
    const double mark = kMarkPixels * drawing.scale;
    int best = -1;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (const PlanLuminaire& luminaire : drawing.luminaires) {
        if (!Hits(luminaire, x, y, tolerance, mark)) {
            continue;
        }
        const double distance = std::hypot(x - luminaire.center.x, y - luminaire.center.y);
        if (distance <= bestDistance) { // equal: the later one lies on top
            best = luminaire.index;
            bestDistance = distance;
        }
    }
    return best;
}

std::optional<std::string> LabelTipAt(const PlanDrawing& drawing, double x, double y,
                                      double tolerance) {
    const int hit = LuminaireAt(drawing, x, y, tolerance);
    for (auto it = drawing.luminaires.rbegin(); it != drawing.luminaires.rend(); ++it) {
        if (it->labelShortened && (it->index == hit || it->labelBox.Contains(x, y))) {
            return it->fullLabel;
        }
    }
    return std::nullopt;
}

double SnapMetres(double metres) {
    // Dividing by the whole number of steps per metre gives the nearest double to the
    // decimal value (2.35, not 2.3500000000000001).
    return std::round(metres / kSnapMetres) / std::round(1.0 / kSnapMetres);
}

std::optional<Vector> DraggedCenter(const Vector& centerMm, double dxMm, double dyMm, bool free) {
    Vector center{(centerMm.x + dxMm) / 1000.0, (centerMm.y + dyMm) / 1000.0, 0.0};
    if (!free) {
        center.x = SnapMetres(center.x);
        center.y = SnapMetres(center.y);
    }
    return Finite(center);
}

std::optional<Vector> NudgedCenter(const Vector& center, double dx, double dy) {
    const auto micrometres = [](double metres) { return std::round(metres * 1e6) / 1e6; };
    return Finite({micrometres(center.x + dx), micrometres(center.y + dy), center.z});
}

} // namespace qv
