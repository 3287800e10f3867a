#include "model/XmlPath.h"

#include <algorithm>

namespace qv {

void SplitElementPath(const std::string& section, const std::string& key, std::string& buffer,
                      std::vector<std::string_view>& names) {
    buffer.assign(section);
    if (buffer.empty() || buffer.back() != '/') {
        buffer.push_back('/');
    }
    buffer.append(key);
    std::replace(buffer.begin(), buffer.end(), ' ', '_');
    size_t length = buffer.size();
    if (length > 0 && buffer[length - 1] == '/') {
        --length;
    }
    names.clear();
    size_t start = 0;
    for (;;) {
        const size_t slash = buffer.find('/', start);
        if (slash == std::string::npos || slash >= length) {
            names.emplace_back(buffer.data() + start, length - start);
            break;
        }
        names.emplace_back(buffer.data() + start, slash - start);
        start = slash + 1;
    }
    std::replace(buffer.begin(), buffer.end(), '/', '\0');
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
