// Undo and redo of the main window's edits, driven as a user does: a position typed into
// the luminaire panel's grid, undone with the 编辑 menu and the keyboard, the title's
// modified mark following; "增  加" placing a luminaire in the room, "阵列布置...", and the
// luminaire dialog's "安装位置".
#include "panels/CommandTable.h"
#include "panels/LuminairePlacement.h"
#include "ui/LuminaireDialog.h"
#include "ui/LuminairePanelView.h"
#include "ui/OutlinePanelViews.h"
#include "ui/QtText.h"
#include "ui/UiTestSupport.h"

#include <QApplication>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>

#include <filesystem>

namespace qv::test {
namespace {

class UndoUi : public UiTest {
protected:
    MainWindow& StartOffice() {
        MainWindow& w = Start({}, {QString::fromStdString(Example("office.cil"))});
        QApplication::setActiveWindow(&w); // the shortcuts go to the active window
        return w;
    }
    LuminaireListPanelModel& Luminaires() const { return *window->Registry().editing.luminaires; }
    QTableWidget& Grid() const { return *window->LuminaireView()->Grid(); }
    QString Title() const { return window->windowTitle(); }
    static QString Titled(const char* name) {
        return QString::fromUtf8(name) + QStringLiteral(" - ") +
               QString::fromUtf8(MainWindow::kTitle);
    }

