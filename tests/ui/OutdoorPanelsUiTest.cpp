// The floodlight unit-capacity and road lighting panels over the outdoor example: their
// grids (header row, columns, widths, drop-down lists, read-only cells), every value and
// cell they show after edits against quorvel-calc with the same edits, the refused
// minimum illuminance, the floodlight counts applied to the project, the books, and
// screenshots (written when QV_SCREENSHOT_DIR names a folder).
#include "cli/CalcRunner.h"
#include "model/FormatTruncated.h"
#include "panels/CommandTable.h"
#include "report/BookReader.h"
#include "report/books/BookFolder.h"
#include "ui/FloodCapacityPanelWindow.h"
#include "ui/PanelGrid.h"
#include "ui/QtText.h"
#include "ui/RoadLightingPanelWindow.h"
#include "ui/UiTestSupport.h"

#include <kelvorin/KvIniFile.h>
#include <kelvorin/KvStr.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace qv::test {
namespace {

using nlohmann::json;
using Rows = std::vector<std::vector<std::string>>;

class OutdoorPanelsUi : public UiTest {
protected:
    // The outdoor example (site: luminaires 1 to 4, road: its one kind of light, 5) open in
    // a started window, the books going to a scratch folder.
    MainWindow& StartSite() {
        site = Example("site_and_road.col");
        MainWindow& w = Start({}, {QString::fromStdString(site)});
        KvIniFile::WriteKey(kBookSettingsSection, kBookFolderKey, dir.File("books"),
                            dir.File("Quorvel.ini"));
        w.SetBookOpener([this](const std::string& path) { opened.push_back(path); });
        return w;
    }
    template <typename Window> Window& OpenPanel() {
        auto* panel = new Window(window->PanelContext(), window.get());
        panel->show();
        return *panel;
    }
    static std::string Shown(QWidget& panel, const char* label) {
        return FromQt(Field(panel, QString::fromUtf8(label)).text());
    }
    static std::string SecondLabel(QWidget& panel) {
        return FromQt(panel.findChild<QLabel*>(QStringLiteral("secondDensityLabel"))->text());
    }
    static std::string SecondValue(QWidget& panel) {
        return FromQt(panel.findChild<QLineEdit*>(QStringLiteral("secondDensity"))->text());
    }
    // The entries file of the calculator: the header line, then one line per row.
    std::string EntriesFile(const std::string& header, const Rows& rows) const {
        const std::string path = dir.File("entries.csv");
        std::ofstream csv(path);
        csv << header << '\n';
        for (const auto& row : rows) {
            for (size_t c = 0; c < row.size(); ++c) {
                csv << row[c] << (c + 1 < row.size() ? "," : "\n");
            }
        }
        return path;
    }
    // The lines the calculator prints without --json.
    static std::vector<std::string> Lines(const std::string& arguments) {
        const auto [status, out] = RunCalc(arguments);
        EXPECT_EQ(status, 0) << out;
        std::vector<std::string> lines;
        std::istringstream stream(out);
        for (std::string line; std::getline(stream, line);) {
            lines.push_back(line);
        }
        return lines;
    }
    // The cells the calculator prints under its header line starting with "名称".
    static Rows PrintedCells(const std::vector<std::string>& lines) {
        Rows rows;
        bool inTable = false;
        for (const std::string& line : lines) {
            if (inTable) {
                std::vector<std::string> cells;
                KvStr::SplitStrBySymbol(cells, line, "\t");
                if (!line.empty() && line.back() == '\t') {
                    cells.emplace_back(); // an empty last cell
                }
                rows.push_back(cells);
            }
            inTable = inTable || line.rfind("名称\t", 0) == 0;
        }
        return rows;
    }
    // Every cell after the row number as the calculator prints it.
    static void ExpectGridShows(const PanelGrid& grid, const Rows& printed) {
        ASSERT_EQ(grid.rowCount(), static_cast<int>(printed.size()));
        for (int r = 0; r < grid.rowCount(); ++r) {
            EXPECT_EQ(FromQt(grid.item(r, 0)->text()), std::to_string(r + 1));
            const auto& cells = printed[static_cast<size_t>(r)];
            ASSERT_EQ(static_cast<int>(cells.size()), grid.columnCount() - 1) << r;
            for (int c = 1; c < grid.columnCount(); ++c) {
                EXPECT_EQ(FromQt(grid.item(r, c)->text()), cells[static_cast<size_t>(c - 1)])
                    << "row " << r << " column " << c;
            }
        }
    }
    static void ExpectColumns(const PanelGrid& grid, const std::vector<std::string>& headers,
                              const std::vector<int>& widths, const std::set<int>& editable) {
        EXPECT_GE(grid.horizontalHeader()->height(), 30);
        EXPECT_GE(grid.horizontalHeader()->height(), grid.horizontalHeader()->sizeHint().height());
        ASSERT_EQ(grid.columnCount(), static_cast<int>(headers.size()));
        ASSERT_GT(grid.rowCount(), 0);
        EXPECT_EQ(ElidedTexts(grid), std::vector<std::string>());
        for (int c = 0; c < grid.columnCount(); ++c) {
            EXPECT_EQ(FromQt(grid.horizontalHeaderItem(c)->text()),
                      headers[static_cast<size_t>(c)]);
            // At least the panel's width, wider where a text needs it.
            EXPECT_GE(grid.columnWidth(c), widths[static_cast<size_t>(c)]) << c;
            EXPECT_EQ((grid.item(0, c)->flags() & Qt::ItemIsEditable) != 0, editable.count(c) != 0)
                << c;
        }
    }
    // The items of the drop-down list that edits the cell.
    static std::vector<std::string> DropDown(PanelGrid& grid, int row, int column) {
        grid.editItem(grid.item(row, column));
        std::vector<std::string> items;
        auto* combo = qobject_cast<QComboBox*>(grid.indexWidget(grid.model()->index(row, column)));
        if (!combo) {
            ADD_FAILURE() << "no drop-down list in column " << column;
            return items;
        }
        for (int i = 0; i < combo->count(); ++i) {
            items.push_back(FromQt(combo->itemText(i)));
        }
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(combo, &escape); // closes the list, the cell unchanged
        QApplication::processEvents();
        return items;
    }
    static void Screenshot(QWidget& widget, const QString& name) {
        const QString folder = qEnvironmentVariable("QV_SCREENSHOT_DIR");
        if (!folder.isEmpty()) {
            QApplication::processEvents();
            EXPECT_TRUE(widget.grab().save(QDir(folder).filePath(name)));
        }
    }

