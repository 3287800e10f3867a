#include "ui/SinglePointPanelWindow.h"

#include "report/books/PointBook.h"
#include "ui/PanelGrid.h"
#include "ui/PointRowControls.h"

#include <kelvorin/KvMessage.h>

#include <QBoxLayout>

namespace qv {

SinglePointPanelWindow::SinglePointPanelWindow(CalcPanelContext context, QWidget* parent)
    : CalcPanelWindow(std::move(context), "单点照度计算", parent) {
    setObjectName(QStringLiteral("singlePointPanel"));
    auto* layout = new QVBoxLayout(this);
    m_grid = new PanelGrid(SinglePointPanel::kHeaders, SinglePointPanel::kColumnWidths, this);
    BindPointGrid(*m_grid, m_panel.Points(), SinglePointPanel::kFirstPointColumn);
    layout->addWidget(m_grid);

    auto* editing = new QHBoxLayout;
    AddRowButtons(
        [this, editing](const char* text, std::function<void()> action) {
            AddButton(*editing, text, std::move(action));
        },
        RowActionsOf(m_panel.Points()), [this] { Act([] {}); });
    layout->addLayout(editing);

    auto* actions = new QHBoxLayout;
    actions->addStretch();
    AddButton(*actions, "计  算", [this] {
        Act([this] {
            const Project project = m_context.snapshot();
            m_panel.Calculate(project.room, project.luminaires);
        });
    });
    AddButton(*actions, "写计算书", [this] {
        if (!m_panel.Calculated()) {
            KvMessageSink::Show(NothingCalculatedMessage());
            return;
        }
        WriteBook(
            [this](CalcBookWriter& writer) { return WritePointBook(writer, m_panel.BookRecord()); },
            [this] {
                m_panel.BookWritten();
                return m_panel.Caption();
            });
    });
    layout->addLayout(actions);
    resize(720, 360);
    Refresh();
}

void SinglePointPanelWindow::Act(const std::function<void()>& action) {
    action();
    Refresh();
    if (m_context.planChanged) {
        m_context.planChanged();
    }
}

void SinglePointPanelWindow::Refresh() {
    m_grid->Fill(m_panel.Points().RowCount(),
                 [this](int row, int column) { return m_panel.CellText(row, column); });
    m_grid->SelectRows(m_panel.Points().Selection());
}

} // namespace qv