    // Opens the cell's editor, types the text over its content and presses Enter.
    void TypeIntoCell(int row, int column, const QString& text) {
        QTableWidget& grid = Grid();
        grid.setCurrentCell(row, column);
        grid.editItem(grid.item(row, column));
        auto* editor = qobject_cast<QLineEdit*>(grid.indexWidget(grid.model()->index(row, column)));
        ASSERT_NE(editor, nullptr) << "cell " << row << ", " << column << " takes no typing";
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        // The editor commits once the key is handled, and the panel takes the edit once
        // the editor closed: both are posted.
        QApplication::processEvents();
        QApplication::processEvents();
    }
    // The action of the command in the menu bar's 编辑 menu.
    QAction* EditMenuAction(int command) const {
        for (QAction* menu : window->menuBar()->actions()) {
            if (menu->text() != QStringLiteral("编辑(&E)") || !menu->menu()) {
                continue;
            }
            for (QAction* item : menu->menu()->actions()) {
                if (item->data().toInt() == command) {
                    return item;
                }
            }
        }
        ADD_FAILURE() << "no command " << command << " in the 编辑 menu";
        return nullptr;
    }
};

TEST_F(UndoUi, TypedPositionIsUndoneFromTheMenuAndTheKeyboard) {
    MainWindow& w = StartOffice();
    EXPECT_EQ(Title(), Titled("office.cil"));
    EXPECT_FALSE(w.Action(kCmdUndo)->isEnabled());
    EXPECT_FALSE(Grid().item(0, 2)->flags() & Qt::ItemIsEditable); // only the placement
    EXPECT_TRUE(Grid().item(0, 8)->flags() & Qt::ItemIsEditable);

    TypeIntoCell(1, 3, QStringLiteral("5.25"));
    EXPECT_EQ(Luminaires().Working().At(1).ptCenter, (Vector{5.25, 1.8, 3}));
    EXPECT_EQ(Title(), Titled("office.cil*"));

    // A refused text: the message names the column, the cell shows the old value again
    // and no step is made.
    TypeIntoCell(1, 4, QStringLiteral("abc"));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Y轴位置应为数字,请重新输入!");
    EXPECT_EQ(Grid().item(1, 4)->text(), QStringLiteral("1.8"));
    EXPECT_EQ(w.Commands().History().UndoSteps(), 1);

    QAction* undo = EditMenuAction(kCmdUndo);
    ASSERT_NE(undo, nullptr);
    undo->trigger();
    EXPECT_EQ(Grid().item(1, 3)->text(), QStringLiteral("4.5"));
    EXPECT_EQ(Title(), Titled("office.cil"));
    EXPECT_TRUE(w.Action(kCmdRedo)->isEnabled());

    Grid().setFocus(); // the grid, not a text field: the menu's shortcuts take the keys
    QTest::keyClick(&Grid(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Grid().item(1, 3)->text(), QStringLiteral("5.25"));
    EXPECT_EQ(Title(), Titled("office.cil*"));
    QTest::keyClick(&Grid(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Grid().item(1, 3)->text(), QStringLiteral("4.5"));
    EXPECT_EQ(Title(), Titled("office.cil"));

    // Two edits, one undone: saving marks the state, a new edit cuts the redo.
    TypeIntoCell(0, 5, QStringLiteral("2.6"));
    TypeIntoCell(0, 8, QStringLiteral("90"));
    Trigger(kCmdUndo);
    EXPECT_EQ(Luminaires().Working().At(0).Rotate.z, 0.0);
    EXPECT_EQ(Luminaires().Working().At(0).ptCenter.z, 2.6);
    Trigger(kCmdSave);
    EXPECT_EQ(Title(), Titled("office.cil"));
    Project saved;
    ASSERT_TRUE(LoadProject(w.CurrentProject().path, saved));
    EXPECT_EQ(saved.luminaires.At(0).ptCenter.z, 2.6);
    TypeIntoCell(0, 6, QStringLiteral("15"));
    EXPECT_FALSE(w.Action(kCmdRedo)->isEnabled());
}

TEST_F(UndoUi, RoomEditsAndLuminaireButtonsAreStepsToo) {
    MainWindow& w = StartOffice();
    RoomPanelView& room = *w.RoomView();
    QLineEdit& length = Field(room, QStringLiteral("总长"));
    length.selectAll();
    QTest::keyClicks(&length, QStringLiteral("15"));
    QTest::keyClick(&length, Qt::Key_Return); // one step for the whole typing
    EXPECT_EQ(w.Commands().History().UndoSteps(), 1);
    QTest::keyClicks(&length, QStringLiteral("0")); // still being typed: undone first
    Trigger(kCmdUndo);
    EXPECT_EQ(length.text(), QStringLiteral("15"));
    EXPECT_EQ(w.Commands().History().UndoSteps(), 1);

    // A corner count typed digit by digit is one edit that keeps the corners.
    QSpinBox& corners = *room.Corners()->CountSpin();
    corners.selectAll();
    QTest::keyClicks(&corners, QStringLiteral("12"));
    QTest::keyClick(&corners, Qt::Key_Return);
    ASSERT_EQ(room.Corners()->Grid()->rowCount(), 12);
    EXPECT_EQ(room.Corners()->Grid()->item(2, 1)->text(), QStringLiteral("7.2"));
    EXPECT_EQ(w.Commands().History().UndoSteps(), 2);
    Trigger(kCmdUndo);

    // "增  加": the copy of the selected luminaire hangs in the middle of the room.
    SelectRow(Grid(), 2);
    dialogs.luminaires = {std::nullopt};
    Button(*w.LuminaireView(), QStringLiteral("增  加")).click();
    ASSERT_EQ(dialogs.luminaireStarts.size(), 1u);
    EXPECT_EQ(dialogs.luminaireStarts[0].ptCenter, (Vector{6, 3.6, 3}));
    EXPECT_TRUE(w.Action(kCmdRedo)->isEnabled()); // cancelled: nothing changed

    Button(*w.LuminaireView(), QStringLiteral("删  除")).click();
    EXPECT_EQ(Grid().rowCount(), 7);
    EXPECT_FALSE(w.Action(kCmdRedo)->isEnabled()); // the corners' step is gone
    Trigger(kCmdUndo);
    EXPECT_EQ(Grid().rowCount(), 8);
    Trigger(kCmdUndo);
    EXPECT_EQ(length.text(), QStringLiteral("12"));
    EXPECT_EQ(Title(), Titled("office.cil"));
    Trigger(kCmdRedo);
    EXPECT_EQ(length.text(), QStringLiteral("15"));

    QSignalSpy array(w.LuminaireView(), &LuminairePanelView::ArrayLayoutRequested);
    Button(*w.LuminaireView(), QStringLiteral("阵列布置...")).click();
    EXPECT_EQ(array.count(), 1);

    // A new project starts a fresh history, untitled.
    dialogs.starts = {StartChoice::kNewIndoor};
    messages.answers = {KvMessageAnswer::No};
    Trigger(kCmdNew);
    EXPECT_EQ(Title(), Titled("未命名"));
    EXPECT_FALSE(w.Action(kCmdUndo)->isEnabled());
}

TEST_F(UndoUi, LuminaireDialogTakesTheMountingPlaceOnOk) {
    std::filesystem::copy_file(QV_CATALOGUE_PATH, dir.File("Lamps.db"));
    KvAccess access;
    CatalogueDatabase database(access, dir.File("Lamps.db"));
    Luminaire placed;
    placed.ptCenter = {1.5, 2, 3};
    placed.Rotate = {0, 0, 45};
    LuminaireDialogModel model(database, placed);
    LuminaireDialog dialog(model);
    EXPECT_EQ(dialog.Placement(kRotateZ)->text(), QStringLiteral("45"));

    // A refused field keeps the dialog open with the old value shown.
    dialog.Placement(kPlaceZ)->setText(QStringLiteral("高处"));
    dialog.Placement(kPlaceY)->setText(QStringLiteral("6.5"));
    Button(dialog, QStringLiteral("确定")).click();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "安装高度应为数字,请重新输入!");
    EXPECT_EQ(dialog.Placement(kPlaceZ)->text(), QStringLiteral("3"));

    dialog.Placement(kPlaceZ)->setText(QStringLiteral("4.2"));
    dialog.Placement(kRotateX)->setText(QStringLiteral("-30"));
    Button(dialog, QStringLiteral("确定")).click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const Luminaire accepted = model.Accept();
    EXPECT_EQ(accepted.ptCenter, (Vector{1.5, 6.5, 4.2}));
    EXPECT_EQ(accepted.Rotate, (Rotation{-30, 0, 45}));
}

} // namespace
} // namespace qv::test
