#include "ui/ArrayLayoutDialog.h"

#include "calc/common/Outline.h"
#include "ui/QtText.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace qv {
namespace {

constexpr int kPreviewMargin = 12;
constexpr double kMarkRadius = 3.0;

// The scale and offset that fit the room (and every luminaire) into the widget.
struct PlanFitting {
    double scale = 1.0;
    double minX = 0.0;
    double minY = 0.0;
    int height = 0;
    int left = kPreviewMargin;
    int top = kPreviewMargin;
};

PlanFitting Fit(const ArrayLayoutDialogModel& model, QSize size) {
    std::vector<Vector> points = model.Outline();
    points.insert(points.end(), model.NewPositions().begin(), model.NewPositions().end());
    for (const Luminaire& luminaire : model.Existing().Items()) {
        points.push_back(luminaire.ptCenter);
    }
    PlanFitting fit;
    fit.height = size.height();
    points.erase(
        std::remove_if(points.begin(), points.end(),
                       [](const Vector& p) { return !std::isfinite(p.x) || !std::isfinite(p.y); }),
        points.end());
    if (points.empty()) {
        return fit;
    }
    const OutlineExtent box = ExtentOf(points);
    const double width = std::max(box.maxX - box.minX, 1e-6);
    const double depth = std::max(box.maxY - box.minY, 1e-6);
    const double room = std::max(1, size.width() - 2 * kPreviewMargin);
    const double roomY = std::max(1, size.height() - 2 * kPreviewMargin);
    fit.scale = std::min(room / width, roomY / depth);
    fit.minX = box.minX;
    fit.minY = box.minY;
    fit.left = kPreviewMargin + static_cast<int>((room - width * fit.scale) / 2);
    fit.top = kPreviewMargin + static_cast<int>((roomY - depth * fit.scale) / 2);
    return fit;
}

QPointF Place(const PlanFitting& fit, const Vector& p) {
    // y rises upwards on the plan.
    return QPointF(fit.left + (p.x - fit.minX) * fit.scale,
                   fit.height - fit.top - (p.y - fit.minY) * fit.scale);
}

} // namespace

ArrayLayoutPreview::ArrayLayoutPreview(const ArrayLayoutDialogModel& model, QWidget* parent)
    : QWidget(parent), m_model(model) {
    setMinimumSize(240, 180);
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, Qt::white);
    setPalette(background);
}

QPointF ArrayLayoutPreview::ToWidget(const Vector& plan) const {
    return Place(Fit(m_model, size()), plan);
}

void ArrayLayoutPreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const PlanFitting fit = Fit(m_model, size());
    const std::vector<Vector>& outline = m_model.Outline();
    if (outline.size() >= 2) {
        QPolygonF polygon;
        for (const Vector& corner : outline) {
            polygon << Place(fit, corner);
        }
        painter.setPen(QPen(Qt::black, 1.5));
        painter.drawPolygon(polygon);
    }
    const bool replacing = m_model.PlacementChoice() == ArrayLayoutDialogModel::Placement::kReplace;
    painter.setPen(QPen(replacing ? QColor(210, 210, 210) : QColor(128, 128, 128)));
    painter.setBrush(Qt::NoBrush);
    for (const Luminaire& luminaire : m_model.Existing().Items()) {
        painter.drawEllipse(Place(fit, luminaire.ptCenter), kMarkRadius, kMarkRadius);
    }
    painter.setPen(QPen(Qt::red));
    painter.setBrush(QColor(Qt::red));
    for (const Vector& position : m_model.NewPositions()) {
        painter.drawEllipse(Place(fit, position), kMarkRadius, kMarkRadius);
    }
}

