// The "结论" rows and the illuminance verdict the panels share: met and not met, the −10 %
// edge of the building standard, a typed design requirement, a place without a power
// density limit, and the place's limits read from the shipped catalogue.
#include "calc/common/Verdict.h"

#include <kelvorin/KvAccess.h>

#include <gtest/gtest.h>

namespace qv {
namespace {

StandardBasis Office() {
    StandardBasis basis;
    basis.lux = 300;
    basis.place = {"办公建筑", "普通办公室"};
    basis.standard = "《建筑照明设计标准》GB/T 50034-2024";
    basis.tolerance = true;
    basis.limits.lux = 300;
    basis.limits.currentLpd = 9.0;
    basis.limits.targetLpd = 8.0;
    basis.limits.ugr = 19;
    basis.limits.ra = 80;
    basis.limits.u0 = 0.6;
    return basis;
}

TEST(Verdict, BuildingStandardAllowsTenPerCentBelow) {
    const StandardBasis basis = Office();
    EXPECT_TRUE(IlluminanceMet(basis, 300));
    EXPECT_TRUE(IlluminanceMet(basis, 270)); // exactly 90 %
    EXPECT_FALSE(IlluminanceMet(basis, 269.99));
    EXPECT_DOUBLE_EQ(LowestAcceptedIlluminance(basis), 270);
    // A design requirement and a road standard are judged as they stand.
    EXPECT_FALSE(IlluminanceMet(DesignRequirement(300), 299.99));
    EXPECT_TRUE(IlluminanceMet(DesignRequirement(300), 300));
    EXPECT_TRUE(IlluminanceMet(DesignRequirement(0), 0));
}

TEST(Verdict, RowsOfAPlaceWithEveryLimit) {
    const std::vector<VerdictRow> rows = VerdictRows(Office(), {280.5, 0.55, 9.5, std::nullopt});
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0], (VerdictRow{"平均照度Eav(lx)", "280.50", "300.00(允许偏差−10%,不低于270.00)",
                                   "满足"}));
    EXPECT_EQ(rows[1], (VerdictRow{"照度均匀度U0=Emin/Eav", "0.55", "≥0.60", "不满足"}));
    EXPECT_EQ(rows[2],
              (VerdictRow{"照明功率密度LPD(W/m²)", "9.50", "≤9(现行值),目标值8", "不满足"}));
    EXPECT_EQ(rows[3], (VerdictRow{"统一眩光值UGR", "—", "≤19", "(由灯具选型保证)"}));
    EXPECT_EQ(rows[4], (VerdictRow{"显色指数Ra", "—", "≥80", "(由灯具选型保证)"}));

    const std::vector<VerdictRow> met = VerdictRows(Office(), {310, 0.6, 9.0, std::nullopt});
    EXPECT_EQ(met[1].verdict, "满足"); // U0 exactly the limit
    EXPECT_EQ(met[2].verdict, "满足"); // LPD exactly the current value
    EXPECT_NE(VerdictBasisText(Office()).find("依据《建筑照明设计标准》GB/T 50034-2024"),
              std::string::npos);
}

// A computed UGR is judged on the value as printed; without a limit it adds no row.
TEST(Verdict, ComputedUgrIsJudgedAsPrinted) {
    const auto ugrRow = [](const StandardBasis& basis, double ugr) {
        for (const VerdictRow& row : VerdictRows(basis, {300, std::nullopt, std::nullopt, ugr})) {
            if (row.item == "统一眩光值UGR") {
                return row;
            }
        }
        return VerdictRow{};
    };
    EXPECT_EQ(ugrRow(Office(), 17.26), (VerdictRow{"统一眩光值UGR", "17.3", "≤19", "满足"}));
    EXPECT_EQ(ugrRow(Office(), 19.04).verdict, "满足"); // prints 19.0
    EXPECT_EQ(ugrRow(Office(), 19.05), (VerdictRow{"统一眩光值UGR", "19.1", "≤19", "不满足"}));
    StandardBasis noUgr = Office();
    noUgr.limits.ugr.reset();
    EXPECT_EQ(ugrRow(noUgr, 25.0), VerdictRow{});
    EXPECT_EQ(VerdictRows(noUgr, {300, std::nullopt, std::nullopt, 25.0}).size(), 2u);
}

