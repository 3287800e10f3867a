#pragma once
// Where the program saves a calculation book. The folder comes from the settings value
// "计算书文件夹" of the section "计算书" in Quorvel.ini; when that is empty it is the
// folder "计算书" under the user's documents folder (XDG_DOCUMENTS_DIR of
// $XDG_CONFIG_HOME/user-dirs.dirs, else ~/Documents when it exists, else the home
// folder). The file is named after the book and never replaces an existing file:
// "name.docx", then "name (2).docx", "name (3).docx", ...
#include <string>

namespace qv {

inline constexpr const char* kBookSettingsSection = "计算书";
inline constexpr const char* kBookFolderKey = "计算书文件夹";

// The user's documents folder as the desktop names it; empty when there is no home.
std::string DocumentsFolder();

// The folder of the books: the setting when it is not blank, else the default.
std::string BookFolder(const std::string& setting);

// The first free path for a book of that name in the folder (which is created when
// missing); empty when the folder cannot be created or no free name is found.
std::string FreeBookPath(const std::string& folder, const std::string& bookName);

} // namespace qv
