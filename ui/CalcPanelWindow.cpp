#include "ui/CalcPanelWindow.h"

#include "ui/BookSaving.h"
#include "ui/FieldBindings.h"
#include "ui/QtText.h"

#include <kelvorin/KvStr.h>

#include <QBoxLayout>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

namespace qv {

CalcPanelWindow::CalcPanelWindow(CalcPanelContext context, const std::string& caption,
                                 QWidget* parent)
    : QDialog(parent), m_context(std::move(context)) {
    setModal(false);
    ShowCaption(caption);
}

QPushButton* CalcPanelWindow::AddButton(QBoxLayout& row, const char* text,
                                        std::function<void()> action) {
    auto* button = new QPushButton(QString::fromUtf8(text), this);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, std::move(action));
    row.addWidget(button);
    return button;
}

QLineEdit* CalcPanelWindow::AddOutput(QFormLayout& form, const QString& label) {
    auto* field = new QLineEdit(form.parentWidget());
    field->setReadOnly(true);
    AddLabelledRow(form, label, field);
    return field;
}

bool CalcPanelWindow::WriteBook(const std::function<BookName(CalcBookWriter&)>& write,
                                const std::function<std::string()>& captionAfter) {
    const BookSaveResult saved =
        SaveBook(m_context.settings, m_context.opener, write,
                 m_context.projectInfo ? m_context.projectInfo() : ProjectInfo());
    if (!saved.path.empty()) {
        ShowCaption(captionAfter());
    }
    return !saved.path.empty();
}

KvMessage CalcPanelWindow::TooManyLuminairesMessage(long long limit) {
    return {KvStr::Format("调整后的灯具总数超过%lld盏，未调整。", limit), "系统提示",
            KvMessageIcon::Warning, KvMessageButtons::Ok};
}

KvMessage CalcPanelWindow::NoRoomForCountsMessage() {
    return {"房间尚未输入拐角,无法布置灯具,未调整。", "系统提示", KvMessageIcon::Warning,
            KvMessageButtons::Ok};
}

KvMessage CalcPanelWindow::NothingCalculatedMessage() {
    return {"尚未计算,请先计算再写计算书!", "Varsolin", KvMessageIcon::Warning,
            KvMessageButtons::Ok};
}

void CalcPanelWindow::ShowCaption(const std::string& caption) {
    setWindowTitle(ToQt(caption));
}

} // namespace qv
