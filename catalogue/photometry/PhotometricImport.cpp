#include "catalogue/photometry/PhotometricImport.h"

#include "catalogue/photometry/PhotometricReaders.h"

#include <kelvorin/KvFile.h>

#include <filesystem>
#include <system_error>

namespace qv {

bool ReadPhotometricDataFile(const std::string& file, PhotometricData& data, std::string& error) {
    std::error_code code;
    const std::uintmax_t size = std::filesystem::file_size(file, code);
    if (code || size > kMaxPhotometricFileBytes) {
        error = file + ": " + (code ? "cannot be read" : "larger than 16 MB");
        return false;
    }
    std::string text;
    std::string problem;
    if (KvFile::ReadAll(file, text) != KvFileRead::Ok) {
        error = file + ": cannot be read";
        return false;
    }
    if (!ReadPhotometricFile(file, text, data, problem)) {
        error = file + ":" + problem;
        return false;
    }
    return true;
}

bool ReadPhotometricType(const std::string& file, CatalogueLuminaireType& type, std::string& error,
                         const TypeCompletion& complete) {
    PhotometricData data;
    std::string problem;
    if (!ReadPhotometricDataFile(file, data, error)) {
        return false;
    }
    if (!ToCatalogueType(data, std::filesystem::path(file).stem().string(), type, problem)) {
        error = file + ":" + problem;
        return false;
    }
    type.source = "photometric file " + std::filesystem::path(file).filename().string() + " (" +
                  data.format + ")";
    if (complete) {
        complete(data, type);
    }
    return true;
}

bool ImportPhotometricFiles(KvAccess& db, const std::vector<std::string>& files,
                            std::vector<CatalogueLuminaireType>& types,
                            std::vector<WrittenType>& written, std::string& error,
                            const TypeCompletion& complete) {
    types.assign(files.size(), CatalogueLuminaireType());
    written.clear();
    for (size_t i = 0; i < files.size(); ++i) {
        if (!ReadPhotometricType(files[i], types[i], error, complete)) {
            return false;
        }
    }
    return AddCatalogueTypes(db, types, written, error);
}

} // namespace qv
