// The books of the indoor calculations on a small room: their structure, the parts that
// depend on the case, and result lines that repeat the calculation's own values.
#include "calc/GridFittings.h"
#include "calc/IndoorRooms.h"
#include "report/BookReader.h"

#include "calc/common/PowerDensity.h"
#include "calc/indoor/LumenMethodRecord.h"
#include "calc/indoor/PointIlluminanceRecord.h"
#include "calc/indoor/ScalarIlluminanceRecord.h"
#include "model/FormatTruncated.h"
#include "panels/GridPanel.h"
#include "report/books/GridBook.h"
#include "report/books/LumenMethodBook.h"
#include "report/books/PointBook.h"
#include "report/books/ScalarBook.h"

#include <kelvorin/KvStr.h>

#include <cmath>

namespace qv {
namespace {

using test::BookDocument;
using test::WriteAndReadBook;

Room Office(double standard) {
    Room room = test::RectangleRoom(6, 4);
    room.dLxStandard = standard;
    return room;
}

// A downlight and a fluorescent luminaire whose axis passes over P1's projection.
LuminaireList TwoFittings() {
    LuminaireList list;
    list.Add(test::GridFitting({1.5, 1, 3}, 0.2));
    list.Add(test::GridFitting({3, 2, 3}, 1.2));
    return list;
}

class PointBookTest : public ::testing::Test {
protected:
    void SetUp() override {
        CalcPoint p1;
        p1.position = {3.2, 2, 0.75};
        CalcPoint p2;
        p2.position = {1, 3, 0.75};
        p2.rotation = {30, 0, 0};
        CalcPoint outside;
        outside.position = {9, 9, 0.75};
        points = {p1, p2, outside};
        const Room room = Office(300);
        LuminaireList luminaires = TwoFittings();
        const std::vector<int> types = CalculatePoints(points, room.outline, luminaires);
        record = RecordPointCalculation(points, room.outline, luminaires, types);
    }
    std::vector<CalcPoint> points;
    PointIlluminanceRecord record;
};

TEST_F(PointBookTest, HorizontalPartPerPointAndLuminaire) {
    const BookDocument book = WriteAndReadBook([&](CalcBookWriter& w) {
        WritePointBook(w, record, {false, false});
    });
    ASSERT_FALSE(book.paragraphs.empty());
    EXPECT_EQ(book.paragraphs[0].text, "点照度计算计算书");
    EXPECT_EQ(book.paragraphs[0].size, 16);
    const int heading = book.Find("水平照度的计算公式:");
    ASSERT_GE(heading, 0);
    EXPECT_TRUE(book.paragraphs[heading].bold);
    EXPECT_EQ(book.paragraphs[heading].size, 14);
    EXPECT_EQ(book.paragraphs[book.Find("光源是点光源时的计算公式:")].size, 13);
    EXPECT_EQ(book.Count("P1点的水平照度计算"), 1);
    EXPECT_EQ(book.Count("灯1按点光源计算"), 2);
    EXPECT_EQ(book.Count("灯2按线光源计算"), 2);
    // P1 lies under the fluorescent luminaire: its foot is on the source.
    EXPECT_GE(book.Find("计算点在光源上的垂足在光源上面，所以把光源分成两部分求代数和。"), 0);
    EXPECT_GE(book.Find("计算点不在房间内，照度为0。"), 0);
    for (int i = 0; i < 3; ++i) {
        EXPECT_GE(book.Find(KvStr::Format("点P%d在所有灯具下的水平照度为%0.2flx", i + 1,
                                          points[static_cast<size_t>(i)].dEh)),
                  0);
    }
    EXPECT_EQ(book.Find("倾斜面照度计算公式:"), -1);
    EXPECT_EQ(book.Find("垂直照度计算公式:"), -1);
    // 2 general formulas, 5 azimuth factors; per point source θ, I, ξ; per linear source
    // θ, I', α, two terms and their sum.
    EXPECT_EQ(book.Equations(), 7 + 2 * 3 + 2 * 6);
    EXPECT_TRUE(book.MathHas("AF="));
    // The intensity is that of the lamp at 1000 lm, in cd, in the symbol and the values;
    // cos³ is one function with its power.
    EXPECT_GE(book.Find("Iθ——光源光通量为1000lm时照射方向的光强，cd/1000lm"), 0);
    EXPECT_EQ(book.Find("照射方向光强，lx"), -1);
    EXPECT_TRUE(book.MathHas("cd/1000lm"));
    EXPECT_TRUE(book.MathHas("cos3"));
}

TEST_F(PointBookTest, InclinedAndVerticalPartsWhenAskedFor) {
    const BookDocument book = WriteAndReadBook([&](CalcBookWriter& w) {
        WritePointBook(w, record, {true, true});
    });
    const int inclined = book.Find("倾斜面照度计算公式:");
    const int vertical = book.Find("垂直照度计算公式:");
    ASSERT_GE(inclined, 0);
    ASSERT_GT(vertical, inclined);
    EXPECT_GE(book.Find("af根据灯的类型不同分为5种情况", vertical), 0);
    EXPECT_GE(book.Find("D——点光源在水平面上的投影至计算点P的距离，m", vertical), 0);
    // P2 is turned: each luminaire is stated with the plane's tilt ε, the turn ψ from the
    // tilt's direction to the luminaire, and the two factors cosε and sinε·cosψ.
    EXPECT_GE(book.Find(KvStr::Format("点P2在所有灯具下的倾斜照度为%0.2flx", points[1].dEi)), 0);
    const LuminaireStep& step = record.points[1].steps[0];
    ASSERT_EQ(step.outcome, StepOutcome::Contributes);
    EXPECT_TRUE(book.MathHas("ε=30.00°,ψ=" + Fixed(step.azimuth * kRadToDeg, 2) + "°"));
    EXPECT_TRUE(book.MathHas("×" + Fixed(step.nz, 3) + "+"));
    EXPECT_TRUE(book.MathHas("×" + Fixed(step.across, 3) + "=" + Fixed(step.ei, 2) + "lx"));
    EXPECT_EQ(book.Find("位于倾斜面背面，对P2"), -1);
    EXPECT_GE(book.Find(KvStr::Format("点P1在所有灯具下的垂直照度为%0.2flx", points[0].dEv)), 0);
    EXPECT_TRUE(book.MathHas("af="));
    // Only the symbols the inclined formula uses are explained.
    EXPECT_EQ(book.Find("vq——"), -1);
}

TEST(GridBook, HorizontalStatesUniformityAndDensities) {
    GridPanel panel;
    panel.density = 20;
    ASSERT_TRUE(panel.CalculateHorizontal(Office(300), TwoFittings()));
    const GridBookRecord record = panel.WriteBook();
    const BookDocument book =
        WriteAndReadBook([&](CalcBookWriter& w) { WriteGridBook(w, record); });
    EXPECT_EQ(book.paragraphs[0].text, "水平照度计算计算书");
    EXPECT_GE(book.Find("在计算密度20等分的情况下"), 0);
    EXPECT_GE(book.Find("房间平均照度值为:" + panel.avgText + "lx"), 0);
    EXPECT_GE(book.Find(KvStr::Format("房间工作区均匀度为:%0.2f", panel.uniformity)), 0);
    // U0 from the minimum and average it states beside it.
    ASSERT_GT(panel.u0, 0.0);
    EXPECT_EQ(panel.u0, TruncatedValue(KvStr::Atof(panel.minText) / KvStr::Atof(panel.avgText), 3));
    EXPECT_GE(book.Find("房间照度均匀度U0 = Emin/Eav = " + panel.minText + "/" + panel.avgText +
                        " = " + panel.U0Text()),
              0);
    EXPECT_GE(book.Find(KvStr::Format("房间功率密度为:%0.2fW/m2", panel.lpd)), 0);

    GridBookRecord vertical = record;
    vertical.kind = kGridVertical;
    const BookDocument other =
        WriteAndReadBook([&](CalcBookWriter& w) { WriteGridBook(w, vertical); });
    EXPECT_EQ(other.paragraphs[0].text, "垂直照度计算计算书");
    EXPECT_EQ(other.Find("均匀度"), -1);
}

class LumenBookTest : public ::testing::Test {
protected:
    // The record of the lumen method over three entries of one luminaire each.
    BookDocument Write(double standard) {
        const Room room = Office(standard);
        LuminaireList list = TwoFittings();
        list.Add(test::GridFitting({4.5, 3, 3}, 0.3));
        record.result = AverageIlluminanceByCu(room, list, {});
        record.entries.clear();
        for (int i = 0; i < list.Count(); ++i) {
            const LumenEntryResult& result = record.result.entries.at(static_cast<size_t>(i));
            record.entries.push_back({list.At(i), 1, result.u, result.needed});
        }
        record.standard = standard;
        const PowerDensityDisplay densities =
            ShowSecondDensity(LightingPowerDensity(room, list), record.result.e, standard);
        record.lpd = densities.lpd;
        record.lpd2 = densities.second;
        record.lpd2Label = densities.label;
        return WriteAndReadBook([&](CalcBookWriter& w) { WriteLumenMethodBook(w, record); });
    }
    LumenMethodRecord record;
};

TEST_F(LumenBookTest, TableOfEntriesAndNeededCounts) {
    const BookDocument book = Write(1000);
    EXPECT_EQ(book.paragraphs[0].text, "利用系数法照度计算书");
    for (const char* label : {"日期:", "客户:", "设计者:", "描述:"}) {
        EXPECT_EQ(book.paragraphs[static_cast<size_t>(book.Find(label))].text, label);
    }
    ASSERT_EQ(book.tables.size(), 2u); // the entries, then the 结论
    const auto& cells = book.tables[0].cells;
    ASSERT_EQ(cells.size(), 4u);
    EXPECT_EQ(book.tables[0].Columns(), 6u);
    EXPECT_EQ(cells[0],
              (std::vector<std::string>{"序号", "名称", "类型", "利用系数", "个数", "需要数"}));
    for (int i = 1; i <= 3; ++i) {
        const LumenEntry& entry = record.entries[static_cast<size_t>(i - 1)];
        EXPECT_EQ(cells[static_cast<size_t>(i)][0], std::to_string(i));
        // At most 4 decimals: 0.465625 reads 0.4656.
        EXPECT_EQ(cells[static_cast<size_t>(i)][3], KvStr::Format("%0.4f", entry.u));
        EXPECT_GT(entry.u, 0.0);
        EXPECT_EQ(cells[static_cast<size_t>(i)][5], std::to_string(entry.needed));
        ASSERT_GT(entry.needed, 0);
        EXPECT_TRUE(book.MathHas("=" + std::to_string(entry.needed) + "盏"));
    }
    EXPECT_EQ(book.Find("还需要这种灯数量是0盏"), -1);
    EXPECT_EQ(book.Count("还需要这种灯数量是"), 3);
    // The illuminance still missing, from the standard and the present one.
    EXPECT_TRUE(book.MathHas(KvStr::Format("ΔE=Estd−E=%0.2f−%0.2f=%0.2flx", record.standard,
                                           record.result.e, record.result.deficit)));
    EXPECT_GE(book.Find("A--工作面面积，m"), 0);
    EXPECT_GE(book.Find(KvStr::Format("当前实际照度为%0.2flx", record.result.e)), 0);
    // Every entry states the standard and the densities of the record.
    EXPECT_EQ(book.Count("要达到的标准照度为1000.00lx"), 3);
    EXPECT_EQ(record.lpd2Label, "折算功率密度w/m2");
    EXPECT_EQ(book.Count(KvStr::Format("折算功率密度为%0.2fW/m", record.lpd2)), 3);
    // Cavity ratio (2) and average (1) in general form, per entry its ratio, average,
    // the illuminance still missing and the count.
    EXPECT_EQ(book.Equations(), 3 + 3 * 4);
}

TEST(LumenBook, AnEntryWithoutACuTableStatesNone) {
    const Room room = Office(300);
    LuminaireList list = TwoFittings();
    list.At(1).cuTable = CuTable();
    LumenMethodRecord record;
    record.result = AverageIlluminanceByCu(room, list, {});
    for (int i = 0; i < list.Count(); ++i) {
        const LumenEntryResult& result = record.result.entries.at(static_cast<size_t>(i));
        record.entries.push_back({list.At(i), 1, result.u, result.needed});
    }
    ASSERT_EQ(record.entries[1].u, kNoCu);
    const BookDocument book =
        WriteAndReadBook([&](CalcBookWriter& w) { WriteLumenMethodBook(w, record); });
    EXPECT_EQ(book.tables[0].cells[2][3], "无");
    EXPECT_GE(book.Find("利用系数为无时,"), 0);
    EXPECT_GE(book.Find("该灯具没有利用系数，不计入平均照度"), 0);
    EXPECT_FALSE(book.MathHas("-1.000000"));
}

TEST_F(LumenBookTest, NothingMissingGivesZero) {
    const BookDocument book = Write(0);
    EXPECT_EQ(book.Count("还需要这种灯数量是0盏"), 3);
    EXPECT_FALSE(book.MathHas("盏"));
    // Above the standard the second density is the standard one.
    EXPECT_EQ(book.Count(KvStr::Format("标准功率密度为%0.2fW/m", record.lpd2)), 3);
}

TEST(PointBook, ALuminaireBehindTheTiltedPlaneAddsNothingAndTheBookSaysSo) {
    CalcPoint point;
    point.position = {1, 3, 0.75};
    point.rotation = {80, 0, 0}; // turned toward +y, away from both luminaires
    std::vector<CalcPoint> points = {point};
    const Room room = Office(300);
    LuminaireList luminaires = TwoFittings();
    const std::vector<int> types = CalculatePoints(points, room.outline, luminaires);
    const PointIlluminanceRecord record =
        RecordPointCalculation(points, room.outline, luminaires, types);
    ASSERT_TRUE(record.points[0].steps[0].behind);
    EXPECT_EQ(record.points[0].steps[0].ei, 0.0);
    const BookDocument book = WriteAndReadBook([&](CalcBookWriter& w) {
        WritePointBook(w, record, {true, false});
    });
    EXPECT_GE(book.Find("灯1位于倾斜面背面，对P1的倾斜面照度按0计"), 0);
    EXPECT_TRUE(book.MathHas("≤0"));
}

TEST(ScalarBook, ANegativeCylindricalFactorCountsZeroAndTheBookSaysSo) {
    const std::vector<double> ks = {0.05, 0.8}; // 1.5 × 0.05 - 0.25 + 0.5 × 0.2 = -0.075
    const ScalarIlluminance details =
        AverageSphericalOrCylindrical(Office(300), TwoFittings(), ks, kCylindrical);
    ScalarIlluminanceRecord record;
    record.kind = kCylindrical;
    record.rhoF = details.cavity.rhoF;
    for (size_t i = 0; i < details.entries.size(); ++i) {
        const ScalarEntryResult& entry = details.entries[i];
        record.entries.push_back({ks[i], entry.eh, entry.factor, entry.clamped});
    }
    record.result = TruncatedValue(details.result, 2);
    const BookDocument book =
        WriteAndReadBook([&](CalcBookWriter& w) { WriteScalarBook(w, record); });
    EXPECT_GE(
        book.Find("灯1的系数-0.175 + 0.5 × 0.20 = -0.075小于0，照度不能为负，其柱面照度按0计"), 0);
    EXPECT_TRUE(book.MathHas("=1.5×0.050-0.25=-0.175"));
    EXPECT_EQ(book.Find("灯2的系数"), -1);
    EXPECT_GE(record.result, 0.0);
}

TEST(ScalarBook, SphericalAndCylindricalTotals) {
    for (const int kind : {kSpherical, kCylindrical}) {
        const std::vector<double> ks = {0.8, 0.0};
        const ScalarIlluminance details =
            AverageSphericalOrCylindrical(Office(300), TwoFittings(), ks, kind);
        ScalarIlluminanceRecord record;
        record.kind = kind;
        record.rhoF = details.cavity.rhoF;
        for (size_t i = 0; i < details.entries.size(); ++i) {
            record.entries.push_back({ks[i], details.entries[i].eh, details.entries[i].factor});
        }
        record.result = TruncatedValue(details.result, 2);
        record.horizontal = TruncatedValue(details.eh, 2);
        const BookDocument book =
            WriteAndReadBook([&](CalcBookWriter& w) { WriteScalarBook(w, record); });
        const bool spherical = kind == kSpherical;
        EXPECT_EQ(book.paragraphs[0].text,
                  spherical ? "平均球面照度计算计算书" : "平均柱面照度计算计算书");
        EXPECT_EQ(book.Count("对房间的水平照度:(可用利用系数法计算得出)"), 2);
        EXPECT_EQ(book.Count(spherical ? "对房间的球面照度:" : "对房间的柱面照度:"), 2);
        EXPECT_GE(book.Find(KvStr::Format(spherical ? "房间在所有灯具下的球面照度为%0.2flx"
                                                    : "房间在所有灯具下的柱面照度为%0.2flx",
                                          record.result)),
                  0);
        EXPECT_GE(book.Find(KvStr::Format("房间水平照度为%0.2flx", record.horizontal)), 0);
        EXPECT_EQ(book.MathHas("=1.5×0.800-0.25=0.950"), !spherical);
    }
}

} // namespace
} // namespace qv