    // The floodlight panel's values against the calculator with the same minimum and edits.
    static void ExpectFloodMatches(FloodCapacityPanelWindow& panel, const json& expected,
                                   const std::vector<std::string>& lines) {
        EXPECT_EQ(Shown(panel, "实际照度lx"), expected["e_shown"]);
        EXPECT_EQ(Shown(panel, "提示"), expected["message"]);
        EXPECT_EQ(SecondLabel(panel), expected["lpd2_label"]);
        const std::string lpd = Shown(panel, "计算功率密度w/m2");
        const std::string second = SecondValue(panel);
        EXPECT_NE(std::find(lines.begin(), lines.end(), "计算功率密度w/m2: " + lpd), lines.end());
        EXPECT_NE(std::find(lines.begin(), lines.end(), SecondLabel(panel) + ": " + second),
                  lines.end());
        EXPECT_EQ(KvStr::Atof(lpd), expected["lpd"].get<double>());
        EXPECT_EQ(KvStr::Atof(second), expected["lpd2"].get<double>());
        for (int r = 0; r < panel.Grid()->rowCount(); ++r) {
            EXPECT_EQ(panel.Grid()->item(r, FloodCapacityPanel::kAdditional)->text().toInt(),
                      expected["entries"][static_cast<size_t>(r)]["additional"].get<int>());
        }
    }

