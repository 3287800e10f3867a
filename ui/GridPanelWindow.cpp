#include "ui/GridPanelWindow.h"

#include "ui/DensityFields.h"

#include "report/books/GridBook.h"
#include "ui/GridResultWindow.h"
#include "ui/QtText.h"

#include <kelvorin/KvMessage.h>
#include <kelvorin/KvStr.h>

#include <QBoxLayout>
#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>

#include <memory>

namespace qv {
namespace {

// A spin control whose arrows follow the panel's step rule instead of adding one.
class StepRuleSpinBox : public QSpinBox {
public:
    StepRuleSpinBox(int* field, std::function<void(int)> step, int maximum, QWidget* parent)
        : QSpinBox(parent), m_field(field), m_step(std::move(step)) {
        setRange(0, maximum);
        setValue(*field);
        connect(this, &QSpinBox::valueChanged, this, [this](int value) { *m_field = value; });
    }
    void stepBy(int steps) override {
        for (int i = 0; i < std::abs(steps); ++i) {
            m_step(steps > 0 ? 1 : -1);
        }
        setValue(std::clamp(*m_field, minimum(), maximum()));
        *m_field = value();
    }

protected:
    StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }

private:
    int* m_field;
    std::function<void(int)> m_step;
};

} // namespace

GridPanelWindow::GridPanelWindow(CalcPanelContext context, QWidget* parent)
    : CalcPanelWindow(std::move(context), "水平、垂直照度计算", parent) {
    setObjectName(QStringLiteral("gridPanel"));
    m_panel.SetStandards(m_context.catalogue);
    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    layout->addLayout(left);

    auto* settings = new QFormLayout;
    m_density = new StepRuleSpinBox(
        &m_panel.density, [this](int direction) { m_panel.SpinDensity(direction); }, kMaxDensity,
        this);
    m_density->setSuffix(QStringLiteral(" 等分"));
    AddLabelledRow(*settings, QStringLiteral("计算密度"), m_density);
    left->addLayout(settings);

    auto* plane = new QGroupBox(QStringLiteral("垂直面"), this);
    auto* planeForm = new QFormLayout(plane);
    const auto planeMoved = [this] {
        if (m_context.planChanged) {
            m_context.planChanged();
        }
    };
    AddLabelledRow(
        *planeForm, QStringLiteral("起点:X"),
        NumberField(&m_panel.startX, NumberKind::kCoordinate, "起点:X", plane, planeMoved));
    AddLabelledRow(
        *planeForm, QStringLiteral("起点:Y"),
        NumberField(&m_panel.startY, NumberKind::kCoordinate, "起点:Y", plane, planeMoved));
    AddLabelledRow(
        *planeForm, QStringLiteral("终点:X"),
        NumberField(&m_panel.endX, NumberKind::kCoordinate, "终点:X", plane, planeMoved));
    AddLabelledRow(
        *planeForm, QStringLiteral("终点:Y"),
        NumberField(&m_panel.endY, NumberKind::kCoordinate, "终点:Y", plane, planeMoved));
    AddLabelledRow(*planeForm, QStringLiteral("朝向"),
                   m_bindings.Index(&m_panel.side, {"左上", "右下"}, plane));
    left->addWidget(plane);

    auto* calculations = new QHBoxLayout;
    AddButton(*calculations, "水平照度", [this] { Calculate(false); });
    AddButton(*calculations, "垂直照度", [this] { Calculate(true); });
    m_cancel = AddButton(*calculations, "取消计算", [this] { m_run.Cancel(); });
    m_cancel->hide();
    left->addLayout(calculations);

    auto* results = new QFormLayout;
    m_max = AddOutput(*results, QStringLiteral("最大照度lx"));
    m_min = AddOutput(*results, QStringLiteral("最小照度lx"));
    m_avg = AddOutput(*results, QStringLiteral("平均照度lx"));
    m_uniformity = AddOutput(*results, QStringLiteral("工作区均匀度"));
    m_u0 = AddOutput(*results, QStringLiteral("照度均匀度U0"));
    m_densities = AddDensityFields(*results, "计算功率密度");
    left->addLayout(results);

    auto* book = new QHBoxLayout;
    book->addStretch();
    AddButton(*book, "写计算书", [this] {
        WriteBook(
            [this](CalcBookWriter& writer) { return WriteGridBook(writer, m_panel.WriteBook()); },
            [this] { return m_panel.Caption(); });
    });
    left->addLayout(book);
    left->addStretch();

    auto* drawing = new QGroupBox(QStringLiteral("绘制设置"), this);
    auto* drawingLayout = new QVBoxLayout(drawing);
    auto* forms = new QHBoxLayout;
    auto* formGroup = new QButtonGroup(drawing);
    for (const auto& [id, text] : {std::pair{0, "点"}, std::pair{1, "线"}, std::pair{2, "面"}}) {
        auto* radio = new QRadioButton(QString::fromUtf8(text), drawing);
        radio->setChecked(id == m_panel.drawForm);
        formGroup->addButton(radio, id);
        forms->addWidget(radio);
    }
    connect(formGroup, &QButtonGroup::idClicked, this, [this](int id) { m_panel.drawForm = id; });
    drawingLayout->addLayout(forms);
    auto* drawingForm = new QFormLayout;
    AddLabelledRow(*drawingForm, QStringLiteral("最大值"),
                   NumberField(&m_panel.drawMax, NumberKind::kNonNegative, "最大值", drawing,
                               [this] { ShowLegend(); }));
    AddLabelledRow(*drawingForm, QStringLiteral("最小值"),
                   NumberField(&m_panel.drawMin, NumberKind::kNonNegative, "最小值", drawing,
                               [this] { ShowLegend(); }));
    m_interval = new StepRuleSpinBox(
        &m_panel.interval, [this](int direction) { m_panel.SpinInterval(direction); }, kMaxDensity,
        drawing);
    connect(m_interval, &QSpinBox::valueChanged, this, [this] { ShowLegend(); });
    AddLabelledRow(*drawingForm, QStringLiteral("间隔"), m_interval);
    drawingLayout->addLayout(drawingForm);
    m_legend = new QTableWidget(0, 3, drawing);
    m_legend->setHorizontalHeaderLabels(
        {QStringLiteral("序号"), QStringLiteral("照度"), QStringLiteral("颜色")});
    m_legend->verticalHeader()->hide();
    m_legend->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_legend->setColumnWidth(0, 40);
    m_legend->setColumnWidth(1, 70);
    m_legend->setColumnWidth(2, 50);
    drawingLayout->addWidget(m_legend);
    auto* draw = new QHBoxLayout;
    draw->addStretch();
    AddButton(*draw, "绘 制", [this] {
        if (const auto refused = m_panel.Draw()) {
            KvMessageSink::Show(*refused);
            return;
        }
        delete m_picture;
        m_picture = new GridResultWindow(m_panel, m_context.chooseFile, this);
        m_picture->show();
    });
    drawingLayout->addLayout(draw);
    layout->addWidget(drawing);
    resize(640, 520);
    Refresh();
}

