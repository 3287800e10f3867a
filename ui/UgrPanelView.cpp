#include "ui/UgrPanelView.h"

#include "report/books/UgrBook.h"

#include "panels/NumberCheck.h"
#include "ui/FieldBindings.h"
#include "ui/PanelGrid.h"
#include "ui/QtText.h"

#include <kelvorin/KvMessage.h>

#include <QBoxLayout>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace qv {

UgrPanelView::UgrPanelView(UgrPanelModel::Start start, CalcPanelContext context, QWidget* parent)
    : CalcPanelWindow(std::move(context), UgrPanelModel(start).Caption(), parent), m_panel(start) {
    setObjectName(QStringLiteral("ugrPanel"));
    auto* layout = new QVBoxLayout(this);

    auto* top = new QFormLayout;
    m_eye = new QComboBox(this);
    m_eye->setObjectName(QStringLiteral("eyeHeight"));
    m_eye->setEditable(true);
    m_eye->setInsertPolicy(QComboBox::NoInsert);
    for (const char* choice : UgrPanelModel::kEyeChoices) {
        m_eye->addItem(QString::fromUtf8(choice));
    }
    connect(m_eye, &QComboBox::activated, this, [this] { TakeEyeHeight(); });
    connect(m_eye->lineEdit(), &QLineEdit::editingFinished, this, [this] { TakeEyeHeight(); });
    AddLabelledRow(*top, QStringLiteral("眼睛高度(m)"), m_eye);
    layout->addLayout(top);

    m_grid = new PanelGrid(UgrPanelModel::kHeaders, UgrPanelModel::kColumnWidths, this);
    m_grid->SetEditableColumns({UgrPanelModel::kX, UgrPanelModel::kY, UgrPanelModel::kDirection});
    BindCells(*m_grid, m_panel);
    connect(m_grid, &QTableWidget::itemSelectionChanged, this,
            [this] { m_panel.Select(m_grid->SelectedRows()); });
    layout->addWidget(m_grid);

    auto* buttons = new QHBoxLayout;
    AddButton(*buttons, "新  增", [this] {
        m_panel.Add(m_context.snapshot());
        Refresh();
    });
    AddButton(*buttons, "删  除", [this] {
        if (const std::optional<KvMessage> refused = m_panel.Remove()) {
            KvMessageSink::Show(*refused);
        }
        Refresh();
    });
    buttons->addStretch();
    AddButton(*buttons, "计  算", [this] {
        if (!TakeEyeHeight()) {
            return;
        }
        const Project project = m_context.snapshot();
        const std::optional<KvMessage> refused = m_panel.Calculate(
            project, UgrPanelModel::UgrLimitOf(m_context.catalogue, project.room));
        m_calculated = project;
        Refresh();
        if (refused) {
            KvMessageSink::Show(*refused);
        }
    });
    AddButton(*buttons, "写计算书", [this] {
        if (!m_panel.Calculated()) {
            KvMessageSink::Show(NothingCalculatedMessage());
            return;
        }
        const UgrBookRecord record =
            MakeUgrBookRecord(m_calculated, m_panel.LastResult(), m_panel.CalculatedEyeHeight(),
                              m_panel.CalculatedLimit());
        WriteBook([&record](CalcBookWriter& writer) { return WriteUgrBook(writer, record); },
                  [this] {
                      m_panel.BookWritten();
                      return m_panel.Caption();
                  });
    });
    layout->addLayout(buttons);

    auto* results = new QFormLayout;
    m_max = AddOutput(*results, QStringLiteral("UGR最大值"));
    m_verdict = AddOutput(*results, QStringLiteral("评价"));
    layout->addLayout(results);
    m_note = new QLabel(this);
    m_note->setObjectName(QStringLiteral("note"));
    m_note->setWordWrap(true);
    layout->addWidget(m_note);

    resize(560, 380);
    m_panel.Open(m_context.snapshot());
    Refresh();
}

bool UgrPanelView::TakeEyeHeight() {
    if (m_refusing) {
        return false;
    }
    const std::string text = FromQt(m_eye->currentText());
    if (text == m_panel.EyeHeightText()) {
        return true;
    }
    const std::string refusal = m_panel.SetEyeHeightText(text);
    if (refusal.empty()) {
        Refresh();
        return true;
    }
    m_refusing = true;
    m_eye->setEditText(ToQt(m_panel.EyeHeightText()));
    ShowRefusal(refusal);
    m_eye->setFocus();
    m_eye->lineEdit()->selectAll();
    m_refusing = false;
    return false;
}

void UgrPanelView::Refresh() {
    m_grid->Fill(m_panel.RowCount(),
                 [this](int row, int column) { return m_panel.CellText(row, column); });
    m_grid->SelectRows(m_panel.Selection());
    if (!m_eye->lineEdit()->hasFocus() || m_eye->currentText().isEmpty()) {
        m_eye->setEditText(ToQt(m_panel.EyeHeightText()));
    }
    m_max->setText(ToQt(m_panel.MaxText()));
    m_verdict->setText(ToQt(m_panel.VerdictText()));
    m_note->setText(ToQt(m_panel.NoteText()));
}

} // namespace qv
