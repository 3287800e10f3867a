#include "calc/glare/GlareGeometry.h"

#include "calc/glare/GuthPositionIndex.h"
#include "model/Constants.h"

#include <algorithm>
#include <cmath>

namespace qv {

GlareView ViewOfLuminaire(const Vector& eye, const Vector& sight, const Vector& luminaire,
                          double rotation) {
    const double length = std::hypot(sight.x, sight.y);
    const double vx = sight.x / length;
    const double vy = sight.y / length;
    const double dx = luminaire.x - eye.x;
    const double dy = luminaire.y - eye.y;
    GlareView view;
    view.r = dx * vx + dy * vy;
    view.t = dx * vy - dy * vx; // the lateral axis w = v turned clockwise (to the right)
    view.h = luminaire.z - eye.z;
    // Toward the eye from the luminaire: (-dx, -dy) in plan, -h vertically.
    const double a = rotation * kDegToRad;
    const double along0 = -dx * std::cos(a) - dy * std::sin(a);
    const double along90 = dx * std::sin(a) - dy * std::cos(a);
    view.c = std::atan2(along90, along0) * kRadToDeg;
    if (view.c < 0.0) {
        view.c += 360.0;
    }
    view.gamma = std::atan2(std::hypot(dx, dy), view.h) * kRadToDeg;
    return view;
}

double ProjectedLuminousArea(const LuminousArea& area, double c, double gamma) {
    constexpr double kQuarterPi = 0.7853981633974483;
    const double cosG = std::cos(gamma * kDegToRad);
    const double sinG = std::max(std::sin(gamma * kDegToRad), 0.0);
    const double down = std::max(cosG, 0.0);
    const double d = area.alongC0;
    switch (area.shape) {
    case LuminousShape::kBox: {
        const double cosC = std::cos(c * kDegToRad);
        const double sinC = std::sin(c * kDegToRad);
        const double sideC0 = cosC >= 0.0 ? area.sides[0] : area.sides[2];
        const double sideC90 = sinC >= 0.0 ? area.sides[1] : area.sides[3];
        return area.alongC0 * area.alongC90 * down +
               sinG * (std::fabs(cosC) * area.alongC90 * sideC0 +
                       std::fabs(sinC) * area.alongC0 * sideC90);
    }
    case LuminousShape::kCylinder: {
        const double side = (area.sides[0] + area.sides[1] + area.sides[2] + area.sides[3]) / 4.0;
        return kQuarterPi * d * d * down + d * side * sinG;
    }
    case LuminousShape::kSphere:
        return kQuarterPi * d * d;
    default:
        return 0.0;
    }
}

std::optional<double> GlareTerm(const GlareView& view, double intensity, double projectedArea) {
    if (!(view.r > 0.0) || !(view.h > 0.0) || !(projectedArea > 0.0)) {
        return std::nullopt;
    }
    const std::optional<double> p = GuthPositionIndex(view.t / view.r, view.h / view.r);
    if (!p) {
        return std::nullopt;
    }
    return intensity * intensity / (projectedArea * view.distanceSquared() * *p * *p);
}

std::optional<double> UnifiedGlareRating(double termSum, double backgroundLuminance) {
    if (!(termSum > 0.0) || !(backgroundLuminance > 0.0) || !std::isfinite(termSum)) {
        return std::nullopt;
    }
    return 8.0 * std::log10(0.25 / backgroundLuminance * termSum);
}

} // namespace qv
