#include "ui/RoadPanelView.h"

#include "panels/DiscardQuestion.h"
#include "panels/PanelText.h"
#include "ui/GridRows.h"
#include "ui/QtText.h"

#include <kelvorin/KvStr.h>

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include <functional>

namespace qv {
namespace {

enum Column { kNumberColumn, kTypeColumn, kLanesColumn, kWidthColumn };

// The type cells are chosen from the three component types.
class TypeDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override {
        auto* combo = new QComboBox(parent);
        for (const std::string& type : kRoadComponentTypes) {
            combo->addItem(ToQt(type));
        }
        return combo;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        static_cast<QComboBox*>(editor)->setCurrentText(index.data().toString());
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        model->setData(index, static_cast<QComboBox*>(editor)->currentText());
    }
};

std::vector<std::string> Arrangements() {
    return {kRoadArrangements.begin(), kRoadArrangements.end()};
}

} // namespace

RoadPanelView::RoadPanelView(RoadPanelModel& model, ShellDialogs& dialogs, QWidget* parent)
    : QWidget(parent), m_model(model), m_dialogs(dialogs), m_fields([this] { emit Edited(); }) {
    RoadFields& f = model.Fields();
    m_fields.SetNumberCheck([&model](const std::string* field, const std::string& text) {
        return model.FieldRefusal(field, text);
    });
    auto* page = new QVBoxLayout(this);
    auto* group = new QGroupBox(QStringLiteral("道路方案"), this);
    auto* form = new QFormLayout(group);
    AddLabelledRow(*form, QStringLiteral("总长"), m_fields.Number(&f.length, this));
    AddLabelledRow(*form, QStringLiteral("总宽"), m_fields.Number(&f.width, this));
    AddLabelledRow(*form, QStringLiteral("角度"), m_fields.Number(&f.angle, this));
    AddLabelledRow(*form, QStringLiteral("道路工作面高度"), m_fields.Number(&f.workHeight, this));
    auto* center = new QWidget(this);
    auto* centerLayout = new QHBoxLayout(center);
    centerLayout->setContentsMargins(0, 0, 0, 0);
    centerLayout->addWidget(new QLabel(QStringLiteral("X"), center));
    centerLayout->addWidget(m_fields.Number(&f.centerX, center));
    centerLayout->addWidget(new QLabel(QStringLiteral("Y"), center));
    centerLayout->addWidget(m_fields.Number(&f.centerY, center));
    AddLabelledRow(*form, QStringLiteral("道路中心点位置"), center);
    AddLabelledRow(*form, QStringLiteral("路灯间距"), m_fields.Number(&f.lampDis, this));
    AddLabelledRow(*form, QStringLiteral("排列方式"),
                   m_fields.Index(&f.arrangement, Arrangements(), this));
    AddLabelledRow(*form, QStringLiteral("起始编号"), m_fields.Spin(&f.startNum, this));
    AddLabelledRow(*form, QStringLiteral("终止编号"), m_fields.Spin(&f.endNum, this));
    auto* standard = new QWidget(this);
    auto* standardLayout = new QHBoxLayout(standard);
    standardLayout->setContentsMargins(0, 0, 0, 0);
    standardLayout->addWidget(m_fields.Number(&f.lxStandard, standard), 1);
    auto* lookup = new QPushButton(QStringLiteral("查照度标准"), standard);
    connect(lookup, &QPushButton::clicked, this, [this] {
        const std::optional<StandardChoice> choice = m_dialogs.ChooseStandardIlluminance(this);
        if (!choice) {
            return; // closed without "确定": the typed standard stays
        }
        m_model.ChooseStandardPlace(choice->place, static_cast<double>(choice->lux));
        m_model.Fields().lxStandard = NumberText(static_cast<double>(choice->lux));
        m_fields.Refresh();
        emit Edited();
    });
    standardLayout->addWidget(lookup);
    AddLabelledRow(*form, QStringLiteral("照度标准lx"), standard);
    page->addWidget(group);
    page->addWidget(Components(), 1);
    Refresh();
}

