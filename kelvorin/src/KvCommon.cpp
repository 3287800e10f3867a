#include <kelvorin/KvCommon.h>
#include <kelvorin/KvStr.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <deque>
#include <dlfcn.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <link.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string RunningProgram() {
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    return error ? std::string() : self.string();
}

// The folder part of a path: the text up to its last "/" (without it).
std::string CutAtLastSlash(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(0, slash);
}

std::string WithTrailingSlash(std::string path) {
    if (path.empty() || path.back() != '/') {
        path += '/';
    }
    return path;
}

// A file name as the trash's info file writes it: percent-encoded except the
// unreserved characters and "/".
std::string PercentEncode(const std::string& path) {
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    for (const char ch : path) {
        const auto c = static_cast<unsigned char>(ch);
        if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
            out += ch;
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

std::string DeletionDate() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
    return text;
}

// Reserves a unique name in the trash by creating its info file exclusively.
// Returns the chosen name, or empty text when no info file could be created.
std::string ReserveTrashName(const fs::path& infoDir, const std::string& base,
                             const std::string& info) {
    for (int attempt = 0; attempt < 10000; ++attempt) {
        std::string name = base;
        if (attempt > 0) {
            const size_t dot = base.rfind('.');
            const std::string stem =
                dot == std::string::npos || dot == 0 ? base : base.substr(0, dot);
            const std::string ext = dot == std::string::npos || dot == 0 ? "" : base.substr(dot);
            name = stem + "." + std::to_string(attempt) + ext;
        }
        const fs::path infoFile = infoDir / (name + ".trashinfo");
        const int fd = open(infoFile.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
        if (fd < 0) {
            if (errno == EEXIST) {
                continue;
            }
            return std::string();
        }
        const bool written =
            write(fd, info.data(), info.size()) == static_cast<ssize_t>(info.size());
        close(fd);
        if (!written) {
            fs::remove(infoFile);
            return std::string();
        }
        return name;
    }
    return std::string();
}

} // namespace

std::string KvCommon::GetModuleName(const std::string& module) {
    if (module.empty()) {
        return RunningProgram();
    }
    std::error_code error;
    const fs::path absolute = fs::absolute(module, error);
    return error ? module : absolute.lexically_normal().string();
}

std::string KvCommon::GetModulePath(const std::string& module) {
    const std::string name = GetModuleName(module);
    const size_t slash = name.rfind('/');
    return slash == std::string::npos ? std::string() : name.substr(0, slash + 1);
}

std::string KvCommon::GetRootPath(const std::string& module) {
    const std::string name = GetModuleName(module);
    if (name.empty()) {
        return std::string();
    }
    // The module's folder, then its parent; a module in "/" or one level below it has
    // "/" as its root.
    const std::string folder = CutAtLastSlash(name);
    const std::string parent =
        folder.find('/') == std::string::npos ? folder : CutAtLastSlash(folder);
    return WithTrailingSlash(parent);
}

std::string KvCommon::GetTxtPath(const std::string& module) {
    const std::string root = GetRootPath(module);
    return root.empty() ? root : root + "KvTxt/";
}

std::string KvCommon::GetLibPath(const std::string& module) {
    const std::string root = GetRootPath(module);
    return root.empty() ? root : root + "Lib/";
}

std::string KvCommon::GetCurrentPath() {
    std::error_code error;
    const fs::path current = fs::current_path(error);
    return error ? std::string() : current.string();
}

std::string KvCommon::GetLibraryModule() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&KvCommon::GetLibraryModule), &info) == 0 ||
        info.dli_fname == nullptr) {
        return std::string();
    }
    return GetModuleName(info.dli_fname);
}

std::string KvCommon::TheModuleIsOpened(const std::string& moduleFileName) {
    if (moduleFileName.empty()) {
        return std::string();
    }
    struct Search {
        std::string wanted;
        std::string found;
    } search{moduleFileName, {}};
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* data) {
            auto* s = static_cast<Search*>(data);
            const std::string name = info->dlpi_name ? info->dlpi_name : "";
            if (name.size() >= s->wanted.size() &&
                name.compare(name.size() - s->wanted.size(), s->wanted.size(), s->wanted) == 0) {
                s->found = name;
                return 1;
            }
            return 0;
        },
        &search);
    return search.found;
}

