#include "catalogue/CatalogueDatabase.h"

#include <kelvorin/KvCommon.h>

#include <filesystem>
#include <iostream>
#include <system_error>
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
