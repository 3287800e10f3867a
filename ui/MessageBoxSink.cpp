#include "ui/MessageBoxSink.h"

#include "ui/QtText.h"

#include <QMessageBox>
#include <QPointer>

namespace qv {
namespace {

QMessageBox::Icon IconOf(KvMessageIcon icon) {
    switch (icon) {
    case KvMessageIcon::Information:
        return QMessageBox::Information;
    case KvMessageIcon::Warning:
        return QMessageBox::Warning;
    case KvMessageIcon::Error:
        return QMessageBox::Critical;
    case KvMessageIcon::Question:
        return QMessageBox::Question;
    case KvMessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ButtonsOf(KvMessageButtons buttons) {
    switch (buttons) {
    case KvMessageButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case KvMessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case KvMessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case KvMessageButtons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

KvMessageAnswer AnswerOf(int button) {
    switch (button) {
    case QMessageBox::Yes:
        return KvMessageAnswer::Yes;
    case QMessageBox::No:
        return KvMessageAnswer::No;
    case QMessageBox::Cancel:
        return KvMessageAnswer::Cancel;
    default:
        return KvMessageAnswer::Ok;
    }
}

} // namespace

KvMessageHandler MessageBoxHandler(QWidget* parent) {
    return [owner = QPointer<QWidget>(parent)](const KvMessage& message) {
        QMessageBox box(IconOf(message.icon), ToQt(message.caption), ToQt(message.text),
                        ButtonsOf(message.buttons), owner.data());
        return AnswerOf(box.exec()); // Esc answers Cancel, or No without a Cancel button
    };
}

} // namespace qv
