// Average spherical and cylindrical illuminance and their twin panels.
#include "panels/ScalarIlluminancePanel.h"
#include "model/FormatTruncated.h"

#include "calc/GridFittings.h"
#include "calc/IndoorRooms.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

using test::GridFittings;
using test::RectangleRoom;

TEST(ScalarIlluminanceTest, FactorsFollowTheKindAndTheFloorReflectance) {
    const Room room = RectangleRoom(8, 5); // floor 20
    const LuminaireList luminaires = GridFittings(4, 8, 5, 3.0);
    const ScalarIlluminance spherical =
        AverageSphericalOrCylindrical(room, luminaires, {0, 0, 0, 0}, kSpherical);
    ASSERT_GT(spherical.eh, 0);
    EXPECT_DOUBLE_EQ(spherical.result, 0.1 * spherical.eh);
    const LumenMethodResult lumen = AverageIlluminanceByCu(room, luminaires, {});
    EXPECT_EQ(spherical.eh, lumen.e);
    EXPECT_EQ(spherical.entries[1].u, lumen.entries[1].u);
    EXPECT_DOUBLE_EQ(ScalarFactor(kCylindrical, 0.5, 0), 0.5);
    const ScalarIlluminance cylindrical =
        AverageSphericalOrCylindrical(room, luminaires, {0.5, 1.0}, kCylindrical);
    const double f0 = 1.5 * 0.5 - 0.25 + 0.005 * 20, f1 = 1.5 - 0.25 + 0.1, f2 = -0.25 + 0.1;
    const auto& e = cylindrical.entries;
    EXPECT_EQ(cylindrical.result, ((e[0].eh * f0 + e[1].eh * f1) + e[2].eh * f2) + e[3].eh * f2);
    Room flat = room;
    flat.outline = {{0, 0, 0}, {8, 0, 0}, {4, 0, 0}};
    const ScalarIlluminance none = AverageSphericalOrCylindrical(flat, luminaires, {}, kSpherical);
    EXPECT_EQ(none.eh, 0);
    EXPECT_EQ(none.result, 0);
}

TEST(ScalarIlluminanceTest, PanelReadsKsBackShowsTruncatedValuesAndTheHeader) {
    // 10 × 10 m, cavity height 2.5 - 0.75 ... chosen for RCR 2.5: 5·h·20/100 = h → h = 2.5.
    Room room = RectangleRoom(10, 10);
    room.dWorkHeight = 0.5;
    room.dWinInWall = 20;
    const LuminaireList luminaires = GridFittings(4, 10, 10, 3.0);
    ScalarIlluminancePanel cylindrical(kCylindrical);
    EXPECT_EQ(cylindrical.Header(), "ρw = 0.5, RI = 1.5");
    cylindrical.Open(luminaires);
    ASSERT_EQ(cylindrical.RowCount(), 4);
    cylindrical.EditCell(0, ScalarIlluminancePanel::kKs, "0.8");
    cylindrical.EditCell(1, ScalarIlluminancePanel::kName, "ignored");
    EXPECT_EQ(cylindrical.CellText(0, ScalarIlluminancePanel::kKs), "0.8");
    cylindrical.Calculate(room, luminaires);
    EXPECT_EQ(cylindrical.Header(), "根据ρw = 0.40, RI = 2.00, 请在BZ曲线上查询Ks值");
    const ScalarIlluminance& d = cylindrical.Details();
    EXPECT_EQ(cylindrical.ResultText(), FormatTruncated(d.result, 2));
    EXPECT_EQ(cylindrical.Result(), TruncatedValue(d.result, 2));
    EXPECT_EQ(cylindrical.Horizontal(), TruncatedValue(d.eh, 2));
    EXPECT_EQ(cylindrical.Entries()[0].ks, 0.8);
    EXPECT_EQ(cylindrical.Entries()[0].u, d.entries[0].u);
    // Ks stays with the entries until the room's entries change.
    cylindrical.Calculate(room, luminaires);
    EXPECT_EQ(cylindrical.Entries()[0].ks, 0.8);
    LuminaireList moved = luminaires;
    moved.At(0).ptCenter.x += 1;
    cylindrical.Calculate(room, moved);
    EXPECT_EQ(cylindrical.Entries()[0].ks, 0);

    ScalarIlluminancePanel spherical(kSpherical);
    Room empty = room;
    empty.outline.clear();
    spherical.Calculate(empty, luminaires);
    EXPECT_EQ(spherical.ResultText(), "0.00");
    EXPECT_EQ(spherical.Header(), "根据ρw = 0.00, RI = 0.00, 请在BZ曲线上查询Ks值");
}

} // namespace
} // namespace qv
