#include "panels/RoadPanelModel.h"

#include "panels/PanelText.h"

#include <algorithm>

namespace qv {
namespace {

const NumberBinding<RoadFields, Road> kNumbers[] = {
    {&RoadFields::length, &Road::m_dLength},   {&RoadFields::width, &Road::m_dWidth},
    {&RoadFields::angle, &Road::m_dAngle},     {&RoadFields::workHeight, &Road::m_dWorkHeight},
    {&RoadFields::lampDis, &Road::m_dLampDis}, {&RoadFields::lxStandard, &Road::m_dLxStandard},
};

} // namespace

void RoadPanelModel::SetWorking(const Road& road) {
    m_road = road;
    Show();
}

const Road& RoadPanelModel::TakeValues() {
    ReadNumbers(m_fields, m_road, kNumbers);
    m_road.ptCenter.x = NumberFromText(m_fields.centerX);
    m_road.ptCenter.y = NumberFromText(m_fields.centerY);
    m_road.m_nLampType = m_fields.arrangement;
    m_road.m_nStartNum = m_fields.startNum;
    m_road.m_nEndNum = m_fields.endNum;
    m_road.ClearComponents();
    for (const ComponentRow& row : m_rows) {
        RoadComponent component;
        component.m_nType = RoadComponent::TypeFromText(row.type);
        component.m_nNumber = NumberFromText(row.lanes);
        component.m_dWidth = NumberFromText(row.width);
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