int KvCommon::MakeDir(const std::string& path) {
    const std::string trimmed = KvStr::Trim(path);
    if (!KvStr::IsPath(trimmed)) {
        return 0;
    }
    // Each level from the top is created when it does not exist yet.
    std::string level;
    size_t start = 1;
    while (start <= trimmed.size()) {
        size_t end = trimmed.find('/', start);
        if (end == std::string::npos) {
            end = trimmed.size();
        }
        if (end > start) {
            level = trimmed.substr(0, end);
            struct stat info {};
            if (stat(level.c_str(), &info) != 0) {
                if (mkdir(level.c_str(), 0777) != 0 && errno != EEXIST) {
                    return 0;
                }
            } else if (!S_ISDIR(info.st_mode)) {
                return 0;
            }
        }
        start = end + 1;
    }
    return 1;
}

std::string KvCommon::GetTrashPath() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome != nullptr && dataHome[0] == '/') {
        return WithTrailingSlash(dataHome) + "Trash/";
    }
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] != '/') {
        return std::string();
    }
    return WithTrailingSlash(home) + ".local/share/Trash/";
}

int KvCommon::DeleteFileA(const std::string& path) {
    std::error_code error;
    const std::string trimmed = KvStr::Trim(path);
    if (trimmed.empty()) {
        return 0;
    }
    fs::path source = fs::absolute(trimmed, error).lexically_normal();
    if (error) {
        return 0;
    }
    if (source.has_filename() == false) {
        source = source.parent_path(); // "dir/" names the folder itself
    }
    if (!fs::exists(fs::symlink_status(source, error)) || source == source.root_path()) {
        return 0;
    }
    const std::string trash = GetTrashPath();
    if (trash.empty()) {
        return 0;
    }
    const fs::path filesDir = fs::path(trash) / "files";
    const fs::path infoDir = fs::path(trash) / "info";
    fs::create_directories(filesDir, error);
    fs::create_directories(infoDir, error);
    if (!fs::is_directory(filesDir) || !fs::is_directory(infoDir)) {
        return 0;
    }
    const std::string info = "[Trash Info]\nPath=" + PercentEncode(source.string()) +
                             "\nDeletionDate=" + DeletionDate() + "\n";
    const std::string name = ReserveTrashName(infoDir, source.filename().string(), info);
    if (name.empty()) {
        return 0;
    }
    const fs::path target = filesDir / name;
    fs::rename(source, target, error);
    if (error == std::errc::cross_device_link) {
        // Another file system: copy into the trash, then remove the original.
        error.clear();
        fs::copy(source, target, fs::copy_options::recursive | fs::copy_options::copy_symlinks,
                 error);
        if (!error) {
            fs::remove_all(source, error);
        }
        if (error) {
            std::error_code ignored;
            fs::remove_all(target, ignored);
        }
    }
    if (error) {
        std::error_code ignored;
        fs::remove(infoDir / (name + ".trashinfo"), ignored);
        return 0;
    }
    return 1;
}

int KvCommon::KvCommon_GetAllFilesInPath(std::vector<std::string>& out, const std::string& folder) {
    if (!KvStr::IsPath(folder)) {
        return -1;
    }
    int count = 0;
    std::deque<std::string> pending{WithTrailingSlash(folder)};
    while (!pending.empty()) {
        const std::string current = pending.front();
        pending.pop_front();
        std::error_code error;
        std::vector<fs::directory_entry> entries;
        for (const auto& entry : fs::directory_iterator(current, error)) {
            entries.push_back(entry);
        }
        std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
            return a.path().filename() < b.path().filename();
        });
        for (const auto& entry : entries) {
            const std::string full = current + entry.path().filename().string();
            if (entry.is_directory(error) && !entry.is_symlink(error)) {
                pending.push_back(full + "/");
            } else {
                out.push_back(full);
                ++count;
            }
        }
    }
    return count;
}

int KvCommon::DeleteDir(const std::string& path, int whole) {
    if (whole == 1) {
        return DeleteFileA(path);
    }
    std::vector<std::string> files;
    if (KvCommon_GetAllFilesInPath(files, path) < 0) {
        return 0;
    }
    for (const std::string& file : files) {
        if (!DeleteFileA(file)) {
            return 0;
        }
    }
    return 1;
}
