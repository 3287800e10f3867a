#pragma once
// The window of the twin panels "平均球面照度计算" and "平均柱面照度计算": the header
// naming where to read Ks on the BZ chart, the grid of luminaire entries with their
// editable Ks, the horizontal average and the result; "计  算" and "写计算书".
#include "panels/ScalarIlluminancePanel.h"
#include "ui/CalcPanelWindow.h"

namespace qv {

class PanelGrid;

class ScalarPanelWindow : public CalcPanelWindow {
    Q_OBJECT
public:
    // kind: kSpherical or kCylindrical. Opening the panel fills its grid.
    ScalarPanelWindow(int kind, CalcPanelContext context, QWidget* parent);

    ScalarIlluminancePanel& Model() { return m_panel; }
    PanelGrid* Grid() const { return m_grid; }

private:
    void Refresh();

    ScalarIlluminancePanel m_panel;
    PanelGrid* m_grid = nullptr;
    QLineEdit* m_header = nullptr;
    QLineEdit* m_horizontal = nullptr;
    QLineEdit* m_result = nullptr;
};

} // namespace qv
