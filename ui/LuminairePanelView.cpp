#include "ui/LuminairePanelView.h"

#include "ui/GridRows.h"
#include "ui/QtText.h"

#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace qv {

LuminairePanelView::LuminairePanelView(LuminaireListPanelModel& model, QWidget* parent)
    : QWidget(parent), m_model(model) {
    auto* layout = new QHBoxLayout(this);
    QStringList headers;
    for (const std::string& column : LuminaireListPanelModel::Columns()) {
        headers << ToQt(column);
    }
    m_grid = NewGrid(headers, false, this);
    layout->addWidget(m_grid, 1);
    auto* buttons = new QVBoxLayout;
    layout->addLayout(buttons);
    for (const char* text : {"增  加", "更  改"}) {
        auto* button = new QPushButton(QString::fromUtf8(text), this);
        button->setEnabled(false); // the luminaire dialog comes later
        buttons->addWidget(button);
    }
    auto* remove = new QPushButton(QStringLiteral("删  除"), this);
    connect(remove, &QPushButton::clicked, this, [this] {
        if (m_model.DeleteSelected()) {
            Refresh();
            emit Edited();
        }
    });
    buttons->addWidget(remove);
    auto* clear = new QPushButton(QStringLiteral("清  空"), this);
    connect(clear, &QPushButton::clicked, this, [this] {
        m_model.Clear();
        Refresh();
        emit Edited();
    });
    buttons->addWidget(clear);
    buttons->addStretch(1);
    connect(m_grid, &QTableWidget::itemSelectionChanged, this,
            [this] { m_model.SelectRow(SelectedGridRow(*m_grid)); });
    Refresh();
}

void LuminairePanelView::Refresh() {
    std::vector<GridRow> rows;
    for (int r = 0; r < m_model.RowCount(); ++r) {
        rows.push_back(m_model.RowTexts(r));
    }
    FillGrid(*m_grid, rows, m_model.SelectedRow());
}

} // namespace qv
