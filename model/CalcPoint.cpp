#include "model/CalcPoint.h"

#include "model/Tolerance.h"

#include <kelvorin/KvStr.h>

#include <algorithm>

namespace qv {
namespace {

bool NameTaken(const std::vector<CalcPoint>& points, const std::string& name) {
    return std::any_of(points.begin(), points.end(),
                       [&name](const CalcPoint& point) { return point.name == name; });
}

} // namespace

bool operator==(const CalcPoint& a, const CalcPoint& b) {
    return a.name == b.name && a.position == b.position && a.rotation == b.rotation &&
           NearlyEqual(a.dIntensity, b.dIntensity) && NearlyEqual(a.dEh, b.dEh) &&
           NearlyEqual(a.dEv, b.dEv) && NearlyEqual(a.dEi, b.dEi);
}

int AddCalcPoint(std::vector<CalcPoint>& points, CalcPoint point) {
    if (point.name.empty()) {
        point.name = KvStr::Format("P%d", static_cast<int>(points.size()) + 1);
    } else {
        // Each try either finds a free name or moves on to a name not tried before; a
        // list of n points can refuse at most n names, so n + 1 tries always suffice
        // unless the number stopped growing.
        size_t tries = 0;
        while (NameTaken(points, point.name) && tries <= points.size()) {
            point.name = KvStr::IncreaseStrDigit(point.name, 1.0, 0);
            ++tries;
        }
    }
    points.push_back(std::move(point));
    return static_cast<int>(points.size()) - 1;
}

} // namespace qv
