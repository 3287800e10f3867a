#pragma once
// One path with accessors for its parts ("/" separates folders; no drive letters).
#include <kelvorin/KvExport.h>

#include <string>

class KV_API CFileName {
public:
    CFileName() = default;
    explicit CFileName(std::string path);
    virtual ~CFileName();
    CFileName(const CFileName&) = default;
    CFileName& operator=(const CFileName&) = default;

    void SetFileName(const std::string& path);
    std::string GetFullName() const { return m_path; }
    std::string GetFileName() const;  // name with extension
    std::string GetFileTitle() const; // name without extension
    std::string GetExtension() const; // with its leading "."
    std::string GetRoot() const;      // folder, with its trailing "/"
    std::string GetDescription() const;
    int Exist() const;

    // The path split as the platform's path splitter does: folder (with its trailing
    // "/"), name, and extension (from the last "." of the last component).
    static void SplitPath(const std::string& path, std::string& folder, std::string& name,
                          std::string& extension);

private:
    std::string m_path;
};
