#pragma once
// Controls bound to the texts and numbers of a panel model's fields: every edit is
// written to the field at once, and Refresh shows the fields again after the model
// changed them.
#include <QString>

#include <functional>
#include <string>
#include <utility>
#include <vector>

class QComboBox;
class QFormLayout;
class QLineEdit;
class QSpinBox;
class QTableWidget;
class QWidget;

namespace qv {

class FieldBindings {
public:
    // edited runs after the user finished an edit (left a field, changed a spin control or
    // picked from a list).
    explicit FieldBindings(std::function<void()> edited = {}) : m_edited(std::move(edited)) {}

    // Why a text typed into a number field is refused; empty when the field takes it.
    using NumberCheck =
        std::function<std::string(const std::string* field, const std::string& text)>;
    void SetNumberCheck(NumberCheck check) { m_check = std::move(check); }

    // An edit control for a text field.
    QLineEdit* Line(std::string* field, QWidget* parent);
    // An edit control for a number field, checked by the number check: a text it takes
    // goes to the field as typed; when the edit is finished with a refused text (other
    // than the field's own) the
    // control shows the field's text again, the refusal is shown and the control gets
    // the focus back (and edited does not run).
    QLineEdit* Number(std::string* field, QWidget* parent);
    // A spin control for a number field.
    QSpinBox* Spin(int* field, QWidget* parent);
    // An editable drop-down list offering the choices for a text field (checked as a
    // number field when the number check knows it).
    QComboBox* Choice(std::string* field, const std::vector<std::string>& choices, QWidget* parent);
    // A drop-down list whose selected index is the field; an index outside the list shows
    // no selection and is kept until the user picks one.
    QComboBox* Index(int* field, const std::vector<std::string>& items, QWidget* parent);

    void Refresh() const;

private:
    void Edited() const;

    std::function<void()> m_edited;
    NumberCheck m_check;
    std::vector<std::function<void()>> m_refresh;
};

// Typed cells of a grid go to take(row, column, text) once the cell editor has closed (a
// refusal's message box would otherwise take the editor's focus and have the same text
// committed again). Then refresh shows the cells as the model holds them; after a
// refusal (false) the cell becomes current with the focus, otherwise taken runs.
void BindCheckedCells(QTableWidget& grid, std::function<bool(int, int, const std::string&)> take,
                      std::function<void()> refresh, std::function<void()> taken);

// Adds a labelled row; the field is named by its label so that it can be found.
void AddLabelledRow(QFormLayout& form, const QString& label, QWidget* field);

} // namespace qv
