#include "ui/ScalarPanelWindow.h"

#include "report/books/ScalarBook.h"
#include "ui/PanelGrid.h"
#include "ui/QtText.h"

#include <kelvorin/KvMessage.h>

#include <QBoxLayout>
#include <QFormLayout>
#include <QLineEdit>

namespace qv {

ScalarPanelWindow::ScalarPanelWindow(int kind, CalcPanelContext context, QWidget* parent)
    : CalcPanelWindow(std::move(context), ScalarIlluminancePanel(kind).Caption(), parent),
      m_panel(kind) {
    setObjectName(kind == kCylindrical ? QStringLiteral("cylindricalPanel")
                                       : QStringLiteral("sphericalPanel"));
    auto* layout = new QVBoxLayout(this);
    m_header = new QLineEdit(this);
    m_header->setReadOnly(true);
    m_header->setObjectName(QStringLiteral("header"));
    layout->addWidget(m_header);

    m_grid = new PanelGrid(ScalarIlluminancePanel::kHeaders, ScalarIlluminancePanel::kColumnWidths,
                           this);
    m_grid->SetEditableColumns({ScalarIlluminancePanel::kKs});
    BindCells(*m_grid, m_panel);
    layout->addWidget(m_grid);

    auto* form = new QFormLayout;
    m_horizontal = AddOutput(*form, QStringLiteral("实际照度lx"));
    m_result = AddOutput(*form, QStringLiteral("标量照度lx"));
    layout->addLayout(form);

    auto* buttons = new QHBoxLayout;
    AddButton(*buttons, "计  算", [this] {
        const Project project = m_context.snapshot();
        const std::optional<KvMessage> refused =
            m_panel.Calculate(project.room, project.luminaires);
        Refresh();
        if (refused) {
            KvMessageSink::Show(*refused);
        }
    });
    AddButton(*buttons, "写计算书", [this] {
        WriteBook(
            [this](CalcBookWriter& writer) {
                return WriteScalarBook(writer, m_panel.BookRecord());
            },
            [this] { return m_panel.Caption(); });
    });
    layout->addLayout(buttons);
    resize(420, 420);
    m_panel.Open(m_context.snapshot().luminaires);
    Refresh();
}

void ScalarPanelWindow::Refresh() {
    m_header->setText(ToQt(m_panel.Header()));
    m_horizontal->setText(ToQt(m_panel.HorizontalText()));
    m_result->setText(ToQt(m_panel.ResultText()));
    m_grid->Fill(m_panel.RowCount(),
                 [this](int row, int column) { return m_panel.CellText(row, column); });
}

} // namespace qv
