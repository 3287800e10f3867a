#pragma once
// The window of the road lighting panel ("道路照明计算"): the actual illuminance and the
// message line over the grid of the road's light entries with their drop-down
// arrangement cells and editable spacing, pole height, elevation and utilization factor;
// "计  算" and "写计算书".
#include "panels/RoadLightingPanel.h"
#include "ui/CalcPanelWindow.h"

namespace qv {

class RoadLightingPanelWindow : public CalcPanelWindow {
    Q_OBJECT
public:
    // Opening the panel calculates once.
    RoadLightingPanelWindow(CalcPanelContext context, QWidget* parent);

    RoadLightingPanel& Model() { return m_panel; }
    PanelGrid* Grid() const { return m_grid; }

private:
    void Refresh();

    RoadLightingPanel m_panel;
    PanelGrid* m_grid = nullptr;
    QLineEdit* m_illuminance = nullptr;
    QLineEdit* m_message = nullptr;
};

} // namespace qv
