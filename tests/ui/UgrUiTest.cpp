// The UGR panel in the running window: both menu entries open it with their observers,
// "计  算" on the office example, a refused eye height, rows added and deleted; the page
// "UGR表" of the luminaire dialog for an imported type and for a handbook type; and
// screenshots (written when QV_SCREENSHOT_DIR names a folder).
#include "panels/CommandTable.h"
#include "report/BookReader.h"
#include "report/books/BookFolder.h"
#include "ui/LuminaireDialog.h"
#include "ui/PanelGrid.h"
#include "ui/QtText.h"
#include "ui/UgrPanelView.h"
#include "ui/UiTestSupport.h"

#include <kelvorin/KvStr.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <kelvorin/KvIniFile.h>

#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>

#include <cmath>
#include <filesystem>
#include <sstream>

namespace qv::test {
namespace {

void Screenshot(QWidget& widget, const QString& name) {
    const QString folder = qEnvironmentVariable("QV_SCREENSHOT_DIR");
    if (!folder.isEmpty()) {
        QApplication::processEvents();
        EXPECT_TRUE(widget.grab().save(QDir(folder).filePath(name)));
    }
}

// A quadrant-symmetric EULUMDAT file with a 1000 × 300 mm luminous area, 3350 lm, whose
// intensity falls off with cos^power of the angle from the downward vertical.
std::string Ldt(const std::string& model, double power) {
    std::ostringstream out;
    out << "test\n1\n4\n24\n15\n19\n5\nreport\nPanel\n"
        << model << "\np.ldt\ndate\n1100\n350\n60\n"
        << "1000\n300\n0\n0\n0\n0\n100\n70\n1\n0\n1\n1\nLED\n3350\n4000K\n80\n30\n";
    for (int i = 0; i < 10; ++i) {
        out << "0.5\n";
    }
    for (int p = 0; p < 24; ++p) {
        out << p * 15 << "\n";
    }
    for (int g = 0; g < 19; ++g) {
        out << g * 5 << "\n";
    }
    for (int p = 0; p < 7; ++p) {
        for (int g = 0; g < 19; ++g) {
            out << 320.0 * std::pow(std::cos(g * 5 * 3.141592653589793 / 180), power) << "\n";
        }
    }
    return out.str();
}

class UgrUi : public UiTest {
protected:
    // The office example, the catalogue in the text folder, books to a scratch folder.
    MainWindow& StartOffice() {
        std::filesystem::copy_file(QV_CATALOGUE_PATH, dir.File("Lamps.db"));
        MainWindow& w = Start({}, {QString::fromStdString(Example("office.cil"))});
        KvIniFile::WriteKey(kBookSettingsSection, kBookFolderKey, dir.File("books"),
                            dir.File("Quorvel.ini"));
        w.SetBookOpener([this](const std::string& path) { opened.push_back(path); });
        return w;
    }
    std::vector<std::string> opened;
    static std::string Cell(QTableWidget& grid, int row, int column) {
        return grid.item(row, column) ? FromQt(grid.item(row, column)->text()) : std::string();
    }
};

TEST_F(UgrUi, GridEntryCalculatesTheOfficeAtFourObservers) {
    MainWindow& w = StartOffice();
    ASSERT_TRUE(w.HandlesCommand(kCmdUgrGrid));
    ASSERT_TRUE(w.HandlesCommand(kCmdUgrPoint));
    auto& panel = Open<UgrPanelView>(kCmdUgrGrid);
    panel.show();
    EXPECT_EQ(panel.windowTitle(), QStringLiteral("统一眩光值(UGR)计算"));
    PanelGrid& grid = *panel.Grid();
    ASSERT_EQ(grid.rowCount(), 4);
    EXPECT_EQ(panel.EyeHeight()->currentText(), QStringLiteral("1.2 坐姿"));
    EXPECT_TRUE(Cell(grid, 0, UgrPanelModel::kUgr).empty());

    QTest::mouseClick(&Button(panel, QStringLiteral("计  算")), Qt::LeftButton);
    EXPECT_TRUE(messages.shown.empty()) << messages.shown.front().text;
    double max = 0.0;
    for (int row = 0; row < 4; ++row) {
        const std::string ugr = Cell(grid, row, UgrPanelModel::kUgr);
        ASSERT_FALSE(ugr.empty()) << row;
        max = std::max(max, KvStr::Atof(ugr));
        EXPECT_GT(KvStr::Atof(Cell(grid, row, UgrPanelModel::kLb)), 0.0);
    }
    const double shown = Field(panel, QStringLiteral("UGR最大值")).text().toDouble();
    EXPECT_EQ(shown, max);
    EXPECT_NEAR(shown, 20.0, 1.5);
    EXPECT_EQ(Field(panel, QStringLiteral("评价")).text(),
              ToQt(KvStr::Format("UGR = %.1f", shown))); // the example names no place
    EXPECT_TRUE(panel.findChild<QLabel*>(QStringLiteral("note"))
                    ->text()
                    .startsWith(QStringLiteral("由A、B两个平面的配光估算")));
    EXPECT_TRUE(ElidedTexts(grid).empty());
    Screenshot(panel, QStringLiteral("ugr-panel.png"));

    const double seated = *panel.Model().LastResult().max;
    // Standing eyes give other values; changing the height clears the old ones.
    panel.EyeHeight()->setCurrentIndex(1);
    emit panel.EyeHeight()->activated(1);
    EXPECT_EQ(panel.Model().EyeHeight(), 1.5);
    EXPECT_TRUE(Cell(grid, 0, UgrPanelModel::kUgr).empty());
    QTest::mouseClick(&Button(panel, QStringLiteral("计  算")), Qt::LeftButton);
    EXPECT_EQ(panel.Model().LastResult().observers.front().observer.eyeHeight, 1.5);
    EXPECT_NE(*panel.Model().LastResult().max, seated);
}

TEST_F(UgrUi, TheBookOfTheLastCalculationIsWritten) {
    StartOffice();
    auto& panel = Open<UgrPanelView>(kCmdUgrGrid);
    QTest::mouseClick(&Button(panel, QStringLiteral("写计算书")), Qt::LeftButton);
    ASSERT_EQ(messages.shown.size(), 1u); // nothing calculated yet: no book
    EXPECT_TRUE(opened.empty());
    QTest::mouseClick(&Button(panel, QStringLiteral("计  算")), Qt::LeftButton);
    QTest::mouseClick(&Button(panel, QStringLiteral("写计算书")), Qt::LeftButton);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(opened[0]));
    EXPECT_EQ(panel.windowTitle(), QStringLiteral("统一眩光值(UGR)计算书"));
    const BookDocument book = ReadBook(opened[0]);
    EXPECT_GE(book.Find("统一眩光值(UGR)计算书"), 0);
}

TEST_F(UgrUi, HostileInputIsRefusedAndTheOldValueStays) {
    StartOffice();
    auto& panel = Open<UgrPanelView>(kCmdUgrPoint);
    panel.show();
    PanelGrid& grid = *panel.Grid();
    ASSERT_EQ(grid.rowCount(), 1);

    for (const QString& bad : {QStringLiteral("abc"), QStringLiteral("-1"), QStringLiteral("inf"),
                               QStringLiteral("1e9"), QStringLiteral("")}) {
        messages.shown.clear();
        QLineEdit& edit = *panel.EyeHeight()->lineEdit();
        edit.clear();
        QTest::keyClicks(&edit, bad);
        QTest::keyClick(&edit, Qt::Key_Return);
        ASSERT_EQ(messages.shown.size(), 1u) << FromQt(bad) << FromQt(edit.text());
        EXPECT_NE(messages.shown[0].text.find("眼睛高度"), std::string::npos);
        EXPECT_EQ(panel.EyeHeight()->currentText(), QStringLiteral("1.2 坐姿"));
        EXPECT_EQ(panel.Model().EyeHeight(), 1.2);
    }
    // A typed height is taken as it is.
    messages.shown.clear();
    QLineEdit& edit = *panel.EyeHeight()->lineEdit();
    edit.selectAll();
    QTest::keyClicks(&edit, QStringLiteral("1.35"));
    QTest::keyClick(&edit, Qt::Key_Return);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(panel.Model().EyeHeight(), 1.35);

    // A cell that is not a coordinate keeps its number.
    const std::string x = Cell(grid, 0, UgrPanelModel::kX);
    EditCell(grid, 0, UgrPanelModel::kX, QStringLiteral("nan"));
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(Cell(grid, 0, UgrPanelModel::kX), x);
    EXPECT_EQ(panel.Model().Observers()[0].x, KvStr::Atof(x));

    // An observer moved out of the room is refused by 计  算.
    messages.shown.clear();
    EditCell(grid, 0, UgrPanelModel::kX, QStringLiteral("500"));
    QTest::mouseClick(&Button(panel, QStringLiteral("计  算")), Qt::LeftButton);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find("不在房间内"), std::string::npos);
    EXPECT_TRUE(Field(panel, QStringLiteral("UGR最大值")).text().isEmpty());
}

