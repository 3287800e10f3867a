#include <kelvorin/KvAccess.h>

#include "KvAccessDialect.h"
#include "KvAccessSqlite.h"
#include "KvAccessTypes.h"

#include <kelvorin/KvMessage.h>
#include <kelvorin/KvStr.h>

#include <sqlite3.h>
#include <sys/stat.h>

#include <algorithm>
#include <utility>

using namespace kv_detail;

namespace {

void ShowWarning(const std::string& text) {
    KvMessageSink::Show(text, "Varsolin", KvMessageIcon::Warning, KvMessageButtons::Ok);
}

// Runs an operation so that no exception leaves the library: one that escapes the body
// (memory exhaustion, a throwing message handler) becomes the failure result.
template <typename Result, typename Body> Result NoThrow(Result failure, Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return failure;
    }
}

// Whether two paths that are equal without regard to case name one file: either they are
// equal, or both exist and are the same file (a case-insensitive file system).
bool SameFile(const std::string& a, const std::string& b) {
    if (a == b) {
        return true;
    }
    struct stat first {};
    struct stat second {};
    return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

// Shows why a name cannot be a table name; true when it can.
bool AcceptTableName(const std::string& name) {
    const std::string problem = TableNameProblem(name);
    if (problem.empty()) {
        return true;
    }
    ShowWarning("\"" + name + "\"不能作为表名：" + problem);
    return false;
}

struct SchemaEntry {
    std::string name;
    std::string type; // "TABLE", "SYSTEM TABLE" or "VIEW"
};

// The tables and views of the database in name order; false on an engine error.
bool ReadSchema(sqlite3* db, std::vector<SchemaEntry>& entries) {
    const Statement statement =
        Prepare(db, "SELECT name, CASE WHEN type = 'view' THEN 'VIEW' "
                    "WHEN name LIKE 'sqlite\\_%' ESCAPE '\\' THEN 'SYSTEM TABLE' "
                    "ELSE 'TABLE' END FROM sqlite_schema "
                    "WHERE type IN ('table', 'view') ORDER BY name");
    if (!statement) {
        return false;
    }
    int code = SQLITE_ROW;
    while ((code = sqlite3_step(statement.get())) == SQLITE_ROW) {
        entries.push_back(
            {KvStr::Trim(CellText(statement.get(), 0)), CellText(statement.get(), 1)});
    }
    return code == SQLITE_DONE;
}

} // namespace

void KvAccess::ConnectionCloser::operator()(sqlite3* connection) const {
    sqlite3_close_v2(connection);
}

KvAccess::KvAccess() {
    if (sqlite3_initialize() != SQLITE_OK) {
        NoThrow(0, [] {
            ShowWarning("初始化Com失败!");
            return 0;
        });
    }
}

KvAccess::KvAccess(const KvAccess& other) : m_path(other.m_path), m_password(other.m_password) {}

KvAccess& KvAccess::operator=(const KvAccess& other) {
    if (this != &other) {
        CloseAll();
        m_path = other.m_path;
        m_password = other.m_password;
    }
    return *this;
}

KvAccess::KvAccess(KvAccess&& other) noexcept = default;
KvAccess& KvAccess::operator=(KvAccess&& other) noexcept = default;

KvAccess::~KvAccess() {
    CloseAll();
}

int KvAccess::InitADOServer(const std::string& path, const std::string& password) {
    return NoThrow(0, [&] { return Open(path, password, nullptr); });
}

int KvAccess::Open(const std::string& path, const std::string& password, bool* messageShown) {
    if (messageShown != nullptr) {
        *messageShown = false;
    }
    if (!KvStr::IsFileName(path)) {
        return 0;
    }
    if (m_connection && KvStr::EqualNoCase(m_path, path) && SameFile(m_path, path)) {
        return 1;
    }
    CloseAll();
    sqlite3* raw = nullptr;
    // Read-write without create: a missing file is an error, never a new empty database.
    const int code = sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr);
    std::unique_ptr<sqlite3, ConnectionCloser> connection(raw);
    if (code == SQLITE_OK) {
        // Double-quoted names in statements built here must never fall back to texts.
        sqlite3_db_config(raw, SQLITE_DBCONFIG_DQS_DML, 0, static_cast<int*>(nullptr));
        sqlite3_db_config(raw, SQLITE_DBCONFIG_DQS_DDL, 0, static_cast<int*>(nullptr));
        sqlite3_busy_timeout(raw, 2000);
        // Opening is lazy: reading the schema tells whether the file is a database.
        if (Execute(raw, "SELECT count(*) FROM sqlite_schema")) {
            m_connection = std::move(connection);
            m_path = path;
            m_password = password;
            return 1;
        }
    }
    connection.reset();
    if (messageShown != nullptr) {
        *messageShown = true;
    }
    ShowWarning("不能正常连接数据库..." + path);
    return 0;
}

