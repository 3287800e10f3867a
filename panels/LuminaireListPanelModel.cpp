#include "panels/LuminaireListPanelModel.h"

#include "panels/LuminairePlacement.h"

#include <kelvorin/KvMessage.h>
#include <kelvorin/KvStr.h>

namespace qv {
namespace {

bool NoSelection(int selected, const char* text) {
    if (selected >= 0) {
        return false;
    }
    KvMessageSink::Show(text, "系统提示", KvMessageIcon::Warning);
    return true;
}

} // namespace

const std::array<std::string, 12>& LuminaireListPanelModel::Columns() {
    static const std::array<std::string, 12> columns = {
        "名称",    "型号",    "光通量",  "X轴位置",  "Y轴位置",    "Z轴位置",
        "X轴旋转", "Y轴旋转", "Z轴旋转", "配光曲线", "利用系数表", "等光强曲线"};
    return columns;
}

bool LuminaireListPanelModel::IsEditableColumn(int column) {
    return column >= kFirstPlacementColumn && column < kFirstPlacementColumn + kPlacementFields;
}

void LuminaireListPanelModel::SetWorking(const LuminaireList& luminaires) {
    m_list = luminaires;
    SelectRow(m_selected);
}

std::vector<std::string> LuminaireListPanelModel::RowTexts(int row) const {
    const Luminaire& l = m_list.At(row);
    return {l.sName,
            l.sModel,
            KvStr::Format("%d", l.nLuminousFlux),
            PlacementText(l, kPlaceX),
            PlacementText(l, kPlaceY),
            PlacementText(l, kPlaceZ),
            PlacementText(l, kRotateX),
            PlacementText(l, kRotateY),
            PlacementText(l, kRotateZ),
            l.sLightsTable,
            l.sModulusTable,
            l.sGradeTable};
}

void LuminaireListPanelModel::SelectRow(int row) {
    m_selected = row >= 0 && row < m_list.Count() ? row : -1;
}

bool LuminaireListPanelModel::EditCell(int row, int column, const std::string& text) {
    if (row < 0 || row >= m_list.Count() || !IsEditableColumn(column)) {
        return false;
    }
    const int field = column - kFirstPlacementColumn;
    return SetPlacement(m_list.At(row), field, text, PlacementName(field));
}

Luminaire LuminaireListPanelModel::LuminaireForAdd(const Room* room) const {
    Luminaire luminaire = m_selected >= 0 ? m_list.At(m_selected) : Luminaire();
    if (room) {
        const double height = m_selected >= 0 ? luminaire.ptCenter.z : 0.0;
        luminaire.ptCenter = RoomCentre(*room);
        luminaire.ptCenter.z = MountingHeightFor(*room, height);
    }
    return luminaire;
}

void LuminaireListPanelModel::Append(const Luminaire& luminaire) {
    m_list.Add(luminaire);
}

bool LuminaireListPanelModel::CanChange() const {
    return !NoSelection(m_selected, "请先选中要修改的灯具！");
}

void LuminaireListPanelModel::ReplaceSelected(const Luminaire& luminaire) {
    m_list.Replace(m_selected, luminaire);
}

bool LuminaireListPanelModel::DeleteSelected() {
    if (NoSelection(m_selected, "请先选中要删除的灯具！")) {
        return false;
    }
    m_list.RemoveAt(m_selected);
    SelectRow(m_selected);
    return true;
}

bool LuminaireListPanelModel::MoveRow(int row, const Vector& center) {
    if (row < 0 || row >= m_list.Count()) {
        return false;
    }
    m_list.At(row).ptCenter = center;
    return true;
}

bool LuminaireListPanelModel::RemoveRow(int row) {
    if (!m_list.RemoveAt(row)) {
        return false;
    }
    SelectRow(m_selected == row ? row : m_selected > row ? m_selected - 1 : m_selected);
    return true;
}

void LuminaireListPanelModel::Clear() {
    m_list.Clear();
    m_selected = -1;
}

} // namespace qv
