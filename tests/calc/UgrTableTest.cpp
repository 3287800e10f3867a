// The UGR table of a luminaire type and its parts: the position index, the projected
// luminous area, the room's inter-reflection, the background, and the table's properties
// that follow from the method (scale in H, flux, turning the luminaire, file format).
#include "calc/glare/UgrTable.h"
#include "calc/glare/GlareGeometry.h"
#include "calc/glare/GlareIntensity.h"
#include "calc/glare/GuthPositionIndex.h"
#include "calc/glare/UgrBackground.h"
#include "catalogue/photometry/PhotometricReaders.h"

#include <kelvorin/KvFile.h>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <sstream>

namespace qv::test {
namespace {

constexpr double kPi = 3.141592653589793;

// A luminaire whose intensity (cd per 1000 lm) depends on C, so that crosswise and endwise
// differ: 300·cos γ·(1 + 0.5·cos² C) downward, a little upward light.
double Wide(double c, double gamma) {
    const double cosC = std::cos(c * kPi / 180.0);
    const double cosG = std::cos(gamma * kPi / 180.0);
    return gamma <= 90.0 ? 300.0 * cosG * (1.0 + 0.5 * cosC * cosC) : -20.0 * cosG;
}

struct LdtOptions {
    int symmetry = 4; // 0 full, 1 rotational, 4 quadrant
    std::function<double(double, double)> intensity = Wide;
    double lamp = 1000.0;
    double lor = 0.0;                                 // per cent; 0: none declared
    std::string luminous = "1000\n300\n5\n5\n5\n5\n"; // length, width, four side heights (mm)
};

// An EULUMDAT file with 24 C planes and γ every 5°.
std::string Ldt(const LdtOptions& options) {
    std::ostringstream out;
    out << "test\n1\n"
        << options.symmetry << "\n24\n15\n37\n5\nreport\nUGR test\nU-1\nu.ldt\ndate\n"
        << "1100\n350\n60\n"
        << options.luminous << "95\n"
        << options.lor << "\n1\n0\n1\n1\nLED\n"
        << options.lamp << "\n3000K\n80\n30\n";
    for (int i = 0; i < 10; ++i) {
        out << "0.5\n";
    }
    for (int p = 0; p < 24; ++p) {
        out << p * 15 << "\n";
    }
    for (int g = 0; g < 37; ++g) {
        out << g * 5 << "\n";
    }
    const int stored = options.symmetry == 0 ? 24 : (options.symmetry == 1 ? 1 : 7);
    for (int p = 0; p < stored; ++p) {
        for (int g = 0; g < 37; ++g) {
            out << options.intensity(p * 15.0, g * 5.0) << "\n";
        }
    }
    return out.str();
}

PhotometricData Read(const std::string& text, bool ies = false) {
    PhotometricData data;
    std::string error;
    EXPECT_TRUE(ies ? ReadIes(text, data, error) : ReadEulumdat(text, data, error)) << error;
    return data;
}

UgrTable Table(const PhotometricData& data, double shr = 0.25, double h = 2.0) {
    UgrTable table;
    std::string reason;
    EXPECT_TRUE(
        ComputeUgrTable(data, shr, table, reason, IntensityInterpolation::kMonotoneCubic, h))
        << reason;
    return table;
}

void ExpectTablesNear(const UgrTable& a, const UgrTable& b, double offset, bool swapped = false) {
    for (int r = 0; r < kUgrRoomCount; ++r) {
        for (int c = 0; c < kUgrReflectanceCount; ++c) {
            const auto& bCross = swapped ? b.endwise : b.crosswise;
            const auto& bEnd = swapped ? b.crosswise : b.endwise;
            EXPECT_NEAR(a.crosswise[r][c] + offset, bCross[r][c], 1e-6) << "room " << r;
            EXPECT_NEAR(a.endwise[r][c] + offset, bEnd[r][c], 1e-6) << "room " << r;
        }
    }
}

TEST(GuthPositionIndexTest, TableCellsBetweenThemAndItsEdges) {
    EXPECT_NEAR(*GuthPositionIndex(0.0, 0.0), 1.0, 1e-12);
    EXPECT_NEAR(*GuthPositionIndex(3.0, 1.9), 16.0, 1e-9);
    EXPECT_NEAR(*GuthPositionIndex(-1.0, 1.0), 7.0, 1e-12); // only |T/R| counts
    // Bilinear in the middle of four cells: T/R 0.15, H/R 0.05 between 1.05 1.22 1.12 1.30.
    EXPECT_NEAR(*GuthPositionIndex(0.15, 0.05), (1.05 + 1.22 + 1.12 + 1.30) / 4.0, 1e-12);
    // Steep sources next to the blank cells, above H/R 1.9, beyond T/R 3 and below the
    // line of sight are not counted.
    EXPECT_FALSE(GuthPositionIndex(0.0, 1.75).has_value());
    EXPECT_TRUE(GuthPositionIndex(0.0, 1.7).has_value()); // on the last filled column
    EXPECT_FALSE(GuthPositionIndex(0.85, 1.85).has_value());
    EXPECT_TRUE(GuthPositionIndex(0.9, 1.85).has_value());
    EXPECT_FALSE(GuthPositionIndex(1.0, 2.0).has_value());
    EXPECT_FALSE(GuthPositionIndex(3.01, 0.5).has_value());
    EXPECT_FALSE(GuthPositionIndex(0.5, -0.1).has_value());
    EXPECT_FALSE(GuthPositionIndex(std::nan(""), 0.5).has_value());
}

TEST(GlareGeometryTest, ViewAndProjectedArea) {
    // Eye at the origin looking along +y; a luminaire 3 m ahead, 1 m to the right, 2 m up.
    const GlareView view = ViewOfLuminaire({0, 0, 1.2}, {0, 5, 0}, {1, 3, 3.2}, -90.0);
    EXPECT_NEAR(view.r, 3.0, 1e-12);
    EXPECT_NEAR(view.t, 1.0, 1e-12);
    EXPECT_NEAR(view.h, 2.0, 1e-12);
    EXPECT_NEAR(view.gamma, std::atan2(std::sqrt(10.0), 2.0) * 180.0 / kPi, 1e-9);
    // C0 points back toward the observer (-y): the eye lies at C = -atan(T/R).
    EXPECT_NEAR(view.c, 360.0 - std::atan2(1.0, 3.0) * 180.0 / kPi, 1e-9);
    // Turned by 180° the luminaire's C0 axis points along -x; the eye lies near C90.
    EXPECT_NEAR(ViewOfLuminaire({0, 0, 0}, {0, 1, 0}, {0, 3, 2}, 180.0).c, 90.0, 1e-9);

    LuminousArea box;
    box.shape = LuminousShape::kBox;
    box.alongC0 = 0.3;
    box.alongC90 = 1.2;
    box.sides = {0.01, 0.02, 0.03, 0.04};
    EXPECT_NEAR(ProjectedLuminousArea(box, 0.0, 0.0), 0.36, 1e-12);
    EXPECT_NEAR(ProjectedLuminousArea(box, 0.0, 90.0), 1.2 * 0.01, 1e-12); // C0 face
    EXPECT_NEAR(ProjectedLuminousArea(box, 180.0, 90.0), 1.2 * 0.03, 1e-12);
    EXPECT_NEAR(ProjectedLuminousArea(box, 270.0, 90.0), 0.3 * 0.04, 1e-12);
    EXPECT_NEAR(ProjectedLuminousArea(box, 45.0, 60.0),
                0.36 * 0.5 + std::sin(kPi / 3) * std::sqrt(0.5) * (1.2 * 0.01 + 0.3 * 0.02), 1e-12);
    LuminousArea disc;
    disc.shape = LuminousShape::kCylinder;
    disc.alongC0 = disc.alongC90 = 0.5;
    EXPECT_NEAR(ProjectedLuminousArea(disc, 17.0, 60.0), kPi * 0.0625 * 0.5, 1e-12);
    disc.sides.fill(0.1);
    EXPECT_NEAR(ProjectedLuminousArea(disc, 17.0, 90.0), 0.05, 1e-12);
    disc.shape = LuminousShape::kSphere;
    EXPECT_NEAR(ProjectedLuminousArea(disc, 0.0, 120.0), kPi * 0.0625, 1e-12);
    EXPECT_EQ(ProjectedLuminousArea(LuminousArea(), 0.0, 0.0), 0.0);

    // Not counted: behind the eye, no luminous area.
    GlareView behind = view;
    behind.r = -1.0;
    EXPECT_FALSE(GlareTerm(behind, 100.0, 0.1).has_value());
    EXPECT_FALSE(GlareTerm(view, 100.0, 0.0).has_value());
    const double p = *GuthPositionIndex(1.0 / 3.0, 2.0 / 3.0);
    EXPECT_NEAR(*GlareTerm(view, 100.0, 0.1), 1e4 / (0.1 * 14.0 * p * p), 1e-9);
}

// Flux reaching the walls after ≥ 1 reflection, by following the light bounce by bounce
// (an independent solution of the same three-surface room).
WallTransferFactors BounceByBounce(double x, double y, double h, const RoomReflectances& rho) {
    const double fc = ParallelRectanglesFormFactor(x, y, h);
    const double wf = x * y * (1.0 - fc) / (2.0 * h * (x + y));
    const double f[3][3] = {{0, 1 - fc, fc}, {wf, 1 - 2 * wf, wf}, {fc, 1 - fc, 0}};
    const double reflect[3] = {rho.floor, rho.walls, rho.ceiling};
    double out[3] = {};
    for (int source = 0; source < 3; ++source) {
        double incident[3] = {};
        incident[source] = 1.0;
        for (int bounce = 0; bounce < 2000; ++bounce) {
            double next[3] = {};
            for (int i = 0; i < 3; ++i) {
                for (int j = 0; j < 3; ++j) {
                    next[j] += incident[i] * reflect[i] * f[i][j];
                }
            }
            out[source] += next[1];
            std::copy(next, next + 3, incident);
        }
    }
    return {out[0], out[1], out[2]};
}

TEST(GlareTransferTest, FormFactorAndWallTransferOfRooms) {
    // The unit cube's opposite faces: 0.19982 (closed form); a thin gap sees nearly all.
    EXPECT_NEAR(ParallelRectanglesFormFactor(1, 1, 1), 0.199825, 1e-6);
    EXPECT_NEAR(ParallelRectanglesFormFactor(1000, 1000, 1), 1.0, 2e-3);
    EXPECT_EQ(ParallelRectanglesFormFactor(0, 1, 1), 0.0);
    for (const auto& [x, y] : {std::pair{1.0, 1.0}, {2.0, 4.0}, {12.0, 8.0}}) {
        for (const RoomReflectances rho :
             {RoomReflectances{0.7, 0.5, 0.2}, RoomReflectances{0.3, 0.3, 0.2}}) {
            const WallTransferFactors exact = WallTransfer(x, y, 1.0, rho);
            const WallTransferFactors bounces = BounceByBounce(x, y, 1.0, rho);
            EXPECT_NEAR(exact.fromFloor, bounces.fromFloor, 1e-9) << x << "x" << y;
            EXPECT_NEAR(exact.fromWalls, bounces.fromWalls, 1e-9) << x << "x" << y;
            EXPECT_NEAR(exact.fromCeiling, bounces.fromCeiling, 1e-9) << x << "x" << y;
        }
    }
    // Black walls and ceiling: the floor's reflection reaches the walls once, and nothing
    // more comes back.
    const double fc = ParallelRectanglesFormFactor(1, 1, 1);
    EXPECT_NEAR(WallTransfer(1, 1, 1, {0, 0, 0.2}).fromFloor, 0.2 * (1 - fc), 1e-12);
    EXPECT_EQ(WallTransfer(1, 1, 0, {0.7, 0.5, 0.2}).fromFloor, 0.0);
}

TEST(UgrBackgroundTest, RoomIndexKeysAndZoneFluxes) {
    EXPECT_DOUBLE_EQ(DirectFloorFactors(12.0 / 7.0)[0], 0.448); // 4H × 3H: k 1.71
    EXPECT_DOUBLE_EQ(DirectFloorFactors(8.0 / 3.0)[2], 0.499);  // 4H × 8H: k 2.67
    EXPECT_DOUBLE_EQ(DirectFloorFactors(0.5)[0], 0.690);
    EXPECT_DOUBLE_EQ(DirectFloorFactors(9.0)[3], 0.098);
    EXPECT_NEAR(DirectFloorFactors(1.1)[0], (0.690 + 0.578) / 2, 1e-12);
    // The zones add up to the declared LOR, downward to the walls and floor, upward to
    // the ceiling.
    LdtOptions options;
    options.lor = 80.0;
    const ZoneFluxes zones = ZoneFluxesPerLampLumen(Read(Ldt(options)));
    double sum = 0.0;
    for (const double z : zones) {
        sum += z;
    }
    EXPECT_NEAR(sum, 0.80, 1e-12);
    const DirectFractions direct = DirectFractionsOf(zones, 2.0);
    EXPECT_NEAR(direct.floor + direct.walls + direct.ceiling, 0.80, 1e-12);
    EXPECT_GT(direct.ceiling, 0.0);
    EXPECT_NEAR(BackgroundLuminance(kPi * 10.0), 10.0, 1e-12);
}

TEST(UgrBackgroundTest, WorkedExampleOfTheStandardCondition) {
    const std::filesystem::path file = std::filesystem::path(QV_SOURCE_DIR) / ".." / "shared" /
                                       "photometry-validation" / "ugr-pairs" / "cie190ex.ldt";
    std::string text;
    if (KvFile::ReadAll(file.string(), text) != KvFileRead::Ok) {
        GTEST_SKIP() << "no worked-example file at " << file;
    }
    const PhotometricData data = Read(text);
    const ZoneFluxes zones = ZoneFluxesPerLampLumen(data);
    // 4H × 8H at SHR 1, H = 2 m: 32 luminaires of 1000 lm, B = 333.3 lm/m².
    const double h = 2.0;
    const DirectFractions direct = DirectFractionsOf(zones, 32.0 / 12.0);
    EXPECT_NEAR(direct.floor, 0.4968, 5e-5);
    EXPECT_NEAR(direct.walls, 0.1529, 5e-5);
    const WallTransferFactors t = WallTransfer(4 * h, 8 * h, h, {0.7, 0.5, 0.2});
    const double fuwid =
        direct.floor * t.fromFloor + direct.walls * t.fromWalls + direct.ceiling * t.fromCeiling;
    EXPECT_NEAR(fuwid, 0.0894, 5e-5);
    const double e = WallIndirectIlluminance(direct, 4 * h, 8 * h, h, {0.7, 0.5, 0.2}, 32, 1000.0);
    EXPECT_NEAR(BackgroundLuminance(e), 9.49, 5e-3);
    // 2H × 4H.
    const DirectFractions small = DirectFractionsOf(zones, 8.0 / 6.0);
    EXPECT_NEAR(small.floor, 0.390, 5e-4);
    EXPECT_NEAR(small.walls, 0.260, 5e-4);
}

TEST(UgrTableTest, CellsBelowTenPrintAsLessThanTen) {
    EXPECT_EQ(UgrCellText(9.974), "<10.0"); // printed so by the published tables
    EXPECT_EQ(UgrCellText(3.0), "<10.0");
    EXPECT_EQ(UgrCellText(10.0), "10.0");
    EXPECT_EQ(UgrCellText(10.04), "10.0");
    EXPECT_EQ(UgrCellText(15.26), "15.3");
}

TEST(UgrTableTest, ScaleFluxTurnAndFormat) {
    const PhotometricData base = Read(Ldt(LdtOptions()));
    const UgrTable table = Table(base);
    EXPECT_EQ(table.shr, 0.25);
    EXPECT_EQ(table.flux, 1000.0);
    // Crosswise the wide side (C0, 1.5× the intensity of C90) faces the eye.
    EXPECT_GT(table.crosswise[8][0], table.endwise[8][0] + 0.5);
    // The same for every mounting height.
    ExpectTablesNear(table, Table(base, 0.25, 3.7), 0.0);
    ExpectTablesNear(Table(base, 1.0), Table(base, 1.0, 5.0), 0.0);
    // Ten times the lamp flux (same cd per 1000 lm): 8·log10(10) higher.
    LdtOptions bright;
    bright.lamp = 10000.0;
    ExpectTablesNear(table, Table(Read(Ldt(bright))), 8.0);
    EXPECT_NEAR(UgrAtFlux(20.0, 1000.0, 10000.0), 28.0, 1e-12);
    // The luminaire turned by 90° in its file (intensity and luminous area): crosswise
    // and endwise change places.
    LdtOptions turned;
    turned.intensity = [](double c, double g) { return Wide(c - 90.0, g); };
    turned.luminous = "300\n1000\n5\n5\n5\n5\n";
    ExpectTablesNear(table, Table(Read(Ldt(turned))), 0.0, true);
    // The same luminaire as an LM-63 file: its 0° plane lies along the length (C90 here).
    std::ostringstream ies;
    ies << "IESNA:LM-63-2002\n[LUMINAIRE] UGR test\nTILT=NONE\n"
        << "1 1000 1 37 7 1 2 0.3 1.0 0.005\n1 1 30\n";
    for (int g = 0; g < 37; ++g) {
        ies << g * 5 << ' ';
    }
    ies << '\n';
    for (int p = 0; p < 7; ++p) {
        ies << p * 15 << ' ';
    }
    ies << '\n';
    for (int p = 0; p < 7; ++p) {
        for (int g = 0; g < 37; ++g) {
            ies << Wide(p * 15.0 + 90.0, g * 5.0) << ' ';
        }
        ies << '\n';
    }
    ExpectTablesNear(table, Table(Read(ies.str(), true)), 0.0);
}

TEST(UgrTableTest, TypesWithoutATableSayWhy) {
    std::string reason;
    UgrTable table;
    LdtOptions dark;
    dark.luminous = "0\n0\n0\n0\n0\n0\n";
    EXPECT_FALSE(ComputeUgrTable(Read(Ldt(dark)), 0.25, table, reason));
    EXPECT_NE(reason.find("发光面"), std::string::npos) << reason;
    const std::string flood = "IESNA:LM-63-2002\nTILT=NONE\n1 1000 1 3 3 2 2 0.3 0.3 0.1\n"
                              "1 1 100\n0 10 20\n0 10 20\n"
                              "900 500 100\n800 400 80\n600 300 50\n";
    EXPECT_FALSE(ComputeUgrTable(Read(flood, true), 0.25, table, reason));
    EXPECT_NE(reason.find("C-γ"), std::string::npos) << reason;
    const PhotometricData good = Read(Ldt(LdtOptions()));
    for (const double shr : {0.0, -1.0, 5.0, std::nan("")}) {
        EXPECT_FALSE(ComputeUgrTable(good, shr, table, reason)) << shr;
    }
    // A distribution that stops above the horizontal is not a full one.
    PhotometricData cut = good;
    cut.angles.resize(10);
    for (auto& plane : cut.candela) {
        plane.resize(10);
    }
    EXPECT_FALSE(CanHaveUgrTable(cut, reason));
}

TEST(IntensitySamplerTest, CubicKeepsStoredValuesAndMonotony) {
    const PhotometricData data = Read(Ldt(LdtOptions()));
    const IntensitySampler cubic(data, IntensityInterpolation::kMonotoneCubic);
    const IntensitySampler linear(data, IntensityInterpolation::kBilinear);
    for (const double c : {0.0, 15.0, 90.0, 165.0, 270.0, 345.0}) {
        for (const double g : {0.0, 35.0, 90.0}) {
            EXPECT_NEAR(cubic(c, g), linear(c, g), 1e-9) << c << " " << g;
        }
    }
    // Between stored angles the cubic follows the smooth curve more closely, and never
    // leaves the range of its neighbours (falling in γ from 0 to 90°).
    EXPECT_LT(std::fabs(cubic(7.0, 42.0) - Wide(7.0, 42.0)),
              std::fabs(linear(7.0, 42.0) - Wide(7.0, 42.0)));
    double previous = cubic(33.0, 0.0);
    for (double g = 0.5; g <= 90.0; g += 0.5) {
        const double value = cubic(33.0, g);
        EXPECT_LE(value, previous + 1e-9) << g;
        previous = value;
    }
}

} // namespace
} // namespace qv::test
