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
class QWidget;

namespace qv {

class FieldBindings {
public:
    // edited runs after the user finished an edit (left a field, changed a spin control or
    // picked from a list).
    explicit FieldBindings(std::function<void()> edited = {}) : m_edited(std::move(edited)) {}

    // An edit control for a text field.
    QLineEdit* Line(std::string* field, QWidget* parent);
    // A spin control for a number field.
    QSpinBox* Spin(int* field, QWidget* parent);
    // An editable drop-down list offering the choices for a text field.
    QComboBox* Choice(std::string* field, const std::vector<std::string>& choices, QWidget* parent);
    // A drop-down list whose selected index is the field; an index outside the list shows
    // no selection and is kept until the user picks one.
    QComboBox* Index(int* field, const std::vector<std::string>& items, QWidget* parent);

    void Refresh() const;

private:
    void Edited() const;

    std::function<void()> m_edited;
    std::vector<std::function<void()>> m_refresh;
};

// Adds a labelled row; the field is named by its label so that it can be found.
void AddLabelledRow(QFormLayout& form, const QString& label, QWidget* field);

} // namespace qv
