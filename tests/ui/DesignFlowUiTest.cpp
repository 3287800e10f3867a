// A room designed from an empty project as a designer does it, with keys and clicks only:
// the room typed in, the luminaires laid out by "灯具阵列布置", one dragged on the plan and
// the drag undone and redone, the grid calculated, its isolux picture saved and the book
// written with the picture in it; the saved project gives the runner the same numbers.
// Screenshots of each step go to QV_SCREENSHOT_DIR when it names a folder.
#include "cli/CalcRunner.h"
#include "panels/CommandTable.h"
#include "panels/PlanEditing.h"
#include "report/BookReader.h"
#include "report/books/BookFolder.h"
#include "ui/ArrayLayoutDialog.h"
#include "ui/GridPanelWindow.h"
#include "ui/GridResultWindow.h"
#include "ui/LuminairePanelView.h"
#include "ui/OutlinePanelViews.h"
#include "ui/PlanView.h"
#include "ui/QtText.h"
#include "ui/UiTestSupport.h"

#include <kelvorin/KvIniFile.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QRadioButton>
#include <QTest>

#include <cmath>
#include <filesystem>

namespace qv::test {
namespace {

class DesignFlowUi : public UiTest {
protected:
    void Shot(QWidget& widget, const QString& name) const {
        const QString folder = qEnvironmentVariable("QV_SCREENSHOT_DIR");
        if (!folder.isEmpty()) {
            QApplication::processEvents();
            EXPECT_TRUE(widget.grab().save(QDir(folder).filePath(name)));
        }
    }
    static void Type(QLineEdit& field, const QString& text) {
        field.setFocus();
        field.selectAll();
        QTest::keyClick(&field, Qt::Key_Backspace);
        QTest::keyClicks(&field, text);
        QTest::keyClick(&field, Qt::Key_Return);
    }
    void Settle() const {
        for (int i = 0; i < 10; ++i) {
            window->Plan()->grab();
            QApplication::processEvents();
        }
    }
    QPoint Pixel(const Vector& mm) const {
        const PlanMapping& m = window->Plan()->Mapping();
        return {static_cast<int>(std::lround(m.PixelX(mm.x))),
                static_cast<int>(std::lround(m.PixelY(mm.y)))};
    }
    const LuminaireList& Luminaires() const {
        return window->Registry().editing.luminaires->Working();
    }
};

TEST_F(DesignFlowUi, TheOfficeIsBuiltFromAnEmptyProjectWithoutTypingAFile) {
    std::filesystem::copy_file(QV_CATALOGUE_PATH, dir.File("Lamps.db"));
    MainWindow& w = Start({StartChoice::kNewIndoor});
    w.resize(1280, 800);
    KvIniFile::WriteKey(kBookSettingsSection, kBookFolderKey, dir.File("books"),
                        dir.File("Quorvel.ini"));
    std::vector<std::string> books;
    w.SetBookOpener([&books](const std::string& path) { books.push_back(path); });

    // The room: 12 m × 7.2 m, working plane 0.75 m, reflectances 70/50/20.
    RoomPanelView& room = *w.RoomView();
    Type(Field(room, QStringLiteral("总长")), QStringLiteral("12"));
    Type(Field(room, QStringLiteral("总宽")), QStringLiteral("7.2"));
    QTest::mouseClick(&Button(room, QStringLiteral("重 置")), Qt::LeftButton);
    Type(Field(room, QStringLiteral("工作面高度")), QStringLiteral("0.75"));
    Type(Field(room, QStringLiteral("顶棚")), QStringLiteral("70"));
    Type(Field(room, QStringLiteral("墙面")), QStringLiteral("50"));
    Type(Field(room, QStringLiteral("地面")), QStringLiteral("20"));
    const Room& typed = window->Registry().editing.room->TakeValues();
    ASSERT_EQ(typed.outline.size(), 4u);
    EXPECT_EQ(typed.outline[2], (Vector{12.0, 7.2, 0.0}));
    EXPECT_EQ(typed.dWorkHeight, 0.75);

    // Two rows of four louvre panels (3 × 14 W T5) at 3 m, spread evenly.
    Trigger(kCmdArrayLayout);
    auto* dialog = w.findChild<ArrayLayoutDialog*>();
    ASSERT_NE(dialog, nullptr);
    const int type = dialog->NameList()->findText(QStringLiteral("通用格栅灯盘"));
    ASSERT_GE(type, 0);
    dialog->NameList()->setCurrentIndex(type);
    dialog->NameList()->activated(type);
    // A catalogue type has no lamp yet: OK says so, and "灯具参数..." chooses three
    // T5 14 W lamps in the luminaire dialog.
    QTest::mouseClick(&Button(*dialog, QStringLiteral("确定")), Qt::LeftButton);
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_NE(messages.shown.back().text.find("灯具参数"), std::string::npos);
    Luminaire lamped = dialog->Model().TemplateLuminaire();
    EXPECT_EQ(lamped.sName, "通用格栅灯盘");
    lamped.lamp1 = Lamp{"T5荧光灯", "T5 14W (例题)", 14.0, 2.0, 3, 1050};
    lamped.nLuminousFlux = 3 * 1050;
    dialogs.luminaires.push_back(lamped);
    QTest::mouseClick(&Button(*dialog, QStringLiteral("灯具参数...")), Qt::LeftButton);
    EXPECT_EQ(dialog->FluxLine()->text(), QStringLiteral("总光通量 3150 lm"));
    Type(*dialog->Field(ArrayLayoutDialogModel::kRows), QStringLiteral("2"));
    Type(*dialog->Field(ArrayLayoutDialogModel::kColumns), QStringLiteral("4"));
    Type(*dialog->Field(ArrayLayoutDialogModel::kHeight), QStringLiteral("3"));
    ASSERT_TRUE(dialog->EvenBox()->isChecked());
    Shot(*dialog, QStringLiteral("design-1-array.png"));
    QTest::mouseClick(&Button(*dialog, QStringLiteral("确定")), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(Luminaires().Count(), 8);
    EXPECT_EQ(Luminaires().At(3).lamp1, lamped.lamp1);
    EXPECT_EQ(Luminaires().At(0).ptCenter, (Vector{1.5, 1.8, 3.0}));
    EXPECT_EQ(Luminaires().At(7).ptCenter, (Vector{10.5, 5.4, 3.0}));
    EXPECT_TRUE(w.windowTitle().contains(QStringLiteral("*")));

    // One luminaire dragged half a metre to the right on the plan, snapped; the drag is
    // one step of the history.
    Settle();
    Shot(w, QStringLiteral("design-2-plan.png"));
    const Vector before = Luminaires().At(5).ptCenter;
    const QPoint start = Pixel(w.Drawing().luminaires[5].center);
    const double scale = w.Plan()->Mapping().scale;
    const QPoint end = start + QPoint(static_cast<int>(std::lround(500.0 / scale)), 0);
    QTest::mousePress(w.Plan(), Qt::LeftButton, {}, start);
    QTest::mouseMove(w.Plan(), start + QPoint(5, 0));
    QTest::mouseMove(w.Plan(), end);
    QTest::mouseRelease(w.Plan(), Qt::LeftButton, {}, end);
    const Vector moved = Luminaires().At(5).ptCenter;
    EXPECT_NEAR(moved.x, before.x + 0.5, 0.05 + 1e-9);
    EXPECT_EQ(moved.x, SnapMetres(moved.x));
    EXPECT_EQ(moved.y, before.y);
    EXPECT_EQ(moved.z, before.z);
    Trigger(kCmdUndo);
    EXPECT_EQ(Luminaires().At(5).ptCenter, before);
    Trigger(kCmdRedo);
    EXPECT_EQ(Luminaires().At(5).ptCenter, moved);

    // The grid, its picture and its book.
    Trigger(kCmdGridIlluminance);
    auto* panel = w.CalcPanels().PanelAs<GridPanelWindow>(kCmdGridIlluminance);
    ASSERT_NE(panel, nullptr);
    panel->DensitySpin()->setValue(60);
    QTest::mouseClick(&Button(*panel, QStringLiteral("水平照度")), Qt::LeftButton);
    panel->WaitForCalculation();
    QApplication::processEvents();
    const double average = panel->Model().Statistics().average;
    // 25 200 lm of lamps (light output ratio 0.65, maintenance factor 0.7) on 86.4 m²:
    // some 130 lx, as the lumen method would expect.
    EXPECT_GT(average, 90.0);
    EXPECT_LT(average, 200.0);
    QTest::mouseClick(&Button(*panel, QStringLiteral("绘 制")), Qt::LeftButton);
    auto* picture = qobject_cast<GridResultWindow*>(panel->Picture());
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->CurrentView(), GridResultWindow::kIsolux);
    Shot(*picture, QStringLiteral("design-3-isolux.png"));
    dialogs.files.push_back(dir.File("office.png"));
    QTest::mouseClick(&Button(*picture, QStringLiteral("保存PNG")), Qt::LeftButton);
    EXPECT_EQ(QImage(QString::fromStdString(dir.File("office.png")), "PNG").width(), 2000);
    QTest::mouseClick(&Button(*panel, QStringLiteral("写计算书")), Qt::LeftButton);
    ASSERT_EQ(books.size(), 1u);
    EXPECT_FALSE(ZipEntry(books[0], "word/media/image1.png").empty());

    // Saved, the project gives the runner the numbers the window showed.
    const std::string saved = dir.File("designed.cil");
    dialogs.files.push_back(saved);
    Trigger(kCmdSaveAs);
    EXPECT_FALSE(w.windowTitle().contains(QStringLiteral("*")));
    const nlohmann::json grid = RunCalcJson("grid " + saved + " --density 60");
    EXPECT_EQ(grid["avg_shown"], FromQt(Field(*panel, QStringLiteral("平均照度lx")).text()));
    EXPECT_EQ(grid["count"], panel->Model().Points().size());
}

} // namespace
} // namespace qv::test
