// The record of a point calculation for its book: the steps it holds are those the run
// added up, point by point and luminaire by luminaire, and the run's linear types are
// kept for luminaires that curve A cannot classify.
#include "calc/indoor/PointIlluminanceRecord.h"
#include "calc/GridFittings.h"
#include "calc/IndoorRooms.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

class PointRecordTest : public ::testing::Test {
protected:
    void SetUp() override {
        luminaires.Add(test::GridFitting({1.5, 1, 3}, 0.2));
        luminaires.Add(test::GridFitting({3, 2, 3}, 1.2, {0, 0, 30}));
        luminaires.Add(test::GridFitting({4.5, 3, 0.5}, 0.3)); // below the working plane
        for (const auto& [position, rotation] : {std::pair<Vector, Rotation>{{3.2, 2, 0.75}, {}},
                                                 {{1, 3, 0.75}, {30, 0, 0}},
                                                 {{5, 1, 0.75}, {0, 45, 10}},
                                                 {{9, 9, 0.75}, {}}}) {
            CalcPoint point;
            point.position = position;
            point.rotation = rotation;
            points.push_back(point);
        }
        types = CalculatePoints(points, room.outline, luminaires);
    }
    Room room = test::RectangleRoom(6, 4);
    LuminaireList luminaires;
    std::vector<CalcPoint> points;
    std::vector<int> types;
};

TEST_F(PointRecordTest, StepsAddUpToTheResultsOfTheRun) {
    const PointIlluminanceRecord record =
        RecordPointCalculation(points, room.outline, luminaires, types);
    ASSERT_EQ(record.points.size(), points.size());
    for (size_t p = 0; p < points.size(); ++p) {
        const PointRecordPoint& entry = record.points[p];
        EXPECT_EQ(entry.eh, points[p].dEh);
        EXPECT_EQ(entry.ev, points[p].dEv);
        EXPECT_EQ(entry.ei, points[p].dEi);
        if (p == 3) { // outside the room
            EXPECT_TRUE(entry.steps.empty());
            continue;
        }
        ASSERT_EQ(entry.steps.size(), 3u);
        // Summed in list order as the run did, the contributions give its very values.
        double eh = 0.0;
        double ev = 0.0;
        double ei = 0.0;
        for (const LuminaireStep& step : entry.steps) {
            if (step.outcome == StepOutcome::Contributes) {
                eh += step.eh;
                ev += step.ev;
                ei += step.ei;
            }
        }
        EXPECT_EQ(eh, points[p].dEh) << "point " << p;
        EXPECT_EQ(ev, points[p].dEv) << "point " << p;
        EXPECT_EQ(ei, points[p].dEi) << "point " << p;
        EXPECT_EQ(entry.steps[1].sourceKind, kLinearSource);
        EXPECT_EQ(entry.steps[2].outcome, StepOutcome::LevelOrBelow);
    }
    EXPECT_GT(record.points[1].ei, 0.0);
    EXPECT_NE(record.points[1].ei, record.points[1].eh); // the turned point's own frame

    ASSERT_EQ(record.luminaires.size(), 3u);
    EXPECT_EQ(record.luminaires[1], (PointRecordLuminaire{3300, 0.75, 1.2}));
    // Built again from the same run, the record is the same.
    EXPECT_EQ(RecordPointCalculation(points, room.outline, luminaires, types), record);
}

TEST_F(PointRecordTest, KeepsTheRunsTypeWhereCurveACannotClassify) {
    Luminaire& linear = luminaires.At(1);
    linear.curveA = IntensityCurve();
    linear.curveA.Append({10.0, 200.0}); // no 0° entry
    linear.curveA.Append({90.0, 50.0});
    for (const int type : {kLinearC, kLinearE}) {
        const PointIlluminanceRecord record =
            RecordPointCalculation(points, room.outline, luminaires, {kLinearA, type, kLinearA});
        EXPECT_EQ(record.points[0].steps[1].linearType, type);
    }
    // A luminaire without a type of the run is taken as type A.
    const PointIlluminanceRecord record =
        RecordPointCalculation(points, room.outline, luminaires, {});
    EXPECT_EQ(record.points[0].steps[1].linearType, kLinearA);
}

} // namespace
} // namespace qv
