#include "panels/RoadPanelModel.h"

#include "panels/PanelText.h"

#include <algorithm>

namespace qv {
namespace {

const NumberBinding<RoadFields, Road> kNumbers[] = {
    {&RoadFields::length, &Road::m_dLength, NumberKind::kLength, "总长"},
    {&RoadFields::width, &Road::m_dWidth, NumberKind::kLength, "总宽"},
    {&RoadFields::angle, &Road::m_dAngle, NumberKind::kAngle, "角度"},
    {&RoadFields::workHeight, &Road::m_dWorkHeight, NumberKind::kCoordinate, "道路工作面高度"},
    {&RoadFields::lampDis, &Road::m_dLampDis, NumberKind::kLength, "路灯间距"},
    {&RoadFields::lxStandard, &Road::m_dLxStandard, NumberKind::kNonNegative, "照度标准"},
};

} // namespace

void RoadPanelModel::SetWorking(const Road& road) {
    m_road = road;
    Show();
}

std::string RoadPanelModel::FieldRefusal(const std::string* field, const std::string& text) const {
    if (field == &m_fields.centerX || field == &m_fields.centerY) {
        return NumberRefusal(text, NumberKind::kCoordinate,
                             field == &m_fields.centerX ? "道路中心点位置X" : "道路中心点位置Y");
    }
    return NumberFieldRefusal(m_fields, field, text, kNumbers);
}

bool RoadPanelModel::EnterField(std::string* field, const std::string& text) {
    return TakeUnlessRefused(*field, text, FieldRefusal(field, text));
}

bool RoadPanelModel::EditCell(int row, int column, const std::string& text) {
    if (row < 0 || row >= static_cast<int>(m_rows.size())) {
        return false;
    }
    ComponentRow& cells = m_rows[static_cast<size_t>(row)];
    switch (column) {
    case 1:
        return TakeUnlessRefused(cells.lanes, text,
                                 NumberRefusal(text, NumberKind::kCount, "车道数"));
    case 2:
        return TakeUnlessRefused(cells.width, text,
                                 NumberRefusal(text, NumberKind::kSize, "总宽度"));
    default:
        return false;
    }
}

void RoadPanelModel::ChooseStandardPlace(const StandardPlace& place, double lux) {
    m_road.m_standardPlace = place;
    m_placeLux = lux;
}

const Road& RoadPanelModel::TakeValues() {
    ReadNumbers(m_fields, m_road, kNumbers);
    m_road.m_standardPlace =
        KeptStandardPlace(m_road.m_standardPlace, m_placeLux, m_road.m_dLxStandard);
    // A field or cell without a number of its kind (refused when typed) keeps its value.
    m_road.ptCenter.x =
        ReadNumber(m_fields.centerX, NumberKind::kCoordinate).value_or(m_road.ptCenter.x);
    m_road.ptCenter.y =
        ReadNumber(m_fields.centerY, NumberKind::kCoordinate).value_or(m_road.ptCenter.y);
    m_road.m_nLampType = m_fields.arrangement;
    m_road.m_nStartNum = m_fields.startNum;
    m_road.m_nEndNum = m_fields.endNum;
    const std::vector<RoadComponent> before = m_road.components;
    m_road.ClearComponents();
    for (size_t i = 0; i < m_rows.size(); ++i) {
        const RoadComponent old = i < before.size() ? before[i] : RoadComponent();
        RoadComponent component;
        component.m_nType = RoadComponent::TypeFromText(m_rows[i].type);
        component.m_nNumber =
            ReadNumber(m_rows[i].lanes, NumberKind::kCount).value_or(old.m_nNumber);
        component.m_dWidth = ReadNumber(m_rows[i].width, NumberKind::kSize).value_or(old.m_dWidth);
        m_road.AppendComponent(component);
    }
    return m_road;
}

void RoadPanelModel::SelectRow(int row) {
    m_selected = row >= 0 && row < static_cast<int>(m_rows.size()) ? row : -1;
}

void RoadPanelModel::NewComponent(RoadComponent::Type type) {
    TakeValues();
    RoadComponent component;
    component.m_nType = type;
    if (static_cast<int>(m_road.components.size()) < kMaxComponents) {
        if (m_selected >= 0) {
            m_road.InsertComponent(m_selected, component);
        } else {
            m_road.AppendComponent(component);
        }
    }
    Show();
}

void RoadPanelModel::DeleteComponent() {
    TakeValues();
    m_road.RemoveComponent(m_selected);
    Show();
}

void RoadPanelModel::MoveUp() {
    TakeValues();
    if (m_road.MoveComponentUp(m_selected)) {
        --m_selected;
    }
    Show();
}

void RoadPanelModel::MoveDown() {
    TakeValues();
    if (m_road.MoveComponentDown(m_selected)) {
        ++m_selected;
    }
    Show();
}

void RoadPanelModel::ClearComponents() {
    TakeValues();
    m_road.ClearComponents();
    Show();
}

void RoadPanelModel::SetComponentCount(int count) {
    TakeValues();
    std::vector<RoadComponent>& components = m_road.components;
    const RoadComponent last = components.empty() ? RoadComponent() : components.back();
    components.resize(static_cast<size_t>(std::clamp(count, 0, kMaxComponents)), last);
    Show();
}

void RoadPanelModel::Show() {
    m_placeLux = m_road.m_dLxStandard;
    ShowNumbers(m_road, m_fields, kNumbers);
    m_fields.centerX = NumberText(m_road.ptCenter.x);
    m_fields.centerY = NumberText(m_road.ptCenter.y);
    m_fields.arrangement = m_road.m_nLampType;
    m_fields.startNum = m_road.m_nStartNum;
    m_fields.endNum = m_road.m_nEndNum;
    m_rows.clear();
    for (const RoadComponent& component : m_road.components) {
        m_rows.push_back({RoadComponent::TypeToText(component.m_nType),
                          NumberText(component.m_nNumber), NumberText(component.m_dWidth)});
    }
    SelectRow(m_selected);
}

} // namespace qv
