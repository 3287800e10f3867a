// The floodlight point panel over the outdoor example: points and aiming points typed in
// place, "计  算" opening the modal result window, both passes of the calculation against
// quorvel-calc, hand-corrected intensities, the aiming messages, the column widths kept in
// the settings file, the book, and screenshots (written when QV_SCREENSHOT_DIR names a
// folder).
#include "cli/CalcRunner.h"
#include "panels/CommandTable.h"
#include "report/BookReader.h"
#include "report/books/BookFolder.h"
#include "ui/FloodlightPanelWindows.h"
#include "ui/PanelGrid.h"
#include "ui/QtText.h"
#include "ui/UiTestSupport.h"

#include <kelvorin/KvIniFile.h>
#include <kelvorin/KvStr.h>

#include <QApplication>
#include <QDir>
#include <QHeaderView>

#include <filesystem>
#include <fstream>

namespace qv::test {
namespace {

using nlohmann::json;
using Result = FloodlightResultPanel;

constexpr int kFloodlights = 4; // the example's floodlights come first, then its road light
constexpr int kLuminaires = 5;

class FloodlightPointUi : public UiTest {
protected:
    // The outdoor example open in a started window, books going to a scratch folder.
    void StartSite() {
        site = Example("site_and_road.col");
        Start({}, {QString::fromStdString(site)});
        KvIniFile::WriteKey(kBookSettingsSection, kBookFolderKey, dir.File("books"),
                            dir.File("Quorvel.ini"));
        window->SetBookOpener([this](const std::string& path) { opened.push_back(path); });
    }
    FloodlightPointPanelWindow& OpenPanel(CalcPanelContext context) {
        auto* panel = new FloodlightPointPanelWindow(std::move(context), window.get());
        panel->show();
        return *panel;
    }
    FloodlightPointPanelWindow& OpenPanel() { return OpenPanel(window->PanelContext()); }

    // Types the points into the point grid, and writes them as the calculator's CSV.
    void TypePoints(FloodlightPointPanelWindow& panel,
                    const std::vector<std::vector<QString>>& points) {
        std::ofstream csv(dir.File("points.csv"));
        csv << "name,x,y,z,rx,ry,rz\n";
        for (size_t r = 0; r < points.size(); ++r) {
            Button(panel, QStringLiteral("新  增")).click();
            for (size_t c = 0; c < points[r].size(); ++c) {
                EditCell(*panel.PointGrid(), static_cast<int>(r), static_cast<int>(c) + 1,
                         points[r][c]);
                csv << FromQt(points[r][c]) << (c + 1 < points[r].size() ? "," : "\n");
            }
        }
    }
    // The floodlights aim into the site (coordinates relative to each floodlight).
    void TypeAims(FloodlightPointPanelWindow& panel) {
        const std::vector<std::array<QString, 3>> aims = {
            {"20", "15", "-15"}, {"-25", "20", "-15"}, {"-20", "-18", "-15"}, {"22", "-25", "-15"}};
        for (int r = 0; r < kFloodlights; ++r) {
            for (int c = 0; c < 3; ++c) {
                EditCell(*panel.AimingGrid(), r, c + 1,
                         aims[static_cast<size_t>(r)][static_cast<size_t>(c)]);
            }
        }
    }
    // The aiming grid as the calculator's CSV.
    std::string AimingCsv(FloodlightPointPanelWindow& panel) const {
        const std::string path = dir.File("aim.csv");
        std::ofstream csv(path);
        csv << "x,y,z\n";
        const PanelGrid& grid = *panel.AimingGrid();
        for (int r = 0; r < grid.rowCount(); ++r) {
            csv << FromQt(grid.item(r, 1)->text()) << ',' << FromQt(grid.item(r, 2)->text()) << ','
                << FromQt(grid.item(r, 3)->text()) << '\n';
        }
        return path;
    }
    json Flood(FloodlightPointPanelWindow& panel, int passes) {
        return RunCalcJson("flood " + site + " --points " + dir.File("points.csv") + " --aim " +
                           AimingCsv(panel) + " --passes " + std::to_string(passes));
    }
    static Project LoadedProject(const std::string& path) {
        Project project;
        LoadOptions readOnly;
        readOnly.writeBack = false;
        EXPECT_TRUE(LoadProject(path, project, readOnly));
        return project;
    }
    static std::string Cell(const PanelGrid& grid, int row, int column) {
        return FromQt(grid.item(row, column)->text());
    }
    // Every cell of every result row as the calculator's rows give them.
    static void ExpectRows(const PanelGrid& grid, const json& expected) {
        ASSERT_EQ(grid.rowCount(), static_cast<int>(expected["rows"].size()));
        for (int r = 0; r < grid.rowCount(); ++r) {
            const json& row = expected["rows"][static_cast<size_t>(r)];
            const auto fixed = [&row](const char* key, int decimals) {
                return KvStr::Format("%.*f", decimals, row[key].get<double>());
            };
            EXPECT_EQ(Cell(grid, r, Result::kLabel), row["label"].get<std::string>()) << r;
            EXPECT_EQ(Cell(grid, r, Result::kAlpha), fixed("alpha", 2)) << r;
            EXPECT_EQ(Cell(grid, r, Result::kBeta), fixed("beta", 2)) << r;
            EXPECT_EQ(Cell(grid, r, Result::kDelta), fixed("delta", 2)) << r;
            EXPECT_EQ(Cell(grid, r, Result::kIntensity), fixed("i", 0)) << r;
            EXPECT_EQ(Cell(grid, r, Result::kEh), fixed("eh", 3)) << r;
            EXPECT_EQ(Cell(grid, r, Result::kEv), fixed("ev", 3)) << r;
            EXPECT_EQ(Cell(grid, r, Result::kTransverse), fixed("transverse", 3)) << r;
            EXPECT_EQ(Cell(grid, r, Result::kLongitudinal), fixed("longitudinal", 3)) << r;
        }
    }
    static double Number(const PanelGrid& grid, int row, int column) {
        return KvStr::Atof(Cell(grid, row, column));
    }
    static void Screenshot(QWidget& widget, const QString& name) {
        const QString folder = qEnvironmentVariable("QV_SCREENSHOT_DIR");
        if (!folder.isEmpty()) {
            QApplication::processEvents();
            EXPECT_TRUE(widget.grab().save(QDir(folder).filePath(name)));
        }
    }

