#include "report/books/BookFolder.h"

#include <kelvorin/KvStr.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace qv {
namespace {

namespace fs = std::filesystem;

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// The value of XDG_DOCUMENTS_DIR in a user-dirs.dirs file: a quoted path in which
// "$HOME" stands for the home folder (the only variable the file may use). Empty when
// the file or the line is missing, or the value is the home folder itself (the desktop's
// way of saying "no documents folder").
std::string UserDirsDocuments(const fs::path& file, const std::string& home) {
    std::ifstream in(file);
    std::string line;
    std::string found;
    while (std::getline(in, line)) {
        const std::string trimmed = KvStr::Trim(line);
        const std::string key = "XDG_DOCUMENTS_DIR=";
        if (trimmed.rfind(key, 0) != 0) {
            continue;
        }
        std::string value = trimmed.substr(key.size());
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
            value = value.substr(1, value.size() - 2);
        }
        if (value.rfind("$HOME", 0) == 0) {
            value = home + value.substr(5);
        }
        found = value; // the last assignment wins, as when the shell reads it
    }
    if (found.empty() || !fs::path(found).is_absolute()) {
        return "";
    }
    std::error_code error;
    if (fs::equivalent(fs::path(found), fs::path(home), error)) {
        return "";
    }
    return fs::path(found).lexically_normal().string();
}

} // namespace

std::string DocumentsFolder() {
    const std::string home = Environment("HOME");
    if (home.empty()) {
        return "";
    }
    std::string config = Environment("XDG_CONFIG_HOME");
    if (config.empty() || !fs::path(config).is_absolute()) {
        config = (fs::path(home) / ".config").string();
    }
    const std::string documents = UserDirsDocuments(fs::path(config) / "user-dirs.dirs", home);
    if (!documents.empty()) {
        return documents;
    }
    std::error_code error;
    const fs::path fallback = fs::path(home) / "Documents";
    return fs::is_directory(fallback, error) ? fallback.string() : home;
}

std::string BookFolder(const std::string& setting) {
    const std::string trimmed = KvStr::Trim(setting);
    if (!trimmed.empty()) {
        return trimmed;
    }
    const std::string documents = DocumentsFolder();
    return (fs::path(documents.empty() ? "." : documents) / "计算书").string();
}

std::string FreeBookPath(const std::string& folder, const std::string& bookName) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (!fs::is_directory(folder, error)) {
        return "";
    }
    constexpr int kMaxTries = 100000;
    for (int n = 1; n <= kMaxTries; ++n) {
        const std::string name =
            n == 1 ? bookName + ".docx" : KvStr::Format("%s (%d).docx", bookName.c_str(), n);
        const fs::path path = fs::path(folder) / name;
        if (!fs::exists(fs::symlink_status(path, error))) {
            return path.string();
        }
    }
    return "";
}

} // namespace qv
