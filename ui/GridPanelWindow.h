#pragma once
// The window of the room-grid panel ("水平、垂直照度计算"): the density, the vertical
// plane with its facing side, "水平照度" and "垂直照度" with their statistics, power
// densities and uniformity, the drawing settings ("绘制设置": form, maximum, minimum,
// interval and the legend), "绘 制" and "写计算书".
#include "panels/GridPanel.h"
#include "panels/NumberCheck.h"
#include "ui/BackgroundRun.h"
#include "ui/CalcPanelWindow.h"
#include "ui/DensityFields.h"
#include "ui/FieldBindings.h"

#include <QPointer>

#include <functional>
#include <vector>

class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace qv {

class GridPanelWindow : public CalcPanelWindow {
    Q_OBJECT
public:
    // The density accepted by the window: beyond it the search would visit more points
    // than the program can hold.
    static constexpr int kMaxDensity = 1000;

    GridPanelWindow(CalcPanelContext context, QWidget* parent);

    GridPanel& Model() { return m_panel; }
    QSpinBox* DensitySpin() const { return m_density; }
    QSpinBox* IntervalSpin() const { return m_interval; }
    QTableWidget* LegendTable() const { return m_legend; }
    // The result picture window of the last "绘 制"; null before.
    QWidget* Picture() const { return m_picture; }

    // "水平照度" / "垂直照度" run off the window's thread on a copy of the panel, with
    // the progress in the status bar; the panel's controls wait, "取消计算" stops the run
    // and leaves the panel as it was. The results come in when the run has ended.
    bool Calculating() const { return m_run.Running(); }
    QPushButton* CancelButton() const { return m_cancel; }
    // Waits for a running calculation and shows its results at once.
    void WaitForCalculation() { m_run.Wait(); }

private:
    void Calculate(bool vertical);
    // While busy every control but "取消计算" is disabled.
    void SetBusy(bool busy);
    void Refresh();
    void ShowLegend();
    // An edit control for a number field of the kind: the typed text taken as a number
    // when the user leaves it, then changed runs; a refused text is replaced by the
    // field's value, the refusal (naming the label) is shown and the focus comes back.
    QLineEdit* NumberField(double* field, NumberKind kind, const char* label, QWidget* parent,
                           std::function<void()> changed = {});

    GridPanel m_panel;
    FieldBindings m_bindings;
    std::vector<std::function<void()>> m_refreshNumbers;
    QSpinBox* m_density = nullptr;
    QSpinBox* m_interval = nullptr;
    QLineEdit* m_max = nullptr;
    QLineEdit* m_min = nullptr;
    QLineEdit* m_avg = nullptr;
    QLineEdit* m_uniformity = nullptr;
    QLineEdit* m_u0 = nullptr;
    DensityFields m_densities;
    QTableWidget* m_legend = nullptr;
    QWidget* m_picture = nullptr;
    QPushButton* m_cancel = nullptr;
    std::vector<QPointer<QWidget>> m_waiting; // the controls disabled while busy
    BackgroundRun m_run{*this};               // last: stopped before the rest goes
};

} // namespace qv
