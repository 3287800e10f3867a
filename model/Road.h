#pragma once
// The road scheme of an outdoor project: its cross-section of carriageways, medians and
// footways, the light arrangement and the luminaire number range of its lights.
#include "model/StandardPlace.h"
#include "model/Vector.h"

#include <array>
#include <string>
#include <vector>

namespace qv {

// Component types in the order of the grids and combo boxes.
inline const std::array<std::string, 3> kRoadComponentTypes = {"车道", "分隔带", "人行道"};
// Light arrangements ("排列方式"), in the order of the drop-down list.
inline const std::array<std::string, 3> kRoadArrangements = {"单侧", "双侧交错", "双侧对称"};

// One strip of the cross-section.
struct RoadComponent {
    enum Type { kCarriageway = 0, kMedian = 1, kFootway = 2 };
    int m_nType = kCarriageway;
    double m_nNumber = 0.0; // number of lanes, held as a double
    double m_dWidth = 0.0;  // m

    // The index of the text among the three type names, or -1 for any other text.
    static int TypeFromText(const std::string& text);
    // The type's name; empty for a type outside the three.
    static std::string TypeToText(int type);
};

bool operator==(const RoadComponent& a, const RoadComponent& b);

struct Road {
    enum Arrangement { kOneSide = 0, kStaggered = 1, kOpposite = 2 };
    double m_dLength = 0.0;                // m ("总长")
    double m_dWidth = 0.0;                 // m, as entered ("总宽")
    double m_dAngle = 0.0;                 // degrees in the plan ("角度")
    Vector ptCenter;                       // centre point ("道路中心点位置")
    double m_dWorkHeight = 0.0;            // m ("道路工作面高度")
    double m_dLxStandard = 0.0;            // lx ("照度标准lx")
    double m_dLampDis = 0.0;               // spacing of the lights, m ("路灯间距")
    int m_nLampType = kOneSide;            // arrangement
    int m_nStartNum = 1;                   // first luminaire number (from 1) of the road's lights
    int m_nEndNum = 1;                     // last one, inclusive
    std::vector<RoadComponent> components; // from one edge of the road to the other
    StandardPlace m_standardPlace;         // where m_dLxStandard came from; empty when typed

    void Reset() { *this = Road(); }

    void AppendComponent(const RoadComponent& component) { components.push_back(component); }
    // Inserts before index; index == count appends. False when out of range.
    bool InsertComponent(int index, const RoadComponent& component);
    bool RemoveComponent(int index);
    // Swaps the component with its neighbour above / below; false when there is none.
    bool MoveComponentUp(int index);
    bool MoveComponentDown(int index);
    void ClearComponents() { components.clear(); }
};

// Every field: doubles within 1e-6, integers and the standard place identical, components
// pairwise equal.
bool operator==(const Road& a, const Road& b);

} // namespace qv