    std::string site;
    std::vector<std::string> opened;
    // Inside the site, one rotated, one raised, and one outside the site.
    const std::vector<std::vector<QString>> points = {{"P1", "10", "10", "0", "0", "0", "0"},
                                                      {"P2", "30", "20", "0.5", "0", "0", "30"},
                                                      {"P3", "55", "35", "0", "10", "0", "0"},
                                                      {"P4", "-5", "5", "0", "0", "0", "0"}};
};

TEST_F(FloodlightPointUi, BothPassesAndCorrectedIntensitiesMatchTheCalculatorAndTheBookIsWritten) {
    StartSite();
    auto& panel = OpenPanel();
    EXPECT_EQ(panel.windowTitle(), QStringLiteral("投光灯点照度计算"));
    PanelGrid& aiming = *panel.AimingGrid();
    ASSERT_EQ(aiming.rowCount(), kLuminaires); // the floodlights on opening
    EXPECT_EQ(Cell(aiming, 0, 0), "1.投光灯");
    EXPECT_EQ(panel.PointGrid()->columnWidth(0), 18);
    EXPECT_EQ(aiming.horizontalHeaderItem(3)->text(), QStringLiteral("Z"));
    EXPECT_EQ(panel.PointGrid()->horizontalHeaderItem(7)->text(), QStringLiteral("Z轴旋转"));
    EXPECT_FALSE(aiming.item(0, 0)->flags() & Qt::ItemIsEditable);

    TypePoints(panel, points);
    EXPECT_EQ(Cell(*panel.PointGrid(), 3, 0), "4");
    EditCell(*panel.PointGrid(), 1, 4, QStringLiteral("0.50")); // read back and shown again
    EXPECT_EQ(Cell(*panel.PointGrid(), 1, 4), "0.5");
    TypeAims(panel);

    Button(panel, QStringLiteral("计  算")).click();
    EXPECT_TRUE(messages.shown.empty());
    FloodlightResultWindow* result = panel.Result();
    ASSERT_NE(result, nullptr);
    EXPECT_TRUE(result->isVisible());
    EXPECT_EQ(result->windowModality(), Qt::WindowModal);
    EXPECT_EQ(result->windowTitle(), QStringLiteral("投光灯点照度计算_通过灯具光强曲线查询光强"));
    PanelGrid& grid = *result->Grid();
    // The header is 30 high, or as high as its two lines of text need.
    EXPECT_GE(grid.horizontalHeader()->height(), 30);
    EXPECT_GE(grid.horizontalHeader()->height(), grid.horizontalHeader()->sizeHint().height());
    // The columns start at their widths and widen to what they show: no text is cut.
    EXPECT_EQ(grid.columnWidth(Result::kOrdinal), 18);
    EXPECT_GE(grid.columnWidth(Result::kLabel), 80);
    EXPECT_GE(grid.columnWidth(Result::kLongitudinal), 50);
    EXPECT_EQ(ElidedTexts(grid), std::vector<std::string>());
    EXPECT_EQ(grid.horizontalHeaderItem(Result::kIntensity)->text(),
              QStringLiteral("照射方\n向光强"));

    // The first 计算 looks the intensities up and computes the illuminances with them.
    ExpectRows(grid, Flood(panel, 2));
    ASSERT_EQ(grid.rowCount(), 4 * (kLuminaires + 1));
    EXPECT_EQ(Cell(grid, 0, Result::kOrdinal), "1");
    EXPECT_EQ(Cell(grid, 0, Result::kPoint), "P1");
    EXPECT_EQ(Cell(grid, 1, Result::kPoint), "");
    EXPECT_EQ(Cell(grid, kLuminaires + 1, Result::kOrdinal), "2");
    EXPECT_EQ(Cell(grid, kLuminaires, Result::kLabel), "全部灯具");
    EXPECT_GT(Number(grid, 0, Result::kIntensity), 0.0);
    EXPECT_GT(Number(grid, kLuminaires, Result::kEh), 0.0);
    EXPECT_TRUE(grid.item(0, Result::kIntensity)->flags() & Qt::ItemIsEditable);
    EXPECT_FALSE(grid.item(0, Result::kEh)->flags() & Qt::ItemIsEditable);

    // 计算 in the result window computes again with the intensities as they stand.
    Button(*result, QStringLiteral("计  算")).click();
    const json second = Flood(panel, 2);
    ExpectRows(grid, second);
    EXPECT_GT(Number(grid, kLuminaires, Result::kEh), 0.0);
    const int outside = 3 * (kLuminaires + 1) + kLuminaires; // the total of P4
    EXPECT_EQ(Number(grid, outside, Result::kEh), 0.0);
    Screenshot(panel, QStringLiteral("panel-floodlight-point.png"));
    Screenshot(*result, QStringLiteral("panel-floodlight-result.png"));

    // A corrected intensity: its row scales with it, the point's total follows, the rest
    // stays as the calculator's second pass.
    const json& first = second["rows"][0];
    const double i = first["i"].get<double>();
    ASSERT_GT(i, 0.0);
    EditCell(grid, 0, Result::kIntensity, QStringLiteral("5000"));
    Button(*result, QStringLiteral("计  算")).click();
    EXPECT_EQ(Cell(grid, 0, Result::kIntensity), "5000");
    const double eh = first["eh"].get<double>() * 5000 / i;
    EXPECT_NEAR(Number(grid, 0, Result::kEh), eh, 1e-3);
    EXPECT_NEAR(Number(grid, 0, Result::kEv), first["ev"].get<double>() * 5000 / i, 1e-3);
    EXPECT_NEAR(Number(grid, kLuminaires, Result::kEh),
                second["rows"][kLuminaires]["eh"].get<double>() - first["eh"].get<double>() + eh,
                2e-3);
    EXPECT_EQ(Cell(grid, 1, Result::kEh),
              KvStr::Format("%.3f", second["rows"][1]["eh"].get<double>()));
    EXPECT_EQ(Cell(grid, kLuminaires + 2, Result::kEv),
              KvStr::Format("%.3f", second["rows"][kLuminaires + 2]["ev"].get<double>()));

    Button(*result, QStringLiteral("写计算书")).click();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(std::filesystem::path(opened[0]).parent_path(), dir.File("books"));
    EXPECT_TRUE(std::filesystem::exists(opened[0]));
    EXPECT_EQ(result->windowTitle(), QStringLiteral("投光灯单点照度计算书"));

    // A new calculation brings a fresh result window with the rows of the points.
    Button(panel, QStringLiteral("计  算")).click();
    ASSERT_NE(panel.Result(), nullptr);
    EXPECT_EQ(panel.Result()->windowTitle(),
              QStringLiteral("投光灯点照度计算_通过灯具光强曲线查询光强"));
    ExpectRows(*panel.Result()->Grid(), Flood(panel, 2));
    EXPECT_EQ(ElidedTexts(*panel.Result()->Grid()), std::vector<std::string>());
}

// Typed aiming points are kept with the floodlights: one undoable edit each, saved with
// the project, where a panel opened again and the calculator without --aim start.
TEST_F(FloodlightPointUi, AimingPointsAreKeptInTheProject) {
    StartSite();
    auto& panel = OpenPanel();
    const auto aims = [this] {
        std::vector<Vector> points;
        const Project project = window->PanelContext().snapshot();
        for (const Luminaire& l : project.luminaires.Items()) {
            points.push_back(l.ptAim);
        }
        return points;
    };
    TypeAims(panel);
    ASSERT_EQ(aims().size(), static_cast<size_t>(kLuminaires));
    EXPECT_EQ(aims()[0], (Vector{20, 15, -15}));
    EXPECT_EQ(aims()[3], (Vector{22, -25, -15}));
    EXPECT_EQ(aims()[4], Vector{}); // the road light's row was not typed
    EXPECT_TRUE(window->windowTitle().contains(QLatin1Char('*')));
    Trigger(kCmdUndo); // the last coordinate typed
    EXPECT_EQ(aims()[3], (Vector{22, -25, 0}));
    Trigger(kCmdRedo);
    EXPECT_EQ(aims()[3], (Vector{22, -25, -15}));

    Trigger(kCmdSave);
    EXPECT_EQ(LoadedProject(site).luminaires.At(1).ptAim, (Vector{-25, 20, -15}));
    panel.close();
    auto& again = OpenPanel();
    EXPECT_EQ(Cell(*again.AimingGrid(), 2, 1), "-20");
    EXPECT_EQ(Cell(*again.AimingGrid(), 2, 3), "-15");

    TypePoints(again, points);
    Button(again, QStringLiteral("计  算")).click();
    ASSERT_NE(again.Result(), nullptr);
    ExpectRows(*again.Result()->Grid(),
               RunCalcJson("flood " + site + " --points " + dir.File("points.csv")));
}

// The result window's book and the calculator's book of both passes over the same points
// and aiming points are one document.
TEST_F(FloodlightPointUi, TheResultWindowWritesTheCalculatorsBook) {
    StartSite();
    auto& panel = OpenPanel();
    TypePoints(panel, points);
    TypeAims(panel);
    Button(panel, QStringLiteral("计  算")).click();
    FloodlightResultWindow* result = panel.Result();
    ASSERT_NE(result, nullptr);
    Button(*result, QStringLiteral("计  算")).click();
    Button(*result, QStringLiteral("写计算书")).click();
    ASSERT_EQ(opened.size(), 1u);
    const std::string book = dir.File("flood.docx");
    const auto [status, out] = RunCalc("flood " + site + " --points " + dir.File("points.csv") +
                                       " --aim " + AimingCsv(panel) + " --passes 2 --book " + book);
    ASSERT_EQ(status, 0) << out;
    const std::string document = ZipEntry(book, "word/document.xml");
    EXPECT_NE(document.find("投光灯4对P3点照度计算:"), std::string::npos);
    EXPECT_TRUE(document == ZipEntry(opened[0], "word/document.xml"));
}

TEST_F(FloodlightPointUi, AimingMessagesAndButtonsAndTheResultRowButtons) {
    StartSite();
    // The project as the panel sees it may lose its last luminaire.
    CalcPanelContext context = window->PanelContext();
    bool fewer = false;
    context.snapshot = [full = context.snapshot, &fewer] {
        Project project = full();
        if (fewer) {
            project.luminaires.RemoveAt(project.luminaires.Count() - 1);
        }
        return project;
    };
    auto& panel = OpenPanel(context);
    PanelGrid& aiming = *panel.AimingGrid();

    // Text that is no number: the message and "0.0"; empty text and numbers are taken.
    EditCell(aiming, 0, 1, QStringLiteral("12a"));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "瞄准点坐标必须是数字，请检查。");
    EXPECT_EQ(messages.shown[0].caption, "Varsolin");
    EXPECT_EQ(messages.shown[0].icon, KvMessageIcon::Error);
    EXPECT_EQ(Cell(aiming, 0, 1), "0.0");
    EditCell(aiming, 0, 2, QString());
    EditCell(aiming, 0, 3, QStringLiteral("-7.5"));
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(Cell(aiming, 0, 3), "-7.5");

