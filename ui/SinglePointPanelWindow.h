#pragma once
// The window of the single-point panel ("单点照度计算"): the grid of calculation points
// typed in place with their three illuminances, the point buttons, "计  算" over the
// current room and luminaires, and "写计算书".
#include "panels/SinglePointPanel.h"
#include "ui/CalcPanelWindow.h"

namespace qv {

class PanelGrid;

class SinglePointPanelWindow : public CalcPanelWindow {
    Q_OBJECT
public:
    SinglePointPanelWindow(CalcPanelContext context, QWidget* parent);

    SinglePointPanel& Model() { return m_panel; }
    PanelGrid* Grid() const { return m_grid; }

private:
    // Runs a point action, shows what it may have to say and the grid again.
    void Act(const std::function<void()>& action);
    void Refresh();

    SinglePointPanel m_panel;
    PanelGrid* m_grid = nullptr;
};

} // namespace qv
