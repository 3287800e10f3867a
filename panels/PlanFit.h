#pragma once
// Fitting the plan to the view: the bounds of the model and overlay lists widened by
// 18 pixels (at the scale of the last fitting), mapped isotropically and centred onto the
// client area with y pointing up; and the way back from a pixel to plan millimetres for
// the status bar's coordinates.
#include "panels/PlanBuilder.h"

#include <string>

namespace qv {

struct PlanMapping {
    // The smallest scale a fitting gives (mm per pixel), so a plan without extent still
    // maps to finite pixels.
    static constexpr double kMinScale = 1e-3;

    double scale = 1.0;   // millimetres per pixel
    double originX = 0.0; // plan point (mm) at the lower-left corner of the client area
    double originY = 0.0;
    int clientHeight = 0;

    double PixelX(double x) const { return (x - originX) / scale; }
    double PixelY(double y) const { return clientHeight - (y - originY) / scale; }
    double PlanX(double pixelX) const { return pixelX * scale + originX; }
    double PlanY(double pixelY) const { return (clientHeight - pixelY) * scale + originY; }
};

// Fits the drawing into a client area of width × height pixels and sets the drawing's
// scale. Without model and overlay entities the ruler's rectangle is fitted, so the view
// shows the ruler of the empty plan. An empty client area or bounds beyond a double keep
// the previous scale.
PlanMapping FitPlan(PlanDrawing& drawing, int width, int height);

// The status bar's texts for a mouse position in pixels: metres with "%.3f".
std::string MouseXText(const PlanMapping& mapping, int pixelX);
std::string MouseYText(const PlanMapping& mapping, int pixelY);

} // namespace qv
