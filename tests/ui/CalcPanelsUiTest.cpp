// The indoor calculation panels in the running window: their life (one per kind,
// restored, recreated after close, gone after a kind switch), each panel's buttons
// against quorvel-calc on the same project, the books written into the books folder,
// the grid's result picture with its bitmap, the plan overlay of the point panel and the
// grid's vertical plane, and screenshots (written when QV_SCREENSHOT_DIR names a folder).
#include "cli/CalcRunner.h"
#include "panels/CommandTable.h"
#include "report/BookReader.h"
#include "report/PdfConverter.h"
#include "report/books/BookFolder.h"
#include "ui/AreaSourcePanelWindows.h"
#include "ui/FloodCapacityPanelWindow.h"
#include "ui/FloodlightPanelWindows.h"
#include "ui/GridPanelWindow.h"
#include "ui/GridResultWindow.h"
#include "ui/LumenMethodPanelWindow.h"
#include "ui/LuminairePanelView.h"
#include "ui/PanelGrid.h"
#include "ui/QtText.h"
#include "ui/RoadLightingPanelWindow.h"
#include "ui/ScalarPanelWindow.h"
#include "ui/SinglePointPanelWindow.h"
#include "ui/StatusPanes.h"
#include "ui/UiTestSupport.h"
#include "ui/UnitCapacityPanelWindow.h"

#include <kelvorin/KvFile.h>
#include <kelvorin/KvIniFile.h>
#include <kelvorin/KvStr.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <filesystem>
#include <fstream>
#include <mutex>
#include <set>

namespace qv::test {
namespace {

using nlohmann::json;

class CalcPanelsUi : public UiTest {
protected:
    // The office example open in a started window, the catalogue in the text folder and
    // the books going to a scratch folder.
    MainWindow& StartOffice() {
        std::filesystem::copy_file(QV_CATALOGUE_PATH, dir.File("Lamps.db"));
        office = Example("office.cil");
        MainWindow& w = Start({}, {QString::fromStdString(office)});
        KvIniFile::WriteKey(kBookSettingsSection, kBookFolderKey, dir.File("books"),
                            dir.File("Quorvel.ini"));
        w.SetBookOpener([this](const std::string& path) { opened.push_back(path); });
        return w;
    }
    static QString Shown(QWidget& panel, const QString& label) {
        return Field(panel, label).text();
    }
    static std::string Two(double value) { return KvStr::Format("%.2f", value); }
    static void Screenshot(QWidget& widget, const QString& name) {
        const QString folder = qEnvironmentVariable("QV_SCREENSHOT_DIR");
        if (!folder.isEmpty()) {
            QApplication::processEvents();
            EXPECT_TRUE(widget.grab().save(QDir(folder).filePath(name)));
        }
    }
    // The document part of the book quorvel-calc writes for the arguments, to compare a
    // book of the window with (the two come from one record of the same calculation).
    std::string CalculatorBook(const std::string& arguments) {
        const std::string path = dir.File("calculator-book.docx");
        RunCalcJson(arguments + " --book " + path);
        std::string part = ZipEntry(path, "word/document.xml");
        EXPECT_FALSE(part.empty()) << arguments;
        return part;
    }
    static QString SecondLabel(QWidget& panel) {
        auto* label = panel.findChild<QLabel*>(QStringLiteral("secondDensityLabel"));
        return label ? label->text() : QString();
    }

