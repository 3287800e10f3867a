#pragma once
// The luminaire panel ("灯具布置") as the page of its editing bar: the grid of placed
// luminaires and its buttons. Adding and changing open the luminaire dialog, which comes
// later: until then those two buttons are disabled.
#include "model/panels/LuminaireListPanelModel.h"

#include <QWidget>

class QTableWidget;

namespace qv {

class LuminairePanelView : public QWidget {
    Q_OBJECT
public:
    LuminairePanelView(LuminaireListPanelModel& model, QWidget* parent = nullptr);
    void Refresh();
    QTableWidget* Grid() const { return m_grid; }

signals:
    void Edited();

private:
    LuminaireListPanelModel& m_model;
    QTableWidget* m_grid = nullptr;
};

} // namespace qv
