#include "panels/PlanFit.h"

#include <kelvorin/KvStr.h>

#include <algorithm>
#include <cmath>

namespace qv {

PlanMapping FitPlan(PlanDrawing& drawing, int width, int height) {
    PlanMapping mapping;
    mapping.scale = drawing.scale;
    mapping.clientHeight = height;
    std::optional<PlanRect> bounds = Bounds(drawing.model);
    if (const std::optional<PlanRect> overlay = Bounds(drawing.overlay)) {
        if (bounds) {
            bounds->Include(*overlay);
        } else {
            bounds = overlay;
        }
    }
    if (!bounds) {
        bounds = Bounds(drawing.ruler);
    }
    if (!bounds || width <= 0 || height <= 0) {
        return mapping;
    }
    PlanRect rect = *bounds;
    rect.Widen(PlanDrawing::kMarginPixels * drawing.scale);
    const double scale =
        std::max({rect.Width() / width, rect.Height() / height, PlanMapping::kMinScale});
    if (!std::isfinite(scale)) {
        return mapping;
    }
    mapping.scale = scale;
    mapping.originX = rect.left - (width * scale - rect.Width()) / 2.0;
    mapping.originY = rect.bottom - (height * scale - rect.Height()) / 2.0;
    drawing.scale = scale;
    return mapping;
}

std::string MouseXText(const PlanMapping& mapping, int pixelX) {
    return KvStr::Format("%.3f", mapping.PlanX(pixelX) / 1000.0);
}

std::string MouseYText(const PlanMapping& mapping, int pixelY) {
    return KvStr::Format("%.3f", mapping.PlanY(pixelY) / 1000.0);
}

} // namespace qv
