#pragma once
// The luminaire panel ("灯具布置") as the page of its editing bar: the grid of placed
// luminaires and its buttons. "增  加" and "更  改" open the luminaire dialog; the
// position and rotation cells are typed into.
#include "panels/LuminaireListPanelModel.h"
#include "ui/ShellDialogs.h"

#include <QWidget>

#include <functional>
#include <optional>

class QTableWidget;

namespace qv {

class LuminairePanelView : public QWidget {
    Q_OBJECT
public:
    LuminairePanelView(LuminaireListPanelModel& model, ShellDialogs& dialogs,
                       QWidget* parent = nullptr);
    void Refresh();
    QTableWidget* Grid() const { return m_grid; }
    // The room (or site) a new luminaire is placed in; without it, or while it gives
    // nothing, "增  加" starts from the selected luminaire's place.
    void SetRoomSource(std::function<std::optional<Room>()> source) {
        m_roomSource = std::move(source);
    }

signals:
    void Edited();
    // "阵列布置...".
    void ArrayLayoutRequested();

private:
    void Add();
    void Change();
    // A typed cell: taken by the model (one edit) or refused with its old text shown.
    void CellTyped(int row, int column, const std::string& text);

    LuminaireListPanelModel& m_model;
    ShellDialogs& m_dialogs;
    QTableWidget* m_grid = nullptr;
    std::function<std::optional<Room>()> m_roomSource;
};

} // namespace qv
