// Array layout of luminaires: the positions against their formulas, the order, the
// refusals, and the rows × columns chosen for a count.
#include "calc/common/LuminaireLayout.h"

#include "calc/IndoorRooms.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace qv {
namespace {

using test::RectangleRoom;

constexpr double kExact = 1e-9;

// An L-shaped room whose bounding box is 12 × 7 from (3, -2).
Room LShapedRoom() {
    Room room;
    room.outline = {{3, -2, 0}, {15, -2, 0}, {15, 1, 0}, {8, 1, 0}, {8, 5, 0}, {3, 5, 0}};
    room.dWorkHeight = 0.8;
    return room;
}

std::vector<Vector> Positions(const Room& room, const ArrayLayout& layout) {
    std::string refusal;
    std::vector<Vector> positions = ArrayPositions(room, layout, refusal);
    EXPECT_EQ(refusal, "");
    return positions;
}

TEST(LuminaireLayout, MarginsPlaceOuterLinesAtTheWallDistancesRowByRow) {
    ArrayLayout layout;
    layout.rows = 3;
    layout.columns = 4;
    layout.height = 3.1;
    layout.even = false;
    layout.marginX = 1.3;
    layout.marginY = 0.7;
    const std::vector<Vector> positions = Positions(LShapedRoom(), layout);
    ASSERT_EQ(positions.size(), 12u);
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 4; ++j) {
            const Vector& p = positions[static_cast<size_t>(i * 4 + j)];
            EXPECT_NEAR(p.x, 3 + 1.3 + j * (12 - 2 * 1.3) / 3, kExact);
            EXPECT_NEAR(p.y, -2 + 0.7 + i * (7 - 2 * 0.7) / 2, kExact);
            EXPECT_EQ(p.z, 3.1);
        }
    }
    EXPECT_NEAR(positions.front().x, 4.3, kExact);
    EXPECT_NEAR(positions.back().x, 15 - 1.3, kExact);
    EXPECT_NEAR(positions.back().y, 5 - 0.7, kExact);
}

TEST(LuminaireLayout, EvenPutsEachLuminaireInTheMiddleOfItsCell) {
    ArrayLayout layout;
    layout.rows = 2;
    layout.columns = 5;
    layout.marginX = 1e300; // ignored when even
    const std::vector<Vector> positions = Positions(LShapedRoom(), layout);
    ASSERT_EQ(positions.size(), 10u);
    for (int i = 0; i < 2; ++i) {
        for (int j = 0; j < 5; ++j) {
            const Vector& p = positions[static_cast<size_t>(i * 5 + j)];
            EXPECT_NEAR(p.x, 3 + (j + 0.5) * 12 / 5, kExact);
            EXPECT_NEAR(p.y, -2 + (i + 0.5) * 7 / 2, kExact);
        }
    }
}

TEST(LuminaireLayout, ASingleRowOrColumnStandsOnTheCentreLine) {
    ArrayLayout layout;
    layout.rows = 1;
    layout.columns = 3;
    layout.even = false;
    layout.marginX = 1;
    layout.marginY = 3.5; // half the width is allowed for one row
    std::vector<Vector> positions = Positions(LShapedRoom(), layout);
    ASSERT_EQ(positions.size(), 3u);
    for (const Vector& p : positions) {
        EXPECT_NEAR(p.y, -2 + 3.5, kExact);
    }
    EXPECT_NEAR(positions[1].x, 9, kExact);

    layout.rows = 4;
    layout.columns = 1;
    layout.marginY = 1;
    layout.marginX = 6;
    positions = Positions(LShapedRoom(), layout);
    ASSERT_EQ(positions.size(), 4u);
    EXPECT_NEAR(positions[0].x, 9, kExact);
    EXPECT_NEAR(positions[3].y, 4, kExact);
}

