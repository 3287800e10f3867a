#include "panels/PlanFit.h"

#include <kelvorin/KvStr.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace qv {
namespace {

// A piece of the drawing along one axis: its plan coordinates (mm) and what it reaches
// beyond the high one in pixels (a text's width or height, whatever the scale).
struct Span {
    double low = 0.0;
    double high = 0.0;
    double pixels = 0.0;
};

struct AxisSpans {
    std::vector<Span> x;
    std::vector<Span> y;
};

void AddSpans(AxisSpans& spans, const EntityList& entities) {
    for (const KvEntity& entity : entities) {
        if (const KvText* text = std::get_if<KvText>(&entity)) {
            const double width = TextWidth(text->text, PlanDrawing::kTextPixels);
            spans.x.push_back({text->anchor.x, text->anchor.x, width});
            spans.y.push_back({text->anchor.y, text->anchor.y, PlanDrawing::kTextPixels});
            continue;
        }
        const PlanRect rect = Bounds(entity);
        spans.x.push_back({rect.left, rect.right, 0.0});
        spans.y.push_back({rect.bottom, rect.top, 0.0});
    }
}

double Lowest(const std::vector<Span>& spans) {
    double low = std::numeric_limits<double>::infinity();
    for (const Span& span : spans) {
        low = std::min(low, span.low);
    }
    return low;
}

// The smallest scale at which every span, from the lowest coordinate on, fits in the
// available pixels; texts count at most half of them.
double ScaleFor(const std::vector<Span>& spans, double available) {
    const double low = Lowest(spans);
    double scale = 0.0;
    for (const Span& span : spans) {
        const double pixels = std::min(span.pixels, available / 2.0);
        scale = std::max(scale, (span.high - low) / (available - pixels));
    }
    return scale;
}

// Where the lowest coordinate goes: the content's pixels centred in the client pixels,
// or at the margin when they do not fit.
double Origin(const std::vector<Span>& spans, double scale, int client) {
    const double low = Lowest(spans);
    double content = 0.0;
    for (const Span& span : spans) {
        content = std::max(content, (span.high - low) / scale + span.pixels);
    }
    const double offset =
        std::max((client - content) / 2.0, std::min(PlanDrawing::kMarginPixels, client / 2.0));
    return low - offset * scale;
}

} // namespace

PlanMapping FitPlan(PlanDrawing& drawing, int width, int height) {
    PlanMapping mapping;
    mapping.scale = drawing.scale;
    mapping.clientHeight = height;
    AxisSpans spans;
    AddSpans(spans, drawing.model);
    AddSpans(spans, drawing.overlay);
    if (spans.x.empty()) {
        AddSpans(spans, drawing.ruler);
    }
    if (spans.x.empty() || width <= 0 || height <= 0) {
        return mapping;
    }
    const auto available = [](int client) {
        return std::max(client - 2.0 * PlanDrawing::kMarginPixels, 1.0);
    };
    const double scale = std::max({ScaleFor(spans.x, available(width)),
                                   ScaleFor(spans.y, available(height)), PlanMapping::kMinScale});
    if (!std::isfinite(scale)) {
        return mapping;
    }
    mapping.scale = scale;
    mapping.originX = Origin(spans.x, scale, width);
    mapping.originY = Origin(spans.y, scale, height);
    if (!std::isfinite(mapping.originX) || !std::isfinite(mapping.originY)) {
        return PlanMapping{drawing.scale, 0.0, 0.0, height};
    }
    drawing.scale = scale;
    return mapping;
}

PlanMapping ZoomAbout(const PlanMapping& mapping, double pixelX, double pixelY, double factor) {
    if (!(factor > 0.0) || !std::isfinite(factor)) {
        return mapping;
    }
    PlanMapping zoomed = mapping;
    zoomed.scale =
        std::clamp(mapping.scale / factor, PlanMapping::kMinScale, PlanMapping::kMaxScale);
    // The plan point under the pixel before and after is the same.
    zoomed.originX = mapping.PlanX(pixelX) - pixelX * zoomed.scale;
    zoomed.originY = mapping.PlanY(pixelY) - (mapping.clientHeight - pixelY) * zoomed.scale;
    return zoomed;
}

PlanMapping PanBy(const PlanMapping& mapping, double dxPixels, double dyPixels) {
    PlanMapping panned = mapping;
    panned.originX -= dxPixels * mapping.scale;
    panned.originY += dyPixels * mapping.scale; // y up: dragging down shows what lies above
    return panned;
}

std::string MouseXText(const PlanMapping& mapping, int pixelX) {
    return KvStr::Format("%.3f", mapping.PlanX(pixelX) / 1000.0);
}

std::string MouseYText(const PlanMapping& mapping, int pixelY) {
    return KvStr::Format("%.3f", mapping.PlanY(pixelY) / 1000.0);
}

} // namespace qv
