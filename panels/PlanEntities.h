#pragma once
// The drawing entities of the plan view, in millimetres with y pointing up: lines,
// circles, rectangles and texts, each able to report its bounding rectangle. A list owns
// its entities; the window draws each kind.
#include "model/Vector.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace qv {

struct PlanRect {
    double left = 0.0;
    double bottom = 0.0;
    double right = 0.0;
    double top = 0.0;

    double Width() const { return right - left; }
    double Height() const { return top - bottom; }
    void Include(const PlanRect& other);
    void Widen(double by);
    // Whether the two rectangles share more than an edge.
    bool Overlaps(const PlanRect& other) const;
    bool Contains(double x, double y) const;
    bool operator==(const PlanRect&) const = default;
};

struct KvLine {
    Vector start;
    Vector end;
};

// Drawn as a circle (two half arcs) of the diameter around the centre.
struct KvCircle {
    Vector center;
    double diameter = 0.0;
};

struct KvRectangle {
    Vector corner1;
    Vector corner2;
};

// A label written from its anchor (its lower-left point) in the plan font; height in mm.
struct KvText {
    Vector anchor;
    std::string text;
    double height = 0.0;
};

using KvEntity = std::variant<KvLine, KvCircle, KvRectangle, KvText>;
using EntityList = std::vector<KvEntity>;

// The estimated width of a text written at the height, without asking a font: 0.6 of
// the height for every ASCII character and the full height for any other (the Chinese
// characters of the labels), so the plan can be fitted and its labels spaced without Qt.
double TextWidth(const std::string& text, double height);

// A text is bounded by its anchor and its estimated extent to the right and up.
PlanRect Bounds(const KvEntity& entity);
// The union over a list; nothing for an empty list.
std::optional<PlanRect> Bounds(const EntityList& entities);

} // namespace qv
