#include "ui/AreaSourcePanelWindows.h"

#include "panels/NumberCheck.h"
#include "report/books/AreaSourceBook.h"
#include "ui/FieldBindings.h"
#include "ui/QtText.h"

#include <kelvorin/KvMessage.h>
#include <kelvorin/KvStr.h>

#include <QBoxLayout>
#include <QCloseEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <charconv>
#include <string>
#include <utility>

namespace qv {

namespace {

// An edit control with its unit after it, as one labelled row of the form; the row is
// named by the label.
QLineEdit* AddUnitRow(QFormLayout& form, const char* label, const char* unit) {
    auto* row = new QWidget(form.parentWidget());
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* edit = new QLineEdit(row);
    edit->setMinimumWidth(150);
    layout->addWidget(edit);
    auto* unitLabel = new QLabel(QString::fromUtf8(unit), row);
    unitLabel->setMinimumWidth(40);
    layout->addWidget(unitLabel);
    AddLabelledRow(form, QString::fromUtf8(label), row);
    return edit;
}

QFormLayout* AddGroup(QBoxLayout& layout, const char* title, QWidget* parent) {
    auto* group = new QGroupBox(QString::fromUtf8(title), parent);
    auto* form = new QFormLayout(group);
    layout.addWidget(group);
    return form;
}

// The field is ready to be typed over.
void Focus(QLineEdit& edit) {
    edit.setFocus();
    edit.selectAll();
}

KvMessage NotANumberMessage(const char* label) {
    return {std::string(label) + "应为数值,请重新输入!", "Varsolin", KvMessageIcon::Error,
            KvMessageButtons::Ok};
}

// The source's rectangle and P, in the order of the rectangular panels.
std::vector<AreaSourceWindow::Input> RectSourceInputs(RectSource& source, const char* centreX,
                                                      const char* centreY);
std::vector<AreaSourceWindow::Input> PointInputs(AreaPoint& point);

} // namespace

// ------------------------------------------------------------------------------------------
// The shared window.

AreaSourceWindow::AreaSourceWindow(CalcPanelContext context, QWidget* parent)
    : CalcPanelWindow(std::move(context), "", parent) {
    m_layout = new QVBoxLayout(this);
    m_inputGroups = new QHBoxLayout;
    m_layout->addLayout(m_inputGroups);
    m_buttons = new QHBoxLayout;
}

QString AreaSourceWindow::NumberText(double value) {
    char buffer[64];
    const std::to_chars_result result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, static_cast<qsizetype>(result.ptr - buffer));
}

std::optional<double> AreaSourceWindow::ReadNumber(const QString& text) {
    return qv::ReadNumber(FromQt(text), NumberKind::kNumber);
}

void AreaSourceWindow::AddInputs(const char* title, const std::vector<Input>& inputs) {
    QFormLayout* form = AddGroup(*m_inputGroups, title, this);
    for (const Input& input : inputs) {
        m_inputs.push_back({input, AddUnitRow(*form, input.label, input.unit)});
    }
}

void AreaSourceWindow::AddOutputs(const char* title, const std::vector<Output>& outputs) {
    QFormLayout* form = AddGroup(*m_layout, title, this);
    for (const Output& output : outputs) {
        QLineEdit* edit = AddUnitRow(*form, output.label, "lx");
        edit->setReadOnly(true);
        m_outputs.emplace_back(edit, output.value);
        m_calculated.push_back(false);
    }
}

QPushButton* AreaSourceWindow::AddCalculation(const char* text, Calculation calculate) {
    const size_t output = m_calculations++;
    return AddButton(*m_buttons, text, [this, output, calculate = std::move(calculate)] {
        if (const BoundInput* bad = FirstNonNumber()) {
            KvMessageSink::Show(NotANumberMessage(bad->input.label));
            Focus(*bad->edit);
            return;
        }
        TakeNumbers();
        if (const auto refusal = calculate()) {
            KvMessageSink::Show(refusal->message);
            for (const BoundInput& bound : m_inputs) {
                if (bound.input.field == refusal->focus) {
                    Focus(*bound.edit);
                }
            }
            return;
        }
        if (output < m_calculated.size()) {
            m_calculated[output] = true;
        }
        ShowResults();
    });
}

