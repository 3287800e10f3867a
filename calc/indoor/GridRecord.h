#pragma once
// What the calculation book of the room grid states: the kind and density of the run,
// the maximum, minimum and average as shown, the uniformity, the two power densities and,
// for a vertical run, the plane's ends and side; and what its isolux picture shows.
#include "calc/common/BookInputs.h"
#include "calc/common/Verdict.h"
#include "calc/indoor/GridPicture.h"
#include "calc/indoor/RoomGrid.h"
#include "model/Vector.h"

#include <optional>
#include <string>

namespace qv {

enum GridKind { kGridHorizontal = 0, kGridVertical = 1 };

// What the calculation book of the grid states.
struct GridBookRecord {
    int kind = kGridHorizontal;
    int density = 0;
    std::string maxText;
    std::string minText;
    std::string avgText;
    double uniformity = 0.0; // "工作区均匀度"
    double u0 = 0.0;         // "照度均匀度U0" = Emin/Eav of the shown values
    double lpd = 0.0;
    double lpd2 = 0.0;
    std::string lpd2Label;
    Vector start; // the vertical plane's ends as entered, and its side
    Vector end;
    int side = kSideUpperLeft;
    GridPictureData picture; // empty: the book shows no picture
    BookInputs inputs;       // the room and luminaires of the run
    // What the average is judged against in the book's "结论"; no "结论" without it.
    std::optional<StandardBasis> basis;
};

} // namespace qv
