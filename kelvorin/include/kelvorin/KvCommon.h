#pragma once
// Module, installation and working folders; directory creation and deletion.
// A "module" is a path to a program or library file; an empty text stands for the
// running program. Folders are returned with a trailing "/".
#include <kelvorin/KvExport.h>

#include <string>
#include <vector>

class KV_API KvCommon {
public:
    static std::string GetModuleName(const std::string& module); // empty: the running program
    static std::string GetModulePath(const std::string& module);
    static std::string GetRootPath(const std::string& module); // always ends in "/"
    static std::string GetTxtPath(const std::string& module);  // root + "KvTxt/"
    static std::string GetLibPath(const std::string& module);  // root + "Lib/"
    static std::string GetCurrentPath();
    static int MakeDir(const std::string& path);
    static int DeleteFileA(const std::string& path); // to the desktop's trash
    static int DeleteDir(const std::string& path, int whole);
    static int KvCommon_GetAllFilesInPath(std::vector<std::string>& out, const std::string& folder);

    // The file of the Kelvorin library itself (the module of the library's own settings).
    static std::string GetLibraryModule();
    // The loaded module whose file name ends with the given name, or empty text.
    static std::string TheModuleIsOpened(const std::string& moduleFileName);
    // The trash folder DeleteFileA moves to: $XDG_DATA_HOME/Trash, by default
    // ~/.local/share/Trash (freedesktop.org layout: files/ and info/).
    static std::string GetTrashPath();
};