TEST(LuminaireLayout, RefusesWhatCannotBeLaidOut) {
    const Room room = RectangleRoom(10, 6);
    const auto refusal = [&room](auto change) {
        ArrayLayout layout;
        layout.rows = 2;
        layout.columns = 3;
        layout.height = 3;
        layout.even = false;
        layout.marginX = 1;
        layout.marginY = 1;
        change(layout);
        std::string text;
        const std::vector<Vector> positions = ArrayPositions(room, layout, text);
        EXPECT_TRUE(positions.empty());
        return text;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(refusal([](ArrayLayout& l) { l.rows = 0; }), "行数应为不小于1的整数,请重新输入!");
    EXPECT_EQ(refusal([](ArrayLayout& l) { l.columns = -3; }), "列数应为不小于1的整数,请重新输入!");
    EXPECT_EQ(refusal([](ArrayLayout& l) { l.rows = l.columns = 317; }),
              "行数与列数之积不应超过100000,请重新输入!");
    EXPECT_EQ(refusal([](ArrayLayout& l) { l.rows = l.columns = 65536; }), // no int overflow
              "行数与列数之积不应超过100000,请重新输入!");
    for (const double height : {nan, inf, -1e6}) {
        EXPECT_EQ(refusal([height](ArrayLayout& l) { l.height = height; }),
                  "安装高度应为绝对值不大于100000的数值,请重新输入!");
    }
    EXPECT_EQ(refusal([nan](ArrayLayout& l) { l.rotation = nan; }),
              "旋转角度应为-360到360之间的数值,请重新输入!");
    for (const double margin : {nan, inf, -0.1}) {
        EXPECT_EQ(refusal([margin](ArrayLayout& l) { l.marginX = margin; }),
                  "X方向距墙距离应为不小于0的数值,请重新输入!");
    }
    EXPECT_EQ(refusal([](ArrayLayout& l) { l.marginX = 5; }),
              "X方向距墙距离应小于房间长度的一半,请重新输入!");
    EXPECT_EQ(refusal([](ArrayLayout& l) { l.marginY = 3.01; }),
              "Y方向距墙距离应小于房间宽度的一半,请重新输入!");
    EXPECT_EQ(refusal([](ArrayLayout& l) {
                  l.rows = 1;
                  l.marginY = 3.01;
              }),
              "Y方向距墙距离应小于房间宽度的一半,请重新输入!");

    ArrayLayout fine;
    std::string text;
    EXPECT_TRUE(ArrayPositions(Room(), fine, text).empty());
    EXPECT_EQ(text, "房间尚未输入拐角,无法布置灯具!");
    Room flat;
    flat.outline = {{0, 0, 0}, {5, 0, 0}, {2, 0, 0}};
    EXPECT_EQ(CheckArrayLayout(flat, fine), "房间的长度或宽度为0,无法布置灯具!");
    EXPECT_EQ(CheckArrayLayout(room, fine), "");
}

TEST(LuminaireLayout, CopiesTakeThePositionsAndTheRotationAboutZ) {
    Luminaire model;
    model.sName = "格栅灯";
    model.Rotate = {10, 20, 30};
    const LuminaireList list = ArrayOf(model, {{1, 2, 3}, {4, 5, 6}}, 45);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.At(1).ptCenter, (Vector{4, 5, 6}));
    EXPECT_EQ(list.At(1).Rotate, (Rotation{10, 20, 45}));
    EXPECT_EQ(list.At(0).sName, "格栅灯");
}

TEST(LuminaireLayout, MountingHeightStaysAboveTheWorkingPlane) {
    Room room = RectangleRoom(10, 6); // working plane 0.75
    Luminaire luminaire;
    luminaire.ptCenter.z = 3;
    EXPECT_EQ(MountingHeightFor(room, luminaire), 3);
    for (const double z : {0.75, 0.0, -2.0, std::numeric_limits<double>::quiet_NaN()}) {
        luminaire.ptCenter.z = z;
        EXPECT_DOUBLE_EQ(MountingHeightFor(room, luminaire), 2.95);
    }
}

TEST(LuminaireLayout, NearestGridFollowsTheRoomsAspectWithLittleWaste) {
    const auto shape = [](long long count, double aspect) {
        const GridShape grid = NearestGrid(count, aspect);
        return std::pair{grid.rows, grid.columns};
    };
    EXPECT_EQ(shape(1, 1), std::pair(1, 1));
    EXPECT_EQ(shape(4, 1), std::pair(2, 2));
    EXPECT_EQ(shape(12, 1), std::pair(3, 4)); // a tie: fewer rows
    EXPECT_EQ(shape(12, 3), std::pair(2, 6));
    EXPECT_EQ(shape(12, 1.0 / 3), std::pair(6, 2));
    EXPECT_EQ(shape(6, 100), std::pair(1, 6)); // a corridor: one row
    EXPECT_EQ(shape(7, 1), std::pair(3, 3));
    EXPECT_EQ(shape(3, 1), std::pair(2, 2)); // one place empty beats a long 1 × 3 row
    EXPECT_EQ(shape(3, 3), std::pair(1, 3));
    EXPECT_EQ(shape(9, std::nan("")), std::pair(3, 3));
    EXPECT_EQ(shape(0, 1), std::pair(0, 0));
    EXPECT_EQ(shape(kMaxLayoutLuminaires + 1, 1), std::pair(0, 0));
    for (const long long count : {5LL, 13LL, 99LL, 1000LL}) {
        for (const double aspect : {0.2, 1.0, 1.7, 8.0}) {
            const GridShape grid = NearestGrid(count, aspect);
            EXPECT_GE(static_cast<long long>(grid.rows) * grid.columns, count);
            EXPECT_LT(static_cast<long long>(grid.rows) * (grid.columns - 1), count);
        }
    }
}

} // namespace
} // namespace qv
