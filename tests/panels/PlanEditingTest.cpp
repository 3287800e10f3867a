// Placing luminaires on the plan without its window: hitting a luminaire, snapping and
// nudging its centre, zooming about a pixel and panning, labels that would collide drawn
// as numbers, and ruler numbers that never touch at any scale.
#include "panels/PlanEditing.h"
#include "calc/common/Photometry.h"
#include "panels/PlanFit.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qv {
namespace {

Luminaire At(double x, double y, const std::string& name = "筒灯") {
    Luminaire luminaire;
    luminaire.sName = name;
    luminaire.ptCenter = {x, y, 2.8};
    return luminaire;
}

Luminaire Panel(double x, double y, double angle) {
    Luminaire luminaire = At(x, y, "格栅荧光灯盘");
    luminaire.geometricShape = {LuminaireShape::kRectangle, 1.2, 0.6, 0.1};
    luminaire.Rotate.z = angle;
    return luminaire;
}

PlanDrawing Built(const LuminaireList& luminaires, double scale) {
    PlanDrawing drawing;
    drawing.scale = scale;
    RebuildPlan(drawing, {.luminaires = &luminaires});
    return drawing;
}

// The drawn length lies along the axis the calculations use: the line the luminaire's
// frame takes to its own x axis (curve A's plane).
TEST(PlanEditing, TurnedLuminairesAreDrawnAsTheCalculationTurnsThem) {
    for (const double angle : {30.0, -60.0, 135.0}) {
        LuminaireList list;
        list.Add(Panel(0, 0, angle));
        const PlanDrawing drawing = Built(list, 10);
        const std::vector<Vector>& outline = drawing.luminaires.at(0).outline;
        ASSERT_EQ(outline.size(), 4u);
        // The first edge runs along the length.
        const Vector edge{outline[1].x - outline[0].x, outline[1].y - outline[0].y, 0.0};
        const Vector inFrame = RotateIntoFrame(edge, Rotation{0, 0, angle});
        const double length = std::hypot(edge.x, edge.y);
        EXPECT_NEAR(length, 1200.0, 1e-6) << angle;
        // The frame's tangents know the axis as a line: beyond ±90° it points back.
        EXPECT_NEAR(std::abs(inFrame.x), length, 1e-6) << angle;
        EXPECT_NEAR(inFrame.y, 0.0, 1e-6) << angle;
    }
}

TEST(PlanEditing, RecordsPointAtEachLuminairesEntities) {
    LuminaireList list;
    list.Add(Panel(1, 1, 0));
    Luminaire round = At(5, 2);
    round.geometricShape = {LuminaireShape::kCircle, 0.4, 0.4, 0.1};
    list.Add(round);
    const PlanDrawing drawing = Built(list, 1.0);
    ASSERT_EQ(drawing.luminaires.size(), 2u);
    const PlanLuminaire& panel = drawing.luminaires[0];
    EXPECT_EQ(panel.index, 0);
    EXPECT_EQ(panel.center, (Vector{1000, 1000, 0}));
    EXPECT_EQ(panel.outline.size(), 4u);
    EXPECT_EQ(panel.firstEntity, 0u);
    EXPECT_EQ(panel.entityCount, 1u + 4u + 2u); // label, body, centre mark
    EXPECT_EQ(std::get<KvText>(drawing.model[panel.firstEntity]).text, panel.fullLabel);
    const PlanLuminaire& second = drawing.luminaires[1];
    EXPECT_TRUE(second.outline.empty());
    EXPECT_EQ(second.radius, 200.0);
    EXPECT_EQ(second.firstEntity, 7u);
    EXPECT_EQ(second.firstEntity + second.entityCount, drawing.model.size());
    EXPECT_EQ(second.fullLabel, "灯2.筒灯(5.000,2.000)");
}

TEST(PlanEditing, HitsTheBodyOrTheCentreMarkAndTheNearestWins) {
    LuminaireList list;
    list.Add(Panel(2, 2, 90)); // turned: 0.6 m across X, 1.2 m along Y
    Luminaire round = At(6, 2);
    round.geometricShape = {LuminaireShape::kCircle, 0.4, 0.4, 0.1};
    list.Add(round);
    list.Add(At(10, 2));                           // no body: only the centre mark
    const PlanDrawing drawing = Built(list, 10.0); // mark: 40 mm either way
    const double tolerance = 30.0;
    EXPECT_EQ(LuminaireAt(drawing, 2000, 2550, tolerance), 0);  // inside, along its length
    EXPECT_EQ(LuminaireAt(drawing, 2320, 2000, tolerance), 0);  // just off its long side
    EXPECT_EQ(LuminaireAt(drawing, 2500, 2000, tolerance), -1); // the unturned extent
    EXPECT_EQ(LuminaireAt(drawing, 2000, 2700, tolerance), -1);
    EXPECT_EQ(LuminaireAt(drawing, 6000, 2220, tolerance), 1);
    EXPECT_EQ(LuminaireAt(drawing, 6000, 2240, tolerance), -1);
    EXPECT_EQ(LuminaireAt(drawing, 10060, 2000, tolerance), 2); // mark plus tolerance
    EXPECT_EQ(LuminaireAt(drawing, 10080, 2000, tolerance), -1);

    LuminaireList stacked; // overlapping bodies: the nearest centre wins
    stacked.Add(Panel(0, 0, 0));
    stacked.Add(Panel(0.5, 0, 0));
    const PlanDrawing overlap = Built(stacked, 1.0);
    EXPECT_EQ(LuminaireAt(overlap, 100, 0, 5), 0);
    EXPECT_EQ(LuminaireAt(overlap, 400, 0, 5), 1);
    EXPECT_EQ(LuminaireAt(overlap, 250, 0, 5), 1); // equally near: the one on top
    LuminaireList none;
    EXPECT_EQ(LuminaireAt(Built(none, 1.0), 0, 0, 1e9), -1);
}

TEST(PlanEditing, DragsSnapToTheGridAndNudgesStayExact) {
    EXPECT_EQ(SnapMetres(2.37), 2.35);
    EXPECT_EQ(SnapMetres(2.38), 2.4);
    EXPECT_EQ(SnapMetres(-1.024), -1.0);
    EXPECT_EQ(SnapMetres(-1.026), -1.05);
    // From a centre at 1.5 m dragged by 0.812 and -0.3 m.
    const Vector center{1500, 3000, 0};
    EXPECT_EQ(DraggedCenter(center, 812, -300, false), (Vector{2.3, 2.7, 0}));
    const std::optional<Vector> free = DraggedCenter(center, 812, -300, true);
    ASSERT_TRUE(free);
    EXPECT_DOUBLE_EQ(free->x, 2.312);
    EXPECT_FALSE(DraggedCenter(center, std::nan(""), 0, false));
    EXPECT_FALSE(DraggedCenter(center, HUGE_VAL, 0, false));

    Vector nudged{0.1, -0.2, 2.8};
    for (int i = 0; i < 20; ++i) {
        nudged = *NudgedCenter(nudged, kNudgeMetres, -kLongNudgeMetres);
    }
    EXPECT_EQ(nudged.x, 1.1); // not 1.0999999999999999
    EXPECT_EQ(nudged.y, -10.2);
    EXPECT_EQ(nudged.z, 2.8);
    EXPECT_FALSE(NudgedCenter({1e308, 0, 0}, 0, 0)); // beyond what micrometres can hold
}

TEST(PlanEditing, ZoomKeepsThePointUnderTheCursorAndPanFollowsTheMouse) {
    PlanMapping mapping{20.0, -1000.0, 500.0, 600};
    const double planX = mapping.PlanX(123.0);
    const double planY = mapping.PlanY(456.0);
    for (const double factor : {1.4142, 0.5, 8.0}) {
        const PlanMapping zoomed = ZoomAbout(mapping, 123.0, 456.0, factor);
        EXPECT_NEAR(zoomed.scale, mapping.scale / factor, 1e-12);
        EXPECT_NEAR(zoomed.PlanX(123.0), planX, 1e-9);
        EXPECT_NEAR(zoomed.PlanY(456.0), planY, 1e-9);
        EXPECT_EQ(zoomed.clientHeight, 600);
    }
    // The scale stays within its limits and the point still stays put.
    const PlanMapping close = ZoomAbout(mapping, 10.0, 20.0, 1e12);
    EXPECT_EQ(close.scale, PlanMapping::kMinScale);
    EXPECT_NEAR(close.PlanX(10.0), mapping.PlanX(10.0), 1e-9);
    EXPECT_EQ(ZoomAbout(mapping, 0, 0, 1e-12).scale, PlanMapping::kMaxScale);
    for (const double bad : {0.0, -2.0, std::nan(""), HUGE_VAL}) {
        EXPECT_EQ(ZoomAbout(mapping, 5, 5, bad).scale, mapping.scale) << bad;
    }
    // Dragging by (30, -40) pixels brings the point under the press along with the mouse.
    const PlanMapping panned = PanBy(mapping, 30, -40);
    EXPECT_NEAR(panned.PlanX(130.0), mapping.PlanX(100.0), 1e-9);
    EXPECT_NEAR(panned.PlanY(160.0), mapping.PlanY(200.0), 1e-9);
    EXPECT_EQ(panned.scale, mapping.scale);
}

TEST(PlanEditing, TextExtentIsEstimatedPerCharacter) {
    EXPECT_DOUBLE_EQ(TextWidth("12.5", 10.0), 24.0);
    EXPECT_DOUBLE_EQ(TextWidth("灯3", 10.0), 16.0);
    EXPECT_DOUBLE_EQ(TextWidth("", 10.0), 0.0);
    const PlanRect box = Bounds(KvText{{100, 200, 0}, "灯12", 20.0});
    EXPECT_EQ(box, (PlanRect{100, 200, 100 + 20 * 2.2, 220}));
}

TEST(PlanEditing, CollidingLabelsAreShortenedInListOrder) {
    // Full boxes of three labels in a row: the second touches both neighbours' full
    // labels; the numbers stay clear of each other.
    const std::vector<PlanRect> full = {{0, 0, 10, 1}, {8, 0, 18, 1}, {16, 0, 26, 1}};
    const std::vector<PlanRect> numbers = {{0, 0, 2, 1}, {8, 0, 10, 1}, {16, 0, 18, 1}};
    // The first covers the second's number; the second would cover the third's; the third
    // overlaps only the second's full label, which is not kept.
    EXPECT_EQ(ShortenedLabels(full, numbers), (std::vector<bool>{true, true, false}));
    EXPECT_EQ(ShortenedLabels({{0, 0, 5, 1}, {6, 0, 9, 1}}, {{0, 0, 1, 1}, {6, 0, 7, 1}}),
              (std::vector<bool>{false, false}));
    const std::vector<PlanRect> apart = {{0, 0, 10, 1}, {0, 5, 10, 6}};
    EXPECT_EQ(ShortenedLabels(apart, apart), (std::vector<bool>{false, false}));
    EXPECT_TRUE(ShortenedLabels({}, {}).empty());
}

TEST(PlanEditing, CrowdedLuminairesShowTheirNumberAndTheFullLabelAsATip) {
    LuminaireList list;
    list.Add(Panel(1, 1, 0));
    list.Add(Panel(3, 1, 0));
    list.Add(Panel(1, 5, 0));
    // At 10 mm per pixel the full labels (about 215 pixels wide) reach the neighbour 2 m
    // (200 pixels) to the right; 4 m up is clear.
    PlanDrawing drawing = Built(list, 10.0);
    EXPECT_TRUE(drawing.luminaires[0].labelShortened);
    EXPECT_FALSE(drawing.luminaires[1].labelShortened);
    EXPECT_FALSE(drawing.luminaires[2].labelShortened);
    EXPECT_EQ(std::get<KvText>(drawing.model[0]).text, "灯1");
    EXPECT_EQ(std::get<KvText>(drawing.model[drawing.luminaires[1].firstEntity]).text,
              "灯2.格栅荧光灯盘(3.000,1.000)");
    EXPECT_EQ(drawing.luminaires[0].labelBox,
              (PlanRect{1000, 1000, 1000 + TextWidth("灯1", 140), 1140}));
    // The tip: on the luminaire or on its short label, only where shortened.
    EXPECT_EQ(LabelTipAt(drawing, 1000, 1000, 40), drawing.luminaires[0].fullLabel);
    EXPECT_EQ(LabelTipAt(drawing, 1200, 1100, 0), drawing.luminaires[0].fullLabel);
    EXPECT_FALSE(LabelTipAt(drawing, 3000, 1000, 40));
    EXPECT_FALSE(LabelTipAt(drawing, 2000, 3000, 40));
    // Zoomed in, every label has room.
    drawing = Built(list, 2.0);
    for (const PlanLuminaire& luminaire : drawing.luminaires) {
        EXPECT_FALSE(luminaire.labelShortened) << luminaire.index;
    }
}

// The ruler's numbers along one direction: each line's label, in order.
struct RulerLabels {
    std::vector<PlanRect> alongX;
    std::vector<PlanRect> alongY;
};

RulerLabels Labels(const EntityList& ruler, double height) {
    RulerLabels labels;
    for (size_t i = 0; i + 1 < ruler.size(); i += 2) {
        const KvLine& line = std::get<KvLine>(ruler[i]);
        KvText text = std::get<KvText>(ruler[i + 1]);
        text.height = height;
        (line.start.x == line.end.x ? labels.alongX : labels.alongY).push_back(Bounds(text));
    }
    return labels;
}

TEST(PlanEditing, RulerNumbersNeverTouchAtAnyScale) {
    const PlanRect plans[] = {
        {0, 0, 12000, 7200},               // a room
        {-250000, -80000, 400000, 120000}, // a large site
        {4.1e8, 3.3e9, 4.2e8, 3.31e9},     // a site far out in surveyed coordinates
        {-1e12, -1e12, 1e12, 1e12},        // huge
    };
    for (const PlanRect& plan : plans) {
        for (double decade = 1e-3; decade <= 1e6; decade *= 10.0) {
            for (const double scale : {decade, 2 * decade, 3.7 * decade, 5 * decade}) {
                const EntityList ruler = BuildRuler(plan, scale);
                ASSERT_FALSE(ruler.empty()) << scale;
                const double gap = scale; // at least a pixel between numbers
                const RulerLabels labels = Labels(ruler, PlanDrawing::kTextPixels * scale);
                for (size_t i = 1; i < labels.alongX.size(); ++i) {
                    ASSERT_GE(labels.alongX[i].left - labels.alongX[i - 1].right, gap)
                        << "scale " << scale << " plan " << plan.left << " at " << i;
                }
                for (size_t i = 1; i < labels.alongY.size(); ++i) {
                    ASSERT_GE(labels.alongY[i].bottom - labels.alongY[i - 1].top, gap)
                        << "scale " << scale << " plan " << plan.left << " at " << i;
                }
                EXPECT_LE(labels.alongX.size(), static_cast<size_t>(kMaxRulerLines + 1));
            }
        }
    }
}

TEST(PlanEditing, RulerNumbersFollowAZoomedView) {
    const PlanRect room{0, 0, 12000, 7200};
    const double scale = 5.0;
    const RulerLabels fitted = Labels(BuildRuler(room, scale), 14 * scale);
    EXPECT_LT(fitted.alongX.front().bottom, 0.0); // under the room
    EXPECT_LT(fitted.alongY.front().left, 0.0);   // left of it
    // Zoomed into the middle of the room: the numbers come inside the shown rectangle.
    const PlanRect view{4000, 3000, 8000, 6000};
    const RulerLabels zoomed = Labels(BuildRuler(room, scale, view), 14 * scale);
    ASSERT_FALSE(zoomed.alongX.empty());
    for (const PlanRect& label : zoomed.alongX) {
        EXPECT_GE(label.bottom, view.bottom);
        EXPECT_LE(label.top, view.top);
    }
    for (const PlanRect& label : zoomed.alongY) {
        EXPECT_GE(label.left, view.left);
    }
    // A view that still shows the room's lower-left corner leaves them where they were.
    const RulerLabels wide = Labels(BuildRuler(room, scale, PlanRect{-500, -500, 9000, 9000}), 70);
    EXPECT_EQ(wide.alongX.front(), fitted.alongX.front());
    EXPECT_EQ(wide.alongY.front(), fitted.alongY.front());
}

} // namespace
} // namespace qv
