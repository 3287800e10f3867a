#pragma once
// Thin helpers over the SQLite C interface for KvAccess: prepared statements that finalize
// themselves, running a statement to its end, cell texts and savepoints.
#include <sqlite3.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kv_detail {

struct StatementFinalizer {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

// Prepares the one statement of the text, with the texts bound to ?1, ?2, ...; null on an
// error, for a text without a statement, and when a second statement follows (only
// blanks, comments and semicolons may follow the first).
Statement Prepare(sqlite3* db, const std::string& sql, const std::vector<std::string>& texts = {});

// Steps the statement until it is done; false on an error.
bool RunToEnd(sqlite3_stmt* statement);

// Prepares and runs one statement; false on an error.
bool Execute(sqlite3* db, const std::string& sql, const std::vector<std::string>& texts = {});

std::vector<std::string> ColumnNames(sqlite3_stmt* statement);

// The text of a cell of the current row: integers in decimal, reals by RealText, NULL as
// empty text, texts and binaries as stored.
std::string CellText(sqlite3_stmt* statement, int column);

// Runs the body inside a savepoint, so that its statements take effect together or, when
// it returns false, not at all.
bool InSavepoint(sqlite3* db, const std::function<bool()>& body);

} // namespace kv_detail
