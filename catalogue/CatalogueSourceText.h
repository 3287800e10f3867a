#pragma once
// Reading the text sources of the catalogue: CSV tables and SQL scripts.
#include <string>
#include <vector>

namespace qv {

// A CSV text (UTF-8, comma separated, the first line a header): fields may be quoted
// ("a, b", with "" for a quote); blank lines are skipped. Each row keeps the number of
// its first line for messages.
struct CsvRows {
    std::vector<std::string> header;
    struct Row {
        int line = 0;
        std::vector<std::string> fields;
    };
    std::vector<Row> rows;
};

// False, with error "LINE: ...", for an unclosed quote, a missing header, or a row with
// another number of fields than the header.
bool ParseCsv(const std::string& text, CsvRows& out, std::string& error);

// The statements of an SQL script: split at semicolons outside quotes, brackets and
// comments, with "--" comments removed and blank statements left out.
std::vector<std::string> SplitSqlScript(const std::string& script);

// The whole text (blanks around it allowed) as a finite decimal number.
bool IsNumberText(const std::string& text, double* value = nullptr);

} // namespace qv
