#include "panels/SitePanelModel.h"

#include "panels/PanelText.h"

namespace qv {

namespace {

const NumberBinding<SiteFields, Room> kNumbers[] = {
    {&SiteFields::length, &Room::dLength},
    {&SiteFields::width, &Room::dWidth},
    {&SiteFields::workHeight, &Room::dWorkHeight},
    {&SiteFields::lxStandard, &Room::dLxStandard},
};

} // namespace

void SitePanelModel::ReadFields() {
    ReadNumbers(m_fields, m_room, kNumbers);
    m_room.ptLeftBot.x = NumberFromText(m_fields.leftBotX);
    m_room.ptLeftBot.y = NumberFromText(m_fields.leftBotY);
    m_room.nStartNum = m_fields.startNum;
    m_room.nEndNum = m_fields.endNum;
}

void SitePanelModel::ShowFields() {
    ShowNumbers(m_room, m_fields, kNumbers);
    m_fields.leftBotX = NumberText(m_room.ptLeftBot.x);
    m_fields.leftBotY = NumberText(m_room.ptLeftBot.y);
    m_fields.startNum = m_room.nStartNum;
    m_fields.endNum = m_room.nEndNum;
}

} // namespace qv
