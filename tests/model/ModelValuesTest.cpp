// The model's value types: equality within 1e-6, text forms, list operations,
// the calculation-point naming rule and the project's modified check.
#include "model/CalcPoint.h"
#include "model/Project.h"

#include <gtest/gtest.h>

#include <limits>

namespace qv {
namespace {

TEST(ModelValues, EqualityToleratesOneMillionth) {
    Lamp a;
    Lamp b;
    b.dPower = 5e-7;
    EXPECT_EQ(a, b);
    b.dPower = 2e-6;
    EXPECT_FALSE(a == b);

    Room room;
    Room copy = room;
    copy.dLength += 5e-7;
    EXPECT_EQ(room, copy);
    copy.dLength += 2e-6;
    EXPECT_FALSE(room == copy);

    EXPECT_EQ((Vector{1, 2, 3}), (Vector{1 + 9e-7, 2, 3 - 9e-7}));
    EXPECT_FALSE((Rotation{0, 0, 90}) == (Rotation{0, 0, 90.00001}));
}

TEST(ModelValues, ACircleKeepsAndComparesItsWidth) {
    LuminaireShape circle;
    circle.nShape = LuminaireShape::kCircle;
    circle.dWidth = 0.3;
    LuminaireShape other = circle;
    other.dWidth = 0.4;
    EXPECT_EQ(circle.dWidth, 0.3);
    EXPECT_FALSE(circle == other);
}

TEST(ModelValues, LuminaireEqualityLeavesOutTablesAndWorkingValues) {
    Luminaire a;
    a.sName = "格栅荧光灯盘";
    Luminaire b = a;
    b.curveA.Append({0, 278});
    b.cuTable.Append({70, 50, 20, 1, 0.69});
    b.unitCapacity.nNeeded = 7;
    EXPECT_EQ(a, b);
    b.lamp2.nLuminousFlux = 1;
    EXPECT_FALSE(a == b);
    b = a;
    b.sGradeTable = "投光灯1";
    EXPECT_FALSE(a == b);
}

TEST(ModelValues, VectorTextForm) {
    const Vector vector{1, 2.5, 0};
    EXPECT_EQ(vector.ToText(), "1.000,2.500,0.000");

    Vector read;
    ASSERT_TRUE(read.FromText(Vector{1.23456, -0.5, 3}.ToText()));
    EXPECT_DOUBLE_EQ(read.x, 1.235);

    Vector kept{7, 8, 9};
    EXPECT_FALSE(kept.FromText("1,2"));
    EXPECT_FALSE(kept.FromText("1,2,3,4"));
    EXPECT_FALSE(kept.FromText(""));
    EXPECT_EQ(kept, (Vector{7, 8, 9}));

    // Pieces that are not numbers read as 0; a trailing separator adds no piece.
    ASSERT_TRUE(kept.FromText("a, 2 ,3,"));
    EXPECT_EQ(kept, (Vector{0, 2, 3}));

    Rotation rotation;
    ASSERT_TRUE(rotation.FromText("0.000,-15.500,90.000"));
    EXPECT_EQ(rotation.ToText(), "0.000,-15.500,90.000");
}

TEST(ModelValues, LuminaireListKeepsPositions) {
    LuminaireList list;
    for (const char* name : {"A", "B", "C"}) {
        Luminaire luminaire;
        luminaire.sName = name;
        list.Add(luminaire);
    }
    Luminaire replacement;
    replacement.sName = "X";
    EXPECT_TRUE(list.Replace(1, replacement));
    EXPECT_EQ(list.At(1).sName, "X");
    EXPECT_TRUE(list.RemoveAt(0));
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.At(0).sName, "X");
    EXPECT_EQ(list.At(1).sName, "C");
    EXPECT_FALSE(list.Replace(2, replacement));
    EXPECT_FALSE(list.RemoveAt(-1));

