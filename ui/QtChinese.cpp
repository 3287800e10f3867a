#include "ui/QtChinese.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace qv {

QTranslator* InstallQtChinese(QCoreApplication& application) {
    auto* translator = new QTranslator(&application);
    if (!translator->load(QStringLiteral("qtbase_zh_CN"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    // Dates and sizes Qt shows (the file dialog's 修改日期 and 体积) in Chinese too; the
    // program's numbers never go through the locale.
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    return translator;
}

} // namespace qv
