#pragma once
// The inputs of a calculation as its book states them for the reviewer: the room (or
// floodlit site) with its luminaires as the calculation read them, and for road lighting
// the road. Filled where a panel calculates, so every book of that run states the same.
#include "model/Luminaire.h"
#include "model/Road.h"
#include "model/Room.h"

#include <optional>

namespace qv {

struct BookInputs {
    std::optional<Room> room; // nothing: the book states no room
    LuminaireList luminaires; // as placed in the room (or on the site / road)
    std::optional<Road> road; // road lighting only
    bool operator==(const BookInputs&) const = default;
};

} // namespace qv
