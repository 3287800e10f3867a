#include "cli/CsvTable.h"

#include <kelvorin/KvFile.h>
#include <kelvorin/KvStr.h>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace qv::cli {
namespace {

const std::string kByteOrderMark = "\xEF\xBB\xBF";

// One record of the file with the line it starts on.
struct Record {
    int line = 0;
    std::vector<std::string> fields;
};

// Splits the text into records of fields. Quoted fields may hold commas, doubled quotes
// and line breaks. Returns false with the line of an unclosed quote.
bool SplitRecords(const std::string& text, std::vector<Record>& records, int& badLine) {
    size_t i =
        text.compare(0, kByteOrderMark.size(), kByteOrderMark) == 0 ? kByteOrderMark.size() : 0;
    int line = 1;
    while (i < text.size()) {
        Record record;
        record.line = line;
        bool blank = true;
        for (;;) {
            std::string field;
            bool quoted = false;
            // Blanks before an opening quote belong to no field.
            size_t start = i;
            while (start < text.size() && (text[start] == ' ' || text[start] == '\t')) {
                ++start;
            }
            if (start < text.size() && text[start] == '"') {
                quoted = true;
                blank = false;
                i = start + 1;
                for (;;) {
                    if (i >= text.size()) {
                        badLine = record.line;
                        return false;
                    }
                    if (text[i] == '"') {
                        if (i + 1 < text.size() && text[i + 1] == '"') {
                            field += '"';
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    line += text[i] == '\n' ? 1 : 0;
                    field += text[i++];
                }
            }
            // The rest of the field up to a comma or the end of the line.
            std::string rest;
            while (i < text.size() && text[i] != ',' && text[i] != '\n') {
                rest += text[i++];
            }
            rest = KvStr::Trim(rest);
            blank = blank && rest.empty();
            record.fields.push_back(quoted ? field + rest : rest);
            if (i < text.size() && text[i] == ',') {
                blank = false;
                ++i;
                continue;
            }
            break;
        }
        if (i < text.size()) {
            ++i; // the line break
            ++line;
        }
        if (!blank) {
            records.push_back(std::move(record));
        }
    }
    return true;
}

} // namespace

bool ParseNumberText(const std::string& text, double& value) {
    std::string trimmed = KvStr::Trim(text);
    if (!trimmed.empty() && trimmed[0] == '+') {
        trimmed.erase(0, 1);
    }
    const char* end = trimmed.data() + trimmed.size();
    double parsed = 0.0;
    const auto [stop, error] = std::from_chars(trimmed.data(), end, parsed);
    if (trimmed.empty() || error != std::errc() || stop != end || !std::isfinite(parsed)) {
        return false;
    }
    value = parsed;
    return true;
}

bool CsvTable::Read(const std::string& path, const std::vector<CsvColumn>& columns,
                    std::string& error) {
    m_path = path;
    m_columns = columns;
    m_header.clear();
    m_rows.clear();
    std::string text;
    if (KvFile::ReadAll(path, text) != KvFileRead::Ok) {
        error = path + ": cannot read the file";
        return false;
    }
    std::vector<Record> records;
    int badLine = 0;
    if (!SplitRecords(text, records, badLine)) {
        error = KvStr::Format("%s:%d: a quoted field is not closed", path.c_str(), badLine);
        return false;
    }
    if (records.empty()) {
        error = path + ":1: no header line";
        return false;
    }
    const Record& header = records.front();
    for (const std::string& name : header.fields) {
        if (ColumnOf(name) == nullptr) {
            error = KvStr::Format("%s:%d: unknown column \"%s\"", path.c_str(), header.line,
                                  name.c_str());
            return false;
        }
        if (std::count(header.fields.begin(), header.fields.end(), name) > 1) {
            error = KvStr::Format("%s:%d: column \"%s\" named twice", path.c_str(), header.line,
                                  name.c_str());
            return false;
        }
    }
    m_header = header.fields;
    for (const CsvColumn& column : columns) {
        if (column.required && PositionOf(column.name) < 0) {
            error = KvStr::Format("%s:%d: missing column \"%s\"", path.c_str(), header.line,
                                  column.name.c_str());
            return false;
        }
    }
    for (size_t r = 1; r < records.size(); ++r) {
        const Record& record = records[r];
        if (record.fields.size() != m_header.size()) {
            error = KvStr::Format("%s:%d: %zu fields, the header has %zu columns", path.c_str(),
                                  record.line, record.fields.size(), m_header.size());
            return false;
        }
        m_rows.push_back({record.line, record.fields});
    }
    return true;
}

const CsvColumn* CsvTable::ColumnOf(const std::string& name) const {
    for (const CsvColumn& column : m_columns) {
        if (column.name == name) {
            return &column;
        }
    }
    return nullptr;
}

int CsvTable::PositionOf(const std::string& name) const {
    const auto found = std::find(m_header.begin(), m_header.end(), name);
    return found == m_header.end() ? -1 : static_cast<int>(found - m_header.begin());
}

std::string CsvTable::Text(int row, const std::string& column) const {
    const CsvColumn* known = ColumnOf(column);
    const int position = PositionOf(column);
    const std::string defaultText = known != nullptr ? known->defaultText : std::string();
    if (position < 0) {
        return defaultText;
    }
    const std::string& text =
        m_rows[static_cast<size_t>(row)].fields[static_cast<size_t>(position)];
    return text.empty() && known != nullptr && !known->required ? defaultText : text;
}

bool CsvTable::Number(int row, const std::string& column, double& value, std::string& error) const {
    const std::string text = Text(row, column);
    if (ParseNumberText(text, value)) {
        return true;
    }
    error = KvStr::Format("%s:%d: column \"%s\": \"%s\" is not a number", m_path.c_str(),
                          m_rows[static_cast<size_t>(row)].line, column.c_str(), text.c_str());
    return false;
}

} // namespace qv::cli