    // The book the window wrote last and the calculator's book with the arguments are one
    // document.
    void ExpectCalculatorsBook(const std::string& arguments) {
        ASSERT_FALSE(opened.empty());
        const std::string book = dir.File("calculator.docx");
        const auto [status, out] = RunCalc(arguments + " --book " + book);
        ASSERT_EQ(status, 0) << out;
        const std::string document = ZipEntry(book, "word/document.xml");
        EXPECT_FALSE(document.empty());
        EXPECT_TRUE(document == ZipEntry(opened.back(), "word/document.xml")) << arguments;
    }

    std::string site;
    std::vector<std::string> opened;
};

TEST_F(OutdoorPanelsUi, FloodCapacityPanelAfterCellEditsShowsWhatTheCalculatorGives) {
    StartSite();
    auto& panel = OpenPanel<FloodCapacityPanelWindow>();
    EXPECT_EQ(panel.windowTitle(), QStringLiteral("投光灯单位面积容量计算"));
    PanelGrid& grid = *panel.Grid();
    using Panel = FloodCapacityPanel;
    ExpectColumns(
        grid,
        {"", "名称", "类型", "全部照射灯\n的比例", "灯具\n效率", "照度\n均匀度", "光源类型", "个数",
         "还需要"},
        {18, 80, 80, 100, 50, 60, 120, 60, 60},
        {Panel::kShare, Panel::kEfficiency, Panel::kUniformity, Panel::kLampType, Panel::kCount});
    EXPECT_EQ(DropDown(grid, 0, Panel::kShare),
              (std::vector<std::string>{"80%及其以上", "60%及其以上", "40%及其以上", "20%及其以上",
                                        "20%以下"}));
    EXPECT_EQ(DropDown(grid, 1, Panel::kLampType),
              (std::vector<std::string>{"白炽灯", "卤钨灯", "荧光高压汞灯", "金属卤化物灯",
                                        "高压钠灯", "氙灯"}));
    EXPECT_FALSE(Field(panel, QStringLiteral("平面上最低照度lx")).isReadOnly());
    EXPECT_TRUE(Field(panel, QStringLiteral("实际照度lx")).isReadOnly());

    // Calculated on opening, with the minimum at 0.
    ExpectFloodMatches(panel, RunCalcJson("floodcap " + site + " --emin 0"),
                       Lines("floodcap " + site + " --emin 0"));
    ExpectGridShows(grid, PrintedCells(Lines("floodcap " + site + " --emin 0")));

    // Every kind of cell edited; each edit recalculates at once.
    Rows typed = {{"80%及其以上", "0.6", "0.75", "金属卤化物灯", "2"},
                  {"60%及其以上", "0.65", "0.7", "高压钠灯", "1"},
                  {"40%及其以上", "0.7", "0.8", "卤钨灯", "3"},
                  {"20%以下", "0.55", "0.6", "氙灯", "1"}};
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 5; ++c) {
            EditCell(grid, r, Panel::kShare + c, ToQt(typed[static_cast<size_t>(r)][c]));
        }
    }
    EXPECT_EQ(
        Shown(panel, "实际照度lx"),
        RunCalcJson("floodcap " + site + " --emin 0 --entries " +
                    EntriesFile("share,efficiency,uniformity,lamp_type,count", typed))["e_shown"]);

    // "计  算" takes the minimum: short of it, then (more floodlights) above the site's
    // standard of 30 lx, where the third density is the standard one.
    Field(panel, QStringLiteral("平面上最低照度lx")).setText(QStringLiteral("25"));
    Button(panel, QStringLiteral("计  算")).click();
    const std::string entries = EntriesFile("share,efficiency,uniformity,lamp_type,count", typed);
    const std::string short25 = "floodcap " + site + " --emin 25 --entries " + entries;
    ExpectFloodMatches(panel, RunCalcJson(short25), Lines(short25));
    ExpectGridShows(grid, PrintedCells(Lines(short25)));
    EXPECT_EQ(Shown(panel, "提示"), "照度不满足场地最低照度，需增加灯具");
    EXPECT_EQ(SecondLabel(panel), "折算功率密度w/m2");
    EXPECT_GT(grid.item(0, Panel::kAdditional)->text().toInt(), 0);
    Screenshot(panel, QStringLiteral("panel-flood-capacity.png"));

    typed[0][4] = "20";
    EditCell(grid, 0, Panel::kCount, QStringLiteral("20"));
    Button(panel, QStringLiteral("计  算")).click();
    const std::string enough = "floodcap " + site + " --emin 25 --entries " +
                               EntriesFile("share,efficiency,uniformity,lamp_type,count", typed);
    ExpectFloodMatches(panel, RunCalcJson(enough), Lines(enough));
    ExpectGridShows(grid, PrintedCells(Lines(enough)));
    EXPECT_EQ(Shown(panel, "提示"), "照度满足场地最低照度,不需增加灯具");
    EXPECT_EQ(SecondLabel(panel), "标准功率密度w/m2");
    EXPECT_EQ(SecondValue(panel), Shown(panel, "计算功率密度w/m2"));
    EXPECT_EQ(grid.item(0, Panel::kAdditional)->text(), QStringLiteral("0"));
}

