#include "panels/ReflectivityDialogModel.h"

#include "catalogue/CatalogueStatements.h"
#include "panels/NumberCheck.h"

#include <kelvorin/KvMessage.h>
#include <kelvorin/KvStr.h>

#include <algorithm>
#include <vector>

namespace qv {

const std::array<const char*, 15> ReflectivityDialogModel::kMaterials = {
    "粉刷", "喷白",   "砂浆",     "混凝土",   "砖墙",   "釉面墙", "水磨石", "大理石",
    "沥青", "调和漆", "塑料贴面", "塑料壁纸", "马赛克", "钢板",   "玻璃"};

ReflectivityDialogModel::ReflectivityDialogModel(CatalogueDatabase& db, double reflectance)
    : m_db(db), m_reflectance(reflectance) {}

void ReflectivityDialogModel::ChooseMaterial(const std::string& material) {
    m_material = material;
    if (!m_db.Connect()) {
        return;
    }
    std::vector<std::string> colours;
    if (m_db.SelectCells(colours, sql::MaterialColours(material)) <= 0) {
        KvMessageSink::Show("数据库中不存在此数据!", "系统提示", KvMessageIcon::Warning);
    }
    m_buttons.fill(ColourButton());
    const size_t shown = std::min(colours.size(), m_buttons.size());
    for (size_t i = 0; i < shown; ++i) {
        m_buttons[i] = {colours[i], true};
    }
    std::vector<std::string> plain;
    if (m_db.SelectCells(plain, sql::PlainReflectance(material)) > 0) {
        m_reflectance = KvStr::Atof(plain.front());
    }
}

void ReflectivityDialogModel::ChooseColour(int button) {
    if (button < 0 || button >= kColourButtonCount ||
        !m_buttons[static_cast<size_t>(button)].enabled) {
        return;
    }
    const std::string colour = m_buttons[static_cast<size_t>(button)].caption;
    std::vector<std::string> values;
    if (m_db.SelectCells(values, sql::Reflectance(m_material, colour)) > 0) {
        m_reflectance = KvStr::Atof(values.front());
        m_colour = colour;
    }
}

bool ReflectivityDialogModel::SetReflectanceText(const std::string& text) {
    const std::optional<double> percent = CheckNumber(text, NumberKind::kPercent, "反射比");
    if (percent) {
        m_reflectance = *percent;
    }
    return percent.has_value();
}

void ReflectivityDialogModel::Step(double delta) {
    const double value = m_reflectance + delta;
    m_reflectance = value >= 100.0 ? 100.0 : (value < 0.0 ? 0.0 : value);
}

} // namespace qv
