#pragma once
// The CSV input files of quorvel-calc: UTF-8, comma separated, a header line naming the
// columns in any order. Fields may be quoted ("a, b", with "" for a quote); blank lines
// are skipped; unquoted fields are trimmed. Every error names the file and the line.
#include <string>
#include <vector>

namespace qv::cli {

// A column the command reads: a required column must be in the header; an optional one
// takes its default where it is missing or its cell is empty.
struct CsvColumn {
    std::string name;
    bool required = true;
    std::string defaultText;
};

class CsvTable {
public:
    // Reads the file. Fails, with error "FILE:LINE: ...", when the file cannot be read, a
    // quote is not closed, the header lacks a required column, names a column twice or
    // names one the command does not read, or a row has another number of fields than
    // the header.
    bool Read(const std::string& path, const std::vector<CsvColumn>& columns, std::string& error);

    int RowCount() const { return static_cast<int>(m_rows.size()); }
    // The text of a cell, or the column's default.
    std::string Text(int row, const std::string& column) const;
    // The cell as a finite decimal number; false with error "FILE:LINE: column ...".
    bool Number(int row, const std::string& column, double& value, std::string& error) const;

private:
    struct Row {
        int line;
        std::vector<std::string> fields;
    };
    const CsvColumn* ColumnOf(const std::string& name) const;
    int PositionOf(const std::string& name) const;

    std::string m_path;
    std::vector<CsvColumn> m_columns;
    std::vector<std::string> m_header;
    std::vector<Row> m_rows;
};

// The whole text (blanks around it allowed) as a finite decimal number.
bool ParseNumberText(const std::string& text, double& value);

} // namespace qv::cli
