#pragma once
// What the isolux picture of a room grid shows, handed over by the calculation: the grid
// points with their values in the picture's plane, the outline of that plane, the
// luminaire symbols and the contour levels with their legend texts. A plain value: the
// calculation book, the runner and the result window each draw from a copy.
//
// The plane: for the working plane u, v are plan x, y in metres; for a vertical plane u
// is the distance along the plane from its first end and v the height above the floor.
#include "model/CalcPoint.h"
#include "model/Luminaire.h"
#include "model/Room.h"

#include <string>
#include <vector>

namespace qv {

struct GridPicturePoint {
    double u = 0.0;
    double v = 0.0;
    double value = 0.0; // lx
};

// A luminaire's symbol in the plane: its outline shape at its centre, turned by its
// rotation about z (degrees, counter-clockwise); a circle's length is its diameter.
struct GridPictureLuminaire {
    double u = 0.0;
    double v = 0.0;
    double angle = 0.0;
    bool circle = false;
    double length = 0.0;
    double width = 0.0;
};

// A contour level: its value and its text as the legend shows it.
struct GridPictureLevel {
    double value = 0.0;
    std::string text;
};

struct GridPictureData {
    bool vertical = false;
    std::vector<GridPicturePoint> points;
    std::vector<GridPicturePoint> outline; // the plane's boundary (value unused)
    std::vector<GridPictureLuminaire> luminaires;
    std::vector<GridPictureLevel> levels; // rising
    double scaleLow = 0.0;                // the value at the bottom of the colour scale
    double planeHeight = 0.0;             // the working plane's height (horizontal)
    int density = 0;
    std::string maxText;
    std::string minText;
    std::string avgText;

    bool Empty() const { return points.empty(); }
};

// The picture's points, outline and luminaires after a grid calculation: points are
// the calculated grid points (dEh of the working plane, dEv of a vertical one). A
// vertical plane runs from its first end as the search orders them (side) between the
// working plane and topHeight, and shows no luminaires.
GridPictureData MakeGridPicture(bool vertical, const std::vector<CalcPoint>& points,
                                const Room& room, const LuminaireList& luminaires,
                                const Vector& start, const Vector& end, int side, double topHeight);

} // namespace qv
