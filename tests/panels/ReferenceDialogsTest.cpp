// The standards dialog and the reflectance dialog without windows.
#include "catalogue/CatalogueTestSupport.h"

#include "catalogue/CatalogueStatements.h"
#include "panels/ReflectivityDialogModel.h"
#include "panels/StandardsDialogModel.h"

#include <kelvorin/KvIniFile.h>

#include <gtest/gtest.h>

#include <limits>

namespace qv::test {
namespace {

using Strings = std::vector<std::string>;
using Item = StandardsDialogModel::Item;

class StandardsDialogTest : public CatalogueTest {
protected:
    std::string ini = (folder / "Quorvel.ini").string();
    StandardsDialogModel dialog{copy, ini};

    int CategoryIndex(const std::string& name) const {
        for (size_t i = 0; i < dialog.Tree().size(); ++i) {
            if (dialog.Tree()[i].name == name) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }
};

TEST_F(StandardsDialogTest, TreeSelectionValuesAndSettings) {
    dialog.Open();
    Strings categories;
    db.SelectCells(categories, sql::Categories());
    ASSERT_EQ(dialog.Tree().size(), categories.size());
    const int office = CategoryIndex("办公建筑");
    Strings places;
    db.SelectCells(places, sql::Places("办公建筑"));
    ASSERT_EQ(dialog.Tree()[static_cast<size_t>(office)].places, places);
    EXPECT_EQ(dialog.Selection(), Item());
    EXPECT_EQ(dialog.Shown().m_nStandLx, 0);

    // Nothing chosen yet: every field reads "—", never "0".
    for (int field = 0; field < StandardsDialogModel::kFieldCount; ++field) {
        EXPECT_EQ(dialog.FieldText(field), "—") << StandardsDialogModel::FieldLabel(field);
    }
    EXPECT_EQ(dialog.SourceNote().rfind("依据 GB/T 50034-2024《建筑照明设计标准》", 0), 0u);

    ASSERT_TRUE(dialog.Select({office, 1})); // 高档办公室
    EXPECT_EQ(dialog.Shown().m_nStandLx, 500);
    EXPECT_DOUBLE_EQ(dialog.Shown().m_dStandLPD, 0.0); // limit left to GB 55015-2021
    EXPECT_DOUBLE_EQ(dialog.Shown().m_dTagLPD, 9.5);
    EXPECT_EQ(dialog.Shown().m_nUGR, 19);
    EXPECT_EQ(dialog.Shown().m_sRa, "80");
    EXPECT_EQ(dialog.Shown().m_sPlane, "0.75m水平面");
    EXPECT_DOUBLE_EQ(dialog.Shown().m_dU0, 0.6);
    using Model = StandardsDialogModel;
    EXPECT_EQ(dialog.FieldText(Model::kLux), "500");
    EXPECT_EQ(dialog.FieldText(Model::kCurrentLpd), "—");
    EXPECT_EQ(dialog.FieldText(Model::kTargetLpd), "9.5");
    EXPECT_EQ(dialog.FieldText(Model::kUgr), "19");
    EXPECT_EQ(dialog.FieldText(Model::kRa), "80");
    EXPECT_EQ(dialog.FieldText(Model::kPlane), "0.75m水平面");
    EXPECT_EQ(dialog.FieldText(Model::kU0), "0.60");
    EXPECT_EQ(dialog.StandardIlluminance(), 500); // taken even without "确定"
    EXPECT_FALSE(std::filesystem::exists(ini));
    EXPECT_EQ(dialog.Confirm(), 500);
    EXPECT_EQ(KvIniFile::ReadKey("照度标准", "父", "", ini), "办公建筑");
    EXPECT_EQ(KvIniFile::ReadKey("照度标准", "子", "", ini), "高档办公室");
    EXPECT_DOUBLE_EQ(KvIniFile::ReadKey("照度标准", "m_dTagLPD", 0.0, ini), 9.5);
    EXPECT_DOUBLE_EQ(KvIniFile::ReadKey("照度标准", "m_dStandLPD", -1.0, ini), 0.0);
    EXPECT_EQ(KvIniFile::ReadKey("照度标准", "m_sRa", "", ini), "80");
    EXPECT_EQ(KvIniFile::ReadKey("照度标准", "m_sPlane", "", ini), "0.75m水平面");

    StandardsDialogModel again(copy, ini);
    again.Open();
    EXPECT_EQ(again.Selection(), (Item{office, 1}));
    EXPECT_TRUE(again.Tree()[static_cast<size_t>(office)].expanded);
    EXPECT_EQ(again.Shown().m_nStandLx, 500);
    EXPECT_EQ(again.FieldText(Model::kU0), "0.60");

    // A place without power densities shows "—" for them.
    const int medical = CategoryIndex("医疗建筑");
    ASSERT_TRUE(again.Select({medical, 2})); // 手术室
    EXPECT_EQ(again.Shown().m_nStandLx, 750);
    EXPECT_DOUBLE_EQ(again.Shown().m_dStandLPD, 0.0);
    EXPECT_EQ(again.FieldText(Model::kCurrentLpd), "—");
    EXPECT_EQ(again.FieldText(Model::kTargetLpd), "—");
    EXPECT_EQ(again.Shown().m_sRa, "90");
    // A place without a glare rating or a uniformity: "—" there too.
    const int hotel = CategoryIndex("旅馆建筑");
    ASSERT_TRUE(again.Select({hotel, 0})); // 客房 一般活动区
    EXPECT_EQ(again.FieldText(Model::kUgr), "—");
    EXPECT_EQ(again.FieldText(Model::kU0), "—");
    EXPECT_EQ(again.FieldText(Model::kTargetLpd), "4.5");
    EXPECT_TRUE(messages.empty());
}

TEST_F(StandardsDialogTest, AStoredPlaceThatIsGoneLeavesTheStoredValues) {
    KvIniFile::WriteKey("照度标准", "父", "办公建筑", ini);
    KvIniFile::WriteKey("照度标准", "子", "不存在", ini);
    KvIniFile::WriteKey("照度标准", "m_nStandLx", 123, ini);
    KvIniFile::WriteKey("照度标准", "m_sRa", "60", ini);
    dialog.Open();
    EXPECT_EQ(dialog.Selection(), Item());
    EXPECT_TRUE(dialog.Tree()[static_cast<size_t>(CategoryIndex("办公建筑"))].expanded);
    EXPECT_EQ(dialog.Shown().m_nStandLx, 123);
    EXPECT_EQ(dialog.Shown().m_sRa, "60");
}

TEST_F(StandardsDialogTest, AddingCategoriesAndPlaces) {
    dialog.Open();
    EXPECT_EQ(dialog.MenuItems({0, -1}), (Strings{"新建大类", "新建小类", "删除"}));
    EXPECT_EQ(dialog.MenuItems({0, 0}), (Strings{"新建", "删除"}));

    ASSERT_TRUE(dialog.AddCategory("体育'建筑"));
    const int sports = CategoryIndex("体育'建筑");
    ASSERT_EQ(sports, 41);
    EXPECT_EQ(dialog.Tree()[41].places.size(), 40u); // the template's places
    Strings categories;
    copy.SelectCells(categories, sql::Categories());
    EXPECT_EQ(categories.back(), "体育'建筑");

    EXPECT_FALSE(dialog.AddCategory("体育'建筑"));
    EXPECT_FALSE(dialog.AddCategory("光源"));
    EXPECT_FALSE(dialog.AddCategory("a[b]"));
    EXPECT_FALSE(dialog.AddCategory(""));
    ASSERT_EQ(messages.size(), 4u);
    EXPECT_EQ(messages[0].text, "此内容已在数据库中存在!");
    EXPECT_EQ(messages[0].caption, "系统提示");
    EXPECT_EQ(messages[0].icon, KvMessageIcon::Warning);
    EXPECT_EQ(messages[1].text, "此内容已在数据库中存在!");
    EXPECT_EQ(messages[2].text.rfind("\"a[b]\"不能作为大类名称：", 0), 0u);
    EXPECT_EQ(messages[3].text, "请填写<名称>");
    messages.clear();

    StandardsDialogModel::NewPlace place{"会议室'1", 500, 15, 13.5, 19, 80, "0.75m水平面", 0.6};
    ASSERT_TRUE(dialog.AddPlace({sports, 3}, place)); // "新建" on a place of the category
    EXPECT_EQ(dialog.Tree()[41].places.back(), "会议室'1");
    ASSERT_TRUE(dialog.Select({sports, 40}));
    EXPECT_EQ(dialog.Shown().m_nStandLx, 500);
    EXPECT_DOUBLE_EQ(dialog.Shown().m_dTagLPD, 13.5);
    EXPECT_EQ(dialog.FieldText(StandardsDialogModel::kPlane), "0.75m水平面");
    EXPECT_EQ(dialog.FieldText(StandardsDialogModel::kU0), "0.60");
    // A copied place keeps the template's plane and uniformity.
    ASSERT_TRUE(dialog.Select({sports, 0}));
    EXPECT_EQ(dialog.Shown().m_sPlane, "地面");
    EXPECT_FALSE(dialog.AddPlace({sports, -1}, place)); // the name is taken
    place.name = "";
    EXPECT_FALSE(dialog.AddPlace({sports, -1}, place));
    ASSERT_EQ(copy.Execute("DROP TABLE [照度标准模板]"), 1); // unrelated table: still adds
    place.name = "训练场";
    EXPECT_TRUE(dialog.AddPlace({sports, -1}, place));
    EXPECT_EQ(MessageTexts(), (Strings{"改名字已经存在!", "请填写<名称>"}));
}

TEST_F(StandardsDialogTest, ValuesThatCannotBeAStandardAreRefused) {
    dialog.Open();
    const int office = CategoryIndex("办公建筑");
    const size_t before = dialog.Tree()[static_cast<size_t>(office)].places.size();
    using NewPlace = StandardsDialogModel::NewPlace;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(dialog.AddPlace({office, -1}, NewPlace{"甲", -300, 0, 0, 19, 80, "", 0}));
    EXPECT_FALSE(dialog.AddPlace({office, -1}, NewPlace{"乙", 300, nan, 0, 19, 80, "", 0}));
    EXPECT_FALSE(dialog.AddPlace({office, -1}, NewPlace{"丙", 300, 0, inf, 19, 80, "", 0}));
    EXPECT_FALSE(dialog.AddPlace({office, -1}, NewPlace{"丁", 300, 0, 0, -19, 80, "", 0}));
    EXPECT_FALSE(dialog.AddPlace({office, -1}, NewPlace{"戊", 300, 0, 0, 19, 120, "", 0}));
    EXPECT_FALSE(dialog.AddPlace({office, -1}, NewPlace{"己", 300, 0, 0, 19, 80, "", 1.5}));
    ASSERT_EQ(messages.size(), 6u);
    EXPECT_EQ(messages[0].text, "\"照度lx\"的值无效：应为0到1000000之间的数");
    EXPECT_EQ(messages[5].text, "\"照度均匀度U0\"的值无效：应为0到1之间的数");
    Strings places;
    copy.SelectCells(places, sql::Places("办公建筑"));
    EXPECT_EQ(places.size(), before);
}

TEST_F(StandardsDialogTest, ACategoryTableOfAnOlderCatalogueStillWorks) {
    // A category made before the catalogue held planes and uniformities.
    ASSERT_EQ(
        copy.Execute("CREATE TABLE [旧大类] ([ID] INTEGER PRIMARY KEY, [场所名称] VARCHAR(100) "
                     "NOT NULL, [照度] INTEGER, [现行功率密度] REAL, [目标功率密度] REAL, "
                     "[统一眩光] REAL, [显色指数] INTEGER)"),
        1);
    ASSERT_EQ(copy.Execute(sql::InsertCategory("旧大类")), 1);
    ASSERT_EQ(copy.Execute(sql::InsertPlace("旧大类", "办公室", 500, 0, 13.5, 0, 80)), 1);
    ASSERT_EQ(copy.Execute("DROP TABLE [标准版本]"), 1);
    dialog.Open();
    EXPECT_EQ(dialog.SourceNote().rfind("目录未记录照度标准的版本", 0), 0u);
    const int old = CategoryIndex("旧大类");
    ASSERT_TRUE(dialog.Select({old, 0}));
    EXPECT_EQ(dialog.FieldText(StandardsDialogModel::kLux), "500");
    EXPECT_EQ(dialog.FieldText(StandardsDialogModel::kCurrentLpd), "—"); // stored as 0.0
    EXPECT_EQ(dialog.FieldText(StandardsDialogModel::kTargetLpd), "13.5");
    EXPECT_EQ(dialog.FieldText(StandardsDialogModel::kUgr), "—");
    EXPECT_EQ(dialog.FieldText(StandardsDialogModel::kPlane), "—");
    EXPECT_EQ(dialog.FieldText(StandardsDialogModel::kU0), "—");
    // A new place goes in without the two columns the table lacks, and says so.
    ASSERT_TRUE(dialog.AddPlace({old, -1}, {"会议室", 300, 0, 6.5, 19, 80, "0.75m水平面", 0.6}));
    EXPECT_EQ(MessageTexts(),
              Strings{"\"旧大类\"的表没有参考平面和照度均匀度两列，这两项未保存。"});
    ASSERT_TRUE(dialog.Select({old, 1}));
    EXPECT_EQ(dialog.FieldText(StandardsDialogModel::kTargetLpd), "6.5");
    EXPECT_EQ(dialog.FieldText(StandardsDialogModel::kPlane), "—");
    // And it is deleted like any other.
    ASSERT_TRUE(dialog.Delete({old, -1}));
    EXPECT_FALSE(copy.HasTable("旧大类"));
}

TEST_F(StandardsDialogTest, DeletingAsksAndKeepsTreeAndCatalogueTogether) {
    dialog.Open();
    const int office = CategoryIndex("办公建筑");
    ASSERT_TRUE(dialog.Select({office, 2}));
    answer = KvMessageAnswer::No;
    EXPECT_FALSE(dialog.Delete({office, 1}));
    const size_t officePlaces = dialog.Tree()[static_cast<size_t>(office)].places.size();
    const size_t categoryCount = dialog.Tree().size();
    answer = KvMessageAnswer::Yes;
    ASSERT_TRUE(dialog.Delete({office, 1}));
    EXPECT_EQ(dialog.Selection(), (Item{office, 1})); // the selected place moved up
    Strings places;
    copy.SelectCells(places, sql::Places("办公建筑"));
    EXPECT_EQ(places, dialog.Tree()[static_cast<size_t>(office)].places);
    EXPECT_EQ(places.size(), officePlaces - 1);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, "是否确定删除?");
    EXPECT_EQ(messages[0].buttons, KvMessageButtons::YesNo);

