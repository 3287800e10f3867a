#include <kelvorin/CFileName.h>
#include <kelvorin/KvStr.h>

#include <sys/stat.h>

CFileName::CFileName(std::string path) : m_path(std::move(path)) {}

CFileName::~CFileName() = default;

void CFileName::SetFileName(const std::string& path) {
    m_path = path;
}

void CFileName::SplitPath(const std::string& path, std::string& folder, std::string& name,
                          std::string& extension) {
    const size_t slash = path.rfind('/');
    folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string last = slash == std::string::npos ? path : path.substr(slash + 1);
    const size_t dot = last.rfind('.');
    name = dot == std::string::npos ? last : last.substr(0, dot);
    extension = dot == std::string::npos ? std::string() : last.substr(dot);
}

std::string CFileName::GetFileName() const {
    std::string folder, name, extension;
    SplitPath(m_path, folder, name, extension);
    return name + extension;
}

std::string CFileName::GetFileTitle() const {
    std::string folder, name, extension;
    SplitPath(m_path, folder, name, extension);
    return name;
}

std::string CFileName::GetExtension() const {
    std::string folder, name, extension;
    SplitPath(m_path, folder, name, extension);
    return extension;
}

std::string CFileName::GetRoot() const {
    std::string folder, name, extension;
    SplitPath(m_path, folder, name, extension);
    return folder;
}

std::string CFileName::GetDescription() const {
    struct stat info {};
    if (stat(m_path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
        return "文件夹";
    }
    const std::string extension = GetExtension();
    if (extension.size() <= 1) {
        return "文件";
    }
    return KvStr::MakeUpper(extension.substr(1)) + " 文件";
}

int CFileName::Exist() const {
    std::string path = m_path;
    if (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    struct stat info {};
    return !path.empty() && stat(path.c_str(), &info) == 0 ? 1 : 0;
}
