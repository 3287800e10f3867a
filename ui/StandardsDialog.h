#pragma once
// The modal dialog "照度标准" (StandardsDialog) over its model: the tree of categories and
// places, the read-only values of the chosen place ("—" where the standard sets none) with
// the standard they come from, the context menus that add and delete categories and
// places, and "确      定". The
// dialogs "新建" that ask for a new category's name (KvDlgNewMain) and a new place
// (KvDlgNewSub) are here too.
#include "panels/StandardsDialogModel.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <string>

class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTreeWidget;
class QTreeWidgetItem;

namespace qv {

// "新建" with the one field "名称" (at most 30 characters); "确 定" with an empty name
// shows "请填写<名称>" and stays open.
class NewCategoryDialog : public QDialog {
    Q_OBJECT
public:
    explicit NewCategoryDialog(QWidget* parent = nullptr);
    QLineEdit* NameField() const { return m_name; }
    std::string Name() const;

private:
    QLineEdit* m_name = nullptr;
};

// "新建" for a place: "名称", "照度lx", "参考平面", "照度均匀度U0", "现行功率密度W/m2",
// "目标功率密度W/m2", "统一眩光值", "显色指数".
class NewPlaceDialog : public QDialog {
    Q_OBJECT
public:
    explicit NewPlaceDialog(QWidget* parent = nullptr);
    QLineEdit* NameField() const { return m_name; }
    void Fill(const StandardsDialogModel::NewPlace& place);
    StandardsDialogModel::NewPlace Place() const;

private:
    QLineEdit* m_name = nullptr;
    QSpinBox* m_lux = nullptr;
    QDoubleSpinBox* m_currentLpd = nullptr;
    QDoubleSpinBox* m_targetLpd = nullptr;
    QDoubleSpinBox* m_ugr = nullptr;
    QSpinBox* m_ra = nullptr;
    QLineEdit* m_plane = nullptr;
    QDoubleSpinBox* m_u0 = nullptr;
};

class StandardsDialog : public QDialog {
    Q_OBJECT
public:
    // The two "新建" dialogs, replaceable so that tests answer them; nothing = cancelled.
    std::function<std::optional<std::string>(QWidget*)> askCategoryName;
    std::function<std::optional<StandardsDialogModel::NewPlace>(QWidget*)> askPlace;

    // model.Open() is called here.
    explicit StandardsDialog(StandardsDialogModel& model, QWidget* parent = nullptr);

    StandardsDialogModel& Model() { return m_model; }
    QTreeWidget* Tree() const { return m_tree; }
    // The read-only fields, indexed by StandardsDialogModel::Field.
    QLineEdit* Value(int index) const { return m_values[index]; }
    // The line naming the standard the values come from.
    QLabel* SourceNote() const { return m_source; }
    // The tree item of a model item; null when there is none.
    QTreeWidgetItem* TreeItem(StandardsDialogModel::Item item) const;
    // A context-menu command on an item, as the menu runs it.
    void RunMenuCommand(StandardsDialogModel::Item item, const std::string& command);
    // Rebuilds the tree and the values from the model.
    void Refresh();

private:
    StandardsDialogModel::Item ItemOf(const QTreeWidgetItem* item) const;
    void ShowValues();

    StandardsDialogModel& m_model;
    QTreeWidget* m_tree = nullptr;
    QLineEdit* m_values[StandardsDialogModel::kFieldCount] = {};
    QLabel* m_source = nullptr;
};

} // namespace qv
