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

bool PlanRect::Overlaps(const PlanRect& other) const {
    return left < other.right && other.left < right && bottom < other.top && other.bottom < top;
}

bool PlanRect::Contains(double x, double y) const {
    return x >= left && x <= right && y >= bottom && y <= top;
}

double TextWidth(const std::string& text, double height) {
    double ems = 0.0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            ems += 0.6;
        } else if ((byte & 0xC0) != 0x80) { // the first byte of a wider character
            ems += 1.0;
        }
    }
    return ems * height;
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
        PlanRect operator()(const KvText& text) const {
            const PlanRect anchor = Spanning(text.anchor, text.anchor);
            return {anchor.left, anchor.bottom, anchor.left + TextWidth(text.text, text.height),
                    anchor.bottom + text.height};
        }
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