    std::string office;
    std::vector<std::string> opened;
};

TEST_F(CalcPanelsUi, APanelIsRestoredWhileOpenRecreatedAfterCloseAndGoneAfterAKindSwitch) {
    MainWindow& w = StartOffice();
    for (const int id : {kCmdPointIlluminance, kCmdGridIlluminance, kCmdLumenMethod, kCmdSpherical,
                         kCmdCylindrical, kCmdUnitCapacity}) {
        EXPECT_TRUE(w.Action(id)->isEnabled()) << id;
    }
    auto& first = Open<SinglePointPanelWindow>(kCmdPointIlluminance);
    EXPECT_TRUE(first.isVisible());
    EXPECT_EQ(first.windowTitle(), QStringLiteral("单点照度计算"));
    Button(first, QStringLiteral("新  增")).click();

    first.showMinimized();
    EXPECT_EQ(&Open<SinglePointPanelWindow>(kCmdPointIlluminance), &first);
    EXPECT_FALSE(first.isMinimized());
    EXPECT_EQ(first.Model().Points().RowCount(), 1); // the same panel with its point

    first.close();
    auto& fresh = Open<SinglePointPanelWindow>(kCmdPointIlluminance);
    EXPECT_EQ(fresh.Model().Points().RowCount(), 0); // a fresh panel
    EXPECT_TRUE(fresh.isVisible());

    // One slot per kind: the spherical and cylindrical twins are two panels.
    auto& spherical = Open<ScalarPanelWindow>(kCmdSpherical);
    auto& cylindrical = Open<ScalarPanelWindow>(kCmdCylindrical);
    EXPECT_NE(&spherical, &cylindrical);
    EXPECT_EQ(cylindrical.windowTitle(), QStringLiteral("平均柱面照度计算"));

    dialogs.files.push_back(Example("site_and_road.col"));
    Trigger(kCmdOpen);
    for (const int id : {kCmdPointIlluminance, kCmdSpherical, kCmdCylindrical}) {
        EXPECT_EQ(w.CalcPanels().Panel(id), nullptr) << id;
    }
}

TEST_F(CalcPanelsUi, EveryCalculationCommandOfBothKindsOpensItsPanel) {
    MainWindow& w = StartOffice();
    const std::vector<std::pair<int, QString>> indoor = {
        {kCmdRectSource, QStringLiteral("矩形等亮度面光源的点照度计算")},
        {kCmdNonUniformSource, QStringLiteral("矩形非等亮度面光源的点照度计算")},
        {kCmdCircleSource, QStringLiteral("圆形等亮度面光源的点照度计算")}};
    const std::vector<std::pair<int, QString>> outdoor = {
        {kCmdFloodPoint, QStringLiteral("投光灯点照度计算")},
        {kCmdFloodUnitCapacity, QStringLiteral("投光灯单位面积容量计算")},
        {kCmdRoadLumenMethod, QStringLiteral("道路照明计算")}};
    const auto openEach = [&](const std::vector<std::pair<int, QString>>& commands) {
        for (const auto& [id, title] : commands) {
            ASSERT_TRUE(w.Action(id)->isEnabled()) << id;
            Trigger(id);
            QWidget* panel = w.CalcPanels().Panel(id);
            ASSERT_NE(panel, nullptr) << id;
            EXPECT_EQ(panel->windowTitle(), title);
            EXPECT_TRUE(panel->isVisible());
        }
    };
    openEach(indoor);
    EXPECT_NE(w.CalcPanels().PanelAs<RectAreaSourceWindow>(kCmdRectSource), nullptr);
    EXPECT_NE(w.CalcPanels().PanelAs<CircleAreaSourceWindow>(kCmdCircleSource), nullptr);

    dialogs.files.push_back(Example("site_and_road.col"));
    Trigger(kCmdOpen);
    EXPECT_EQ(w.CalcPanels().Panel(kCmdRectSource), nullptr);
    openEach(outdoor);
    EXPECT_NE(w.CalcPanels().PanelAs<FloodlightPointPanelWindow>(kCmdFloodPoint), nullptr);
    EXPECT_NE(w.CalcPanels().PanelAs<FloodCapacityPanelWindow>(kCmdFloodUnitCapacity), nullptr);
    QPointer<RoadLightingPanelWindow> road =
        w.CalcPanels().PanelAs<RoadLightingPanelWindow>(kCmdRoadLumenMethod);
    ASSERT_NE(road, nullptr);
    road->close();
    Trigger(kCmdRoadLumenMethod);
    EXPECT_TRUE(road.isNull()); // a fresh one after close
    EXPECT_NE(w.CalcPanels().Panel(kCmdRoadLumenMethod), nullptr);
}

TEST_F(CalcPanelsUi, SinglePointPanelShowsTheCalculatorsValuesAndItsPointsInThePlan) {
    StartOffice();
    auto& panel = Open<SinglePointPanelWindow>(kCmdPointIlluminance);
    PanelGrid& grid = *panel.Grid();
    const std::vector<std::vector<QString>> typed = {{"A1", "3", "2", "0.75", "0", "0", "0"},
                                                     {"A2", "6", "3.6", "0.75", "30", "0", "45"},
                                                     {"B7", "11.5", "0.2", "1", "0", "60", "0"}};
    for (size_t r = 0; r < typed.size(); ++r) {
        Button(panel, QStringLiteral("新  增")).click();
        for (int c = 0; c < 7; ++c) {
            EditCell(grid, static_cast<int>(r), c + 1, typed[r][static_cast<size_t>(c)]);
        }
    }
    Button(panel, QStringLiteral("计  算")).click();

    std::ofstream csv(dir.File("points.csv"));
    csv << "name,x,y,z,rx,ry,rz\n";
    for (const auto& row : typed) {
        for (size_t c = 0; c < row.size(); ++c) {
            csv << FromQt(row[c]) << (c + 1 < row.size() ? "," : "\n");
        }
    }
    csv.close();
    const json expected = RunCalcJson("point " + office + " --points " + dir.File("points.csv"));
    ASSERT_EQ(grid.rowCount(), 3);
    for (int r = 0; r < 3; ++r) {
        const json& point = expected["points"][static_cast<size_t>(r)];
        EXPECT_EQ(FromQt(grid.item(r, 1)->text()), point["name"].get<std::string>());
        EXPECT_EQ(FromQt(grid.item(r, 8)->text()), Two(point["eh"])) << r;
        EXPECT_EQ(FromQt(grid.item(r, 9)->text()), Two(point["ev"])) << r;
        EXPECT_EQ(FromQt(grid.item(r, 10)->text()), Two(point["ei"])) << r;
    }
    EXPECT_GT(KvStr::Atof(FromQt(grid.item(0, 8)->text())), 100.0);
    EXPECT_GE(window->Drawing().overlay.size(), 3u); // the points over the plan
    Button(panel, QStringLiteral("写计算书")).click();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(ZipEntry(opened[0], "word/document.xml"),
              CalculatorBook("point " + office + " --points " + dir.File("points.csv")));

    // Without a selection "修  改" and "删  除" refuse.
    grid.clearSelection();
    Button(panel, QStringLiteral("删  除")).click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "请先选中要删除的点！");
    EXPECT_EQ(messages.shown[0].caption, "系统提示");
    SelectRow(grid, 2);
    Button(panel, QStringLiteral("上  移")).click();
    EXPECT_EQ(grid.item(1, 1)->text(), QString::fromStdString(expected["points"][2]["name"]));
    Screenshot(panel, QStringLiteral("panel-single-point.png"));
}

TEST_F(CalcPanelsUi, GridPanelHorizontalAndVerticalMatchTheCalculatorAndDrawTheirPicture) {
    StartOffice();
    auto& panel = Open<GridPanelWindow>(kCmdGridIlluminance);
    // "绘 制" before any calculation.
    Button(panel, QStringLiteral("绘 制")).click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "没有计算结果!");

