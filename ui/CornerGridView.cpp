#include "ui/CornerGridView.h"

#include "panels/DiscardQuestion.h"
#include "ui/FieldBindings.h"
#include "ui/GridRows.h"
#include "ui/QtText.h"

#include <kelvorin/KvStr.h>

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>

#include <functional>

namespace qv {

CornerGridView::CornerGridView(OutlinePanelModel& model, const CornerGridTexts& texts,
                               QWidget* parent)
    : QGroupBox(QStringLiteral("形状"), parent), m_model(model) {
    auto* layout = new QGridLayout(this);
    for (const QString& shape : {texts.rectangle, texts.polygon}) {
        auto* button = new QPushButton(shape, this);
        button->setEnabled(false);
        layout->addWidget(button, 0, shape == texts.rectangle ? 0 : 1);
    }
    layout->addWidget(new QLabel(texts.count, this), 1, 0);
    m_count = new QSpinBox(this);
    m_count->setRange(0, OutlinePanelModel::kMaxCorners);
    // Typing "12" must not pass through 1 corner, which would drop the others.
    m_count->setKeyboardTracking(false);
    layout->addWidget(m_count, 1, 1);
    layout->addWidget(new QLabel(texts.hint, this), 2, 0, 1, 4);
    m_grid = NewGrid({QStringLiteral("X"), QStringLiteral("Y")}, true, this);
    m_grid->setMinimumHeight(140);
    layout->addWidget(m_grid, 3, 0, 1, 4);
    const std::pair<QString, std::function<void()>> commands[] = {
        {texts.add, [this] { m_model.AddCorner(); }},
        {texts.insert, [this] { m_model.InsertCorner(); }},
        {texts.remove,
         [this] {
             const int corner = m_model.SelectedCorner();
             if (corner < 0 ||
                 ConfirmDiscard(KvStr::Format("确定要删除第%d个拐角吗?", corner + 1))) {
                 m_model.DeleteCorner();
             }
         }},
        {texts.reset, [this] {
             const size_t corners = m_model.CornerRows().size();
             if (corners == 0 || ConfirmDiscard(KvStr::Format(
                                     "重置将用长、宽的矩形代替现有的%zu个拐角,确定吗?", corners))) {
                 m_model.ResetOutline();
             }
         }}};
    int column = 0;
    for (const auto& [text, command] : commands) {
        auto* button = new QPushButton(text, this);
        connect(button, &QPushButton::clicked, this, [this, command = command] { Run(command); });
        layout->addWidget(button, 4, column++);
    }
    connect(m_count, &QSpinBox::valueChanged, this, [this](int count) {
        const std::string question =
            LoweredCountQuestion(static_cast<int>(m_model.CornerRows().size()), count, "拐角");
        if (!question.empty() && !ConfirmDiscard(question)) {
            Refresh(); // the count shows the corners kept
            return;
        }
        Run([this, count] { m_model.SetCornerCount(count); });
    });
    BindCheckedCells(
        *m_grid,
        [this](int row, int column, const std::string& text) {
            return m_model.EditCorner(row, column, text);
        },
        [this] { Refresh(); }, [this] { emit Edited(); });
    connect(m_grid, &QTableWidget::itemSelectionChanged, this,
            [this] { m_model.SelectCorner(SelectedGridRow(*m_grid)); });
}

template <typename Command> void CornerGridView::Run(Command command) {
    command();
    Refresh();
    emit Edited();
}

void CornerGridView::Refresh() {
    std::vector<GridRow> rows;
    for (const CornerRow& corner : m_model.CornerRows()) {
        rows.push_back({corner.x, corner.y});
    }
    FillGrid(*m_grid, rows, m_model.SelectedCorner());
    const QSignalBlocker quiet(m_count);
    m_count->setValue(static_cast<int>(rows.size()));
}

} // namespace qv
