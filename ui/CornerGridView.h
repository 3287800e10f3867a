#pragma once
// The corner grid of the room and site panels ("形状"): the disabled shape buttons, the
// corner count with its spin control, the grid of corners (x, y) and the buttons that add,
// insert, delete and reset corners, over the panel model's grid rows.
#include "panels/OutlinePanelModel.h"

#include <QGroupBox>

class QPushButton;
class QSpinBox;
class QTableWidget;

namespace qv {

// The texts that differ between the room and the site panel.
struct CornerGridTexts {
    QString rectangle; // "矩  形" / "矩形"
    QString polygon;   // "多边形"
    QString count;     // "房间拐角个数" / "场地拐角个数"
    QString hint;      // how corners are entered
    QString add;       // "增 加" / "增加"
    QString insert;    // "插 入" / "插入"
    QString remove;    // "删 除" / "删除"
    QString reset;     // "重 置" / "重置"
};

class CornerGridView : public QGroupBox {
    Q_OBJECT
public:
    CornerGridView(OutlinePanelModel& model, const CornerGridTexts& texts, QWidget* parent);

    void Refresh();
    QTableWidget* Grid() const { return m_grid; }
    QSpinBox* CountSpin() const { return m_count; }

signals:
    // A command changed the outline: the plan is to be rebuilt.
    void Edited();

private:
    // Runs a command of the model, then shows the result and asks for the plan.
    template <typename Command> void Run(Command command);

    OutlinePanelModel& m_model;
    QTableWidget* m_grid = nullptr;
    QSpinBox* m_count = nullptr;
};

} // namespace qv
