#include "ui/ProjectInfoDialog.h"

#include "ui/QtText.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qv {

ProjectInfoDialog::ProjectInfoDialog(ProjectInfoDialogModel& model, QWidget* parent)
    : QDialog(parent), m_model(model) {
    setWindowTitle(QStringLiteral("项目信息"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    const std::vector<ProjectInfoField>& fields = ProjectInfoFields();
    for (size_t i = 0; i < fields.size(); ++i) {
        const QString label = QString::fromUtf8(fields[i].key) + QStringLiteral(":");
        const QString text = ToQt(model.Texts()[i]);
        if (fields[i].multiline) {
            m_description = new QPlainTextEdit(text, this);
            m_description->setTabChangesFocus(true);
            m_description->setFixedHeight(fontMetrics().lineSpacing() * 5);
            form->addRow(label, m_description);
            m_lines.push_back(nullptr);
        } else {
            auto* line = new QLineEdit(text, this);
            line->setMaxLength(static_cast<int>(fields[i].limit));
            line->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("中")) * 24);
            form->addRow(label, line);
            m_lines.push_back(line);
        }
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_confirm = buttons->button(QDialogButtonBox::Ok);
    m_confirm->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &ProjectInfoDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ProjectInfoDialog::reject);
    layout->addWidget(buttons);
}

QLineEdit* ProjectInfoDialog::Line(const char* key) const {
    const ProjectInfoField* field = FindProjectInfoField(key);
    return field ? m_lines[static_cast<size_t>(field - ProjectInfoFields().data())] : nullptr;
}

void ProjectInfoDialog::accept() {
    std::vector<std::string> texts;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        texts.push_back(FromQt(m_lines[i] ? m_lines[i]->text() : m_description->toPlainText()));
    }
    if (!m_model.Take(texts)) {
        const size_t refused = static_cast<size_t>(m_model.RefusedField());
        if (refused < m_lines.size()) {
            if (QWidget* field =
                    m_lines[refused] ? static_cast<QWidget*>(m_lines[refused]) : m_description) {
                field->setFocus();
            }
        }
        return;
    }
    QDialog::accept();
}

} // namespace qv