    // "同  上" copies the row above, "全部相同" the selected row into every row.
    EditCell(aiming, 1, 1, QStringLiteral("4"));
    SelectRow(aiming, 1);
    Button(panel, QStringLiteral("同  上")).click();
    EXPECT_EQ(Cell(aiming, 1, 1), "0.0");
    EXPECT_EQ(Cell(aiming, 1, 3), "-7.5");
    EditCell(aiming, 2, 1, QStringLiteral("9"));
    SelectRow(aiming, 2);
    Button(panel, QStringLiteral("全部相同")).click();
    for (int r = 0; r < kLuminaires; ++r) {
        EXPECT_EQ(Cell(aiming, r, 1), "9") << r;
    }

    // Aiming rows that no longer match the floodlights: the warning, and the rows anyway.
    TypePoints(panel, {points[0]});
    fewer = true;
    Button(panel, QStringLiteral("计  算")).click();
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].text, "瞄准点数量和灯具数量不符，请刷新。");
    EXPECT_EQ(messages.shown[1].caption, "Varsolin");
    FloodlightResultWindow* result = panel.Result();
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->Grid()->rowCount(), kLuminaires); // 4 floodlights and the total
    Button(*result, QStringLiteral("计  算")).click();
    EXPECT_EQ(messages.shown.size(), 3u);
    Button(panel, QStringLiteral("刷新信息")).click();
    EXPECT_EQ(aiming.rowCount(), kLuminaires - 1);
    Button(*result, QStringLiteral("计  算")).click();
    EXPECT_EQ(messages.shown.size(), 3u);

    // The result rows' buttons.
    PanelGrid& grid = *result->Grid();
    grid.clearSelection();
    Button(*result, QStringLiteral("修  改")).click();
    ASSERT_EQ(messages.shown.size(), 4u);
    EXPECT_EQ(messages.shown[3].text, "请先选中要修改的点！");
    EXPECT_EQ(messages.shown[3].caption, "系统提示");
    SelectRow(grid, 2);
    const std::string third = Cell(grid, 2, Result::kLabel);
    Button(*result, QStringLiteral("上  移")).click();
    EXPECT_EQ(Cell(grid, 1, Result::kLabel), third);
    Button(*result, QStringLiteral("删  除")).click();
    EXPECT_EQ(grid.rowCount(), kLuminaires - 1);
    Button(*result, QStringLiteral("清  空")).click();
    EXPECT_EQ(grid.rowCount(), 0);
}

