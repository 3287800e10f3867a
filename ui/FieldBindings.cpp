#include "ui/FieldBindings.h"

#include "panels/NumberCheck.h"
#include "ui/QtText.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>

#include <limits>
#include <memory>
#include <optional>

namespace qv {

QLineEdit* FieldBindings::Line(std::string* field, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    QObject::connect(edit, &QLineEdit::textEdited, edit,
                     [field](const QString& text) { *field = FromQt(text); });
    QObject::connect(edit, &QLineEdit::editingFinished, edit, [this] { Edited(); });
    m_refresh.push_back([edit, field] { edit->setText(ToQt(*field)); });
    return edit;
}

QLineEdit* FieldBindings::Number(std::string* field, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    const auto refusal = [this, field](const QString& text) {
        return m_check ? m_check(field, FromQt(text)) : std::string();
    };
    // The field's text when the typing began: what a refused text gives way to.
    auto before = std::make_shared<std::optional<std::string>>();
    // Each keystroke that leaves a number the field takes is kept at once, so a command
    // run while the field is still being typed sees it; any other text leaves the field
    // as it was before the typing.
    QObject::connect(edit, &QLineEdit::textEdited, edit,
                     [field, refusal, before](const QString& text) {
                         if (!*before) {
                             *before = *field;
                         }
                         *field = refusal(text).empty() ? FromQt(text) : **before;
                     });
    QObject::connect(edit, &QLineEdit::editingFinished, edit, [this, edit, field, refusal, before] {
        const std::string old = before->value_or(*field);
        before->reset();
        // The old text is not checked again: a value read from a file may lie outside
        // what can be typed, and leaving the field must not trap the focus.
        const std::string refused =
            FromQt(edit->text()) == old ? std::string() : refusal(edit->text());
        if (refused.empty()) {
            *field = FromQt(edit->text());
            Edited();
            return;
        }
        // The old text first: a focus change while the message is open finds nothing to
        // refuse again.
        *field = old;
        edit->setText(ToQt(old));
        ShowRefusal(refused);
        edit->setFocus();
        edit->selectAll();
    });
    m_refresh.push_back([edit, field, before] {
        before->reset();
        edit->setText(ToQt(*field));
    });
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
    const auto refusal = [this, field](const QString& text) {
        return m_check ? m_check(field, FromQt(text)) : std::string();
    };
    // As a number field: a text the number check refuses leaves the field as it was
    // before the typing, and on Enter it gives way to that text with the refusal shown.
    auto before = std::make_shared<std::optional<std::string>>();
    QObject::connect(combo, &QComboBox::currentTextChanged, combo,
                     [field, refusal, before](const QString& text) {
                         if (!*before) {
                             *before = *field;
                         }
                         *field = refusal(text).empty() ? FromQt(text) : **before;
                     });
    const int offered = combo->count();
    QObject::connect(
        combo, &QComboBox::activated, combo, [this, combo, field, refusal, offered, before] {
            const QString typed = combo->currentText();
            const std::string old = before->value_or(*field);
            before->reset();
            const std::string refused = FromQt(typed) == old ? std::string() : refusal(typed);
            if (!refused.empty()) {
                *field = old;
                const QSignalBlocker quiet(combo);
                // Enter added the typed text to the list: it goes again.
                if (const int added = combo->findText(typed); added >= offered) {
                    combo->removeItem(added);
                }
                combo->setCurrentText(ToQt(*field));
                ShowRefusal(refused);
                combo->setFocus();
                return;
            }
            Edited();
        });
    m_refresh.push_back([combo, field, before] {
        const QSignalBlocker quiet(combo);
        before->reset();
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

void BindCheckedCells(QTableWidget& grid, std::function<bool(int, int, const std::string&)> take,
                      std::function<void()> refresh, std::function<void()> taken) {
    QObject::connect(&grid, &QTableWidget::itemChanged, &grid,
                     [&grid, take = std::move(take), refresh = std::move(refresh),
                      taken = std::move(taken)](QTableWidgetItem* item) {
                         QMetaObject::invokeMethod(
                             &grid,
                             [&grid, take, refresh, taken, row = item->row(),
                              column = item->column(), text = FromQt(item->text())] {
                                 const bool took = take(row, column, text);
                                 refresh();
                                 if (took) {
                                     taken();
                                     return;
                                 }
                                 grid.setCurrentCell(row, column);
                                 grid.setFocus();
                             },
                             Qt::QueuedConnection);
                     });
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
