#include "panels/RoomPanelModel.h"

#include "panels/PanelText.h"

namespace qv {

const std::vector<std::string>& RoomPanelModel::WindowRatioChoices() {
    static const std::vector<std::string> choices = [] {
        std::vector<std::string> texts;
        for (int percent = 0; percent <= 100; percent += 5) {
            texts.push_back(std::to_string(percent));
        }
        return texts;
    }();
    return choices;
}

namespace {

// The reflectances and the window-to-wall ratio are held in per cent.
const NumberBinding<RoomFields, Room> kNumbers[] = {
    {&RoomFields::length, &Room::dLength, NumberKind::kLength, "总长"},
    {&RoomFields::width, &Room::dWidth, NumberKind::kLength, "总宽"},
    {&RoomFields::workHeight, &Room::dWorkHeight, NumberKind::kCoordinate, "工作面高度"},
    {&RoomFields::reflectTop, &Room::dReflectTop, NumberKind::kPercent, "顶棚反射比"},
    {&RoomFields::reflectWall, &Room::dReflectWall, NumberKind::kPercent, "墙面反射比"},
    {&RoomFields::reflectFloor, &Room::dReflectFloor, NumberKind::kPercent, "地面反射比"},
    {&RoomFields::lxStandard, &Room::dLxStandard, NumberKind::kNonNegative, "照度标准"},
    {&RoomFields::winInWall, &Room::dWinInWall, NumberKind::kPercent, "墙窗比"},
};

} // namespace

std::string RoomPanelModel::FieldRefusal(const std::string* field, const std::string& text) const {
    if (field == &m_fields.leftBotX || field == &m_fields.leftBotY) {
        return LeftBottomRefusal(field, text, m_fields.leftBotX);
    }
    return NumberFieldRefusal(m_fields, field, text, kNumbers);
}

void RoomPanelModel::ReadFields() {
    ReadNumbers(m_fields, m_room, kNumbers);
    ReadLeftBottom(m_fields.leftBotX, m_fields.leftBotY);
}

void RoomPanelModel::ShowFields() {
    ShowNumbers(m_room, m_fields, kNumbers);
    m_fields.leftBotX = NumberText(m_room.ptLeftBot.x);
    m_fields.leftBotY = NumberText(m_room.ptLeftBot.y);
}

} // namespace qv
