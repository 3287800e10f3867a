#pragma once
// Where a luminaire stands: the six placement values the luminaire panel's grid and the
// luminaire dialog edit (the centre's X, Y and Z in metres, the rotations about the X, Y
// and Z axes in degrees), how a typed value is checked, and where a new luminaire of a
// room goes.
#include "model/Luminaire.h"
#include "model/Room.h"

#include <string>

namespace qv {

enum PlacementField { kPlaceX, kPlaceY, kPlaceZ, kRotateX, kRotateY, kRotateZ, kPlacementFields };

// A luminaire without a height of its own hangs this far above the working plane, m.
inline constexpr double kMountingAboveWorkPlane = 2.2;

// The grid's name of a field: "X轴位置" … "Z轴位置", "X轴旋转" … "Z轴旋转".
const char* PlacementName(int field);
// The value of a field (field within kPlaceX … kRotateZ).
double PlacementValue(const Luminaire& luminaire, int field);
std::string PlacementText(const Luminaire& luminaire, int field);

// Sets a field from a typed text. The text must be a number of the field's kind (a
// coordinate within 100 km of the origin, a rotation at most one turn either way: see
// CheckNumber); otherwise the luminaire keeps its value, the message names the label
// ("X轴位置应为数字,请重新输入!", or "…应为绝对值不大于100000的数值,请重新输入!") and the
// result is false. False too for a field out of range.
bool SetPlacement(Luminaire& luminaire, int field, const std::string& text,
                  const std::string& label);

// The middle of the room in plan: the centre of its outline's bounding box, or without an
// outline the centre of the length and width from the lower-left corner; z is 0.
Vector RoomCentre(const Room& room);

// The height of a luminaire added to the room: the template's when it hangs above the
// working plane, otherwise kMountingAboveWorkPlane above the working plane.
double MountingHeightFor(const Room& room, double templateHeight);

} // namespace qv
