#pragma once
// The editable list of calculation points that the point panels show in a grid: the
// cells typed in place, the selection, and the buttons "新  增", "修  改", "删  除",
// "清  空", "上  移", "下  移". Before every action the edited cells are read back into
// their points.
#include "model/CalcPoint.h"

#include <kelvorin/KvMessage.h>

#include <optional>
#include <string>
#include <vector>

namespace qv {

class CalcPointGrid {
public:
    // The editable cells of a row, in grid order.
    enum Column { kName = 0, kX, kY, kZ, kRotateX, kRotateY, kRotateZ, kColumnCount };

    const std::vector<CalcPoint>& Points() const { return m_points; }
    std::vector<CalcPoint>& Points() { return m_points; }
    int RowCount() const { return static_cast<int>(m_points.size()); }

    // The text of a cell as the grid shows it: the name, or the number's default text.
    std::string Cell(int row, int column) const;
    // Why a text typed into a cell is refused: a position must be a coordinate, a
    // rotation an angle ("X轴位置应为数字,请重新输入!"); empty when it is taken.
    static std::string CellRefusal(int column, const std::string& text);
    // A cell typed in place; it is read back before the next action. A refused text and
    // a cell outside the grid are ignored (false).
    bool EditCell(int row, int column, const std::string& text);

    // The selected rows (kept in ascending order; rows outside the grid are dropped).
    void Select(const std::vector<int>& rows);
    const std::vector<int>& Selection() const { return m_selection; }

    // Appends a copy of the point with the calculation-point naming rule; returns its row.
    int Append(const CalcPoint& point);
    // Appends copies of the points in order, named as one Append each would name them
    // (a points file of any length takes about linear time).
    void Append(const std::vector<CalcPoint>& points);

    // "新  增": appends a copy of the selected point (or of a new point when nothing is
    // selected) and selects the new row.
    int Add();
    // "修  改": the selected row's cells become its point; without a selection the
    // message "请先选中要修改的点！".
    std::optional<KvMessage> Modify();
    // "删  除": removes the selected point; without a selection "请先选中要删除的点！".
    std::optional<KvMessage> Remove();
    // "清  空": removes every point.
    void Clear();
    // "上  移" / "下  移": the selected rows move one place; the selection moves with them
    // and a row already at the end stays.
    void MoveUp();
    void MoveDown();

    // Takes the edited cells into their points.
    void ReadBack();

private:
    struct Edit {
        int row;
        int column;
        std::string text;
    };

    std::vector<CalcPoint> m_points;
    std::vector<Edit> m_edits; // typed since the last read-back, in typing order
    std::vector<int> m_selection;
};

// The message box of a point action refused for want of a selection.
KvMessage SelectionWarning(const std::string& text);

} // namespace qv
