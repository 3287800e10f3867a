#include "ui/FieldBindings.h"

#include "ui/QtText.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>

#include <limits>

namespace qv {

QLineEdit* FieldBindings::Line(std::string* field, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    QObject::connect(edit, &QLineEdit::textEdited, edit,
                     [field](const QString& text) { *field = FromQt(text); });
    QObject::connect(edit, &QLineEdit::editingFinished, edit, [this] { Edited(); });
    m_refresh.push_back([edit, field] { edit->setText(ToQt(*field)); });
    return edit;
}

QSpinBox* FieldBindings::Spin(int* field, QWidget* parent) {
    auto* spin = new QSpinBox(parent);
    spin->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    spin->setMaximumWidth(96);
    spin->setKeyboardTracking(false); // a typed number is one edit, not one per digit
    QObject::connect(spin, &QSpinBox::valueChanged, spin, [this, field](int value) {
        *field = value;
        Edited();
    });
    m_refresh.push_back([spin, field] {
        const QSignalBlocker quiet(spin);
        spin->setValue(*field);
    });
    return spin;
}

QComboBox* FieldBindings::Choice(std::string* field, const std::vector<std::string>& choices,
                                 QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    for (const std::string& choice : choices) {
        combo->addItem(ToQt(choice));
    }
    QObject::connect(combo, &QComboBox::currentTextChanged, combo,
                     [field](const QString& text) { *field = FromQt(text); });
    QObject::connect(combo, &QComboBox::activated, combo, [this] { Edited(); });
    m_refresh.push_back([combo, field] {
        const QSignalBlocker quiet(combo);
        combo->setCurrentText(ToQt(*field));
    });
    return combo;
}

QComboBox* FieldBindings::Index(int* field, const std::vector<std::string>& items,
                                QWidget* parent) {
    auto* combo = new QComboBox(parent);
    for (const std::string& item : items) {
        combo->addItem(ToQt(item));
    }
    QObject::connect(combo, &QComboBox::activated, combo, [this, field](int index) {
        *field = index;
        Edited();
    });
    m_refresh.push_back([combo, field] {
        const QSignalBlocker quiet(combo);
        combo->setCurrentIndex(*field >= 0 && *field < combo->count() ? *field : -1);
    });
    return combo;
}

void FieldBindings::Edited() const {
    if (m_edited) {
        m_edited();
    }
}

void AddLabelledRow(QFormLayout& form, const QString& label, QWidget* field) {
    field->setObjectName(label);
    form.addRow(label, field);
}

void FieldBindings::Refresh() const {
    for (const auto& refresh : m_refresh) {
        refresh();
    }
}

} // namespace qv
