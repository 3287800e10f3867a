// Commands that throw rows away ask first, driven as a user does: "清  空" and "删  除" of
// the luminaire bar, the room's "重 置" and a lowered 房间拐角个数, the road's 组件个数 typed
// digit by digit, and "清  空" of a calculation panel's points. 否 keeps every row; 是
// goes on and the 编辑 menu's 撤销 brings the rows back.
#include "panels/CommandTable.h"
#include "ui/CornerGridView.h"
#include "ui/LuminairePanelView.h"
#include "ui/OutlinePanelViews.h"
#include "ui/PanelGrid.h"
#include "ui/RoadPanelView.h"
#include "ui/SinglePointPanelWindow.h"
#include "ui/UiTestSupport.h"

#include <QApplication>
#include <QSpinBox>
#include <QTest>

namespace qv::test {
namespace {

class DiscardQuestionUi : public UiTest {
protected:
    // Types the text into the spin box over its value, then Enter.
    static void TypeCount(QSpinBox& spin, const QString& text) {
        spin.setFocus();
        spin.selectAll();
        QTest::keyClicks(&spin, text);
        QTest::keyClick(&spin, Qt::Key_Return);
        QApplication::processEvents();
    }
    size_t Corners() const { return window->Registry().editing.room->TakeValues().outline.size(); }
    int Luminaires() const { return window->Registry().editing.luminaires->RowCount(); }
    // The one question shown since the last call, forgotten then.
    std::string Question() {
        EXPECT_EQ(messages.shown.size(), 1u);
        const std::string text = messages.shown.empty() ? std::string() : messages.shown[0].text;
        if (!messages.shown.empty()) {
            EXPECT_EQ(messages.shown[0].icon, KvMessageIcon::Question);
            EXPECT_EQ(messages.shown[0].buttons, KvMessageButtons::YesNo);
        }
        messages.shown.clear();
        return text;
    }
};

TEST_F(DiscardQuestionUi, LuminairesAndCornersGoOnlyAfterYesAndComeBackWithUndo) {
    MainWindow& w = Start({}, {QString::fromStdString(Example("office.cil"))});
    QApplication::setActiveWindow(&w);
    const int luminaires = Luminaires();
    ASSERT_GT(luminaires, 1);
    QWidget& bar = *w.LuminaireView();

    messages.answers = {KvMessageAnswer::No};
    Button(bar, QStringLiteral("清  空")).click();
    EXPECT_EQ(Question(), "确定要清空全部" + std::to_string(luminaires) + "个灯具吗?");
    EXPECT_EQ(Luminaires(), luminaires);
    EXPECT_EQ(w.LuminaireView()->Grid()->rowCount(), luminaires);

    SelectRow(*w.LuminaireView()->Grid(), 0);
    messages.answers = {KvMessageAnswer::No};
    Button(bar, QStringLiteral("删  除")).click();
    EXPECT_EQ(Question(), "确定要删除选中的灯具吗?");
    EXPECT_EQ(Luminaires(), luminaires);

    messages.answers = {KvMessageAnswer::Yes};
    Button(bar, QStringLiteral("清  空")).click();
    Question();
    EXPECT_EQ(Luminaires(), 0);
    Button(bar, QStringLiteral("清  空")).click(); // nothing to discard: no question
    EXPECT_TRUE(messages.shown.empty());
    Trigger(kCmdUndo);
    EXPECT_EQ(Luminaires(), luminaires);

    // A lowered corner count asks; 否 keeps the outline and the shown count.
    QSpinBox& count = *w.RoomView()->Corners()->CountSpin();
    ASSERT_EQ(Corners(), 4u);
    messages.answers = {KvMessageAnswer::No};
    TypeCount(count, QStringLiteral("2"));
    EXPECT_EQ(Question(), "拐角个数改为2将删除最后2个拐角,确定吗?");
    EXPECT_EQ(Corners(), 4u);
    EXPECT_EQ(count.value(), 4);
    TypeCount(count, QStringLiteral("12")); // raising loses nothing: no question
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(Corners(), 12u);

    messages.answers = {KvMessageAnswer::No};
    Button(*w.RoomView(), QStringLiteral("重 置")).click();
    EXPECT_EQ(Question(), "重置将用长、宽的矩形代替现有的12个拐角,确定吗?");
    EXPECT_EQ(Corners(), 12u);
    messages.answers = {KvMessageAnswer::Yes};
    Button(*w.RoomView(), QStringLiteral("重 置")).click();
    Question();
    EXPECT_EQ(Corners(), 4u);
    Trigger(kCmdUndo);
    EXPECT_EQ(Corners(), 12u);
}

TEST_F(DiscardQuestionUi, TheRoadsComponentCountActsOnTheWholeNumberAndAsksBeforeLowering) {
    MainWindow& w = Start({}, {QString::fromStdString(Example("site_and_road.col"))});
    QApplication::setActiveWindow(&w);
    QSpinBox& count = *w.RoadView()->CountSpin();
    ASSERT_EQ(w.RoadView()->Grid()->rowCount(), 5);
    const QString first = w.RoadView()->Grid()->item(0, 1)->text();
    count.setFocus();
    count.selectAll();
    QTest::keyClicks(&count, QStringLiteral("10")); // "1" first must not cut the road
    EXPECT_EQ(w.RoadView()->Grid()->rowCount(), 5);
    QTest::keyClick(&count, Qt::Key_Return);
    EXPECT_EQ(w.RoadView()->Grid()->rowCount(), 10);
    EXPECT_EQ(w.RoadView()->Grid()->item(0, 1)->text(), first);
    EXPECT_TRUE(messages.shown.empty());

    messages.answers = {KvMessageAnswer::No};
    TypeCount(count, QStringLiteral("3"));
    EXPECT_EQ(Question(), "组件个数改为3将删除最后7个组件,确定吗?");
    EXPECT_EQ(w.RoadView()->Grid()->rowCount(), 10);
    EXPECT_EQ(count.value(), 10);

    messages.answers = {KvMessageAnswer::No};
    Button(*w.RoadView(), QStringLiteral("清空")).click();
    EXPECT_EQ(Question(), "确定要清空全部10个组件吗?");
    EXPECT_EQ(w.RoadView()->Grid()->rowCount(), 10);
}

TEST_F(DiscardQuestionUi, APanelsPointsAreClearedOrDeletedOnlyAfterYes) {
    Start({}, {QString::fromStdString(Example("office.cil"))});
    auto* panel = &Open<SinglePointPanelWindow>(kCmdPointIlluminance);
    Button(*panel, QStringLiteral("新  增")).click();
    Button(*panel, QStringLiteral("新  增")).click();
    ASSERT_EQ(panel->Grid()->rowCount(), 2);

    messages.answers = {KvMessageAnswer::No};
    Button(*panel, QStringLiteral("清  空")).click();
    EXPECT_EQ(Question(), "确定要清空全部2行吗?");
    EXPECT_EQ(panel->Grid()->rowCount(), 2);

    SelectRow(*panel->Grid(), 1);
    messages.answers = {KvMessageAnswer::No};
    Button(*panel, QStringLiteral("删  除")).click();
    EXPECT_EQ(Question(), "确定要删除选中的行吗?");
    EXPECT_EQ(panel->Grid()->rowCount(), 2);
    messages.answers = {KvMessageAnswer::Yes};
    Button(*panel, QStringLiteral("删  除")).click();
    Question();
    EXPECT_EQ(panel->Grid()->rowCount(), 1);
}

} // namespace
} // namespace qv::test