TEST_F(OutdoorPanelsUi, AMinimumIlluminanceThatIsNoNumberIsRefusedAndNothingChanges) {
    StartSite();
    auto& panel = OpenPanel<FloodCapacityPanelWindow>();
    for (int r = 0; r < 4; ++r) {
        EditCell(*panel.Grid(), r, FloodCapacityPanel::kEfficiency, QStringLiteral("0.6"));
        EditCell(*panel.Grid(), r, FloodCapacityPanel::kUniformity, QStringLiteral("0.75"));
        EditCell(*panel.Grid(), r, FloodCapacityPanel::kLampType, QStringLiteral("高压钠灯"));
    }
    Field(panel, QStringLiteral("平面上最低照度lx")).setText(QStringLiteral("10"));
    Button(panel, QStringLiteral("计  算")).click();
    const std::string shown = Shown(panel, "实际照度lx");
    const std::string message = Shown(panel, "提示");
    ASSERT_TRUE(messages.shown.empty());

    for (const QString& typed : {QStringLiteral("abc"), QStringLiteral(""), QStringLiteral("12lx"),
                                 QStringLiteral("1e999")}) {
        Field(panel, QStringLiteral("平面上最低照度lx")).setText(typed);
        Button(panel, QStringLiteral("计  算")).click();
        ASSERT_FALSE(messages.shown.empty()) << FromQt(typed);
        EXPECT_EQ(messages.shown.back().caption, "系统提示");
        EXPECT_NE(messages.shown.back().text.find("平面上最低照度lx"), std::string::npos);
        EXPECT_EQ(panel.Model().MinimumIlluminance(), 10.0);
        EXPECT_EQ(Shown(panel, "实际照度lx"), shown);
        EXPECT_EQ(Shown(panel, "提示"), message);
    }
    EXPECT_EQ(messages.shown.size(), 4u);
    Field(panel, QStringLiteral("平面上最低照度lx")).setText(QStringLiteral(" 2.5E+1 "));
    Button(panel, QStringLiteral("计  算")).click();
    EXPECT_EQ(messages.shown.size(), 4u);
    EXPECT_EQ(panel.Model().MinimumIlluminance(), 25.0);
}

