#include "ui/FloodCapacityPanelWindow.h"

#include "panels/NumberCheck.h"
#include "report/books/FloodCapacityBook.h"
#include "ui/ColumnFit.h"
#include "ui/FieldBindings.h"
#include "ui/OutdoorEntryGrid.h"
#include "ui/QtText.h"

#include <kelvorin/KvMessage.h>
#include <kelvorin/KvStr.h>

#include <QBoxLayout>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>

namespace qv {

namespace {

constexpr const char* kMinimumLabel = "平面上最低照度lx";

} // namespace

FloodCapacityPanelWindow::FloodCapacityPanelWindow(CalcPanelContext context, QWidget* parent)
    : CalcPanelWindow(std::move(context), "投光灯单位面积容量计算", parent) {
    setObjectName(QStringLiteral("floodCapacityPanel"));
    m_panel.SetStandards(m_context.catalogue);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_minimum = new QLineEdit(ToQt(KvStr::FormatDouble(m_panel.MinimumIlluminance())), this);
    AddLabelledRow(*form, QString::fromUtf8(kMinimumLabel), m_minimum);
    m_illuminance = AddOutput(*form, QStringLiteral("实际照度lx"));
    m_densities = AddDensityFields(*form);
    m_message = AddOutput(*form, QStringLiteral("提示"));
    layout->addLayout(form);

    using Panel = FloodCapacityPanel;
    m_grid = NewEntryGrid<Panel>(
        {{Panel::kShare, Panel::kEfficiency, Panel::kUniformity, Panel::kLampType, Panel::kCount},
         {{Panel::kShare, Panel::ChoicesOf(Panel::kShare)},
          {Panel::kLampType, Panel::ChoicesOf(Panel::kLampType)}}},
        m_panel, m_context.snapshot, [this] { Refresh(); }, this);
    layout->addWidget(m_grid);

    auto* buttons = new QHBoxLayout;
    AddButton(*buttons, "计  算", [this] { Calculate(); })->setDefault(true);
    AddBookButton(*buttons, m_panel, [this](CalcBookWriter& writer) {
        return WriteFloodCapacityBook(writer, m_panel.BookRecord());
    });
    AddButton(*buttons, "确定调整场内灯具数量", [this] { ApplyCounts(); });
    layout->addLayout(buttons);
    resize(680, 420);
    m_panel.Open(m_context.snapshot());
    Refresh();
}

void FloodCapacityPanelWindow::Calculate() {
    const std::optional<double> minimum =
        CheckNumber(FromQt(m_minimum->text()), NumberKind::kNonNegative, kMinimumLabel);
    if (!minimum) {
        m_minimum->setText(ToQt(KvStr::FormatDouble(m_panel.MinimumIlluminance())));
        m_minimum->setFocus();
        m_minimum->selectAll();
        return;
    }
    m_panel.SetMinimumIlluminance(*minimum);
    m_panel.Calculate(m_context.snapshot());
    Refresh();
}

void FloodCapacityPanelWindow::ApplyCounts() {
    Project project = m_context.snapshot();
    if (!m_panel.ApplyCounts(project)) {
        KvMessageSink::Show(TooManyLuminairesMessage(FloodCapacityPanel::kMaxAppliedLuminaires));
        return;
    }
    m_context.replaceProject(project);
}

void FloodCapacityPanelWindow::Refresh() {
    m_illuminance->setText(ToQt(m_panel.IlluminanceText()));
    m_message->setText(ToQt(m_panel.Message()));
    ShowDensities(m_densities, m_panel.Densities());
    ShowEntries(*m_grid, m_panel);
    WidenColumnsToContents(*m_grid); // names and models read whole
}

} // namespace qv
