#pragma once
// The illuminance-standards dialog "照度标准" (StandardsDialog) without a window: a tree
// of categories and their places from the catalogue, the values of the chosen place (with
// its reference plane and uniformity U0) and the standard they come from, the last choice
// kept in the settings file, and adding and deleting categories and places. Messages go
// through the message sink with the caption "系统提示".
#include "catalogue/CatalogueDatabase.h"
#include "model/StandardPlace.h"

#include <string>
#include <vector>

namespace qv {

class StandardsDialogModel {
public:
    static constexpr const char* kTitle = "照度标准"; // also the settings section
    // The name fields of the "新建" dialogs take at most this many characters.
    static constexpr int kMaxNameLength = 30;
    // The text of a value the standard does not set (and of a value not chosen yet).
    static constexpr const char* kNone = "—";

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
    // The read-only fields; their names are also the settings keys. A number of 0 is a
    // value the standard does not set for the place (no standard sets a power density,
    // glare rating or uniformity of 0), shown as kNone.
    struct Values {
        int m_nStandLx = 0;     // "标准规定值lx"
        double m_dStandLPD = 0; // "功率密度(现行)W/m2"
        double m_dTagLPD = 0;   // "功率密度(目标)W/m2"
        int m_nUGR = 0;         // "统一眩光"
        std::string m_sRa;      // "显色指数"
        std::string m_sPlane;   // "参考平面"
        double m_dU0 = 0;       // "照度均匀度U0"
    };
    // The fields in the order of Values; FieldLabel and FieldText take these indexes.
    enum Field { kLux, kCurrentLpd, kTargetLpd, kUgr, kRa, kPlane, kU0, kFieldCount };
    static const char* FieldLabel(int field);
    // The shown text of a field: whole lux, glare rating and Ra, power densities with one
    // decimal, U0 with two, the plane as stored; kNone for a value that is not set.
    std::string FieldText(int field) const;
    // The fields of the dialog that adds a place.
    struct NewPlace {
        std::string name;      // "名称"
        int lux = 0;           // "照度lx"
        double currentLpd = 0; // "现行功率密度W/m2"
        double targetLpd = 0;  // "目标功率密度W/m2"
        double ugr = 0;        // "统一眩光值"
        int ra = 0;            // "显色指数"
        std::string plane;     // "参考平面"
        double u0 = 0;         // "照度均匀度U0"
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
    // The standard the catalogue's tables come from, as the dialog names it
    // ("依据 GB/T 50034-2024《建筑照明设计标准》"), with what an empty value means.
    const std::string& SourceNote() const { return m_sourceNote; }

    // "确      定": writes the choice and the values to the settings; the standard
    // illuminance for the caller.
    int Confirm();
    // What the caller takes however the dialog closes.
    int StandardIlluminance() const { return m_values.m_nStandLx; }
    // The selected place ("类别/场所") the illuminance comes from; none while a category
    // or nothing is selected.
    StandardPlace ChosenPlace() const;

    // The context menu of an item: a category "新建大类", "新建小类", "删除"; a place
    // "新建", "删除".
    std::vector<std::string> MenuItems(Item item) const;
    // "确 定" of a "新建" dialog: false, with "请填写<名称>", for an empty name.
    static bool AcceptName(const std::string& name);
    // "新建大类": a new category table copied from the template, with its places.
    bool AddCategory(const std::string& name);
    // "新建小类" on a category, "新建" on a place (its category). Values that are not
    // numbers, negative values, a uniformity above 1 and a colour rendering index above 100
    // are refused with a message. A table made before the catalogue held the reference
    // plane and the uniformity takes the place without them (a message says so when they
    // were given).
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
    std::string m_sourceNote;
};

} // namespace qv
