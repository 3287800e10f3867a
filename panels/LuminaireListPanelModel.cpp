#include "panels/LuminaireListPanelModel.h"

#include "panels/PanelText.h"

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

void LuminaireListPanelModel::SetWorking(const LuminaireList& luminaires) {
    m_list = luminaires;
    SelectRow(m_selected);
}

std::vector<std::string> LuminaireListPanelModel::RowTexts(int row) const {
    const Luminaire& l = m_list.At(row);
    return {l.sName,
            l.sModel,
            KvStr::Format("%d", l.nLuminousFlux),
            NumberText(l.ptCenter.x),
            NumberText(l.ptCenter.y),
            NumberText(l.ptCenter.z),
            NumberText(l.Rotate.x),
            NumberText(l.Rotate.y),
            NumberText(l.Rotate.z),
            l.sLightsTable,
            l.sModulusTable,
            l.sGradeTable};
}

void LuminaireListPanelModel::SelectRow(int row) {
    m_selected = row >= 0 && row < m_list.Count() ? row : -1;
}

Luminaire LuminaireListPanelModel::LuminaireForAdd() const {
    return m_selected >= 0 ? m_list.At(m_selected) : Luminaire();
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
