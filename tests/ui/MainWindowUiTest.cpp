// The main window as the user meets it: start-up with the welcome dialog or a project on
// the command line, the menus, toolbars and bars of each kind, the kind switch, the
// window placement and the font.
#include "panels/CommandTable.h"
#include "ui/AppFont.h"
#include "ui/LuminairePanelView.h"
#include "ui/MessageBoxSink.h"
#include "ui/OutlinePanelViews.h"
#include "ui/RoadPanelView.h"
#include "ui/StatusPanes.h"
#include "ui/UiTestSupport.h"
#include "ui/WelcomeDialog.h"
#include "ui/WindowPlacement.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QFontInfo>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>

namespace qv::test {
namespace {

using MainWindowUi = UiTest;

Qt::DockWidgetArea Area(MainWindow& window, EditingBar bar) {
    return window.dockWidgetArea(window.Bar(bar));
}

std::vector<QString> MenuTitles(const MainWindow& window) {
    std::vector<QString> titles;
    for (QAction* menu : window.menuBar()->actions()) {
        titles.push_back(menu->text());
    }
    return titles;
}

TEST_F(MainWindowUi, StartsIndoorFromTheWelcomeDialog) {
    MainWindow& w = Start({StartChoice::kNewIndoor});
    EXPECT_EQ(dialogs.welcomeShown, 1);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("未命名 - 《Halvorn》配套光盘－Varsolin"));
    EXPECT_EQ(w.CurrentProject().kind, kIndoorProject);
    EXPECT_EQ(w.MenuResource(), kMenuIndoor);
    ASSERT_NE(w.Bar(EditingBar::kRoom), nullptr);
    EXPECT_EQ(w.Bar(EditingBar::kRoom)->windowTitle(), QStringLiteral("房屋参数"));
    EXPECT_EQ(Area(w, EditingBar::kRoom), Qt::RightDockWidgetArea);
    EXPECT_EQ(w.Bar(EditingBar::kLuminaires)->windowTitle(), QStringLiteral("灯具布置"));
    EXPECT_EQ(Area(w, EditingBar::kLuminaires), Qt::BottomDockWidgetArea);
    EXPECT_EQ(w.Bar(EditingBar::kSite), nullptr);
    EXPECT_EQ(w.Bar(EditingBar::kRoad), nullptr);

