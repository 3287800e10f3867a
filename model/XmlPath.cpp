#include "model/XmlPath.h"

#include <algorithm>

namespace qv {

void ElementPath::SplitWhole(const std::string& section, const std::string& key) {
    m_buffer.assign(section);
    if (m_buffer.empty() || m_buffer.back() != '/') {
        m_buffer.push_back('/');
    }
    m_keyStart = m_buffer.size();
    m_buffer.append(key);
    std::replace(m_buffer.begin(), m_buffer.end(), ' ', '_');
    size_t length = m_buffer.size();
    if (length > 0 && m_buffer[length - 1] == '/') {
        --length;
    }
    m_names.clear();
    size_t start = 0;
    for (;;) {
        const size_t slash = m_buffer.find('/', start);
        if (slash == std::string::npos || slash >= length) {
            m_names.emplace_back(m_buffer.data() + start, length - start);
            break;
        }
        m_names.emplace_back(m_buffer.data() + start, slash - start);
        start = slash + 1;
    }
    std::replace(m_buffer.begin(), m_buffer.end(), '/', '\0');
}

const std::vector<std::string_view>& ElementPath::Split(const std::string& section,
                                                        const std::string& key) {
    // A plain key after the same section: only the last name changes.
    const bool plainKey = !key.empty() && key.find_first_of("/ ") == std::string::npos;
    const char* const data = m_buffer.data();
    if (plainKey && m_sectionNames > 0 && section == m_section) {
        m_buffer.resize(m_keyStart);
        m_buffer.append(key);
        if (m_buffer.data() == data) {
            m_names.resize(m_sectionNames);
            m_names.emplace_back(m_buffer.data() + m_keyStart, key.size());
            return m_names;
        }
    }
    SplitWhole(section, key);
    m_section = section;
    m_sectionNames = plainKey ? m_names.size() - 1 : 0;
    return m_names;
}

namespace {

bool IsNameStart(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':' || c >= 0x80;
}

bool IsNameChar(unsigned char c) {
    return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

} // namespace

bool IsElementName(std::string_view name) {
    if (name.empty() || !IsNameStart(static_cast<unsigned char>(name.front()))) {
        return false;
    }
    return std::all_of(name.begin(), name.end(),
                       [](char c) { return IsNameChar(static_cast<unsigned char>(c)); });
}

int EntryIndexOfName(std::string_view name, std::string_view prefix, int limit) {
    if (name.size() <= prefix.size() || name.substr(0, prefix.size()) != prefix) {
        return -1;
    }
    const std::string_view digits = name.substr(prefix.size());
    if (digits.size() > 10 || (digits.size() > 1 && digits.front() == '0')) {
        return -1;
    }
    long long value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') {
            return -1;
        }
        value = value * 10 + (c - '0');
    }
    return value < limit ? static_cast<int>(value) : -1;
}

} // namespace qv
