#pragma once
// Placing luminaires on the plan: which luminaire a click hits, the tooltip of a
// shortened label, and where a dragged or nudged luminaire lands. Plan coordinates in
// millimetres; the centres handed back to the luminaire panel in metres.
#include "panels/PlanBuilder.h"

#include <optional>
#include <string>

namespace qv {

// Drag and nudge steps in metres: a dragged centre snaps to the grid unless Shift is
// held; an arrow key moves by the nudge, with Shift by the long one.
inline constexpr double kSnapMetres = 0.05;
inline constexpr double kNudgeMetres = 0.05;
inline constexpr double kLongNudgeMetres = 0.5;

// The luminaire at the plan point, -1 for none: a point on or within its body, or near
// its centre mark (within the tolerance, mm, plus the mark's half length), hits. Of
// several hits the one whose centre is nearest wins, and of equally near ones the one
// drawn last (on top).
int LuminaireAt(const PlanDrawing& drawing, double x, double y, double tolerance);

// The full label to show as a tooltip at the plan point: the point is on a luminaire, or
// on its label, whose label is drawn as its number only. Nothing otherwise.
std::optional<std::string> LabelTipAt(const PlanDrawing& drawing, double x, double y,
                                      double tolerance);

// The coordinate in metres on the snapping grid (the nearest multiple of kSnapMetres).
double SnapMetres(double metres);

// Where a luminaire dragged from its centre (mm) by the plan displacement (mm) lands, in
// metres: snapped unless free. Nothing when the result is not a finite number.
std::optional<Vector> DraggedCenter(const Vector& centerMm, double dxMm, double dyMm, bool free);

// A centre in metres moved by the displacement in metres, kept to micrometres so repeated
// nudges do not gather rounding noise. Nothing when the result is not a finite number.
std::optional<Vector> NudgedCenter(const Vector& center, double dx, double dy);

} // namespace qv