    // The density spin: steps of ten, not below 11 downwards.
    panel.DensitySpin()->stepBy(-1);
    EXPECT_EQ(panel.Model().density, 190);
    panel.DensitySpin()->setValue(10);
    panel.DensitySpin()->stepBy(-1);
    EXPECT_EQ(panel.Model().density, 10);
    panel.DensitySpin()->setValue(60);

    Button(panel, QStringLiteral("水平照度")).click();
    panel.WaitForCalculation();
    const json h = RunCalcJson("grid " + office + " --density 60");
    EXPECT_EQ(FromQt(Shown(panel, QStringLiteral("最大照度lx"))), h["max_shown"]);
    EXPECT_EQ(FromQt(Shown(panel, QStringLiteral("最小照度lx"))), h["min_shown"]);
    EXPECT_EQ(FromQt(Shown(panel, QStringLiteral("平均照度lx"))), h["avg_shown"]);
    EXPECT_EQ(KvStr::Atof(FromQt(Shown(panel, QStringLiteral("工作区均匀度")))),
              h["uniformity"].get<double>());
    EXPECT_EQ(FromQt(Shown(panel, QStringLiteral("照度均匀度U0"))), h["u0_shown"]);
    EXPECT_GT(h["u0"].get<double>(), 0.0);
    EXPECT_EQ(KvStr::Atof(FromQt(Shown(panel, QStringLiteral("计算功率密度")))),
              h["lpd"].get<double>());
    EXPECT_EQ(FromQt(SecondLabel(panel)), h["lpd2_label"]);
    ASSERT_EQ(panel.LegendTable()->rowCount(), static_cast<int>(h["legend"].size()));
    EXPECT_EQ(FromQt(panel.LegendTable()->item(0, 1)->text()), h["legend"][0]["value_shown"]);
    EXPECT_EQ(panel.IntervalSpin()->value(), h["interval"].get<int>());
    Screenshot(panel, QStringLiteral("panel-grid.png"));

