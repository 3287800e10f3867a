#pragma once
// The illuminance-standards dialog "照度标准" (StandardsDialog) without a window: a tree
// of categories and their places from the catalogue, the values of the chosen place,
// the last choice kept in the settings file, and adding and deleting categories and
// places. Messages go through the message sink with the caption "系统提示".
#include "catalogue/CatalogueDatabase.h"

#include <string>
#include <vector>

namespace qv {

class StandardsDialogModel {
public:
    static constexpr const char* kTitle = "照度标准"; // also the settings section
    static constexpr const char* kUniformityNote =
        "照度均匀度:作业区域> 0.7 临近周围> 0.5 通道和非作业区> 1/3";
    // The name fields of the "新建" dialogs take at most this many characters.
    static constexpr int kMaxNameLength = 30;

    struct Category {
        std::string name;
        std::vector<std::string> places;
        bool expanded = false;
    };
    // A tree item: a category (place -1) or a place of it; category -1 is no item.
    struct Item {
        int category = -1;
        int place = -1;
        bool operator==(const Item&) const = default;
    };
    // The five read-only fields; their names are also the settings keys.
    struct Values {
        int m_nStandLx = 0;     // "标准规定值lx"
        double m_dStandLPD = 0; // "功率密度(现行)W/m2"
        double m_dTagLPD = 0;   // "功率密度(目标)W/m2"
        int m_nUGR = 0;         // "统一眩光"
        std::string m_sRa;      // "显色指数"
    };
    // The fields of the dialog that adds a place.
    struct NewPlace {
        std::string name;      // "名称"
        int lux = 0;           // "照度lx"
        double currentLpd = 0; // "现行功率密度W/m2"
        double targetLpd = 0;  // "目标功率密度W/m2"
        double ugr = 0;        // "统一眩光值"
        int ra = 0;            // "显色指数"
    };

    StandardsDialogModel(CatalogueDatabase& db, std::string settingsFile);

    // Builds the tree, shows the stored values and selects the place chosen last when
    // it is still there.
    void Open();

    const std::vector<Category>& Tree() const { return m_tree; }
    Item Selection() const { return m_selection; }
    // Selects an item; a place shows its values ("数据库有误" when they cannot be read;
    // a place without a row leaves them). False for an item not in the tree.
    bool Select(Item item);
    const Values& Shown() const { return m_values; }

    // "确      定": writes the choice and the values to the settings; the standard
    // illuminance for the caller.
    int Confirm();
    // What the caller takes however the dialog closes.
    int StandardIlluminance() const { return m_values.m_nStandLx; }

    // The context menu of an item: a category "新建大类", "新建小类", "删除"; a place
    // "新建", "删除".
    std::vector<std::string> MenuItems(Item item) const;
    // "确 定" of a "新建" dialog: false, with "请填写<名称>", for an empty name.
    static bool AcceptName(const std::string& name);
    // "新建大类": a new category table copied from the template, with its places.
    bool AddCategory(const std::string& name);
    // "新建小类" on a category, "新建" on a place (its category).
    bool AddPlace(Item item, const NewPlace& place);
    // "删除", after the confirmation "是否确定删除?".
    bool Delete(Item item);

private:
    bool Valid(Item item) const;
    std::vector<std::string> ReadPlaces(const std::string& category);
    // Refuses (with a message) a category name that cannot name a table.
    static bool UsableCategory(const std::string& name);

    CatalogueDatabase& m_db;
    std::string m_settingsFile;
    std::vector<Category> m_tree;
    Item m_selection;
    Values m_values;
};

} // namespace qv
