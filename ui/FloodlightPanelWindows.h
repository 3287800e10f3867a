#pragma once
// The windows of the floodlight point illuminance: "投光灯点照度计算" with its grid of
// calculation points and its grid of aiming points (one per floodlight), and the modal
// result window "投光灯点照度计算_通过灯具光强曲线查询光强" whose intensities may be
// corrected by hand before the illuminances are computed again and the book is written.
#include "panels/FloodlightPanels.h"
#include "ui/CalcPanelWindow.h"

#include <QPointer>

#include <functional>
#include <vector>

namespace qv {

class PanelGrid;

class FloodlightResultWindow : public CalcPanelWindow {
    Q_OBJECT
public:
    // aimingPoints gives the aiming points of the point window's aiming grid.
    FloodlightResultWindow(CalcPanelContext context,
                           std::function<std::vector<Vector>()> aimingPoints, QWidget* parent);

    FloodlightResultPanel& Model() { return m_panel; }
    PanelGrid* Grid() const { return m_grid; }
    // Shows the rows as they stand.
    void Refresh();

private:
    void Recalculate();

    FloodlightResultPanel m_panel;
    std::function<std::vector<Vector>()> m_aimingPoints;
    PanelGrid* m_grid = nullptr;
};

class FloodlightPointPanelWindow : public CalcPanelWindow {
    Q_OBJECT
public:
    FloodlightPointPanelWindow(CalcPanelContext context, QWidget* parent);
    ~FloodlightPointPanelWindow() override;

    FloodlightPointPanel& Model() { return m_panel; }
    PanelGrid* PointGrid() const { return m_pointGrid; }
    PanelGrid* AimingGrid() const { return m_aimingGrid; }
    // The result window of the last calculation; null before the first.
    FloodlightResultWindow* Result() const { return m_result.data(); }

    // Closing writes the column widths back to the settings file.
    void done(int result) override;

private:
    void BuildPointSide(QBoxLayout& side);
    void BuildAimingSide(QBoxLayout& side);
    void RefreshPoints();
    void RefreshAiming();
    // The aiming points go to the project's floodlights (one undoable edit when changed).
    void KeepAimingPoints();
    void Calculate();
    void SaveColumnWidths();

    FloodlightPointPanel m_panel;
    PanelGrid* m_pointGrid = nullptr;
    PanelGrid* m_aimingGrid = nullptr;
    QPointer<FloodlightResultWindow> m_result;
};

} // namespace qv