    // Commands: texts and shortcuts as the table gives them; later panels disabled.
    EXPECT_EQ(w.Action(kCmdNew)->text(), QStringLiteral("新项目(&N)"));
    EXPECT_EQ(w.Action(kCmdNew)->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
    EXPECT_EQ(w.Action(kCmdOpen)->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
    EXPECT_EQ(w.Action(kCmdAbout)->text(), QStringLiteral("关于 《Halvorn》配套光盘(&A)..."));
    for (const int id : {kCmdGrPoint, kCmdLampCatalogue, kCmdSplit}) {
        EXPECT_FALSE(w.Action(id)->isEnabled()) << id;
    }
    EXPECT_TRUE(w.Action(kCmdPointIlluminance)->isEnabled());
    EXPECT_TRUE(w.Action(kCmdRoomBar)->isEnabled());
    EXPECT_EQ(MenuTitles(w).size(), MenuLayout(kMenuIndoor).size());

    // Both toolbars at the top, the kind's to the right of the standard one.
    ASSERT_NE(w.StandardToolbar(), nullptr);
    ASSERT_NE(w.KindToolbar(), nullptr);
    EXPECT_EQ(w.toolBarArea(w.StandardToolbar()), Qt::TopToolBarArea);
    EXPECT_EQ(w.toolBarArea(w.KindToolbar()), Qt::TopToolBarArea);
    EXPECT_FALSE(w.toolBarBreak(w.KindToolbar()));
    EXPECT_GT(w.KindToolbar()->x(), w.StandardToolbar()->x());
    EXPECT_EQ(w.StandardToolbar()->iconSize(), QSize(16, 15));
    EXPECT_TRUE(w.Action(kCmdLuminaireCatalogue)->isEnabled());

    EXPECT_EQ(w.Status().PaneText(StatusPanes::kXTitle), QStringLiteral("X坐标"));
    EXPECT_EQ(w.Status().PaneText(StatusPanes::kY), QStringLiteral("3000"));
    EXPECT_FALSE(w.Status().ProgressBar()->isVisibleTo(&w));
    // Texts are drawn with Simplified Chinese glyphs.
    EXPECT_EQ(QFontInfo(w.RoomView()->font()).family(), QString::fromUtf8(kUiFontFamily));

    Trigger(kCmdAbout);
    EXPECT_EQ(dialogs.aboutShown, 1);
}

TEST_F(MainWindowUi, ClosedWelcomeDialogLeavesNoProjectAndExitsWithoutAsking) {
    MainWindow& w = Start({StartChoice::kClosed});
    EXPECT_EQ(w.CurrentProject().kind, kNoProject);
    EXPECT_EQ(w.MenuResource(), kMenuNone);
    EXPECT_EQ(w.Action(kCmdAbout)->text(), QStringLiteral("关于 Quorvel(&A)..."));
    EXPECT_EQ(w.StandardToolbar(), nullptr);
    EXPECT_EQ(w.Bar(EditingBar::kLuminaires), nullptr);
    // 1353 runs the start-up choice again, without the modified check.
    dialogs.starts = {StartChoice::kNewOutdoor};
    Trigger(kCmdStartChoice);
    EXPECT_EQ(w.CurrentProject().kind, kOutdoorProject);
    EXPECT_EQ(w.MenuResource(), kMenuOutdoor);

    Start({});
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(MainWindowUi, ProjectOnTheCommandLineOpensWithoutTheWelcomeDialog) {
    const std::string office = Example("office.cil");
    MainWindow& w = Start({}, {QString::fromStdString(office)});
    EXPECT_EQ(dialogs.welcomeShown, 0);
    EXPECT_EQ(w.CurrentProject().kind, kIndoorProject);
    EXPECT_EQ(w.CurrentProject().path, office);
    EXPECT_EQ(w.Status().PaneText(StatusPanes::kPath), QString::fromStdString(office));
    Project stored;
    ASSERT_TRUE(LoadProject(office, stored));
    EXPECT_EQ(w.RoomView()->Corners()->Grid()->rowCount(),
              static_cast<int>(stored.room.outline.size()));
    EXPECT_EQ(w.LuminaireView()->Grid()->rowCount(), stored.luminaires.Count());
    EXPECT_EQ(w.LuminaireView()->Grid()->horizontalHeaderItem(11)->text(),
              QStringLiteral("等光强曲线"));

    // A file that cannot be read falls back to the welcome dialog.
    const std::string broken = dir.File("broken.cil");
    WriteFileText(broken, "not xml");
    Start({StartChoice::kNewIndoor}, {QString::fromStdString(broken)});
    EXPECT_EQ(dialogs.welcomeShown, 1);
    EXPECT_TRUE(window->CurrentProject().path.empty());
}

TEST_F(MainWindowUi, OpeningAnOutdoorProjectReplacesTheBars) {
    MainWindow& w = Start({StartChoice::kNewIndoor});
    const std::string site = Example("site_and_road.col");
    dialogs.files = {site};
    Trigger(kCmdOpen);
    ASSERT_EQ(dialogs.fileDialogs.size(), 1u);
    EXPECT_EQ(dialogs.fileDialogs[0].filter, OpenProjectDialog().filter);
    EXPECT_TRUE(messages.shown.empty()); // an empty indoor project is not offered for saving
    EXPECT_EQ(w.CurrentProject().kind, kOutdoorProject);
    EXPECT_EQ(w.MenuResource(), kMenuOutdoor);
    EXPECT_EQ(w.Bar(EditingBar::kRoom), nullptr);
    EXPECT_EQ(Area(w, EditingBar::kSite), Qt::RightDockWidgetArea);
    EXPECT_EQ(w.Bar(EditingBar::kSite)->windowTitle(), QStringLiteral("应用场地"));
    EXPECT_EQ(Area(w, EditingBar::kRoad), Qt::LeftDockWidgetArea);
    EXPECT_EQ(w.Bar(EditingBar::kRoad)->windowTitle(), QStringLiteral("道路方案"));
    EXPECT_EQ(Area(w, EditingBar::kLuminaires), Qt::BottomDockWidgetArea);
    EXPECT_EQ(w.SiteView()->Corners()->Grid()->rowCount(), 4);
    EXPECT_EQ(w.RoadView()->Grid()->rowCount(), 5);
    EXPECT_EQ(w.RoadView()->Grid()->item(0, 1)->text(), QStringLiteral("人行道"));
    EXPECT_EQ(w.Status().PaneText(StatusPanes::kPath), QString::fromStdString(site));

    // The same kind again keeps the bars and refills them.
    QDockWidget* siteBar = w.Bar(EditingBar::kSite);
    w.SiteView()->Corners()->Grid()->selectRow(0);
    Button(*w.SiteView(), QStringLiteral("删除")).click();
    ASSERT_EQ(messages.shown.size(), 1u); // asked first, answered 是
    EXPECT_EQ(messages.shown[0].text, "确定要删除第1个拐角吗?");
    messages.shown.clear();
    dialogs.files = {Example("site_and_road.col")};
    messages.answers = {KvMessageAnswer::No};
    Trigger(kCmdOpen);
    ASSERT_EQ(messages.shown.size(), 1u); // the deleted corner is an unsaved change
    EXPECT_EQ(w.Bar(EditingBar::kSite), siteBar);
    EXPECT_EQ(w.SiteView()->Corners()->Grid()->rowCount(), 4);
}

TEST_F(MainWindowUi, BarCommandsShowAClosedBarAgain) {
    MainWindow& w = Start({StartChoice::kNewIndoor});
    QDockWidget* room = w.Bar(EditingBar::kRoom);
    room->close();
    EXPECT_FALSE(room->isVisible());
    Trigger(kCmdRoomBar);
    EXPECT_EQ(w.Bar(EditingBar::kRoom), room);
    EXPECT_TRUE(room->isVisible());
    EXPECT_EQ(w.Registry().opened.count(kCmdRoomBar), 1u);
    Trigger(kCmdToolbar); // hides both toolbars
    EXPECT_FALSE(w.StandardToolbar()->isVisible());
    EXPECT_FALSE(w.KindToolbar()->isVisible());
}

TEST_F(MainWindowUi, PlacementIsRestoredAtStartAndSavedAtExit) {
    const std::string settings = dir.File("Quorvel.ini");
    KvWindowPlacement stored;
    stored.rcNormalPosition = {40, 30, 640, 430}; // within the offscreen 800 × 600 screen
    ASSERT_EQ(KvIniFile::SaveWindowPlacement(&stored, kMainWindowSection, settings), 1);
    MainWindow& w = Start({StartChoice::kClosed});
    EXPECT_EQ(w.geometry(), QRect(40, 30, 600, 400));
    w.setGeometry(QRect(60, 50, 700, 500));
    ASSERT_TRUE(w.close());
    EXPECT_EQ(KvIniFile::ReadKey(kMainWindowSection, "rcNormalPositionright", 0L, settings), 760L);
    EXPECT_EQ(KvIniFile::ReadKey(kMainWindowSection, "showCmd", 0, settings), 1);
}

TEST(WelcomeDialogUi, EachButtonClosesWithItsChoice) {
    for (const StartChoice choice :
         {StartChoice::kNewIndoor, StartChoice::kNewOutdoor, StartChoice::kOpenFile}) {
        WelcomeDialog dialog;
        dialog.show();
        dialog.Button(choice)->click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.Choice(), choice);
    }
    WelcomeDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("欢迎使用《Halvorn》配套计算软件－Varsolin"));
    EXPECT_EQ(dialog.Button(StartChoice::kNewOutdoor)->text(),
              QStringLiteral("新的户外、道路设计"));
    dialog.show();
    dialog.reject();
    EXPECT_EQ(dialog.Choice(), StartChoice::kClosed);
    EXPECT_EQ(DialogNameFilters(OpenProjectDialog().filter).constFirst(),
              QStringLiteral("全部设计存档 (*.cil *.col)"));
}

TEST(MessageBoxUi, MessagesShowAsBoxesAnsweredWithTheButtonPressed) {
    const KvScopedMessageHandler boxes(MessageBoxHandler(nullptr));
    QString title;
    QString text;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        EXPECT_EQ(box->icon(), QMessageBox::Warning);
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(KvMessageSink::Show("当前工程未保存，保存吗？", "系统提示", KvMessageIcon::Warning,
                                  KvMessageButtons::YesNoCancel),
              KvMessageAnswer::No);
    EXPECT_EQ(title, QStringLiteral("系统提示"));
    EXPECT_EQ(text, QStringLiteral("当前工程未保存，保存吗？"));
}

} // namespace
} // namespace qv::test
