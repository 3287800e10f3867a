#include "model/Road.h"

#include "model/Tolerance.h"

#include <utility>

namespace qv {

int RoadComponent::TypeFromText(const std::string& text) {
    for (size_t i = 0; i < kRoadComponentTypes.size(); ++i) {
        if (kRoadComponentTypes[i] == text) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::string RoadComponent::TypeToText(int type) {
    if (type < 0 || type >= static_cast<int>(kRoadComponentTypes.size())) {
        return std::string();
    }
    return kRoadComponentTypes[static_cast<size_t>(type)];
}

bool operator==(const RoadComponent& a, const RoadComponent& b) {
    return a.m_nType == b.m_nType && NearlyEqual(a.m_nNumber, b.m_nNumber) &&
           NearlyEqual(a.m_dWidth, b.m_dWidth);
}

bool Road::InsertComponent(int index, const RoadComponent& component) {
    if (index < 0 || index > static_cast<int>(components.size())) {
        return false;
    }
    components.insert(components.begin() + index, component);
    return true;
}

bool Road::RemoveComponent(int index) {
    if (index < 0 || index >= static_cast<int>(components.size())) {
        return false;
    }
    components.erase(components.begin() + index);
    return true;
}

bool Road::MoveComponentUp(int index) {
    if (index < 1 || index >= static_cast<int>(components.size())) {
        return false;
    }
    std::swap(components[static_cast<size_t>(index)], components[static_cast<size_t>(index - 1)]);
    return true;
}

bool Road::MoveComponentDown(int index) {
    if (index < 0 || index >= static_cast<int>(components.size()) - 1) {
        return false;
    }
    return MoveComponentUp(index + 1);
}

bool operator==(const Road& a, const Road& b) {
    return NearlyEqual(a.m_dLength, b.m_dLength) && NearlyEqual(a.m_dWidth, b.m_dWidth) &&
           NearlyEqual(a.m_dAngle, b.m_dAngle) && a.ptCenter == b.ptCenter &&
           NearlyEqual(a.m_dWorkHeight, b.m_dWorkHeight) &&
           NearlyEqual(a.m_dLxStandard, b.m_dLxStandard) &&
           NearlyEqual(a.m_dLampDis, b.m_dLampDis) && a.m_nLampType == b.m_nLampType &&
           a.m_nStartNum == b.m_nStartNum && a.m_nEndNum == b.m_nEndNum &&
           a.components == b.components && a.m_standardPlace == b.m_standardPlace;
}

} // namespace qv
