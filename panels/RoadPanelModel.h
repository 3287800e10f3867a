#pragma once
// The road panel ("道路方案") of an outdoor project: its fields over the working Road and
// the component grid ("街道组成": row number, "类型", "车道数", "总宽度") with its
// commands. Every command first takes the values from the controls and then shows the
// working road again.
#include "model/Road.h"

#include <string>
#include <vector>

namespace qv {

struct RoadFields {
    std::string length;               // "总长"
    std::string width;                // "总宽"
    std::string angle;                // "角度"
    std::string workHeight;           // "道路工作面高度"
    std::string centerX;              // "道路中心点位置" X
    std::string centerY;              // and Y
    std::string lampDis;              // "路灯间距"
    std::string lxStandard;           // "照度标准lx"
    int arrangement = Road::kOneSide; // "排列方式": index of the selection
    int startNum = 1;                 // "起始编号"
    int endNum = 1;                   // "终止编号"
    bool operator==(const RoadFields&) const = default;
};

// One data row of the component grid as it is shown and edited.
struct ComponentRow {
    std::string type;  // "类型": one of the three type names
    std::string lanes; // "车道数"
    std::string width; // "总宽度"
    bool operator==(const ComponentRow&) const = default;
};

class RoadPanelModel {
public:
    // The component count's spin control goes no further.
    static constexpr int kMaxComponents = 1000;

    RoadPanelModel() { Show(); }

    void SetWorking(const Road& road);
    const Road& TakeValues();
    const Road& Working() const { return m_road; }
    // "查照度标准" chose a place whose standard illuminance is lux: the road keeps the
    // place while its standard illuminance stays lux. Call before the field shows it.
    void ChooseStandardPlace(const StandardPlace& place, double lux);

    // Why a text typed into one of the fields (a member of Fields()) is refused; empty
    // when it is taken. A text typed into a field or a number cell of the component grid
    // (column 1 "车道数", 2 "总宽度"): false, with the refusal shown and the old text
    // kept, when it is not a number it takes (see NumberRefusal).
    std::string FieldRefusal(const std::string* field, const std::string& text) const;
    bool EnterField(std::string* field, const std::string& text);
    bool EditCell(int row, int column, const std::string& text);

    RoadFields& Fields() { return m_fields; }
    const RoadFields& Fields() const { return m_fields; }
    std::vector<ComponentRow>& Rows() { return m_rows; }
    const std::vector<ComponentRow>& Rows() const { return m_rows; }
    int SelectedRow() const { return m_selected; }
    void SelectRow(int row);

    // "新增" ("车 道", "分隔带", "人行道"): a component of the type with 0 lanes and width
    // 0, inserted before the selected row or appended when none is selected.
    void NewComponent(RoadComponent::Type type);
    // "删除": removes the selected component.
    void DeleteComponent();
    // "上移" / "下移": swaps the selected component with its neighbour; the selection
    // follows it.
    void MoveUp();
    void MoveDown();
    // "清空": removes every component.
    void ClearComponents();
    // "组件个数": adds copies of the last component (a carriageway when there is none) or
    // removes components from the end, within 0 and kMaxComponents.
    void SetComponentCount(int count);

private:
    void Show();

    Road m_road;
    double m_placeLux = 0.0; // the standard illuminance the road's place gave
    RoadFields m_fields;
    std::vector<ComponentRow> m_rows;
    int m_selected = -1;
};

} // namespace qv