ArrayLayoutDialog::ArrayLayoutDialog(ArrayLayoutDialogModel& model, QWidget* parent)
    : QDialog(parent), m_model(model) {
    m_model.Open();
    setWindowTitle(ToQt(ArrayLayoutDialogModel::kTitle));
    using Model = ArrayLayoutDialogModel;

    auto* source = new QGroupBox(QStringLiteral("灯具"));
    auto* sourceLayout = new QFormLayout(source);
    m_fromCatalogue = new QRadioButton(QStringLiteral("灯具类型"));
    m_fromSelected = new QRadioButton(QStringLiteral("选中的灯具"));
    m_fromSelected->setEnabled(m_model.HasSelected());
    auto* sources = new QButtonGroup(this);
    sources->addButton(m_fromCatalogue);
    sources->addButton(m_fromSelected);
    m_names = new QComboBox;
    m_names->setObjectName(QStringLiteral("名称"));
    m_models = new QComboBox;
    m_models->setObjectName(QStringLiteral("型号"));
    sourceLayout->addRow(m_fromCatalogue);
    sourceLayout->addRow(QStringLiteral("名称"), m_names);
    sourceLayout->addRow(QStringLiteral("型号"), m_models);
    sourceLayout->addRow(m_fromSelected);
    auto* edit = new QPushButton(QStringLiteral("灯具参数..."));
    edit->setAutoDefault(false);
    m_flux = new QLabel;
    sourceLayout->addRow(edit, m_flux);
    connect(edit, &QPushButton::clicked, this, [this] {
        if (!m_editor) {
            return;
        }
        if (const std::optional<Luminaire> edited = m_editor(this, m_model.TemplateLuminaire())) {
            m_model.SetEditedTemplate(*edited);
            m_names->setCurrentText(ToQt(m_model.SelectedName()));
            FillModels();
            Refresh();
        }
    });
    for (const std::string& name : m_model.Names()) {
        m_names->addItem(ToQt(name));
    }
    m_names->setCurrentText(ToQt(m_model.SelectedName()));
    FillModels();
    connect(m_names, &QComboBox::activated, this, [this](int) {
        m_model.ChooseName(FromQt(m_names->currentText()));
        FillModels();
        Refresh();
    });
    connect(m_models, &QComboBox::activated, this, [this](int) {
        m_model.ChooseModel(FromQt(m_models->currentText()));
        Refresh();
    });
    connect(m_fromCatalogue, &QRadioButton::toggled, this, [this](bool on) {
        m_model.ChooseSource(on ? Model::Source::kCatalogue : Model::Source::kSelected);
        Refresh();
    });

    auto* array = new QGroupBox(QStringLiteral("阵列"));
    auto* arrayLayout = new QFormLayout(array);
    for (int f = 0; f < Model::kFieldCount; ++f) {
        const auto field = static_cast<Model::Field>(f);
        auto* edit = new QLineEdit;
        edit->setObjectName(ToQt(Model::kFieldLabels[static_cast<size_t>(f)]));
        m_fields[static_cast<size_t>(f)] = edit;
        if (field == Model::kMarginX) {
            m_even = new QCheckBox(QStringLiteral("均匀布置"));
            arrayLayout->addRow(m_even);
        }
        arrayLayout->addRow(ToQt(Model::kFieldLabels[static_cast<size_t>(f)]), edit);
        connect(edit, &QLineEdit::textEdited, this, [this, field](const QString& text) {
            ShowMessage(m_model.TryField(field, FromQt(text)));
            m_preview->update();
        });
        connect(edit, &QLineEdit::editingFinished, this, [this, field, edit] {
            if (FromQt(edit->text()) == m_model.FieldText(field)) {
                return;
            }
            if (!m_model.SetField(field, FromQt(edit->text()))) {
                edit->setText(ToQt(m_model.FieldText(field)));
            }
            ShowMessage(std::string());
            Refresh();
        });
    }
    connect(m_even, &QCheckBox::toggled, this, [this](bool on) {
        m_model.SetEven(on);
        Refresh();
    });

    auto* placement = new QGroupBox(QStringLiteral("现有灯具"));
    auto* placementLayout = new QVBoxLayout(placement);
    m_replace = new QRadioButton(QStringLiteral("替换现有灯具"));
    m_add = new QRadioButton(QStringLiteral("添加到现有灯具"));
    placementLayout->addWidget(m_replace);
    placementLayout->addWidget(m_add);
    connect(m_add, &QRadioButton::toggled, this, [this](bool on) {
        m_model.SetPlacement(on ? Model::Placement::kAdd : Model::Placement::kReplace);
        Refresh();
    });

    m_message = new QLabel;
    m_message->setWordWrap(true);
    m_message->setStyleSheet(QStringLiteral("color: #c00000"));
    m_preview = new ArrayLayoutPreview(m_model);

    auto* fields = new QVBoxLayout;
    fields->addWidget(source);
    fields->addWidget(array);
    fields->addWidget(placement);
    fields->addWidget(m_message);
    fields->addStretch();
    auto* body = new QHBoxLayout;
    body->addLayout(fields);
    body->addWidget(m_preview, 1);
    // Return in a field takes the field (and redraws the preview) rather than closing
    // the dialog: neither button is a default button.
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    using Slot = void (QDialog::*)();
    for (const auto& [text, slot] :
         {std::pair<QString, Slot>{QStringLiteral("确定"), &QDialog::accept},
          std::pair<QString, Slot>{QStringLiteral("取消"), &QDialog::reject}}) {
        auto* button = new QPushButton(text);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, slot);
        buttons->addWidget(button);
    }
    auto* root = new QVBoxLayout(this);
    root->addLayout(body, 1);
    root->addLayout(buttons);
    Refresh();
}