    // The area picture and its bitmap.
    Button(panel, QStringLiteral("面")).click();
    Button(panel, QStringLiteral("绘 制")).click();
    auto* picture = qobject_cast<GridResultWindow*>(panel.Picture());
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->windowTitle(), QStringLiteral("计算结果图形输出"));
    const QImage image = picture->Render(QSize(646, 505));
    EXPECT_NE(image.pixelColor(323, 252), QColor(Qt::white)); // the room is filled
    Screenshot(*picture, QStringLiteral("panel-grid-picture.png"));
    dialogs.files.push_back(dir.File("grid.bmp"));
    Button(*picture, QStringLiteral("保存BMP")).click();
    EXPECT_EQ(dialogs.fileDialogs.back().filter, "位图 (.bmp) |*.bmp||");
    const QImage saved(QString::fromStdString(dir.File("grid.bmp")), "BMP");
    EXPECT_EQ(saved.size(), QSize(646, 505));
    dialogs.files.push_back(dir.File("missing/folder/grid.bmp"));
    Button(*picture, QStringLiteral("保存BMP")).click();
    EXPECT_EQ(messages.shown.back().caption, "系统提示"); // a bitmap that cannot be written

    // After a horizontal run the window opens on the isolux picture; the forms stay a
    // choice away, and the picture saves as PNG and SVG.
    EXPECT_EQ(picture->CurrentView(), GridResultWindow::kIsolux);
    EXPECT_EQ(picture->ViewList()->currentText(), QStringLiteral("等照度图"));
    const QImage isolux = picture->RenderView(QSize(646, 505));
    EXPECT_NE(isolux, picture->Render(QSize(646, 505)));
    picture->ViewList()->setCurrentIndex(3);
    EXPECT_EQ(picture->CurrentView(), GridResultWindow::kAreas);
    EXPECT_EQ(picture->RenderView(QSize(646, 505)), picture->Render(QSize(646, 505)));
    picture->ViewList()->setCurrentIndex(0);
    dialogs.files.push_back(dir.File("grid.png"));
    Button(*picture, QStringLiteral("保存PNG")).click();
    EXPECT_EQ(dialogs.fileDialogs.back().defaultExtension, "png");
    const QImage png(QString::fromStdString(dir.File("grid.png")), "PNG");
    EXPECT_EQ(png.width(), 2000);
    dialogs.files.push_back(dir.File("grid.svg"));
    Button(*picture, QStringLiteral("保存SVG")).click();
    EXPECT_EQ(dialogs.fileDialogs.back().defaultExtension, "svg");
    std::string svg;
    ASSERT_EQ(KvFile::ReadAll(dir.File("grid.svg"), svg), KvFileRead::Ok);
    EXPECT_NE(svg.find("水平照度等照度图"), std::string::npos);
    const size_t shown = messages.shown.size();
    dialogs.files.push_back(dir.File("missing/folder/grid.svg"));
    Button(*picture, QStringLiteral("保存SVG")).click();
    ASSERT_EQ(messages.shown.size(), shown + 1);
    EXPECT_NE(messages.shown.back().text.find("无法写入"), std::string::npos);

    // The vertical plane, drawn over the plan as soon as its ends are typed.
    const std::vector<std::pair<QString, QString>> ends = {
        {"起点:X", "0"}, {"起点:Y", "3.6"}, {"终点:X", "12"}, {"终点:Y", "3.6"}};
    for (const auto& [label, text] : ends) {
        QLineEdit& edit = Field(panel, label);
        edit.setText(text);
        emit edit.editingFinished();
    }
    ASSERT_EQ(window->Drawing().overlay.size(), 1u);
    Button(panel, QStringLiteral("垂直照度")).click();
    panel.WaitForCalculation();
    const json v = RunCalcJson("grid " + office + " --density 60 --vertical 0,3.6,12,3.6");
    EXPECT_EQ(FromQt(Shown(panel, QStringLiteral("最大照度lx"))), v["max_shown"]);
    EXPECT_EQ(FromQt(Shown(panel, QStringLiteral("平均照度lx"))), v["avg_shown"]);
    EXPECT_EQ(FromQt(Shown(panel, QStringLiteral("计算功率密度"))), "0");
    // The working plane's uniformities are not the vertical plane's: both give way.
    EXPECT_EQ(FromQt(Shown(panel, QStringLiteral("工作区均匀度"))), "—");
    EXPECT_EQ(FromQt(Shown(panel, QStringLiteral("照度均匀度U0"))), "—");
    EXPECT_EQ(v["u0_shown"], "—");

    Button(panel, QStringLiteral("写计算书")).click();
    EXPECT_EQ(panel.windowTitle(), QStringLiteral("垂直面照度计算书"));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(std::filesystem::path(opened[0]).filename(), "垂直照度计算计算书.docx");
}

// "另存为PDF" beside "写计算书": without LibreOffice the .docx is kept and the user is
// told; with it the PDF beside the book is what is shown.
TEST_F(CalcPanelsUi, BookSavedAsPdfOrTheUserIsToldWhyNot) {
    StartOffice();
    auto& panel = Open<GridPanelWindow>(kCmdGridIlluminance);
    Button(panel, QStringLiteral("水平照度")).click();
    panel.WaitForCalculation();
    const std::string searchPath = qEnvironmentVariable("PATH").toStdString();
    setenv("PATH", dir.File("no-programs").c_str(), 1);
    const size_t shown = messages.shown.size();
    Button(panel, QStringLiteral("另存为PDF")).click();
    setenv("PATH", searchPath.c_str(), 1);
    ASSERT_EQ(messages.shown.size(), shown + 1);
    const std::string& text = messages.shown.back().text;
    EXPECT_EQ(text.rfind("没有安装LibreOffice(soffice)，无法另存为PDF；计算书已保存为：", 0), 0u);
    EXPECT_TRUE(std::filesystem::exists(text.substr(text.rfind("：") + std::string("：").size())));
    EXPECT_TRUE(opened.empty()); // the .docx is not shown in place of the PDF

    if (FindPdfConverter().empty()) {
        GTEST_SKIP() << "LibreOffice is not installed";
    }
    Button(panel, QStringLiteral("另存为PDF")).click();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(std::filesystem::path(opened[0]).extension(), ".pdf");
    EXPECT_GT(std::filesystem::file_size(opened[0]), 0u);
    EXPECT_EQ(messages.shown.size(), shown + 1);
}

// Records the texts of the progress reports as the calculation sends them (the window
// sees them later, through its event loop) and passes them on to the window.
class ProgressSpy {
public:
    ProgressSpy() : m_window(KvProgressSink::Install(nullptr)) {
        KvProgressSink::Install([this](const std::string& text, int position, int range) {
            {
                const std::lock_guard lock(m_mutex);
                m_texts.insert(text);
            }
            m_window(text, position, range);
        });
    }
    ~ProgressSpy() { KvProgressSink::Install(m_window); }
    bool Saw(const std::string& text) {
        const std::lock_guard lock(m_mutex);
        return m_texts.count(text) > 0;
    }

private:
    KvProgressHandler m_window;
    std::mutex m_mutex;
    std::set<std::string> m_texts;
};

