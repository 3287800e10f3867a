#pragma once
// The window of the floodlight unit-capacity panel ("投光灯单位面积容量计算"): the minimum
// illuminance to reach, the actual illuminance, the power densities and the message line
// over the grid of the site's floodlight entries with their drop-down share-class and
// lamp-type cells and editable η, U1 and counts; "计  算", "写计算书" and
// "确定调整场内灯具数量".
#include "panels/FloodCapacityPanel.h"
#include "ui/CalcPanelWindow.h"
#include "ui/DensityFields.h"

namespace qv {

class FloodCapacityPanelWindow : public CalcPanelWindow {
    Q_OBJECT
public:
    // Opening the panel calculates once.
    FloodCapacityPanelWindow(CalcPanelContext context, QWidget* parent);

    FloodCapacityPanel& Model() { return m_panel; }
    PanelGrid* Grid() const { return m_grid; }

private:
    // "计  算": a minimum illuminance that is no number is refused with a message and
    // nothing changes.
    void Calculate();
    void ApplyCounts();
    void Refresh();

    FloodCapacityPanel m_panel;
    PanelGrid* m_grid = nullptr;
    QLineEdit* m_minimum = nullptr;
    QLineEdit* m_illuminance = nullptr;
    QLineEdit* m_message = nullptr;
    DensityFields m_densities;
};

} // namespace qv
