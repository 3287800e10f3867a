// Floodlight unit-capacity method: the efficacy and share tables, the sodium example,
// the count still needed at exact multiples, degenerate sites and entries without power.
#include "calc/outdoor/FloodCapacity.h"

#include "calc/IndoorRooms.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

FloodCapacityEntry SodiumEntry(double weight = 1.0) {
    FloodCapacityEntry entry;
    Luminaire& luminaire = entry.luminaire;
    luminaire.dVindicate = 0.7;
    luminaire.lamp1.dPower = 400;
    luminaire.lamp1.dBallastPower = 40;
    UnitCapacityInputs& inputs = luminaire.unitCapacity;
    inputs.dEfficiency = 0.6;
    inputs.dUniformity = 0.75;
    inputs.sShareClass = "40%及其以上";
    inputs.sLampType = "高压钠灯";
    inputs.dAreaWeight = weight;
    inputs.nCount = 1;
    return entry;
}

TEST(FloodCapacityTables, UtilizationAndUnitPower) {
    EXPECT_EQ(ShareClassUtilization("80%及其以上"), 0.9);
    EXPECT_EQ(ShareClassUtilization("20%及其以上"), 0.6);
    EXPECT_EQ(ShareClassUtilization("20%以下"), 0.5);
    EXPECT_EQ(ShareClassUtilization("其他"), 0.5);
    EXPECT_EQ(LampTypeUnitPower("金属卤化物灯"), 0.064);
    EXPECT_EQ(LampTypeUnitPower("氙灯"), 0.148);
    EXPECT_EQ(LampTypeUnitPower("未知"), 0.148);
    EXPECT_NEAR(LampTypeEfficacy("高压钠灯"), 92.6, 0.05);
}

TEST(FloodCapacity, SodiumExampleGivesUnitPowerOfTheLamp) {
    const Room site = test::RectangleRoom(50, 20);
    std::vector<FloodCapacityEntry> entries = {SodiumEntry()};
    const double eMin = 20.0;
    const FloodCapacityResult result = CalculateFloodCapacity(eMin, site, entries);
    EXPECT_NEAR(entries[0].x, 1.0 / 0.049, 1e-9);
    EXPECT_NEAR(entries[0].required / 1000.0, 0.049 * eMin, 1e-12);
    EXPECT_DOUBLE_EQ(entries[0].pL, 440.0);
    EXPECT_DOUBLE_EQ(result.e, 440.0 * entries[0].x / 1000.0);
    // 980 W required, 440 W installed: 540/440 → 2 more.
    EXPECT_EQ(entries[0].additional, 2);
}

TEST(FloodCapacity, FloodlightPowerCountsItsFittedLamps) {
    // A twin-lamp floodlight (2 × 400 W + 40 W) whose unused second slot still carries a
    // lamp: P_L = 880 W, not 440 W and not 880 W + the unused slot.
    const Room site = test::RectangleRoom(50, 20);
    std::vector<FloodCapacityEntry> entries = {SodiumEntry()};
    Luminaire& twin = entries[0].luminaire;
    twin.lamp1.nCount = 2;
    twin.lamp2.dPower = 1000;
    twin.lamp2.dBallastPower = 100;
    FloodCapacityResult result = CalculateFloodCapacity(20.0, site, entries);
    EXPECT_DOUBLE_EQ(entries[0].pL, 880.0);
    EXPECT_DOUBLE_EQ(result.pInst, 880.0);
    // 980 W required: 100 W missing is one more floodlight of 880 W.
    EXPECT_EQ(entries[0].additional, 1);
    EXPECT_DOUBLE_EQ(result.e, 880.0 * entries[0].x / 1000.0);

    twin.bLampHouse2 = 1; // the second slot fitted: 880 + 1100 W
    result = CalculateFloodCapacity(20.0, site, entries);
    EXPECT_DOUBLE_EQ(entries[0].pL, 1980.0);
    EXPECT_EQ(entries[0].additional, 0);
}

