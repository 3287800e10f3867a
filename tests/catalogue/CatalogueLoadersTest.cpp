// Loading lamps and luminaire types from the built catalogue, and the loaders' rules:
// positions, millimetres, skipped rows, missing tables and a missing catalogue.
#include "catalogue/CatalogueTestSupport.h"

#include "catalogue/CatalogueLoaders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace qv::test {
namespace {

using Strings = std::vector<std::string>;

class CatalogueLoadersTest : public CatalogueTest {};

TEST_F(CatalogueLoadersTest, ListsFollowTheQueries) {
    Strings out;
    EXPECT_EQ(ListLuminaireModels(db, "投光灯", out), 2);
    EXPECT_EQ(out, (Strings{"宽光束 MH400W", "窄光束 MH400W"}));
    EXPECT_EQ(ListLampPowers(db, "T8荧光灯", "T8 36W (例题13-35)", out), 1);
    EXPECT_EQ(out, Strings{"36"});
    EXPECT_EQ(ListLampModels(db, "没有", out), 0);
    EXPECT_EQ(ListLampTypes(db, out), 10);
    EXPECT_EQ(ListLuminaireNames(db, out), 17);
}

TEST_F(CatalogueLoadersTest, LampTakesTheFirstMatchingRowAndKeepsUserFields) {
    Lamp lamp;
    lamp.dBallastPower = 4.5;
    lamp.nCount = 2;
    ASSERT_EQ(LoadLamp(db, "T8荧光灯", "T8 36W (例题13-35)", "36", lamp), 1);
    EXPECT_EQ(lamp.sName, "T8荧光灯");
    EXPECT_EQ(lamp.sModel, "T8 36W (例题13-35)");
    EXPECT_DOUBLE_EQ(lamp.dPower, 36.0);
    EXPECT_EQ(lamp.nLuminousFlux, 3200);
    EXPECT_DOUBLE_EQ(lamp.dBallastPower, 4.5);
    EXPECT_EQ(lamp.nCount, 2);

    // Only the type: the first row of that type.
    ASSERT_EQ(LoadLamp(db, "高压钠灯", "", "", lamp), 1);
    EXPECT_EQ(lamp.sModel, "150W (例题)");
    EXPECT_EQ(lamp.nLuminousFlux, 16000);
    // Nothing given: the table's first row.
    ASSERT_EQ(LoadLamp(db, "", "", "", lamp), 1);
    EXPECT_EQ(lamp.sModel, "T5 21W 2700-4000K Ra85 Φ16×863.2");

    const Lamp before = lamp;
    EXPECT_EQ(LoadLamp(db, "T8荧光灯", "T8 36W (例题13-35)", "40", lamp), 0);
    EXPECT_EQ(LoadLamp(db, "T8荧光灯", "", "36 OR 1=1", lamp), 0);
    EXPECT_EQ(LoadLamp(db, "T8荧光灯'", "", "", lamp), 0);
    EXPECT_EQ(lamp, before);
}

TEST_F(CatalogueLoadersTest, LuminaireTypeFillsFieldsTablesAndShapes) {
    Luminaire luminaire;
    ASSERT_EQ(LoadLuminaireType(db, "金属卤化物灯工矿灯", "400W", luminaire), 1);
    EXPECT_EQ(luminaire.sName, "金属卤化物灯工矿灯");
    EXPECT_EQ(luminaire.sModel, "400W");
    EXPECT_EQ(luminaire.sLightsTable, "配光_金卤工矿灯_400W");
    EXPECT_EQ(luminaire.sModulusTable, "利用系数_金卤工矿灯");
    EXPECT_EQ(luminaire.sGradeTable, "");
    ASSERT_EQ(luminaire.curveA.Count(), 16);
    EXPECT_DOUBLE_EQ(luminaire.curveA.At(1).dAngle, 7.5);
    EXPECT_DOUBLE_EQ(luminaire.curveB.At(1).dLightStrong, 338.7);
    ASSERT_EQ(luminaire.cuTable.Count(), 90);
    EXPECT_DOUBLE_EQ(luminaire.cuTable.At(1).dPCR, 1.11);
    EXPECT_EQ(luminaire.floodTable.Count(), 0);
    EXPECT_EQ(luminaire.geometricShape.nShape, 1);

    ASSERT_EQ(LoadLuminaireType(db, "嵌入式格栅荧光灯", "2x36W T8", luminaire), 1);
    EXPECT_DOUBLE_EQ(luminaire.geometricShape.dLength, 1.2136);
    EXPECT_EQ(luminaire.geometricShape.nShape, 0);
    // The CU table computed from its curves replaces the previous type's.
    EXPECT_EQ(luminaire.sModulusTable, "利用系数_计算_嵌入式格栅荧光灯_2x36W");
    EXPECT_EQ(luminaire.cuTable.Count(), 300);

    ASSERT_EQ(LoadLuminaireType(db, "投光灯", "窄光束 MH400W", luminaire), 1);
    EXPECT_EQ(luminaire.cuTable.Count(), 0); // nothing of the previous type stays
    EXPECT_EQ(luminaire.sModulusTable, "");
    ASSERT_EQ(luminaire.floodTable.Count(), 29 * 29);
    EXPECT_DOUBLE_EQ(luminaire.floodTable.At(29 * 14 + 14).dLampGq, 104.394);

    const Luminaire before = luminaire;
    EXPECT_EQ(LoadLuminaireType(db, "投光灯", "没有", luminaire), 0);
    EXPECT_EQ(luminaire, before);
    EXPECT_EQ(luminaire.floodTable.Count(), 29 * 29);
    EXPECT_EQ(report.str(), "");
}

TEST_F(CatalogueLoadersTest, BodyInMillimetresOpticsAsStoredAndNamesEndingInAnd) {
    ASSERT_EQ(
        copy.Execute("INSERT INTO [灯具型号] ([名称],[型号],[配光曲线表],[几何形状],[几何长度],"
                     "[几何宽度],[几何高度],[光学形状],[光学长度],[光学宽度],[光学高度]) values "
                     "('BRAND','DNA','配光_射灯',1,1200,300,80,0,1200,250,60)"),
        1);
    Luminaire luminaire;
    ASSERT_EQ(LoadLuminaireType(copy, "BRAND", "DNA", luminaire), 1);
    EXPECT_EQ(luminaire.sName, "BRAND");
    EXPECT_EQ(luminaire.sModel, "DNA");
    EXPECT_EQ(luminaire.geometricShape.nShape, 1);
    EXPECT_DOUBLE_EQ(luminaire.geometricShape.dLength, 1.2);
    EXPECT_DOUBLE_EQ(luminaire.geometricShape.dWidth, 0.3);
    EXPECT_DOUBLE_EQ(luminaire.geometricShape.dHeight, 0.08);
    EXPECT_DOUBLE_EQ(luminaire.opticalShape.dLength, 1200.0);
    EXPECT_DOUBLE_EQ(luminaire.opticalShape.dHeight, 60.0);
}

TEST_F(CatalogueLoadersTest, DroppedTablesLoadWithoutTheirData) {
    ASSERT_EQ(copy.Execute("DROP TABLE [利用系数_金卤工矿灯]"), 1);
    ASSERT_EQ(copy.Execute("DROP TABLE [配光_金卤工矿灯_400W]"), 1);
    Luminaire luminaire;
    ASSERT_EQ(LoadLuminaireType(copy, "嵌入式格栅荧光灯", "3x28W T5", luminaire), 1);
    ASSERT_EQ(LoadLuminaireType(copy, "金属卤化物灯工矿灯", "400W", luminaire), 1);
    EXPECT_EQ(luminaire.sModulusTable, "利用系数_金卤工矿灯");
    EXPECT_EQ(luminaire.cuTable.Count(), 0);
    EXPECT_EQ(luminaire.sLightsTable, "配光_金卤工矿灯_400W");
    EXPECT_EQ(luminaire.curveA.Count(), 0);
    EXPECT_EQ(report.str(), "<配光_金卤工矿灯_400W>数据已删除,请在(灯具扩充)中修改!\n");

    // The curve loader itself leaves the curves as they were.
    IntensityCurve a;
    a.Append({0, 1});
    IntensityCurve b = a;
    EXPECT_EQ(LoadIntensityCurves(copy, "配光_金卤工矿灯_400W", a, b), 0);
    EXPECT_EQ(a.Count(), 1);
    ASSERT_EQ(copy.Execute("CREATE TABLE [配光_坏] ([角度] REAL, [光强] REAL)"), 1);
    report.str("");
    EXPECT_EQ(LoadIntensityCurves(copy, "配光_坏", a, b), 0);
    EXPECT_EQ(report.str(), "<配光_坏>数据错误,请在(灯具扩充)中修改!\n");
    EXPECT_EQ(b.Count(), 1);
}

TEST(CatalogueRowsTest, RowsOfAnotherWidthAreSkipped) {
    KvStTable rows;
    rows.SetLableRecord(Strings{"a", "b", "c", "d", "e"});
    rows.AddValueRecord(Strings{"70", "50", "20", "1", "0.81"});
    rows.AddValueRecord(Strings{"70", "50", "20", "2"});
    rows.AddValueRecord(Strings{"70", "50", "20", "3", "0.67"});
    CuTable cu;
    TakeCuRows(rows, cu);
    ASSERT_EQ(cu.Count(), 2);
    EXPECT_DOUBLE_EQ(cu.At(1).dPCR, 3.0);
    EXPECT_DOUBLE_EQ(cu.At(1).dUsing, 0.67);

    KvStTable grid;
    grid.SetLableRecord(Strings{"a", "b", "c"});
    grid.AddValueRecord(Strings{"10", "-5", "2.5"});
    grid.AddValueRecord(Strings{"10", "-5"});
    FloodIntensityTable flood;
    TakeFloodRows(grid, flood);
    ASSERT_EQ(flood.Count(), 1);
    EXPECT_DOUBLE_EQ(flood.At(0).dZXAngle, 10.0);
    EXPECT_DOUBLE_EQ(flood.At(0).dHXAngle, -5.0);
    IntensityCurve a;
    IntensityCurve b;
    TakeIntensityRows(grid, a, b);
    ASSERT_EQ(b.Count(), 1);
    EXPECT_DOUBLE_EQ(b.At(0).dLightStrong, 2.5);
}

TEST_F(CatalogueLoadersTest, MissingCatalogueGivesOneMessagePerAttempt) {
    CatalogueDatabase missing(access, (folder / "none.db").string(), report);
    Lamp lamp;
    Luminaire luminaire;
    Strings out;
    EXPECT_EQ(LoadLamp(missing, "T8荧光灯", "", "", lamp), 0);
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(LoadLuminaireType(missing, "投光灯", "窄光束 MH400W", luminaire), 0);
    EXPECT_EQ(ListLampTypes(missing, out), -1);
    EXPECT_EQ(LoadIntensityCurves(missing, "配光_射灯", luminaire.curveA, luminaire.curveB), 0);
    ASSERT_EQ(messages.size(), 4u);
    EXPECT_EQ(messages[0].text, "不能正常连接数据库..." + (folder / "none.db").string());
    EXPECT_EQ(report.str(), "");
    EXPECT_EQ(lamp, Lamp());
    EXPECT_EQ(luminaire, Luminaire());
}

} // namespace
} // namespace qv::test

namespace qv {
namespace {

// An import names a catalogue it cannot write instead of failing on its first table.
TEST(CatalogueWriteProblem, NamesACatalogueThatCannotBeWritten) {
    const std::filesystem::path folder =
        std::filesystem::path(testing::TempDir()) / "qv_catalogue_write_problem";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::string file = (folder / "Lamps.db").string();
    std::ofstream(file) << "x";
    EXPECT_EQ(CatalogueWriteProblem(file), "");
    const std::string missing = (folder / "none" / "Lamps.db").string();
    EXPECT_EQ(CatalogueWriteProblem(missing),
              "灯具数据库“" + missing + "”不能写入（只读或没有写入权限）");
    if (::geteuid() != 0) { // permissions do not bind the superuser
        std::filesystem::permissions(file, std::filesystem::perms::owner_read);
        EXPECT_NE(CatalogueWriteProblem(file), "");
        std::filesystem::permissions(file, std::filesystem::perms::owner_all);
        std::filesystem::permissions(folder, std::filesystem::perms::owner_read |
                                                 std::filesystem::perms::owner_exec);
        EXPECT_NE(CatalogueWriteProblem(file), "");
        std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
    }
    std::filesystem::remove_all(folder);
}

} // namespace
} // namespace qv
