#include "ui/AppPaths.h"

#include <kelvorin/KvCommon.h>

namespace qv {

AppPaths AppPaths::ForProgram() {
    AppPaths paths = WithTextFolder(KvCommon::GetTxtPath(""));
    paths.root = KvCommon::GetRootPath("");
    paths.lib = KvCommon::GetLibPath("");
    return paths;
}

AppPaths AppPaths::WithTextFolder(const std::string& text) {
    AppPaths paths;
    paths.text = text;
    paths.settings = text + "Quorvel.ini";
    paths.database = text + "Lamps.db";
    return paths;
}

} // namespace qv
