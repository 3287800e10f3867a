// The grid searches, the parallel grid calculation against the point calculation, and
// the grid panel's statistics, defaults, legend, spins and messages.
#include "calc/indoor/RoomGrid.h"
#include "calc/indoor/PointIlluminance.h"
#include "model/FormatTruncated.h"
#include "panels/GridPanel.h"

#include "calc/GridFittings.h"
#include "calc/IndoorRooms.h"

#include <kelvorin/KvStr.h>

#include <gtest/gtest.h>

#include <cstring>

namespace qv {
namespace {

using test::GridFitting;
using test::GridFittings;
using test::RectangleRoom;

TEST(RoomGridTest, HorizontalSearchStartsAtTheCornerAndStopsBeforeTheFarEdges) {
    std::vector<std::pair<int, int>> progress;
    KvScopedProgressHandler handler([&](const std::string& text, int position, int range) {
        if (text == "搜索计算点" || position < 0) {
            progress.push_back({position, range});
        }
    });
    Room room = RectangleRoom(10, 5);
    for (Vector& v : room.outline) {
        v.x += 2;
        v.y -= 1;
    }
    std::vector<CalcPoint> points;
    HorizontalGridSearch(points, room, 200);
    ASSERT_EQ(points.size(), 200u * 100u);
    EXPECT_EQ(points[0].position, (Vector{2, -1, 0.75}));
    EXPECT_DOUBLE_EQ(points[1].position.y, -0.95); // y inner
    EXPECT_DOUBLE_EQ(points[100].position.x, 2.05);
    EXPECT_DOUBLE_EQ(points.back().position.x, 11.95);
    EXPECT_DOUBLE_EQ(points.back().position.y, 3.95);
    ASSERT_EQ(progress.size(), 201u);
    EXPECT_EQ(progress[1], (std::pair<int, int>{100, 20000}));
    EXPECT_EQ(progress.back().first, -1);
}

TEST(RoomGridTest, SearchKeepsOnlyPointsOfTheOutlineAndSurvivesDegenerateRooms) {
    Room room = RectangleRoom(4, 4);
    room.outline = {{0, 0, 0}, {4, 0, 0}, {4, 2, 0}, {2, 2, 0}, {2, 4, 0}, {0, 4, 0}};
    std::vector<CalcPoint> points;
    HorizontalGridSearch(points, room, 4);  // square: 4 × 4 candidates, 1 m apart
    EXPECT_EQ(points.size(), 4u * 4u - 1u); // (3,3) lies outside the L
    for (const CalcPoint& p : points) {
        EXPECT_FALSE(p.position.x > 2.5 && p.position.y > 2.5);
    }
    room.outline.resize(2);
    HorizontalGridSearch(points, room, 4);
    EXPECT_TRUE(points.empty());
    room.outline = {{1, 1, 0}, {1, 1, 0}, {1, 1, 0}};
    HorizontalGridSearch(points, room, 50);
    EXPECT_TRUE(points.empty());
    VerticalGridSearch(points, room, 50, room.dWorkHeight, {1, 1, 0}, {1, 1, 0}, 0);
    EXPECT_TRUE(points.empty());
    for (const int threads : {2, 8, 500}) {
        HorizontalGridSearch(points, room, 50, threads);
        EXPECT_TRUE(points.empty());
    }
}

TEST(RoomGridTest, SearchesGiveTheSamePointsInTheSameOrderForAnyThreadCount) {
    Room room = RectangleRoom(7, 5);
    room.outline = {{0, 0, 0}, {7, 0, 0}, {7, 2, 0}, {3, 2, 0}, {3, 5, 0}, {0, 5, 0}};
    std::vector<CalcPoint> reference;
    HorizontalGridSearch(reference, room, 61);
    std::vector<CalcPoint> verticalReference;
    VerticalGridSearch(verticalReference, room, 45, 3.0, {0.5, 0.5, 0}, {6.5, 1.5, 0}, 1);
    ASSERT_GT(reference.size(), 1000u);
    for (const int threads : {2, 3, 7, 100}) {
        std::vector<CalcPoint> points;
        HorizontalGridSearch(points, room, 61, threads);
        EXPECT_EQ(points, reference) << threads;
        VerticalGridSearch(points, room, 45, 3.0, {0.5, 0.5, 0}, {6.5, 1.5, 0}, 1, threads);
        EXPECT_EQ(points, verticalReference) << threads;
    }
}

TEST(RoomGridTest, VerticalPlaneIsOrderedBySideAndDividedByItsLongerSide) {
    const Room room = RectangleRoom(6, 4); // working plane 0.75
    std::vector<CalcPoint> points;
    // Equal x: side 0 starts at the smaller y, side 1 at the larger.
    VerticalGridSearch(points, room, 10, 2.75, {3, 4, 0}, {3, 0, 0}, kSideUpperLeft);
    ASSERT_EQ(points.size(), 10u * 5u); // Lh 4 > Hv 2: nL 10, nH 5
    EXPECT_EQ(points[0].position, (Vector{3, 0, 0.75}));
    EXPECT_DOUBLE_EQ(points[1].position.z, 0.75 + 2.0 / 5);
    EXPECT_DOUBLE_EQ(points[5].position.y, 0.4);
    VerticalGridSearch(points, room, 10, 2.75, {3, 0, 0}, {3, 4, 0}, kSideLowerRight);
    EXPECT_EQ(points[0].position, (Vector{3, 4, 0.75}));
    // Different x: side 1 starts at the larger x; a tall plane gets n up its height.
    VerticalGridSearch(points, room, 10, 8.75, {1, 2, 0}, {5, 2, 0}, kSideLowerRight);
    ASSERT_EQ(points.size(), 5u * 10u);
    EXPECT_EQ(points[0].position, (Vector{5, 2, 0.75}));
    EXPECT_DOUBLE_EQ(points[10].position.x, 5 - 4.0 / 5);
}

TEST(RoomGridTest, ParallelGridMatchesThePointCalculationBitForBitForAnyThreadCount) {
    const Room room = RectangleRoom(9, 6);
    LuminaireList luminaires = GridFittings(12, 9, 6, 3.2);
    luminaires.Add(GridFitting({4, 3, 3.0}, 2.5, {90, 0, 45}));
    luminaires.Add(GridFitting({1, 1, 0.5}, 0.2)); // below the working plane
    std::vector<CalcPoint> reference;
    HorizontalGridSearch(reference, room, 37);
    reference[5].rotation = {20, 0, -15}; // an inclined plane takes the full step
    LuminaireList referenceLuminaires = luminaires;
    const std::vector<int> types = CalculatePoints(reference, room.outline, referenceLuminaires);
    for (const int threads : {1, 2, 3, 8}) {
        std::vector<CalcPoint> points;
        HorizontalGridSearch(points, room, 37);
        points[5].rotation = reference[5].rotation;
        LuminaireList working = luminaires;
        EXPECT_EQ(CalculateGridPoints(points, working, threads), types);
        ASSERT_EQ(points.size(), reference.size());
        for (size_t i = 0; i < points.size(); ++i) {
            const CalcPoint& a = points[i];
            const CalcPoint& b = reference[i];
            ASSERT_EQ(0, std::memcmp(&a.dIntensity, &b.dIntensity, sizeof(double))) << i;
            ASSERT_EQ(0, std::memcmp(&a.dEh, &b.dEh, sizeof(double))) << i;
            ASSERT_EQ(0, std::memcmp(&a.dEv, &b.dEv, sizeof(double))) << i;
            ASSERT_EQ(0, std::memcmp(&a.dEi, &b.dEi, sizeof(double))) << i;
        }
        for (int i = 0; i < working.Count(); ++i) {
            EXPECT_EQ(working.At(i).dLastContribution, referenceLuminaires.At(i).dLastContribution);
        }
    }
}

TEST(RoomGridTest, DrawingAndStandardRules) {
    EXPECT_EQ(DrawingInterval(300), 50);
    EXPECT_EQ(DrawingInterval(0), 10);
    EXPECT_EQ(DrawingInterval(62.9), 10); // v = 18 → 10
    EXPECT_EQ(FallbackStandard(349.9), 300);
    EXPECT_EQ(FallbackStandard(49.99), 0);
}

TEST(RoomGridTest, HorizontalCalculationStatisticsAndReadBacks) {
    Room room = RectangleRoom(10, 5);
    const LuminaireList luminaires = GridFittings(8, 10, 5, 3.0);
    GridPanel panel;
    panel.density = 40;
    ASSERT_TRUE(panel.CalculateHorizontal(room, luminaires));
    const GridStatistics& s = panel.Statistics();
    double sum = 0, max = panel.Points()[0].dEh, min = max;
    for (const CalcPoint& p : panel.Points()) {
        sum += p.dEh;
        max = std::max(max, p.dEh);
        min = std::min(min, p.dEh);
    }
    EXPECT_EQ(s.averageRaw, sum / panel.Points().size());
    EXPECT_EQ(panel.maxText, KvStr::Format("%.2f", max));
    EXPECT_EQ(panel.minText, KvStr::Format("%.2f", min));
    EXPECT_EQ(s.average, s.averageRaw * ReflectionCorrection(room, luminaires));
    EXPECT_NE(s.average, s.averageRaw);
    EXPECT_EQ(s.standard, FallbackStandard(KvStr::Atof(panel.avgText)));
    EXPECT_EQ(panel.drawMin, std::floor(min * 0.1) * 10);
    EXPECT_EQ(panel.drawMax, (std::floor(max * 0.1) + 1) * 10);
    const double mx = KvStr::Atof(panel.maxText), mn = KvStr::Atof(panel.minText),
                 av = KvStr::Atof(panel.avgText);
    EXPECT_EQ(panel.uniformity, TruncatedValue((mn / mx + mn / av + av / mx) / 3, 3));
    EXPECT_EQ(panel.lpd, TruncatedValue(LightingPowerDensity(room, luminaires), 2));
    EXPECT_EQ(panel.lpd2Label, s.averageRaw > s.standard ? "标准功率密度" : "折算功率密度");
    EXPECT_EQ(panel.WriteBook().avgText, panel.avgText);
    EXPECT_EQ(panel.Caption(), "平面照度计算书");

    // Without CU data the average is the plain mean; a high standard converts the LPD.
    LuminaireList bare = luminaires;
    for (int i = 0; i < bare.Count(); ++i) {
        bare.At(i).cuTable = CuTable();
    }
    room.dLxStandard = 1e6;
    ASSERT_TRUE(panel.CalculateHorizontal(room, bare));
    EXPECT_EQ(panel.Statistics().average, panel.Statistics().averageRaw);
    EXPECT_EQ(panel.lpd2Label, "折算功率密度");
    EXPECT_EQ(panel.lpd2, TruncatedValue(ConvertedPowerDensity(panel.lpd, s.averageRaw, 1e6), 2));
}

TEST(RoomGridTest, ACancelledRunLeavesThePanelAsItWasAndAnUncancelledOneIsUnchanged) {
    const Room room = RectangleRoom(10, 5);
    const LuminaireList luminaires = GridFittings(8, 10, 5, 3.0);
    GridPanel panel;
    panel.density = 60;
    panel.threads = 3;
    panel.startX = 1;
    panel.startY = 1;
    panel.endX = 9;
    panel.endY = 4;
    GridCancel cancel{false};
    ASSERT_TRUE(panel.CalculateHorizontal(room, luminaires, &cancel)); // a flag never set
    GridPanel plain = panel;
    ASSERT_TRUE(plain.CalculateHorizontal(room, luminaires));
    ASSERT_EQ(panel.Points().size(), plain.Points().size());
    EXPECT_EQ(0, std::memcmp(&panel.Points()[100].dEh, &plain.Points()[100].dEh, sizeof(double)));
    const std::string maxText = panel.maxText;
    const size_t count = panel.Points().size();

    // Stopped in the search, and stopped in the middle of the calculation (the flag set
    // by the first report of the calculating phase): false, nothing changed.
    for (const char* phase : {"搜索计算点", " 计算中..."}) {
        cancel = false;
        KvScopedProgressHandler stopper([&](const std::string& text, int, int) {
            if (text == phase) {
                cancel = true;
            }
        });
        panel.density = 90;
        EXPECT_FALSE(panel.CalculateHorizontal(room, luminaires, &cancel)) << phase;
        EXPECT_FALSE(panel.CalculateVertical(room, luminaires, &cancel)) << phase;
        EXPECT_EQ(panel.Points().size(), count) << phase;
        EXPECT_EQ(panel.maxText, maxText) << phase;
        EXPECT_EQ(panel.LastKind(), kGridHorizontal) << phase;
    }
    std::vector<CalcPoint> points;
    HorizontalGridSearch(points, room, 50, 2, &cancel); // already set: stops at once
    EXPECT_TRUE(points.empty());
}

TEST(RoomGridTest, VerticalCalculationUsesEvWithoutDensitiesOrUniformities) {
    const Room room = RectangleRoom(6, 4);
    const LuminaireList luminaires = GridFittings(4, 6, 4, 3.0);
    GridPanel panel;
    panel.density = 20;
    ASSERT_TRUE(panel.CalculateHorizontal(room, luminaires));
    EXPECT_GT(panel.uniformity, 0.0);
    EXPECT_GT(panel.u0, 0.0);
    panel.startX = 0.5;
    panel.startY = 2;
    panel.endX = 5.5;
    panel.endY = 2;
    ASSERT_TRUE(panel.CalculateVertical(room, luminaires));
    EXPECT_EQ(panel.LastKind(), kGridVertical);
    // The uniformities are the working plane's: the vertical plane shows none.
    EXPECT_EQ(panel.uniformity, 0.0);
    EXPECT_EQ(panel.u0, 0.0);
    EXPECT_EQ(panel.UniformityText(), "—");
    EXPECT_EQ(panel.U0Text(), "—");
    EXPECT_EQ(panel.lpd, 0.0);
    EXPECT_EQ(panel.lpd2, 0.0);
    double sum = 0;
    for (const CalcPoint& p : panel.Points()) {
        sum += p.dEv;
    }
    EXPECT_EQ(panel.Statistics().average, sum / panel.Points().size());
    panel.WriteBook();
    EXPECT_EQ(panel.Caption(), "垂直面照度计算书");
    // A plane outside the room finds nothing and leaves the texts alone.
    const std::string avg = panel.avgText;
    panel.startX = panel.endX = 50;
    EXPECT_FALSE(panel.CalculateVertical(room, luminaires));
    EXPECT_EQ(panel.avgText, avg);
}

TEST(RoomGridTest, LegendSpinsAndDrawMessages) {
    GridPanel panel;
    ASSERT_TRUE(panel.Draw().has_value());
    EXPECT_EQ(panel.Draw()->text, "没有计算结果!");
    EXPECT_EQ(panel.Draw()->caption, "系统提示");
    panel.colours.clear();
    EXPECT_EQ(panel.Draw()->text, "颜色值设置有误!");

    panel.colours.assign(GridPanel::kDefaultColours.begin(), GridPanel::kDefaultColours.end());
    panel.drawMin = 100;
    panel.drawMax = 200;
    panel.interval = 10;
    panel.RebuildLegend(); // trunc(100/10 + 1) = 11 bands, 3 beyond the 8 colours
    ASSERT_EQ(panel.Legend().size(), 11u);
    EXPECT_EQ(panel.Legend()[0].valueText, "110.0");
    EXPECT_EQ(panel.Legend()[7].colour, (GridColour{255, 255, 255}));
    EXPECT_EQ(panel.Legend()[8].colour, GridPanel::kMissingColour);
    panel.SpinInterval(+1);
    EXPECT_EQ(panel.Legend().size(), 6u);
    panel.interval = 1;
    panel.drawMax = 1e9;
    panel.RebuildLegend();
    EXPECT_EQ(panel.Legend().size(), 200u);

    EXPECT_EQ(panel.density, 200);
    panel.density = 11;
    panel.SpinDensity(-1);
    EXPECT_EQ(panel.density, 1);
    panel.SpinDensity(-1);
    EXPECT_EQ(panel.density, 1);
    panel.SpinDensity(+1);
    EXPECT_EQ(panel.density, 11);
}

} // namespace
} // namespace qv