    LuminaireList reversed;
    reversed.Add(list.At(1));
    reversed.Add(list.At(0));
    EXPECT_FALSE(list == reversed);
}

TEST(ModelValues, RoadComponentsAndTypeTexts) {
    EXPECT_EQ(RoadComponent::TypeFromText("分隔带"), 1);
    EXPECT_EQ(RoadComponent::TypeFromText("人行道"), 2);
    EXPECT_EQ(RoadComponent::TypeFromText("自行车道"), -1);
    EXPECT_EQ(RoadComponent::TypeToText(0), "车道");
    EXPECT_EQ(RoadComponent::TypeToText(-1), "");
    EXPECT_EQ(kRoadArrangements[2], "双侧对称");

    Road road;
    road.AppendComponent({RoadComponent::kCarriageway, 2, 7.5});
    road.AppendComponent({RoadComponent::kFootway, 0, 3});
    // A median added with the second row selected becomes the second component.
    EXPECT_TRUE(road.InsertComponent(1, {RoadComponent::kMedian, 0, 0}));
    EXPECT_EQ(road.components[1].m_nType, RoadComponent::kMedian);
    EXPECT_TRUE(road.MoveComponentDown(1));
    EXPECT_EQ(road.components[2].m_nType, RoadComponent::kMedian);
    EXPECT_FALSE(road.MoveComponentDown(2));
    EXPECT_FALSE(road.MoveComponentUp(0));
    EXPECT_FALSE(road.MoveComponentDown(std::numeric_limits<int>::max()));
    EXPECT_TRUE(road.MoveComponentUp(2));
    EXPECT_TRUE(road.RemoveComponent(0));
    EXPECT_FALSE(road.InsertComponent(5, {}));
    EXPECT_EQ(road.components.size(), 2u);
    road.ClearComponents();
    EXPECT_TRUE(road.components.empty());
}

TEST(ModelValues, CalcPointNaming) {
    std::vector<CalcPoint> points;
    for (int i = 0; i < 3; ++i) {
        AddCalcPoint(points, CalcPoint{});
    }
    EXPECT_EQ(points[0].name, "P1");
    EXPECT_EQ(points[2].name, "P3");

    // A generated name is not compared with the others.
    std::vector<CalcPoint> one(1);
    one[0].name = "P2";
    AddCalcPoint(one, CalcPoint{});
    EXPECT_EQ(one[1].name, "P2");

    // A taken name is raised until free, the search starting over after each change.
    std::vector<CalcPoint> named(3);
    named[0].name = "A3";
    named[1].name = "A2";
    named[2].name = "A4";
    CalcPoint point;
    point.name = "A2";
    point.position = {1, 2, 3};
    EXPECT_EQ(AddCalcPoint(named, point), 3);
    EXPECT_EQ(named[3].name, "A5");
    EXPECT_EQ(named[3].position, (Vector{1, 2, 3}));
}

TEST(ModelValues, CalcPointNamingEndsWhenTheNumberStopsGrowing) {
    // 1e20 + 1 is 1e20 in double precision: the name cannot change any more.
    std::vector<CalcPoint> points(1);
    points[0].name = "P100000000000000000000";
    CalcPoint point;
    point.name = points[0].name;
    AddCalcPoint(points, point);
    EXPECT_EQ(points.size(), 2u);
}

// The namer gives exactly the names of the one-by-one search, on a mix of repeated,
// numbered, generated and signed names, and a long file of one name takes linear time.
TEST(ModelValues, BatchNamingEqualsOneByOneNamingAndScales) {
    const char* const names[] = {"A",
                                 "A",
                                 "A1",
                                 "",
                                 "P2",
                                 "A",
                                 "B-3",
                                 "B-3",
                                 "B-4",
                                 "1.5",
                                 "1.5",
                                 "A2",
                                 "",
                                 "A",
                                 "P100000000000000000000",
                                 "P100000000000000000000",
                                 "x",
                                 "A"};
    std::vector<CalcPoint> start(2);
    start[0].name = "A3";
    start[1].name = "B-2";
    std::vector<CalcPoint> oneByOne = start;
    std::vector<CalcPoint> batch = start;
    CalcPointNamer namer(batch);
    for (int round = 0; round < 7; ++round) {
        for (const char* name : names) {
            CalcPoint point;
            point.name = name;
            AddCalcPoint(oneByOne, point);
            AddCalcPoint(batch, point, namer);
        }
    }
    ASSERT_EQ(batch.size(), oneByOne.size());
    for (size_t i = 0; i < batch.size(); ++i) {
        EXPECT_EQ(batch[i].name, oneByOne[i].name) << i;
    }

    // 20000 rows named "A": A, A1 … A19999 (the one-by-one search needs n³ comparisons).
    std::vector<CalcPoint> many;
    CalcPointNamer manyNames(many);
    CalcPoint a;
    a.name = "A";
    for (int i = 0; i < 20000; ++i) {
        AddCalcPoint(many, a, manyNames);
    }
    EXPECT_EQ(many[0].name, "A");
    EXPECT_EQ(many[1].name, "A1");
    EXPECT_EQ(many[19999].name, "A19999");
}

TEST(ModelValues, ProjectIsEmptyAndReset) {
    Project project;
    EXPECT_FALSE(project.IsEmpty()); // no kind yet
    project.kind = kIndoorProject;
    project.room.outline.push_back({0, 0, 0});
    EXPECT_TRUE(project.IsEmpty());
    project.room.outline.push_back({1, 0, 0});
    EXPECT_FALSE(project.IsEmpty());
    project.room.outline.pop_back();
    project.luminaires.Add(Luminaire{});
    EXPECT_FALSE(project.IsEmpty());

    project.kind = kOutdoorProject;
    project.path = "/x.col";
    project.road.m_dLength = 100;
    project.Reset();
    EXPECT_EQ(project.kind, kNoProject);
    EXPECT_TRUE(project.path.empty());
    EXPECT_EQ(project.road, Road{});
    EXPECT_TRUE(project.luminaires.Empty());
}

TEST(ModelValues, ModifiedCheckComparesSiteAndRoadOfAnOutdoorProject) {
    Project saved;
    saved.kind = kOutdoorProject;
    Project edited = saved;
    edited.road.m_dLampDis = 30;
    EXPECT_FALSE(saved == edited);
    edited = saved;
    edited.room.dLxStandard = 20;
    EXPECT_FALSE(saved == edited);
    edited = saved;
    edited.path = "elsewhere.col";
    EXPECT_EQ(saved, edited);

    // An indoor project compares its room but not the road it does not use.
    saved.kind = kIndoorProject;
    edited = saved;
    edited.road.m_dLampDis = 30;
    EXPECT_EQ(saved, edited);
    edited.room.dReflectWall = 50;
    EXPECT_FALSE(saved == edited);
    edited = saved;
    edited.kind = kOutdoorProject;
    EXPECT_FALSE(saved == edited);
}

} // namespace
} // namespace qv
