#pragma once
// The plan view in the middle of the main window: draws the plan drawing's ruler, model
// and overlay lists fitted to the window (y up, an 18-pixel margin) and reports the mouse
// position in metres. Text heights and the ruler step belong to the scale of the last
// rebuild: when a paint moves the scale, the view asks for a rebuild once the paint is
// over, and a timer every 800 ms asks again while the scale still moves.
#include "panels/PlanFit.h"

#include <QWidget>

#include <string>

namespace qv {

class PlanView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kTimerPeriodMs = 800;

    PlanView(PlanDrawing& drawing, QWidget* parent = nullptr);

    // The mapping of the last paint.
    const PlanMapping& Mapping() const { return m_mapping; }
    // Notes the scale the lists were built with (after every rebuild).
    void Rebuilt();

signals:
    void MouseMoved(const std::string& x, const std::string& y);
    void ScaleChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    // Whether the scale moved away from the one the lists were built with.
    bool ScaleMoved() const;
    void AskForRebuild();

    PlanDrawing& m_drawing;
    PlanMapping m_mapping;
    double m_builtScale = 0.0;
    int m_timer = 0;
    bool m_rebuildAsked = false;
};

} // namespace qv
