// Hostile numbers typed with keys into the real widgets: the luminaire dialog's lamp
// flux, a calculation point's X cell, the site's and the room's sizes. Each refusal is
// shown, the focus comes back to what was typed into, and the old value stays.
#include "panels/CommandTable.h"
#include "ui/LuminaireDialog.h"
#include "ui/OutlinePanelViews.h"
#include "ui/PanelGrid.h"
#include "ui/QtText.h"
#include "ui/SinglePointPanelWindow.h"
#include "ui/UiTestSupport.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include <filesystem>

namespace qv::test {
namespace {

class NumberCheckUi : public UiTest {
protected:
    void SetUp() override { std::filesystem::copy_file(QV_CATALOGUE_PATH, dir.File("Lamps.db")); }

    // Types over the field's text and presses Enter.
    static void TypeOver(QLineEdit& field, const QString& text) {
        field.setFocus();
        field.selectAll();
        QTest::keyClicks(&field, text);
        QTest::keyClick(&field, Qt::Key_Return);
    }
    static bool HasFocus(QWidget& widget) { return widget.window()->focusWidget() == &widget; }

    // The refusal shown, and nothing else.
    void ExpectRefusal(const std::string& text) {
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, text);
        EXPECT_EQ(messages.shown[0].caption, "系统提示");
        EXPECT_EQ(messages.shown[0].icon, KvMessageIcon::Warning);
        messages.shown.clear();
    }
};

TEST_F(NumberCheckUi, LuminaireDialogRefusesALampFluxThatIsNoNumber) {
    KvAccess access;
    CatalogueDatabase db(access, dir.File("Lamps.db"));
    LuminaireDialogModel model(db, Luminaire());
    LuminaireDialog dialog(model);
    QLineEdit& flux = *dialog.LampPage(0).flux;
    TypeOver(flux, QStringLiteral("4000"));
    EXPECT_TRUE(messages.shown.empty());
    ASSERT_EQ(model.Working().lamp1.nLuminousFlux, 4000);
    const Luminaire before = model.Working();
    const QString total = dialog.TotalFlux()->text();

    dialog.Maintenance()->setFocus(); // the focus is elsewhere before the typing
    TypeOver(flux, QStringLiteral("abc"));
    ExpectRefusal("光源光通量应为数字,请重新输入!");
    EXPECT_EQ(flux.text(), QStringLiteral("4000"));
    EXPECT_TRUE(HasFocus(flux));
    EXPECT_EQ(dialog.TotalFlux()->text(), total);
    EXPECT_EQ(model.Working(), before);

    TypeOver(flux, QStringLiteral("-5000"));
    ExpectRefusal("光源光通量应为正整数,请重新输入!");
    TypeOver(*dialog.Maintenance(), QStringLiteral("1e+300"));
    ExpectRefusal("维护系数应为大于0且不大于1的数值,请重新输入!");
    EXPECT_TRUE(HasFocus(*dialog.Maintenance()));

    // A refused text typed but not finished stops "确定" at that field.
    dialog.Shape(0).height->setText(QStringLiteral("高"));
    Button(dialog, QStringLiteral("确定")).click();
    ExpectRefusal("高度应为数字,请重新输入!");
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(HasFocus(*dialog.Shape(0).height));
    EXPECT_EQ(model.Working(), before);
}

TEST_F(NumberCheckUi, CalculationPointCellRefusesAnInfiniteX) {
    MainWindow& w = Start({}, {QString::fromStdString(Example("office.cil"))});
    Trigger(kCmdPointIlluminance);
    auto* panel = w.CalcPanels().PanelAs<SinglePointPanelWindow>(kCmdPointIlluminance);
    ASSERT_NE(panel, nullptr);
    PanelGrid& grid = *panel->Grid();
    Button(*panel, QStringLiteral("新  增")).click();
    ASSERT_EQ(grid.rowCount(), 1);
    const int xColumn = 1 + CalcPointGrid::kX;
    const QString before = grid.item(0, xColumn)->text();

    for (const QString& typed : {QStringLiteral("1e999"), QStringLiteral("1e+999")}) {
        grid.setFocus();
        grid.setCurrentCell(0, 0);
        grid.editItem(grid.item(0, xColumn));
        auto* editor = qobject_cast<QLineEdit*>(grid.indexWidget(grid.model()->index(0, xColumn)));
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, typed);
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents(); // the refusal waits for the editor to close
        QApplication::processEvents();
        ExpectRefusal(typed == QStringLiteral("1e999")
                          ? "X轴位置应为数字,请重新输入!"
                          : "X轴位置应为绝对值不大于100000的数值,请重新输入!");
        EXPECT_EQ(grid.item(0, xColumn)->text(), before);
        EXPECT_EQ(grid.currentColumn(), xColumn);
        EXPECT_TRUE(HasFocus(grid));
    }
    Button(*panel, QStringLiteral("计  算")).click();
    EXPECT_EQ(panel->Model().Points().Points()[0].position.x, 0.0);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(NumberCheckUi, SiteAndRoomSizesRefuseTextsThatMakeNoSize) {
    MainWindow& w = Start({}, {QString::fromStdString(Example("site_and_road.col"))});
    const QString title = w.windowTitle();
    const std::vector<std::string> plan = PlanTexts();
    QLineEdit& length = Field(*w.SiteView(), QStringLiteral("总长"));
    const QString shown = length.text();
    TypeOver(length, QStringLiteral("abc"));
    ExpectRefusal("总长应为数字,请重新输入!");
    EXPECT_EQ(length.text(), shown);
    EXPECT_TRUE(HasFocus(length));
    EXPECT_EQ(w.Commands().History().UndoSteps(), 0); // the project is unchanged
    EXPECT_EQ(w.windowTitle(), title);
    EXPECT_EQ(PlanTexts(), plan);
    TypeOver(length, QStringLiteral("1e+300"));
    ExpectRefusal("总长应为不大于100000的正数,请重新输入!");
    EXPECT_EQ(length.text(), shown);

    w.close();
    window.reset();
    MainWindow& office = Start({}, {QString::fromStdString(Example("office.cil"))});
    const Room room = office.Registry().editing.room->TakeValues();
    for (const QString& label : {QStringLiteral("总长"), QStringLiteral("总宽")}) {
        QLineEdit& field = Field(*office.RoomView(), label);
        const QString old = field.text();
        TypeOver(field, QStringLiteral("-3"));
        ExpectRefusal(FromQt(label) + "应为不大于100000的正数,请重新输入!");
        EXPECT_EQ(field.text(), old);
        EXPECT_TRUE(HasFocus(field));
    }
    // The window-to-wall ratio is typed into its drop-down list.
    auto* ratio = office.RoomView()->findChild<QComboBox*>(QStringLiteral("墙窗比"));
    ASSERT_NE(ratio, nullptr);
    const int offered = ratio->count();
    const QString oldRatio = ratio->currentText();
    TypeOver(*ratio->lineEdit(), QStringLiteral("150"));
    ExpectRefusal("墙窗比应为0到100之间的数值,请重新输入!");
    EXPECT_EQ(ratio->currentText(), oldRatio);
    EXPECT_EQ(ratio->count(), offered); // the refused text is no new choice
    EXPECT_EQ(office.Commands().History().UndoSteps(), 0);
    EXPECT_EQ(office.Registry().editing.room->TakeValues(), room);
}

} // namespace
} // namespace qv::test