TEST_F(OutdoorPanelsUi, CountsAreAppliedToTheLuminairePanelOrRefusedWhenTooMany) {
    MainWindow& w = StartSite();
    auto& road = OpenPanel<RoadLightingPanelWindow>();
    auto& panel = OpenPanel<FloodCapacityPanelWindow>();
    PanelGrid& grid = *panel.Grid();
    EditCell(grid, 0, FloodCapacityPanel::kShare, QStringLiteral("40%及其以上"));
    EditCell(grid, 0, FloodCapacityPanel::kEfficiency, QStringLiteral("0.6"));
    const std::vector<int> counts = {3, 1, 2, 0};
    for (int r = 0; r < 4; ++r) {
        EditCell(grid, r, FloodCapacityPanel::kCount, QString::number(counts[r]));
    }
    const Luminaire first = w.Registry().editing.luminaires->Working().At(0);

    // Too many: a message, and the luminaire list as it was.
    EditCell(grid, 3, FloodCapacityPanel::kCount, QStringLiteral("100000"));
    Button(panel, QStringLiteral("确定调整场内灯具数量")).click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, "系统提示");
    EXPECT_NE(messages.shown[0].text.find("100000"), std::string::npos);
    EXPECT_EQ(w.Registry().editing.luminaires->Working().Count(), 5);

    EditCell(grid, 3, FloodCapacityPanel::kCount, QStringLiteral("0"));
    Button(panel, QStringLiteral("确定调整场内灯具数量")).click();
    const LuminaireList& list = w.Registry().editing.luminaires->Working();
    ASSERT_EQ(list.Count(), 6 + 1); // 3 + 1 + 2 + 0 floodlights, then the road's light
    EXPECT_EQ(list.At(0).ptCenter, first.ptCenter);
    EXPECT_EQ(list.At(0).unitCapacity.sShareClass, "40%及其以上");
    for (const int copy : {1, 2}) {
        EXPECT_EQ(list.At(copy).sModel, first.sModel);
        EXPECT_EQ(list.At(copy).ptCenter.x, -1.0);
        EXPECT_EQ(list.At(copy).ptCenter.y, -1.0);
        EXPECT_EQ(list.At(copy).ptCenter.z, first.ptCenter.z);
    }
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(list.At(i).unitCapacity.nCount, 1) << i;
        EXPECT_EQ(list.At(i).unitCapacity.nNeeded, 1) << i;
    }
    const Project project = w.PanelContext().snapshot();
    EXPECT_EQ(project.room.nStartNum, 1);
    EXPECT_EQ(project.room.nEndNum, 6);
    EXPECT_EQ(project.road.m_nStartNum, 7);
    EXPECT_EQ(project.road.m_nEndNum, 7);

    // The next calculation of either panel takes the moved ranges.
    Button(panel, QStringLiteral("计  算")).click();
    EXPECT_EQ(grid.rowCount(), 6);
    EXPECT_EQ(grid.item(5, FloodCapacityPanel::kCount)->text(), QStringLiteral("1"));
    Button(road, QStringLiteral("计  算")).click();
    ASSERT_EQ(road.Grid()->rowCount(), 1);
    EXPECT_EQ(road.Grid()->item(0, 1)->text(), QStringLiteral("道路照明灯"));
}