TEST_F(FloodlightPointUi, ColumnWidthsComeFromTheSettingsFileAndAreWrittenBackOnClosing) {
    StartSite();
    const std::string settings = window->PanelContext().settings;
    const char* section = FloodlightPointPanel::kSettingsSection;
    KvIniFile::WriteKey(section, FloodlightPointPanel::kPointWidthsKey, "20#90#70#70#70#70#70#71#",
                        settings);
    KvIniFile::WriteKey(section, FloodlightPointPanel::kAimingWidthsKey, "61#52#", settings);
    auto& panel = OpenPanel();
    EXPECT_EQ(panel.PointGrid()->columnWidth(1), 90);
    EXPECT_EQ(panel.PointGrid()->columnWidth(7), 71);
    // Two items for four columns: ignored; the label column widens to its labels.
    EXPECT_GE(panel.AimingGrid()->columnWidth(0), 60);
    EXPECT_EQ(panel.AimingGrid()->columnWidth(1), 50);

    panel.PointGrid()->setColumnWidth(1, 123);
    panel.AimingGrid()->setColumnWidth(0, 77);
    panel.close();
    EXPECT_EQ(KvIniFile::ReadKey(section, FloodlightPointPanel::kPointWidthsKey, "", settings),
              "20#123#70#70#70#70#70#71#");
    EXPECT_EQ(KvIniFile::ReadKey(section, FloodlightPointPanel::kAimingWidthsKey, "", settings),
              "77#50#50#50#");
    auto& again = OpenPanel();
    EXPECT_EQ(again.PointGrid()->columnWidth(1), 123);
    EXPECT_EQ(again.AimingGrid()->columnWidth(0), 77);
    again.close();

    // Widths too narrow for what the columns show are widened, never cutting a text.
    KvIniFile::WriteKey(section, FloodlightPointPanel::kPointWidthsKey, "5#5#5#5#5#5#5#5#",
                        settings);
    KvIniFile::WriteKey(section, FloodlightPointPanel::kAimingWidthsKey, "5#5#5#5#", settings);
    auto& narrow = OpenPanel();
    TypePoints(narrow, {points[1]});
    EXPECT_EQ(ElidedTexts(*narrow.PointGrid()), std::vector<std::string>());
    EXPECT_EQ(ElidedTexts(*narrow.AimingGrid()), std::vector<std::string>());
    EXPECT_GT(narrow.AimingGrid()->columnWidth(0), 5);
}

} // namespace
} // namespace qv::test
