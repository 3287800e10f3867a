#pragma once
// The plan view in the middle of the main window: draws the plan drawing's ruler, model
// and overlay lists fitted to the window (y up, an 18-pixel margin) and reports the mouse
// position in metres. Text heights and the ruler step belong to the scale of the last
// rebuild: when a paint moves the scale, the view asks for a rebuild once the paint is
// over, and a timer every 800 ms asks again while the scale still moves.
//
// It is also where luminaires are placed: a click selects the luminaire under the mouse
// (drawn in blue), a drag moves it (its centre snapping to 0.05 m, Shift free), Delete
// removes it and the arrow keys nudge it by 0.05 m (Shift: 0.5 m). The view only asks:
// the main window carries each edit out on the luminaire panel. The wheel zooms about
// the mouse, a middle or right drag pans; the view keeps that zoom across rebuilds until
// it is fitted again.
#include "panels/PlanFit.h"

#include <QPoint>
#include <QWidget>

#include <optional>
#include <string>

namespace qv {

class PlanView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kTimerPeriodMs = 800;
    // How far from a luminaire's body or centre mark a click still hits it.
    static constexpr double kHitPixels = 4.0;
    // A press that moves less than this many pixels is a click, not a drag.
    static constexpr int kDragPixels = 3;

    PlanView(PlanDrawing& drawing, QWidget* parent = nullptr);

    // The mapping of the last paint.
    const PlanMapping& Mapping() const { return m_mapping; }
    // Notes the scale and view the lists were built with (after every rebuild).
    void Rebuilt();
    // The luminaire drawn selected (its row), -1 for none; set without a signal.
    void SetSelected(int row);
    int Selected() const { return m_selected; }
    // Fits the plan to the window again, dropping the user's zoom and pan.
    void FitToWindow();
    // Whether the user's zoom or pan replaced the fitting.
    bool Zoomed() const { return m_zoomed; }

signals:
    void MouseMoved(const std::string& x, const std::string& y);
    // The lists want a rebuild: the scale or the rectangle a zoomed view shows moved.
    void ScaleChanged();
    // A click on the plan selected a luminaire's row, or none (-1) on empty ground.
    void LuminaireClicked(int row);
    // A drag or a nudge put the luminaire of the row at a new centre (metres).
    void LuminaireMoved(int row, double x, double y);
    void LuminaireDeleteRequested(int row);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    bool event(QEvent* event) override;

private:
    // A luminaire being dragged: where the press was and the centre it would land on.
    struct Drag {
        int row = -1;
        QPoint from;
        bool moving = false; // past the drag distance
        std::optional<Vector> center;
    };

    // Whether the scale moved away from the one the lists were built with.
    bool ScaleMoved() const;
    // Whether the shown rectangle of a zoomed view moved since the last rebuild (the
    // ruler's numbers follow it once a pan ends, or on the timer).
    bool ViewMoved() const;
    // The plan rectangle the zoomed view shows, for the ruler.
    void NoteView();
    void AskForRebuild();
    const PlanLuminaire* Luminaire(int row) const;
    void DrawSelected(QPainter& painter) const;
    void UseMapping(const PlanMapping& mapping);

    PlanDrawing& m_drawing;
    PlanMapping m_mapping;
    double m_builtScale = 0.0;
    std::optional<PlanRect> m_builtView;
    int m_timer = 0;
    bool m_rebuildAsked = false;
    int m_selected = -1;
    bool m_zoomed = false;
    std::optional<Drag> m_drag;
    std::optional<QPoint> m_panFrom;
};

} // namespace qv
