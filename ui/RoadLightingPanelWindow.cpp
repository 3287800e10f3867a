#include "ui/RoadLightingPanelWindow.h"

#include "report/books/RoadBook.h"
#include "ui/ColumnFit.h"
#include "ui/OutdoorEntryGrid.h"
#include "ui/QtText.h"

#include <QBoxLayout>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

namespace qv {

RoadLightingPanelWindow::RoadLightingPanelWindow(CalcPanelContext context, QWidget* parent)
    : CalcPanelWindow(std::move(context), "道路照明计算", parent) {
    setObjectName(QStringLiteral("roadLightingPanel"));
    m_panel.SetStandards(m_context.catalogue);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_illuminance = AddOutput(*form, QStringLiteral("实际照度lx"));
    m_message = AddOutput(*form, QStringLiteral("提示"));
    layout->addLayout(form);

    using Panel = RoadLightingPanel;
    m_grid = NewEntryGrid({Panel::kHeaders.begin(), Panel::kHeaders.end()},
                          {Panel::kColumnWidths.begin(), Panel::kColumnWidths.end()},
                          Panel::kHeaderHeight,
                          {{Panel::kArrangement, Panel::kSpacing, Panel::kPoleHeight,
                            Panel::kElevation, Panel::kUtilization},
                           {{Panel::kArrangement, Panel::ArrangementChoices()}}},
                          this);
    // An edited value is kept with its road light in the project: one undoable edit.
    connect(m_grid, &PanelGrid::CellEdited, this,
            [this](int row, int column, const std::string& text) {
                Project project = m_context.snapshot();
                if (m_panel.EditCell(row, column, text, project) && m_context.replaceLuminaires) {
                    m_context.replaceLuminaires(project.luminaires);
                }
                Refresh();
            });
    layout->addWidget(m_grid);

    auto* buttons = new QHBoxLayout;
    AddButton(*buttons, "计  算", [this] {
        m_panel.Calculate(m_context.snapshot());
        Refresh();
    })->setDefault(true);
    AddBookButton(*buttons, m_panel, [this](CalcBookWriter& writer) {
        return WriteRoadBook(writer, m_panel.BookRecord());
    });
    layout->addLayout(buttons);
    resize(640, 380);
    m_panel.Open(m_context.snapshot());
    Refresh();
}

void RoadLightingPanelWindow::Refresh() {
    m_illuminance->setText(ToQt(m_panel.IlluminanceText()));
    m_message->setText(ToQt(m_panel.Message()));
    ShowEntries(*m_grid, m_panel);
    WidenColumnsToContents(*m_grid); // names and models read whole
}

} // namespace qv
