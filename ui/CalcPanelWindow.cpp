#include "ui/CalcPanelWindow.h"

#include "ui/BookSaving.h"
#include "ui/FieldBindings.h"
#include "ui/QtText.h"

#include "report/PdfConverter.h"

#include <kelvorin/KvStr.h>

#include <QApplication>
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
    connect(button, &QPushButton::clicked, this, action);
    row.addWidget(button);
    if (std::string_view(text) == "写计算书") {
        auto* pdf = new QPushButton(QStringLiteral("另存为PDF"), this);
        pdf->setAutoDefault(false);
        connect(pdf, &QPushButton::clicked, this, [this, action] {
            m_bookAsPdf = true;
            action();
            m_bookAsPdf = false;
        });
        row.addWidget(pdf);
    }
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
    // As PDF the converted file is shown, not the .docx it is made from.
    const BookSaveResult saved =
        SaveBook(m_context.settings, m_bookAsPdf ? DocumentOpener() : m_context.opener, write,
                 m_context.projectInfo ? m_context.projectInfo() : ProjectInfo());
    if (!saved.path.empty()) {
        ShowCaption(captionAfter());
        if (m_bookAsPdf) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            const PdfConversion conversion = ConvertBookToPdf(saved.path);
            QApplication::restoreOverrideCursor();
            const bool converted = conversion.outcome == PdfConversion::Outcome::Converted;
            if (converted && m_context.opener) {
                m_context.opener(conversion.pdfPath);
            } else {
                KvMessageSink::Show(PdfConversionText(conversion, saved.path), "系统提示",
                                    converted ? KvMessageIcon::Information
                                              : KvMessageIcon::Warning);
            }
        }
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