TEST_F(CalcPanelsUi, ALongGridRunShowsItsProgressKeepsTheWindowAliveAndCanBeCancelled) {
    StartOffice();
    auto& panel = Open<GridPanelWindow>(kCmdGridIlluminance);
    panel.DensitySpin()->setValue(400);
    ProgressSpy progress;

    // Cancelled at once: the controls come back and nothing is shown or stored.
    Button(panel, QStringLiteral("水平照度")).click();
    ASSERT_TRUE(panel.Calculating());
    EXPECT_FALSE(Button(panel, QStringLiteral("垂直照度")).isEnabled());
    EXPECT_FALSE(panel.DensitySpin()->isEnabled());
    EXPECT_TRUE(panel.CancelButton()->isVisibleTo(&panel));
    panel.CancelButton()->click();
    panel.WaitForCalculation();
    EXPECT_FALSE(panel.Calculating());
    EXPECT_TRUE(panel.Model().Points().empty());
    EXPECT_EQ(Shown(panel, QStringLiteral("最大照度lx")), QString());
    EXPECT_TRUE(Button(panel, QStringLiteral("垂直照度")).isEnabled());
    EXPECT_FALSE(panel.CancelButton()->isVisibleTo(&panel));

    // A whole run while the window goes on handling its events: the searching and the
    // calculating reach the status bar, which is blank again at the end; the numbers are
    // those of the runner.
    Button(panel, QStringLiteral("水平照度")).click();
    for (bool shot = false; panel.Calculating();) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        const QString folder = qEnvironmentVariable("QV_SCREENSHOT_DIR");
        if (!shot && !folder.isEmpty() && window->Status().ProgressBar()->isVisible()) {
            // As it is now, without letting the run end first.
            EXPECT_TRUE(window->grab().save(QDir(folder).filePath("grid-running.png")));
            EXPECT_TRUE(panel.grab().save(QDir(folder).filePath("panel-grid-running.png")));
            shot = true;
        }
    }
    EXPECT_TRUE(progress.Saw("搜索计算点"));
    EXPECT_TRUE(progress.Saw(" 计算中..."));
    EXPECT_EQ(window->Status().PaneText(StatusPanes::kProgressText), QStringLiteral(" "));
    EXPECT_FALSE(window->Status().ProgressBar()->isVisibleTo(window.get()));
    const json h = RunCalcJson("grid " + office + " --density 400");
    EXPECT_EQ(FromQt(Shown(panel, QStringLiteral("最大照度lx"))), h["max_shown"]);
    EXPECT_EQ(FromQt(Shown(panel, QStringLiteral("平均照度lx"))), h["avg_shown"]);
    EXPECT_EQ(panel.Model().Points().size(), h["count"].get<size_t>());

    // A second run cancelled midway keeps the first run's results.
    Button(panel, QStringLiteral("水平照度")).click();
    panel.CancelButton()->click();
    panel.WaitForCalculation();
    EXPECT_EQ(FromQt(Shown(panel, QStringLiteral("最大照度lx"))), h["max_shown"]);
    EXPECT_EQ(panel.Model().Points().size(), h["count"].get<size_t>());
}

TEST_F(CalcPanelsUi, LumenMethodPanelCalculatesOnOpeningAndAppliesItsCounts) {
    MainWindow& w = StartOffice();
    auto& panel = Open<LumenMethodPanelWindow>(kCmdLumenMethod);
    const json opening = RunCalcJson("cu " + office);
    EXPECT_EQ(FromQt(Shown(panel, QStringLiteral("实际照度lx"))), opening["e_shown"]);
    EXPECT_EQ(FromQt(Shown(panel, QStringLiteral("提示"))), opening["message"]);
    EXPECT_EQ(FromQt(SecondLabel(panel)), opening["lpd2_label"]);

    PanelGrid& grid = *panel.Grid();
    ASSERT_EQ(grid.rowCount(), 8);
    for (int c = 0; c < LumenMethodPanel::kColumnCount; ++c) { // the narrow number column too
        EXPECT_EQ(grid.columnWidth(c), LumenMethodPanel::kColumnWidths[static_cast<size_t>(c)]);
    }
    EditCell(grid, 0, LumenMethodPanel::kCount, QStringLiteral("3"));
    Button(panel, QStringLiteral("计  算")).click();
    const json counted = RunCalcJson("cu " + office + " --counts 3,1,1,1,1,1,1,1");
    EXPECT_EQ(FromQt(Shown(panel, QStringLiteral("实际照度lx"))), counted["e_shown"]);
    for (int r = 0; r < 8; ++r) {
        const json& entry = counted["entries"][static_cast<size_t>(r)];
        EXPECT_EQ(FromQt(grid.item(r, LumenMethodPanel::kCu)->text()),
                  KvStr::FormatDouble(entry["u"].get<double>()));
        EXPECT_EQ(grid.item(r, LumenMethodPanel::kNeeded)->text().toInt(),
                  entry["needed"].get<int>());
    }
    EXPECT_FALSE(grid.item(0, LumenMethodPanel::kCu)->flags() & Qt::ItemIsEditable);
    EXPECT_TRUE(grid.item(0, LumenMethodPanel::kCount)->flags() & Qt::ItemIsEditable);
    Screenshot(panel, QStringLiteral("panel-lumen-method.png"));

    Button(panel, QStringLiteral("确定调整室内灯具数量")).click();
    EXPECT_EQ(w.Registry().editing.luminaires->Working().Count(), 10);

    Button(panel, QStringLiteral("写计算书")).click();
    EXPECT_EQ(panel.windowTitle(), QStringLiteral("利用系数法照度计算书"));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(opened[0]));
    EXPECT_EQ(ZipEntry(opened[0], "word/document.xml"),
              CalculatorBook("cu " + office + " --counts 3,1,1,1,1,1,1,1"));
}

