#include <kelvorin/KvStr.h>

#include "CLocale.h"

#include <algorithm>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

// The two-byte signs of the system code page, here in UTF-8.
const std::string kFullWidthPercent = "\xEF\xBC\x85"; // ％
const std::string kPerMille = "\xE2\x80\xB0";         // ‰

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

} // namespace

std::string KvStr::Format(const char* format, ...) {
    kv_detail::ScopedCLocale cLocale;
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    char buffer[256];
    const int length = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    std::string result;
    if (length < 0) {
        va_end(copy);
        return result;
    }
    if (static_cast<size_t>(length) < sizeof buffer) {
        result.assign(buffer, static_cast<size_t>(length));
    } else {
        result.resize(static_cast<size_t>(length) + 1);
        std::vsnprintf(result.data(), result.size(), format, copy);
        result.resize(static_cast<size_t>(length));
    }
    va_end(copy);
    return result;
}

double KvStr::Atof(const std::string& text) {
    return strtod_l(text.c_str(), nullptr, kv_detail::CLocale());
}

int KvStr::Atoi(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // The magnitude never grows past what the result can hold, so any run of digits
    // saturates instead of overflowing.
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    long long magnitude = 0;
    for (; i < text.size() && IsAsciiDigit(text[i]); ++i) {
        magnitude = std::min(magnitude * 10 + (text[i] - '0'), limit);
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

std::string KvStr::Trim(const std::string& text) {
    size_t first = 0;
    size_t last = text.size();
    while (first < last && IsBlank(text[first])) {
        ++first;
    }
    while (last > first && IsBlank(text[last - 1])) {
        --last;
    }
    return text.substr(first, last - first);
}

std::string KvStr::MakeUpper(const std::string& text) {
    std::string upper = text;
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return upper;
}

bool KvStr::EqualNoCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && MakeUpper(a) == MakeUpper(b);
}

int KvStr::SplitStrBySymbol(std::vector<std::string>& out, const std::string& text,
                            const std::string& separator) {
    out.clear();
    std::string rest = Trim(text);
    if (separator.empty() || rest.empty()) {
        return 0;
    }
    for (;;) {
        const size_t at = rest.find(separator);
        if (at == std::string::npos) {
            out.push_back(Trim(rest));
            break;
        }
        out.push_back(Trim(rest.substr(0, at)));
        rest = rest.substr(at + separator.size());
        if (rest.empty()) {
            break;
        }
    }
    return static_cast<int>(out.size());
}

int KvStr::IsDigitFactor(double* value, const std::string& text) {
    const std::string trimmed = Trim(text);
    if (trimmed.empty()) {
        return 0;
    }
    std::string upper = MakeUpper(trimmed);
    if (upper[0] != '+' && upper[0] != '-') {
        upper.insert(upper.begin(), '+');
    }
    // The automaton of the number grammar: sign, digits, optional point with digits,
    // optional exponent that must carry its own sign.
    int state = 0;
    bool accepting = false;
    for (const char c : upper) {
        const bool sign = c == '+' || c == '-';
        const bool digit = IsAsciiDigit(c);
        switch (state) {
        case 0:
            if (!sign) {
                return 0;
            }
            state = 1;
            accepting = false;
            break;
        case 1:
            if (digit) {
                accepting = true;
            } else if (c == '.') {
                state = 2;
                accepting = true;
            } else if (c == 'E') {
                state = 4;
                accepting = false;
            } else {
                return 0;
            }
            break;
        case 2:
            if (!digit) {
                return 0;
            }
            state = 3;
            accepting = true;
            break;
        case 3:
            if (digit) {
                accepting = true;
            } else if (c == 'E') {
                state = 4;
                accepting = false;
            } else {
                return 0;
            }
            break;
        case 4:
            if (!sign) {
                return 0;
            }
            state = 5;
            accepting = false;
            break;
        case 5:
            if (!digit) {
                return 0;
            }
            state = 6;
            accepting = true;
            break;
        default: // state 6
            if (!digit) {
                return 0;
            }
            accepting = true;
            break;
        }
    }
    if (!accepting) {
        return 0;
    }
    if (value != nullptr) {
        *value = Atof(trimmed);
    }
    return 1;
}

int KvStr::IsFraction(double* numerator, double* denominator, const std::string& text) {
    const size_t length = text.size();
    if (length == 0) {
        return 0;
    }
    std::string top;
    std::string bottom;
    const size_t slash = text.find('/');
    if (slash != std::string::npos && slash > 0 && slash < length - 1) {
        top = text.substr(0, slash);
        bottom = text.substr(slash + 1);
    } else if (length >= 2 && text.back() == '%') {
        top = text.substr(0, length - 1);
        bottom = "100";
    } else if (length > kFullWidthPercent.size() && EndsWith(text, kFullWidthPercent)) {
        top = text.substr(0, length - kFullWidthPercent.size());
        bottom = "100";
    } else if (length > kPerMille.size() && EndsWith(text, kPerMille)) {
        top = text.substr(0, length - kPerMille.size());
        bottom = "1000";
    } else {
        return 0;
    }
    double topValue = 0.0;
    double bottomValue = 0.0;
    if (!IsDigitFactor(&topValue, top) || !IsDigitFactor(&bottomValue, bottom) ||
        bottomValue == 0.0) {
        return 0;
    }
    if (numerator != nullptr) {
        *numerator = topValue;
    }
    if (denominator != nullptr) {
        *denominator = bottomValue;
    }
    return 1;
}

int KvStr::IsDigit(double* value, const std::string& text) {
    if (IsDigitFactor(value, text)) {
        return 1;
    }
    double numerator = 0.0;
    double denominator = 1.0;
    if (IsFraction(&numerator, &denominator, text)) {
        if (value != nullptr) {
            *value = numerator / denominator;
        }
        return 1;
    }
    return 0;
}

int KvStr::IsDigit(const std::string& text) {
    return IsDigit(nullptr, text);
}

std::string KvStr::FormatDouble(double value) {
    std::string text = Format("%f", value);
    if (text.find('.') != std::string::npos) {
        while (!text.empty() && text.back() == '0') {
            text.pop_back();
        }
        if (!text.empty() && text.back() == '.') {
            text.pop_back();
        }
    }
    return text;
}

namespace {

// Digits before the decimal point of a number text (its whole length without a point).
size_t IntegerDigits(const std::string& number) {
    const size_t point = number.find('.');
    return point == std::string::npos ? number.size() : point;
}

} // namespace

std::string KvStr::IncreaseStrDigit(const std::string& text, double step, int keepFormat) {
    std::string rest = Trim(text);
    if (rest.empty()) {
        rest = "0";
    }
    std::string prefix;
    double value = 0.0;
    while (!rest.empty() && !IsDigitFactor(&value, rest)) {
        prefix += rest[0];
        rest.erase(0, 1);
    }
    if (rest.empty()) {
        value = 0.0;
    }
    std::string sign;
    if (!rest.empty() && (rest[0] == '+' || rest[0] == '-')) {
        sign = rest.substr(0, 1);
        rest.erase(0, 1);
    }
    const bool hasExponent = rest.find_first_of("Ee") != std::string::npos;

    value += step;
    if (!sign.empty()) {
        if (value > 0) {
            sign = "+";
        } else if (value < 0) {
            sign = "-";
        }
    }
    value = std::abs(value);

    std::string number;
    if (keepFormat == 0) {
        number = FormatDouble(value);
    } else if (!hasExponent) {
        number = FormatDouble(value);
        const size_t oldDigits = IntegerDigits(rest);
        const size_t newDigits = IntegerDigits(number);
        if (newDigits < oldDigits) {
            number.insert(0, oldDigits - newDigits, '0');
        }
    } else {
        const std::string scientific = MakeUpper(Format("%e", value));
        const size_t e = scientific.find('E');
        std::string mantissa = scientific.substr(0, e);
        while (!mantissa.empty() && mantissa.back() == '0') {
            mantissa.pop_back();
        }
        if (!mantissa.empty() && mantissa.back() == '.') {
            mantissa += '0';
        }
        const char exponentSign = scientific[e + 1];
        std::string exponent = scientific.substr(e + 2);
        const size_t firstNonZero = exponent.find_first_not_of('0');
        // An exponent of zero keeps one digit, so the name stays a number.
        exponent = firstNonZero == std::string::npos ? "0" : exponent.substr(firstNonZero);
        number = mantissa + "E" + exponentSign + exponent;
    }
    return prefix + sign + number;
}

int KvStr::IsPath(const std::string& text) {
    // Absolute and canonical: what the full-path expansion would give back unchanged.
    if (text.empty() || text[0] != '/') {
        return 0;
    }
    if (text.find("//") != std::string::npos) {
        return 0;
    }
    size_t start = 1;
    while (start <= text.size()) {
        size_t end = text.find('/', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        const std::string component = text.substr(start, end - start);
        if (component == "." || component == "..") {
            return 0;
        }
        start = end + 1;
    }
    return 1;
}

int KvStr::IsFileName(const std::string& text) {
    if (text.empty()) {
        return 0;
    }
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '/') {
            // The separator, except doubled after the start (a leading "//" is left to
            // the path check below).
            if (i >= 2 && text[i - 1] == '/') {
                return 0;
            }
            continue;
        }
        if (c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' || c == '>' ||
            c == '|') {
            return 0;
        }
    }
    const size_t slash = text.rfind('/');
    const std::string folder =
        slash == std::string::npos ? std::string() : text.substr(0, slash + 1);
    const std::string last = slash == std::string::npos ? text : text.substr(slash + 1);
    const size_t dot = last.rfind('.');
    const std::string name = dot == std::string::npos ? last : last.substr(0, dot);
    if (name.empty()) {
        return 0;
    }
    if (folder.empty()) {
        return 1;
    }
    return IsPath(text);
}

