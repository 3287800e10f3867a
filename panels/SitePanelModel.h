#pragma once
// The site panel ("应用场地") of an outdoor project: the room panel's layout with
// "场地尺寸" and the floodlight number range ("投光灯的灯具编号") instead of the
// reflectances and the window-to-wall ratio.
#include "panels/OutlinePanelModel.h"

#include <string>

namespace qv {

struct SiteFields {
    std::string length;     // "总长"
    std::string width;      // "总宽"
    std::string workHeight; // "工作面高度"
    std::string leftBotX;   // "左下角位置" x
    std::string leftBotY;   // and y
    std::string lxStandard; // "照度标准lx"
    int startNum = 1;       // "起始编号"
    int endNum = 1;         // "终止编号"
    bool operator==(const SiteFields&) const = default;
};

class SitePanelModel : public OutlinePanelModel {
public:
    SitePanelModel() { Show(); }

    SiteFields& Fields() { return m_fields; }
    const SiteFields& Fields() const { return m_fields; }

    std::string FieldRefusal(const std::string* field, const std::string& text) const override;

protected:
    void ReadFields() override;
    void ShowFields() override;

private:
    SiteFields m_fields;
};

} // namespace qv