TEST_F(CalcPanelsUi, SphericalAndCylindricalPanelsTakeTheirKsAndMatchTheCalculator) {
    StartOffice();
    for (const auto& [command, name] :
         {std::pair{kCmdSpherical, "spherical"}, std::pair{kCmdCylindrical, "cylindrical"}}) {
        auto& panel = Open<ScalarPanelWindow>(command);
        PanelGrid& grid = *panel.Grid();
        ASSERT_EQ(grid.rowCount(), 8); // filled on opening
        // Ks is read off the chart: until every entry has one above 0 nothing is calculated.
        messages.shown.clear();
        EditCell(grid, 0, ScalarIlluminancePanel::kKs, "0.6");
        Button(panel, QStringLiteral("计  算")).click();
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, "请输入灯2的换算系数Ks");
        EXPECT_EQ(messages.shown[0].caption, FromQt(panel.windowTitle()));
        EXPECT_EQ(FromQt(Shown(panel, QStringLiteral("标量照度lx"))), "");
        for (int r = 0; r < 8; ++r) {
            EditCell(grid, r, ScalarIlluminancePanel::kKs, r < 4 ? "0.6" : "0.8");
        }
        Button(panel, QStringLiteral("计  算")).click();
        EXPECT_EQ(messages.shown.size(), 1u);
        const json expected =
            RunCalcJson(std::string(name) + " " + office + " --ks 0.6,0.6,0.6,0.6,0.8,0.8,0.8,0.8");
        EXPECT_EQ(FromQt(Shown(panel, QStringLiteral("实际照度lx"))), expected["eh_shown"]);
        EXPECT_EQ(FromQt(Shown(panel, QStringLiteral("标量照度lx"))), expected["result_shown"]);
        EXPECT_EQ(FromQt(panel.findChild<QLineEdit*>(QStringLiteral("header"))->text()),
                  expected["header"]);
        Screenshot(panel, QStringLiteral("panel-%1.png").arg(name));
        Button(panel, QStringLiteral("写计算书")).click();
        ASSERT_FALSE(opened.empty());
        EXPECT_EQ(ZipEntry(opened.back(), "word/document.xml"),
                  CalculatorBook(std::string(name) + " " + office +
                                 " --ks 0.6,0.6,0.6,0.6,0.8,0.8,0.8,0.8"));
    }
}

TEST_F(CalcPanelsUi, UnitCapacityPanelWithItsDropDownsAndEfficiencyMatchesTheCalculator) {
    StartOffice();
    auto& panel = Open<UnitCapacityPanelWindow>(kCmdUnitCapacity);
    PanelGrid& grid = *panel.Grid();
    ASSERT_EQ(grid.rowCount(), 8);
    // The class and kind cells are edited with drop-down lists of their choices.
    grid.editItem(grid.item(0, UnitCapacityPanel::kKind));
    auto* combo = grid.findChild<QComboBox*>();
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->count(), 2);
    grid.closePersistentEditor(grid.item(0, UnitCapacityPanel::kKind));

    for (int r = 0; r < 8; ++r) {
        EditCell(grid, r, UnitCapacityPanel::kKind, QStringLiteral("40W荧光灯单位电功率"));
    }
    panel.Efficiency()->setCurrentText(QStringLiteral("60"));
    Button(panel, QStringLiteral("计  算")).click();

    std::ofstream csv(dir.File("entries.csv"));
    csv << "class,kind,p0,count\n";
    for (int r = 0; r < 8; ++r) {
        csv << "直接型9,40W荧光灯单位电功率,0,1\n";
    }
    csv.close();
    const json expected =
        RunCalcJson("unitcap " + office + " --efficiency 60 --entries " + dir.File("entries.csv") +
                    " --catalogue " + dir.File("Lamps.db"));
    EXPECT_EQ(FromQt(Shown(panel, QStringLiteral("实际照度lx"))), expected["e_shown"]);
    EXPECT_EQ(FromQt(Shown(panel, QStringLiteral("提示"))), expected["message"]);
    for (int r = 0; r < 8; ++r) {
        EXPECT_EQ(grid.item(r, UnitCapacityPanel::kNeeded)->text().toInt(),
                  expected["entries"][static_cast<size_t>(r)]["needed"].get<int>());
    }
    EXPECT_GT(KvStr::Atof(FromQt(Shown(panel, QStringLiteral("实际照度lx")))), 0.0);
    Screenshot(panel, QStringLiteral("panel-unit-capacity.png"));

    Button(panel, QStringLiteral("写计算书")).click();
    EXPECT_EQ(panel.windowTitle(), QStringLiteral("单位容量计算书"));
}