int KvStr::IsDriveExist(const std::string& path) {
    const std::string trimmed = Trim(path);
    if (trimmed.empty()) {
        return 0;
    }
    std::string top;
    if (trimmed[0] == '/') {
        const size_t next = trimmed.find('/', 1);
        top = next == std::string::npos ? trimmed : trimmed.substr(0, next);
    } else {
        top = trimmed.substr(0, trimmed.find('/'));
    }
    struct stat info {};
    return stat(top.c_str(), &info) == 0 && S_ISDIR(info.st_mode) ? 1 : 0;
}

int KvStr::SplitStrInTwoPart(std::string& textPart, std::string& numberPart,
                             const std::string& text) {
    const std::string trimmed = Trim(text);
    for (size_t length = trimmed.size(); length > 0; --length) {
        if (IsDigit(trimmed.substr(0, length))) {
            numberPart = trimmed.substr(0, length);
            textPart = trimmed.substr(length);
            return 1;
        }
    }
    for (size_t start = 1; start < trimmed.size(); ++start) {
        if (IsDigit(trimmed.substr(start))) {
            textPart = trimmed.substr(0, start);
            numberPart = trimmed.substr(start);
            return 1;
        }
    }
    numberPart.clear();
    textPart = trimmed;
    return 0;
}

void KvStr::SortStrArrByEndDigit(std::vector<std::string>& array, int ascending) {
    struct Key {
        std::string text;
        double number;
    };
    std::vector<Key> keys;
    keys.reserve(array.size());
    for (const std::string& item : array) {
        std::string textPart;
        std::string numberPart;
        SplitStrInTwoPart(textPart, numberPart, item);
        keys.push_back({textPart, Atof(numberPart)});
    }
    auto greater = [](const Key& a, const Key& b) {
        if (a.text != b.text) {
            return a.text > b.text;
        }
        return a.number > b.number;
    };
    // Exchange sort: equal entries are never swapped.
    for (size_t i = 0; i + 1 < array.size(); ++i) {
        for (size_t j = i + 1; j < array.size(); ++j) {
            const bool swap = ascending ? greater(keys[i], keys[j]) : greater(keys[j], keys[i]);
            if (swap) {
                std::swap(keys[i], keys[j]);
                std::swap(array[i], array[j]);
            }
        }
    }
}