void AreaSourceWindow::AddBookButton(std::function<const AreaSourceRecord&()> record,
                                     std::function<std::string()> caption) {
    AddButton(*m_buttons, "写计算书", [this, record = std::move(record), caption] {
        if (record().calculation == AreaSourceCalculation::None) {
            KvMessageSink::Show(NothingCalculatedMessage());
            return;
        }
        WriteBook(
            [&record](CalcBookWriter& writer) { return WriteAreaSourceBook(writer, record()); },
            caption);
    });
}

void AreaSourceWindow::Finish() {
    m_layout->addLayout(m_buttons);
    ShowFields();
    ShowResults();
    adjustSize();
}

void AreaSourceWindow::ShowFields() {
    for (const BoundInput& bound : m_inputs) {
        bound.edit->setText(NumberText(*bound.input.value));
    }
}

// An illuminance with 2 decimals, the exact value in the tooltip (as the book states it).
void AreaSourceWindow::ShowResults() {
    for (size_t i = 0; i < m_outputs.size(); ++i) {
        const auto& [edit, value] = m_outputs[i];
        const double lx = value();
        edit->setText(m_calculated[i] ? ToQt(KvStr::Format("%.2f", lx)) : QString());
        edit->setToolTip(m_calculated[i] ? NumberText(lx) : QString());
        edit->setCursorPosition(0);
    }
}

const AreaSourceWindow::BoundInput* AreaSourceWindow::FirstNonNumber() const {
    for (const BoundInput& bound : m_inputs) {
        if (!ReadNumber(bound.edit->text())) {
            return &bound;
        }
    }
    return nullptr;
}

void AreaSourceWindow::TakeNumbers() {
    for (const BoundInput& bound : m_inputs) {
        if (const auto number = ReadNumber(bound.edit->text())) {
            *bound.input.value = *number;
        }
    }
}

void AreaSourceWindow::SaveFieldsOnce(const std::function<void()>& save) {
    if (m_saved) {
        return;
    }
    m_saved = true;
    TakeNumbers();
    save();
}

void AreaSourceWindow::done(int result) {
    SaveFields();
    CalcPanelWindow::done(result);
}

void AreaSourceWindow::closeEvent(QCloseEvent* event) {
    SaveFields();
    CalcPanelWindow::closeEvent(event);
}

void AreaSourceWindow::showEvent(QShowEvent* event) {
    m_saved = false; // open again: the next way out saves again
    CalcPanelWindow::showEvent(event);
}

// ------------------------------------------------------------------------------------------
// The window over one model.

template <typename Panel>
AreaSourceWindowOf<Panel>::AreaSourceWindowOf(CalcPanelContext context, QWidget* parent)
    : AreaSourceWindow(std::move(context), parent), m_panel(m_context.settings) {
    ShowCaption(m_panel.Caption());
}

template <typename Panel> void AreaSourceWindowOf<Panel>::AddBookAndFinish() {
    AddBookButton([this]() -> const AreaSourceRecord& { return m_panel.Record(); },
                  [this] {
                      m_panel.BookWritten();
                      return m_panel.Caption();
                  });
    Finish();
}

template class AreaSourceWindowOf<RectAreaSourcePanel>;
template class AreaSourceWindowOf<CircleAreaSourcePanel>;
template class AreaSourceWindowOf<NonUniformAreaSourcePanel>;