TEST_F(CalcPanelsUi, BooksGoIntoTheBooksFolderUnderFreeNamesOrAreReportedWhenTheyCannot) {
    StartOffice();
    auto& panel = Open<SinglePointPanelWindow>(kCmdPointIlluminance);
    Button(panel, QStringLiteral("新  增")).click();
    Button(panel, QStringLiteral("写计算书")).click(); // nothing calculated: no empty book
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "尚未计算,请先计算再写计算书!");
    EXPECT_TRUE(opened.empty());
    EXPECT_FALSE(std::filesystem::exists(dir.File("books")));
    EditCell(*panel.Grid(), 0, 2, QStringLiteral("3"));
    EditCell(*panel.Grid(), 0, 3, QStringLiteral("2"));
    Button(panel, QStringLiteral("计  算")).click();
    Button(panel, QStringLiteral("写计算书")).click();
    Button(panel, QStringLiteral("写计算书")).click();
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(std::filesystem::path(opened[0]).parent_path(), dir.File("books"));
    EXPECT_TRUE(std::filesystem::exists(opened[0]));
    EXPECT_NE(opened[0], opened[1]); // the second book does not replace the first
    EXPECT_TRUE(std::filesystem::exists(opened[1]));
    EXPECT_EQ(panel.windowTitle(), QStringLiteral("单点照度计算书"));

    // A books folder that cannot be made (a file stands in its place).
    std::ofstream(dir.File("blocked")) << "x";
    KvIniFile::WriteKey(kBookSettingsSection, kBookFolderKey, dir.File("blocked"),
                        dir.File("Quorvel.ini"));
    auto& lumen = Open<LumenMethodPanelWindow>(kCmdLumenMethod);
    Button(lumen, QStringLiteral("写计算书")).click();
    EXPECT_EQ(opened.size(), 2u); // nothing shown
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.shown.back().caption, "系统提示");
    EXPECT_NE(messages.shown.back().text.find(dir.File("blocked")), std::string::npos);
    EXPECT_EQ(lumen.windowTitle(), QStringLiteral("利用系数法照度计算")); // no book, no rename
}

TEST_F(CalcPanelsUi, ASavedBookIsNamedByItsFullPathAndOpenedOnlyAsTheUserChooses) {
    MainWindow& w = StartOffice();
    auto& lumen = Open<LumenMethodPanelWindow>(kCmdLumenMethod);
    dialogs.bookChoices = {BookSavedChoice::kClose, BookSavedChoice::kOpenFolder};
    Button(lumen, QStringLiteral("写计算书")).click();
    ASSERT_EQ(dialogs.bookNotices.size(), 1u);
    const std::string first = dialogs.bookNotices[0].path;
    EXPECT_TRUE(std::filesystem::path(first).is_absolute());
    EXPECT_TRUE(std::filesystem::exists(first));
    EXPECT_TRUE(dialogs.bookNotices[0].canOpen);
    EXPECT_TRUE(opened.empty()); // 关闭 opens nothing

    Button(lumen, QStringLiteral("写计算书")).click();
    ASSERT_EQ(opened.size(), 1u); // 打开所在文件夹 opens the books folder
    EXPECT_EQ(std::filesystem::path(opened[0]), std::filesystem::path(dir.File("books")));

    // Without an opener the notice says so and nothing claims to show the book.
    w.SetBookOpener([this](const std::string& path) { opened.push_back(path); }, false);
    Button(lumen, QStringLiteral("写计算书")).click();
    ASSERT_EQ(dialogs.bookNotices.size(), 3u);
    EXPECT_FALSE(dialogs.bookNotices[2].canOpen);
    EXPECT_TRUE(std::filesystem::exists(dialogs.bookNotices[2].path));
    EXPECT_EQ(opened.size(), 1u);
}

