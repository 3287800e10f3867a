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

// What the plan knows of one drawn luminaire, so the view can select, hit and move it
// without reading the entities back: its row, its centre and body in millimetres, where
// its entities sit in the model list (label, body, centre mark) and its label.
struct PlanLuminaire {
    int index = 0;               // the row in the luminaire list
    Vector center;               // mm
    std::vector<Vector> outline; // the corners of a rectangular body; empty for a round one
    double radius = 0.0;         // a round body's radius (mm)
    size_t firstEntity = 0;      // its entities in the model list
    size_t entityCount = 0;
    std::string fullLabel;       // "灯3.名称(x,y)"
    bool labelShortened = false; // drawn as "灯3" only, its label colliding with another
    PlanRect labelBox;           // the label as drawn, at the drawing's text height
};

struct PlanDrawing {
    // Text height and the fitting margin in pixels.
    static constexpr double kTextPixels = 14.0;
    static constexpr double kMarginPixels = 18.0;

    EntityList model;                      // room or site, road, luminaires
    EntityList ruler;                      // the metre ruler
    EntityList overlay;                    // calculation points, the vertical plane
    std::vector<PlanLuminaire> luminaires; // in list order, their entities in model
    // The plan rectangle a zoomed or panned view shows; nothing while fitted. The ruler's
    // numbers stay within it.
    std::optional<PlanRect> view;
    double scale = 1.0; // millimetres per pixel, set whenever the view is fitted
};

// Clears the model and overlay lists (feeding "删除图象" to the progress sink at every
// hundredth entity, then closing it), adds the open panels' entities, rebuilds the ruler
// for the model's bounds and sets every text to 14 pixels at the drawing's scale.
// Luminaire labels that would collide at that scale are shortened to the number.
void RebuildPlan(PlanDrawing& drawing, const PlanSources& sources);

// Which luminaire labels are drawn as the number only. Taken in list order, a label keeps
// its full text when its full box overlaps neither a full label kept before it nor the
// number of any other luminaire (numbers are always drawn); otherwise it is shortened.
// full and numbers hold each label's boxes, in the same order.
std::vector<bool> ShortenedLabels(const std::vector<PlanRect>& full,
                                  const std::vector<PlanRect>& numbers);

// The next ruler step after one of 1, 2, 5 × 10^n metres.
double NextRulerStep(double step);
// The ruler step in metres: the smallest of 1, 2, 5 × 10^n, at least 1 m, whose lines lie
// at least the given number of pixels apart at the scale (mm per pixel).
double RulerStep(double scale, double pixels);

// Ruler lines across the rectangle widened by two steps, one per multiple of the step in
// each direction, labelled with the metre value ("%d") 3 pixels off its line, just below
// and left of the rectangle, so the labels stay in view. The step is chosen so the
// numbers, at 14 pixels, keep kRulerGapPixels apart along each direction; when a
// direction would need more than kMaxRulerLines lines the step grows until it does not.
// Given the rectangle a zoomed view shows, the numbers move inside it where the plan's
// lower-left edges lie beyond it.
inline constexpr int kMaxRulerLines = 1000;
inline constexpr double kRulerGapPixels = 6.0;
EntityList BuildRuler(const PlanRect& bounds, double scale,
                      const std::optional<PlanRect>& view = std::nullopt);

} // namespace qv
