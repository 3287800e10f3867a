#pragma once
// The window of the lumen-method panel ("利用系数法照度计算"): the actual illuminance,
// the message line and the power densities over the grid of luminaire entries with
// their editable counts; "计  算", "写计算书" and "确定调整室内灯具数量".
#include "panels/LumenMethodPanel.h"
#include "ui/CalcPanelWindow.h"

class QLabel;

namespace qv {

class PanelGrid;

class LumenMethodPanelWindow : public CalcPanelWindow {
    Q_OBJECT
public:
    // Opening the panel calculates once.
    LumenMethodPanelWindow(CalcPanelContext context, QWidget* parent);

    LumenMethodPanel& Model() { return m_panel; }
    PanelGrid* Grid() const { return m_grid; }

private:
    void Calculate();
    void Refresh();

    LumenMethodPanel m_panel;
    PanelGrid* m_grid = nullptr;
    QLineEdit* m_illuminance = nullptr;
    QLineEdit* m_message = nullptr;
    QLineEdit* m_lpd = nullptr;
    QLineEdit* m_second = nullptr;
    QLabel* m_secondLabel = nullptr;
};

} // namespace qv
