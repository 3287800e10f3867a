#pragma once
// The mouse wheel over a form scrolls the form: spin boxes and drop-downs take the wheel
// only while they have the keyboard focus, so turning the wheel over a bar no longer
// changes every value the pointer passes (a corner count turned to 0 erases the room).
#include <QObject>

namespace qv {

class WheelGuard : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Watches every widget of the application while the guard lives.
    static WheelGuard* InstallOnApplication(QObject* owner);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace qv
