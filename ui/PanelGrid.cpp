#include "ui/PanelGrid.h"

#include "ui/QtText.h"

#include <QComboBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QSignalBlocker>
#include <QStyledItemDelegate>

namespace qv {
namespace {

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
        emit CellEdited(item->row(), item->column(), FromQt(item->text()));
    });
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
