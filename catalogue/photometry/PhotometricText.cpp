#include "catalogue/photometry/PhotometricText.h"

#include "catalogue/CatalogueSourceText.h"

#include <kelvorin/KvStr.h>

#include <cmath>

namespace qv {
namespace {

bool IsSeparator(char c) {
    return c == ' ' || c == '\t' || c == ',' || c == '\f' || c == '\v';
}

// The word as shown in a message: cut to 20 bytes.
std::string Shown(const std::string& word) {
    return word.size() <= 20 ? "\"" + word + "\"" : "\"" + word.substr(0, 20) + "...\"";
}

} // namespace

PhotometricText::PhotometricText(const std::string& text) {
    std::string line;
    const size_t start = text.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0; // a UTF-8 byte order mark
    for (size_t i = start; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\n' || c == '\r') {
            m_lines.push_back(line);
            line.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            line += c;
        }
    }
    if (!line.empty()) {
        m_lines.push_back(line);
    }
}

bool PhotometricText::NextLine(std::string& line) {
    if (!m_token.empty() || !KvStr::Trim(m_rest).empty()) {
        line = m_token.empty() ? m_rest : m_token + " " + m_rest;
        m_token.clear();
        m_rest.clear();
        return true;
    }
    m_rest.clear();
    if (m_line >= m_lines.size()) {
        return false;
    }
    line = m_lines[m_line++];
    return true;
}

bool PhotometricText::FillToken() {
    while (m_token.empty()) {
        size_t start = 0;
        while (start < m_rest.size() && IsSeparator(m_rest[start])) {
            ++start;
        }
        if (start == m_rest.size()) {
            if (m_line >= m_lines.size()) {
                return false;
            }
            m_rest = m_lines[m_line++];
            continue;
        }
        size_t end = start;
        while (end < m_rest.size() && !IsSeparator(m_rest[end])) {
            ++end;
        }
        m_token = m_rest.substr(start, end - start);
        m_rest.erase(0, end);
    }
    return true;
}

bool PhotometricText::NextNumber(double& value, const std::string& what, std::string& error) {
    if (!FillToken()) {
        error = Problem(what + " expected, the file ends");
        return false;
    }
    const std::string word = m_token;
    m_token.clear();
    if (!IsNumberText(word, &value)) {
        error = Problem(what + " expected, found " + Shown(word));
        return false;
    }
    return true;
}

bool PhotometricText::NextCount(int& value, int low, int high, const std::string& what,
                                std::string& error) {
    double number = 0.0;
    if (!NextNumber(number, what, error)) {
        return false;
    }
    if (!IsCount(number, low, high)) {
        error = Problem(what + " must be a whole number from " + std::to_string(low) + " to " +
                        std::to_string(high) + ", found " + KvStr::FormatDouble(number));
        return false;
    }
    value = static_cast<int>(number);
    return true;
}

std::string PhotometricText::Problem(const std::string& message) const {
    return std::to_string(LineNumber()) + ": " + message;
}

bool ReadDecimal(const std::string& text, double& value) {
    std::string trimmed = KvStr::Trim(text);
    const size_t comma = trimmed.find(',');
    if (comma != std::string::npos) {
        if (trimmed.find(',', comma + 1) != std::string::npos ||
            trimmed.find('.') != std::string::npos) {
            return false;
        }
        trimmed[comma] = '.';
    }
    return IsNumberText(trimmed, &value);
}

bool IsCount(double value, int low, int high) {
    return value >= low && value <= high && value == std::floor(value);
}

} // namespace qv
