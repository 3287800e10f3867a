// UGR at observers in a room: single luminaires worked out by hand with the position
// index table's own values, what is left out of the sum, the background of curves A and
// B, turning the whole room, the verdict text and the office example.
#include "calc/glare/RoomUgr.h"

#include "IndoorRooms.h"
#include "calc/common/Photometry.h"
#include "model/ProjectFile.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qv::test {
namespace {

constexpr double kPi = 3.141592653589793;

IntensityCurve Line(double at0, double at90) {
    IntensityCurve curve;
    curve.Append({0.0, at0});
    curve.Append({90.0, at90});
    return curve;
}

// Curve A 300 → 120, curve B 300 → 30 cd/klm, linear in γ, 5000 lm, a flat luminous
// rectangle 1.2 m along its axis × 0.3 m.
Luminaire Troffer(double x, double y, double z, double turn = 0.0) {
    Luminaire luminaire;
    luminaire.ptCenter = {x, y, z};
    luminaire.Rotate.z = turn;
    luminaire.nLuminousFlux = 5000;
    luminaire.curveA = Line(300.0, 120.0);
    luminaire.curveB = Line(300.0, 30.0);
    luminaire.opticalShape.dLength = 1.2;
    luminaire.opticalShape.dWidth = 0.3;
    return luminaire;
}

Project RoomWith(const std::vector<Luminaire>& luminaires, double length = 10.0,
                 double width = 10.0) {
    Project project;
    project.kind = kIndoorProject;
    project.room = RectangleRoom(length, width);
    for (const Luminaire& luminaire : luminaires) {
        project.luminaires.Add(luminaire);
    }
    return project;
}

double Degrees(double radians) {
    return radians * 180.0 / kPi;
}

// I²/(A_p·r²·p²) = L²·ω/p² of a flat luminous area.
double Term(double intensity, double flatArea, double r, double t, double h, double p) {
    const double r2 = r * r + t * t + h * h;
    const double projected = flatArea * h / std::sqrt(r2);
    return intensity * intensity / (projected * r2 * p * p);
}

TEST(RoomUgr, LuminaireStraightAheadFollowsTheFormula) {
    // Eye at (5, 0, 1.2) looking +y; the luminaire 4 m ahead and 2 m above the eye, turned
    // with its axis across the line of sight: the eye lies in the plane of curve B.
    const Project project = RoomWith({Troffer(5.0, 4.0, 3.2)});
    const RoomUgr result = ComputeRoomUgr(project, {{5.0, 0.0, 0.0, 90.0}}, 1.2);
    ASSERT_TRUE(result.ok) << result.reason;
    ASSERT_EQ(result.observers.size(), 1u);
    const ObserverUgr& o = result.observers[0];
    ASSERT_EQ(o.terms.size(), 1u);

    const double gammaB = Degrees(std::atan(4.0 / 2.0)); // 63.43°, not a whole degree
    const double intensity = (300.0 - 270.0 * gammaB / 90.0) * 5.0;
    const double p = 2.86; // table: T/R 0, H/R 0.5
    const double term = Term(intensity, 1.2 * 0.3, 4.0, 0.0, 2.0, p);
    EXPECT_NEAR(o.terms[0].p, p, 1e-9);
    EXPECT_NEAR(o.terms[0].r, 4.0, 1e-9);
    EXPECT_NEAR(o.terms[0].h, 2.0, 1e-9);
    EXPECT_NEAR(o.terms[0].l * o.terms[0].l * o.terms[0].omega / (p * p), term, term * 1e-9);
    ASSERT_TRUE(o.ugr.has_value());
    EXPECT_GT(o.lb, 0.0);
    EXPECT_NEAR(*o.ugr, 8.0 * std::log10(0.25 / o.lb * term), 1e-9);
    EXPECT_DOUBLE_EQ(*result.max, *o.ugr);
}

TEST(RoomUgr, LuminaireOffTheLineOfSightUsesTheTableAndBothCurves) {
    // R = 2, T = 2 (to the right), H = 1: T/R 1, H/R 0.5. From the luminaire the eye lies
    // 2 m back along its axis and 2 m across: γB = atan(2/1), γA = atan(2/√5).
    const Project project = RoomWith({Troffer(7.0, 2.0, 2.2)});
    const ObserverUgr o = UgrAtObserver(project.luminaires, {5.0, 0.0, 1.2, 90.0}, 10.0);
    ASSERT_EQ(o.terms.size(), 1u);
    const double gammaB = Degrees(std::atan(2.0));
    const double gammaA = Degrees(std::atan(2.0 / std::sqrt(5.0)));
    const double a = 300.0 - 180.0 * gammaA / 90.0;
    const double b = 300.0 - 270.0 * gammaB / 90.0;
    const double intensity = a * b / 300.0 * 5.0;
    const double p = 3.91; // table: T/R 1.0, H/R 0.5
    EXPECT_NEAR(o.terms[0].t, 2.0, 1e-9);
    EXPECT_NEAR(o.terms[0].p, p, 1e-9);
    const double term = Term(intensity, 0.36, 2.0, 2.0, 1.0, p);
    EXPECT_NEAR(o.terms[0].term, term, term * 1e-9);
    EXPECT_NEAR(*o.ugr, 8.0 * std::log10(0.25 / 10.0 * term), 1e-9);
}

TEST(RoomUgr, TurnedLuminaireSeenAlongItsAxisShowsCurveAAndItsEndFace) {
    // The luminaire turned by 30° has its axis where the point calculation's frame puts it;
    // the eye 4 m back along that axis looks at it, seeing curve A and the luminous end
    // face (0.3 m wide, 0.1 m high) rather than a long side.
    Luminaire turned = Troffer(5.0, 5.0, 3.2, 30.0);
    turned.opticalShape.dHeight = 0.1;
    const double a = -30.0 * kPi / 180.0;
    const Vector axis{std::cos(a), std::sin(a), 0.0};
    const Vector local = RotateIntoFrame(axis, turned.Rotate);
    ASSERT_NEAR(local.x, 1.0, 1e-9);
    ASSERT_NEAR(local.y, 0.0, 1e-9);

    const UgrObserver eye{5.0 - 4.0 * axis.x, 5.0 - 4.0 * axis.y, 1.2, -30.0};
    const ObserverUgr o = UgrAtObserver(RoomWith({turned}).luminaires, eye, 10.0);
    ASSERT_EQ(o.terms.size(), 1u);
    EXPECT_NEAR(o.terms[0].t, 0.0, 1e-9);
    const double gamma = std::atan(4.0 / 2.0);
    const double intensity = (300.0 - 180.0 * Degrees(gamma) / 90.0) * 5.0;
    const double projected = 0.36 * std::cos(gamma) + 0.3 * 0.1 * std::sin(gamma);
    const double p = 2.86;
    const double term = intensity * intensity / (projected * 20.0 * p * p);
    EXPECT_NEAR(o.terms[0].term, term, term * 1e-6);
    EXPECT_NEAR(o.terms[0].l, intensity / projected, 1e-6 * intensity / projected);
    EXPECT_NEAR(o.terms[0].omega, projected / 20.0, 1e-9);
}

TEST(RoomUgr, LuminairesOutOfTheFieldAddNothing) {
    const UgrObserver eye{5.0, 5.0, 1.2, 90.0}; // looking +y from the middle
    const std::vector<Luminaire> out{
        Troffer(5.0, 3.0, 3.2),  // behind the eye
        Troffer(9.0, 6.0, 3.2),  // T/R = 4
        Troffer(5.0, 5.5, 3.2),  // H/R = 4: nearly overhead
        Troffer(5.0, 8.0, 1.0),  // below the eye
        Troffer(10.0, 5.0, 3.2), // R = 0: beside the eye
    };
    const Project project = RoomWith(out);
    const ObserverUgr o = UgrAtObserver(project.luminaires, eye, 10.0);
    EXPECT_TRUE(o.terms.empty());
    EXPECT_FALSE(o.ugr.has_value());
    EXPECT_FALSE(o.reason.empty());

    // One luminaire in view among them: only its term is counted.
    std::vector<Luminaire> with = out;
    with.push_back(Troffer(5.0, 9.0, 3.2));
    const ObserverUgr one = UgrAtObserver(RoomWith(with).luminaires, eye, 10.0);
    ASSERT_EQ(one.terms.size(), 1u);
    EXPECT_EQ(one.terms[0].luminaire, 6);
    const ObserverUgr alone =
        UgrAtObserver(RoomWith({Troffer(5.0, 9.0, 3.2)}).luminaires, eye, 10.0);
    EXPECT_NEAR(*one.ugr, *alone.ugr, 1e-12);
}

TEST(RoomUgr, TurningRoomAndObserverBy90DegreesKeepsTheValues) {
    // A 12 × 7 room with luminaires turned several ways and an observer looking obliquely.
    std::vector<Luminaire> luminaires;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 2; ++j) {
            luminaires.push_back(Troffer(1.5 + 3.0 * i, 1.75 + 3.5 * j, 3.0, 30.0 * (i + j)));
        }
    }
    const Project plain = RoomWith(luminaires, 12.0, 7.0);
    Project turned = plain;
    for (Vector& corner : turned.room.outline) {
        corner = {-corner.y, corner.x, 0.0};
    }
    LuminaireList list;
    for (Luminaire luminaire : luminaires) {
        luminaire.ptCenter = {-luminaire.ptCenter.y, luminaire.ptCenter.x, luminaire.ptCenter.z};
        luminaire.Rotate.z += 90.0;
        list.Add(luminaire);
    }
    turned.luminaires = list;

    const RoomUgr a = ComputeRoomUgr(plain, {{0.5, 1.0, 0.0, 20.0}}, 1.2);
    const RoomUgr b = ComputeRoomUgr(turned, {{-1.0, 0.5, 0.0, 110.0}}, 1.2);
    ASSERT_TRUE(a.ok && b.ok);
    ASSERT_TRUE(a.observers[0].ugr && b.observers[0].ugr);
    EXPECT_NEAR(*a.observers[0].ugr, *b.observers[0].ugr, 1e-4);
    EXPECT_EQ(a.observers[0].terms.size(), b.observers[0].terms.size());
    EXPECT_NEAR(a.background.lb, b.background.lb, 1e-9);

    // The four wall observers turn with the room: the same values, one wall along.
    const RoomUgr walls = ComputeRoomUgr(plain, {}, 1.2);
    const RoomUgr turnedWalls = ComputeRoomUgr(turned, {}, 1.2);
    ASSERT_EQ(walls.observers.size(), 4u);
    for (size_t k = 0; k < 4; ++k) {
        ASSERT_TRUE(walls.observers[k].ugr && turnedWalls.observers[(k + 1) % 4].ugr);
        EXPECT_NEAR(*walls.observers[k].ugr, *turnedWalls.observers[(k + 1) % 4].ugr, 1e-4) << k;
    }
    EXPECT_NEAR(*walls.max, *turnedWalls.max, 1e-4);
}

