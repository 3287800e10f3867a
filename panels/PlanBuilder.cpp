#include "panels/PlanBuilder.h"

#include "model/Constants.h"

#include <kelvorin/KvMessage.h>
#include <kelvorin/KvStr.h>

#include <algorithm>
#include <cmath>

namespace qv {
namespace {

constexpr double kMm = 1000.0;
// Half the length of the two short lines that mark a luminaire's centre, in pixels.
constexpr double kMarkPixels = 4.0;
// Ruler labels sit this many pixels off their lines, and this many pixels outside the
// plan's bounds, within the margin of the fitting.
constexpr double kLabelOffLinePixels = 3.0;
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

std::string NumberLabel(int number) {
    return KvStr::Format("%s%d", "灯", number);
}

PlanLuminaire AddLuminaire(EntityList& out, const Luminaire& luminaire, int index, double scale) {
    PlanLuminaire record;
    record.index = index;
    record.center = Mm(luminaire.ptCenter);
    record.firstEntity = out.size();
    record.fullLabel =
        KvStr::Format("%s.%s(%.3f,%.3f)", NumberLabel(index + 1).c_str(), luminaire.sName.c_str(),
                      luminaire.ptCenter.x, luminaire.ptCenter.y);
    const Vector& center = record.center;
    out.push_back(KvText{center, record.fullLabel, 0.0});
    const LuminaireShape& shape = luminaire.geometricShape;
    if (shape.nShape == LuminaireShape::kRectangle) {
        // The length lies along the luminaire's axis as the calculations turn it: a turn
        // about Z of +θ takes the axis to (cos θ, −sin θ) in plan.
        const double angle = luminaire.Rotate.z * kDegToRad;
        const Vector u{std::cos(angle), -std::sin(angle), 0.0};
        const Vector v{std::sin(angle), std::cos(angle), 0.0};
        const double a = shape.dLength * kMm / 2.0;
        const double b = shape.dWidth * kMm / 2.0;
        record.outline = {Offset(center, u, -a, v, -b), Offset(center, u, a, v, -b),
                          Offset(center, u, a, v, b), Offset(center, u, -a, v, b)};
        for (size_t i = 0; i < 4; ++i) {
            out.push_back(KvLine{record.outline[i], record.outline[(i + 1) % 4]});
        }
    } else {
        record.radius = std::abs(shape.dLength) * kMm / 2.0;
        out.emplace_back(std::in_place_type<KvCircle>, center, shape.dLength * kMm);
    }
    const double mark = kMarkPixels * scale;
    out.push_back(KvLine{{center.x - mark, center.y, 0.0}, {center.x + mark, center.y, 0.0}});
    out.push_back(KvLine{{center.x, center.y - mark, 0.0}, {center.x, center.y + mark, 0.0}});
    record.entityCount = out.size() - record.firstEntity;
    return record;
}

// Shortens the labels that collide at the text height, in the records and the model list.
void SpaceLuminaireLabels(PlanDrawing& drawing, double height) {
    std::vector<PlanRect> full;
    std::vector<PlanRect> numbers;
    for (const PlanLuminaire& luminaire : drawing.luminaires) {
        full.push_back(Bounds(KvText{luminaire.center, luminaire.fullLabel, height}));
        numbers.push_back(
            Bounds(KvText{luminaire.center, NumberLabel(luminaire.index + 1), height}));
    }
    const std::vector<bool> shortened = ShortenedLabels(full, numbers);
    for (size_t i = 0; i < drawing.luminaires.size(); ++i) {
        PlanLuminaire& luminaire = drawing.luminaires[i];
        luminaire.labelShortened = shortened[i];
        luminaire.labelBox = shortened[i] ? numbers[i] : full[i];
        if (shortened[i]) {
            std::get<KvText>(drawing.model[luminaire.firstEntity]).text =
                NumberLabel(luminaire.index + 1);
        }
    }
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

// The label of the ruler line at k steps.
std::string RulerLabel(double k, double step) {
    return KvStr::Format("%.0f", k * step + 0.0); // + 0.0: no "-0"
}

// The first and the count of the multiples of the step (mm) within [low, high].
std::pair<double, double> RulerRange(double low, double high, double stepMm) {
    const double first = std::ceil(low / stepMm);
    return {first, std::floor(high / stepMm) - first + 1.0};
}

// The widest label of the lines within [low, high], in pixels: the farthest from zero
// have the most digits, so the two ends decide.
double WidestRulerLabel(double low, double high, double step) {
    const auto [first, count] = RulerRange(low, high, step * kMm);
    double widest = 0.0;
    for (const double k : {first, first + count - 1.0}) {
        widest = std::max(widest, TextWidth(RulerLabel(k, step), PlanDrawing::kTextPixels));
    }
    return widest;
}

// One ruler line per multiple of step (mm) within [low, high], drawn by line(at), with
// its label in metres.
template <typename AddLine>
void AddRulerLines(double low, double high, double stepMm, double step, AddLine line) {
    const auto [first, count] = RulerRange(low, high, stepMm); // at most kMaxRulerLines + 1
    for (int i = 0; i < static_cast<int>(count); ++i) {
        const double k = first + i;
        line(k * stepMm, RulerLabel(k, step));
    }
}

} // namespace

std::vector<bool> ShortenedLabels(const std::vector<PlanRect>& full,
                                  const std::vector<PlanRect>& numbers) {
    std::vector<bool> shortened(full.size(), false);
    for (size_t i = 0; i < full.size(); ++i) {
        for (size_t j = 0; j < full.size() && !shortened[i]; ++j) {
            const bool keptBefore = j < i && !shortened[j];
            shortened[i] = j != i && ((keptBefore && full[i].Overlaps(full[j])) ||
                                      full[i].Overlaps(numbers[j]));
        }
    }
    return shortened;
}

double NextRulerStep(double step) {
    const double power = std::pow(10.0, std::floor(std::log10(step) + 1e-9));
    const double mantissa = step / power;
    return mantissa < 1.5 ? 2.0 * power : mantissa < 3.5 ? 5.0 * power : 10.0 * power;
}

double RulerStep(double scale, double pixels) {
    double step = 1.0;
    if (!(scale > 0.0) || !(pixels > 0.0) || !std::isfinite(scale * pixels)) {
        return step;
    }
    // Start from the decade below what the spacing needs, then walk 1, 2, 5.
    const double needed = scale * pixels / kMm;
    if (needed > 1.0) {
        step = std::pow(10.0, std::floor(std::log10(needed)));
    }
    while (step * kMm < scale * pixels) {
        step = NextRulerStep(step);
    }
    return step;
}

EntityList BuildRuler(const PlanRect& bounds, double scale, const std::optional<PlanRect>& view) {
    if (!std::isfinite(bounds.Width()) || !std::isfinite(bounds.Height()) || !(scale > 0.0) ||
        !std::isfinite(scale)) {
        return {}; // nothing sensible to measure
    }
    // The numbers along Y stack by their height, those along X by their width.
    double step = RulerStep(scale, PlanDrawing::kTextPixels + kRulerGapPixels);
    PlanRect rect = bounds;
    auto fits = [&] {
        rect = bounds;
        rect.Widen(2.0 * step * kMm);
        const double extent = std::max(rect.Width(), rect.Height());
        if (extent / (step * kMm) > kMaxRulerLines) {
            return false;
        }
        const double widest = WidestRulerLabel(rect.left, rect.right, step);
        return step * kMm / scale >= widest + kRulerGapPixels;
    };
    while (!fits()) {
        step = NextRulerStep(step);
        if (!std::isfinite(step * kMm * 4.0 + rect.Width())) {
            return {}; // beyond what a double can measure
        }
    }
    const double stepMm = step * kMm;
    const double offLine = kLabelOffLinePixels * scale;
    double below = bounds.bottom - kLabelBelowPixels * scale;
    double left = bounds.left - kLabelLeftPixels * scale;
    if (view) {
        // Inside the shown rectangle: above its lower edge, right of its left edge.
        const double inset = kLabelOffLinePixels * scale;
        below =
            std::clamp(below, view->bottom + inset,
                       std::max(view->bottom + inset, view->top - 2.0 * kLabelBelowPixels * scale));
        left =
            std::clamp(left, view->left + inset,
                       std::max(view->left + inset, view->right - 4.0 * kLabelLeftPixels * scale));
    }
    EntityList ruler;
    AddRulerLines(rect.left, rect.right, stepMm, step, [&](double x, std::string label) {
        ruler.push_back(KvLine{{x, rect.bottom, 0.0}, {x, rect.top, 0.0}});
        ruler.push_back(KvText{{x + offLine, below, 0.0}, std::move(label), 0.0});
    });
    AddRulerLines(rect.bottom, rect.top, stepMm, step, [&](double y, std::string label) {
        ruler.push_back(KvLine{{rect.left, y, 0.0}, {rect.right, y, 0.0}});
        ruler.push_back(KvText{{left, y + offLine, 0.0}, std::move(label), 0.0});
    });
    return ruler;
}

void RebuildPlan(PlanDrawing& drawing, const PlanSources& sources) {
    ClearWithProgress(drawing.model);
    ClearWithProgress(drawing.overlay);
    drawing.luminaires.clear();
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
            drawing.luminaires.push_back(
                AddLuminaire(drawing.model, sources.luminaires->At(i), i, drawing.scale));
        }
    }
    if (sources.points) {
        AddPoints(drawing.overlay, *sources.points, drawing.scale);
    }
    if (sources.verticalPlane) {
        drawing.overlay.push_back(
            KvLine{Mm(sources.verticalPlane->first), Mm(sources.verticalPlane->second)});
    }
    drawing.ruler =
        BuildRuler(Bounds(drawing.model).value_or(PlanRect()), drawing.scale, drawing.view);
    const double height = PlanDrawing::kTextPixels * drawing.scale;
    SpaceLuminaireLabels(drawing, height);
    for (EntityList* list : {&drawing.model, &drawing.ruler, &drawing.overlay}) {
        SetTextHeights(*list, height);
    }
}

} // namespace qv
