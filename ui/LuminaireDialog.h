#pragma once
// The modal luminaire dialog "灯具参数" over its model: the type's name and model lists at
// the top and the pages "基本信息", "配光曲线" (with the polar diagram of the curves),
// "利用系数表" and "等光强曲线". "确定" accepts the edited working luminaire (the model's
// Accept()), "取消" drops it.
#include "panels/LuminaireDialogModel.h"

#include <QDialog>

#include <array>
#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTableWidget;

namespace qv {

class IntensityPlot;

class LuminaireDialog : public QDialog {
    Q_OBJECT
public:
    // The controls of one lamp page ("第一光源", "第二光源").
    struct LampControls {
        QComboBox* type = nullptr;  // "名称"
        QComboBox* model = nullptr; // "类型"
        QComboBox* power = nullptr; // "功率"
        QSpinBox* count = nullptr;  // "数量"
        QLineEdit* ballast = nullptr;
        QLineEdit* flux = nullptr;
    };
    // The controls of one shape group ("几何尺寸", "光学器件").
    struct ShapeControls {
        QComboBox* kind = nullptr;
        QLabel* lengthLabel = nullptr; // "长度" or "直径"
        QLineEdit* length = nullptr;
        QLineEdit* width = nullptr;
        QLineEdit* height = nullptr;
    };

    // The files "导入配光文件..." imports, replaceable so that tests answer; none = cancelled.
    std::function<std::vector<std::string>(QWidget*)> chooseFiles;

    // model.Open() is called here.
    explicit LuminaireDialog(LuminaireDialogModel& model, QWidget* parent = nullptr);

    LuminaireDialogModel& Model() { return m_model; }
    QComboBox* NameList() const { return m_names; }
    QComboBox* ModelList() const { return m_models; }
    QTabWidget* Pages() const { return m_pages; }
    const ShapeControls& Shape(int group) const { return m_shapes[group == 0 ? 0 : 1]; }
    const LampControls& LampPage(int page) const { return m_lamps[page == 0 ? 0 : 1]; }
    QCheckBox* SecondLamp() const { return m_secondLamp; }
    QLineEdit* TotalFlux() const { return m_totalFlux; }
    QLineEdit* Maintenance() const { return m_maintenance; }
    // A field of "安装位置" (PlacementField order).
    QLineEdit* Placement(int field) const { return m_placement[static_cast<size_t>(field)]; }
    QPushButton* HandbookButton() const { return m_handbook; }
    QPushButton* ImportButton() const { return m_import; }
    QMenu* HandbookMenu() const { return m_handbookMenu; }
    QTableWidget* CurveGrid() const { return m_curveGrid; }
    QTableWidget* CuGrid() const { return m_cuGrid; }
    QTableWidget* FloodGrid() const { return m_floodGrid; }
    // "UGR表": the spacing, the line stating spacing and flux (or why there is no table),
    // and the table.
    QComboBox* UgrSpacing() const { return m_ugrSpacing; }
    QLabel* UgrLine() const { return m_ugrLine; }
    QTableWidget* UgrGrid() const { return m_ugrGrid; }
    IntensityPlot* Plot() const { return m_plot; }

    // Shows the working luminaire on every page.
    void Refresh();

private:
    QWidget* BasicPage();
    QWidget* ShapeGroup(int group, QWidget* parent);
    QWidget* PlacementGroup(QWidget* parent);
    // "确定": the placement fields go to the model; at the first refused one its old value
    // is shown again, it takes the focus and the result is false (the dialog stays open).
    bool TakePlacement();
    QWidget* LampPageWidget(int page, QWidget* parent);
    void RefreshLampLists(int page);
    // A number field: its text as the model holds it, and how a typed text goes to the
    // model (false, with the message shown, when refused).
    struct NumberField {
        QLineEdit* edit;
        std::function<std::string()> shown;
        std::function<bool(const std::string&)> take;
    };
    void AddNumberField(QLineEdit* edit, std::function<std::string()> shown,
                        std::function<bool(const std::string&)> take);
    // A changed text goes to the model; a refused one is replaced by the model's text and
    // the field gets the focus back (false).
    bool TakeNumber(const NumberField& field);
    // The edits typed into the fields go to the model before the dialog closes; false at
    // the first refused one.
    bool TakeFields();
    // "导入配光文件...": the chosen files' types added to the catalogue and the first chosen.
    void Import();

    LuminaireDialogModel& m_model;
    QComboBox* m_names = nullptr;
    QComboBox* m_models = nullptr;
    QTabWidget* m_pages = nullptr;
    std::array<ShapeControls, 2> m_shapes;
    std::array<LampControls, 2> m_lamps;
    QCheckBox* m_secondLamp = nullptr;
    QLineEdit* m_totalFlux = nullptr;
    QLineEdit* m_maintenance = nullptr;
    std::array<QLineEdit*, 6> m_placement{};
    std::vector<NumberField> m_numbers;
    bool m_taking = false; // a refusal's message is open
    QPushButton* m_handbook = nullptr;
    QPushButton* m_import = nullptr;
    QMenu* m_handbookMenu = nullptr;
    QTableWidget* m_curveGrid = nullptr;
    QTableWidget* m_cuGrid = nullptr;
    QTableWidget* m_floodGrid = nullptr;
    QWidget* UgrPageWidget();
    QComboBox* m_ugrSpacing = nullptr;
    QLabel* m_ugrLine = nullptr;
    QTableWidget* m_ugrGrid = nullptr;
    IntensityPlot* m_plot = nullptr;
    bool m_refreshing = false;
};

} // namespace qv
