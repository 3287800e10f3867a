// The editing bars and the plan view in the running window: panel commands reaching the
// plan, the luminaire panel's messages, the road panel's insert, the fitting with its
// margin and the mouse coordinates, the progress display, and screenshots of both kinds
// (written when QV_SCREENSHOT_DIR names a folder).
#include "calc/common/PowerDensity.h"
#include "panels/CommandTable.h"
#include "ui/CornerGridView.h"
#include "ui/LuminairePanelView.h"
#include "ui/OutlinePanelViews.h"
#include "ui/PlanView.h"
#include "ui/RoadPanelView.h"
#include "ui/StatusPanes.h"
#include "ui/UiTestSupport.h"
#include "ui/WelcomeDialog.h"

#include <QDir>
#include <QMouseEvent>
#include <QPixmap>
#include <QProgressBar>
#include <QTest>

#include <cmath>

namespace qv::test {
namespace {

class PanelsUi : public UiTest {
protected:
    // Paints the plan until the fitting's scale settles (its margin uses the last scale).
    const PlanMapping& Settle() {
        for (int i = 0; i < 30; ++i) {
            window->Plan()->grab();
            QApplication::processEvents(); // the rebuild the paint asked for
        }
        return window->Plan()->Mapping();
    }
    static void Screenshot(QWidget& widget, const QString& name) {
        const QString folder = qEnvironmentVariable("QV_SCREENSHOT_DIR");
        if (!folder.isEmpty()) {
            QApplication::processEvents();
            EXPECT_TRUE(widget.grab().save(QDir(folder).filePath(name)));
        }
    }
};

TEST_F(PanelsUi, ResetCornersShowTheRoomInThePlanFittedWithAMargin) {
    MainWindow& w = Start({StartChoice::kNewIndoor});
    RoomPanelView& room = *w.RoomView();
    QTest::keyClicks(&Field(room, QStringLiteral("总长")), QStringLiteral("10"));
    QTest::keyClicks(&Field(room, QStringLiteral("总宽")), QStringLiteral("6"));
    Button(room, QStringLiteral("重 置")).click();
    EXPECT_EQ(PlanTexts(),
              (std::vector<std::string>{"房1.(0,0)", "房2.(10,0)", "房3.(10,6)", "房4.(0,6)"}));
    EXPECT_EQ(room.Corners()->CountSpin()->value(), 4);

    for (const QSize size : {QSize(1100, 760), QSize(700, 900)}) {
        w.resize(size);
        const PlanMapping& m = Settle();
        const int width = w.Plan()->width();
        const int height = w.Plan()->height();
        // The whole room is visible, with 18 pixels on the sides that decide the scale.
        const double left = m.PixelX(0), right = m.PixelX(10000);
        const double top = m.PixelY(6000), bottom = m.PixelY(0);
        EXPECT_LT(top, bottom); // y up
        EXPECT_GE(std::min(left, top), 18.0 - 1e-3);
        EXPECT_GE(std::min(width - right, height - bottom), 18.0 - 1e-3);
        EXPECT_NEAR(std::min({left, top, width - right, height - bottom}), 18.0, 1e-3);
        // Texts are 14 pixels high once the plan is rebuilt at the settled scale.
        w.RebuildPlan();
        const KvText& label = std::get<KvText>(w.Drawing().model[1]);
        EXPECT_NEAR(label.height / m.scale, 14.0, 1e-6);
    }

    // The status bar shows the plan point under the mouse in metres.
    const PlanMapping& m = w.Plan()->Mapping();
    const QPoint at(static_cast<int>(std::lround(m.PixelX(10000))),
                    static_cast<int>(std::lround(m.PixelY(6000))));
    QMouseEvent move(QEvent::MouseMove, QPointF(at), w.Plan()->mapToGlobal(QPointF(at)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w.Plan(), &move);
    EXPECT_NEAR(w.Status().PaneText(StatusPanes::kX).toDouble(), 10.0, m.scale / 1000.0);
    EXPECT_NEAR(w.Status().PaneText(StatusPanes::kY).toDouble(), 6.0, m.scale / 1000.0);
}

TEST_F(PanelsUi, LuminairePanelDeletesTheSelectedRowAndSaysWhenThereIsNone) {
    MainWindow& w = Start({}, {QString::fromStdString(Example("office.cil"))});
    LuminairePanelView& panel = *w.LuminaireView();
    EXPECT_EQ(PlanTexts().size(), 4u + 8u);
    Button(panel, QStringLiteral("删  除")).click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "请先选中要删除的灯具！");
    EXPECT_EQ(messages.shown[0].caption, "系统提示");
    EXPECT_EQ(panel.Grid()->rowCount(), 8);

    const QString second = panel.Grid()->item(1, 3)->text();
    SelectRow(*panel.Grid(), 0);
    Button(panel, QStringLiteral("删  除")).click();
    EXPECT_EQ(panel.Grid()->rowCount(), 7);
    EXPECT_EQ(panel.Grid()->item(0, 3)->text(), second);
    EXPECT_EQ(PlanTexts().size(), 4u + 7u);                              // the plan follows
    EXPECT_EQ(w.Drawing().luminaires[0].fullLabel.rfind("灯1.", 0), 0u); // renumbered
    Button(panel, QStringLiteral("清  空")).click();
    EXPECT_EQ(panel.Grid()->rowCount(), 0);
    Trigger(kCmdSave);
    Project saved;
    ASSERT_TRUE(LoadProject(w.CurrentProject().path, saved));
    EXPECT_TRUE(saved.luminaires.Empty());
}

TEST_F(PanelsUi, PowerDensityOfTheRoomInThePanels) {
    const std::string office = Example("office.cil");
    MainWindow& w = Start({}, {QString::fromStdString(office)});
    Project stored;
    ASSERT_TRUE(LoadProject(office, stored));
    SelectRow(*w.LuminaireView()->Grid(), 0);
    Button(*w.LuminaireView(), QStringLiteral("删  除")).click();
    ASSERT_EQ(messages.shown.size(), 1u); // asked first, answered 是
    messages.shown.clear();
    stored.luminaires.RemoveAt(0);
    Trigger(kCmdPowerDensity);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, "照明功率密度计算");
    EXPECT_EQ(messages.shown[0].text, PowerDensityMessage(stored.room, stored.luminaires).text);
    EXPECT_EQ(messages.shown[0].text.rfind("当前房间的功率密度为 ", 0), 0u);
    EXPECT_TRUE(w.CurrentProject().luminaires.Empty()); // not collected into the project
}

TEST_F(PanelsUi, RoadPanelInsertsBeforeTheSelectedRowAndTheRoadIsSaved) {
    MainWindow& w = Start({}, {QString::fromStdString(Example("site_and_road.col"))});
    RoadPanelView& road = *w.RoadView();
    SelectRow(*road.Grid(), 1);
    Button(road, QStringLiteral("分隔带")).click();
    EXPECT_EQ(road.Grid()->rowCount(), 6);
    EXPECT_EQ(road.Grid()->item(1, 1)->text(), QStringLiteral("分隔带"));
    EXPECT_EQ(road.Grid()->item(5, 0)->text(), QStringLiteral("6"));
    EditCell(*road.Grid(), 1, 3, QStringLiteral("1.5"));
    QLineEdit& angle = Field(road, QStringLiteral("角度"));
    angle.selectAll();
    QTest::keyClicks(&angle, QStringLiteral("30"));
    QTest::keyClick(&angle, Qt::Key_Return); // finishing the edit redraws the plan
    const std::vector<std::string> texts = PlanTexts();
    EXPECT_EQ(std::count_if(texts.begin(), texts.end(),
                            [](const std::string& t) { return t.rfind("路", 0) == 0; }),
              6);
    Trigger(kCmdSave);
    Project saved;
    ASSERT_TRUE(LoadProject(w.CurrentProject().path, saved));
    ASSERT_EQ(saved.road.components.size(), 6u);
    EXPECT_EQ(saved.road.components[1].m_nType, RoadComponent::kMedian);
    EXPECT_EQ(saved.road.components[1].m_dWidth, 1.5);
    EXPECT_EQ(saved.road.m_dAngle, 30.0);
}

TEST_F(PanelsUi, ProgressReportsDriveTheStatusBar) {
    MainWindow& w = Start({StartChoice::kClosed});
    QProgressBar& bar = *w.Status().ProgressBar();
    KvProgressSink::Report("保存工程", 15000, 20000);
    EXPECT_TRUE(bar.isVisibleTo(&w));
    EXPECT_EQ(bar.maximum(), 10000);
    EXPECT_EQ(bar.value(), 7500);
    EXPECT_EQ(w.Status().PaneText(StatusPanes::kProgressText), QStringLiteral("保存工程75%"));
    KvProgressSink::Report("", -1, 20000);
    EXPECT_FALSE(bar.isVisibleTo(&w));
    EXPECT_EQ(w.Status().PaneText(StatusPanes::kProgressText), QStringLiteral(" "));

    // Reading a project feeds "读取工程" and closes the display at the end.
    std::vector<QString> shown;
    const KvProgressHandler frame = KvProgressSink::Install(nullptr);
    KvProgressSink::Install([&](const std::string& text, int position, int range) {
        frame(text, position, range);
        shown.push_back(w.Status().PaneText(StatusPanes::kProgressText));
    });
    dialogs.files = {Example("office.cil")};
    dialogs.starts = {StartChoice::kOpenFile};
    Trigger(kCmdStartChoice);
    KvProgressSink::Install(frame);
    EXPECT_NE(std::find(shown.begin(), shown.end(), QStringLiteral("读取工程100%")), shown.end());
    EXPECT_FALSE(bar.isVisibleTo(&w));
}

TEST_F(PanelsUi, ScreenshotsOfBothKinds) {
    Start({}, {QString::fromStdString(Example("office.cil"))});
    window->resize(1280, 860);
    Settle();
    Screenshot(*window, QStringLiteral("indoor.png"));
    Start({}, {QString::fromStdString(Example("site_and_road.col"))});
    window->resize(1280, 860);
    Settle();
    Screenshot(*window, QStringLiteral("outdoor.png"));
    EXPECT_EQ(window->CurrentProject().kind, kOutdoorProject);
    WelcomeDialog welcome(window.get());
    welcome.show();
    Screenshot(welcome, QStringLiteral("welcome.png"));
}

} // namespace
} // namespace qv::test
