#include "catalogue/CatalogueDatabase.h"

#include <kelvorin/KvCommon.h>

#include <filesystem>
#include <iostream>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace qv {

CatalogueDatabase::CatalogueDatabase(KvAccess& access, std::string path)
    : CatalogueDatabase(access, std::move(path), std::cout) {}

CatalogueDatabase::CatalogueDatabase(KvAccess& access, std::string path, std::ostream& report)
    : m_access(&access), m_path(std::move(path)), m_report(&report) {}

bool CatalogueDatabase::Connect() {
    return m_access->InitADOServer(m_path, "") == 1;
}

int CatalogueDatabase::Select(KvStTable& out, const std::string& sql) {
    if (!Connect()) {
        out = KvStTable();
        return -1;
    }
    return m_access->GetSelData(out, sql);
}

int CatalogueDatabase::SelectCells(std::vector<std::string>& out, const std::string& sql) {
    if (!Connect()) {
        out.clear();
        return -1;
    }
    return m_access->GetSelData(out, sql);
}

int CatalogueDatabase::SelectDistinct(std::vector<std::string>& out, const std::string& sql) {
    if (!Connect()) {
        out.clear();
        return -1;
    }
    return m_access->GetSelDistinctData(out, sql);
}

int CatalogueDatabase::Execute(const std::string& sql) {
    return Connect() ? m_access->ExecuteSQL(sql) : 0;
}

bool CatalogueDatabase::HasTable(const std::string& name) {
    return Connect() && m_access->IsTableInDatabase(name, "TABLE") == 1;
}

std::string CatalogueWriteProblem(const std::string& path) {
    const std::filesystem::path file(path);
    const std::filesystem::path folder =
        file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
    if (::access(file.c_str(), W_OK) == 0 && ::access(folder.c_str(), W_OK) == 0) {
        return std::string();
    }
    return "灯具数据库“" + path + "”不能写入（只读或没有写入权限）";
}

std::string DefaultCataloguePath() {
    return KvCommon::GetTxtPath("") + "Lamps.db";
}

std::string CataloguePathFor(const std::string& given) {
    if (given.empty()) {
        return DefaultCataloguePath();
    }
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(given, error);
    return error ? given : full.lexically_normal().string();
}

} // namespace qv
