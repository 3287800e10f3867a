#pragma once
// The statement dialect of KvAccess and its translation to SQLite.
//
// Callers write statements in the catalogue's desktop-database dialect: names in square
// brackets (or back quotes, or bare, Chinese included), texts in single or double quotes,
// "SELECT [DISTINCT] TOP n ...", "SELECT * INTO [new] FROM [old] ..." and
// "DELETE * FROM ...". SQLite speaks all of it except these forms, so they are rewritten
// here; everything else passes unchanged. Statements that KvAccess builds itself are
// written in SQLite's own dialect with the quoting helpers below.
#include <cstddef>
#include <string>
#include <vector>

namespace kv_detail {

enum class SqlTokenKind {
    Space,        // white space
    Comment,      // -- to the end of the line, or /* ... */
    Word,         // keyword or bare name (letters, digits, '_', '$', any non-ASCII byte)
    Number,       // numeric literal
    Text,         // '...' with '' inside
    DoubleQuoted, // "..." with "" inside: a text in the callers' dialect
    Bracketed,    // [...]: a name
    BackQuoted,   // `...` with `` inside: a name
    Symbol,       // any other single byte
};

struct SqlToken {
    SqlTokenKind kind;
    size_t begin;
    size_t end;
};

// Splits a statement into tokens that cover it completely; an unterminated quote or
// comment runs to the end of the text.
std::vector<SqlToken> LexSql(const std::string& sql);

// A statement of the callers' dialect, translated.
struct TranslatedStatement {
    // The statement in SQLite's dialect; empty for a table copy.
    std::string sql;
    // "SELECT * INTO target FROM source rest": copy the table, then its selected rows.
    bool isTableCopy = false;
    std::string target;
    std::string source;
    std::string rest; // translated, possibly empty (a WHERE or ORDER BY clause)
};

TranslatedStatement TranslateStatement(const std::string& sql);

// A piece of a statement (a condition) with its texts in double quotes turned into
// SQLite text literals; nothing else changes.
std::string TranslateFragment(const std::string& sql);

// 'text' with every quote doubled.
std::string QuoteLiteral(const std::string& text);
// The text with every single quote doubled, for a caller's '%s'.
std::string EscapeLiteral(const std::string& text);
// "name" with every double quote doubled: a name in SQLite's dialect whatever it holds.
std::string QuoteIdentifier(const std::string& name);

// The name of a table as callers pass it: trimmed, and without one pair of enclosing
// square brackets ("[光源]" names the table 光源).
std::string PlainTableName(const std::string& name);

// Empty when the text can name a table; otherwise why not. A table name must be usable
// in every statement of the dialect, so it is non-empty, at most 64 characters, does not
// begin with a blank, holds no control character and none of . ! ` [ ], and does not
// begin with the engine's reserved prefix "sqlite_".
std::string TableNameProblem(const std::string& name);

// The CREATE TABLE statement with the created table's name replaced by the quoted new
// name, keeping the column definitions and constraints; empty when the text is not a
// CREATE TABLE statement.
std::string RenameCreateTable(const std::string& createSql, const std::string& newName);

} // namespace kv_detail
