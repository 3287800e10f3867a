#pragma once
// Qt's own texts in Chinese: the standard buttons (是/否/取消/确定), the file dialog, the
// context menus of text fields. Debian ships them as qtbase_zh_CN in Qt's translations
// folder (package qt6-translations-l10n).
class QCoreApplication;
class QTranslator;

namespace qv {

// Loads qtbase_zh_CN into the application and makes Chinese (China) the default locale of
// Qt's widgets; the translator, owned by the application, or null when the file is not
// installed (Qt's texts then stay English).
QTranslator* InstallQtChinese(QCoreApplication& application);

} // namespace qv
