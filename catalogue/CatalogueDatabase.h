#pragma once
// The program's door to the catalogue database "Lamps.db": one KvAccess connection and
// the file it is opened on. Every operation first opens the connection (it stays open
// once made); when the file cannot be opened, the connection message is shown once and
// the operation fails without issuing its statement.
#include <kelvorin/KvAccess.h>
#include <kelvorin/KvStTable.h>

#include <iosfwd>
#include <string>
#include <vector>

namespace qv {

class CatalogueDatabase {
public:
    // The catalogue's own messages (missing intensity tables) go to report; the program
    // writes them to the standard output.
    CatalogueDatabase(KvAccess& access, std::string path);
    CatalogueDatabase(KvAccess& access, std::string path, std::ostream& report);

    // Opens the connection; false (message shown) when the file cannot be opened.
    bool Connect();
    // The rows of a query; -1 on failure.
    int Select(KvStTable& out, const std::string& sql);
    // Every cell of a query, row by row; -1 on failure.
    int SelectCells(std::vector<std::string>& out, const std::string& sql);
    // The distinct cell texts of a query in order of first appearance (a drop-down
    // list's contents); -1 on failure.
    int SelectDistinct(std::vector<std::string>& out, const std::string& sql);
    // 1 when the statement ran, 0 on failure.
    int Execute(const std::string& sql);
    // Whether a user table of that name exists (names compared without ASCII case).
    bool HasTable(const std::string& name);

    const std::string& Path() const { return m_path; }
    // The connection itself, for writers that run their own transaction; Connect() first.
    KvAccess& Access() { return *m_access; }
    std::ostream& Report() { return *m_report; }

private:
    KvAccess* m_access;
    std::string m_path;
    std::ostream* m_report;
};

// The catalogue in the text folder of the running program: KvTxt/Lamps.db.
std::string DefaultCataloguePath();

// Why the catalogue file cannot take new types: "灯具数据库“PATH”不能写入（只读或没有写入权限）"
// when the file or its folder (where the database keeps its journal) cannot be written; empty when
// it can.
std::string CatalogueWriteProblem(const std::string& path);

// The catalogue a user named (empty: the default one) as the full path the database layer
// takes: a relative name is taken from the working folder.
std::string CataloguePathFor(const std::string& given);

} // namespace qv
