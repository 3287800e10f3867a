#pragma once
// The room panel ("房屋参数") of an indoor project: its fields (groups "房间尺寸",
// "左下角位置", "反射比(%)", "照度标准") over the working room, and the corner grid.
#include "panels/OutlinePanelModel.h"

#include <string>
#include <vector>

namespace qv {

// The texts of the room panel's fields.
struct RoomFields {
    std::string length;      // "总长"
    std::string width;       // "总宽"
    std::string workHeight;  // "工作面高度"
    std::string leftBotX;    // "左下角位置" x
    std::string leftBotY;    // and y (z is kept)
    std::string reflectTop;  // "顶棚"
    std::string reflectWall; // "墙面"
    std::string reflectFloor;
    std::string lxStandard; // "照度标准lx"
    std::string winInWall;  // "墙窗比": the text of the choice
    bool operator==(const RoomFields&) const = default;
};

class RoomPanelModel : public OutlinePanelModel {
public:
    RoomPanelModel() { Show(); }

    RoomFields& Fields() { return m_fields; }
    const RoomFields& Fields() const { return m_fields; }

    // The window-to-wall ratios offered: "0", "5", ... "100".
    static const std::vector<std::string>& WindowRatioChoices();

    std::string FieldRefusal(const std::string* field, const std::string& text) const override;

protected:
    void ReadFields() override;
    void ShowFields() override;

private:
    RoomFields m_fields;
};

} // namespace qv
