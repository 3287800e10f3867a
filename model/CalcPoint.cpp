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

CalcPointNamer::CalcPointNamer(const std::vector<CalcPoint>& points) {
    m_taken.reserve(points.size());
    for (const CalcPoint& point : points) {
        m_taken.insert(point.name);
    }
}

std::string CalcPointNamer::FreeName(const std::string& name, size_t count) {
    // The series of a name is the same every time; the names it passed last time are still
    // taken, so the walk goes on from where it stopped, with the steps it had taken.
    Series& series = m_series.try_emplace(name, Series{name, 0}).first->second;
    while (m_taken.count(series.name) != 0 && series.tries <= count) {
        series.name = KvStr::IncreaseStrDigit(series.name, 1.0, 0);
        ++series.tries;
    }
    return series.name;
}

int AddCalcPoint(std::vector<CalcPoint>& points, CalcPoint point, CalcPointNamer& namer) {
    if (point.name.empty()) {
        point.name = KvStr::Format("P%d", static_cast<int>(points.size()) + 1);
    } else {
        point.name = namer.FreeName(point.name, points.size());
    }
    namer.Take(point.name);
    points.push_back(std::move(point));
    return static_cast<int>(points.size()) - 1;
}

} // namespace qv
