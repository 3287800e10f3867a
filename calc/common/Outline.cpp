#include "calc/common/Outline.h"

#include "model/Constants.h"

#include <array>
#include <cmath>

namespace qv {
namespace {

// The far point lies this far beyond the farthest vertex: toward +x / +y ...
constexpr double kFarAhead = 9999.0;
// ... or toward -x / -y.
constexpr double kFarBehind = 8888.0;

bool Near(double a, double b) {
    return std::fabs(a - b) < kTolerance;
}

struct PlanPoint {
    double x;
    double y;
};

// The crossings found so far, each kept once (equal within the tolerance per
// coordinate); small outlines need no allocation.
class DistinctCrossings {
public:
    void Add(const PlanPoint& p) {
        for (size_t i = 0; i < m_count; ++i) {
            if (Near(At(i).x, p.x) && Near(At(i).y, p.y)) {
                return;
            }
        }
        if (m_count < m_inline.size()) {
            m_inline[m_count] = p;
        } else {
            m_more.push_back(p);
        }
        ++m_count;
    }
    size_t Count() const { return m_count; }

private:
    const PlanPoint& At(size_t i) const {
        return i < m_inline.size() ? m_inline[i] : m_more[i - m_inline.size()];
    }

    std::array<PlanPoint, 16> m_inline{};
    std::vector<PlanPoint> m_more;
    size_t m_count = 0;
};

// The crossing of the segments from p to r and from a to b in plan, with the tolerance
// measured along each segment; parallel segments do not cross.
bool Crossing(const Vector& p, const PlanPoint& r, const Vector& a, const Vector& b,
              PlanPoint& at) {
    const double d1x = r.x - p.x;
    const double d1y = r.y - p.y;
    const double d2x = b.x - a.x;
    const double d2y = b.y - a.y;
    const double denominator = d1x * d2y - d1y * d2x;
    if (denominator == 0.0) {
        return false;
    }
    const double ax = a.x - p.x;
    const double ay = a.y - p.y;
    const double t = (ax * d2y - ay * d2x) / denominator;
    const double u = (ax * d1y - ay * d1x) / denominator;
    const double slackT = kTolerance / std::sqrt(d1x * d1x + d1y * d1y);
    const double slackU = kTolerance / std::sqrt(d2x * d2x + d2y * d2y);
    if (!(t >= -slackT && t <= 1.0 + slackT && u >= -slackU && u <= 1.0 + slackU)) {
        return false;
    }
    at = {a.x + u * d2x, a.y + u * d2y};
    return true;
}

// The coordinate of the far point along one axis, from the vertex farthest from the
// point along it (the first on ties; vertex 0 when none is away from the point).
template <typename Coordinate>
double FarCoordinate(const std::vector<Vector>& polygon, const Vector& point,
                     Coordinate coordinate) {
    size_t farthest = 0;
    double distance = 0.0;
    for (size_t i = 0; i < polygon.size(); ++i) {
        const double d = std::fabs(coordinate(polygon[i]) - coordinate(point));
        if (d > distance) {
            distance = d;
            farthest = i;
        }
    }
    const double v = coordinate(polygon[farthest]);
    return v > coordinate(point) ? v + kFarAhead : v - kFarBehind;
}

} // namespace

bool SamePoint(const Vector& a, const Vector& b) {
    return Near(a.x, b.x) && Near(a.y, b.y) && Near(a.z, b.z);
}

double PlanDistance(const Vector& a, const Vector& b) {
    const double dx = a.x - b.x;
    const double dy = a.y - b.y;
    return std::sqrt(dx * dx + dy * dy);
}

int PointInOutline(const std::vector<Vector>& polygon, const Vector& point) {
    const size_t count = polygon.size();
    if (count < 3) {
        return kOutlineInvalid;
    }
    for (size_t i = 0; i < count; ++i) {
        const Vector& a = polygon[i];
        const Vector& b = polygon[(i + 1) % count];
        if (SamePoint(point, a) || SamePoint(point, b) ||
            std::fabs(PlanDistance(point, a) + PlanDistance(point, b) - PlanDistance(a, b)) <
                kTolerance) {
            return kOutlineOnEdge;
        }
    }
    const PlanPoint far{FarCoordinate(polygon, point, [](const Vector& v) { return v.x; }),
                        FarCoordinate(polygon, point, [](const Vector& v) { return v.y; })};
    DistinctCrossings crossings;
    for (size_t i = 0; i < count; ++i) {
        PlanPoint at;
        if (Crossing(point, far, polygon[i], polygon[(i + 1) % count], at)) {
            crossings.Add(at);
        }
    }
    return crossings.Count() % 2 == 1 ? kOutlineInside : kOutlineOutside;
}

double OutlineArea(const std::vector<Vector>& polygon) {
    const size_t count = polygon.size();
    if (count < 3) {
        return 0.0;
    }
    double sum = 0.0;
    for (size_t i = 0; i < count; ++i) {
        const Vector& a = polygon[i];
        const Vector& b = polygon[(i + 1) % count];
        sum += a.x * b.y - b.x * a.y;
    }
    return std::fabs(sum / 2.0);
}

OutlineExtent ExtentOf(const std::vector<Vector>& polygon) {
    OutlineExtent extent;
    for (size_t i = 0; i < polygon.size(); ++i) {
        const Vector& v = polygon[i];
        if (i == 0 || v.x < extent.minX) {
            extent.minX = v.x;
        }
        if (i == 0 || v.x > extent.maxX) {
            extent.maxX = v.x;
        }
        if (i == 0 || v.y < extent.minY) {
            extent.minY = v.y;
        }
        if (i == 0 || v.y > extent.maxY) {
            extent.maxY = v.y;
        }
    }
    return extent;
}

} // namespace qv