int KvAccess::Connect(bool* messageShown) {
    return Open(m_path, m_password, messageShown);
}

void KvAccess::CloseAll() {
    m_connection.reset();
}

int KvAccess::GetSelData(KvStTable& out, const std::string& sql) {
    return NoThrow(-1, [&] {
        out = KvStTable();
        const std::string text = KvStr::Trim(sql);
        if (text.empty() || !Connect()) {
            return -1;
        }
        const TranslatedStatement translated = TranslateStatement(text);
        if (translated.isTableCopy) {
            return -1;
        }
        const Statement statement = Prepare(m_connection.get(), translated.sql);
        // Queries only: a statement that writes or returns no columns is not run here.
        if (!statement || sqlite3_column_count(statement.get()) == 0 ||
            !sqlite3_stmt_readonly(statement.get())) {
            return -1;
        }
        out.SetLableRecord(ColumnNames(statement.get()));
        const int columns = sqlite3_column_count(statement.get());
        int rows = 0;
        int code = SQLITE_ROW;
        while ((code = sqlite3_step(statement.get())) == SQLITE_ROW) {
            std::vector<std::string> cells;
            cells.reserve(static_cast<size_t>(columns));
            for (int column = 0; column < columns; ++column) {
                cells.push_back(CellText(statement.get(), column));
            }
            out.AddValueRecord(cells);
            ++rows;
        }
        return code == SQLITE_DONE ? rows : -1;
    });
}

int KvAccess::GetSelData(std::vector<std::string>& out, const std::string& sql) {
    return NoThrow(-1, [&] {
        out.clear();
        KvStTable table;
        const int rows = GetSelData(table, sql);
        if (rows < 0) {
            return -1;
        }
        std::vector<std::string> cells;
        for (int row = 0; row < rows; ++row) {
            table.GetValueRecord(cells, row);
            out.insert(out.end(), cells.begin(), cells.end());
        }
        return rows;
    });
}

int KvAccess::GetSelDistinctData(std::vector<std::string>& out, const std::string& sql) {
    return NoThrow(-1, [&] {
        std::vector<std::string> cells;
        out.clear();
        if (GetSelData(cells, sql) < 0) {
            return -1;
        }
        for (std::string& cell : cells) {
            if (std::find(out.begin(), out.end(), cell) == out.end()) {
                out.push_back(std::move(cell));
            }
        }
        return static_cast<int>(out.size());
    });
}

int KvAccess::GetSelData(std::list<std::string>& out, const std::string& sql) {
    return NoThrow(-1, [&] {
        std::vector<std::string> texts;
        const int count = GetSelDistinctData(texts, sql);
        out.assign(texts.begin(), texts.end());
        return count;
    });
}

int KvAccess::GetSelData(KvListViewRows& view, const std::string& sql) {
    return NoThrow(-1, [&] {
        view.items.clear();
        KvStTable table;
        const int rows = GetSelData(table, sql);
        const int shown = std::min(view.headerColumnCount, table.GetFieldCount());
        if (rows < 0 || shown <= 0) {
            return -1;
        }
        std::vector<std::string> cells;
        for (int row = 0; row < rows; ++row) {
            table.GetValueRecord(cells, row);
            cells.resize(std::clamp<size_t>(cells.size(), 1, static_cast<size_t>(shown)));
            view.items.push_back(cells);
        }
        return rows;
    });
}

int KvAccess::ExecuteSQL(const std::string& sql) {
    return NoThrow(0, [&] {
        const std::string text = KvStr::Trim(sql);
        if (text.empty() || !Connect()) {
            return 0;
        }
        return RunStatement(text);
    });
}