namespace {

std::vector<AreaSourceWindow::Input> RectSourceInputs(RectSource& source, const char* centreX,
                                                      const char* centreY) {
    return {{AreaSourceField::Length, "面光源的长", "m", &source.length},
            {AreaSourceField::Width, "面光源的宽", "m", &source.width},
            {AreaSourceField::Luminance, "面光源亮度", "cd/m2", &source.luminance},
            {AreaSourceField::CentreX, centreX, "", &source.centreX},
            {AreaSourceField::CentreY, centreY, "", &source.centreY},
            {AreaSourceField::Height, "面光源的高度", "m", &source.height}};
}

std::vector<AreaSourceWindow::Input> PointInputs(AreaPoint& point) {
    return {{AreaSourceField::PointX, "计算点p的坐标X", "", &point.x},
            {AreaSourceField::PointY, "计算点p的坐标Y", "", &point.y},
            {AreaSourceField::PointZ, "计算点p的坐标Z", "", &point.z}};
}

} // namespace

// ------------------------------------------------------------------------------------------
// The three panels.

RectAreaSourceWindow::RectAreaSourceWindow(CalcPanelContext context, QWidget* parent)
    : AreaSourceWindowOf(std::move(context), parent) {
    setObjectName(QStringLiteral("rectAreaSourcePanel"));
    RectAreaSourceInputs& in = m_panel.Fields();
    AddInputs("面光源参数", RectSourceInputs(in.source, "面光源中心位置X", "面光源中心位置Y"));
    std::vector<Input> point = PointInputs(in.point);
    point.push_back({AreaSourceField::Angle, "光源与被照面夹角", "°", &in.angle});
    AddInputs("关于被照点的参数", point);
    AddOutputs("计算结果", {{"水平照度", [this] { return m_panel.Horizontal(); }},
                            {"垂直照度", [this] { return m_panel.Vertical(); }},
                            {"倾斜照度", [this] { return m_panel.Inclined(); }}});
    AddCalculation("水平照度计算", [this] {
        return m_panel.CalculateHorizontal();
    })->setDefault(true);
    AddCalculation("垂直照度计算", [this] { return m_panel.CalculateVertical(); });
    AddCalculation("倾斜照度计算", [this] { return m_panel.CalculateInclined(); });
    AddBookAndFinish();
}

CircleAreaSourceWindow::CircleAreaSourceWindow(CalcPanelContext context, QWidget* parent)
    : AreaSourceWindowOf(std::move(context), parent) {
    setObjectName(QStringLiteral("circleAreaSourcePanel"));
    DiscSource& source = m_panel.Fields().source;
    AddInputs("圆形面光源的参数",
              {{AreaSourceField::Radius, "面光源的半径", "m", &source.radius},
               {AreaSourceField::Luminance, "面光源的亮度", "cd/m2", &source.luminance},
               {AreaSourceField::Height, "面光源的高度", "m", &source.height},
               {AreaSourceField::CentreX, "面光源中心位置X", "", &source.centreX},
               {AreaSourceField::CentreY, "面光源中心位置Y", "", &source.centreY}});
    AddInputs("被照点参数", PointInputs(m_panel.Fields().point));
    AddOutputs(" 计算结果", {{"水平照度", [this] { return m_panel.Horizontal(); }},
                             {"垂直照度", [this] { return m_panel.Vertical(); }}});
    AddCalculation("水平照度计算", [this] {
        return m_panel.CalculateHorizontal();
    })->setDefault(true);
    AddCalculation("垂直照度计算", [this] { return m_panel.CalculateVertical(); });
    AddBookAndFinish();
}

NonUniformAreaSourceWindow::NonUniformAreaSourceWindow(CalcPanelContext context, QWidget* parent)
    : AreaSourceWindowOf(std::move(context), parent) {
    setObjectName(QStringLiteral("nonUniformAreaSourcePanel"));
    NonUniformAreaSourceInputs& in = m_panel.Fields();
    AddInputs("面光源的参数",
              RectSourceInputs(in.source, "面光源的中心位置x", "面光源的中心位置y"));
    AddInputs("被照点p的参数", PointInputs(in.point));
    AddOutputs("计算结果", {{"水平照度", [this] { return m_panel.Horizontal(); }}});
    AddCalculation("水平照度计算", [this] {
        return m_panel.CalculateHorizontal();
    })->setDefault(true);
    AddBookAndFinish();
}

} // namespace qv