TEST_F(OutdoorPanelsUi, RoadPanelAfterCellEditsShowsWhatTheCalculatorGives) {
    StartSite();
    auto& panel = OpenPanel<RoadLightingPanelWindow>();
    EXPECT_EQ(panel.windowTitle(), QStringLiteral("道路照明计算"));
    PanelGrid& grid = *panel.Grid();
    using Panel = RoadLightingPanel;
    ExpectColumns(
        grid, {"", "名称", "类型", "排列方式", "间距", "灯杆高度", "仰角", "利用系数", "计算间距"},
        {18, 80, 80, 120, 50, 60, 50, 60, 60},
        {Panel::kArrangement, Panel::kSpacing, Panel::kPoleHeight, Panel::kElevation,
         Panel::kUtilization});
    EXPECT_EQ(DropDown(grid, 0, Panel::kArrangement),
              (std::vector<std::string>{"单侧", "双侧交错", "双侧对称"}));
    EXPECT_TRUE(Field(panel, QStringLiteral("实际照度lx")).isReadOnly());
    const json opening = RunCalcJson("road " + site);
    EXPECT_EQ(Shown(panel, "实际照度lx"), opening["e_shown"]);
    EXPECT_EQ(Shown(panel, "提示"), opening["message"]);
    ExpectGridShows(grid, PrintedCells(Lines("road " + site)));

    // Short of the road's 20 lx: the light gets the spacing that would reach it.
    Rows typed = {{"双侧交错", "25", "10", "5", "0.03"}};
    for (int c = 0; c < 5; ++c) {
        EditCell(grid, 0, Panel::kArrangement + c, ToQt(typed[0][static_cast<size_t>(c)]));
    }
    Button(panel, QStringLiteral("计  算")).click();
    const std::string header = "arrangement,spacing,pole_height,elevation,u";
    const std::string edited = "road " + site + " --entries " + EntriesFile(header, typed);
    const json expected = RunCalcJson(edited);
    EXPECT_EQ(Shown(panel, "实际照度lx"), expected["e_shown"]);
    EXPECT_EQ(Shown(panel, "提示"), "照度不满足道路照度标准，需增加灯具");
    EXPECT_EQ(Shown(panel, "提示"), expected["message"]);
    ExpectGridShows(grid, PrintedCells(Lines(edited)));
    EXPECT_EQ(FromQt(grid.item(0, Panel::kComputedSpacing)->text()),
              FormatTruncated(expected["entries"][0]["computed_spacing"].get<double>(), 3));
    EXPECT_NE(grid.item(0, Panel::kComputedSpacing)->text(), QStringLiteral("0.000"));
    Screenshot(panel, QStringLiteral("panel-road.png"));

    // A text outside the list counts as 3; with enough light the spacing is its own.
    typed[0][0] = "四侧";
    typed[0][4] = "0.9";
    EditCell(grid, 0, Panel::kArrangement, QStringLiteral("四侧"));
    EditCell(grid, 0, Panel::kUtilization, QStringLiteral("0.9"));
    const std::string bright = "road " + site + " --entries " + EntriesFile(header, typed);
    EXPECT_EQ(RunCalcJson(bright)["entries"][0]["n"], 3);
    EXPECT_EQ(Shown(panel, "实际照度lx"), RunCalcJson(bright)["e_shown"]);
    EXPECT_EQ(Shown(panel, "提示"), "照度满足道路照度标准,不需增加灯具");
    ExpectGridShows(grid, PrintedCells(Lines(bright)));
    EXPECT_EQ(grid.item(0, Panel::kComputedSpacing)->text(), QStringLiteral("25.000"));
}

// The typed grid values are kept with the road light: one undoable edit each, saved with
// the project, where the panel opened again and the calculator without entries start.
TEST_F(OutdoorPanelsUi, RoadValuesAreKeptInTheProject) {
    StartSite();
    auto& panel = OpenPanel<RoadLightingPanelWindow>();
    PanelGrid& grid = *panel.Grid();
    using Panel = RoadLightingPanel;
    const auto kept = [this] { return window->PanelContext().snapshot().luminaires.At(4).road; };
    EXPECT_FALSE(kept().has_value());
    EditCell(grid, 0, Panel::kUtilization, QStringLiteral("0.3"));
    EditCell(grid, 0, Panel::kSpacing, QStringLiteral("28"));
    ASSERT_TRUE(kept().has_value());
    EXPECT_EQ(*kept(), (RoadLightValues{"双侧对称", 28, 10, 0, 0.3}));
    const std::string shown = Shown(panel, "实际照度lx");
    Trigger(kCmdUndo); // the spacing
    ASSERT_TRUE(kept().has_value());
    EXPECT_EQ(kept()->dSpacing, 30);
    Trigger(kCmdRedo);
    EXPECT_EQ(kept()->dSpacing, 28);

    Trigger(kCmdSave);
    const json saved = RunCalcJson("road " + site);
    EXPECT_EQ(saved["e_shown"], shown);
    EXPECT_EQ(saved["message"], Shown(panel, "提示"));
    const Rows cells = PrintedCells(Lines("road " + site));
    panel.close();
    auto& again = OpenPanel<RoadLightingPanelWindow>();
    EXPECT_EQ(Shown(again, "实际照度lx"), shown);
    ExpectGridShows(*again.Grid(), cells);
    EXPECT_EQ(FromQt(again.Grid()->item(0, Panel::kSpacing)->text()), "28");
}

