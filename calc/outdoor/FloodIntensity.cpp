#include "calc/outdoor/FloodIntensity.h"

#include "calc/common/Photometry.h"
#include "model/Constants.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <unordered_map>
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

bool HasFiniteAngles(const FloodIntensityRow& row) {
    return std::isfinite(row.dZXAngle) && std::isfinite(row.dHXAngle);
}

// The sorted distinct angles of one kind, of the rows whose angles are finite numbers.
std::vector<double> FiniteAngles(const FloodIntensityTable& table, bool horizontal) {
    std::vector<double> angles;
    for (const FloodIntensityRow& row : table.Rows()) {
        if (HasFiniteAngles(row)) {
            angles.push_back(horizontal ? row.dZXAngle : row.dHXAngle);
        }
    }
    std::sort(angles.begin(), angles.end());
    angles.erase(std::unique(angles.begin(), angles.end()), angles.end());
    return angles;
}

size_t IndexOf(const std::vector<double>& angles, double angle) {
    return static_cast<size_t>(std::lower_bound(angles.begin(), angles.end(), angle) -
                               angles.begin());
}

// ∫ cos a · ((1 - t)·g0 + t·g1) da over [from, to] ⊂ [a0, a0 + span] (radians), with
// t = (a - a0) / span: the part of a cell's flux along the horizontal angle.
double AlongHorizontal(double a0, double span, double from, double to, double g0, double g1) {
    const double cosine = std::sin(to) - std::sin(from);
    const auto moment = [a0](double a) { return (a - a0) * std::sin(a) + std::cos(a); };
    return g0 * cosine + (g1 - g0) * (moment(to) - moment(from)) / span;
}

constexpr double kQuarterTurn = 90.0;
constexpr double kHalfTurn = 180.0;

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

double FloodGridFlux(const FloodIntensityTable& table) {
    const std::vector<double> as = FiniteAngles(table, true);
    const std::vector<double> bs = FiniteAngles(table, false);
    if (as.size() < 2 || bs.size() < 2) {
        return 0.0;
    }
    // The nodes as the lookup reads them: the first row of each pair of angles.
    const uint64_t columns = bs.size();
    std::unordered_map<uint64_t, double> nodes;
    std::vector<uint64_t> cells; // cells with at least one node, by their lower corner
    for (const FloodIntensityRow& row : table.Rows()) {
        if (!HasFiniteAngles(row)) {
            continue;
        }
        const size_t i = IndexOf(as, row.dZXAngle);
        const size_t j = IndexOf(bs, row.dHXAngle);
        if (!nodes
                 .emplace(i * columns + j,
                          std::isfinite(row.dLampGq) ? std::max(row.dLampGq, 0.0) : 0.0)
                 .second) {
            continue;
        }
        for (size_t ci = i > 0 ? i - 1 : 0; ci <= i && ci + 1 < as.size(); ++ci) {
            for (size_t cj = j > 0 ? j - 1 : 0; cj <= j && cj + 1 < bs.size(); ++cj) {
                cells.push_back(ci * columns + cj);
            }
        }
    }
    std::sort(cells.begin(), cells.end());
    cells.erase(std::unique(cells.begin(), cells.end()), cells.end());
    const auto node = [&](size_t i, size_t j) {
        const auto found = nodes.find(i * columns + j);
        return found == nodes.end() ? 0.0 : found->second;
    };
    double flux = 0.0;
    for (const uint64_t cell : cells) {
        const size_t i = static_cast<size_t>(cell / columns);
        const size_t j = static_cast<size_t>(cell % columns);
        const double a0 = as[i];
        const double a1 = as[i + 1];
        const double b0 = bs[j];
        const double b1 = bs[j + 1];
        const double aFrom = std::max(a0, -kQuarterTurn);
        const double aTo = std::min(a1, kQuarterTurn);
        const double bFrom = std::max(b0, -kHalfTurn);
        const double bTo = std::min(b1, kHalfTurn);
        if (!(aFrom < aTo) || !(bFrom < bTo)) {
            continue;
        }
        // Linear in b: the integral over [bFrom, bTo] is its length times the value at
        // its middle, at the lower and the upper horizontal angle of the cell.
        const double s = (0.5 * (bFrom + bTo) - b0) / (b1 - b0);
        const double g0 = node(i, j) + s * (node(i, j + 1) - node(i, j));
        const double g1 = node(i + 1, j) + s * (node(i + 1, j + 1) - node(i + 1, j));
        flux += (bTo - bFrom) * kDegToRad *
                AlongHorizontal(a0 * kDegToRad, (a1 - a0) * kDegToRad, aFrom * kDegToRad,
                                aTo * kDegToRad, g0, g1);
    }
    return 1000.0 * flux;
}

} // namespace qv
