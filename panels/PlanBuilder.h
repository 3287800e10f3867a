#pragma once
// The plan drawing's entity lists and their rebuild from the open panels: the room or
// the site with numbered corners, the road band turned by its angle, the luminaires with
// labels and outlines, the point panel's points and the grid panel's vertical plane, and
// the metre ruler under them. Model coordinates in metres become millimetres.
#include "model/CalcPoint.h"
#include "model/Luminaire.h"
#include "model/Road.h"
#include "model/Room.h"
#include "panels/PlanEntities.h"

#include <optional>
#include <utility>
#include <vector>

namespace qv {

// What the open panels hand to a rebuild; null for a panel that is not open.
struct PlanSources {
    const Room* room = nullptr;                     // the room panel's values
    const Room* site = nullptr;                     // the site panel's values
    const Road* road = nullptr;                     // only while the luminaire panel is open too
    const LuminaireList* luminaires = nullptr;      // the luminaire panel's values
    const std::vector<CalcPoint>* points = nullptr; // the point panel's, once opened
    std::optional<std::pair<Vector, Vector>> verticalPlane =
        std::nullopt; // the grid panel's, once opened
};

struct PlanDrawing {
    // Text height and the fitting margin in pixels.
    static constexpr double kTextPixels = 14.0;
    static constexpr double kMarginPixels = 18.0;

    EntityList model;   // room or site, road, luminaires
    EntityList ruler;   // the metre ruler
    EntityList overlay; // calculation points, the vertical plane
    double scale = 1.0; // millimetres per pixel, set whenever the view is fitted
};

// Clears the model and overlay lists (feeding "删除图象" to the progress sink at every
// hundredth entity, then closing it), adds the open panels' entities, rebuilds the ruler
// for the model's bounds and sets every text to 14 pixels at the drawing's scale.
void RebuildPlan(PlanDrawing& drawing, const PlanSources& sources);

// The ruler step in metres: 1, and for a scale above 10 mm per pixel 10^(n-2) with the
// smallest whole n for which 10^n is at least the scale.
double RulerStep(double scale);

// Ruler lines across the rectangle widened by two steps, one per multiple of the step in
// each direction, labelled with the metre value ("%d") 100 mm off its line, just below
// and left of the rectangle, so the labels stay in view. When a direction would need more
// than kMaxRulerLines lines the step grows tenfold until it does not.
inline constexpr int kMaxRulerLines = 1000;
EntityList BuildRuler(const PlanRect& bounds, double scale);

} // namespace qv
