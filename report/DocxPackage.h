#pragma once
// The package of a word-processing document (.docx): a zip archive holding the content
// types, the relationships, the styles and the main document part.
#include <string>

namespace qv {

// The bytes of the package holding the given main document (word/document.xml). The
// styles give the document its defaults: Times New Roman with 宋体 as East-Asian font,
// Chinese as East-Asian language, single line spacing without paragraph spacing.
// On failure returns false with the reason in error.
bool BuildDocxPackage(const std::string& documentXml, std::string& package, std::string& error);

} // namespace qv
