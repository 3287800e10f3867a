// Every statement text of the catalogue, as the program issues it, against the built
// catalogue: the statement builders give exactly these texts, and the texts give the
// catalogue's rows.
#include "catalogue/CatalogueTestSupport.h"

#include "catalogue/CatalogueStatements.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace qv::test {
namespace {

using Strings = std::vector<std::string>;
using Table = std::vector<std::vector<std::string>>;

class CatalogueStatementsTest : public CatalogueTest {};

TEST_F(CatalogueStatementsTest, LampStatements) {
    const std::string types =
        "SELECT [光源类型] FROM [光源] GROUP BY [光源类型] ORDER BY [光源类型]";
    EXPECT_EQ(sql::LampTypes(), types);
    const Strings lampTypes = Column(types);
    EXPECT_EQ(lampTypes.size(), 10u);
    EXPECT_TRUE(std::is_sorted(lampTypes.begin(), lampTypes.end()));
    EXPECT_NE(std::find(lampTypes.begin(), lampTypes.end(), "T8荧光灯"), lampTypes.end());

    const std::string models = "SELECT [灯型号] FROM [光源] WHERE [光源类型] = '金属卤化物灯' "
                               "GROUP BY [灯型号] ORDER BY [灯型号]";
    EXPECT_EQ(sql::LampModels("金属卤化物灯"), models);
    EXPECT_EQ(Column(models).size(), 10u);

    const std::string powers = "SELECT [功率] FROM [光源] WHERE [光源类型] = 'T8荧光灯' AND "
                               "[灯型号] = 'T8 36W (例题13-8)' GROUP BY [功率] ORDER BY [功率]";
    EXPECT_EQ(sql::LampPowers("T8荧光灯", "T8 36W (例题13-8)"), powers);
    EXPECT_EQ(Column(powers), Strings{"36"});

    const std::string one = "select * from [光源] WHERE [光源类型]='T8荧光灯' AND "
                            "[灯型号]='T8 36W (例题13-8)' AND [功率]=36";
    EXPECT_EQ(sql::LampRecord("T8荧光灯", "T8 36W (例题13-8)", "36"), one);
    EXPECT_EQ(Rows(one), (Table{{"T8荧光灯", "T8 36W (例题13-8)", "36", "3250"}}));
    EXPECT_EQ(sql::LampRecord("", "", ""), "select * from [光源]");
    EXPECT_EQ(sql::LampRecord("T8荧光灯", "", ""),
              "select * from [光源] WHERE [光源类型]='T8荧光灯'");
    EXPECT_EQ(Rows("select * from [光源]").size(), 95u);
}

TEST_F(CatalogueStatementsTest, LuminaireTypeStatements) {
    const std::string names = "SELECT [名称] FROM [灯具型号] GROUP BY [名称]";
    EXPECT_EQ(sql::LuminaireNames(), names);
    EXPECT_EQ(Column(names).size(), 17u);
    const std::string models =
        "SELECT [型号] FROM [灯具型号] WHERE [名称] = '嵌入式格栅荧光灯' GROUP BY [型号]";
    EXPECT_EQ(sql::LuminaireModels("嵌入式格栅荧光灯"), models);
    EXPECT_EQ(Column(models), (Strings{"2x36W T8", "3x28W T5"}));

    const std::string one =
        "select * from [灯具型号] WHERE [名称]='金属卤化物灯工矿灯' AND [型号]='400W'";
    EXPECT_EQ(sql::LuminaireRecord("金属卤化物灯工矿灯", "400W"), one);
    const Table rows = Rows(one);
    ASSERT_EQ(rows.size(), 1u);
    ASSERT_GE(rows[0].size(), 20u);
    EXPECT_EQ(rows[0][0], "400W");
    EXPECT_EQ(rows[0][7], "利用系数_金卤工矿灯");
    EXPECT_EQ(rows[0][8], "金属卤化物灯工矿灯");
    EXPECT_EQ(rows[0][9], "");
    EXPECT_EQ(rows[0][10], "配光_金卤工矿灯_400W");
    EXPECT_EQ(rows[0][12], "1");
    EXPECT_EQ(sql::LuminaireRecord("", ""), "select * from [灯具型号]");

    const std::string cu = "SELECT * FROM [利用系数_金卤工矿灯] ORDER BY [有效顶棚反射比], "
                           "[墙反射比], [地面反射比], [室空间比]";
    EXPECT_EQ(sql::CuRows("利用系数_金卤工矿灯"), cu);
    const Table cuRows = Rows(cu);
    ASSERT_EQ(cuRows.size(), 90u);
    EXPECT_EQ(cuRows.front(), (Strings{"30", "10", "20", "1", "0.72"}));
    EXPECT_EQ(cuRows.back(), (Strings{"70", "50", "20", "5.55", "0.52"}));

    const std::string curves =
        "SELECT [角度],[光强A],[光强B] FROM [配光_嵌入式格栅荧光灯_2x36W] ORDER BY [角度]";
    EXPECT_EQ(sql::IntensityRows("配光_嵌入式格栅荧光灯_2x36W"), curves);
    EXPECT_EQ(Rows(curves), (Table{{"0", "278", "278"},
                                   {"30", "218", "244"},
                                   {"45", "160", "214"},
                                   {"60", "90", "123"},
                                   {"90", "1", "0"}}));

    const std::string flood =
        "SELECT * FROM [等光强_投光灯_窄光束_MH400W] ORDER BY [纵向角度], [垂直角度]";
    EXPECT_EQ(sql::FloodRows("等光强_投光灯_窄光束_MH400W"), flood);
    const Table grid = Rows(flood);
    ASSERT_EQ(grid.size(), 29u * 29u);
    EXPECT_EQ(grid.front(), (Strings{"-90", "-90", "0"}));
    EXPECT_EQ(grid[29 * 14 + 14], (Strings{"0", "0", "104.394"}));
}

TEST_F(CatalogueStatementsTest, StandardsStatementsReadTheCategories) {
    const std::string categories = "SELECT [场所] FROM [照度标准] ORDER BY ID";
    EXPECT_EQ(sql::Categories(), categories);
    const Strings all = Column(categories);
    ASSERT_EQ(all.size(), 15u);
    EXPECT_EQ(all.front(), "居住建筑");
    EXPECT_EQ(all.back(), "工业建筑（机、电工业）");

    const std::string places = "SELECT [场所名称] FROM [办公建筑] ORDER BY ID ";
    EXPECT_EQ(sql::Places("办公建筑"), places);
    EXPECT_EQ(Column(places).front(), "普通办公室");

    const std::string values = "SELECT [照度],[现行功率密度],[目标功率密度],[统一眩光],[显色指数] "
                               "FROM [办公建筑] WHERE [场所名称] = '普通办公室'";
    EXPECT_EQ(sql::PlaceValues("办公建筑", "普通办公室"), values);
    EXPECT_EQ(Rows(values), (Table{{"300", "9", "8", "19", "80"}}));
    // A place without a power density or a glare limit reads empty texts there.
    EXPECT_EQ(Rows(sql::PlaceValues("医疗建筑", "手术室")), (Table{{"750", "", "", "19", "90"}}));
    EXPECT_EQ(Column("SELECT [场所名称] FROM [照度标准模板] ORDER BY ID ").size(), 39u);
}

TEST_F(CatalogueStatementsTest, StandardsStatementsWriteTheCopy) {
    const Strings steps = {
        "select * into [体育建筑] from [照度标准模板]",
        "INSERT INTO [照度标准] (场所) values ('体育建筑')",
        "INSERT INTO [体育建筑] (场所名称,照度,现行功率密度,目标功率密度,统一眩光,显色指数) "
        "values ('训练场',300,9.0,8.0,22,80)",
    };
    EXPECT_EQ(sql::CopyTemplate("体育建筑"), steps[0]);
    EXPECT_EQ(sql::InsertCategory("体育建筑"), steps[1]);
    EXPECT_EQ(sql::InsertPlace("体育建筑", "训练场", 300, 9.04, 7.96, 22.4, 80), steps[2]);
    for (const std::string& step : steps) {
        EXPECT_EQ(copy.Execute(step), 1) << step;
    }
    std::vector<std::string> places;
    ASSERT_EQ(copy.SelectCells(places, sql::Places("体育建筑")), 40);
    EXPECT_EQ(places.back(), "训练场");
    EXPECT_EQ(places.front(), "门厅 普通"); // the template's rows were copied

    const Strings removal = {"DELETE * FROM [体育建筑] WHERE [场所名称] = '训练场'",
                             "DROP TABLE [体育建筑]",
                             "DELETE * FROM [照度标准] WHERE [场所] = '体育建筑'"};
    EXPECT_EQ(sql::DeletePlace("体育建筑", "训练场"), removal[0]);
    EXPECT_EQ(sql::DropCategoryTable("体育建筑"), removal[1]);
    EXPECT_EQ(sql::DeleteCategory("体育建筑"), removal[2]);
    EXPECT_EQ(copy.Execute(removal[0]), 1);
    ASSERT_EQ(copy.SelectCells(places, sql::Places("体育建筑")), 39);
    EXPECT_EQ(copy.Execute(removal[1]), 1);
    EXPECT_EQ(copy.Execute(removal[2]), 1);
    EXPECT_FALSE(copy.HasTable("体育建筑"));
    ASSERT_EQ(copy.SelectCells(places, sql::Categories()), 15);
}

TEST_F(CatalogueStatementsTest, QuotedValuesAreStoredAndFoundAsTyped) {
    const std::string category = "体育'建筑";
    const std::string place = "会议室'1 AND";
    EXPECT_EQ(sql::InsertCategory(category), "INSERT INTO [照度标准] (场所) values ('体育''建筑')");
    ASSERT_EQ(copy.Execute(sql::CopyTemplate(category)), 1);
    ASSERT_EQ(copy.Execute(sql::InsertCategory(category)), 1);
    ASSERT_EQ(copy.Execute(sql::InsertPlace(category, place, 500, 15, 13.5, 19, 80)), 1);
    KvStTable values;
    ASSERT_EQ(copy.Select(values, sql::PlaceValues(category, place)), 1);
    std::vector<std::string> row;
    values.GetValueRecord(row, 0);
    EXPECT_EQ(row, (Strings{"500", "15", "13.5", "19", "80"}));
    EXPECT_EQ(copy.Select(values, sql::PlaceValues(category, "会议室")), 0);
    ASSERT_EQ(copy.Execute(sql::DeletePlace(category, place)), 1);
    EXPECT_EQ(copy.Select(values, sql::PlaceValues(category, place)), 0);
    ASSERT_EQ(copy.Execute(sql::DeleteCategory(category)), 1);
    std::vector<std::string> categories;
    EXPECT_EQ(copy.SelectCells(categories, sql::Categories()), 15);
}

TEST_F(CatalogueStatementsTest, ReflectanceStatements) {
    EXPECT_EQ(Column("SELECT [反射率] FROM 物体反射率 WHERE 物体 = '粉刷'AND 颜色 = '无'"),
              Strings{"75"});
    EXPECT_EQ(Column("SELECT [反射率] FROM 物体反射率 WHERE 物体 = '喷白'AND 颜色 = '无'"),
              Strings{"84"});
    const std::string plain =
        "SELECT [反射率] FROM [物体反射率] WHERE [物体] = '粉刷'AND [颜色] = '无'";
    EXPECT_EQ(sql::PlainReflectance("粉刷"), plain);
    EXPECT_EQ(Column(plain), Strings{"75"});
    const std::string coloured =
        "SELECT [反射率] FROM [物体反射率] WHERE [物体] = '砖墙'AND [颜色] = '红色'";
    EXPECT_EQ(sql::Reflectance("砖墙", "红色"), coloured);
    EXPECT_EQ(Column(coloured), Strings{"33"});
    EXPECT_EQ(sql::MaterialColours("粉刷"), "SELECT [颜色] FROM 物体反射率 WHERE 物体 = '粉刷'");
    for (const char* material :
         {"粉刷", "喷白", "砂浆", "混凝土", "砖墙", "釉面墙", "水磨石", "大理石", "沥青", "调和漆",
          "塑料贴面", "塑料壁纸", "马赛克", "钢板", "玻璃"}) {
        EXPECT_FALSE(Column(sql::MaterialColours(material)).empty()) << material;
    }
    EXPECT_EQ(Column(sql::MaterialColours("釉面墙")),
              (Strings{"白色", "黄绿色", "粉红色", "天蓝色", "黑色"}));
    // A double-quoted value is a text, never a column that matches every row.
    EXPECT_EQ(Column("SELECT [反射率] FROM 物体反射率 WHERE 物体 = \"物体\""), Strings{});
}

TEST_F(CatalogueStatementsTest, UnitCapacityStatements) {
    EXPECT_EQ(Column(sql::DistributionClasses()).front(), "直接型9");
    EXPECT_EQ(sql::RoomCavityRatios(),
              "SELECT DISTINCT [RCR] FROM [单位容量P0计算] GROUP BY [RCR]");
    Strings ratios = Column(sql::RoomCavityRatios());
    std::sort(ratios.begin(), ratios.end());
    EXPECT_EQ(ratios, (Strings{"1", "10", "2", "3", "4", "5", "6", "7", "8", "9"}));
    const std::string p0 = "SELECT [40W荧光灯P0] FROM [单位容量P0计算] WHERE [类型] = '半直接型' "
                           "AND [RCR] = '4' ";
    EXPECT_EQ(sql::P0Fluorescent40W("半直接型", "4"), p0);
    EXPECT_EQ(Column(p0), Strings{"0.0553"});
    EXPECT_EQ(Column(sql::P0Incandescent100W("半直接型", "4")), Strings{"0.2745"});
    EXPECT_EQ(sql::CeilingReflectances(), "SELECT  [顶棚反射比] FROM [单位容量修正系数C1]");
    EXPECT_EQ(Column(sql::CeilingReflectances()), (Strings{"0.8", "0.7", "0.5", "0.3", "0.1"}));
    EXPECT_EQ(sql::C1("0.7", true),
              "SELECT [修正系数] FROM [单位容量修正系数C1] WHERE [顶棚反射比] = '0.7' ");
    EXPECT_EQ(Column(sql::C1("0.7")), Strings{"1"});
    EXPECT_EQ(Column(sql::C1("0.7", true)), Strings{"1"});
    EXPECT_EQ(Column(sql::C2LampTypes()).front(), "T5荧光灯");
    EXPECT_EQ(Column(sql::C2RatedPowers("T8荧光灯")), (Strings{"18", "30", "32", "36"}));
    EXPECT_EQ(sql::C2("T8荧光灯", "36"), "SELECT [调整系数C2] FROM [单位容量调整系数C2] WHERE "
                                         "[光源类型] = 'T8荧光灯' AND [额定功率] = '36' ");
    EXPECT_EQ(Column(sql::C2("T8荧光灯", "36")), Strings{"0.675"});
}

} // namespace
} // namespace qv::test
