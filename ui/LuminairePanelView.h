#pragma once
// The luminaire panel ("灯具布置") as the page of its editing bar: the grid of placed
// luminaires and its buttons. "增  加" and "更  改" open the luminaire dialog.
#include "panels/LuminaireListPanelModel.h"
#include "ui/ShellDialogs.h"

#include <QWidget>

class QTableWidget;

namespace qv {

class LuminairePanelView : public QWidget {
    Q_OBJECT
public:
    LuminairePanelView(LuminaireListPanelModel& model, ShellDialogs& dialogs,
                       QWidget* parent = nullptr);
    void Refresh();
    QTableWidget* Grid() const { return m_grid; }

signals:
    void Edited();

private:
    void Add();
    void Change();

    LuminaireListPanelModel& m_model;
    ShellDialogs& m_dialogs;
    QTableWidget* m_grid = nullptr;
};

} // namespace qv
