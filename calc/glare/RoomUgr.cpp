#include "calc/glare/RoomUgr.h"

#include "calc/common/Outline.h"
#include "calc/common/Photometry.h"
#include "calc/common/Verdict.h"
#include "calc/glare/GlareGeometry.h"
#include "calc/glare/GuthPositionIndex.h"

#include <kelvorin/KvStr.h>

#include <algorithm>
#include <cmath>

namespace qv {
namespace {

// Curves give cd per 1000 lm of lamp flux.
constexpr double kCurveFlux = 1000.0;

// A curve between whole degrees: IntensityAt at the two neighbouring whole degrees,
// linear between them (the point calculation truncates, which shifts UGR by tenths).
double CurveAt(const IntensityCurve& curve, double degrees) {
    const double low = std::floor(degrees);
    const double share = degrees - low;
    const int whole = static_cast<int>(low);
    const double a = IntensityAt(curve, whole);
    return share > 0.0 ? a + (IntensityAt(curve, whole + 1) - a) * share : a;
}

double MaxAngle(const IntensityCurve& curve) {
    double top = 0.0;
    for (const IntensityRow& row : curve.Rows()) {
        top = std::max(top, row.dAngle);
    }
    return top;
}

} // namespace

double IntensityTowardEye(const Luminaire& luminaire, const Vector& eye) {
    const Vector v{eye.x - luminaire.ptCenter.x, eye.y - luminaire.ptCenter.y,
                   eye.z - luminaire.ptCenter.z};
    const Vector local = RotateIntoFrame(v, luminaire.Rotate);
    const double h = -local.z;
    if (!(h >= kTolerance)) {
        return 0.0;
    }
    const double b0 = IntensityAt(luminaire.curveB, 0);
    if (!(b0 >= kTolerance)) {
        return 0.0;
    }
    const double gammaB = std::atan(std::fabs(local.y) / h) * kRadToDeg;
    const double gammaA =
        std::atan(std::fabs(local.x) / std::sqrt(local.y * local.y + h * h)) * kRadToDeg;
    const double perKlm =
        CurveAt(luminaire.curveA, gammaA) * CurveAt(luminaire.curveB, gammaB) / b0;
    return perKlm * static_cast<double>(luminaire.nLuminousFlux) / kCurveFlux;
}

LuminousArea LuminousAreaOf(const LuminaireShape& optical) {
    LuminousArea area;
    const double side = std::max(optical.dHeight, 0.0);
    if (optical.nShape == LuminaireShape::kCircle) {
        if (optical.dLength > 0.0) {
            area.shape = LuminousShape::kCylinder;
            area.alongC0 = area.alongC90 = optical.dLength;
            area.sides.fill(side);
        }
    } else if (optical.dLength > 0.0 && optical.dWidth > 0.0) {
        // The luminaire's axis (curve A, its length) is its own x: the C0 axis of the view.
        area.shape = LuminousShape::kBox;
        area.alongC0 = optical.dLength;
        area.alongC90 = optical.dWidth;
        area.sides.fill(side);
    }
    return area;
}

ZoneFluxes ZoneFluxesOfCurves(const IntensityCurve& curveA, const IntensityCurve& curveB) {
    // A quadrant distribution with curve B in C0 (across the axis) and curve A in C90:
    // linear between them, its mean around the vertical is the mean of the two curves.
    PhotometricData data;
    data.coverage = PlaneCoverage::kQuadrant;
    data.lamps.count = 1;
    data.lamps.lumensPerLamp = kCurveFlux;
    data.planes = {0.0, 90.0};
    const int top =
        static_cast<int>(std::floor(std::min(180.0, std::max(MaxAngle(curveA), MaxAngle(curveB)))));
    data.candela.assign(2, {});
    for (int degrees = 0; degrees <= top; ++degrees) {
        data.angles.push_back(degrees);
        data.candela[0].push_back(IntensityAt(curveB, degrees));
        data.candela[1].push_back(IntensityAt(curveA, degrees));
    }
    if (data.angles.size() < 2) {
        return ZoneFluxes{};
    }
    return ZoneFluxesPerLampLumen(data);
}

RoomUgrBackground ComputeRoomUgrBackground(const Room& room, const LuminaireList& luminaires,
                                           double eyeHeight) {
    RoomUgrBackground out;
    const std::vector<Luminaire>& items = luminaires.Items();
    if (items.empty()) {
        out.reason = "房间内没有灯具,无法计算UGR";
        return out;
    }
    if (room.outline.size() < 3) {
        out.reason = "房间轮廓不完整,无法计算UGR";
        return out;
    }
    const OutlineExtent extent = ExtentOf(room.outline);
    out.x = extent.maxX - extent.minX;
    out.y = extent.maxY - extent.minY;
    if (!(out.x > kTolerance && out.y > kTolerance)) {
        out.reason = "房间轮廓不完整,无法计算UGR";
        return out;
    }
    const std::array<double, 3> percent{room.dReflectTop, room.dReflectWall, room.dReflectFloor};
    for (const double rho : percent) {
        if (!(rho >= 0.0 && rho < 100.0)) {
            out.reason = "房间反射比应在0到100%之间,无法计算UGR";
            return out;
        }
    }
    double heights = 0.0;
    for (const Luminaire& luminaire : items) {
        heights += luminaire.ptCenter.z - eyeHeight;
        out.lampFlux += std::max(static_cast<double>(luminaire.nLuminousFlux), 0.0);
    }
    out.h = heights / static_cast<double>(items.size());
    if (!(out.h > kTolerance) || !std::isfinite(out.h)) {
        out.reason = "灯具平均高度不高于眼睛高度,无法计算UGR";
        return out;
    }
    if (!(out.lampFlux > 0.0)) {
        out.reason = "灯具光通量为0,无法计算UGR";
        return out;
    }
    const double roomIndex = out.x * out.y / (out.h * (out.x + out.y));
    // The direct fractions depend on the room index, so they follow once H is known.
    for (const Luminaire& luminaire : items) {
        const double share =
            std::max(static_cast<double>(luminaire.nLuminousFlux), 0.0) / out.lampFlux;
        const DirectFractions direct =
            DirectFractionsOf(ZoneFluxesOfCurves(luminaire.curveA, luminaire.curveB), roomIndex);
        out.direct.floor += share * direct.floor;
        out.direct.walls += share * direct.walls;
        out.direct.ceiling += share * direct.ceiling;
    }
    const RoomReflectances rho{percent[0] / 100.0, percent[1] / 100.0, percent[2] / 100.0};
    out.lb = BackgroundLuminance(
        WallIndirectIlluminance(out.direct, out.x, out.y, out.h, rho, 1, out.lampFlux));
    if (!(out.lb > 0.0) || !std::isfinite(out.lb)) {
        out.reason = "背景亮度为0(灯具无配光或房间各面不反射),无法计算UGR";
        out.lb = 0.0;
        return out;
    }
    out.ok = true;
    return out;
}

std::vector<UgrObserver> StandardUgrObservers(const Room& room, double eyeHeight) {
    const OutlineExtent e = ExtentOf(room.outline);
    const double midX = (e.minX + e.maxX) / 2.0;
    const double midY = (e.minY + e.maxY) / 2.0;
    return {{midX, e.minY, eyeHeight, 90.0},
            {e.maxX, midY, eyeHeight, 180.0},
            {midX, e.maxY, eyeHeight, 270.0},
            {e.minX, midY, eyeHeight, 0.0}};
}

ObserverUgr UgrAtObserver(const LuminaireList& luminaires, const UgrObserver& observer, double lb) {
    ObserverUgr out;
    out.observer = observer;
    out.lb = lb;
    const Vector eye{observer.x, observer.y, observer.eyeHeight};
    const double a = observer.direction * kDegToRad;
    const Vector sight{std::cos(a), std::sin(a), 0.0};
    double sum = 0.0;
    int number = 0;
    for (const Luminaire& luminaire : luminaires.Items()) {
        ++number;
        // The luminaire's frame as the point calculation turns it (RotateIntoFrame): its
        // axis lies along +x turned clockwise by Rotate.z, so the view's C0 axis (turned
        // counter-clockwise by its rotation) takes -Rotate.z.
        const GlareView view = ViewOfLuminaire(eye, sight, luminaire.ptCenter, -luminaire.Rotate.z);
        const double area =
            ProjectedLuminousArea(LuminousAreaOf(luminaire.opticalShape), view.c, view.gamma);
        const double intensity = IntensityTowardEye(luminaire, eye);
        const std::optional<double> term = GlareTerm(view, intensity, area);
        if (!term || !std::isfinite(*term)) {
            continue;
        }
        UgrLuminaireTerm row;
        row.luminaire = number;
        row.r = view.r;
        row.t = view.t;
        row.h = view.h;
        row.l = intensity / area;
        row.omega = area / view.distanceSquared();
        row.p = GuthPositionIndex(view.t / view.r, view.h / view.r).value_or(0.0);
        row.term = *term;
        sum += *term;
        out.terms.push_back(row);
    }
    out.ugr = UnifiedGlareRating(sum, lb);
    if (!out.ugr) {
        out.reason = out.terms.empty()
                         ? "视野内没有计入的灯具(均在眼睛后方、低于眼睛或在位置指数表范围外)"
                         : "视野内灯具的亮度为0";
        if (!(lb > 0.0)) {
            out.reason = "背景亮度为0,无法计算UGR";
        }
    }
    return out;
}

RoomUgr ComputeRoomUgr(const Project& project, const std::vector<UgrObserver>& observers,
                       double eyeHeight) {
    RoomUgr out;
    out.background = ComputeRoomUgrBackground(project.room, project.luminaires, eyeHeight);
    if (!out.background.ok) {
        out.reason = out.background.reason;
        return out;
    }
    std::vector<UgrObserver> eyes =
        observers.empty() ? StandardUgrObservers(project.room, eyeHeight) : observers;
    for (UgrObserver& observer : eyes) {
        observer.eyeHeight = eyeHeight;
        out.observers.push_back(UgrAtObserver(project.luminaires, observer, out.background.lb));
        if (const std::optional<double> ugr = out.observers.back().ugr) {
            out.max = out.max ? std::max(*out.max, *ugr) : *ugr;
        }
    }
    out.ok = true;
    return out;
}

std::optional<double> SeatedRoomUgr(const Room& room, const LuminaireList& luminaires) {
    Project project;
    project.room = room;
    project.luminaires = luminaires;
    return ComputeRoomUgr(project, {}, kSeatedEyeHeight).max;
}

bool UgrMet(double ugr, double limit) {
    return std::round(ugr * 10.0) / 10.0 <= limit + 1e-9;
}

std::string UgrVerdictText(double ugr, std::optional<double> limit) {
    const std::string value = "UGR = " + KvStr::Format("%.1f", std::round(ugr * 10.0) / 10.0);
    if (!limit) {
        return value;
    }
    const bool met = UgrMet(ugr, *limit);
    return value + (met ? " ≤ " : " > ") + KvStr::FormatDouble(*limit) + ", " +
           (met ? kMet : kNotMet);
}

} // namespace qv
