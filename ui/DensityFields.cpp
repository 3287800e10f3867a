#include "ui/DensityFields.h"

#include "ui/FieldBindings.h"
#include "ui/QtText.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace qv {

DensityFields AddDensityFields(QFormLayout& form, const char* lpdLabel) {
    DensityFields fields;
    fields.lpd = new QLineEdit(form.parentWidget());
    fields.lpd->setReadOnly(true);
    AddLabelledRow(form, QString::fromUtf8(lpdLabel), fields.lpd);
    fields.second = new QLineEdit(form.parentWidget());
    fields.second->setReadOnly(true);
    fields.second->setObjectName(QStringLiteral("secondDensity"));
    fields.label = new QLabel(form.parentWidget());
    fields.label->setObjectName(QStringLiteral("secondDensityLabel"));
    form.addRow(fields.label, fields.second);
    return fields;
}

void ShowDensities(const DensityFields& fields, const PowerDensityDisplay& shown) {
    fields.lpd->setText(ToQt(shown.lpdText));
    fields.second->setText(ToQt(shown.secondText));
    fields.label->setText(ToQt(shown.label));
}

} // namespace qv
