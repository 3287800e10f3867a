#include "panels/StandardsDialogModel.h"

#include "catalogue/CatalogueLoaders.h"
#include "catalogue/CatalogueStatements.h"

#include <kelvorin/KvAccess.h>
#include <kelvorin/KvIniFile.h>
#include <kelvorin/KvMessage.h>
#include <kelvorin/KvStTable.h>
#include <kelvorin/KvStr.h>

#include <utility>

namespace qv {

namespace {

constexpr const char* kCaption = "系统提示";

void Warn(const std::string& text) {
    KvMessageSink::Show(text, kCaption, KvMessageIcon::Warning);
}

} // namespace

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
    if (m_db.Connect() && m_db.SelectCells(categories, sql::Categories()) > 0) {
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
    KvStTable rows;
    const int count = KvAccess::IsTableName(category.name)
                          ? m_db.Select(rows, sql::PlaceValues(category.name, place))
                          : -1;
    if (count < 0) {
        Warn("数据库有误");
        return true;
    }
    std::vector<std::string> row;
    if (count > 0 && rows.GetValueRecord(row, 0) && row.size() >= 5) {
        m_values.m_nStandLx = KvStr::Atoi(row[0]);
        m_values.m_dStandLPD = KvStr::Atof(row[1]);
        m_values.m_dTagLPD = KvStr::Atof(row[2]);
        m_values.m_nUGR = static_cast<int>(KvStr::Atof(row[3]));
        m_values.m_sRa = row[4];
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
    return m_values.m_nStandLx;
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
    if (m_db.Execute(sql::InsertPlace(category.name, name, place.lux, place.currentLpd,
                                      place.targetLpd, place.ugr, place.ra)) != 1) {
        Warn("数据库操作失败!");
        return false;
    }
    category.places.push_back(name);
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