TEST(RoomUgr, BackgroundFromBothCurves) {
    // Constant curves integrate exactly: 2π·I per 1000 lm downward, the zones the mean of
    // the two planes rather than either one.
    const ZoneFluxes zones = ZoneFluxesOfCurves(Line(100.0, 100.0), Line(200.0, 200.0));
    double down = 0.0;
    double up = 0.0;
    for (size_t z = 0; z < zones.size(); ++z) {
        (z < 9 ? down : up) += zones[z];
    }
    EXPECT_NEAR(down, 2.0 * kPi * 150.0 / 1000.0, 1e-3);
    EXPECT_EQ(up, 0.0);

    // Lb grows with the lamp flux in proportion, and is 0 when nothing reflects.
    Project project = RoomWith({Troffer(3.0, 3.0, 3.0), Troffer(7.0, 7.0, 3.0)});
    const RoomUgrBackground base = ComputeRoomUgrBackground(project.room, project.luminaires, 1.2);
    ASSERT_TRUE(base.ok) << base.reason;
    EXPECT_NEAR(base.h, 1.8, 1e-12);
    EXPECT_NEAR(base.lampFlux, 10000.0, 1e-9);
    EXPECT_EQ(base.direct.ceiling, 0.0);
    Project brighter = project;
    LuminaireList list;
    for (Luminaire luminaire : project.luminaires.Items()) {
        luminaire.nLuminousFlux *= 2;
        list.Add(luminaire);
    }
    brighter.luminaires = list;
    EXPECT_NEAR(ComputeRoomUgrBackground(brighter.room, brighter.luminaires, 1.2).lb, 2.0 * base.lb,
                1e-9);

    project.room.dReflectTop = project.room.dReflectWall = project.room.dReflectFloor = 0.0;
    EXPECT_FALSE(ComputeRoomUgrBackground(project.room, project.luminaires, 1.2).ok);
}