int KvStr::FindStrInStrArr(const std::vector<std::string>& array, const std::string& text,
                           int caseSensitive) {
    if (text.empty() || array.empty()) {
        return -1;
    }
    for (size_t i = 0; i < array.size(); ++i) {
        if (caseSensitive ? array[i] == text : EqualNoCase(array[i], text)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int KvStr::RemoveSameStr(std::vector<std::string>& array, int ignoreCase) {
    std::vector<std::string> kept;
    kept.reserve(array.size());
    for (const std::string& item : array) {
        const bool seen = std::any_of(kept.begin(), kept.end(), [&](const std::string& k) {
            return ignoreCase ? EqualNoCase(k, item) : k == item;
        });
        if (!seen) {
            kept.push_back(item);
        }
    }
    array = std::move(kept);
    return static_cast<int>(array.size());
}

int KvStr::FilterStrByStr(std::vector<std::string>& out, const std::vector<std::string>& in,
                          const std::string& prefix, int caseSensitive) {
    out.clear();
    for (const std::string& item : in) {
        if (item.size() < prefix.size()) {
            continue;
        }
        const std::string head = item.substr(0, prefix.size());
        if (caseSensitive ? head == prefix : EqualNoCase(head, prefix)) {
            out.push_back(item);
        }
    }
    return static_cast<int>(out.size());
}

std::string KvStr::ExcelColNoToName(int columnNo) {
    const int n = std::clamp(columnNo, 1, 256);
    const int k = n - 1;
    std::string name;
    if (k / 26 >= 1) {
        name += static_cast<char>('A' + k / 26 - 1);
    }
    name += static_cast<char>('A' + k % 26);
    return name;
}

int KvStr::ExcelColNameToNo(const std::string& columnName) {
    const std::string name = MakeUpper(Trim(columnName));
    int n = 0;
    for (const char c : name) {
        if (c >= 'A' && c <= 'Z') {
            n = n * 26 + (c - 'A' + 1);
            if (n > 256) {
                n = 257; // beyond the last column: the clamp below gives 256
            }
        }
    }
    return std::clamp(n, 1, 256);
}

int KvStr::IfHasChinese(const std::string& text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x80; })
               ? 1
               : 0;
}
