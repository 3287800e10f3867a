#include "ui/AppFont.h"

#include <QApplication>

namespace qv {

void UseChineseFont(QApplication& application) {
    QFont font = QApplication::font();
    font.setFamilies({kUiFontFamily});
    application.setFont(font);
}

} // namespace qv
