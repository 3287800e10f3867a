#include "ui/ToolIcons.h"

#include "panels/CommandTable.h"
#include "ui/AppFont.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QStyle>

namespace qv {
namespace {

QIcon StyleIcon(QStyle::StandardPixmap pixmap) {
    return QApplication::style()->standardIcon(pixmap);
}

QIcon Tile(const QString& label, int id) {
    QPixmap pixmap(kToolIconWidth, kToolIconHeight);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor colour = QColor::fromHsv((id * 37) % 360, 110, 200);
    painter.setBrush(colour);
    painter.setPen(colour.darker(150));
    painter.drawRoundedRect(QRectF(0.5, 0.5, kToolIconWidth - 1, kToolIconHeight - 1), 3, 3);
    QFont font(QString::fromUtf8(kUiFontFamily));
    font.setPixelSize(11);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, label.left(1));
    return QIcon(pixmap);
}

} // namespace

QIcon CommandIcon(int id, const QString& label) {
    switch (id) {
    case kCmdNew:
        return StyleIcon(QStyle::SP_FileIcon);
    case kCmdOpen:
        return StyleIcon(QStyle::SP_DialogOpenButton);
    case kCmdSave:
        return StyleIcon(QStyle::SP_DialogSaveButton);
    case kCmdAbout:
        return StyleIcon(QStyle::SP_MessageBoxQuestion);
    default:
        return Tile(label, id);
    }
}

} // namespace qv
