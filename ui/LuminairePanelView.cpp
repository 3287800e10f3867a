#include "ui/LuminairePanelView.h"

#include "panels/DiscardQuestion.h"
#include "ui/ColumnFit.h"
#include "ui/GridRows.h"
#include "ui/QtText.h"

#include <kelvorin/KvStr.h>

#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace qv {

LuminairePanelView::LuminairePanelView(LuminaireListPanelModel& model, ShellDialogs& dialogs,
                                       QWidget* parent)
    : QWidget(parent), m_model(model), m_dialogs(dialogs) {
    auto* layout = new QHBoxLayout(this);
    QStringList headers;
    for (const std::string& column : LuminaireListPanelModel::Columns()) {
        headers << ToQt(column);
    }
    m_grid = NewGrid(headers, true, this);
    // Typing or a double click edits a cell; a click only selects its row.
    m_grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    layout->addWidget(m_grid, 1);
    auto* buttons = new QVBoxLayout;
    layout->addLayout(buttons);
    auto* add = new QPushButton(QStringLiteral("增  加"), this);
    connect(add, &QPushButton::clicked, this, &LuminairePanelView::Add);
    buttons->addWidget(add);
    auto* change = new QPushButton(QStringLiteral("更  改"), this);
    connect(change, &QPushButton::clicked, this, &LuminairePanelView::Change);
    buttons->addWidget(change);
    auto* remove = new QPushButton(QStringLiteral("删  除"), this);
    connect(remove, &QPushButton::clicked, this, [this] {
        if (m_model.SelectedRow() >= 0 && !ConfirmDiscard("确定要删除选中的灯具吗?")) {
            return;
        }
        if (m_model.DeleteSelected()) {
            Refresh();
            emit Edited();
        }
    });
    buttons->addWidget(remove);
    auto* clear = new QPushButton(QStringLiteral("清  空"), this);
    connect(clear, &QPushButton::clicked, this, [this] {
        if (m_model.RowCount() == 0 ||
            !ConfirmDiscard(KvStr::Format("确定要清空全部%d个灯具吗?", m_model.RowCount()))) {
            return;
        }
        m_model.Clear();
        Refresh();
        emit Edited();
    });
    buttons->addWidget(clear);
    auto* array = new QPushButton(QStringLiteral("阵列布置..."), this);
    connect(array, &QPushButton::clicked, this, &LuminairePanelView::ArrayLayoutRequested);
    buttons->addWidget(array);
    buttons->addStretch(1);
    connect(m_grid, &QTableWidget::itemSelectionChanged, this,
            [this] { m_model.SelectRow(SelectedGridRow(*m_grid)); });
    // Handled once the cell editor has closed: a refusal's message box would otherwise
    // take the focus from the open editor, which commits the same text again.
    connect(m_grid, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        QMetaObject::invokeMethod(
            this,
            [this, row = item->row(), column = item->column(), text = FromQt(item->text())] {
                CellTyped(row, column, text);
            },
            Qt::QueuedConnection);
    });
    Refresh();
}

void LuminairePanelView::CellTyped(int row, int column, const std::string& text) {
    const bool taken = m_model.EditCell(row, column, text);
    Refresh(); // the value as the model holds it: the old one after a refusal
    if (taken) {
        emit Edited();
    }
}

void LuminairePanelView::Add() {
    const std::optional<Room> room = m_roomSource ? m_roomSource() : std::nullopt;
    if (const std::optional<Luminaire> edited =
            m_dialogs.EditLuminaire(this, m_model.LuminaireForAdd(room ? &*room : nullptr))) {
        m_model.Append(*edited);
        Refresh();
        emit Edited();
    }
}

void LuminairePanelView::Change() {
    if (!m_model.CanChange()) {
        return;
    }
    const Luminaire& selected = m_model.Working().At(m_model.SelectedRow());
    if (const std::optional<Luminaire> edited = m_dialogs.EditLuminaire(this, selected)) {
        m_model.ReplaceSelected(*edited);
        Refresh();
        emit Edited();
    }
}

void LuminairePanelView::Refresh() {
    std::vector<GridRow> rows;
    for (int r = 0; r < m_model.RowCount(); ++r) {
        rows.push_back(m_model.RowTexts(r));
    }
    FillGrid(*m_grid, rows, m_model.SelectedRow());
    const QSignalBlocker quiet(m_grid);
    for (int r = 0; r < m_grid->rowCount(); ++r) {
        for (int c = 0; c < m_grid->columnCount(); ++c) {
            if (QTableWidgetItem* item = m_grid->item(r, c)) {
                const Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
                item->setFlags(LuminaireListPanelModel::IsEditableColumn(c)
                                   ? flags | Qt::ItemIsEditable
                                   : flags);
            }
        }
    }
    // Models, curve and table names are read whole, never cut short.
    WidenColumnsToContents(*m_grid);
}

} // namespace qv
