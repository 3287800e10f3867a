// The unit-capacity method over small catalogue tables of the test's own: lookups with
// the neighbour rule, the corrections, area shares, needed counts, the holes the tables
// leave, and the panel model.
#include "calc/IndoorRooms.h"
#include "model/FormatTruncated.h"
#include "panels/UnitCapacityPanel.h"

#include <kelvorin/KvAccess.h>
#include <kelvorin/KvMessage.h>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <sstream>

namespace qv {
namespace {

// A copy of the built catalogue whose unit-capacity tables hold only the test's rows.
class UnitCapacityTest : public testing::Test {
protected:
    UnitCapacityTest() {
        std::filesystem::create_directories(m_folder);
        std::filesystem::copy_file(QV_CATALOGUE_PATH, m_path,
                                   std::filesystem::copy_options::overwrite_existing);
        for (const char* table :
             {"单位容量P0计算", "单位容量修正系数C1", "单位容量调整系数C2", "常用灯具配光分类"}) {
            Execute(std::string("DELETE FROM [") + table + "]");
        }
        Execute("INSERT INTO [常用灯具配光分类] VALUES ('直接型9', ''), ('半直接型', '')");
        Execute("INSERT INTO [单位容量P0计算] VALUES ('半直接型', '4', 0.05, 0.25), "
                "('半直接型', '5', 0.06, 0.30), ('直接型9', '5', 0.04, 0.20)");
        Execute("INSERT INTO [单位容量修正系数C1] VALUES ('0.7', 1), ('0.5', 1.1)");
        Execute("INSERT INTO [单位容量调整系数C2] VALUES ('T8荧光灯', '36', 0.675), "
                "('荧光灯', '36', 0.7), ('T8荧光灯', '40', 0.7)");
    }
    ~UnitCapacityTest() override {
        m_access.CloseAll();
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }

    void Execute(const std::string& sql) { ASSERT_EQ(catalogue.Execute(sql), 1) << sql; }

    // A 6 m × 4 m room (A = 24, RCR 4.6875 with luminaires at 3 m) with a 300 lx standard.
    static Room Office() {
        Room room = test::RectangleRoom(6, 4);
        room.dLxStandard = 300;
        return room;
    }

    static Luminaire Entry(const std::string& lampType, double power, double ballast) {
        Luminaire luminaire;
        luminaire.ptCenter = {3, 2, 3};
        luminaire.lamp1.sName = lampType;
        luminaire.lamp1.dPower = power;
        luminaire.lamp1.dBallastPower = ballast;
        luminaire.unitCapacity.sDistributionClass = "半直接型";
        luminaire.unitCapacity.sUnitPowerKind = kFluorescentKind;
        return luminaire;
    }

    // One entry with a typed P0 (its kind names neither reference lamp), no C2 type,
    // C1 = 1 and C = 1: the required power is P0·24·standard.
    static LuminaireList TypedEntry(double p0, double power) {
        Luminaire luminaire = Entry("LED", power, 0);
        luminaire.unitCapacity.sUnitPowerKind = "自定义";
        luminaire.unitCapacity.dUnitCapacity = p0;
        LuminaireList list;
        list.Add(luminaire);
        return list;
    }

