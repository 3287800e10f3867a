// The plan drawing without its window: labels and outlines from the open panels, the
// ruler step, the fitting with its margin, and the status bar's progress display.
#include "model/ProjectTestSupport.h"
#include "panels/PlanFit.h"
#include "panels/ProgressDisplay.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qv {
namespace {

std::vector<std::string> Texts(const EntityList& entities) {
    std::vector<std::string> texts;
    for (const KvEntity& entity : entities) {
        if (const KvText* text = std::get_if<KvText>(&entity)) {
            texts.push_back(text->text);
        }
    }
    return texts;
}

int Count(const EntityList& entities, size_t kind) {
    int count = 0;
    for (const KvEntity& entity : entities) {
        count += entity.index() == kind ? 1 : 0;
    }
    return count;
}

Room FourCorners() {
    Room room;
    room.outline = {{0, 0, 0}, {10, 0, 0}, {10, 6, 0}, {0, 6, 0}};
    return room;
}

TEST(PlanPanel, RoomAndLuminaireLabels) {
    const Room room = FourCorners();
    LuminaireList luminaires;
    luminaires.Add(Luminaire());
    Luminaire second;
    second.sName = "格栅荧光灯盘";
    second.ptCenter = {2.5, 3, 2.8};
    second.geometricShape = {LuminaireShape::kRectangle, 1.2, 0.6, 0.1};
    luminaires.Add(second);
    PlanDrawing drawing;
    drawing.scale = 2.0;
    RebuildPlan(drawing, {.room = &room, .luminaires = &luminaires});
    EXPECT_EQ(Texts(drawing.model),
              (std::vector<std::string>{"房1.(0,0)", "房2.(10,0)", "房3.(10,6)", "房4.(0,6)",
                                        "灯1.(0.000,0.000)", "灯2.格栅荧光灯盘(2.500,3.000)"}));
    // Four walls, two outlines of four lines and two marks each.
    EXPECT_EQ(Count(drawing.model, 0), 4 + 2 * (4 + 2));
    const KvText& label = std::get<KvText>(drawing.model[1]);
    EXPECT_EQ(label.anchor, (Vector{0, 0, 0}));
    EXPECT_EQ(label.height, 28.0); // 14 pixels at 2 mm per pixel
    // The second luminaire's body spans 1.2 m along X around its centre.
    const PlanRect body = *Bounds(EntityList(drawing.model.end() - 6, drawing.model.end() - 2));
    EXPECT_EQ(body, (PlanRect{1900, 2700, 3100, 3300}));
}

TEST(PlanPanel, SiteAndRoadTurnedByItsAngle) {
    Room site = FourCorners();
    Road road;
    road.m_dLength = 100;
    road.m_dAngle = 90;
    road.ptCenter = {50, 0, 0};
    road.components = {{2, 0, 3}, {0, 2, 7}, {9, 0, 2}};
    const LuminaireList none;
    PlanDrawing drawing;
    RebuildPlan(drawing, {.site = &site, .road = &road, .luminaires = &none});
    EXPECT_EQ(Texts(drawing.model),
              (std::vector<std::string>{"场1.(0,0)", "场2.(10,0)", "场3.(10,6)", "场4.(0,6)",
                                        "路1.人行道", "路2.车道", "路3."}));
    // Turned by 90°, the 12 m band runs along Y from -50 to 50 m, across X 44 to 56 m.
    const PlanRect band = *Bounds(EntityList(drawing.model.begin() + 8, drawing.model.end() - 3));
    EXPECT_NEAR(band.left, 44000, 1e-6);
    EXPECT_NEAR(band.right, 56000, 1e-6);
    EXPECT_NEAR(band.bottom, -50000, 1e-6);
    EXPECT_NEAR(band.top, 50000, 1e-6);
    EXPECT_EQ(Count(drawing.model, 0), 4 + 4 + 2); // walls, strip boundaries, ends

    RebuildPlan(drawing, {.road = &road}); // no luminaire panel: no road
    EXPECT_TRUE(drawing.model.empty());
}

TEST(PlanPanel, RulerStepAndLines) {
    // 1, 2, 5 × 10^n metres, at least 1 m, at least the pixels apart.
    EXPECT_EQ(RulerStep(1.0, 20.0), 1.0);
    EXPECT_EQ(RulerStep(50.0, 20.0), 1.0);
    EXPECT_EQ(RulerStep(100.0, 20.0), 2.0);
    EXPECT_EQ(RulerStep(100.5, 20.0), 5.0);
    EXPECT_EQ(RulerStep(1000.0, 20.0), 20.0);
    EXPECT_EQ(RulerStep(1000.0, 21.0), 50.0);
    EXPECT_EQ(RulerStep(4e4, 25.0), 1000.0);
    EXPECT_EQ(RulerStep(0.0, 20.0), 1.0);
    EXPECT_EQ(RulerStep(1e308, 1e308), 1.0); // nothing sensible to space
    EXPECT_EQ(NextRulerStep(1.0), 2.0);
    EXPECT_EQ(NextRulerStep(2.0), 5.0);
    EXPECT_EQ(NextRulerStep(5.0), 10.0);
    EXPECT_EQ(NextRulerStep(1000.0), 2000.0);
    EXPECT_EQ(NextRulerStep(5e5), 1e6);
    // A room 0..10 × 0..6 m widened by two 1 m steps: x -2..12 and y -2..8.
    const EntityList ruler = BuildRuler({0, 0, 10000, 6000}, 5.0);
    EXPECT_EQ(Count(ruler, 0), 15 + 11);
    const std::vector<std::string> texts = Texts(ruler);
    EXPECT_EQ(texts.front(), "-2");
    EXPECT_EQ(texts[14], "12");
    EXPECT_EQ(texts.back(), "8");
    // An empty plan still has a ruler; bounds far apart keep the line count bounded.
    EXPECT_EQ(Count(BuildRuler({}, 1.0), 0), 10);
    EXPECT_LE(Count(BuildRuler({-1e12, -1e12, 1e12, 1e12}, 1.0), 0), 2 * (kMaxRulerLines + 1));
    EXPECT_TRUE(BuildRuler({-1e308, 0, 1e308, 0}, 1.0).empty());
}

TEST(PlanPanel, RebuildFeedsAndClosesTheProgressWhileDeleting) {
    const Room room = FourCorners();
    PlanDrawing drawing;
    RebuildPlan(drawing, {.room = &room});
    test::ProgressRecorder progress;
    RebuildPlan(drawing, PlanSources());
    using Report = std::tuple<std::string, int, int>;
    EXPECT_EQ(progress.reports, (std::vector<Report>{{"删除图象", 0, 8}, {"", -1, 0}}));
}

TEST(PlanPanel, FittingKeepsAnEighteenPixelMarginAroundTheLabelsAndPutsYUp) {
    const Room room = FourCorners();
    PlanDrawing drawing;
    RebuildPlan(drawing, {.room = &room});
    const PlanMapping mapping = FitPlan(drawing, 800, 600);
    EXPECT_EQ(drawing.scale, mapping.scale);
    // The label of the right corners ("房3.(10,6)", 14 pixels high) reaches past the wall:
    // the wall and that label fill 800 - 36 pixels across; the plan is centred vertically.
    const double label = TextWidth("房3.(10,6)", 14.0);
    EXPECT_NEAR(label, 14.0 * (1.0 + 8 * 0.6), 1e-9);
    EXPECT_NEAR(mapping.scale, 10000.0 / (764.0 - label), 1e-9);
    EXPECT_NEAR(mapping.PixelX(0), 18.0, 1e-6);
    EXPECT_NEAR(mapping.PixelX(10000) + label, 782.0, 1e-6);
    EXPECT_LT(mapping.PixelY(6000), mapping.PixelY(0)); // y up
    EXPECT_NEAR(mapping.PixelY(6000) - 14.0, 600.0 - mapping.PixelY(0), 1e-6);
    EXPECT_EQ(MouseXText(mapping, 18), "0.000");
    EXPECT_EQ(MouseYText(mapping, static_cast<int>(std::lround(mapping.PixelY(3000)))), "3.000");
    // The fitting is exact at once: fitting again keeps it.
    const PlanMapping again = FitPlan(drawing, 800, 600);
    EXPECT_EQ(again.scale, mapping.scale);
    EXPECT_EQ(again.originX, mapping.originX);

    PlanDrawing empty; // no panel: the ruler of the empty rectangle is shown
    RebuildPlan(empty, PlanSources());
    const PlanMapping ruler = FitPlan(empty, 400, 400);
    EXPECT_GT(ruler.scale, 10.0);
    EXPECT_LT(ruler.PixelX(-2000), ruler.PixelX(2000));

    Room point; // a plan without extent still maps to finite pixels, its label centred
    point.outline = {{1, 1, 0}};
    PlanDrawing dot;
    RebuildPlan(dot, {.room = &point});
    const PlanMapping single = FitPlan(dot, 300, 200);
    EXPECT_EQ(single.scale, PlanMapping::kMinScale);
    EXPECT_NEAR(single.PixelX(1000), (300.0 - TextWidth("房1.(1,1)", 14.0)) / 2.0, 1e-6);
    EXPECT_NEAR(single.PixelY(1000), 200.0 - (200.0 - 14.0) / 2.0, 1e-6);
}

TEST(PlanPanel, FittingCountsAtMostHalfTheWindowForAText) {
    // A label wider than the window cannot fit: the wall still does, the far label starts
    // half the window in and runs off to the right, and the scale stays finite.
    Room room;
    room.outline = {{0, 0, 0}, {2, 0, 0}};
    PlanDrawing drawing;
    RebuildPlan(drawing, {.room = &room});
    std::get<KvText>(drawing.model[3]).text = std::string(200, 'x');
    const PlanMapping mapping = FitPlan(drawing, 236, 236);
    EXPECT_NEAR(mapping.scale, 2000.0 / 100.0, 1e-9); // 200 pixels less half of them
    EXPECT_NEAR(mapping.PixelX(0), 18.0, 1e-6);
    EXPECT_TRUE(std::isfinite(mapping.originY));
}

TEST(PlanPanel, ProgressRangeAndPercentageRules) {
    ProgressDisplay display;
    display.Report("保存工程", 15000, 20000); // shown on a bar of range 10000
    EXPECT_TRUE(display.visible);
    EXPECT_EQ(display.range, 10000);
    EXPECT_EQ(display.position, 7500);
    EXPECT_EQ(display.paneText, "保存工程75%");
    display.Report("读取工程", 1, 3);
    EXPECT_EQ(display.paneText, "读取工程33%");
    display.Report("x", 2, 0); // no range given: the bar keeps its own
    EXPECT_EQ(display.range, 3);
    EXPECT_EQ(display.paneText, "x66%");
    display.Report("x", -1, 20000); // closes whatever the range
    EXPECT_FALSE(display.visible);
    EXPECT_EQ(display.paneText, " ");
    ProgressDisplay fresh;
    fresh.range = 0;
    fresh.Report("y", 5, 0);
    EXPECT_EQ(fresh.paneText, "y0%");
}

} // namespace
} // namespace qv
