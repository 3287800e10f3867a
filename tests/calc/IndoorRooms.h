#pragma once
// A rectangular room for the indoor calculation tests: working plane at 0.75 m,
// reflectances 70 / 50 / 20 per cent, no windows, no standard illuminance.
#include "model/Room.h"

namespace qv::test {

inline Room RectangleRoom(double length, double width) {
    Room room;
    room.outline = {{0, 0, 0}, {length, 0, 0}, {length, width, 0}, {0, width, 0}};
    room.dWorkHeight = 0.75;
    room.dReflectTop = 70;
    room.dReflectWall = 50;
    room.dReflectFloor = 20;
    return room;
}

} // namespace qv::test
