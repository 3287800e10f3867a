#include "panels/SitePanelModel.h"

#include "panels/PanelText.h"

namespace qv {

namespace {

const NumberBinding<SiteFields, Room> kNumbers[] = {
    {&SiteFields::length, &Room::dLength, NumberKind::kLength, "总长"},
    {&SiteFields::width, &Room::dWidth, NumberKind::kLength, "总宽"},
    {&SiteFields::workHeight, &Room::dWorkHeight, NumberKind::kCoordinate, "工作面高度"},
    {&SiteFields::lxStandard, &Room::dLxStandard, NumberKind::kNonNegative, "照度标准"},
};

} // namespace

std::string SitePanelModel::FieldRefusal(const std::string* field, const std::string& text) const {
    if (field == &m_fields.leftBotX || field == &m_fields.leftBotY) {
        return LeftBottomRefusal(field, text, m_fields.leftBotX);
    }
    return NumberFieldRefusal(m_fields, field, text, kNumbers);
}

void SitePanelModel::ReadFields() {
    ReadNumbers(m_fields, m_room, kNumbers);
    ReadLeftBottom(m_fields.leftBotX, m_fields.leftBotY);
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
