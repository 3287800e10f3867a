#pragma once
// What the panels with rows of points share: the six row buttons ("新  增", "修  改",
// "删  除", "清  空", "上  移", "下  移") over any list of rows, and a grid whose columns
// from a first one on are the editable cells of a calculation-point list.
#include "panels/CalcPointGrid.h"

#include <kelvorin/KvMessage.h>

#include <functional>
#include <optional>

namespace qv {

class PanelGrid;

// Adds a button with the text running the action (the panel's own way of adding buttons).
using AddButtonFunction = std::function<void(const char* text, std::function<void()> action)>;

struct RowActions {
    std::function<void()> add;
    std::function<std::optional<KvMessage>()> modify; // a refusal to show, or nothing
    std::function<std::optional<KvMessage>()> remove;
    std::function<void()> clear;
    std::function<void()> moveUp;
    std::function<void()> moveDown;
    std::function<int()> rowCount;      // rows the list holds
    std::function<bool()> hasSelection; // a row is selected
};

inline bool AnySelected(int selection) {
    return selection >= 0;
}
inline bool AnySelected(const std::vector<int>& selection) {
    return !selection.empty();
}

// The row actions of a list with Add, Modify, Remove, Clear, MoveUp, MoveDown, RowCount
// and Selection.
template <typename Rows> RowActions RowActionsOf(Rows& rows) {
    return {[&rows] { rows.Add(); },
            [&rows] { return rows.Modify(); },
            [&rows] { return rows.Remove(); },
            [&rows] { rows.Clear(); },
            [&rows] { rows.MoveUp(); },
            [&rows] { rows.MoveDown(); },
            [&rows] { return rows.RowCount(); },
            [&rows] { return AnySelected(rows.Selection()); }};
}

// The six row buttons: each runs its action, shows a refusal in a message box, then
// calls after (to show the rows again). "删  除" of a selection and "清  空" of a list
// with rows ask first; 否 leaves the rows as they are.
void AddRowButtons(const AddButtonFunction& add, const RowActions& actions,
                   const std::function<void()>& after);

// The grid's columns firstColumn onwards edit the points' cells (name, position,
// rotation), and its selected rows are the points' selection.
void BindPointGrid(PanelGrid& grid, CalcPointGrid& points, int firstColumn);

} // namespace qv