TEST_F(UgrUi, ObserversAreAddedAndDeleted) {
    StartOffice();
    auto& panel = Open<UgrPanelView>(kCmdUgrPoint);
    PanelGrid& grid = *panel.Grid();
    QTest::mouseClick(&Button(panel, QStringLiteral("计  算")), Qt::LeftButton);
    ASSERT_FALSE(Cell(grid, 0, UgrPanelModel::kUgr).empty());

    // 新  增 copies the selected observer; its row has no result until calculated.
    SelectRow(grid, 0);
    QTest::mouseClick(&Button(panel, QStringLiteral("新  增")), Qt::LeftButton);
    ASSERT_EQ(grid.rowCount(), 2);
    EXPECT_EQ(Cell(grid, 1, UgrPanelModel::kX), Cell(grid, 0, UgrPanelModel::kX));
    EXPECT_TRUE(Cell(grid, 1, UgrPanelModel::kUgr).empty());
    EXPECT_FALSE(Cell(grid, 0, UgrPanelModel::kUgr).empty());
    EditCell(grid, 1, UgrPanelModel::kDirection, QStringLiteral("45"));
    QTest::mouseClick(&Button(panel, QStringLiteral("计  算")), Qt::LeftButton);
    EXPECT_EQ(panel.Model().LastResult().observers.size(), 2u);
    EXPECT_EQ(panel.Model().LastResult().observers[1].observer.direction, 45.0);

    // 删  除 the first: the second keeps its result and moves up.
    const std::string second = Cell(grid, 1, UgrPanelModel::kUgr);
    SelectRow(grid, 0);
    QTest::mouseClick(&Button(panel, QStringLiteral("删  除")), Qt::LeftButton);
    ASSERT_EQ(grid.rowCount(), 1);
    EXPECT_EQ(Cell(grid, 0, UgrPanelModel::kUgr), second);
    grid.clearSelection();
    QTest::mouseClick(&Button(panel, QStringLiteral("删  除")), Qt::LeftButton);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(grid.rowCount(), 1);
}

