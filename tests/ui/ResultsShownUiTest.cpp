// What the calculation panels show before and after a calculation, driven in the running
// window: a new project's panels show no results and no "满足" until there is something
// to calculate, and the main window's luminaire grid shows its models, curve and table
// names whole, however long.
#include "panels/CommandTable.h"
#include "ui/CalcPanelHost.h"
#include "ui/GridPanelWindow.h"
#include "ui/LumenMethodPanelWindow.h"
#include "ui/LuminairePanelView.h"
#include "ui/PanelGrid.h"
#include "ui/QtText.h"
#include "ui/SinglePointPanelWindow.h"
#include "ui/UiTestSupport.h"
#include "ui/UnitCapacityPanelWindow.h"

#include <QApplication>

#include <filesystem>

namespace qv::test {
namespace {

class ResultsShownUi : public UiTest {
protected:
    static std::string Shown(QWidget& panel, const char* label) {
        return FromQt(Field(panel, QString::fromUtf8(label)).text());
    }
    static std::string SecondDensity(QWidget& panel) {
        return FromQt(panel.findChild<QLineEdit*>(QStringLiteral("secondDensity"))->text());
    }
};

TEST_F(ResultsShownUi, PanelsOfANewProjectShowNoResultsUntilThereIsSomethingToCalculate) {
    std::filesystem::copy_file(QV_CATALOGUE_PATH, dir.File("Lamps.db"));
    Start({StartChoice::kNewIndoor});

    auto& lumen = Open<LumenMethodPanelWindow>(kCmdLumenMethod);
    EXPECT_EQ(Shown(lumen, "实际照度lx"), "—");
    EXPECT_EQ(SecondDensity(lumen), "—");
    EXPECT_EQ(Shown(lumen, "提示"), "尚未计算：房间没有灯具，请先布置灯具");
    Button(lumen, QStringLiteral("计  算")).click();
    EXPECT_EQ(Shown(lumen, "提示").find("满足"), std::string::npos);

    auto& unit = Open<UnitCapacityPanelWindow>(kCmdUnitCapacity);
    EXPECT_EQ(Shown(unit, "实际照度lx"), "—");
    EXPECT_EQ(SecondDensity(unit), "—");
    EXPECT_EQ(Shown(unit, "提示").rfind("尚未计算：", 0), 0u);

    auto& grid = Open<GridPanelWindow>(kCmdGridIlluminance);
    for (const char* label :
         {"最大照度lx", "最小照度lx", "平均照度lx", "工作区均匀度", "照度均匀度U0"}) {
        EXPECT_EQ(Shown(grid, label), "") << label;
    }
    EXPECT_EQ(SecondDensity(grid), "");

    auto& point = Open<SinglePointPanelWindow>(kCmdPointIlluminance);
    Button(point, QStringLiteral("新  增")).click();
    PanelGrid& points = *point.Grid();
    ASSERT_EQ(points.rowCount(), 1);
    for (int column : {SinglePointPanel::kHorizontal, SinglePointPanel::kVertical,
                       SinglePointPanel::kInclined}) {
        EXPECT_EQ(points.item(0, column)->text(), QString()) << column;
    }
    Button(point, QStringLiteral("计  算")).click();
    EXPECT_EQ(points.item(0, SinglePointPanel::kHorizontal)->text(), QStringLiteral("0.00"));
}

TEST_F(ResultsShownUi, TheLuminaireGridShowsItsTextsWhole) {
    Start({}, {QString::fromStdString(Example("office.cil"))});
    QTableWidget& grid = *window->LuminaireView()->Grid();
    ASSERT_GT(grid.rowCount(), 0);
    EXPECT_EQ(ElidedTexts(grid), std::vector<std::string>());

    // A luminaire with long names, added with "增  加", widens its columns.
    Luminaire wide = window->Registry().editing.luminaires->Working().At(0);
    wide.sModel = "T5 3×28W 高效格栅荧光灯盘 嵌入式 带应急电源 (例)";
    wide.sLightsTable = "格栅灯盘配光曲线 蝙蝠翼型 宽配光 实测 2024";
    wide.sModulusTable = "格栅灯盘利用系数表 顶棚70 墙50 地20 实测";
    dialogs.luminaires.push_back(wide);
    Button(*window->LuminaireView(), QStringLiteral("增  加")).click();
    ASSERT_EQ(grid.rowCount(), window->Registry().editing.luminaires->Working().Count());
    EXPECT_EQ(ElidedTexts(grid), std::vector<std::string>());
}

} // namespace
} // namespace qv::test
