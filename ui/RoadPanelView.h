#pragma once
// The road panel ("道路方案") as the page of its editing bar: the road's fields, the
// arrangement list, the number range, and the component grid ("街道组成") with its type
// list, count and commands.
#include "panels/RoadPanelModel.h"
#include "ui/FieldBindings.h"
#include "ui/ShellDialogs.h"

#include <QWidget>

class QSpinBox;
class QTableWidget;

namespace qv {

class RoadPanelView : public QWidget {
    Q_OBJECT
public:
    RoadPanelView(RoadPanelModel& model, ShellDialogs& dialogs, QWidget* parent = nullptr);
    void Refresh();
    QTableWidget* Grid() const { return m_grid; }
    QSpinBox* CountSpin() const { return m_count; }

signals:
    void Edited();

private:
    QWidget* Components();
    template <typename Command> void Run(Command command);

    RoadPanelModel& m_model;
    ShellDialogs& m_dialogs;
    FieldBindings m_fields;
    QTableWidget* m_grid = nullptr;
    QSpinBox* m_count = nullptr;
};

} // namespace qv
