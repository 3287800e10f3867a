#include "panels/CatalogueMenu.h"

#include "calc/glare/UgrCatalogue.h"
#include "catalogue/photometry/PhotometricImport.h"

#include <kelvorin/KvMessage.h>

#include <filesystem>
#include <system_error>

namespace qv {

int ExtendLuminaireCatalogue(CatalogueDatabase& catalogue, const std::vector<std::string>& files) {
    if (files.empty()) {
        return 0;
    }
    if (!catalogue.Connect()) {
        return 0; // the connection has told why
    }
    std::vector<CatalogueLuminaireType> types;
    std::vector<WrittenType> written;
    std::string error = CatalogueWriteProblem(catalogue.Path());
    if (!error.empty() ||
        !ImportPhotometricFiles(catalogue.Access(), files, types, written, error, AddUgrTables)) {
        KvMessageSink::Show("导入配光文件失败,灯具数据库未作改动:\n" + error, "系统提示",
                            KvMessageIcon::Warning);
        return 0;
    }
    std::string list;
    for (const CatalogueLuminaireType& type : types) {
        list += "\n" + type.name + "  " + type.model;
    }
    KvMessageSink::Show("已加入灯具数据库的灯具:" + list, "系统提示", KvMessageIcon::Information);
    return static_cast<int>(types.size());
}

std::string CatalogueFolder(const CatalogueDatabase& catalogue) {
    const std::filesystem::path file(catalogue.Path());
    const std::filesystem::path folder = file.parent_path();
    std::error_code error;
    if (file.empty() || !std::filesystem::is_directory(folder, error)) {
        KvMessageSink::Show("找不到数据库文件夹:" + folder.string(), "系统提示",
                            KvMessageIcon::Warning);
        return {};
    }
    return folder.string();
}

} // namespace qv
