#pragma once
// Fitting the plan to the view: the model and overlay lists, with each text's estimated
// extent at its height in pixels, mapped isotropically and centred onto the client area
// with an 18-pixel margin and y pointing up; the way back from a pixel to plan
// millimetres for the status bar's coordinates; and the user's zoom about a pixel and pan.
#include "panels/PlanBuilder.h"

#include <string>

namespace qv {

struct PlanMapping {
    // The scales a fitting or a zoom keeps within (mm per pixel), so a plan without
    // extent still maps to finite pixels and a zoom never loses the plan in rounding.
    static constexpr double kMinScale = 1e-3;
    static constexpr double kMaxScale = 1e7;

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
// scale. Texts count with their estimated extent at 14 pixels (what a rebuild at the new
// scale gives them); a text wider than half the area counts as half of it. Without model
// and overlay entities the ruler's rectangle is fitted, so the view shows the ruler of
// the empty plan. An empty client area or bounds beyond a double keep the previous scale.
PlanMapping FitPlan(PlanDrawing& drawing, int width, int height);

// The mapping zoomed by the factor (above 1 magnifies) about a pixel: the plan point
// under that pixel stays under it. The scale stays within the mapping's limits; a factor
// that is not a positive finite number leaves the mapping as it is.
PlanMapping ZoomAbout(const PlanMapping& mapping, double pixelX, double pixelY, double factor);
// The mapping with the plan dragged by the pixels (right and down positive).
PlanMapping PanBy(const PlanMapping& mapping, double dxPixels, double dyPixels);

// The status bar's texts for a mouse position in pixels: metres with "%.3f".
std::string MouseXText(const PlanMapping& mapping, int pixelX);
std::string MouseYText(const PlanMapping& mapping, int pixelY);

} // namespace qv
