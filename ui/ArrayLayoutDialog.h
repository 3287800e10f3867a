#pragma once
// The dialog "灯具阵列布置" over its model: the luminaire to repeat (a catalogue type or
// the selected luminaire), rows, columns, height, rotation, wall distances or "均匀布置",
// replace or add, and a preview of the room with the existing luminaires (grey) and the
// new positions, redrawn as each field changes. A text the model refuses is named under
// the fields while typing; when the field is left it goes back to the value kept.
#include "panels/ArrayLayoutDialogModel.h"

#include <QDialog>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace qv {

// The room outline, the existing luminaires and the new positions, fitted to the widget.
class ArrayLayoutPreview : public QWidget {
    Q_OBJECT
public:
    explicit ArrayLayoutPreview(const ArrayLayoutDialogModel& model, QWidget* parent = nullptr);
    QSize sizeHint() const override { return QSize(320, 240); }
    // The widget point of a plan point, as last drawn.
    QPointF ToWidget(const Vector& plan) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const ArrayLayoutDialogModel& m_model;
};

class ArrayLayoutDialog : public QDialog {
    Q_OBJECT
public:
    // model.Open() is called here.
    explicit ArrayLayoutDialog(ArrayLayoutDialogModel& model, QWidget* parent = nullptr);

    ArrayLayoutDialogModel& Model() { return m_model; }
    QRadioButton* CatalogueChoice() const { return m_fromCatalogue; }
    QRadioButton* SelectedChoice() const { return m_fromSelected; }
    QComboBox* NameList() const { return m_names; }
    QComboBox* ModelList() const { return m_models; }
    QLineEdit* Field(ArrayLayoutDialogModel::Field field) const {
        return m_fields[static_cast<size_t>(field)];
    }
    QCheckBox* EvenBox() const { return m_even; }
    QRadioButton* ReplaceChoice() const { return m_replace; }
    QRadioButton* AddChoice() const { return m_add; }
    QLabel* MessageLine() const { return m_message; }
    ArrayLayoutPreview* Preview() const { return m_preview; }
    // "灯具参数...": the luminaire dialog over the template; nothing on Cancel.
    using LuminaireEditor = std::function<std::optional<Luminaire>(QWidget*, const Luminaire&)>;
    void SetLuminaireEditor(LuminaireEditor editor) { m_editor = std::move(editor); }
    QLabel* FluxLine() const { return m_flux; }
    // After "确定": the room's new luminaire list.
    const LuminaireList& Result() const { return m_result; }

    void accept() override;

private:
    void FillModels();
    void Refresh();
    void ShowMessage(const std::string& text);

    ArrayLayoutDialogModel& m_model;
    QRadioButton* m_fromCatalogue = nullptr;
    QRadioButton* m_fromSelected = nullptr;
    QComboBox* m_names = nullptr;
    QComboBox* m_models = nullptr;
    std::array<QLineEdit*, ArrayLayoutDialogModel::kFieldCount> m_fields{};
    QCheckBox* m_even = nullptr;
    QRadioButton* m_replace = nullptr;
    QRadioButton* m_add = nullptr;
    QLabel* m_message = nullptr;
    ArrayLayoutPreview* m_preview = nullptr;
    QLabel* m_flux = nullptr;
    LuminaireEditor m_editor;
    LuminaireList m_result;
};

} // namespace qv
