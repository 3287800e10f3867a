// The luminaire dialog without a window: opening, choosing a type and lamps, the total
// flux rule, the maintenance-factor menu and the texts of the table pages.
#include "catalogue/CatalogueTestSupport.h"

#include "catalogue/CatalogueLoaders.h"
#include "model/ProjectTestSupport.h"
#include "panels/LuminaireDialogModel.h"
#include "panels/MaintenanceFactorMenu.h"

#include <gtest/gtest.h>

#include <climits>
#include <fstream>

namespace qv::test {
namespace {

using Strings = std::vector<std::string>;

class LuminaireDialogModelTest : public CatalogueTest {};

TEST_F(LuminaireDialogModelTest, OpeningLoadsTheFirstTypeOnlyForANewLuminaire) {
    LuminaireDialogModel fresh(db, Luminaire());
    fresh.Open();
    Strings names;
    ListLuminaireNames(db, names);
    EXPECT_EQ(fresh.Names(), names);
    EXPECT_EQ(fresh.SelectedName(), names.front());
    ASSERT_FALSE(fresh.Models().empty());
    EXPECT_EQ(fresh.Working().sName, names.front());
    EXPECT_EQ(fresh.Working().sModel, fresh.Models().front());
    EXPECT_GT(fresh.Working().curveA.Count(), 0);
    EXPECT_EQ(fresh.LampPage(1).types.size(), 10u);

    Luminaire placed;
    placed.sName = "自定义";
    placed.ptCenter = {1, 2, 3};
    LuminaireDialogModel existing(db, placed);
    existing.Open();
    EXPECT_EQ(existing.SelectedName(), names.front());
    EXPECT_TRUE(existing.Models().empty());
    EXPECT_EQ(existing.Accept(), placed);
}

TEST_F(LuminaireDialogModelTest, ChoosingATypeFillsThePages) {
    LuminaireDialogModel dialog(db, Luminaire());
    dialog.Open();
    dialog.ChooseName("金属卤化物灯工矿灯");
    EXPECT_EQ(dialog.Models(), Strings{"400W"});
    ASSERT_TRUE(dialog.ChooseModel("400W"));
    EXPECT_EQ(dialog.CuRows().front(), (Strings{"30", "10", "20", "1.00", "0.72"}));
    EXPECT_EQ(dialog.CuRows()[1], (Strings{"30", "10", "20", "1.11", "0.71"}));
    EXPECT_EQ(dialog.CurveRows()[1], (Strings{"7.5", "338.7", "338.7"}));
    EXPECT_TRUE(dialog.FloodRows().empty());

    dialog.ChooseName("投光灯");
    ASSERT_TRUE(dialog.ChooseModel("窄光束 MH400W"));
    const auto flood = dialog.FloodRows();
    ASSERT_EQ(flood.size(), 29u * 29u);
    EXPECT_EQ(flood.front(), (Strings{"1", "-90.00", "-90.00", "0.000"}));
    // kcd for the type's 32000 lm lamp, shown to the candela under a header naming the unit.
    EXPECT_STREQ(LuminaireDialogModel::kFloodHeaders[3], "光强(kcd)");
    EXPECT_EQ(flood[29 * 14 + 14], (Strings{"421", "0.00", "0.00", "104.394"}));
    EXPECT_TRUE(dialog.CuRows().empty());

    const Luminaire before = dialog.Working();
    EXPECT_FALSE(dialog.ChooseModel("没有"));
    EXPECT_EQ(dialog.Working(), before);
}

TEST_F(LuminaireDialogModelTest, TotalFluxFollowsLampsAndTheSecondLampBox) {
    LuminaireDialogModel dialog(db, Luminaire());
    dialog.Open();
    dialog.ChooseLampType(0, "T8荧光灯");
    EXPECT_EQ(dialog.LampPage(0).models.size(), 22u);
    dialog.ChooseLampModel(0, "T8 36W (例题13-8)");
    EXPECT_EQ(dialog.LampPage(0).powers, Strings{"36"});
    ASSERT_TRUE(dialog.ChooseLampPower(0, "36"));
    EXPECT_EQ(dialog.LampPowerText(0), "36");
    EXPECT_EQ(dialog.TotalFlux(), 3250);
    dialog.SetLampCount(0, 2);
    EXPECT_EQ(dialog.TotalFlux(), 6500);
    dialog.SetBallastPower(0, 4);
    EXPECT_DOUBLE_EQ(dialog.Working().lamp1.dBallastPower, 4.0);

    dialog.ChooseLampType(1, "金属卤化物灯");
    dialog.ChooseLampModel(1, "400W (例题13-31)");
    ASSERT_TRUE(dialog.ChooseLampPower(1, "400"));
    EXPECT_EQ(dialog.TotalFlux(), 6500); // the second lamp does not count yet
    dialog.SetSecondLamp(true);
    EXPECT_EQ(dialog.TotalFlux(), 38500);
    dialog.SetSecondLamp(false);
    EXPECT_EQ(dialog.TotalFlux(), 6500);
    EXPECT_EQ(dialog.Accept().lamp2.nLuminousFlux, 32000); // kept for the file
    EXPECT_EQ(dialog.Accept().bLampHouse2, 0);

    dialog.SetLampFlux(0, INT_MAX);
    EXPECT_EQ(dialog.TotalFlux(), INT_MAX);
    dialog.SetLampFlux(0, 1000);
    dialog.ChooseShape(LuminaireDialogModel::kOptical, 1); // a shape choice recomputes too
    EXPECT_EQ(dialog.TotalFlux(), 2000);
    EXPECT_FALSE(dialog.ChooseLampPower(0, "37"));
    EXPECT_EQ(dialog.Working().lamp1.nLuminousFlux, 1000);
}

TEST_F(LuminaireDialogModelTest, ImportedTypesComeWithTheirOwnLamp) {
    // An LED file in absolute photometry: one lamp of the luminaire's flux and 12.5 W.
    const std::string file = (folder / "downlight.ies").string();
    std::ofstream(file) << "IESNA:LM-63-2002\n[LUMCAT]DL-7, DL-7/W\n[LAMP]24 LEDS\nTILT=NONE\n"
                           "24 -1 1 3 1 1 2 -0.15 -0.15 0\n1 1 12.46\n0 45 90\n0\n300 150 0\n";
    LuminaireDialogModel importing(copy, Luminaire());
    importing.Open();
    std::string error;
    ASSERT_TRUE(importing.ImportFiles({file}, error)) << error;
    const Lamp& lamp = importing.LampOf(0);
    EXPECT_EQ(importing.SelectedName(), "LED灯具 DL-7");
    EXPECT_EQ(lamp.sName, "LED");
    EXPECT_EQ(lamp.sModel, "DL-7");
    EXPECT_DOUBLE_EQ(lamp.dPower, 12.5);
    EXPECT_EQ(lamp.nCount, 1);
    EXPECT_EQ(importing.TotalFlux(), lamp.nLuminousFlux);
    EXPECT_GT(lamp.nLuminousFlux, 500);

    // Chosen later from the lists, the type brings the same lamp.
    LuminaireDialogModel choosing(copy, Luminaire());
    choosing.Open();
    choosing.ChooseName("LED灯具 DL-7");
    ASSERT_TRUE(choosing.ChooseModel("DL-7"));
    EXPECT_TRUE(choosing.ChooseRecordedLamp());
    EXPECT_EQ(choosing.LampOf(0), lamp);
    EXPECT_EQ(choosing.LampPage(0).power, "12.5");
    // A bundled type records no lamp of its own: nothing changes.
    LuminaireDialogModel bundled(copy, Luminaire());
    bundled.Open();
    const Luminaire before = bundled.Working();
    EXPECT_FALSE(bundled.ChooseRecordedLamp());
    EXPECT_EQ(bundled.Working(), before);
}

TEST_F(LuminaireDialogModelTest, ShapesAndMaintenanceFactors) {
    Luminaire luminaire;
    luminaire.sName = "x";
    luminaire.geometricShape.dWidth = 0.3;
    LuminaireDialogModel dialog(db, luminaire);
    EXPECT_STREQ(LuminaireDialogModel::LengthLabel(dialog.Shape(LuminaireDialogModel::kGeometric)),
                 "长度");
    dialog.ChooseShape(LuminaireDialogModel::kGeometric, 1);
    const LuminaireShape& shape = dialog.Shape(LuminaireDialogModel::kGeometric);
    EXPECT_STREQ(LuminaireDialogModel::LengthLabel(shape), "直径");
    EXPECT_FALSE(LuminaireDialogModel::WidthEnabled(shape));
    EXPECT_DOUBLE_EQ(shape.dWidth, 0.3);

    const double factors[] = {0.80, 0.75, 0.74, 0.70, 0.69, 0.65};
    for (int item = 0; item < 6; ++item) {
        ASSERT_TRUE(dialog.ChooseMaintenanceFactor(item));
        EXPECT_DOUBLE_EQ(dialog.Working().dVindicate, factors[item]);
    }
    EXPECT_STREQ(kMaintenanceFactorMenu[2].text, "一般  0.74");
    EXPECT_FALSE(dialog.ChooseMaintenanceFactor(6));
    EXPECT_DOUBLE_EQ(dialog.Working().dVindicate, 0.65);
}

TEST_F(LuminaireDialogModelTest, TypedFieldsRefuseWhatTheyCannotHoldAndKeepTheirValue) {
    MessageRecorder recorder;
    LuminaireDialogModel dialog(db, Luminaire());
    dialog.Open();
    dialog.SetLampCount(0, 3);
    ASSERT_TRUE(dialog.SetLampFluxText(0, "5000"));
    EXPECT_EQ(dialog.TotalFlux(), 15000);
    ASSERT_TRUE(dialog.SetMaintenanceFactorText("0.8"));
    const Luminaire before = dialog.Working();
    EXPECT_FALSE(dialog.SetLampFluxText(0, "abc"));
    EXPECT_FALSE(dialog.SetLampFluxText(0, "-5000")); // no negative total
    EXPECT_FALSE(dialog.SetLampFluxText(0, "99999999999999"));
    EXPECT_FALSE(dialog.SetTotalFluxText("0"));
    EXPECT_FALSE(dialog.SetBallastPowerText(1, "-2"));
    EXPECT_FALSE(dialog.SetMaintenanceFactorText("1.5"));
    EXPECT_FALSE(dialog.SetShapeSizeText(LuminaireDialogModel::kOptical,
                                         LuminaireDialogModel::kShapeHeight, "1e+300"));
    EXPECT_EQ(dialog.Working(), before);
    ASSERT_EQ(recorder.messages.size(), 7u);
    EXPECT_EQ(recorder.messages[0].text, "光源光通量应为数字,请重新输入!");
    EXPECT_EQ(recorder.messages[1].text, "光源光通量应为正整数,请重新输入!");
    EXPECT_EQ(recorder.messages[2].text, "光源光通量应为不大于2147483647的正整数,请重新输入!");
    EXPECT_EQ(recorder.messages[5].text, "维护系数应为大于0且不大于1的数值,请重新输入!");
    EXPECT_EQ(recorder.messages[6].text, "高度应为不大于100000的非负数,请重新输入!");

    dialog.ChooseShape(LuminaireDialogModel::kGeometric, LuminaireShape::kCircle);
    EXPECT_FALSE(dialog.SetShapeSizeText(LuminaireDialogModel::kGeometric,
                                         LuminaireDialogModel::kShapeLength, "-1"));
    EXPECT_EQ(recorder.messages.back().text, "直径应为不大于100000的非负数,请重新输入!");
    EXPECT_TRUE(dialog.SetShapeSizeText(LuminaireDialogModel::kGeometric,
                                        LuminaireDialogModel::kShapeLength, "0.6"));
    EXPECT_EQ(dialog.Working().geometricShape.dLength, 0.6);
}

} // namespace
} // namespace qv::test
