#include "calc/outdoor/FloodIntensity.h"

#include "calc/common/Photometry.h"
#include "model/Constants.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace qv {
namespace {

struct Bracket {
    double lower = 0.0;
    double upper = 0.0;
};

// The distinct angles in ascending order.
std::vector<double> DistinctAngles(const FloodIntensityTable& table, bool horizontal) {
    std::vector<double> angles;
    angles.reserve(static_cast<size_t>(table.Count()));
    for (const FloodIntensityRow& row : table.Rows()) {
        angles.push_back(horizontal ? row.dZXAngle : row.dHXAngle);
    }
    std::sort(angles.begin(), angles.end());
    angles.erase(std::unique(angles.begin(), angles.end()), angles.end());
    return angles;
}

Bracket BracketOf(const std::vector<double>& angles, double x) {
    const Neighbours found = FindNeighbours(static_cast<int>(angles.size()), x,
                                            [&](int i) { return angles[static_cast<size_t>(i)]; });
    return {angles[static_cast<size_t>(found.lower)], angles[static_cast<size_t>(found.upper)]};
}

double NodeValue(const FloodIntensityTable& table, double a, double b) {
    for (const FloodIntensityRow& row : table.Rows()) {
        if (row.dZXAngle == a && row.dHXAngle == b) {
            return row.dLampGq;
        }
    }
    return 0.0;
}

// Linear interpolation at x between (upper, valueUpper) and (lower, valueLower); the node
// value when the two brackets coincide.
double Interpolate(double x, const Bracket& bracket, double valueUpper, double valueLower) {
    if (std::fabs(bracket.upper - bracket.lower) < kTolerance) {
        return valueLower;
    }
    return (valueUpper - valueLower) / (bracket.upper - bracket.lower) * (x - bracket.lower) +
           valueLower;
}

double AlongVertical(const FloodIntensityTable& table, double a, double b,
                     const Bracket& vertical) {
    return Interpolate(b, vertical, NodeValue(table, a, vertical.upper),
                       NodeValue(table, a, vertical.lower));
}

} // namespace

double FloodIntensityAt(const FloodIntensityTable& table, double a, double b) {
    if (table.Count() == 0 || !std::isfinite(a) || !std::isfinite(b)) {
        return 0.0;
    }
    const Bracket horizontal = BracketOf(DistinctAngles(table, true), a);
    const Bracket vertical = BracketOf(DistinctAngles(table, false), b);
    const double atUpper = AlongVertical(table, horizontal.upper, b, vertical);
    const double atLower = AlongVertical(table, horizontal.lower, b, vertical);
    const double value = Interpolate(a, horizontal, atUpper, atLower);
    return value < kTolerance || !std::isfinite(value) ? 0.0 : value;
}

} // namespace qv
