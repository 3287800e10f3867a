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

// The length of the UTF-8 sequence at text[i] (1 to 4), or 0 when none starts there:
// no overlong forms, no surrogates, nothing above U+10FFFF.
size_t Utf8SequenceAt(const std::string& text, size_t i) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80) {
        return 1;
    }
    size_t length = 0;
    unsigned char low = 0x80; // bounds of the second byte
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (i + length > text.size() || byte(i + 1) < low || byte(i + 1) > high) {
        return 0;
    }
    for (size_t k = 2; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            return 0;
        }
    }
    return length;
}

} // namespace

std::string AsUtf8(const std::string& text) {
    bool valid = true;
    for (size_t i = 0; i < text.size() && valid;) {
        const size_t length = Utf8SequenceAt(text, i);
        valid = length > 0;
        i += length;
    }
    if (valid) {
        return text;
    }
    std::string decoded;
    decoded.reserve(text.size() + text.size() / 8);
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            decoded += c;
        } else {
            decoded += static_cast<char>(0xC0 | (byte >> 6));
            decoded += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return decoded;
}

PhotometricText::PhotometricText(const std::string& source) {
    const std::string text = AsUtf8(source);
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
