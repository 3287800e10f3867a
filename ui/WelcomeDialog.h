#pragma once
// The start-up choice: "欢迎使用《Halvorn》配套计算软件－Varsolin" with three large
// buttons, each of which closes it with its choice.
#include "panels/ProjectCommands.h"

#include <QDialog>

class QPushButton;

namespace qv {

class WelcomeDialog : public QDialog {
    Q_OBJECT
public:
    explicit WelcomeDialog(QWidget* parent = nullptr);

    // The button that closed the dialog; kClosed when it was closed another way.
    StartChoice Choice() const { return m_choice; }
    QPushButton* Button(StartChoice choice) const;

private:
    StartChoice m_choice = StartChoice::kClosed;
    QPushButton* m_buttons[3] = {};
};

} // namespace qv
