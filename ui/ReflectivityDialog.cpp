#include "ui/ReflectivityDialog.h"

#include "panels/PanelText.h"
#include "ui/QtText.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qv {

ReflectivityDialog::ReflectivityDialog(ReflectivityDialogModel& model, QWidget* parent)
    : QDialog(parent), m_model(model) {
    setWindowTitle(QString::fromUtf8(ReflectivityDialogModel::kTitle));
    auto* layout = new QVBoxLayout(this);
    auto* materials = new QGridLayout;
    layout->addLayout(materials);
    for (size_t i = 0; i < m_materials.size(); ++i) {
        const char* material = ReflectivityDialogModel::kMaterials[i];
        auto* button = new QPushButton(QString::fromUtf8(material), this);
        materials->addWidget(button, static_cast<int>(i / 5), static_cast<int>(i % 5));
        connect(button, &QPushButton::clicked, this, [this, material] {
            m_model.ChooseMaterial(material);
            Refresh();
        });
        m_materials[i] = button;
    }
    auto* selection = new QHBoxLayout;
    layout->addLayout(selection);
    selection->addWidget(new QLabel(QStringLiteral("当前选择:"), this));
    m_material = new QLabel(this);
    selection->addWidget(m_material, 1);
    selection->addWidget(new QLabel(QStringLiteral("精选选择:"), this));
    m_colour = new QLabel(this);
    selection->addWidget(m_colour, 1);

    auto* refine = new QGroupBox(QStringLiteral("精选"), this);
    auto* colours = new QGridLayout(refine);
    layout->addWidget(refine);
    for (int i = 0; i < ReflectivityDialogModel::kColourButtonCount; ++i) {
        auto* button = new QPushButton(refine);
        colours->addWidget(button, i / 3, i % 3);
        connect(button, &QPushButton::clicked, this, [this, i] {
            TakeField();
            m_model.ChooseColour(i);
            Refresh();
        });
        m_colours[static_cast<size_t>(i)] = button;
    }

    auto* field = new QHBoxLayout;
    layout->addLayout(field);
    field->addWidget(new QLabel(QStringLiteral("反射比"), this));
    m_field = new QLineEdit(this);
    field->addWidget(m_field, 1);
    m_plus = new QPushButton(QStringLiteral("+"), this);
    m_minus = new QPushButton(QStringLiteral("-"), this);
    field->addWidget(m_plus);
    field->addWidget(m_minus);
    connect(m_plus, &QPushButton::clicked, this, [this] {
        if (TakeField()) {
            m_model.Increase();
            Refresh();
        }
    });
    connect(m_minus, &QPushButton::clicked, this, [this] {
        if (TakeField()) {
            m_model.Decrease();
            Refresh();
        }
    });
    connect(m_field, &QLineEdit::editingFinished, this, [this] { TakeField(); });

    m_confirm = new QPushButton(QStringLiteral("确   认"), this);
    layout->addWidget(m_confirm);
    connect(m_confirm, &QPushButton::clicked, this, [this] {
        if (TakeField()) {
            accept();
        }
    });
    Refresh();
}

bool ReflectivityDialog::TakeField() {
    const std::string shown = NumberText(m_model.Reflectance());
    const std::string text = FromQt(m_field->text());
    // Unchanged: the exact value stays. While the refusal's message is open the focus
    // leaves the field, which must not refuse it again.
    if (m_taking || text == shown) {
        return true;
    }
    m_taking = true;
    const bool taken = m_model.SetReflectanceText(text);
    m_taking = false;
    if (!taken) {
        m_field->setText(ToQt(shown));
        m_field->setFocus();
        m_field->selectAll();
    }
    return taken;
}

void ReflectivityDialog::Refresh() {
    m_material->setText(ToQt(m_model.Material()));
    m_colour->setText(ToQt(m_model.Colour()));
    for (size_t i = 0; i < m_colours.size(); ++i) {
        const ReflectivityDialogModel::ColourButton& button = m_model.ColourButtons()[i];
        m_colours[i]->setText(ToQt(button.caption));
        m_colours[i]->setEnabled(button.enabled);
    }
    m_field->setText(ToQt(NumberText(m_model.Reflectance())));
}

} // namespace qv
