// "项目信息" in the main window: the dialog shows the project's information (today as the
// date while none is set), OK changes the project as one undo step, Cancel and a refused
// text change nothing, and Save keeps what was typed.
#include "model/ProjectFile.h"
#include "panels/CommandTable.h"
#include "ui/ProjectInfoDialog.h"
#include "ui/QtText.h"
#include "ui/UiTestSupport.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace qv::test {
namespace {

class ProjectInfoUi : public UiTest {
protected:
    ProjectInfoDialog& OpenDialog() {
        Trigger(kCmdProjectInfo);
        QApplication::processEvents();
        auto* dialog = window->findChild<ProjectInfoDialog*>();
        EXPECT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog && dialog->isVisible());
        return *dialog;
    }
    static void Type(QLineEdit* line, const QString& text) {
        ASSERT_NE(line, nullptr);
        line->setFocus();
        line->selectAll();
        line->insert(text); // as typed through the input method (key clicks are ASCII)
    }
    const ProjectInfo& Info() const { return window->CurrentProject().info; }
};

TEST_F(ProjectInfoUi, OkIsOneUndoStepAndSaveKeepsIt) {
    const std::string path = Example("office.cil");
    MainWindow& w = Start({}, {QString::fromStdString(path)});
    ProjectInfoDialog& dialog = OpenDialog();
    EXPECT_EQ(FromQt(dialog.Line("日期")->text()), TodayText());
    EXPECT_EQ(dialog.Line("描述"), nullptr);
    Type(dialog.Line("工程名称"), QStringLiteral("滨江办公楼"));
    Type(dialog.Line("审核"), QStringLiteral("王工"));
    dialog.Description()->setPlainText(QStringLiteral("一层\n二层"));
    QTest::mouseClick(dialog.Confirm(), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(Info().name, "滨江办公楼");
    EXPECT_EQ(Info().reviewer, "王工");
    EXPECT_EQ(Info().date, TodayText());
    EXPECT_EQ(Info().description, "一层\n二层");
    EXPECT_TRUE(w.windowTitle().startsWith(QStringLiteral("office.cil*")));
    ASSERT_TRUE(w.Action(kCmdUndo)->isEnabled());

    Trigger(kCmdUndo);
    EXPECT_TRUE(Info().Empty());
    EXPECT_TRUE(w.windowTitle().startsWith(QStringLiteral("office.cil -")));
    Trigger(kCmdRedo);
    EXPECT_EQ(Info().name, "滨江办公楼");

    Trigger(kCmdSave);
    Project saved;
    ASSERT_TRUE(LoadProject(path, saved, {false}));
    EXPECT_EQ(saved.info, Info());
}

TEST_F(ProjectInfoUi, OpenedProjectShowsItsInformation) {
    const std::string path = Example("office.cil");
    Project project;
    ASSERT_TRUE(LoadProject(path, project, {false}));
    project.info.name = "滨江办公楼";
    project.info.date = "2025-01-02";
    ASSERT_TRUE(SaveProject(project, path));
    MainWindow& w = Start({}, {QString::fromStdString(path)});
    EXPECT_EQ(Info().name, "滨江办公楼");
    EXPECT_FALSE(w.windowTitle().contains(QLatin1Char('*')));
    ProjectInfoDialog& dialog = OpenDialog();
    EXPECT_EQ(dialog.Line("工程名称")->text(), QStringLiteral("滨江办公楼"));
    EXPECT_EQ(dialog.Line("日期")->text(), QStringLiteral("2025-01-02"));
    dialog.reject();
}

TEST_F(ProjectInfoUi, CancelAndRefusedTextsLeaveTheProject) {
    MainWindow& w = Start({}, {QString::fromStdString(Example("office.cil"))});
    ProjectInfoDialog& first = OpenDialog();
    Type(first.Line("设计者"), QStringLiteral("张工"));
    first.reject();
    QApplication::processEvents();
    EXPECT_TRUE(Info().Empty());
    EXPECT_FALSE(w.Action(kCmdUndo)->isEnabled());

    ProjectInfoDialog& dialog = OpenDialog();
    Type(dialog.Line("设计者"), QStringLiteral("张工"));
    dialog.Description()->setPlainText(QString(2001, QChar(u'长')));
    QTest::mouseClick(dialog.Confirm(), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "描述过长,请不超过2000个字!");
    EXPECT_TRUE(Info().Empty());
    EXPECT_FALSE(w.Action(kCmdUndo)->isEnabled());
    // The typed name is no longer than the line takes.
    EXPECT_EQ(dialog.Line("工程名称")->maxLength(), 200);
}

} // namespace
} // namespace qv::test