TEST(FloodCapacity, ExactMultiplesAndNoDeficit) {
    EXPECT_EQ(AdditionalFloodlights(880.0, 440.0), 2);
    EXPECT_EQ(AdditionalFloodlights(881.0, 440.0), 3);
    EXPECT_EQ(AdditionalFloodlights(0.0, 440.0), 0);
    EXPECT_EQ(AdditionalFloodlights(1e9, 0.0), 0);
    EXPECT_EQ(AdditionalFloodlights(1e300, 1e-3), INT_MAX);

    const Room site = test::RectangleRoom(50, 20);
    std::vector<FloodCapacityEntry> entries = {SodiumEntry()};
    entries[0].luminaire.unitCapacity.nCount = 3; // 1320 W installed, 980 W required
    CalculateFloodCapacity(20.0, site, entries);
    EXPECT_EQ(entries[0].additional, 0);
}

TEST(FloodCapacity, DegenerateSitesAndUncountedEntries) {
    std::vector<FloodCapacityEntry> entries = {SodiumEntry()};
    entries[0].additional = 7;
    Room line;
    line.outline = {{0, 0, 0}, {10, 0, 0}, {5, 0, 0}};
    EXPECT_TRUE(CalculateFloodCapacity(20.0, line, entries).degenerate);
    EXPECT_EQ(entries[0].additional, 7);
    entries[0].luminaire.unitCapacity.dAreaWeight = 0.0;
    EXPECT_EQ(CalculateFloodCapacity(20.0, test::RectangleRoom(5, 5), entries).e, 0.0);

    // η left at 0: the entry does not count; with P_L still 0 it asks for none.
    std::vector<FloodCapacityEntry> uncounted = {SodiumEntry()};
    uncounted[0].luminaire.unitCapacity.dEfficiency = 0.0;
    const FloodCapacityResult result =
        CalculateFloodCapacity(20.0, test::RectangleRoom(5, 5), uncounted);
    EXPECT_FALSE(result.degenerate);
    EXPECT_EQ(result.e, 0.0);
    EXPECT_FALSE(uncounted[0].counted);
    EXPECT_EQ(uncounted[0].additional, 0);

    // η and U1 both negative make a positive X, but not a floodlight that gives light.
    std::vector<FloodCapacityEntry> negative = {SodiumEntry()};
    negative[0].luminaire.unitCapacity.dEfficiency = -0.6;
    negative[0].luminaire.unitCapacity.dUniformity = -0.75;
    EXPECT_EQ(CalculateFloodCapacity(20.0, test::RectangleRoom(5, 5), negative).e, 0.0);
    EXPECT_FALSE(negative[0].counted);

    // A counted entry without lamp power asks for 0 more, never a division by zero.
    std::vector<FloodCapacityEntry> powerless = {SodiumEntry(), SodiumEntry()};
    powerless[1].luminaire.lamp1 = Lamp();
    CalculateFloodCapacity(20.0, test::RectangleRoom(50, 20), powerless);
    EXPECT_EQ(powerless[1].additional, 0);
    EXPECT_GT(powerless[0].additional, 0);
}

TEST(FloodCapacity, LuminairesInRange) {
    LuminaireList list;
    for (const char* name : {"a", "b", "c", "d", "e"}) {
        Luminaire luminaire;
        luminaire.sName = name;
        list.Add(luminaire);
    }
    const LuminaireList range = LuminairesInRange(list, 3, 5);
    ASSERT_EQ(range.Count(), 3);
    EXPECT_EQ(range.At(0).sName, "c");
    EXPECT_EQ(LuminairesInRange(list, 4, 9).Count(), 2);
    EXPECT_EQ(LuminairesInRange(list, 0, 1).Count(), 1);
    EXPECT_EQ(LuminairesInRange(list, 3, 2).Count(), 0);
}

} // namespace
} // namespace qv