int KvAccess::RunStatement(const std::string& sql) {
    const TranslatedStatement translated = TranslateStatement(sql);
    if (translated.isTableCopy) {
        if (!AcceptTableName(translated.target)) {
            return 0;
        }
        return CopyTable(translated.target, translated.source, translated.rest, false);
    }
    return Execute(m_connection.get(), translated.sql) ? 1 : 0;
}

int KvAccess::IsTableInDatabase(const std::string& name, const std::string& type) {
    return NoThrow(0, [&] {
        bool messageShown = false;
        if (!Connect(&messageShown)) {
            if (!messageShown) {
                ShowWarning("数据库没有正常连接...");
            }
            return 0;
        }
        const std::string wanted = PlainTableName(name);
        std::vector<SchemaEntry> entries;
        ReadSchema(m_connection.get(), entries);
        for (const SchemaEntry& entry : entries) {
            if (KvStr::EqualNoCase(entry.type, type) && KvStr::EqualNoCase(entry.name, wanted)) {
                return 1;
            }
        }
        return 0;
    });
}

int KvAccess::GetAllTableNames(std::vector<std::string>& out) {
    return NoThrow(-1, [&] {
        out.clear();
        std::vector<SchemaEntry> entries;
        if (!Connect() || !ReadSchema(m_connection.get(), entries)) {
            return -1;
        }
        for (const SchemaEntry& entry : entries) {
            if (entry.type == "TABLE") {
                out.push_back(entry.name);
            }
        }
        return static_cast<int>(out.size());
    });
}

int KvAccess::CreateTable(const std::string& name, const std::vector<KvStTableField>& fields) {
    return NoThrow(0, [&] {
        const std::string table = PlainTableName(name);
        if (!AcceptTableName(table) || !Connect() || IsTableInDatabase(table, "TABLE")) {
            return 0;
        }
        std::string columns;
        for (const KvStTableField& field : fields) {
            const std::string declared = DeclaredType(field.type, field.size);
            if (declared.empty()) {
                continue;
            }
            std::string clause = QuoteIdentifier(field.name) + " " + declared;
            if (TakesNullClause(field.type)) {
                clause += field.primaryKey ? " PRIMARY KEY NOT NULL"
                                           : (field.allowNull ? " NULL" : " NOT NULL");
            }
            columns += (columns.empty() ? "" : ", ") + clause;
        }
        if (columns.empty()) {
            return 0;
        }
        return Execute(m_connection.get(),
                       "CREATE TABLE " + QuoteIdentifier(table) + " (" + columns + ")")
                   ? 1
                   : 0;
    });
}

int KvAccess::CanCopy(const std::string& name, const std::string& source) {
    if (name.empty() || source.empty() || !AcceptTableName(name) || !Connect()) {
        return 0;
    }
    return !IsTableInDatabase(name, "TABLE") && IsTableInDatabase(source, "TABLE") ? 1 : 0;
}

int KvAccess::CreateTableFromTemplet(const std::string& name, const std::string& templet) {
    return NoThrow(0, [&] {
        const std::string table = PlainTableName(name);
        const std::string source = PlainTableName(templet);
        return CanCopy(table, source) ? CopyTable(table, source, std::string(), false) : 0;
    });
}

int KvAccess::CopyTableStructInfo(const std::string& name, const std::string& source,
                                  int structureOnly, const std::string& condition) {
    return NoThrow(0, [&] {
        const std::string table = PlainTableName(name);
        const std::string from = PlainTableName(source);
        if (!CanCopy(table, from)) {
            return 0;
        }
        return CopyTable(table, from, TranslateFragment(KvStr::Trim(condition)),
                         structureOnly != 0);
    });
}

int KvAccess::CopyTable(const std::string& target, const std::string& source,
                        const std::string& rest, bool structureOnly) {
    sqlite3* db = m_connection.get();
    std::string create;
    {
        const Statement schema = Prepare(db,
                                         "SELECT sql FROM sqlite_schema WHERE type = 'table' "
                                         "AND name = ?1 COLLATE NOCASE",
                                         {source});
        if (!schema || sqlite3_step(schema.get()) != SQLITE_ROW) {
            return 0;
        }
        create = RenameCreateTable(CellText(schema.get(), 0), target);
    }
    if (create.empty()) {
        return 0;
    }
    const std::string insert = "INSERT INTO " + QuoteIdentifier(target) + " SELECT * FROM " +
                               QuoteIdentifier(source) + (rest.empty() ? "" : " " + rest);
    const bool copied = InSavepoint(db, [&] {
        return Execute(db, create) && Execute(db, insert) &&
               (!structureOnly || Execute(db, "DELETE FROM " + QuoteIdentifier(target)));
    });
    return copied ? 1 : 0;
}

