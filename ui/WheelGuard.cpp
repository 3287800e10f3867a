#include "ui/WheelGuard.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QEvent>

namespace qv {

WheelGuard* WheelGuard::InstallOnApplication(QObject* owner) {
    auto* guard = new WheelGuard(owner);
    QCoreApplication::instance()->installEventFilter(guard);
    return guard;
}

bool WheelGuard::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Wheel) {
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    const bool guarded = qobject_cast<QAbstractSpinBox*>(watched) != nullptr ||
                         qobject_cast<QComboBox*>(watched) != nullptr;
    if (!guarded || widget->hasFocus()) {
        return false;
    }
    // Left unaccepted, the wheel goes on to the parents: the bar's scroll area scrolls.
    widget->setFocusPolicy(Qt::StrongFocus); // and the wheel does not give it the focus
    event->ignore();
    return true;
}

} // namespace qv
