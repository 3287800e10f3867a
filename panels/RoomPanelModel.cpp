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

const NumberBinding<RoomFields, Room> kNumbers[] = {
    {&RoomFields::length, &Room::dLength},
    {&RoomFields::width, &Room::dWidth},
    {&RoomFields::workHeight, &Room::dWorkHeight},
    {&RoomFields::reflectTop, &Room::dReflectTop},
    {&RoomFields::reflectWall, &Room::dReflectWall},
    {&RoomFields::reflectFloor, &Room::dReflectFloor},
    {&RoomFields::lxStandard, &Room::dLxStandard},
    {&RoomFields::winInWall, &Room::dWinInWall},
};

} // namespace

void RoomPanelModel::ReadFields() {
    ReadNumbers(m_fields, m_room, kNumbers);
    m_room.ptLeftBot.x = NumberFromText(m_fields.leftBotX);
    m_room.ptLeftBot.y = NumberFromText(m_fields.leftBotY);
}

void RoomPanelModel::ShowFields() {
    ShowNumbers(m_room, m_fields, kNumbers);
    m_fields.leftBotX = NumberText(m_room.ptLeftBot.x);
    m_fields.leftBotY = NumberText(m_room.ptLeftBot.y);
}

} // namespace qv
