#pragma once
// UGR at observers in a room: UGR = 8·log10(0.25 / Lb · Σ L²·ω / p²) over the project's
// luminaires as placed. The luminaires hold only curves A and B, so the intensity toward
// the eye is estimated from those two planes with the point calculation's blend, and the
// luminous area is the luminaire's optical part. The background luminance comes from the
// indirect-illuminance model of the UGR tables applied to the room's bounding box.
#include "calc/glare/UgrBackground.h"
#include "model/Project.h"

#include <optional>
#include <string>
#include <vector>

namespace qv {

inline constexpr double kSeatedEyeHeight = 1.2;   // m above the floor
inline constexpr double kStandingEyeHeight = 1.5; // m above the floor
// What the result says about its intensities.
inline constexpr const char* kTwoPlaneEstimate = "由A、B两个平面的配光估算";

// An eye and its horizontal line of sight.
struct UgrObserver {
    double x = 0.0;
    double y = 0.0;
    double eyeHeight = kSeatedEyeHeight; // above the floor, m
    double direction = 0.0;              // in plan, degrees: 0 = +x, counter-clockwise
};

// One luminaire's share at an observer, as a table prints it.
struct UgrLuminaireTerm {
    int luminaire = 0;  // number in the project's list, from 1
    double l = 0.0;     // luminance toward the eye, cd/m²
    double omega = 0.0; // solid angle of the luminous area at the eye, sr
    double p = 0.0;     // position index
    double r = 0.0;     // R, T, H: along the line of sight, across it, above the eye, m
    double t = 0.0;
    double h = 0.0;
    double term = 0.0; // L²·ω / p²
};

struct ObserverUgr {
    UgrObserver observer;
    std::optional<double> ugr;
    std::string reason; // why there is no value
    double lb = 0.0;    // background luminance, cd/m²
    std::vector<UgrLuminaireTerm> terms;
};

// The background of the whole room for one eye height.
struct RoomUgrBackground {
    bool ok = false;
    std::string reason; // why the room cannot be rated
    double x = 0.0;     // bounding box of the outline, m
    double y = 0.0;
    double h = 0.0;         // mean height of the luminaires above the eye, m
    double lampFlux = 0.0;  // all luminaires together, lm
    DirectFractions direct; // per lamp lumen, weighted by the luminaires' fluxes
    double lb = 0.0;        // cd/m²
};

struct RoomUgr {
    bool ok = false;
    std::string reason;
    RoomUgrBackground background;
    std::vector<ObserverUgr> observers;
    std::optional<double> max; // the highest value among the observers
};

// Intensity in cd from the luminaire toward the eye: curves A (along the luminaire's
// axis) and B (across it) blended as I_A(γA)·I_B(γB) / I_B(0) in the luminaire's frame,
// as the point calculation does, but interpolated between whole degrees; times the
// luminaire's lamp flux over 1000 lm. 0 below the eye's level or without I_B(0).
double IntensityTowardEye(const Luminaire& luminaire, const Vector& eye);

// The optical part as luminous area: a rectangle dLength (along the luminaire's axis)
// × dWidth with luminous sides dHeight high, or a disc/cylinder of diameter dLength.
// kNone without a positive size.
LuminousArea LuminousAreaOf(const LuminaireShape& optical);

// Zone fluxes per lamp lumen of a luminaire given by curves A and B (cd per 1000 lm),
// around the vertical the mean of the two planes.
ZoneFluxes ZoneFluxesOfCurves(const IntensityCurve& curveA, const IntensityCurve& curveB);

// The room's background at the eye height: X, Y from the outline's bounding box, H the
// mean luminaire height above the eye, the stored reflectances (per cent), the
// luminaires' lamp fluxes and direct fractions. Not ok, with the reason, for a room that
// cannot be rated.
RoomUgrBackground ComputeRoomUgrBackground(const Room& room, const LuminaireList& luminaires,
                                           double eyeHeight);

// The four standard observers at the middle of each wall of the bounding box looking
// across the room (walls y min, x max, y max, x min in that order).
std::vector<UgrObserver> StandardUgrObservers(const Room& room, double eyeHeight);

// UGR at one observer against a background luminance lb; luminaires behind the eye,
// below its level, outside the position index table or without luminous area add
// nothing.
ObserverUgr UgrAtObserver(const LuminaireList& luminaires, const UgrObserver& observer, double lb);

// UGR at the observers (the four standard ones when none are given), all at eyeHeight.
RoomUgr ComputeRoomUgr(const Project& project, const std::vector<UgrObserver>& observers,
                       double eyeHeight);

// The highest UGR of a room at the four standard observers with a seated eye, as the
// "结论" of the indoor books states it; nothing when the room cannot be rated or no
// observer has a value.
std::optional<double> SeatedRoomUgr(const Room& room, const LuminaireList& luminaires);

// "UGR = 17.3 ≤ 19, 满足" / "UGR = 20.1 > 19, 不满足", or "UGR = 17.3" without a limit;
// judged on the value as printed (0.1).
std::string UgrVerdictText(double ugr, std::optional<double> limit);
// Whether the value as printed stays within the limit.
bool UgrMet(double ugr, double limit);

} // namespace qv
