#include "panels/PlanEntities.h"

#include <algorithm>

namespace qv {
namespace {

PlanRect Spanning(const Vector& a, const Vector& b) {
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

} // namespace

void PlanRect::Include(const PlanRect& other) {
    left = std::min(left, other.left);
    bottom = std::min(bottom, other.bottom);
    right = std::max(right, other.right);
    top = std::max(top, other.top);
}

void PlanRect::Widen(double by) {
    left -= by;
    bottom -= by;
    right += by;
    top += by;
}

PlanRect Bounds(const KvEntity& entity) {
    struct Visitor {
        PlanRect operator()(const KvLine& line) const { return Spanning(line.start, line.end); }
        PlanRect operator()(const KvCircle& circle) const {
            PlanRect rect = Spanning(circle.center, circle.center);
            rect.Widen(circle.diameter / 2.0);
            return rect;
        }
        PlanRect operator()(const KvRectangle& rect) const {
            return Spanning(rect.corner1, rect.corner2);
        }
        PlanRect operator()(const KvText& text) const { return Spanning(text.anchor, text.anchor); }
    };
    return std::visit(Visitor{}, entity);
}

std::optional<PlanRect> Bounds(const EntityList& entities) {
    if (entities.empty()) {
        return std::nullopt;
    }
    PlanRect rect = Bounds(entities.front());
    for (const KvEntity& entity : entities) {
        rect.Include(Bounds(entity));
    }
    return rect;
}

} // namespace qv
