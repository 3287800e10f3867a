// The wheel over the room bar: a spin box without the focus leaves its value alone (the
// wheel scrolls the bar instead); once the user has clicked into it, the wheel steps it.
#include "ui/OutlinePanelViews.h"
#include "ui/UiTestSupport.h"

#include <QApplication>
#include <QTest>
#include <QWheelEvent>

namespace qv::test {
namespace {

class WheelUi : public UiTest {
protected:
    static void Wheel(QWidget& widget, int angle) {
        const QPointF at(widget.width() / 2.0, widget.height() / 2.0);
        QWheelEvent wheel(at, widget.mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&widget, &wheel);
    }
};

TEST_F(WheelUi, SpinBoxesTakeTheWheelOnlyWithTheFocus) {
    MainWindow& w = Start({}, {QString::fromStdString(Example("office.cil"))});
    QApplication::setActiveWindow(&w);
    QSpinBox& corners = *w.RoomView()->Corners()->CountSpin();
    ASSERT_EQ(corners.value(), 4);
    w.RoomView()->setFocus();
    ASSERT_FALSE(corners.hasFocus());
    for (int i = 0; i < 5; ++i) {
        Wheel(corners, -120);
    }
    EXPECT_EQ(corners.value(), 4);
    EXPECT_EQ(w.Registry().editing.room->TakeValues().outline.size(), 4u);

    corners.setFocus();
    ASSERT_TRUE(corners.hasFocus());
    Wheel(corners, 120);
    EXPECT_EQ(corners.value(), 5);
}

} // namespace
} // namespace qv::test
