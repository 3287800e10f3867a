#pragma once
// A named point at which illuminance is computed, and the naming rule every panel uses
// when it adds one to its list.
#include "model/Vector.h"

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace qv {

struct CalcPoint {
    std::string name;
    Vector position;
    Rotation rotation; // a rotated point stands for an inclined receiving plane
    // Results of the last point calculation; 0 when the point is created.
    double dIntensity = 0.0; // last intensity used
    double dEh = 0.0;        // horizontal illuminance, lx
    double dEv = 0.0;        // vertical illuminance, lx
    double dEi = 0.0;        // inclined illuminance, lx
};

// Names identical, position, rotation and results within 1e-6.
bool operator==(const CalcPoint& a, const CalcPoint& b);

// Appends a copy of point to points and returns its index. An unnamed point is named
// "P%d" with the number of points already in the list plus 1 (not checked against the
// others). A named point whose name is taken gets KvStr::IncreaseStrDigit(name, 1.0, 0)
// until the name is free, searching the list from the start after each change.
// A name whose number no longer grows (it has reached the end of double precision) is
// kept after at most one try per point in the list, so the search always ends.
int AddCalcPoint(std::vector<CalcPoint>& points, CalcPoint point);

// The names of a point list while many points are added to it, so that adding n points
// costs about n look-ups instead of n³ string comparisons: the names in use, and for each
// name asked for, where its IncreaseStrDigit series stopped last time. Valid as long as
// the list only grows through AddCalcPoint with this namer (names are only ever added, so
// the names already passed stay taken).
class CalcPointNamer {
public:
    explicit CalcPointNamer(const std::vector<CalcPoint>& points);
    // The name AddCalcPoint gives a point named name added to a list of count points.
    std::string FreeName(const std::string& name, size_t count);
    void Take(const std::string& name) { m_taken.insert(name); }

private:
    struct Series {
        std::string name; // the last name reached
        size_t tries = 0; // steps taken to reach it
    };
    std::unordered_set<std::string> m_taken;
    std::unordered_map<std::string, Series> m_series;
};

// AddCalcPoint with a namer that has seen every point of the list: the same names.
int AddCalcPoint(std::vector<CalcPoint>& points, CalcPoint point, CalcPointNamer& namer);

} // namespace qv
