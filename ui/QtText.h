#pragma once
// Texts crossing between the core (UTF-8 std::string) and the widgets (QString).
#include <QString>

#include <string>

namespace qv {

inline QString ToQt(const std::string& text) {
    return QString::fromStdString(text);
}
inline std::string FromQt(const QString& text) {
    return text.toStdString();
}

} // namespace qv