QWidget* RoadPanelView::Components() {
    auto* group = new QGroupBox(QStringLiteral("街道组成"), this);
    auto* layout = new QGridLayout(group);
    layout->addWidget(new QLabel(QStringLiteral("组件个数"), group), 0, 0);
    m_count = new QSpinBox(group);
    m_count->setRange(0, RoadPanelModel::kMaxComponents);
    // Typing "12" must not pass through 1 component, which would drop the others.
    m_count->setKeyboardTracking(false);
    layout->addWidget(m_count, 0, 1);
    m_grid = NewGrid(
        {QString(), QStringLiteral("类型"), QStringLiteral("车道数"), QStringLiteral("总宽度")},
        true, group);
    m_grid->setItemDelegateForColumn(kTypeColumn, new TypeDelegate(m_grid));
    // The columns share the bar's width, so that all of them show without scrolling.
    m_grid->horizontalHeader()->setStretchLastSection(false);
    m_grid->horizontalHeader()->setMinimumSectionSize(24);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_grid->horizontalHeader()->setSectionResizeMode(kNumberColumn, QHeaderView::Fixed);
    m_grid->setColumnWidth(kNumberColumn, 28);
    m_grid->verticalHeader()->hide(); // the first column numbers the rows
    m_grid->setMinimumHeight(140);
    layout->addWidget(m_grid, 1, 0, 1, 4);
    auto* added = new QGroupBox(QStringLiteral("新增"), group);
    auto* addedLayout = new QHBoxLayout(added);
    const std::pair<const char*, RoadComponent::Type> types[] = {
        {"车 道", RoadComponent::kCarriageway},
        {"分隔带", RoadComponent::kMedian},
        {"人行道", RoadComponent::kFootway}};
    for (const auto& [text, type] : types) {
        auto* button = new QPushButton(QString::fromUtf8(text), added);
        connect(button, &QPushButton::clicked, this,
                [this, type = type] { Run([this, type] { m_model.NewComponent(type); }); });
        addedLayout->addWidget(button);
    }
    layout->addWidget(added, 2, 0, 1, 4);
    const std::pair<const char*, std::function<void()>> commands[] = {
        {"删除",
         [this] {
             if (m_model.SelectedRow() < 0 || ConfirmDiscard("确定要删除选中的组件吗?")) {
                 m_model.DeleteComponent();
             }
         }},
        {"上移", [this] { m_model.MoveUp(); }},
        {"下移", [this] { m_model.MoveDown(); }},
        {"清空", [this] {
             const size_t rows = m_model.Rows().size();
             if (rows == 0 || ConfirmDiscard(KvStr::Format("确定要清空全部%zu个组件吗?", rows))) {
                 m_model.ClearComponents();
             }
         }}};
    int column = 0;
    for (const auto& [text, command] : commands) {
        auto* button = new QPushButton(QString::fromUtf8(text), group);
        connect(button, &QPushButton::clicked, this, [this, command = command] { Run(command); });
        layout->addWidget(button, 3, column++);
    }
    connect(m_count, &QSpinBox::valueChanged, this, [this](int count) {
        const std::string question =
            LoweredCountQuestion(static_cast<int>(m_model.Rows().size()), count, "组件");
        if (!question.empty() && !ConfirmDiscard(question)) {
            Refresh(); // the count shows the components kept
            return;
        }
        Run([this, count] { m_model.SetComponentCount(count); });
    });
    BindCheckedCells(
        *m_grid,
        [this](int row, int column, const std::string& text) {
            if (column != kTypeColumn) {
                return m_model.EditCell(row, column - kTypeColumn, text);
            }
            if (row >= 0 && row < static_cast<int>(m_model.Rows().size())) {
                m_model.Rows()[static_cast<size_t>(row)].type = text;
            }
            return true;
        },
        [this] { Refresh(); }, [this] { emit Edited(); });
    connect(m_grid, &QTableWidget::itemSelectionChanged, this,
            [this] { m_model.SelectRow(SelectedGridRow(*m_grid)); });
    return group;
}

template <typename Command> void RoadPanelView::Run(Command command) {
    command();
    Refresh();
    emit Edited();
}

void RoadPanelView::Refresh() {
    m_fields.Refresh();
    std::vector<GridRow> rows;
    for (const ComponentRow& row : m_model.Rows()) {
        rows.push_back({std::to_string(rows.size() + 1), row.type, row.lanes, row.width});
    }
    FillGrid(*m_grid, rows, m_model.SelectedRow());
    for (int r = 0; r < m_grid->rowCount(); ++r) {
        const QSignalBlocker quiet(m_grid);
        QTableWidgetItem* number = m_grid->item(r, kNumberColumn);
        number->setFlags(number->flags() & ~Qt::ItemIsEditable);
    }
    const QSignalBlocker quiet(m_count);
    m_count->setValue(static_cast<int>(rows.size()));
}

} // namespace qv