TEST_F(UgrUi, OutdoorProjectsDoNotOfferTheEntries) {
    MainWindow& w = Start({StartChoice::kNewOutdoor});
    for (QAction* entry : w.menuBar()->actions()) {
        EXPECT_FALSE(entry->menu()->actions().contains(w.Action(kCmdUgrGrid)));
        EXPECT_FALSE(entry->menu()->actions().contains(w.Action(kCmdUgrPoint)));
    }
}

TEST_F(UgrUi, LuminaireDialogShowsTheStoredTableOrWhyThereIsNone) {
    std::filesystem::copy_file(QV_CATALOGUE_PATH, dir.File("Lamps.db"));
    CatalogueDatabase scratch(catalogueAccess, dir.File("Lamps.db"));
    LuminaireDialogModel model(scratch, Luminaire());
    LuminaireDialog dialog(model);
    dialog.show();
    QTabWidget& pages = *dialog.Pages();
    int page = -1;
    for (int i = 0; i < pages.count(); ++i) {
        if (pages.tabText(i) == QStringLiteral("UGR表")) {
            page = i;
        }
    }
    ASSERT_GE(page, 0);
    pages.setCurrentIndex(page);
    QTableWidget& grid = *dialog.UgrGrid();
    ASSERT_EQ(grid.columnCount(), 12);
    EXPECT_EQ(grid.horizontalHeaderItem(2)->text(), QStringLiteral("横向\n70/50/20"));
    EXPECT_EQ(grid.horizontalHeaderItem(11)->text(), QStringLiteral("纵向\n30/30/20"));

    // The shipped types come from the handbook: curves A and B only.
    EXPECT_EQ(grid.rowCount(), 0);
    EXPECT_EQ(FromQt(dialog.UgrLine()->text()),
              "该灯具类型只有A、B两条配光曲线,没有UGR表;导入它的配光文件(.ldt/.ies)即可得到");
    Screenshot(dialog, QStringLiteral("ugr-table-none.png"));

    // An imported file brings both tables; a sharply cut-off one stays below 10 in small
    // rooms.
    WriteFileText(dir.File("wide.ldt"), Ldt("P-1", 1.0));
    dialog.chooseFiles = [&](QWidget*) { return std::vector<std::string>{dir.File("wide.ldt")}; };
    dialog.ImportButton()->click();
    ASSERT_TRUE(messages.shown.empty()) << messages.shown.front().text;
    ASSERT_EQ(grid.rowCount(), 19);
    EXPECT_EQ(FromQt(dialog.UgrLine()->text()), "S = 0.25H, 光通量 Φ = 3350 lm");
    EXPECT_EQ(grid.item(0, 0)->text(), QStringLiteral("2H"));
    EXPECT_EQ(grid.item(18, 1)->text(), QStringLiteral("8H"));
    const auto texts = [&grid] {
        QStringList all;
        for (int row = 0; row < grid.rowCount(); ++row) {
            for (int column = 2; column < grid.columnCount(); ++column) {
                all << grid.item(row, column)->text();
            }
        }
        return all;
    };
    const QStringList catalogueSpacing = texts();
    const QString first = grid.item(18, 2)->text();
    EXPECT_TRUE(first.contains(QRegularExpression(QStringLiteral("^\\d+\\.\\d$"))))
        << FromQt(first);
    EXPECT_GE(first.toDouble(), 10.0);
    Screenshot(dialog, QStringLiteral("ugr-table-page.png"));

    dialog.UgrSpacing()->setCurrentIndex(1);
    emit dialog.UgrSpacing()->activated(1);
    EXPECT_EQ(FromQt(dialog.UgrLine()->text()), "S = 1H, 光通量 Φ = 3350 lm");
    ASSERT_EQ(grid.rowCount(), 19);
    EXPECT_NE(texts(), catalogueSpacing);

    WriteFileText(dir.File("narrow.ldt"), Ldt("P-2", 12.0));
    dialog.chooseFiles = [&](QWidget*) { return std::vector<std::string>{dir.File("narrow.ldt")}; };
    dialog.ImportButton()->click();
    ASSERT_TRUE(messages.shown.empty()) << messages.shown.front().text;
    EXPECT_EQ(FromQt(dialog.ModelList()->currentText()), "P-2");
    ASSERT_EQ(grid.rowCount(), 19);
    EXPECT_EQ(grid.item(0, 2)->text(), QStringLiteral("<10.0")) << FromQt(texts().join(' '));
    QApplication::processEvents();
    const std::vector<std::string> elided = ElidedTexts(grid);
    EXPECT_TRUE(elided.empty()) << elided.front();
}

} // namespace
} // namespace qv::test
