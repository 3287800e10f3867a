// The plan as a design surface in the running window: a click on a luminaire selects its
// row in the luminaire panel and the panel's selection shows on the plan, a drag moves it
// (snapped) as one edit, the arrow keys nudge it, Delete removes it, the wheel zooms about
// the mouse and "适合窗口" fits again, and a shortened label shows its full text as a tip.
#include "panels/CommandTable.h"
#include "panels/PanelText.h"
#include "panels/PlanEditing.h"
#include "ui/GridRows.h"
#include "ui/LuminairePanelView.h"
#include "ui/PlanView.h"
#include "ui/StatusPanes.h"
#include "ui/UiTestSupport.h"

#include <QHelpEvent>
#include <QTest>
#include <QToolTip>
#include <QWheelEvent>

#include <cmath>

namespace qv::test {
namespace {

class PlanUi : public UiTest {
protected:
    MainWindow& OpenOffice() {
        MainWindow& w = Start({}, {QString::fromStdString(Example("office.cil"))});
        Settle();
        return w;
    }
    // Paints the plan and lets the rebuilds it asks for run.
    const PlanMapping& Settle() {
        for (int i = 0; i < 5; ++i) {
            window->Plan()->grab();
            QApplication::processEvents();
        }
        return window->Plan()->Mapping();
    }
    QPoint Pixel(const Vector& mm) const {
        const PlanMapping& m = window->Plan()->Mapping();
        return {static_cast<int>(std::lround(m.PixelX(mm.x))),
                static_cast<int>(std::lround(m.PixelY(mm.y)))};
    }
    LuminaireListPanelModel& Luminaires() const { return *window->Registry().editing.luminaires; }
    int GridRow() const { return SelectedGridRow(*window->LuminaireView()->Grid()); }
    void Wheel(const QPoint& at, int angle) const {
        QWheelEvent wheel(QPointF(at), window->Plan()->mapToGlobal(QPointF(at)), QPoint(),
                          QPoint(0, angle), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(window->Plan(), &wheel);
    }
};

TEST_F(PlanUi, ClickSelectsTheRowAndThePanelsSelectionShowsOnThePlan) {
    MainWindow& w = OpenOffice();
    PlanView& plan = *w.Plan();
    ASSERT_EQ(w.Drawing().luminaires.size(), 8u);
    QTest::mouseClick(&plan, Qt::LeftButton, {}, Pixel(w.Drawing().luminaires[2].center));
    EXPECT_EQ(plan.Selected(), 2);
    EXPECT_EQ(Luminaires().SelectedRow(), 2);
    EXPECT_EQ(GridRow(), 2);
    EXPECT_EQ(w.focusWidget(), &plan); // the keys now reach the plan

    SelectRow(*w.LuminaireView()->Grid(), 5); // the other way round
    EXPECT_EQ(plan.Selected(), 5);
    // A click beside the body (a few pixels off its edge still hits), then on empty ground.
    const PlanLuminaire& sixth = w.Drawing().luminaires[5];
    const double right = std::max({sixth.outline[0].x, sixth.outline[1].x, sixth.outline[2].x});
    QTest::mouseClick(&plan, Qt::LeftButton, {},
                      QPoint(static_cast<int>(std::lround(plan.Mapping().PixelX(right))) + 2,
                             Pixel(sixth.center).y()));
    EXPECT_EQ(Luminaires().SelectedRow(), 5);
    QTest::mouseClick(&plan, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(plan.Selected(), -1);
    EXPECT_EQ(Luminaires().SelectedRow(), -1);
    EXPECT_EQ(GridRow(), -1);
    EXPECT_EQ(Luminaires().RowCount(), 8); // selecting is no edit
}

TEST_F(PlanUi, DragMovesOnceSnappedAndKeysNudgeAndDelete) {
    MainWindow& w = OpenOffice();
    PlanView& plan = *w.Plan();
    const Vector before = Luminaires().Working().At(4).ptCenter;
    const Vector centre = w.Drawing().luminaires[4].center;
    const QPoint start = Pixel(centre);
    const QPoint end = start + QPoint(57, -33);
    const double scale = plan.Mapping().scale; // the fitting follows the moved luminaire
    int moves = 0;
    QObject::connect(&plan, &PlanView::LuminaireMoved, [&moves] { ++moves; });
    QTest::mousePress(&plan, Qt::LeftButton, {}, start);
    QTest::mouseMove(&plan, start + QPoint(10, -5));
    QTest::mouseMove(&plan, end);
    EXPECT_EQ(Luminaires().Working().At(4).ptCenter, before); // only drawn while dragging
    QTest::mouseRelease(&plan, Qt::LeftButton, {}, end);
    EXPECT_EQ(moves, 1);
    const double x = SnapMetres((centre.x + (end.x() - start.x()) * scale) / 1000.0);
    const double y = SnapMetres((centre.y - (end.y() - start.y()) * scale) / 1000.0);
    EXPECT_NE(x, before.x);
    const Vector moved = Luminaires().Working().At(4).ptCenter;
    EXPECT_EQ(moved, (Vector{x, y, before.z}));
    EXPECT_EQ(moved.x, x); // on the grid exactly
    EXPECT_EQ(w.LuminaireView()->Grid()->item(4, 3)->text().toStdString(), NumberText(x));
    EXPECT_EQ(w.Drawing().luminaires[4].center, (Vector{x * 1000.0, y * 1000.0, 0}));
    EXPECT_EQ(Luminaires().SelectedRow(), 4);

    // A press and release without moving is a click, not an edit.
    QTest::mouseClick(&plan, Qt::LeftButton, {}, Pixel(w.Drawing().luminaires[4].center));
    EXPECT_EQ(moves, 1);

    QTest::keyClick(&plan, Qt::Key_Right);
    QTest::keyClick(&plan, Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(moves, 3); // one edit each
    EXPECT_EQ(Luminaires().Working().At(4).ptCenter, (Vector{x + 0.05, y + 0.5, before.z}));

    const std::string sixth = Luminaires().RowTexts(5)[3];
    QTest::keyClick(&plan, Qt::Key_Delete);
    EXPECT_EQ(Luminaires().RowCount(), 7);
    EXPECT_EQ(w.LuminaireView()->Grid()->rowCount(), 7);
    EXPECT_EQ(w.Drawing().luminaires.size(), 7u);
    EXPECT_EQ(Luminaires().RowTexts(4)[3], sixth);
    EXPECT_EQ(plan.Selected(), Luminaires().SelectedRow());
    Trigger(kCmdSave);
    Project saved;
    ASSERT_TRUE(LoadProject(w.CurrentProject().path, saved));
    EXPECT_EQ(saved.luminaires.Count(), 7);
}

TEST_F(PlanUi, WheelZoomsAboutTheMouseKeepsAcrossEditsAndFitsAgain) {
    MainWindow& w = OpenOffice();
    PlanView& plan = *w.Plan();
    const PlanMapping fitted = plan.Mapping();
    const QPoint at(plan.width() / 3, plan.height() / 2);
    const double planX = fitted.PlanX(at.x());
    const double planY = fitted.PlanY(at.y());
    Wheel(at, 120);
    Settle();
    EXPECT_TRUE(plan.Zoomed());
    EXPECT_NEAR(plan.Mapping().scale, fitted.scale / std::sqrt(2.0), 1e-9 * fitted.scale);
    EXPECT_NEAR(plan.Mapping().PlanX(at.x()), planX, 1e-6);
    EXPECT_NEAR(plan.Mapping().PlanY(at.y()), planY, 1e-6);
    // The texts are rebuilt at 14 pixels for the new scale.
    EXPECT_NEAR(std::get<KvText>(w.Drawing().model[1]).height / plan.Mapping().scale, 14.0, 1e-6);

    // The status bar's coordinates follow the zoomed mapping.
    QMouseEvent move(QEvent::MouseMove, QPointF(at), plan.mapToGlobal(QPointF(at)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&plan, &move);
    EXPECT_EQ(w.Status().PaneText(StatusPanes::kX).toStdString(),
              MouseXText(plan.Mapping(), at.x()));

    // A middle drag pans; an edit keeps the zoom and the pan.
    QTest::mousePress(&plan, Qt::MiddleButton, {}, at);
    QTest::mouseMove(&plan, at + QPoint(40, 25));
    QTest::mouseRelease(&plan, Qt::MiddleButton, {}, at + QPoint(40, 25));
    EXPECT_NEAR(plan.Mapping().PlanX(at.x() + 40), planX, 1e-6);
    const PlanMapping zoomed = plan.Mapping();
    QTest::mouseClick(&plan, Qt::LeftButton, {}, Pixel(w.Drawing().luminaires[0].center));
    QTest::keyClick(&plan, Qt::Key_Left);
    Settle();
    EXPECT_EQ(plan.Mapping().scale, zoomed.scale);
    EXPECT_EQ(plan.Mapping().originX, zoomed.originX);

    Trigger(kCmdFitPlan);
    Settle();
    EXPECT_FALSE(plan.Zoomed());
    EXPECT_NEAR(plan.Mapping().scale, fitted.scale, 1e-9 * fitted.scale);
    // Zooming out far and back in stays finite and the ruler keeps its numbers apart.
    for (int i = 0; i < 60; ++i) {
        Wheel(at, -120);
    }
    Settle();
    EXPECT_EQ(plan.Mapping().scale, PlanMapping::kMaxScale);
    EXPECT_FALSE(w.Drawing().ruler.empty());
    for (int i = 0; i < 120; ++i) {
        Wheel(at, 120);
    }
    Settle(); // the walls now lie millions of pixels out
    EXPECT_EQ(plan.Mapping().scale, PlanMapping::kMinScale);
    EXPECT_TRUE(std::isfinite(plan.Mapping().PlanX(at.x())));
}

TEST_F(PlanUi, ShortenedLabelShowsItsFullTextAsATip) {
    MainWindow& w = OpenOffice();
    PlanView& plan = *w.Plan();
    const PlanLuminaire* shortened = nullptr;
    for (const PlanLuminaire& luminaire : w.Drawing().luminaires) {
        if (luminaire.labelShortened) {
            shortened = &luminaire;
            break;
        }
    }
    ASSERT_NE(shortened, nullptr) << "the office's labels collide in the window";
    const std::string full = shortened->fullLabel;
    const QPoint at = Pixel(shortened->center);
    QHelpEvent help(QEvent::ToolTip, at, plan.mapToGlobal(at));
    QApplication::sendEvent(&plan, &help);
    EXPECT_EQ(QToolTip::text().toStdString(), full);
    QToolTip::hideText();
}

} // namespace
} // namespace qv::test
