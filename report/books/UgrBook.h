#pragma once
// The calculation book of the room's unified glare rating ("统一眩光值(UGR)计算书"): the
// room as the rating reads it, the formula with its symbols, the background luminance
// worked out from the room's indirect illuminance, then per observer each luminaire's
// term, the sum and the value, the highest value and its verdict against the place.
#include "calc/glare/RoomUgr.h"
#include "model/StandardPlace.h"
#include "report/books/BookComposer.h"

#include <optional>
#include <string>

namespace qv {

struct UgrBookRecord {
    RoomUgr result;                      // ComputeRoomUgr's result
    double eyeHeight = kSeatedEyeHeight; // above the floor, m
    double reflectCeiling = 0.0;         // per cent, as the room stores them
    double reflectWall = 0.0;
    double reflectFloor = 0.0;
    int luminaires = 0;           // N
    StandardPlace place;          // empty: no place chosen
    std::optional<double> limit;  // the place's UGR limit
    bool twoPlaneEstimate = true; // intensities estimated from curves A and B
};

// The record of a project's room UGR: the room's reflectances, luminaire count and place.
UgrBookRecord MakeUgrBookRecord(const Project& project, const RoomUgr& result, double eyeHeight,
                                std::optional<double> limit);

// A number with about four significant digits and no exponent ("0.004512", "12.35",
// "23456"), for the terms whose size spans many decades.
std::string SignificantText(double value);

BookName WriteUgrBook(CalcBookWriter& writer, const UgrBookRecord& record);

} // namespace qv
