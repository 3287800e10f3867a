#pragma once
// The installation paths the program fixes once at start: the root folder (parent of the
// program's folder), the text folder (root + "KvTxt/") with the settings file
// "Quorvel.ini" and the catalogue database, and the library folder.
#include <string>

namespace qv {

struct AppPaths {
    std::string root;
    std::string text;
    std::string lib;
    std::string settings; // text + "Quorvel.ini"
    std::string database; // text + "Lamps.db"

    // The folders of the running program.
    static AppPaths ForProgram();
    // Every file in one text folder (tests use a scratch folder).
    static AppPaths WithTextFolder(const std::string& text);
};

} // namespace qv