int KvAccess::DeleteTable(const std::string& name) {
    return NoThrow(0, [&] {
        const std::string table = PlainTableName(name);
        if (!Connect() || !IsTableInDatabase(table, "TABLE")) {
            return 0;
        }
        return Execute(m_connection.get(), "DROP TABLE " + QuoteIdentifier(table)) ? 1 : 0;
    });
}

int KvAccess::GetTableStructInfo(std::vector<std::string>& names, const std::string& table) {
    return NoThrow(0, [&] {
        names.clear();
        if (!Connect()) {
            return 0;
        }
        const Statement statement =
            Prepare(m_connection.get(),
                    "SELECT * FROM " + QuoteIdentifier(PlainTableName(table)) + " LIMIT 1");
        if (!statement) {
            return 0;
        }
        for (const std::string& name : ColumnNames(statement.get())) {
            names.push_back(KvStr::Trim(name));
        }
        return 1;
    });
}

int KvAccess::GetTableStructInfo(std::vector<KvStTableField>& fields, const std::string& table) {
    return NoThrow(0, [&] {
        fields.clear();
        const std::string name = PlainTableName(table);
        if (!Connect() || !IsTableInDatabase(name, "TABLE")) {
            return 0;
        }
        const Statement statement =
            Prepare(m_connection.get(),
                    "SELECT name, type, \"notnull\", pk FROM pragma_table_info(?1)", {name});
        if (!statement) {
            return 0;
        }
        int code = SQLITE_ROW;
        while ((code = sqlite3_step(statement.get())) == SQLITE_ROW) {
            const ColumnType type = ColumnTypeOf(CellText(statement.get(), 1));
            KvStTableField field;
            field.name = KvStr::Trim(CellText(statement.get(), 0));
            field.type = type.typeName;
            field.size = type.size;
            field.primaryKey = sqlite3_column_int(statement.get(), 3) > 0 ? 1 : 0;
            // A key column is required even where SQLite would let a null in.
            field.allowNull = sqlite3_column_int(statement.get(), 2) || field.primaryKey ? 0 : 1;
            fields.push_back(field);
        }
        if (code != SQLITE_DONE) {
            fields.clear();
            return 0;
        }
        return 1;
    });
}

int KvAccess::AddRecordToTable(const std::string& table, const std::vector<std::string>& names,
                               const std::vector<std::string>& values) {
    return NoThrow(0, [&] {
        if (!Connect()) {
            return 0;
        }
        std::string columns;
        std::string placeholders;
        std::vector<std::string> texts;
        for (size_t i = 0; i < names.size() && i < values.size(); ++i) {
            std::string value = KvStr::Trim(values[i]);
            if (value.empty()) {
                continue; // the column keeps its default
            }
            columns += (texts.empty() ? "" : ", ") + QuoteIdentifier(KvStr::Trim(names[i]));
            texts.push_back(std::move(value));
            placeholders += (texts.size() == 1 ? "?" : ", ?") + std::to_string(texts.size());
        }
        const std::string into = "INSERT INTO " + QuoteIdentifier(PlainTableName(table));
        const std::string sql = texts.empty()
                                    ? into + " DEFAULT VALUES"
                                    : into + " (" + columns + ") VALUES (" + placeholders + ")";
        return Execute(m_connection.get(), sql, texts) ? 1 : 0;
    });
}

std::string KvAccess::EscapeText(const std::string& value) {
    return EscapeLiteral(value);
}

std::string KvAccess::QuoteText(const std::string& value) {
    return QuoteLiteral(value);
}

int KvAccess::IsTableName(const std::string& name, std::string* problem) {
    std::string why = TableNameProblem(name);
    const int valid = why.empty() ? 1 : 0;
    if (problem != nullptr) {
        *problem = std::move(why);
    }
    return valid;
}
