#pragma once
// The luminaire panel ("灯具布置"): the working luminaire list shown in a grid, one row
// per placed luminaire, with "增  加", "更  改", "删  除" and "清  空". Adding and
// changing go through the luminaire dialog: the panel gives the luminaire the dialog
// starts from and takes the edited one back. The position and rotation cells are edited
// in place.
#include "model/Luminaire.h"
#include "model/Room.h"

#include <array>
#include <string>
#include <vector>

namespace qv {

class LuminaireListPanelModel {
public:
    static const std::array<std::string, 12>& Columns();
    // The columns of the six placement values (X/Y/Z轴位置, X/Y/Z轴旋转), in PlacementField
    // order; the others are read-only.
    static constexpr int kFirstPlacementColumn = 3;
    static bool IsEditableColumn(int column);

    void SetWorking(const LuminaireList& luminaires);
    // A cell edit goes to the list at once (EditCell), so the list is always the current
    // one.
    const LuminaireList& TakeValues() const { return m_list; }
    const LuminaireList& Working() const { return m_list; }

    int RowCount() const { return m_list.Count(); }
    // The texts of one row in column order.
    std::vector<std::string> RowTexts(int row) const;
    int SelectedRow() const { return m_selected; }
    void SelectRow(int row);

    // A typed position or rotation cell: the row's luminaire takes the value when it is a
    // number within the field's limits (SetPlacement). Otherwise, with the message naming
    // the column, the luminaire keeps its value and the result is false; false without a
    // message for a read-only column or a row out of range.
    bool EditCell(int row, int column, const std::string& text);

    // "增  加": the dialog starts from a copy of the selected luminaire, or a default one.
    // Given the room (or the site of an outdoor project), the copy stands at the room's
    // centre (RoomCentre) at the selected luminaire's height, or kMountingAboveWorkPlane
    // above the working plane (MountingHeightFor), so never on the floor; without a room
    // it keeps the selected luminaire's place.
    Luminaire LuminaireForAdd(const Room* room = nullptr) const;
    // The dialog's OK on add: a copy goes to the end of the list.
    void Append(const Luminaire& luminaire);
    // "更  改": false after showing "请先选中要修改的灯具！" when no row is selected.
    bool CanChange() const;
    // The dialog's OK on change: the selected entry is replaced in place.
    void ReplaceSelected(const Luminaire& luminaire);
    // "删  除": removes the selected luminaire; without a selection it shows
    // "请先选中要删除的灯具！" and returns false.
    bool DeleteSelected();
    // "清  空".
    void Clear();

    // Edits from the plan: the luminaire of a row moved to a new centre, or removed (the
    // selection follows as after "删  除"). False for a row out of range.
    bool MoveRow(int row, const Vector& center);
    bool RemoveRow(int row);

private:
    LuminaireList m_list;
    int m_selected = -1;
};

} // namespace qv