QLineEdit* GridPanelWindow::NumberField(double* field, NumberKind kind, const char* label,
                                        QWidget* parent, std::function<void()> changed) {
    auto* edit = new QLineEdit(parent);
    connect(edit, &QLineEdit::editingFinished, this, [edit, field, kind, label, changed] {
        const std::string text = FromQt(edit->text());
        if (text == KvStr::FormatDouble(*field)) {
            return; // unchanged: the exact value stays
        }
        double value = 0.0;
        const std::string refusal = NumberRefusal(text, kind, label, &value);
        if (!refusal.empty()) {
            // The old text first: the focus leaving for the message finds nothing to refuse.
            edit->setText(ToQt(KvStr::FormatDouble(*field)));
            ShowRefusal(refusal);
            edit->setFocus();
            edit->selectAll();
            return;
        }
        *field = value;
        if (changed) {
            changed();
        }
    });
    m_refreshNumbers.push_back([edit, field] {
        const QSignalBlocker quiet(edit);
        edit->setText(ToQt(KvStr::FormatDouble(*field)));
    });
    return edit;
}

void GridPanelWindow::Calculate(bool vertical) {
    if (m_run.Running()) {
        return;
    }
    if (const std::optional<KvMessage> missing =
            vertical ? m_panel.MissingVerticalPlane() : std::nullopt) {
        KvMessageSink::Show(*missing);
        return;
    }
    struct Work {
        GridPanel panel;
        Project project;
        bool found = false;
    };
    auto work = std::make_shared<Work>(Work{m_panel, m_context.snapshot()});
    SetBusy(true);
    m_run.Start(
        [work, vertical](const GridCancel& cancel) {
            const Room& room = work->project.room;
            const LuminaireList& luminaires = work->project.luminaires;
            work->found = vertical ? work->panel.CalculateVertical(room, luminaires, &cancel)
                                   : work->panel.CalculateHorizontal(room, luminaires, &cancel);
        },
        [this, work](bool cancelled) {
            SetBusy(false);
            if (!cancelled && work->found) {
                m_panel = std::move(work->panel);
                Refresh();
            }
        });
}

void GridPanelWindow::SetBusy(bool busy) {
    if (busy) {
        for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (child != m_cancel && child->isEnabled()) {
                child->setEnabled(false);
                m_waiting.emplace_back(child);
            }
        }
    } else {
        for (const QPointer<QWidget>& child : m_waiting) {
            if (child) {
                child->setEnabled(true);
            }
        }
        m_waiting.clear();
    }
    m_cancel->setVisible(busy);
}

void GridPanelWindow::Refresh() {
    m_bindings.Refresh();
    for (const auto& refresh : m_refreshNumbers) {
        refresh();
    }
    {
        const QSignalBlocker quietDensity(m_density);
        const QSignalBlocker quietInterval(m_interval);
        m_density->setValue(m_panel.density);
        m_interval->setValue(m_panel.interval);
    }
    m_max->setText(ToQt(m_panel.maxText));
    m_min->setText(ToQt(m_panel.minText));
    m_avg->setText(ToQt(m_panel.avgText));
    m_uniformity->setText(ToQt(m_panel.UniformityText()));
    m_u0->setText(ToQt(m_panel.U0Text()));
    const bool calculated = m_panel.Calculated();
    m_densities.lpd->setText(calculated ? ToQt(KvStr::FormatDouble(m_panel.lpd)) : QString());
    m_densities.second->setText(calculated ? ToQt(KvStr::FormatDouble(m_panel.lpd2)) : QString());
    m_densities.label->setText(ToQt(m_panel.lpd2Label));
    ShowLegend();
}

void GridPanelWindow::ShowLegend() {
    m_panel.RebuildLegend();
    const std::vector<LegendBand>& bands = m_panel.Legend();
    m_legend->setRowCount(static_cast<int>(bands.size()));
    for (int r = 0; r < m_legend->rowCount(); ++r) {
        const LegendBand& band = bands[static_cast<size_t>(r)];
        m_legend->setItem(r, 0, new QTableWidgetItem(QString::number(band.index)));
        m_legend->setItem(r, 1, new QTableWidgetItem(ToQt(band.valueText)));
        auto* colour = new QTableWidgetItem;
        colour->setBackground(QColor(band.colour.red, band.colour.green, band.colour.blue));
        m_legend->setItem(r, 2, colour);
    }
}

} // namespace qv
