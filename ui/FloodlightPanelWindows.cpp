#include "ui/FloodlightPanelWindows.h"

#include "report/books/FloodPointBook.h"
#include "ui/ColumnFit.h"
#include "ui/PanelGrid.h"
#include "ui/PointRowControls.h"

#include <kelvorin/KvStr.h>

#include <QBoxLayout>
#include <QHeaderView>
#include <QLabel>

namespace qv {
namespace {

// The first selected row of a grid, -1 for none.
int FirstSelectedRow(const PanelGrid& grid) {
    const std::vector<int> rows = grid.SelectedRows();
    return rows.empty() ? -1 : rows.front();
}

std::vector<int> ColumnWidths(const PanelGrid& grid) {
    std::vector<int> widths;
    for (int c = 0; c < grid.columnCount(); ++c) {
        widths.push_back(grid.columnWidth(c));
    }
    return widths;
}

template <size_t N>
PanelGrid* NewGrid(const std::array<const char*, N>& headers, const std::vector<int>& widths,
                   QWidget* parent) {
    return new PanelGrid(std::vector<const char*>(headers.begin(), headers.end()), widths, parent);
}

} // namespace

// ---- result window ----

FloodlightResultWindow::FloodlightResultWindow(CalcPanelContext context,
                                               std::function<std::vector<Vector>()> aimingPoints,
                                               QWidget* parent)
    : CalcPanelWindow(std::move(context), std::string(), parent),
      m_aimingPoints(std::move(aimingPoints)) {
    setObjectName(QStringLiteral("floodlightResultPanel"));
    setAttribute(Qt::WA_DeleteOnClose); // it lives while it is shown
    ShowCaption(m_panel.Caption());
    auto* layout = new QVBoxLayout(this);
    const auto& widths = FloodlightResultPanel::kColumnWidths;
    m_grid = NewGrid(FloodlightResultPanel::kHeaders,
                     std::vector<int>(widths.begin(), widths.end()), this);
    FitHeaderHeight(*m_grid->horizontalHeader(), FloodlightResultPanel::kHeaderHeight);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->SetEditableColumns({FloodlightResultPanel::kIntensity});
    BindCells(*m_grid, m_panel);
    connect(m_grid, &QTableWidget::itemSelectionChanged, this,
            [this] { m_panel.Select(FirstSelectedRow(*m_grid)); });
    layout->addWidget(m_grid);

    auto* buttons = new QHBoxLayout;
    AddRowButtons(
        [this, buttons](const char* text, std::function<void()> action) {
            AddButton(*buttons, text, std::move(action));
        },
        RowActionsOf(m_panel), [this] { Refresh(); });
    buttons->addStretch();
    AddButton(*buttons, "计  算", [this] { Recalculate(); });
    AddBookButton(*buttons, m_panel, [this](CalcBookWriter& writer) {
        return WriteFloodPointBook(writer, m_panel.Record());
    });
    layout->addLayout(buttons);
    resize(700, 420);
}

void FloodlightResultWindow::Refresh() {
    m_grid->Fill(m_panel.RowCount(),
                 [this](int row, int column) { return m_panel.CellText(row, column); });
    WidenColumnsToContents(*m_grid);
    const int selected = m_panel.Selection();
    m_grid->SelectRows(selected >= 0 ? std::vector<int>{selected} : std::vector<int>{});
}

void FloodlightResultWindow::Recalculate() {
    const Project project = m_context.snapshot();
    for (const KvMessage& warning :
         m_panel.Calculate(project.room.outline, project.luminaires, m_aimingPoints())) {
        KvMessageSink::Show(warning);
    }
    Refresh();
}

// ---- point window ----

FloodlightPointPanelWindow::FloodlightPointPanelWindow(CalcPanelContext context, QWidget* parent)
    : CalcPanelWindow(std::move(context), "投光灯点照度计算", parent) {
    setObjectName(QStringLiteral("floodlightPointPanel"));
    m_panel.LoadColumnWidths(m_context.settings);
    auto* layout = new QVBoxLayout(this);
    auto* sides = new QHBoxLayout;
    auto* pointSide = new QVBoxLayout;
    auto* aimingSide = new QVBoxLayout;
    BuildPointSide(*pointSide);
    BuildAimingSide(*aimingSide);
    sides->addLayout(pointSide, 3);
    sides->addLayout(aimingSide, 2);
    layout->addLayout(sides);

    auto* actions = new QHBoxLayout;
    actions->addStretch();
    AddButton(*actions, "计  算", [this] { Calculate(); });
    layout->addLayout(actions);
    resize(820, 420);

    // The aiming grid starts with the floodlights of the project.
    m_panel.RefreshAiming(m_context.snapshot().luminaires);
    RefreshPoints();
    RefreshAiming();
}

FloodlightPointPanelWindow::~FloodlightPointPanelWindow() {
    SaveColumnWidths(); // a window destroyed while open (kind switch, program end)
}

void FloodlightPointPanelWindow::BuildPointSide(QBoxLayout& side) {
    side.addWidget(new QLabel(QStringLiteral("计算点"), this));
    m_pointGrid = NewGrid(FloodlightPointPanel::kPointHeaders, m_panel.PointColumnWidths(), this);
    m_pointGrid->setObjectName(QStringLiteral("pointGrid"));
    BindPointGrid(*m_pointGrid, m_panel.Points(), 1);
    // An edited cell: every point is read back from the grid and shown again.
    connect(m_pointGrid, &PanelGrid::CellEdited, this, [this] {
        m_panel.Points().ReadBack();
        RefreshPoints();
    });
    side.addWidget(m_pointGrid);

    auto* buttons = new QHBoxLayout;
    AddRowButtons(
        [this, buttons](const char* text, std::function<void()> action) {
            AddButton(*buttons, text, std::move(action));
        },
        RowActionsOf(m_panel.Points()), [this] { RefreshPoints(); });
    side.addLayout(buttons);
}

void FloodlightPointPanelWindow::BuildAimingSide(QBoxLayout& side) {
    side.addWidget(new QLabel(QStringLiteral("瞄准点"), this));
    m_aimingGrid =
        NewGrid(FloodlightPointPanel::kAimingHeaders, m_panel.AimingColumnWidths(), this);
    m_aimingGrid->setObjectName(QStringLiteral("aimingGrid"));
    m_aimingGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_aimingGrid->SetEditableColumns({1, 2, 3});
    connect(m_aimingGrid, &PanelGrid::CellEdited, this,
            [this](int row, int column, const std::string& text) {
                const auto refused = m_panel.EditAimingCell(row, column, text);
                if (refused) {
                    KvMessageSink::Show(*refused);
                }
                RefreshAiming(); // a refused cell shows "0.0"
                KeepAimingPoints();
            });
    connect(m_aimingGrid, &QTableWidget::itemSelectionChanged, this,
            [this] { m_panel.SelectAimingRow(FirstSelectedRow(*m_aimingGrid)); });
    side.addWidget(m_aimingGrid);

    auto* buttons = new QHBoxLayout;
    AddButton(*buttons, "刷新信息", [this] {
        m_panel.RefreshAiming(m_context.snapshot().luminaires);
        RefreshAiming();
        m_aimingGrid->SelectRows({}); // the rows are new: nothing is selected
    });
    AddButton(*buttons, "同  上", [this] {
        m_panel.SameAsAbove();
        RefreshAiming();
        KeepAimingPoints();
    });
    AddButton(*buttons, "全部相同", [this] {
        m_panel.AllSame();
        RefreshAiming();
        KeepAimingPoints();
    });
    side.addLayout(buttons);
}

void FloodlightPointPanelWindow::RefreshPoints() {
    const CalcPointGrid& points = m_panel.Points();
    m_pointGrid->Fill(points.RowCount(), [&points](int row, int column) {
        return column == 0 ? KvStr::Format("%d", row + 1) : points.Cell(row, column - 1);
    });
    WidenColumnsToContents(*m_pointGrid); // also over narrower widths from the settings
    m_pointGrid->SelectRows(points.Selection());
}

void FloodlightPointPanelWindow::RefreshAiming() {
    m_aimingGrid->Fill(m_panel.AimingRowCount(),
                       [this](int row, int column) { return m_panel.AimingCell(row, column); });
    WidenColumnsToContents(*m_aimingGrid);
}

void FloodlightPointPanelWindow::KeepAimingPoints() {
    LuminaireList floodlights = m_context.snapshot().luminaires;
    if (m_panel.KeepAimingPoints(floodlights) && m_context.replaceLuminaires) {
        m_context.replaceLuminaires(floodlights);
    }
}

void FloodlightPointPanelWindow::Calculate() {
    const Project project = m_context.snapshot();
    // A fresh result window for every calculation, over this window until it is closed.
    delete m_result.data();
    m_result = new FloodlightResultWindow(
        m_context, [this] { return m_panel.AimingPoints(); }, this);
    for (const KvMessage& warning :
         m_panel.Calculate(project.room.outline, project.luminaires, m_result->Model())) {
        KvMessageSink::Show(warning);
    }
    RefreshPoints();
    m_result->Refresh();
    m_result->open(); // window-modal, without a nested event loop
}

void FloodlightPointPanelWindow::SaveColumnWidths() {
    m_panel.SetPointColumnWidths(ColumnWidths(*m_pointGrid));
    m_panel.SetAimingColumnWidths(ColumnWidths(*m_aimingGrid));
    m_panel.SaveColumnWidths(m_context.settings);
}

void FloodlightPointPanelWindow::done(int result) {
    SaveColumnWidths();
    CalcPanelWindow::done(result);
}

} // namespace qv
