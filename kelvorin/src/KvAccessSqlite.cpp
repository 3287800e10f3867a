#include "KvAccessSqlite.h"

#include "KvAccessDialect.h"
#include "KvAccessTypes.h"

namespace kv_detail {

namespace {

bool IsOnlyTrailer(const char* tail) {
    const std::string rest(tail);
    const std::vector<SqlToken> tokens = LexSql(rest);
    for (const SqlToken& token : tokens) {
        const bool semicolon = token.kind == SqlTokenKind::Symbol && rest[token.begin] == ';';
        if (token.kind != SqlTokenKind::Space && token.kind != SqlTokenKind::Comment &&
            !semicolon) {
            return false;
        }
    }
    return true;
}

} // namespace

Statement Prepare(sqlite3* db, const std::string& sql, const std::vector<std::string>& texts) {
    sqlite3_stmt* raw = nullptr;
    const char* tail = nullptr;
    const int code =
        sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()) + 1, &raw, &tail);
    Statement statement(raw);
    if (code != SQLITE_OK || !statement || (tail != nullptr && !IsOnlyTrailer(tail))) {
        return nullptr;
    }
    for (size_t i = 0; i < texts.size(); ++i) {
        if (sqlite3_bind_text(raw, static_cast<int>(i) + 1, texts[i].data(),
                              static_cast<int>(texts[i].size()), SQLITE_TRANSIENT) != SQLITE_OK) {
            return nullptr;
        }
    }
    return statement;
}

bool RunToEnd(sqlite3_stmt* statement) {
    int code = SQLITE_ROW;
    while (code == SQLITE_ROW) {
        code = sqlite3_step(statement);
    }
    return code == SQLITE_DONE;
}

bool Execute(sqlite3* db, const std::string& sql, const std::vector<std::string>& texts) {
    const Statement statement = Prepare(db, sql, texts);
    return statement && RunToEnd(statement.get());
}

std::vector<std::string> ColumnNames(sqlite3_stmt* statement) {
    std::vector<std::string> names;
    const int count = sqlite3_column_count(statement);
    for (int column = 0; column < count; ++column) {
        const char* name = sqlite3_column_name(statement, column);
        names.emplace_back(name != nullptr ? name : "");
    }
    return names;
}

std::string CellText(sqlite3_stmt* statement, int column) {
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_INTEGER:
        return std::to_string(sqlite3_column_int64(statement, column));
    case SQLITE_FLOAT:
        return RealText(sqlite3_column_double(statement, column));
    case SQLITE_NULL:
        return std::string();
    case SQLITE_BLOB: {
        const void* bytes = sqlite3_column_blob(statement, column);
        const int size = sqlite3_column_bytes(statement, column);
        return bytes != nullptr
                   ? std::string(static_cast<const char*>(bytes), static_cast<size_t>(size))
                   : std::string();
    }
    default: {
        const unsigned char* text = sqlite3_column_text(statement, column);
        const int size = sqlite3_column_bytes(statement, column);
        return text != nullptr
                   ? std::string(reinterpret_cast<const char*>(text), static_cast<size_t>(size))
                   : std::string();
    }
    }
}

bool InSavepoint(sqlite3* db, const std::function<bool()>& body) {
    if (!Execute(db, "SAVEPOINT kv_access")) {
        return false;
    }
    if (body()) {
        return Execute(db, "RELEASE kv_access");
    }
    Execute(db, "ROLLBACK TO kv_access");
    Execute(db, "RELEASE kv_access");
    return false;
}

} // namespace kv_detail
