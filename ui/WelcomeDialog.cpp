#include "ui/WelcomeDialog.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace qv {

WelcomeDialog::WelcomeDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("欢迎使用《Halvorn》配套计算软件－Varsolin"));
    auto* layout = new QHBoxLayout(this);
    const QString texts[3] = {QStringLiteral("新的室内设计"), QStringLiteral("新的户外、道路设计"),
                              QStringLiteral("打开文件")};
    for (int i = 0; i < 3; ++i) {
        auto* button = new QPushButton(texts[i], this);
        button->setMinimumSize(190, 96);
        QFont font = button->font();
        font.setPointSizeF(font.pointSizeF() * 1.4);
        button->setFont(font);
        connect(button, &QPushButton::clicked, this, [this, i] {
            m_choice = static_cast<StartChoice>(i);
            accept();
        });
        layout->addWidget(button);
        m_buttons[i] = button;
    }
}

QPushButton* WelcomeDialog::Button(StartChoice choice) const {
    const int index = static_cast<int>(choice);
    return index >= 0 && index < 3 ? m_buttons[index] : nullptr;
}

} // namespace qv
