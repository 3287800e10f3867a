#include "panels/StandardsDialogModel.h"

#include "catalogue/CatalogueLoaders.h"
#include "catalogue/CatalogueStatements.h"
#include "catalogue/StandardsCatalogue.h"

#include <kelvorin/KvAccess.h>
#include <kelvorin/KvIniFile.h>
#include <kelvorin/KvMessage.h>
#include <kelvorin/KvStTable.h>
#include <kelvorin/KvStr.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <optional>
#include <utility>

namespace qv {

namespace {

constexpr const char* kCaption = "系统提示";

void Warn(const std::string& text) {
    KvMessageSink::Show(text, kCaption, KvMessageIcon::Warning);
}

// A stored value as a whole number, saturating; an absent one is 0 (none).
int Whole(const std::optional<double>& value) {
    if (!value) {
        return 0;
    }
    return static_cast<int>(std::clamp(std::round(*value), double(INT_MIN), double(INT_MAX)));
}

bool IsSet(double value) {
    return std::isfinite(value) && value > 0.0;
}

// Refuses (with a message naming the field) a value of the "新建" dialog that is not a
// finite number in [0, most].
bool Acceptable(double value, const char* field, double most) {
    if (std::isfinite(value) && value >= 0.0 && value <= most) {
        return true;
    }
    Warn(std::string("\"") + field + "\"的值无效：应为0到" + KvStr::FormatDouble(most) +
         "之间的数");
    return false;
}

} // namespace

const char* StandardsDialogModel::FieldLabel(int field) {
    static const char* const labels[kFieldCount] = {
        "标准规定值lx", "功率密度(现行)W/m2", "功率密度(目标)W/m2", "统一眩光",
        "显色指数",     "参考平面",           "照度均匀度U0"};
    return field >= 0 && field < kFieldCount ? labels[field] : "";
}

std::string StandardsDialogModel::FieldText(int field) const {
    const Values& v = m_values;
    switch (field) {
    case kLux:
        return v.m_nStandLx > 0 ? std::to_string(v.m_nStandLx) : kNone;
    case kCurrentLpd:
        return IsSet(v.m_dStandLPD) ? KvStr::Format("%.1f", v.m_dStandLPD) : kNone;
    case kTargetLpd:
        return IsSet(v.m_dTagLPD) ? KvStr::Format("%.1f", v.m_dTagLPD) : kNone;
    case kUgr:
        return v.m_nUGR > 0 ? std::to_string(v.m_nUGR) : kNone;
    case kRa:
        return IsSet(KvStr::Atof(v.m_sRa)) ? KvStr::Trim(v.m_sRa) : kNone;
    case kPlane:
        return KvStr::Trim(v.m_sPlane).empty() ? kNone : v.m_sPlane;
    case kU0:
        return IsSet(v.m_dU0) ? KvStr::Format("%.2f", v.m_dU0) : kNone;
    default:
        return std::string();
    }
}

StandardsDialogModel::StandardsDialogModel(CatalogueDatabase& db, std::string settingsFile)
    : m_db(db), m_settingsFile(std::move(settingsFile)) {}

bool StandardsDialogModel::UsableCategory(const std::string& name) {
    std::string problem;
    if (KvAccess::IsTableName(name, &problem)) {
        return true;
    }
    Warn("\"" + name + "\"不能作为大类名称：" + problem);
    return false;
}

std::vector<std::string> StandardsDialogModel::ReadPlaces(const std::string& category) {
    std::vector<std::string> places;
    if (KvAccess::IsTableName(category)) {
        m_db.SelectCells(places, sql::Places(category));
    }
    return places;
}

void StandardsDialogModel::Open() {
    m_tree.clear();
    m_selection = Item();
    std::vector<std::string> categories;
    const bool connected = m_db.Connect(); // a failure shows its message once
    if (connected && m_db.SelectCells(categories, sql::Categories()) > 0) {
        for (const std::string& name : categories) {
            m_tree.push_back({name, ReadPlaces(name), false});
        }
    }
    const std::string section = kTitle;
    const std::string parent = KvIniFile::ReadKey(section, "父", "", m_settingsFile);
    const std::string child = KvIniFile::ReadKey(section, "子", "", m_settingsFile);
    m_values.m_nStandLx = KvIniFile::ReadKey(section, "m_nStandLx", 0, m_settingsFile);
    m_values.m_dStandLPD = KvIniFile::ReadKey(section, "m_dStandLPD", 0.0, m_settingsFile);
    m_values.m_dTagLPD = KvIniFile::ReadKey(section, "m_dTagLPD", 0.0, m_settingsFile);
    m_values.m_nUGR = KvIniFile::ReadKey(section, "m_nUGR", 0, m_settingsFile);
    m_values.m_sRa = KvIniFile::ReadKey(section, "m_sRa", "", m_settingsFile);
    m_values.m_sPlane = KvIniFile::ReadKey(section, "m_sPlane", "", m_settingsFile);
    m_values.m_dU0 = KvIniFile::ReadKey(section, "m_dU0", 0.0, m_settingsFile);
    const StandardEdition edition = connected ? ReadStandardsEdition(m_db) : StandardEdition();
    if (edition.number.empty()) {
        m_sourceNote = "目录未记录照度标准的版本。“—”：目录中没有该值。";
    } else {
        m_sourceNote = "依据 " + edition.number + "《" + edition.title + "》。“—”：标准未规定该值";
        if (edition.number == kLightingStandard) {
            m_sourceNote += "；功率密度只给出目标值的场所，其现行值(限值)见 GB 55015-2021";
        }
        m_sourceNote += "。";
    }
    for (size_t c = 0; c < m_tree.size(); ++c) {
        if (m_tree[c].name != parent) {
            continue;
        }
        m_tree[c].expanded = true;
        const std::vector<std::string>& places = m_tree[c].places;
        for (size_t p = 0; p < places.size(); ++p) {
            if (places[p] == child) {
                Select({static_cast<int>(c), static_cast<int>(p)});
                break;
            }
        }
        break;
    }
}

bool StandardsDialogModel::Valid(Item item) const {
    if (item.category < 0 || item.category >= static_cast<int>(m_tree.size())) {
        return false;
    }
    const Category& category = m_tree[static_cast<size_t>(item.category)];
    return item.place >= -1 && item.place < static_cast<int>(category.places.size());
}

bool StandardsDialogModel::Select(Item item) {
    if (!Valid(item)) {
        return false;
    }
    m_selection = item;
    if (item.place < 0) {
        return true;
    }
    const Category& category = m_tree[static_cast<size_t>(item.category)];
    const std::string& place = category.places[static_cast<size_t>(item.place)];
    PlaceStandard values;
    const int count = LoadPlaceStandard(m_db, category.name, place, values);
    if (count < 0) {
        Warn("数据库有误");
        return true;
    }
    if (count > 0) {
        m_values.m_nStandLx = Whole(values.lux);
        m_values.m_dStandLPD = values.currentLpd.value_or(0.0);
        m_values.m_dTagLPD = values.targetLpd.value_or(0.0);
        m_values.m_nUGR = Whole(values.ugr);
        m_values.m_sRa = values.ra ? KvStr::FormatDouble(*values.ra) : std::string();
        m_values.m_sPlane = values.plane;
        m_values.m_dU0 = values.u0.value_or(0.0);
    }
    return true;
}

int StandardsDialogModel::Confirm() {
    std::string parent;
    std::string child;
    if (Valid(m_selection)) {
        const Category& category = m_tree[static_cast<size_t>(m_selection.category)];
        parent = category.name;
        if (m_selection.place >= 0) {
            child = category.places[static_cast<size_t>(m_selection.place)];
        }
    }
    const std::string section = kTitle;
    KvIniFile::WriteKey(section, "父", parent, m_settingsFile);
    KvIniFile::WriteKey(section, "子", child, m_settingsFile);
    KvIniFile::WriteKey(section, "m_dTagLPD", m_values.m_dTagLPD, m_settingsFile);
    KvIniFile::WriteKey(section, "m_dStandLPD", m_values.m_dStandLPD, m_settingsFile);
    KvIniFile::WriteKey(section, "m_nStandLx", m_values.m_nStandLx, m_settingsFile);
    KvIniFile::WriteKey(section, "m_nUGR", m_values.m_nUGR, m_settingsFile);
    KvIniFile::WriteKey(section, "m_sRa", m_values.m_sRa, m_settingsFile);
    KvIniFile::WriteKey(section, "m_sPlane", m_values.m_sPlane, m_settingsFile);
    KvIniFile::WriteKey(section, "m_dU0", m_values.m_dU0, m_settingsFile);
    return m_values.m_nStandLx;
}

StandardPlace StandardsDialogModel::ChosenPlace() const {
    if (!Valid(m_selection) || m_selection.place < 0) {
        return {};
    }
    const Category& category = m_tree[static_cast<size_t>(m_selection.category)];
    return {category.name, category.places[static_cast<size_t>(m_selection.place)]};
}

std::vector<std::string> StandardsDialogModel::MenuItems(Item item) const {
    if (!Valid(item)) {
        return {};
    }
    if (item.place < 0) {
        return {"新建大类", "新建小类", "删除"};
    }
    return {"新建", "删除"};
}

bool StandardsDialogModel::AcceptName(const std::string& name) {
    if (!name.empty()) {
        return true;
    }
    KvMessageSink::Show("请填写<名称>", kCaption);
    return false;
}

bool StandardsDialogModel::AddCategory(const std::string& typed) {
    const std::string name = KvStr::Trim(typed);
    if (!AcceptName(name) || !UsableCategory(name) || !m_db.Connect()) {
        return false;
    }
    if (m_db.HasTable(name)) {
        Warn("此内容已在数据库中存在!");
        return false;
    }
    if (m_db.Execute(sql::CopyTemplate(name)) != 1) {
        Warn("创建" + name + "失败!");
        return false;
    }
    if (m_db.Execute(sql::InsertCategory(name)) != 1) {
        m_db.Execute(sql::DropCategoryTable(name)); // no table without its category
        Warn("创建" + name + "失败!");
        return false;
    }
    m_tree.push_back({name, ReadPlaces(name), false});
    return true;
}

bool StandardsDialogModel::AddPlace(Item item, const NewPlace& place) {
    const std::string name = KvStr::Trim(place.name);
    if (!Valid(item) || !AcceptName(name)) {
        return false;
    }
    if (!Acceptable(place.lux, "照度lx", 1e6) ||
        !Acceptable(place.currentLpd, "现行功率密度W/m2", 1e3) ||
        !Acceptable(place.targetLpd, "目标功率密度W/m2", 1e3) ||
        !Acceptable(place.ugr, "统一眩光值", 100) || !Acceptable(place.ra, "显色指数", 100) ||
        !Acceptable(place.u0, "照度均匀度U0", 1)) {
        return false;
    }
    Category& category = m_tree[static_cast<size_t>(item.category)];
    if (!UsableCategory(category.name) || !m_db.Connect()) {
        return false;
    }
    KvStTable existing;
    if (!m_db.HasTable(category.name) ||
        m_db.Select(existing, sql::PlaceValues(category.name, name)) > 0) {
        Warn("改名字已经存在!");
        return false;
    }
    const std::string plane = KvStr::Trim(place.plane);
    const bool full = HasPlaneAndUniformity(m_db, category.name);
    const std::string insert =
        full ? sql::InsertPlaceWithPlane(category.name, name, place.lux, place.currentLpd,
                                         place.targetLpd, place.ugr, place.ra, plane, place.u0)
             : sql::InsertPlace(category.name, name, place.lux, place.currentLpd, place.targetLpd,
                                place.ugr, place.ra);
    if (m_db.Execute(insert) != 1) {
        Warn("数据库操作失败!");
        return false;
    }
    category.places.push_back(name);
    if (!full && (!plane.empty() || place.u0 > 0.0)) {
        KvMessageSink::Show(
            "\"" + category.name + "\"的表没有参考平面和照度均匀度两列，这两项未保存。", kCaption);
    }
    return true;
}

bool StandardsDialogModel::Delete(Item item) {
    if (!Valid(item) ||
        KvMessageSink::Show("是否确定删除?", kCaption, KvMessageIcon::Warning,
                            KvMessageButtons::YesNo) != KvMessageAnswer::Yes ||
        !m_db.Connect()) {
        return false;
    }
    Category& category = m_tree[static_cast<size_t>(item.category)];
    if (item.place >= 0) {
        const std::string& place = category.places[static_cast<size_t>(item.place)];
        if (!KvAccess::IsTableName(category.name) ||
            m_db.Execute(sql::DeletePlace(category.name, place)) != 1) {
            Warn("数据库操作失败!");
            return false;
        }
        category.places.erase(category.places.begin() + item.place);
        if (m_selection.category == item.category && m_selection.place >= item.place) {
            m_selection = m_selection.place == item.place
                              ? Item{item.category, -1}
                              : Item{item.category, m_selection.place - 1};
        }
        return true;
    }
    // A category whose table is already gone is still taken out of the list.
    if (KvAccess::IsTableName(category.name) && m_db.HasTable(category.name) &&
        m_db.Execute(sql::DropCategoryTable(category.name)) != 1) {
        Warn("数据库操作失败!");
        return false;
    }
    if (m_db.Execute(sql::DeleteCategory(category.name)) != 1) {
        Warn("数据库操作失败!");
        return false;
    }
    m_tree.erase(m_tree.begin() + item.category);
    if (m_selection.category == item.category) {
        m_selection = Item();
    } else if (m_selection.category > item.category) {
        --m_selection.category;
    }
    return true;
}

} // namespace qv
