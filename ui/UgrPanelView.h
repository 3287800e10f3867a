#pragma once
// The window of the panel "统一眩光值(UGR)计算": the eye height, the grid of observers with
// their results, "新  增", "删  除" and "计  算", the highest value with its verdict and
// the note on the estimate.
#include "panels/UgrPanelModel.h"
#include "ui/CalcPanelWindow.h"

class QComboBox;
class QLabel;

namespace qv {

class UgrPanelView : public CalcPanelWindow {
    Q_OBJECT
public:
    // start: the four standard observers ("各点") or one ("单点").
    UgrPanelView(UgrPanelModel::Start start, CalcPanelContext context, QWidget* parent);

    UgrPanelModel& Model() { return m_panel; }
    PanelGrid* Grid() const { return m_grid; }
    QComboBox* EyeHeight() const { return m_eye; }

private:
    // The typed eye height goes to the model; a refused one is shown, the field gets the
    // model's text and the focus back (false).
    bool TakeEyeHeight();
    void Refresh();

    UgrPanelModel m_panel;
    Project m_calculated; // the project of the last calculation, which its book states
    PanelGrid* m_grid = nullptr;
    QComboBox* m_eye = nullptr;
    QLineEdit* m_max = nullptr;
    QLineEdit* m_verdict = nullptr;
    QLabel* m_note = nullptr;
    bool m_refusing = false; // a refusal's message is open
};

} // namespace qv
