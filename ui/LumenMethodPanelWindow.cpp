#include "ui/LumenMethodPanelWindow.h"

#include "report/books/LumenMethodBook.h"
#include "ui/DensityFields.h"
#include "ui/PanelGrid.h"
#include "ui/QtText.h"

#include <kelvorin/KvMessage.h>

#include <QBoxLayout>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace qv {

LumenMethodPanelWindow::LumenMethodPanelWindow(CalcPanelContext context, QWidget* parent)
    : CalcPanelWindow(std::move(context), "利用系数法照度计算", parent) {
    setObjectName(QStringLiteral("lumenMethodPanel"));
    m_panel.SetStandards(m_context.catalogue);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_illuminance = AddOutput(*form, QStringLiteral("实际照度lx"));
    m_message = AddOutput(*form, QStringLiteral("提示"));
    const DensityFields densities = AddDensityFields(*form);
    m_lpd = densities.lpd;
    m_second = densities.second;
    m_secondLabel = densities.label;
    layout->addLayout(form);

    m_grid = new PanelGrid(LumenMethodPanel::kHeaders, LumenMethodPanel::kColumnWidths, this);
    m_grid->SetEditableColumns({LumenMethodPanel::kCount, LumenMethodPanel::kNeeded});
    BindCells(*m_grid, m_panel);
    layout->addWidget(m_grid);

    auto* buttons = new QHBoxLayout;
    AddButton(*buttons, "计  算", [this] { Calculate(); });
    AddBookButton(*buttons, m_panel, [this](CalcBookWriter& writer) {
        return WriteLumenMethodBook(writer, m_panel.BookRecord(m_context.snapshot().room));
    });
    AddCountAdjustment(*buttons, m_panel);
    layout->addLayout(buttons);
    resize(460, 400);
    Calculate();
}

void LumenMethodPanelWindow::Calculate() {
    const Project project = m_context.snapshot();
    m_panel.Calculate(project.room, project.luminaires);
    Refresh();
}

void LumenMethodPanelWindow::Refresh() {
    m_illuminance->setText(ToQt(m_panel.IlluminanceText()));
    m_message->setText(ToQt(m_panel.Message()));
    ShowDensities({m_lpd, m_second, m_secondLabel}, m_panel.Densities());
    m_grid->Fill(m_panel.RowCount(),
                 [this](int row, int column) { return m_panel.CellText(row, column); });
}

} // namespace qv