TEST(RoomUgr, RoomsThatCannotBeRated) {
    const Project empty = RoomWith({});
    EXPECT_FALSE(ComputeRoomUgr(empty, {}, 1.2).ok);
    const Project low = RoomWith({Troffer(5.0, 5.0, 1.0)});
    const RoomUgr below = ComputeRoomUgr(low, {}, 1.2);
    EXPECT_FALSE(below.ok);
    EXPECT_FALSE(below.reason.empty());
    Project hostile = RoomWith({Troffer(5.0, 5.0, 3.0)});
    hostile.room.dReflectWall = 150.0;
    EXPECT_FALSE(ComputeRoomUgr(hostile, {}, 1.2).ok);
    hostile.room.dReflectWall = std::nan("");
    EXPECT_FALSE(ComputeRoomUgr(hostile, {}, 1.2).ok);
}

TEST(RoomUgr, VerdictTextJudgesThePrintedValue) {
    EXPECT_EQ(UgrVerdictText(17.26, 19.0), "UGR = 17.3 ≤ 19, 满足");
    EXPECT_EQ(UgrVerdictText(19.04, 19.0), "UGR = 19.0 ≤ 19, 满足");
    EXPECT_EQ(UgrVerdictText(20.08, 19.0), "UGR = 20.1 > 19, 不满足");
    EXPECT_EQ(UgrVerdictText(17.26, std::nullopt), "UGR = 17.3");
}

TEST(RoomUgr, OfficeExampleIsInTheRangeOfAGrilleTroffer) {
    Project office;
    LoadOptions options;
    options.writeBack = false;
    ASSERT_TRUE(
        LoadProject(std::string(QV_SOURCE_DIR) + "/data/examples/office.cil", office, options));
    const RoomUgr result = ComputeRoomUgr(office, {}, kSeatedEyeHeight);
    ASSERT_TRUE(result.ok) << result.reason;
    ASSERT_EQ(result.observers.size(), 4u);
    for (const ObserverUgr& o : result.observers) {
        ASSERT_TRUE(o.ugr.has_value()) << o.reason;
        EXPECT_GT(*o.ugr, 15.0);
        EXPECT_LT(*o.ugr, 22.0);
    }
    // The room is symmetric about both middle lines: opposite walls see the same.
    EXPECT_NEAR(*result.observers[0].ugr, *result.observers[2].ugr, 1e-6);
    EXPECT_NEAR(*result.observers[1].ugr, *result.observers[3].ugr, 1e-6);
}

} // namespace
} // namespace qv::test
