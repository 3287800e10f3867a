#include "ui/PointRowControls.h"

#include "panels/DiscardQuestion.h"
#include "ui/PanelGrid.h"

#include <kelvorin/KvStr.h>

#include <set>

namespace qv {

void AddRowButtons(const AddButtonFunction& add, const RowActions& actions,
                   const std::function<void()>& after) {
    const auto button = [&](const char* text, std::function<std::optional<KvMessage>()> act) {
        add(text, [act = std::move(act), after] {
            if (const auto refused = act()) {
                KvMessageSink::Show(*refused);
            }
            after();
        });
    };
    const auto always = [](std::function<void()> act) {
        return [act = std::move(act)]() -> std::optional<KvMessage> {
            act();
            return std::nullopt;
        };
    };
    button("新  增", always(actions.add));
    button("修  改", actions.modify);
    button("删  除", [actions]() -> std::optional<KvMessage> {
        if (actions.hasSelection() && !ConfirmDiscard("确定要删除选中的行吗?")) {
            return std::nullopt;
        }
        return actions.remove();
    });
    button("清  空", [actions]() -> std::optional<KvMessage> {
        const int rows = actions.rowCount();
        if (rows > 0 && ConfirmDiscard(KvStr::Format("确定要清空全部%d行吗?", rows))) {
            actions.clear();
        }
        return std::nullopt;
    });
    button("上  移", always(actions.moveUp));
    button("下  移", always(actions.moveDown));
}

void BindPointGrid(PanelGrid& grid, CalcPointGrid& points, int firstColumn) {
    std::set<int> editable;
    for (int c = 0; c < CalcPointGrid::kColumnCount; ++c) {
        editable.insert(firstColumn + c);
    }
    grid.SetEditableColumns(editable);
    grid.SetCellCheck([firstColumn](int, int column, const std::string& text) {
        return CalcPointGrid::CellRefusal(column - firstColumn, text);
    });
    QObject::connect(&grid, &PanelGrid::CellEdited, &grid,
                     [&points, firstColumn](int row, int column, const std::string& text) {
                         points.EditCell(row, column - firstColumn, text);
                     });
    QObject::connect(&grid, &QTableWidget::itemSelectionChanged, &grid,
                     [&grid, &points] { points.Select(grid.SelectedRows()); });
}

} // namespace qv