    std::filesystem::path m_folder =
        std::filesystem::path(testing::TempDir()) /
        (std::string("qv_unitcap_") +
         testing::UnitTest::GetInstance()->current_test_info()->name());
    std::string m_path = (m_folder / "Lamps.db").string();
    KvAccess m_access;
    std::ostringstream m_report;

public:
    CatalogueDatabase catalogue{m_access, m_path, m_report};
    CatalogueUnitCapacityTables tables{catalogue};
};

TEST(UnitCapacityEfficiency, CorrectionByEfficiency) {
    EXPECT_NEAR(EfficiencyCorrection(65), 1.11, 1e-12);
    EXPECT_NEAR(EfficiencyCorrection(55), 1.345, 1e-12);
    EXPECT_EQ(EfficiencyCorrection(40), 1.47);
    EXPECT_EQ(EfficiencyCorrection(50), 1.47);
    EXPECT_EQ(EfficiencyCorrection(80), 1.0);
    EXPECT_EQ(EfficiencyCorrection(70 - 5e-7), 1.0);
    EXPECT_EQ(EfficiencyCorrection(60), 1.22);
    EXPECT_EQ(EfficiencyCorrection(60 - 5e-7), 1.22);
}

TEST_F(UnitCapacityTest, TwoEntriesShareTheRoomAndInterpolateEveryTable) {
    Room room = Office();
    room.dReflectTop = 60; // C1 between 0.7 and 0.5
    LuminaireList entries;
    entries.Add(Entry("T8荧光灯", 38, 2)); // W = 40; C2 by the rated 38 W, between 36 and 40
    Luminaire typed = Entry("LED", 20, 0); // no C2 type
    typed.unitCapacity.sUnitPowerKind = "自定义";
    typed.unitCapacity.dUnitCapacity = 0.08;
    entries.Add(typed);

    const UnitCapacityResult result = CalculateUnitCapacity(room, entries, 65, tables);

    ASSERT_EQ(result.status, UnitCapacityStatus::Calculated);
    ASSERT_EQ(result.entries.size(), 2u);
    const UnitCapacityEntryTrace& first = result.entries[0];
    const UnitCapacityEntryTrace& second = result.entries[1];
    EXPECT_NEAR(first.p0, 0.05 + 0.01 * 0.6875, 1e-15); // RCR 4.6875
    EXPECT_NEAR(first.c1, 1.05, 1e-12);
    EXPECT_NEAR(first.c2, 0.6875, 1e-12);
    EXPECT_EQ(first.c2Type, "T8荧光灯"); // the first type inside the lamp type text
    EXPECT_NEAR(first.c, 1.11, 1e-12);
    EXPECT_EQ(first.power, 40);
    EXPECT_EQ(first.c2Power, 38);
    EXPECT_EQ(first.c2Reference, kFluorescentKind);
    EXPECT_EQ(second.p0, 0.08);
    EXPECT_EQ(second.c2, 1.0);
    EXPECT_EQ(second.c2Type, "");
    EXPECT_EQ(first.area, 12); // each entry is given half the room area
    EXPECT_EQ(second.area, 12);

    const double u1 = first.p0 * first.c1 * first.c2 * first.c;
    const double u2 = second.p0 * second.c1 * second.c2 * second.c;
    EXPECT_DOUBLE_EQ(result.required, u1 * 12 * 300 + u2 * 12 * 300);
    EXPECT_EQ(result.installed, 60);
    EXPECT_DOUBLE_EQ(result.e, 60 / ((u1 / 2 + u2 / 2) * 24));
    const double deficit = result.required - result.installed;
    EXPECT_EQ(first.needed, static_cast<int>(std::trunc(deficit / 40 - 0.001)) + 1);
    EXPECT_EQ(second.needed, static_cast<int>(std::trunc(deficit / 20 - 0.001)) + 1);

    const UnitCapacityInputs& written = entries.At(0).unitCapacity;
    EXPECT_EQ(written.dUnitCapacity, first.p0);
    EXPECT_EQ(written.dC2, first.c2);
    EXPECT_EQ(written.dPower, 40);
    EXPECT_EQ(written.nNeeded, first.needed);
}

TEST_F(UnitCapacityTest, NeighbourRuleAtTheTableEdges) {
    // A low room: RCR below the smallest key; ceiling 90 % above the largest; W below the
    // smallest rated power. Every lookup takes the end row.
    Room room = Office();
    room.dReflectTop = 90;
    room.dWorkHeight = 2.9; // h = 0.1
    LuminaireList entries;
    entries.Add(Entry("T8荧光灯", 10, 0));
    entries.At(0).unitCapacity.sUnitPowerKind = kIncandescentKind;
    UnitCapacityResult result = CalculateUnitCapacity(room, entries, 70, tables);
    EXPECT_EQ(result.entries[0].p0, 0.25);
    EXPECT_EQ(result.entries[0].c1, 1.0);
    EXPECT_EQ(result.entries[0].c2, 0.675);

    // A tall room: RCR above the largest key; ceiling 30 % below the smallest.
    room.dReflectTop = 30;
    room.dWorkHeight = -20;
    entries.At(0).lamp1.dPower = 60;
    result = CalculateUnitCapacity(room, entries, 70, tables);
    EXPECT_EQ(result.entries[0].p0, 0.30);
    EXPECT_EQ(result.entries[0].c1, 1.1);
    EXPECT_EQ(result.entries[0].c2, 0.7);
}

TEST_F(UnitCapacityTest, PowerCountsEveryFittedLamp) {
    // Two T8 lamps of 36 W with 4 W of ballast each: W = 80 W, while C2, a property of the
    // lamp, stays the rated 36 W lamp's 0.675. The unused second slot's 100 W lamp does
    // not count until the luminaire has a second lamp.
    LuminaireList entries;
    entries.Add(Entry("T8荧光灯", 36, 4));
    Luminaire& twin = entries.At(0);
    twin.lamp1.nCount = 2;
    twin.lamp2.dPower = 100;
    twin.unitCapacity.nCount = 3;
    UnitCapacityResult result = CalculateUnitCapacity(Office(), entries, 70, tables);
    const UnitCapacityEntryTrace& trace = result.entries[0];
    EXPECT_EQ(trace.power, 80);
    EXPECT_EQ(trace.c2, 0.675);
    EXPECT_EQ(result.installed, 240);
    // P0 0.05 + 0.01·0.6875 at RCR 4.6875, C1 = C = 1: E = P_inst / (u·A).
    const double u = (0.05 + 0.01 * 0.6875) * 0.675;
    EXPECT_NEAR(result.e, 240 / (u * 24), 1e-9);
    const double deficit = u * 24 * 300 - 240;
    EXPECT_EQ(trace.needed, static_cast<int>(std::trunc(deficit / 80 - 0.001)) + 1);

    twin.bLampHouse2 = 1;
    result = CalculateUnitCapacity(Office(), entries, 70, tables);
    EXPECT_EQ(result.entries[0].power, 180);
    EXPECT_EQ(result.installed, 540);

    // A luminaire without lamps has no power: nothing installed, none can be added.
    twin.lamp1.nCount = 0;
    twin.bLampHouse2 = 0;
    result = CalculateUnitCapacity(Office(), entries, 70, tables);
    EXPECT_EQ(result.entries[0].power, 0);
    EXPECT_EQ(result.e, 0);
    EXPECT_EQ(result.entries[0].needed, 0);
}

TEST_F(UnitCapacityTest, ReferenceLampFollowsTheFirstLampUntilChosen) {
    // The test's P0 rows: 40 W fluorescent 0.05 / 0.06, 100 W incandescent 0.25 / 0.30 at
    // RCR 4 / 5.
    const double fluorescent = 0.05 + 0.01 * 0.6875;
    const double incandescent = 0.25 + 0.05 * 0.6875;
    LuminaireList entries;
    entries.Add(Entry("T8荧光灯", 36, 0));
    entries.Add(Entry("白炽灯", 100, 0));
    entries.Add(Entry("LED", 20, 0));
    for (int i = 0; i < entries.Count(); ++i) {
        entries.At(i).unitCapacity.sUnitPowerKind.clear(); // as a new entry
    }
    UnitCapacityResult result = CalculateUnitCapacity(Office(), entries, 70, tables);
    EXPECT_NEAR(result.entries[0].p0, fluorescent, 1e-15);
    EXPECT_EQ(result.entries[0].kind, kFluorescentKind);
    EXPECT_NEAR(result.entries[1].p0, incandescent, 1e-15);
    EXPECT_EQ(result.entries[1].kind, kIncandescentKind);
    EXPECT_NEAR(result.entries[2].p0, fluorescent, 1e-15);

    // A kind the user chose is kept, even against the lamp.
    entries.At(0).unitCapacity.sUnitPowerKind = kIncandescentKind;
    result = CalculateUnitCapacity(Office(), entries, 70, tables);
    EXPECT_NEAR(result.entries[0].p0, incandescent, 1e-15);
    EXPECT_EQ(result.entries[0].c2Reference, kFluorescentKind); // what the book warns of
    EXPECT_TRUE(entries.At(0).unitCapacity.sUnitPowerKind == kIncandescentKind);
    EXPECT_TRUE(entries.At(1).unitCapacity.sUnitPowerKind.empty()); // still following
}

TEST_F(UnitCapacityTest, MissingRowContributesZeroAtItsNeighbour) {
    LuminaireList entries;
    entries.Add(Entry("T8荧光灯", 36, 0));
    entries.At(0).unitCapacity.sDistributionClass = "直接型9"; // has no row at RCR 4
    const UnitCapacityResult result = CalculateUnitCapacity(Office(), entries, 70, tables);
    EXPECT_NEAR(result.entries[0].p0, 0.04 * 0.6875, 1e-15);
}

TEST_F(UnitCapacityTest, NeededCountsTruncateWithSlack) {
    // ΔP/W = 2.0005 asks for 2 more, 2.5 for 3; a met requirement asks for none.
    const Room room = Office();
    for (const auto& [ratio, needed] : {std::pair{2.0005, 2}, {2.5, 3}, {-0.5, 0}}) {
        LuminaireList entries = TypedEntry((10 + 10 * ratio) / (24 * 300), 10);
        const UnitCapacityResult result = CalculateUnitCapacity(room, entries, 70, tables);
        EXPECT_EQ(result.entries[0].needed, needed) << ratio;
    }
}

TEST_F(UnitCapacityTest, HolesGiveSoundNumbers) {
    // An entry without power asks for nothing even though power is missing.
    LuminaireList entries = TypedEntry(0.05, 0);
    UnitCapacityResult result = CalculateUnitCapacity(Office(), entries, 70, tables);
    EXPECT_GT(result.deficit, 0);
    EXPECT_EQ(result.entries[0].needed, 0);
    EXPECT_EQ(result.e, 0);

    // A class the table does not hold: P0 = 0, so U = 0 and E is 0, not a division by 0.
    entries = TypedEntry(0, 36);
    entries.At(0).unitCapacity.sUnitPowerKind = kFluorescentKind;
    entries.At(0).unitCapacity.sDistributionClass = "间接型";
    result = CalculateUnitCapacity(Office(), entries, 70, tables);
    EXPECT_EQ(result.entries[0].p0, 0);
    EXPECT_EQ(result.e, 0);
    EXPECT_EQ(result.entries[0].needed, 0);

    // An outline of no area inside a bounding box, and a P0 too large for the products.
    Room flat = Office();
    flat.outline = {{0, 0, 0}, {6, 4, 0}, {0, 0, 0}, {6, 4, 0}};
    entries = TypedEntry(1e308, 36);
    entries.At(0).unitCapacity.nCount = 3;
    for (const Room& room : {flat, Office()}) {
        result = CalculateUnitCapacity(room, entries, 50, tables);
        for (const double value :
             {result.e, result.capacity, result.required, result.deficit,
              result.entries[0].capacity, result.entries[0].required, result.entries[0].area}) {
            EXPECT_TRUE(std::isfinite(value));
        }
    }
}

TEST_F(UnitCapacityTest, RoomWithoutExtentOrCatalogue) {
    LuminaireList entries = TypedEntry(0.05, 36);
    Room line = Office();
    line.outline = {{0, 0, 0}, {6, 0, 0}};
    UnitCapacityResult result = CalculateUnitCapacity(line, entries, 70, tables);
    EXPECT_EQ(result.status, UnitCapacityStatus::NoCavityRatio);
    EXPECT_EQ(result.e, 0);
    EXPECT_EQ(entries.At(0).unitCapacity.dC, 0);

    std::vector<KvMessage> shown;
    KvScopedMessageHandler recorder([&shown](const KvMessage& message) {
        shown.push_back(message);
        return KvMessageAnswer::Ok;
    });
    KvAccess access;
    CatalogueDatabase missing(access, (m_folder / "none.db").string(), m_report);
    CatalogueUnitCapacityTables missingTables(missing);
    EXPECT_EQ(UnitCapacityIlluminance(Office(), entries, 70, missingTables), -1);
    EXPECT_EQ(entries.At(0).unitCapacity.dC, 0);
    EXPECT_FALSE(shown.empty());
}

class UnitCapacityPanelTest : public UnitCapacityTest {
protected:
    UnitCapacityPanelTest() {
        room.dLxStandard = 300;
        for (int i = 0; i < 2; ++i) {
            luminaires.Add(Entry("T8荧光灯", 36, 4));
        }
    }
    Room room = Office();
    LuminaireList luminaires;
};

TEST_F(UnitCapacityPanelTest, ColumnsChoicesAndEditedCells) {
    UnitCapacityPanel panel(catalogue);
    EXPECT_EQ(panel.EfficiencyText(), "70");
    panel.Open(room, luminaires);
    ASSERT_EQ(panel.RowCount(), 2);
    EXPECT_EQ(panel.ChoicesOf(UnitCapacityPanel::kClass),
              (std::vector<std::string>{"直接型9", "半直接型"}));
    EXPECT_EQ(panel.ChoicesOf(UnitCapacityPanel::kKind).size(), 2u);
    EXPECT_TRUE(panel.ChoicesOf(UnitCapacityPanel::kCount).empty());

    panel.EditCell(0, UnitCapacityPanel::kKind, "自定义");
    panel.EditCell(0, UnitCapacityPanel::kUnitCapacity, "0.5");
    panel.EditCell(0, UnitCapacityPanel::kName, "ignored");
    EXPECT_EQ(panel.CellText(0, UnitCapacityPanel::kUnitCapacity), "0.5");
    EXPECT_EQ(panel.CellText(0, UnitCapacityPanel::kName), "");
    panel.SetEfficiencyText("60");
    panel.Calculate(room, luminaires);
    EXPECT_EQ(panel.Entries().At(0).unitCapacity.dUnitCapacity, 0.5);
    EXPECT_EQ(panel.Entries().At(0).unitCapacity.dC, 1.22);
    EXPECT_EQ(panel.Result().efficiency, 60);
    EXPECT_EQ(panel.Message(), "照度不满足房间照度标准，需增加灯具");
    EXPECT_EQ(panel.Densities().label, "折算功率密度w/m2");
    EXPECT_EQ(panel.IlluminanceText(), FormatTruncated(panel.Illuminance(), 2));

    // Enough luminaires meet the standard; the grid shows what the entries hold.
    panel.EditCell(1, UnitCapacityPanel::kCount, "400");
    panel.Calculate(room, luminaires);
    EXPECT_EQ(panel.Message(), "照度满足房间照度标准,不需增加灯具");
    EXPECT_EQ(panel.CellText(1, UnitCapacityPanel::kCount), "400");
    EXPECT_EQ(panel.CellText(1, UnitCapacityPanel::kNeeded), "0");

    // A changed room list replaces the panel's entries with their own values.
    luminaires.At(1).ptCenter.x = 1;
    panel.Calculate(room, luminaires);
    EXPECT_EQ(panel.Entries().At(1).unitCapacity.nCount, 1);
    EXPECT_EQ(panel.Entries().At(0).unitCapacity.sUnitPowerKind, kFluorescentKind);
}

TEST_F(UnitCapacityPanelTest, KindCellFollowsTheLampUntilChosen) {
    luminaires.At(1).lamp1.sName = "卤钨灯";
    for (int i = 0; i < luminaires.Count(); ++i) {
        luminaires.At(i).unitCapacity.sUnitPowerKind.clear();
    }
    UnitCapacityPanel panel(catalogue);
    panel.Open(room, luminaires);
    EXPECT_EQ(panel.CellText(0, UnitCapacityPanel::kKind), kFluorescentKind);
    EXPECT_EQ(panel.CellText(1, UnitCapacityPanel::kKind), kIncandescentKind);

    panel.EditCell(0, UnitCapacityPanel::kKind, kIncandescentKind);
    panel.Calculate(room, luminaires);
    panel.Calculate(room, luminaires); // kept over recalculations
    EXPECT_EQ(panel.CellText(0, UnitCapacityPanel::kKind), kIncandescentKind);
    EXPECT_EQ(panel.Result().entries[0].kind, kIncandescentKind);
    // Applied to the room, the choice goes with the copies.
    LuminaireList applied;
    ASSERT_EQ(panel.ApplyCounts(room, applied), CountAdjustment::kApplied);
    EXPECT_EQ(UnitPowerKindOf(applied.At(0)), kIncandescentKind);

    // An emptied cell follows the lamp again.
    panel.EditCell(0, UnitCapacityPanel::kKind, "");
    panel.Calculate(room, luminaires);
    EXPECT_EQ(panel.CellText(0, UnitCapacityPanel::kKind), kFluorescentKind);
}

TEST_F(UnitCapacityPanelTest, ApplyingCountsRepeatsEntries) {
    UnitCapacityPanel panel(catalogue);
    panel.Open(room, luminaires);
    panel.EditCell(0, UnitCapacityPanel::kCount, "3");
    panel.EditCell(0, UnitCapacityPanel::kClass, "直接型9");
    panel.EditCell(1, UnitCapacityPanel::kCount, "0");
    LuminaireList applied;
    ASSERT_EQ(panel.ApplyCounts(room, applied), CountAdjustment::kApplied);
    ASSERT_EQ(applied.Count(), 3);
    for (int i = 0; i < 3; ++i) { // one row over the 6 m × 4 m room
        EXPECT_EQ(applied.At(i).ptCenter, (Vector{1.0 + 2 * i, 2, 3}));
    }
    for (const Luminaire& copy : applied.Items()) {
        EXPECT_EQ(copy.unitCapacity.nCount, 1); // a recalculation counts each copy once
        EXPECT_EQ(copy.unitCapacity.sDistributionClass, "直接型9");
    }
    panel.EditCell(0, UnitCapacityPanel::kCount, "100000"); // a cell's most, 100001 in all
    panel.EditCell(1, UnitCapacityPanel::kCount, "1");
    EXPECT_EQ(panel.ApplyCounts(room, applied), CountAdjustment::kTooMany);
    EXPECT_EQ(applied.Count(), 3);
}

} // namespace
} // namespace qv