TEST_F(OutdoorPanelsUi, BothPanelsWriteTheirBooksAndTakeTheBooksCaptions) {
    StartSite();
    auto& flood = OpenPanel<FloodCapacityPanelWindow>();
    Button(flood, QStringLiteral("写计算书")).click();
    EXPECT_EQ(flood.windowTitle(), QStringLiteral("投光灯单位容量法照度计算"));
    auto& road = OpenPanel<RoadLightingPanelWindow>();
    Button(road, QStringLiteral("写计算书")).click();
    EXPECT_EQ(road.windowTitle(), QStringLiteral("利用系数法照度计算书"));
    ASSERT_EQ(opened.size(), 2u);
    for (const std::string& path : opened) {
        EXPECT_EQ(std::filesystem::path(path).parent_path(), dir.File("books"));
        EXPECT_TRUE(std::filesystem::exists(path)) << path;
    }
    EXPECT_EQ(std::filesystem::path(opened[0]).filename(), "投光灯单位容量法照度计算计算书.docx");
}

TEST_F(OutdoorPanelsUi, BothPanelsWriteTheCalculatorsBooksAfterCellEdits) {
    StartSite();
    auto& flood = OpenPanel<FloodCapacityPanelWindow>();
    const Rows floodTyped = {{"80%及其以上", "0.6", "0.75", "金属卤化物灯", "2"},
                             {"60%及其以上", "0.65", "0", "高压钠灯", "1"},
                             {"40%及其以上", "0.7", "0.8", "卤钨灯", "3"},
                             {"20%以下", "0.55", "0.6", "氙灯", "1"}};
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 5; ++c) {
            EditCell(*flood.Grid(), r, FloodCapacityPanel::kShare + c,
                     ToQt(floodTyped[static_cast<size_t>(r)][static_cast<size_t>(c)]));
        }
    }
    Field(flood, QStringLiteral("平面上最低照度lx")).setText(QStringLiteral("25"));
    Button(flood, QStringLiteral("计  算")).click();
    Button(flood, QStringLiteral("写计算书")).click();
    ExpectCalculatorsBook("floodcap " + site + " --emin 25 --entries " +
                          EntriesFile("share,efficiency,uniformity,lamp_type,count", floodTyped));

    // An arrangement outside the list, which the book names as typed.
    auto& road = OpenPanel<RoadLightingPanelWindow>();
    const Rows roadTyped = {{"四侧", "28", "10", "15", "0.04"}};
    for (int c = 0; c < 5; ++c) {
        EditCell(*road.Grid(), 0, RoadLightingPanel::kArrangement + c,
                 ToQt(roadTyped[0][static_cast<size_t>(c)]));
    }
    Button(road, QStringLiteral("计  算")).click();
    Button(road, QStringLiteral("写计算书")).click();
    ASSERT_EQ(opened.size(), 2u);
    ExpectCalculatorsBook("road " + site + " --entries " +
                          EntriesFile("arrangement,spacing,pole_height,elevation,u", roadTyped));
}

} // namespace
} // namespace qv::test
