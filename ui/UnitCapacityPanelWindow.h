#pragma once
// The window of the unit-capacity panel ("单位容量计算"): the actual illuminance, the
// message line, the power densities and the efficiency combo "灯具效率%" over the grid of
// luminaire entries with their drop-down class and reference-lamp cells and editable
// unit capacity and counts; "计  算", "写计算书" and "确定调整室内灯具数量".
#include "panels/UnitCapacityPanel.h"
#include "ui/CalcPanelWindow.h"
#include "ui/DensityFields.h"

class QComboBox;

namespace qv {

class PanelGrid;

class UnitCapacityPanelWindow : public CalcPanelWindow {
    Q_OBJECT
public:
    // Opening the panel calculates once.
    UnitCapacityPanelWindow(CalcPanelContext context, QWidget* parent);

    UnitCapacityPanel& Model() { return m_panel; }
    PanelGrid* Grid() const { return m_grid; }
    QComboBox* Efficiency() const { return m_efficiency; }

private:
    void Calculate();
    void Refresh();

    UnitCapacityPanel m_panel;
    PanelGrid* m_grid = nullptr;
    QLineEdit* m_illuminance = nullptr;
    QLineEdit* m_message = nullptr;
    DensityFields m_densities;
    QComboBox* m_efficiency = nullptr;
};

} // namespace qv
