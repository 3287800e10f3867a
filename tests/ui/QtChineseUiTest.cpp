// Qt's own texts in Chinese once qtbase_zh_CN is loaded: the message box's standard
// buttons and the file dialog's labels.
#include "ui/QtChinese.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>

#include <gtest/gtest.h>

namespace qv::test {
namespace {

TEST(QtChineseUi, StandardButtonsAndTheFileDialogSpeakChinese) {
    const QLocale before;
    QTranslator* translator = InstallQtChinese(*QCoreApplication::instance());
    ASSERT_NE(translator, nullptr) << "qtbase_zh_CN is not installed";
    EXPECT_EQ(QLocale().language(), QLocale::Chinese); // dates in the file dialog
    EXPECT_EQ(QLocale().decimalPoint(), QStringLiteral("."));
    {
        QMessageBox box(QMessageBox::Question, QStringLiteral("系统提示"), QStringLiteral("?"),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        EXPECT_TRUE(box.button(QMessageBox::Yes)->text().startsWith(QStringLiteral("是")))
            << box.button(QMessageBox::Yes)->text().toStdString();
        EXPECT_TRUE(box.button(QMessageBox::No)->text().startsWith(QStringLiteral("否")));
        EXPECT_TRUE(box.button(QMessageBox::Cancel)->text().startsWith(QStringLiteral("取消")));

        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        bool english = false;
        for (const QLabel* label : dialog.findChildren<QLabel*>()) {
            english = english || label->text().contains(QStringLiteral("Look in")) ||
                      label->text().contains(QStringLiteral("File name"));
        }
        EXPECT_FALSE(english);
    }
    QCoreApplication::removeTranslator(translator);
    delete translator;
    QLocale::setDefault(before);
}

} // namespace
} // namespace qv::test
