#include "ui/SinglePointPanelWindow.h"

#include "report/books/PointBook.h"
#include "ui/PanelGrid.h"

#include <kelvorin/KvMessage.h>

#include <QBoxLayout>

namespace qv {

SinglePointPanelWindow::SinglePointPanelWindow(CalcPanelContext context, QWidget* parent)
    : CalcPanelWindow(std::move(context), "单点照度计算", parent) {
    setObjectName(QStringLiteral("singlePointPanel"));
    auto* layout = new QVBoxLayout(this);
    m_grid = new PanelGrid(SinglePointPanel::kHeaders, SinglePointPanel::kColumnWidths, this);
    std::set<int> editable;
    for (int c = SinglePointPanel::kFirstPointColumn; c < SinglePointPanel::kHorizontal; ++c) {
        editable.insert(c);
    }
    m_grid->SetEditableColumns(editable);
    connect(m_grid, &PanelGrid::CellEdited, this,
            [this](int row, int column, const std::string& text) {
                m_panel.Points().EditCell(row, column - SinglePointPanel::kFirstPointColumn, text);
            });
    connect(m_grid, &QTableWidget::itemSelectionChanged, this,
            [this] { m_panel.Points().Select(m_grid->SelectedRows()); });
    layout->addWidget(m_grid);

    CalcPointGrid& points = m_panel.Points();
    auto* editing = new QHBoxLayout;
    AddButton(*editing, "新  增", [this, &points] { Act([&points] { points.Add(); }); });
    AddButton(*editing, "修  改", [this, &points] {
        Act([&points] {
            if (const auto refused = points.Modify()) {
                KvMessageSink::Show(*refused);
            }
        });
    });
    AddButton(*editing, "删  除", [this, &points] {
        Act([&points] {
            if (const auto refused = points.Remove()) {
                KvMessageSink::Show(*refused);
            }
        });
    });
    AddButton(*editing, "清  空", [this, &points] { Act([&points] { points.Clear(); }); });
    AddButton(*editing, "上  移", [this, &points] { Act([&points] { points.MoveUp(); }); });
    AddButton(*editing, "下  移", [this, &points] { Act([&points] { points.MoveDown(); }); });
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
        WriteBook([this](CalcBookWriter& writer) { return WritePointBook(writer, m_panel); },
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