TEST_F(CalcPanelsUi, TheRealBookNoticeOffersOpenFolderAndCloseOrOnlyCloseWithoutAnOpener) {
    StartOffice();
    QtShellDialogs real(AppPaths{}, *catalogue);
    std::vector<QStringList> buttonTexts;
    std::vector<QString> texts;
    // Answers the box the notice shows with the button of the text, noting what it offered.
    auto answer = [&](const QString& pressed) {
        QTimer::singleShot(0, [&, pressed] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            QStringList offered;
            QAbstractButton* press = nullptr;
            for (QAbstractButton* button : box->buttons()) {
                offered << button->text();
                if (button->text() == pressed) {
                    press = button;
                }
            }
            buttonTexts.push_back(offered);
            texts.push_back(box->text());
            ASSERT_NE(press, nullptr);
            press->click();
        });
    };
    answer(QStringLiteral("打开所在文件夹"));
    EXPECT_EQ(real.NoticeBookSaved(window.get(), "/books/利用系数法照度计算书.docx", true),
              BookSavedChoice::kOpenFolder);
    answer(QStringLiteral("打开"));
    EXPECT_EQ(real.NoticeBookSaved(window.get(), "/books/a.docx", true), BookSavedChoice::kOpen);
    answer(QStringLiteral("关闭"));
    EXPECT_EQ(real.NoticeBookSaved(window.get(), "/books/b.docx", false), BookSavedChoice::kClose);
    ASSERT_EQ(buttonTexts.size(), 3u);
    EXPECT_TRUE(buttonTexts[0].contains(QStringLiteral("打开")));
    EXPECT_TRUE(buttonTexts[0].contains(QStringLiteral("关闭")));
    EXPECT_TRUE(texts[0].contains(QStringLiteral("/books/利用系数法照度计算书.docx")));
    EXPECT_EQ(buttonTexts[2], QStringList{QStringLiteral("关闭")});
    EXPECT_TRUE(texts[2].contains(QStringLiteral("xdg-open")));
}

TEST_F(CalcPanelsUi, GridLegendFollowsTheIntervalAndEachDrawingFormPaintsThePicture) {
    StartOffice();
    auto& panel = Open<GridPanelWindow>(kCmdGridIlluminance);
    panel.DensitySpin()->setValue(40);
    Button(panel, QStringLiteral("水平照度")).click();
    panel.WaitForCalculation();
    const GridPanel& model = panel.Model();
    const int interval = model.interval;
    panel.IntervalSpin()->stepBy(1);
    EXPECT_EQ(model.interval, interval + 10);
    const int bands = static_cast<int>((model.drawMax - model.drawMin) / model.interval + 1);
    ASSERT_EQ(panel.LegendTable()->rowCount(), bands);
    EXPECT_EQ(FromQt(panel.LegendTable()->item(0, 1)->text()),
              KvStr::Format("%.1f", model.drawMin + model.interval));
    EXPECT_EQ(panel.LegendTable()->item(0, 2)->background().color(), QColor(192, 192, 192));

    std::vector<long> painted;
    for (const QString& form : {QStringLiteral("点"), QStringLiteral("线"), QStringLiteral("面")}) {
        Button(panel, form).click();
        Button(panel, QStringLiteral("绘 制")).click();
        auto* picture = qobject_cast<GridResultWindow*>(panel.Picture());
        ASSERT_NE(picture, nullptr);
        const QImage image = picture->Render(QSize(646, 505));
        long count = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width() - 90; ++x) { // left of the legend
                count += image.pixelColor(x, y) != QColor(Qt::white) ? 1 : 0;
            }
        }
        painted.push_back(count);
        Screenshot(*picture, QStringLiteral("panel-grid-picture-%1.png").arg(form));
    }
    EXPECT_GT(painted[0], 0);
    EXPECT_GT(painted[1], 0);
    EXPECT_GT(painted[2], painted[0]); // filled cells cover more than dots
}

TEST_F(CalcPanelsUi, CountAdjustmentBeyondTheLimitIsRefusedWithTheRoomUntouched) {
    MainWindow& w = StartOffice();
    auto& panel = Open<UnitCapacityPanelWindow>(kCmdUnitCapacity);
    EditCell(*panel.Grid(), 0, UnitCapacityPanel::kCount, QStringLiteral("200000"));
    Button(panel, QStringLiteral("计  算")).click();
    Button(panel, QStringLiteral("确定调整室内灯具数量")).click();
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.shown.back().caption, "系统提示");
    EXPECT_EQ(w.Registry().editing.luminaires->Working().Count(), 8);

    EditCell(*panel.Grid(), 0, UnitCapacityPanel::kCount, QStringLiteral("2"));
    Button(panel, QStringLiteral("计  算")).click();
    Button(panel, QStringLiteral("确定调整室内灯具数量")).click();
    EXPECT_EQ(w.Registry().editing.luminaires->Working().Count(), 9);
}

} // namespace
} // namespace qv::test

namespace qv::test {
namespace {

TEST_F(CalcPanelsUi, VerticalGridWithoutAPlaneSaysSoAndKeepsTheResults) {
    StartOffice();
    auto& panel = Open<GridPanelWindow>(kCmdGridIlluminance);
    Button(panel, QStringLiteral("垂直照度")).click();
    EXPECT_FALSE(panel.Calculating());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "请先确定垂直计算面");
    EXPECT_TRUE(panel.Model().Points().empty());

    // A plane of two equal ends is no plane either; one with length calculates.
    panel.Model().startX = panel.Model().endX = 3.0;
    Button(panel, QStringLiteral("垂直照度")).click();
    EXPECT_EQ(messages.shown.size(), 2u);
    panel.Model().endX = 9.0;
    panel.Model().density = 20;
    Button(panel, QStringLiteral("垂直照度")).click();
    panel.WaitForCalculation();
    QApplication::processEvents();
    EXPECT_EQ(messages.shown.size(), 2u);
    EXPECT_FALSE(panel.Model().Points().empty());
}

} // namespace
} // namespace qv::test