TEST(Verdict, RowsThatDoNotApplyAreLeftOut) {
    // Without a minimum nor a density only the average is judged.
    EXPECT_EQ(VerdictRows(Office(), {250, std::nullopt, std::nullopt, std::nullopt}).size(), 3u);
    StandardBasis noLpd = Office();
    noLpd.limits.currentLpd.reset();
    noLpd.limits.targetLpd.reset();
    const std::vector<VerdictRow> rows =
        VerdictRows(noLpd, {300, std::nullopt, 12.0, std::nullopt});
    ASSERT_GE(rows.size(), 2u);
    EXPECT_EQ(rows[1].standard, "标准未规定该场所的限值");
    EXPECT_EQ(rows[1].verdict, "无法判定");
}

TEST(Verdict, TypedValueIsADesignRequirementWithoutStandard) {
    const StandardBasis typed = DesignRequirement(200);
    const std::vector<VerdictRow> rows = VerdictRows(typed, {180, 0.7, 5.0, std::nullopt});
    ASSERT_EQ(rows.size(), 2u); // no U0 limit, no UGR/Ra
    EXPECT_EQ(rows[0].standard, "200.00(设计要求)");
    EXPECT_EQ(rows[0].verdict, "不满足");
    EXPECT_EQ(rows[1].standard, "未选择标准场所,无限值");
    EXPECT_EQ(VerdictBasisText(typed).find("依据"), std::string::npos);
}

TEST(Verdict, MessagesFollowTheVerdict) {
    EXPECT_EQ(IlluminanceMessage(VerdictSubject::kRoom, true), "照度满足房间照度标准,不需增加灯具");
    EXPECT_EQ(IlluminanceMessage(VerdictSubject::kRoom, false),
              "照度不满足房间照度标准，需增加灯具");
    EXPECT_EQ(IlluminanceMessage(VerdictSubject::kSite, false),
              "照度不满足场地最低照度，需增加灯具");
    EXPECT_EQ(IlluminanceMessage(VerdictSubject::kRoad, true), "照度满足道路照度标准,不需增加灯具");
}

TEST(Verdict, PlaceLimitsComeFromTheCatalogue) {
    KvAccess access;
    CatalogueDatabase catalogue(access, QV_CATALOGUE_PATH);
    const StandardBasis basis =
        LookUpStandardBasis(&catalogue, {"办公建筑", "普通办公室"}, 300, StandardScope::kBuilding);
    EXPECT_EQ(basis.standard, "《建筑照明设计标准》GB/T 50034-2024");
    EXPECT_TRUE(basis.tolerance);
    // The 2024 tables hold the office's target density only.
    ASSERT_TRUE(basis.limits.targetLpd && basis.limits.u0 && basis.limits.ugr);
    EXPECT_FALSE(basis.limits.currentLpd.has_value());
    EXPECT_DOUBLE_EQ(*basis.limits.targetLpd, 6.5);
    const std::vector<VerdictRow> rows = VerdictRows(basis, {300, std::nullopt, 7.0, std::nullopt});
    ASSERT_GE(rows.size(), 2u);
    EXPECT_EQ(rows[1].standard, "目录未收录现行值(见GB 55015-2021),目标值6.5");
    EXPECT_EQ(rows[1].verdict, "无法判定");
    EXPECT_DOUBLE_EQ(*basis.limits.u0, 0.6);
    EXPECT_DOUBLE_EQ(*basis.limits.ugr, 19);

    const StandardBasis road =
        LookUpStandardBasis(nullptr, {"道路", "主干路"}, 20, StandardScope::kRoad);
    EXPECT_EQ(road.standard, "《城市道路照明设计标准》CJJ 45-2015");
    EXPECT_FALSE(road.tolerance);
    EXPECT_EQ(LookUpStandardBasis(&catalogue, {}, 300, StandardScope::kBuilding),
              DesignRequirement(300));
}

} // namespace
} // namespace qv
