#include "catalogue/CatalogueSourceText.h"

#include <kelvorin/KvStr.h>

#include <charconv>
#include <cmath>

namespace qv {

namespace {

bool IsBlankLine(const std::vector<std::string>& fields) {
    return fields.size() == 1 && KvStr::Trim(fields[0]).empty();
}

} // namespace

bool ParseCsv(const std::string& text, CsvRows& out, std::string& error) {
    out = CsvRows();
    std::vector<std::string> fields(1);
    bool quoted = false;
    int line = 1;
    int rowLine = 1;
    const auto finishRow = [&]() -> bool {
        if (!IsBlankLine(fields)) {
            if (out.header.empty()) {
                out.header = fields;
            } else if (fields.size() != out.header.size()) {
                error = std::to_string(rowLine) + ": " + std::to_string(fields.size()) +
                        " fields, the header has " + std::to_string(out.header.size());
                return false;
            } else {
                out.rows.push_back({rowLine, fields});
            }
        }
        fields.assign(1, std::string());
        rowLine = line;
        return true;
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                fields.back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                line += c == '\n' ? 1 : 0;
                fields.back() += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            fields.emplace_back();
        } else if (c == '\n') {
            ++line;
            if (!finishRow()) {
                return false;
            }
        } else if (c != '\r') {
            fields.back() += c;
        }
    }
    if (quoted) {
        error = std::to_string(rowLine) + ": a quote is not closed";
        return false;
    }
    if (!finishRow()) {
        return false;
    }
    if (out.header.empty()) {
        error = "1: no header line";
        return false;
    }
    return true;
}

std::vector<std::string> SplitSqlScript(const std::string& script) {
    std::vector<std::string> statements;
    std::string current;
    char close = 0; // the character that ends the quote or bracket we are in
    for (size_t i = 0; i < script.size(); ++i) {
        const char c = script[i];
        if (close != 0) {
            current += c;
            close = c == close ? 0 : close;
        } else if (c == '-' && i + 1 < script.size() && script[i + 1] == '-') {
            while (i < script.size() && script[i] != '\n') {
                ++i;
            }
            current += '\n';
        } else if (c == ';') {
            if (!KvStr::Trim(current).empty()) {
                statements.push_back(KvStr::Trim(current));
            }
            current.clear();
        } else {
            current += c;
            close = c == '\'' ? '\'' : c == '"' ? '"' : c == '[' ? ']' : 0;
        }
    }
    if (!KvStr::Trim(current).empty()) {
        statements.push_back(KvStr::Trim(current));
    }
    return statements;
}

bool IsNumberText(const std::string& text, double* value) {
    std::string trimmed = KvStr::Trim(text);
    if (!trimmed.empty() && trimmed[0] == '+') {
        trimmed.erase(0, 1);
    }
    double number = 0.0;
    const char* end = trimmed.data() + trimmed.size();
    const auto [stop, problem] = std::from_chars(trimmed.data(), end, number);
    if (trimmed.empty() || problem != std::errc() || stop != end || !std::isfinite(number)) {
        return false;
    }
    if (value != nullptr) {
        *value = number;
    }
    return true;
}

} // namespace qv
