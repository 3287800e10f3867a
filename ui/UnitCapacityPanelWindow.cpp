#include "ui/UnitCapacityPanelWindow.h"

#include "report/books/UnitCapacityBook.h"
#include "ui/FieldBindings.h"
#include "ui/PanelGrid.h"
#include "ui/QtText.h"

#include <kelvorin/KvMessage.h>

#include <QBoxLayout>
#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>

namespace qv {

UnitCapacityPanelWindow::UnitCapacityPanelWindow(CalcPanelContext context, QWidget* parent)
    : CalcPanelWindow(std::move(context), "单位容量计算", parent), m_panel(*m_context.catalogue) {
    setObjectName(QStringLiteral("unitCapacityPanel"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_illuminance = AddOutput(*form, QStringLiteral("实际照度lx"));
    m_message = AddOutput(*form, QStringLiteral("提示"));
    m_densities = AddDensityFields(*form);
    m_efficiency = new QComboBox(this);
    m_efficiency->setEditable(true); // η is the number typed or picked
    for (const char* item : UnitCapacityPanel::kEfficiencies) {
        m_efficiency->addItem(QString::fromUtf8(item));
    }
    m_efficiency->setCurrentIndex(0);
    AddLabelledRow(*form, QStringLiteral("灯具效率%"), m_efficiency);
    layout->addLayout(form);

    m_grid = new PanelGrid(UnitCapacityPanel::kHeaders, UnitCapacityPanel::kColumnWidths, this);
    m_grid->SetEditableColumns({UnitCapacityPanel::kClass, UnitCapacityPanel::kKind,
                                UnitCapacityPanel::kUnitCapacity, UnitCapacityPanel::kCount,
                                UnitCapacityPanel::kNeeded});
    for (const int column : {UnitCapacityPanel::kClass, UnitCapacityPanel::kKind}) {
        m_grid->SetChoices(column, [this, column] { return m_panel.ChoicesOf(column); });
    }
    BindCells(*m_grid, m_panel);
    layout->addWidget(m_grid);

    auto* buttons = new QHBoxLayout;
    AddButton(*buttons, "计  算", [this] { Calculate(); });
    AddBookButton(*buttons, m_panel, [this](CalcBookWriter& writer) {
        return WriteUnitCapacityBook(writer, m_panel.BookRecord());
    });
    AddCountAdjustment(*buttons, m_panel);
    layout->addLayout(buttons);
    resize(640, 420);
    Calculate();
}

void UnitCapacityPanelWindow::Calculate() {
    if (!m_panel.SetEfficiencyText(FromQt(m_efficiency->currentText()))) {
        m_efficiency->setCurrentText(ToQt(m_panel.EfficiencyText()));
        m_efficiency->setFocus();
        return;
    }
    const Project project = m_context.snapshot();
    m_panel.Calculate(project.room, project.luminaires);
    Refresh();
}

void UnitCapacityPanelWindow::Refresh() {
    m_illuminance->setText(ToQt(m_panel.IlluminanceText()));
    m_message->setText(ToQt(m_panel.Message()));
    ShowDensities(m_densities, m_panel.Densities());
    m_grid->Fill(m_panel.RowCount(),
                 [this](int row, int column) { return m_panel.CellText(row, column); });
}

} // namespace qv
