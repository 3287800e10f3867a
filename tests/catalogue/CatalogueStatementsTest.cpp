// The catalogue's statements against the built catalogue: each list statement gives rows
// that the matching record statement finds again, ordered as the dialogs show them;
// the standards copy is written and removed through the statements, with quotes in the
// names; spot values from the published tables come back as stored.
#include "catalogue/CatalogueTestSupport.h"

#include "catalogue/CatalogueStatements.h"
#include "catalogue/UnitCapacityTables.h"

#include <kelvorin/KvStr.h>

#include <gtest/gtest.h>

#include <algorithm>

namespace qv::test {
namespace {

using Strings = std::vector<std::string>;
using Table = std::vector<std::vector<std::string>>;

class CatalogueStatementsTest : public CatalogueTest {};

bool Contains(const Strings& list, const std::string& text) {
    return std::find(list.begin(), list.end(), text) != list.end();
}

TEST_F(CatalogueStatementsTest, EveryLampOfTheListsIsFoundByItsRecord) {
    const Strings types = Column(sql::LampTypes());
    ASSERT_FALSE(types.empty());
    EXPECT_TRUE(std::is_sorted(types.begin(), types.end()));
    size_t lamps = 0;
    for (const std::string& type : types) {
        const Strings models = Column(sql::LampModels(type));
        ASSERT_FALSE(models.empty()) << type;
        EXPECT_TRUE(std::is_sorted(models.begin(), models.end())) << type;
        for (const std::string& model : models) {
            for (const std::string& power : Column(sql::LampPowers(type, model))) {
                const Table rows = Rows(sql::LampRecord(type, model, power));
                ASSERT_EQ(rows.size(), 1u) << type << " " << model << " " << power;
                EXPECT_EQ(rows[0][0], type);
                EXPECT_EQ(rows[0][1], model);
                ++lamps;
            }
        }
        for (const auto& row : Rows(sql::LampRecord(type, "", ""))) {
            EXPECT_EQ(row[0], type);
        }
    }
    EXPECT_EQ(Rows(sql::LampRecord("", "", "")).size(), lamps);
    // The fluorescent lamp of the worked examples: 36 W, 3250 lm.
    EXPECT_EQ(Rows(sql::LampRecord("T8荧光灯", "T8 36W (例题13-8)", "36")),
              (Table{{"T8荧光灯", "T8 36W (例题13-8)", "36", "3250"}}));
}

TEST_F(CatalogueStatementsTest, EveryLuminaireTypeHasItsTables) {
    const Strings names = Column(sql::LuminaireNames());
    ASSERT_FALSE(names.empty());
    for (const std::string& name : names) {
        for (const std::string& model : Column(sql::LuminaireModels(name))) {
            const Table rows = Rows(sql::LuminaireRecord(name, model));
            ASSERT_EQ(rows.size(), 1u) << name << " " << model;
            ASSERT_GE(rows[0].size(), 11u);
            EXPECT_EQ(rows[0][0], model);
            EXPECT_EQ(rows[0][8], name);
            // Its CU table (when it has one) is ordered by the reflectances, then RCR.
            if (!rows[0][7].empty()) {
                const Table cu = Rows(sql::CuRows(rows[0][7]));
                ASSERT_FALSE(cu.empty()) << rows[0][7];
                EXPECT_TRUE(std::is_sorted(cu.begin(), cu.end(), [](const auto& a, const auto& b) {
                    for (size_t i = 0; i < 4; ++i) {
                        const double x = KvStr::Atof(a[i]);
                        const double y = KvStr::Atof(b[i]);
                        if (x != y) {
                            return x < y;
                        }
                    }
                    return false;
                })) << rows[0][7];
            }
            // Its intensity curves, when named, are ordered by angle.
            if (!rows[0][10].empty()) {
                const Table curves = Rows(sql::IntensityRows(rows[0][10]));
                ASSERT_FALSE(curves.empty()) << rows[0][10];
                EXPECT_TRUE(std::is_sorted(curves.begin(), curves.end(),
                                           [](const auto& a, const auto& b) {
                                               return KvStr::Atof(a[0]) < KvStr::Atof(b[0]);
                                           }))
                    << rows[0][10];
            }
        }
    }
    EXPECT_EQ(Column(sql::LuminaireModels("嵌入式格栅荧光灯")), (Strings{"2x36W T8", "3x28W T5"}));
    EXPECT_EQ(Rows(sql::IntensityRows("配光_嵌入式格栅荧光灯_2x36W")).front(),
              (Strings{"0", "278", "278"}));
}

TEST_F(CatalogueStatementsTest, FloodlightGridsAreReadRowByRow) {
    const Table grid = Rows(sql::FloodRows("等光强_投光灯_窄光束_MH400W"));
    ASSERT_EQ(grid.size(), 29u * 29u); // -90 … 90 in steps of ~6.4°, both ways
    EXPECT_EQ(grid.front(), (Strings{"-90", "-90", "0"}));
    EXPECT_EQ(grid[29 * 14 + 14], (Strings{"0", "0", "104.394"})); // the beam's axis
}

TEST_F(CatalogueStatementsTest, StandardsAreReadByCategoryAndPlace) {
    const Strings categories = Column(sql::Categories());
    ASSERT_FALSE(categories.empty());
    for (const std::string& category : categories) {
        const Strings places = Column(sql::Places(category));
        ASSERT_FALSE(places.empty()) << category;
        EXPECT_EQ(Rows(sql::PlaceValues(category, places.front())).size(), 1u) << category;
    }
    // An office: only the target power density is set (the limit is another standard's).
    EXPECT_EQ(Rows(sql::PlaceValues("办公建筑", "普通办公室")),
              (Table{{"300", "", "6.5", "19", "80"}}));
    // A place without a power density reads empty texts there.
    EXPECT_EQ(Rows(sql::PlaceValues("医疗建筑", "手术室")), (Table{{"750", "", "", "19", "90"}}));
    // The whole row names its columns: the five, then the plane and the uniformity.
    KvStTable row;
    ASSERT_EQ(db.Select(row, sql::PlaceRow("办公建筑", "普通办公室")), 1);
    Strings names;
    Strings values;
    row.GetLableRecord(names);
    row.GetValueRecord(values, 0);
    EXPECT_EQ(names, (Strings{"ID", "场所名称", "照度", "现行功率密度", "目标功率密度", "统一眩光",
                              "显色指数", "参考平面", "照度均匀度"}));
    EXPECT_EQ(Strings(values.begin() + 7, values.end()), (Strings{"0.75m水平面", "0.6"}));
}

TEST_F(CatalogueStatementsTest, AStandardsCategoryIsCopiedFilledAndRemoved) {
    const size_t categories = Column(sql::Categories()).size();
    const size_t template_ = Column("SELECT [场所名称] FROM [照度标准模板] ORDER BY ID ").size();
    ASSERT_EQ(copy.Execute(sql::CopyTemplate("体育建筑")), 1);
    ASSERT_EQ(copy.Execute(sql::InsertCategory("体育建筑")), 1);
    ASSERT_EQ(copy.Execute(sql::InsertPlace("体育建筑", "训练场", 300, 9.04, 7.96, 22.4, 80)), 1);
    std::vector<std::string> places;
    ASSERT_EQ(copy.SelectCells(places, sql::Places("体育建筑")), static_cast<int>(template_ + 1));
    EXPECT_EQ(places.back(), "训练场");
    KvStTable values;
    ASSERT_EQ(copy.Select(values, sql::PlaceValues("体育建筑", "训练场")), 1);
    std::vector<std::string> row;
    values.GetValueRecord(row, 0);
    EXPECT_EQ(row, (Strings{"300", "9", "8", "22", "80"})); // one decimal, whole UGR and Ra

    // The copy has the template's plane and uniformity columns and takes both; a power
    // density or glare rating of 0 is stored as none.
    ASSERT_EQ(copy.Execute(sql::InsertPlaceWithPlane("体育建筑", "看台", 75, 0, 2.5, 0, 60,
                                                     "座位面'1", 0.404)),
              1);
    ASSERT_EQ(copy.Select(values, sql::PlaceRow("体育建筑", "看台")), 1);
    values.GetValueRecord(row, 0);
    EXPECT_EQ(Strings(row.begin() + 2, row.end()),
              (Strings{"75", "", "2.5", "", "60", "座位面'1", "0.4"}));
    ASSERT_EQ(copy.Execute(sql::DeletePlace("体育建筑", "看台")), 1);

    ASSERT_EQ(copy.Execute(sql::DeletePlace("体育建筑", "训练场")), 1);
    ASSERT_EQ(copy.SelectCells(places, sql::Places("体育建筑")), static_cast<int>(template_));
    ASSERT_EQ(copy.Execute(sql::DropCategoryTable("体育建筑")), 1);
    ASSERT_EQ(copy.Execute(sql::DeleteCategory("体育建筑")), 1);
    EXPECT_FALSE(copy.HasTable("体育建筑"));
    ASSERT_EQ(copy.SelectCells(places, sql::Categories()), static_cast<int>(categories));
}

TEST_F(CatalogueStatementsTest, QuotedValuesAreStoredAndFoundAsTyped) {
    const size_t categories = Column(sql::Categories()).size();
    const std::string category = "体育'建筑";
    const std::string place = "会议室'1 AND";
    ASSERT_EQ(copy.Execute(sql::CopyTemplate(category)), 1);
    ASSERT_EQ(copy.Execute(sql::InsertCategory(category)), 1);
    ASSERT_EQ(copy.Execute(sql::InsertPlace(category, place, 500, 15, 13.5, 19, 80)), 1);
    std::vector<std::string> names;
    copy.SelectCells(names, sql::Categories());
    EXPECT_TRUE(Contains(names, category));
    KvStTable values;
    ASSERT_EQ(copy.Select(values, sql::PlaceValues(category, place)), 1);
    std::vector<std::string> row;
    values.GetValueRecord(row, 0);
    EXPECT_EQ(row, (Strings{"500", "15", "13.5", "19", "80"}));
    EXPECT_EQ(copy.Select(values, sql::PlaceValues(category, "会议室")), 0);
    ASSERT_EQ(copy.Execute(sql::DeletePlace(category, place)), 1);
    EXPECT_EQ(copy.Select(values, sql::PlaceValues(category, place)), 0);
    ASSERT_EQ(copy.Execute(sql::DeleteCategory(category)), 1);
    EXPECT_EQ(copy.SelectCells(names, sql::Categories()), static_cast<int>(categories));
}

TEST_F(CatalogueStatementsTest, ReflectancesOfTheMaterials) {
    EXPECT_EQ(Column(sql::PlainReflectance("粉刷")), Strings{"75"});
    EXPECT_EQ(Column(sql::PlainReflectance("喷白")), Strings{"84"});
    EXPECT_EQ(Column(sql::Reflectance("砖墙", "红色")), Strings{"33"});
    // Marble: the milky white with green lies between the white and the red finish.
    EXPECT_EQ(Column(sql::Reflectance("大理石", "乳白色间绿色")), Strings{"39"});
    const auto marble = [&](const char* colour) {
        return KvStr::Atof(Column(sql::Reflectance("大理石", colour)).at(0));
    };
    EXPECT_GT(marble("白色"), marble("乳白色间绿色"));
    EXPECT_GT(marble("乳白色间绿色"), marble("红色"));
    EXPECT_GT(marble("红色"), marble("黑色"));
    for (const char* material :
         {"粉刷", "喷白", "砂浆", "混凝土", "砖墙", "釉面墙", "水磨石", "大理石", "沥青", "调和漆",
          "塑料贴面", "塑料壁纸", "马赛克", "钢板", "玻璃"}) {
        const Strings colours = Column(sql::MaterialColours(material));
        ASSERT_FALSE(colours.empty()) << material;
        for (const std::string& colour : colours) {
            const Strings value = Column(sql::Reflectance(material, colour));
            ASSERT_EQ(value.size(), 1u) << material << " " << colour;
            const double percent = KvStr::Atof(value[0]);
            EXPECT_TRUE(percent > 0 && percent < 100) << material << " " << colour;
        }
    }
    // A double-quoted value is a text, never a column that matches every row.
    EXPECT_EQ(Column("SELECT [反射率] FROM 物体反射率 WHERE 物体 = \"物体\""), Strings{});
}

TEST_F(CatalogueStatementsTest, UnitCapacityTablesThroughTheLookup) {
    CatalogueUnitCapacityTables tables(db);
    ASSERT_TRUE(tables.Open());
    EXPECT_EQ(tables.DistributionClasses().front(), "直接型9");
    Strings ratios = tables.RoomCavityRatios();
    std::sort(ratios.begin(), ratios.end(),
              [](const auto& a, const auto& b) { return KvStr::Atof(a) < KvStr::Atof(b); });
    EXPECT_EQ(ratios, (Strings{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
    EXPECT_EQ(tables.P0(false, "半直接型", "4"), 0.0553);
    EXPECT_EQ(tables.P0(true, "半直接型", "4"), 0.2745);
    EXPECT_EQ(tables.P0(false, "没有这类", "4"), 0.0); // no row
    EXPECT_EQ(tables.CeilingReflectances(), (Strings{"0.8", "0.7", "0.5", "0.3", "0.1"}));
    EXPECT_EQ(tables.C1("0.7", true), 1.0);
    EXPECT_EQ(tables.C1("0.7", false), 1.0);
    EXPECT_EQ(tables.C2LampTypes().front(), "T5荧光灯");
    EXPECT_EQ(tables.C2RatedPowers("T8荧光灯"), (Strings{"18", "30", "32", "36"}));
    EXPECT_EQ(tables.C2("T8荧光灯", "36"), 0.675);
}

} // namespace
} // namespace qv::test
