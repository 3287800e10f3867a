#pragma once
// The grid of a calculation panel: its headers and column widths, the columns the user
// may type into (some of them drop-down cells), filled from the panel model's cell texts
// without echoing the filling back as edits.
#include <QTableWidget>

#include <array>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace qv {

class PanelGrid : public QTableWidget {
    Q_OBJECT
public:
    using CellText = std::function<std::string(int row, int column)>;
    using Choices = std::function<std::vector<std::string>()>;
    // Why a typed text is refused for a cell; empty when it is taken.
    using CellCheck = std::function<std::string(int row, int column, const std::string& text)>;

    template <size_t N>
    PanelGrid(const std::array<const char*, N>& headers, const std::array<int, N>& widths,
              QWidget* parent)
        : PanelGrid(std::vector<const char*>(headers.begin(), headers.end()),
                    std::vector<int>(widths.begin(), widths.end()), parent) {}
    PanelGrid(const std::vector<const char*>& headers, const std::vector<int>& widths,
              QWidget* parent);

    // The columns whose cells take typed edits; the others are read-only.
    void SetEditableColumns(std::set<int> columns) { m_editable = std::move(columns); }
    // Checks every typed cell: a refused text is not passed on, the cell shows its text
    // from before again, and once the editor has closed the refusal is shown and the cell
    // becomes current with the focus.
    void SetCellCheck(CellCheck check) { m_check = std::move(check); }
    // A column whose cells are edited by picking from a drop-down list.
    void SetChoices(int column, Choices choices);
    // Shows rows × columns cells (signals blocked).
    void Fill(int rows, const CellText& text);
    // The selected rows, ascending.
    std::vector<int> SelectedRows() const;
    // Selects the rows (signals blocked).
    void SelectRows(const std::vector<int>& rows);

signals:
    // A cell the user edited, with its new text.
    void CellEdited(int row, int column, const std::string& text);

private:
    void Refuse(QTableWidgetItem& item, const std::string& refusal);

    std::set<int> m_editable;
    CellCheck m_check;
};

} // namespace qv
