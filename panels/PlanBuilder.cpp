#include "panels/PlanBuilder.h"

#include "model/Constants.h"

#include <kelvorin/KvMessage.h>
#include <kelvorin/KvStr.h>

#include <cmath>

namespace qv {
namespace {

constexpr double kMm = 1000.0;
// Half the length of the two short lines that mark a luminaire's centre, in pixels.
constexpr double kMarkPixels = 4.0;
// Ruler labels sit this far off their lines (mm), and this many pixels outside the
// plan's bounds, within the margin of the fitting.
constexpr double kLabelOffLine = 100.0;
constexpr double kLabelBelowPixels = 16.0;
constexpr double kLabelLeftPixels = 17.0;

Vector Mm(const Vector& metres) {
    return {metres.x * kMm, metres.y * kMm, 0.0};
}

Vector Offset(const Vector& origin, const Vector& u, double along, const Vector& v, double across) {
    return {origin.x + u.x * along + v.x * across, origin.y + u.y * along + v.y * across, 0.0};
}

void ClearWithProgress(EntityList& entities) {
    const int count = static_cast<int>(entities.size());
    for (int i = count - 1; i >= 0; --i) {
        if (i % 100 == 0) {
            KvProgressSink::Report("删除图象", i, count);
        }
        entities.pop_back();
    }
    if (count > 0) {
        KvProgressSink::Close();
    }
}

void AddOutline(EntityList& out, const Room& room, const char* prefix) {
    const size_t count = room.outline.size();
    for (size_t i = 0; i < count; ++i) {
        const Vector& corner = room.outline[i];
        out.push_back(KvLine{Mm(corner), Mm(room.outline[(i + 1) % count])});
        out.push_back(KvText{Mm(corner),
                             KvStr::Format("%s%d.(%s,%s)", prefix, static_cast<int>(i + 1),
                                           KvStr::FormatDouble(corner.x).c_str(),
                                           KvStr::FormatDouble(corner.y).c_str()),
                             0.0});
    }
}

void AddRoad(EntityList& out, const Road& road) {
    const double angle = road.m_dAngle * kDegToRad;
    const Vector u{std::cos(angle), std::sin(angle), 0.0};  // along the road
    const Vector v{-std::sin(angle), std::cos(angle), 0.0}; // across it
    const Vector center = Mm(road.ptCenter);
    const double half = road.m_dLength * kMm / 2.0;
    double total = 0.0;
    for (const RoadComponent& component : road.components) {
        total += component.m_dWidth * kMm;
    }
    // One line along the road at each strip boundary, edges included.
    double across = -total / 2.0;
    out.push_back(KvLine{Offset(center, u, -half, v, across), Offset(center, u, half, v, across)});
    for (const RoadComponent& component : road.components) {
        across += component.m_dWidth * kMm;
        out.push_back(
            KvLine{Offset(center, u, -half, v, across), Offset(center, u, half, v, across)});
    }
    for (const double end : {-half, half}) {
        out.push_back(KvLine{Offset(center, u, end, v, -total / 2.0),
                             Offset(center, u, end, v, total / 2.0)});
    }
    // The labels spaced evenly across the road, at its start.
    const int count = static_cast<int>(road.components.size());
    for (int i = 0; i < count; ++i) {
        const double at = -total / 2.0 + (i + 0.5) * total / count;
        const RoadComponent& component = road.components[static_cast<size_t>(i)];
        out.push_back(KvText{
            Offset(center, u, -half, v, at),
            KvStr::Format("路%d.%s", i + 1, RoadComponent::TypeToText(component.m_nType).c_str()),
            0.0});
    }
}

void AddLuminaire(EntityList& out, const Luminaire& luminaire, int number, double scale) {
    const Vector center = Mm(luminaire.ptCenter);
    out.push_back(KvText{center,
                         KvStr::Format("%s%d.%s(%.3f,%.3f)", "灯", number, luminaire.sName.c_str(),
                                       luminaire.ptCenter.x, luminaire.ptCenter.y),
                         0.0});
    const LuminaireShape& shape = luminaire.geometricShape;
    if (shape.nShape == LuminaireShape::kRectangle) {
        const double angle = luminaire.Rotate.z * kDegToRad;
        const Vector u{std::cos(angle), std::sin(angle), 0.0};
        const Vector v{-std::sin(angle), std::cos(angle), 0.0};
        const double a = shape.dLength * kMm / 2.0;
        const double b = shape.dWidth * kMm / 2.0;
        const Vector corners[4] = {Offset(center, u, -a, v, -b), Offset(center, u, a, v, -b),
                                   Offset(center, u, a, v, b), Offset(center, u, -a, v, b)};
        for (int i = 0; i < 4; ++i) {
            out.push_back(KvLine{corners[i], corners[(i + 1) % 4]});
        }
    } else {
        out.emplace_back(std::in_place_type<KvCircle>, center, shape.dLength * kMm);
    }
    const double mark = kMarkPixels * scale;
    out.push_back(KvLine{{center.x - mark, center.y, 0.0}, {center.x + mark, center.y, 0.0}});
    out.push_back(KvLine{{center.x, center.y - mark, 0.0}, {center.x, center.y + mark, 0.0}});
}

void AddPoints(EntityList& out, const std::vector<CalcPoint>& points, double scale) {
    for (const CalcPoint& point : points) {
        const Vector at = Mm(point.position);
        out.emplace_back(std::in_place_type<KvCircle>, at, 2.0 * kMarkPixels * scale);
        out.push_back(KvText{at, point.name, 0.0});
    }
}

void SetTextHeights(EntityList& entities, double height) {
    for (KvEntity& entity : entities) {
        if (KvText* text = std::get_if<KvText>(&entity)) {
            text->height = height;
        }
    }
}

// One ruler line per multiple of step (mm) within [low, high], drawn by line(at), with
// its label in metres.
template <typename AddLine>
void AddRulerLines(double low, double high, double stepMm, double step, AddLine line) {
    const double first = std::ceil(low / stepMm);
    const double count = std::floor(high / stepMm) - first + 1.0; // at most kMaxRulerLines + 1
    for (int i = 0; i < static_cast<int>(count); ++i) {
        const double k = first + i;
        line(k * stepMm, KvStr::Format("%.0f", k * step + 0.0)); // + 0.0: no "-0"
    }
}

} // namespace

double RulerStep(double scale) {
    if (!(scale > 10.0)) {
        return 1.0;
    }
    int n = 0;
    double power = 1.0;
    while (power < scale) {
        power *= 10.0;
        ++n;
    }
    return std::pow(10.0, n - 2);
}

EntityList BuildRuler(const PlanRect& bounds, double scale) {
    double step = RulerStep(scale);
    if (!std::isfinite(bounds.Width()) || !std::isfinite(bounds.Height())) {
        return {}; // nothing sensible to measure
    }
    PlanRect rect = bounds;
    auto widened = [&] {
        rect = bounds;
        rect.Widen(2.0 * step * kMm);
        const double extent = std::max(rect.Width(), rect.Height());
        return extent / (step * kMm) <= kMaxRulerLines;
    };
    while (!widened()) {
        step *= 10.0;
        if (!std::isfinite(step * kMm * 4.0 + rect.Width())) {
            return {}; // beyond what a double can measure
        }
    }
    const double stepMm = step * kMm;
    const double below = bounds.bottom - kLabelBelowPixels * scale;
    const double left = bounds.left - kLabelLeftPixels * scale;
    EntityList ruler;
    AddRulerLines(rect.left, rect.right, stepMm, step, [&](double x, std::string label) {
        ruler.push_back(KvLine{{x, rect.bottom, 0.0}, {x, rect.top, 0.0}});
        ruler.push_back(KvText{{x + kLabelOffLine, below, 0.0}, std::move(label), 0.0});
    });
    AddRulerLines(rect.bottom, rect.top, stepMm, step, [&](double y, std::string label) {
        ruler.push_back(KvLine{{rect.left, y, 0.0}, {rect.right, y, 0.0}});
        ruler.push_back(KvText{{left, y + kLabelOffLine, 0.0}, std::move(label), 0.0});
    });
    return ruler;
}

void RebuildPlan(PlanDrawing& drawing, const PlanSources& sources) {
    ClearWithProgress(drawing.model);
    ClearWithProgress(drawing.overlay);
    if (sources.room) {
        AddOutline(drawing.model, *sources.room, "房");
    }
    if (sources.site) {
        AddOutline(drawing.model, *sources.site, "场");
    }
    if (sources.road && sources.luminaires) {
        AddRoad(drawing.model, *sources.road);
    }
    if (sources.luminaires) {
        for (int i = 0; i < sources.luminaires->Count(); ++i) {
            AddLuminaire(drawing.model, sources.luminaires->At(i), i + 1, drawing.scale);
        }
    }
    if (sources.points) {
        AddPoints(drawing.overlay, *sources.points, drawing.scale);
    }
    if (sources.verticalPlane) {
        drawing.overlay.push_back(
            KvLine{Mm(sources.verticalPlane->first), Mm(sources.verticalPlane->second)});
    }
    drawing.ruler = BuildRuler(Bounds(drawing.model).value_or(PlanRect()), drawing.scale);
    const double height = PlanDrawing::kTextPixels * drawing.scale;
    for (EntityList* list : {&drawing.model, &drawing.ruler, &drawing.overlay}) {
        SetTextHeights(*list, height);
    }
}

} // namespace qv