    ASSERT_TRUE(dialog.Delete({office, -1}));
    EXPECT_EQ(dialog.Selection(), Item());
    EXPECT_EQ(dialog.Tree().size(), categoryCount - 1);
    EXPECT_FALSE(copy.HasTable("办公建筑"));
    Strings categories;
    copy.SelectCells(categories, sql::Categories());
    EXPECT_EQ(categories.size(), categoryCount - 1);

    // A category whose table went missing: its places cannot be read, and it can still be
    // deleted.
    ASSERT_EQ(copy.Execute("DROP TABLE [住宅建筑]"), 1);
    messages.clear();
    ASSERT_TRUE(dialog.Select({0, 0}));
    EXPECT_FALSE(dialog.AddPlace({0, -1}, {"新场所", 100, 0, 0, 0, 80, "", 0}));
    EXPECT_EQ(MessageTexts(), (Strings{"数据库有误", "改名字已经存在!"}));
    EXPECT_TRUE(dialog.Delete({0, -1}));
    EXPECT_EQ(dialog.Tree().front().name, "居住建筑公共机动车库");
}

TEST_F(StandardsDialogTest, WithoutACatalogueTheTreeIsEmpty) {
    CatalogueDatabase missing(access, (folder / "none.db").string(), report);
    StandardsDialogModel lost(missing, ini);
    lost.Open();
    EXPECT_TRUE(lost.Tree().empty());
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_FALSE(lost.AddCategory("新"));
    EXPECT_EQ(messages.size(), 2u);
}

class ReflectivityDialogTest : public CatalogueTest {};

TEST_F(ReflectivityDialogTest, MaterialsAndColours) {
    ReflectivityDialogModel dialog(copy, 50);
    dialog.ChooseMaterial("粉刷");
    EXPECT_EQ(dialog.Material(), "粉刷");
    EXPECT_DOUBLE_EQ(dialog.Reflectance(), 75.0);
    EXPECT_EQ(dialog.ColourButtons()[0].caption, "无");
    EXPECT_TRUE(dialog.ColourButtons()[0].enabled);
    EXPECT_FALSE(dialog.ColourButtons()[1].enabled);

    dialog.ChooseMaterial("釉面墙"); // no plain value: the shown one stays
    EXPECT_DOUBLE_EQ(dialog.Reflectance(), 75.0);
    EXPECT_EQ(dialog.ColourButtons()[4].caption, "黑色");
    EXPECT_FALSE(dialog.ColourButtons()[5].enabled);
    EXPECT_EQ(dialog.ColourButtons()[5].caption, "无");
    dialog.ChooseColour(1);
    EXPECT_DOUBLE_EQ(dialog.Reflectance(), 62.0);
    EXPECT_EQ(dialog.Colour(), "黄绿色");
    dialog.ChooseColour(5);
    EXPECT_EQ(dialog.Colour(), "黄绿色");
    EXPECT_TRUE(messages.empty());

    dialog.ChooseMaterial("没有的材料");
    EXPECT_EQ(MessageTexts(), Strings{"数据库中不存在此数据!"});
    EXPECT_FALSE(dialog.ColourButtons()[0].enabled);
    EXPECT_DOUBLE_EQ(dialog.Reflectance(), 62.0);
}

TEST_F(ReflectivityDialogTest, AtMostSixColours) {
    for (int i = 1; i <= 7; ++i) {
        ASSERT_EQ(
            copy.Execute("INSERT INTO [物体反射率] ([物体],[颜色],[反射率]) values ('试材','色" +
                         std::to_string(i) + "'," + std::to_string(10 * i) + ")"),
            1);
    }
    ReflectivityDialogModel dialog(copy);
    dialog.ChooseMaterial("试材");
    EXPECT_EQ(dialog.ColourButtons()[5].caption, "色6");
    EXPECT_TRUE(dialog.ColourButtons()[5].enabled);
    dialog.ChooseColour(5);
    EXPECT_DOUBLE_EQ(dialog.Reflectance(), 60.0);
}

TEST(ReflectivityStepsTest, PlusAndMinusStayWithinZeroAndHundred) {
    KvAccess access;
    CatalogueDatabase none(access, "");
    ReflectivityDialogModel dialog(none, 95);
    dialog.Increase();
    EXPECT_DOUBLE_EQ(dialog.Reflectance(), 100.0);
    dialog.SetReflectance(5);
    dialog.Decrease();
    EXPECT_DOUBLE_EQ(dialog.Reflectance(), 0.0);
}

} // namespace
} // namespace qv::test
