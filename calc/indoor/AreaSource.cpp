#include "calc/indoor/AreaSource.h"

#include "calc/indoor/AreaSourceFactors.h"
#include "model/Constants.h"

#include <array>
#include <cmath>

namespace qv {

namespace {

constexpr double kPi = 3.141592653589793;

// Signs of the parts A, B, C, D in the sum of each region case.
constexpr std::array<std::array<int, 4>, 4> kPartSigns{{
    {1, 1, 1, 1},   // inside
    {1, -1, 1, -1}, // beside along x
    {1, 1, -1, -1}, // beside along y
    {1, -1, -1, 1}, // diagonal
}};

// How a part's distances become the arguments of its factor.
enum class PartRatios {
    OverHeight, // X = Δx/d, Y = Δy/d
    OverExtent  // X = Δx/Δy, Y = d/Δy
};

AreaSourceRecord StartRecord(AreaSourceCalculation calculation, const AreaPoint& point,
                             double height) {
    AreaSourceRecord record;
    record.calculation = calculation;
    record.point = point;
    record.d = height - point.z;
    return record;
}

AreaSourceRecord StartRect(AreaSourceCalculation calculation, const RectSource& source,
                           const AreaPoint& point) {
    AreaSourceRecord record = StartRecord(calculation, point, source.height);
    record.rect = source;
    return record;
}

// Divides the rectangle into the parts A to D as seen from P's projection, takes each
// part's factor and combines them with the signs of P's region.
AreaSourceRecord RectByParts(AreaSourceCalculation calculation, const RectSource& source,
                             const AreaPoint& point, PartRatios ratios,
                             double (*factor)(double, double)) {
    AreaSourceRecord record = StartRect(calculation, source, point);
    if (record.d < kTolerance) {
        return record;
    }
    record.caseNumber = RectRegionCase(source, point);
    const double xFar = SourceEdge(source.centreX, source.length, point.x, true);
    const double xNear = SourceEdge(source.centreX, source.length, point.x, false);
    const double yFar = SourceEdge(source.centreY, source.width, point.y, true);
    const double yNear = SourceEdge(source.centreY, source.width, point.y, false);
    struct Corner {
        const char* part;
        double xEdge;
        double yEdge;
    };
    const std::array<Corner, 4> corners{
        {{"A", xFar, yFar}, {"B", xNear, yFar}, {"C", xFar, yNear}, {"D", xNear, yNear}}};
    const std::array<int, 4>& signs = kPartSigns[record.caseNumber - 1];

    double sum = 0.0;
    for (size_t i = 0; i < corners.size(); ++i) {
        AreaSourceTerm term;
        term.part = corners[i].part;
        term.sign = signs[i];
        const double toX = point.x - corners[i].xEdge;
        const double toY = point.y - corners[i].yEdge;
        // A part without area keeps X = Y = 0 and so a zero factor.
        if (std::fabs(toY * toX) >= kTolerance) {
            const double dx = std::fabs(toX);
            const double dy = std::fabs(toY);
            term.across = dx;
            term.along = dy;
            if (ratios == PartRatios::OverHeight) {
                term.x = dx / record.d;
                term.y = dy / record.d;
            } else {
                term.x = dx / dy;
                term.y = record.d / dy;
            }
        }
        term.f = factor(term.x, term.y);
        sum += term.sign * term.f;
        record.terms.push_back(term);
    }
    record.result = source.luminance * sum;
    return record;
}

// A strip of the inclined plane's superposition in one direction: its name in the
// book, its width and whether it is added or subtracted.
struct Strip {
    const char* name;
    double width;
    int sign;
};

int InclinedCase(bool crossing, bool insideY, bool beyondXmax) {
    if (crossing) {
        return insideY ? 4 : 1;
    }
    if (!beyondXmax) {
        return insideY ? 1 : 2;
    }
    return insideY ? 2 : 3;
}

AreaSourceRecord StartDisc(AreaSourceCalculation calculation, const DiscSource& source,
                           const AreaPoint& point) {
    AreaSourceRecord record = StartRecord(calculation, point, source.height);
    record.disc = source;
    return record;
}

// E = π·L·f with the disc factor at H = d/a and x̄ = X/a.
AreaSourceRecord FinishDisc(AreaSourceRecord record, double distance,
                            double (*factor)(double, double)) {
    record.distance = distance;
    const double a = record.disc.radius;
    if (record.d < kTolerance || a < kTolerance) {
        return record;
    }
    record.shapeFactor = factor(record.d / a, distance / a);
    record.result = kPi * record.disc.luminance * record.shapeFactor;
    return record;
}

} // namespace

int RectRegionCase(const RectSource& source, const AreaPoint& point) {
    const double xmin = source.centreX - source.length / 2.0;
    const double xmax = source.centreX + source.length / 2.0;
    const double ymin = source.centreY - source.width / 2.0;
    const double ymax = source.centreY + source.width / 2.0;
    const bool insideX = xmin <= point.x && point.x <= xmax;
    const bool insideY = ymin <= point.y && point.y <= ymax;
    if (insideX && insideY) {
        return 1;
    }
    if ((point.x > xmax || point.x < xmin) && ymin < point.y && point.y < ymax) {
        return 2;
    }
    if ((point.y < ymin || point.y > ymax) && insideX) {
        return 3;
    }
    if (!insideX && !insideY) {
        return 4;
    }
    return 2; // on the extension of a y edge, outside in x
}

AreaSourceRecord RectHorizontal(const RectSource& source, const AreaPoint& point) {
    return RectByParts(AreaSourceCalculation::RectHorizontal, source, point, PartRatios::OverHeight,
                       FormFactorHorizontal);
}

AreaSourceRecord RectVertical(const RectSource& source, const AreaPoint& point) {
    return RectByParts(AreaSourceCalculation::RectVertical, source, point, PartRatios::OverExtent,
                       FormFactorVertical);
}

AreaSourceRecord NonUniformHorizontal(const RectSource& source, const AreaPoint& point) {
    return RectByParts(AreaSourceCalculation::NonUniformHorizontal, source, point,
                       PartRatios::OverHeight, FormFactorNonUniform);
}

// The lit part of the source (x <= xc) is built from strips that adjoin the
// intersection line and whose y edge lies on the line y = py, the only strips the
// inclined factor describes. Across x: the strip back to xmin, less the strip back to
// xmax when the whole source lies before the line. Along y: the two strips on either
// side of py when P lies within the source's width, else the strip to the far edge
// less the strip to the near edge.
AreaSourceRecord RectInclined(const RectSource& source, const AreaPoint& point,
                              double angleDegrees) {
    AreaSourceRecord record = StartRect(AreaSourceCalculation::RectInclined, source, point);
    record.angle = angleDegrees;
    if (record.d < kTolerance || !(angleDegrees >= kTolerance && angleDegrees < 180.0)) {
        return record;
    }
    const double xmin = source.centreX - source.length / 2.0;
    const double xmax = source.centreX + source.length / 2.0;
    const double ymin = source.centreY - source.width / 2.0;
    const double ymax = source.centreY + source.width / 2.0;

    InclinedGeometry& geometry = record.inclined;
    geometry.phi = angleDegrees * kDegToRad;
    geometry.t = record.d / std::tan(geometry.phi);
    geometry.xc = point.x + geometry.t;
    geometry.c = record.d / std::sin(geometry.phi);
    geometry.a1 = geometry.xc - xmin;
    geometry.g = geometry.xc - xmax;
    geometry.e = std::fabs(point.y - SourceEdge(source.centreY, source.width, point.y, false));
    geometry.wPrime = geometry.e + source.width;

    const bool crossing = xmax - point.x > geometry.t;
    const bool insideY = ymin <= point.y && point.y <= ymax;
    record.caseNumber = InclinedCase(crossing, insideY, point.x > xmax);
    if (geometry.a1 <= 0.0) {
        return record; // the plane meets the source plane before the source: nothing lit
    }

    std::vector<Strip> acrossStrips{{"a1", geometry.a1, 1}};
    if (!crossing) {
        acrossStrips.push_back({"g", geometry.g, -1});
    }
    const std::vector<Strip> alongStrips =
        insideY ? std::vector<Strip>{{"b1", point.y - ymin, 1}, {"b2", ymax - point.y, 1}}
                : std::vector<Strip>{{"w'", geometry.wPrime, 1}, {"e", geometry.e, -1}};

    double sum = 0.0;
    for (const Strip& across : acrossStrips) {
        for (const Strip& along : alongStrips) {
            AreaSourceTerm term;
            term.part = std::string("F(") + across.name + "," + along.name + ")";
            term.sign = across.sign * along.sign;
            term.across = across.width;
            term.along = along.width;
            // A strip without extent along y contributes nothing.
            if (along.width >= kTolerance) {
                term.x = across.width / along.width;
                term.y = geometry.c / along.width;
                term.f = FormFactorInclined(term.x, term.y, geometry.phi);
            }
            sum += term.sign * term.f;
            record.terms.push_back(term);
        }
    }
    record.result = source.luminance * sum;
    return record;
}

AreaSourceRecord DiscHorizontal(const DiscSource& source, const AreaPoint& point) {
    const double dx = point.x - source.centreX;
    const double dy = point.y - source.centreY;
    return FinishDisc(StartDisc(AreaSourceCalculation::DiscHorizontal, source, point),
                      std::sqrt(dx * dx + dy * dy), DiscFactorHorizontal);
}

AreaSourceRecord DiscVertical(const DiscSource& source, const AreaPoint& point) {
    return FinishDisc(StartDisc(AreaSourceCalculation::DiscVertical, source, point),
                      std::fabs(point.x - source.centreX), DiscFactorVertical);
}

} // namespace qv