void ArrayLayoutDialog::FillModels() {
    const QSignalBlocker blocker(m_models);
    m_models->clear();
    for (const std::string& model : m_model.Models()) {
        m_models->addItem(ToQt(model));
    }
    m_models->setCurrentText(ToQt(m_model.SelectedModel()));
}

void ArrayLayoutDialog::Refresh() {
    using Model = ArrayLayoutDialogModel;
    const bool catalogue = m_model.TemplateSource() == Model::Source::kCatalogue;
    for (QWidget* control : std::initializer_list<QWidget*>{m_fromCatalogue, m_fromSelected, m_even,
                                                            m_replace, m_add}) {
        control->blockSignals(true);
    }
    m_fromCatalogue->setChecked(catalogue);
    m_fromSelected->setChecked(!catalogue);
    m_even->setChecked(m_model.Even());
    m_replace->setChecked(m_model.PlacementChoice() == Model::Placement::kReplace);
    m_add->setChecked(m_model.PlacementChoice() == Model::Placement::kAdd);
    for (QWidget* control : std::initializer_list<QWidget*>{m_fromCatalogue, m_fromSelected, m_even,
                                                            m_replace, m_add}) {
        control->blockSignals(false);
    }
    m_names->setEnabled(catalogue);
    m_models->setEnabled(catalogue);
    for (int f = 0; f < Model::kFieldCount; ++f) {
        QLineEdit* edit = m_fields[static_cast<size_t>(f)];
        if (!edit->hasFocus() || m_message->text().isEmpty()) {
            edit->setText(ToQt(m_model.FieldText(static_cast<Model::Field>(f))));
        }
    }
    m_flux->setText(ToQt(m_model.FluxText()));
    m_fields[Model::kMarginX]->setEnabled(!m_model.Even());
    m_fields[Model::kMarginY]->setEnabled(!m_model.Even());
    m_preview->update();
}

void ArrayLayoutDialog::ShowMessage(const std::string& text) {
    m_message->setText(ToQt(text));
}

void ArrayLayoutDialog::accept() {
    // A field still being typed in is taken (or refused) first.
    for (int f = 0; f < ArrayLayoutDialogModel::kFieldCount; ++f) {
        QLineEdit* edit = m_fields[static_cast<size_t>(f)];
        const auto field = static_cast<ArrayLayoutDialogModel::Field>(f);
        if (FromQt(edit->text()) != m_model.FieldText(field) &&
            !m_model.SetField(field, FromQt(edit->text()))) {
            edit->setText(ToQt(m_model.FieldText(field)));
            return;
        }
    }
    if (!m_model.Accept(m_result)) {
        return;
    }
    QDialog::accept();
}

} // namespace qv
