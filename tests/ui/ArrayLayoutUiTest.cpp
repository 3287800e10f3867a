// "灯具阵列布置" in the main window: the dialog opened from the 项目 menu over the office,
// driven with keys and clicks, its preview, and the positions it writes to the luminaire
// panel; a refused field keeps its value.
#include "ui/UiTestSupport.h"

#include "panels/CommandTable.h"
#include "ui/ArrayLayoutDialog.h"
#include "ui/LuminairePanelView.h"
#include "ui/QtText.h"

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <filesystem>

namespace qv::test {
namespace {

using Model = ArrayLayoutDialogModel;

class ArrayLayoutUi : public UiTest {
protected:
    // The office (12 m × 7.2 m, eight luminaires at 3 m) open, the dialog opened on the
    // luminaire of the given row.
    ArrayLayoutDialog& OpenOnOffice(int selectedRow) {
        std::filesystem::copy_file(QV_CATALOGUE_PATH, dir.File("Lamps.db"));
        Start({}, {QString::fromStdString(Example("office.cil"))});
        window->ShowBar(EditingBar::kLuminaires);
        if (selectedRow >= 0) {
            SelectRow(*window->LuminaireView()->Grid(), selectedRow);
        }
        Trigger(kCmdArrayLayout);
        auto* dialog = window->findChild<ArrayLayoutDialog*>();
        if (dialog == nullptr) {
            ADD_FAILURE() << "no array layout dialog";
            std::abort();
        }
        return *dialog;
    }

    // Types the text into the field as a user does, then leaves it.
    static void Type(QLineEdit& field, const QString& text) {
        field.setFocus();
        field.selectAll();
        QTest::keyClick(&field, Qt::Key_Backspace);
        QTest::keyClicks(&field, text);
        QTest::keyClick(&field, Qt::Key_Return);
    }

    static void Click(ArrayLayoutDialog& dialog, const QString& text) {
        QTest::mouseClick(&Button(dialog, text), Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QString Cell(int row, int column) const {
        return window->LuminaireView()->Grid()->item(row, column)->text();
    }

    // Red pixels of the preview: the new positions.
    static long RedPixels(ArrayLayoutDialog& dialog) {
        const QImage image = dialog.Preview()->grab().toImage();
        long count = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                count += c.red() > 200 && c.green() < 80 && c.blue() < 80 ? 1 : 0;
            }
        }
        return count;
    }
};

TEST_F(ArrayLayoutUi, MarginsTypedInWriteTheArrayToTheLuminairePanel) {
    ArrayLayoutDialog& dialog = OpenOnOffice(2);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("灯具阵列布置"));
    EXPECT_TRUE(dialog.SelectedChoice()->isChecked());
    EXPECT_EQ(dialog.Field(Model::kHeight)->text(), QStringLiteral("3"));
    const long four = RedPixels(dialog);
    EXPECT_GT(four, 0);

    Type(*dialog.Field(Model::kRows), QStringLiteral("3"));
    Type(*dialog.Field(Model::kColumns), QStringLiteral("4"));
    EXPECT_GT(RedPixels(dialog), four); // twelve marks now
    QTest::mouseClick(dialog.EvenBox(), Qt::LeftButton, {},
                      QPoint(6, dialog.EvenBox()->height() / 2)); // on the box itself
    EXPECT_FALSE(dialog.EvenBox()->isChecked());
    Type(*dialog.Field(Model::kMarginX), QStringLiteral("1.5"));
    Type(*dialog.Field(Model::kMarginY), QStringLiteral("1.2"));
    Type(*dialog.Field(Model::kHeight), QStringLiteral("2.8"));
    Type(*dialog.Field(Model::kRotation), QStringLiteral("90"));
    EXPECT_TRUE(messages.shown.empty());
    Click(dialog, QStringLiteral("确定"));

    QTableWidget& grid = *window->LuminaireView()->Grid();
    ASSERT_EQ(grid.rowCount(), 12);
    ASSERT_EQ(window->Registry().editing.luminaires->Working().Count(), 12);
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 4; ++j) {
            const int row = i * 4 + j;
            EXPECT_EQ(Cell(row, 3), QString::number(1.5 + j * 3.0)) << row;
            EXPECT_EQ(Cell(row, 4), QString::number(1.2 + i * 2.4, 'g', 12)) << row;
            EXPECT_EQ(Cell(row, 5), QStringLiteral("2.8")) << row;
            EXPECT_EQ(Cell(row, 8), QStringLiteral("90")) << row;
            EXPECT_EQ(Cell(row, 0), QStringLiteral("格栅荧光灯盘")) << row;
        }
    }
    EXPECT_EQ(window->findChild<ArrayLayoutDialog*>(), nullptr); // closed and gone
}

TEST_F(ArrayLayoutUi, RefusedFieldIsNamedAndKeepsItsValueAndAddingKeepsTheOthers) {
    ArrayLayoutDialog& dialog = OpenOnOffice(-1);
    EXPECT_TRUE(dialog.CatalogueChoice()->isChecked());
    EXPECT_FALSE(dialog.SelectedChoice()->isEnabled());
    QLineEdit& rows = *dialog.Field(Model::kRows);
    rows.setFocus();
    rows.selectAll();
    QTest::keyClicks(&rows, QStringLiteral("x"));
    EXPECT_EQ(dialog.MessageLine()->text(), QStringLiteral("行数应为数字,请重新输入!"));
    QTest::keyClick(&rows, Qt::Key_Return);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "行数应为数字,请重新输入!");
    EXPECT_EQ(rows.text(), QStringLiteral("2"));
    EXPECT_TRUE(dialog.MessageLine()->text().isEmpty());

    Type(*dialog.Field(Model::kColumns), QStringLiteral("1"));
    Type(rows, QStringLiteral("1"));
    QTest::mouseClick(dialog.AddChoice(), Qt::LeftButton, {},
                      QPoint(6, dialog.AddChoice()->height() / 2)); // on the button itself
    // The catalogue type gets its lamp in the luminaire dialog ("灯具参数...").
    Luminaire lamped = dialog.Model().TemplateLuminaire();
    lamped.lamp1.nCount = 2;
    lamped.lamp1.nLuminousFlux = 3000;
    lamped.nLuminousFlux = 6000;
    dialogs.luminaires.push_back(lamped);
    Click(dialog, QStringLiteral("灯具参数..."));
    const std::string type = dialog.Model().SelectedName();
    Click(dialog, QStringLiteral("确定"));
    QTableWidget& grid = *window->LuminaireView()->Grid();
    ASSERT_EQ(grid.rowCount(), 9);
    EXPECT_EQ(Cell(0, 0), QStringLiteral("格栅荧光灯盘"));
    EXPECT_EQ(FromQt(Cell(8, 0)), type);
    EXPECT_EQ(Cell(8, 3), QStringLiteral("6"));
    EXPECT_EQ(Cell(8, 4), QStringLiteral("3.6"));
    EXPECT_EQ(Cell(8, 5), QStringLiteral("2.95")); // 2.2 m over the working plane
}

TEST_F(ArrayLayoutUi, CancelLeavesTheLuminairesAsTheyWere) {
    ArrayLayoutDialog& dialog = OpenOnOffice(0);
    Type(*dialog.Field(Model::kRows), QStringLiteral("5"));
    Click(dialog, QStringLiteral("取消"));
    EXPECT_EQ(window->LuminaireView()->Grid()->rowCount(), 8);
}

} // namespace
} // namespace qv::test
