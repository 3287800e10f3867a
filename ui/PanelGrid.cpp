#include "ui/PanelGrid.h"

#include "panels/NumberCheck.h"
#include "ui/QtText.h"

#include <QComboBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QSignalBlocker>
#include <QStyledItemDelegate>

namespace qv {
namespace {

// The text a cell showed before it was typed into: what Fill showed or the last taken
// edit.
constexpr int kShownRole = Qt::UserRole + 1;

// Edits the cells of a column with a drop-down list of the column's choices.
class ChoiceDelegate : public QStyledItemDelegate {
public:
    ChoiceDelegate(PanelGrid::Choices choices, QObject* parent)
        : QStyledItemDelegate(parent), m_choices(std::move(choices)) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override {
        auto* combo = new QComboBox(parent);
        for (const std::string& choice : m_choices()) {
            combo->addItem(ToQt(choice));
        }
        return combo;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        auto* combo = static_cast<QComboBox*>(editor);
        combo->setCurrentIndex(combo->findText(index.data().toString()));
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        model->setData(index, static_cast<QComboBox*>(editor)->currentText());
    }

private:
    PanelGrid::Choices m_choices;
};

} // namespace

PanelGrid::PanelGrid(const std::vector<const char*>& headers, const std::vector<int>& widths,
                     QWidget* parent)
    : QTableWidget(0, static_cast<int>(headers.size()), parent) {
    QStringList labels;
    for (const char* header : headers) {
        labels << QString::fromUtf8(header);
    }
    setHorizontalHeaderLabels(labels);
    // The columns take the widths as given, narrow ones too: the style's least section
    // width would widen the 18-pixel row-number columns.
    horizontalHeader()->setMinimumSectionSize(1);
    for (size_t c = 0; c < widths.size() && c < headers.size(); ++c) {
        setColumnWidth(static_cast<int>(c), widths[c]);
    }
    verticalHeader()->hide(); // the first column numbers the rows
    verticalHeader()->setDefaultSectionSize(22);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    connect(this, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        const std::string text = FromQt(item->text());
        if (m_check) {
            if (const std::string refusal = m_check(item->row(), item->column(), text);
                !refusal.empty()) {
                Refuse(*item, refusal);
                return;
            }
        }
        {
            const QSignalBlocker quiet(this);
            item->setData(kShownRole, item->text());
        }
        emit CellEdited(item->row(), item->column(), text);
    });
}

void PanelGrid::Refuse(QTableWidgetItem& item, const std::string& refusal) {
    {
        const QSignalBlocker quiet(this);
        item.setText(item.data(kShownRole).toString());
    }
    // A message box opened while the cell editor closes would take its focus and have
    // the same text committed again; so the refusal waits for the editor to go.
    QMetaObject::invokeMethod(
        this,
        [this, row = item.row(), column = item.column(), refusal] {
            ShowRefusal(refusal);
            setCurrentCell(row, column);
            setFocus();
        },
        Qt::QueuedConnection);
}

void PanelGrid::SetChoices(int column, Choices choices) {
    setItemDelegateForColumn(column, new ChoiceDelegate(std::move(choices), this));
}

void PanelGrid::Fill(int rows, const CellText& text) {
    const std::vector<int> selected = SelectedRows();
    const QSignalBlocker quiet(this);
    setRowCount(rows);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columnCount(); ++c) {
            QTableWidgetItem* item = this->item(r, c);
            if (!item) {
                item = new QTableWidgetItem;
                setItem(r, c, item);
            }
            item->setText(ToQt(text(r, c)));
            item->setData(kShownRole, item->text());
            const Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
            item->setFlags(m_editable.count(c) != 0 ? flags | Qt::ItemIsEditable : flags);
        }
    }
    SelectRows(selected);
}

std::vector<int> PanelGrid::SelectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows()) {
        rows.push_back(index.row());
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

void PanelGrid::SelectRows(const std::vector<int>& rows) {
    const QSignalBlocker quiet(selectionModel());
    clearSelection();
    for (const int row : rows) {
        if (row >= 0 && row < rowCount()) {
            selectionModel()->select(model()->index(row, 0),
                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
    }
}

} // namespace qv
