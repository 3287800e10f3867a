#include <kelvorin/KvSExpression.h>

#include <algorithm>
#include <climits>
#include <optional>
#include <string_view>

namespace {

constexpr std::string_view kFrom = "0123456789()[]{}.+-*xX,;";
constexpr std::string_view kTo = "0123456789()()().+-xxx,,";
constexpr std::string_view kUnitSeparators = "+x(),";

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsOperator(char c) {
    return c == '+' || c == 'x';
}

// Recursive descent over a normalised expression. Values are long long with overflow
// checks against the int range; any fault makes the whole evaluation fail.
class Evaluator {
public:
    explicit Evaluator(std::string_view text) : m_text(text) {}

    // The value of one expression running to the end of the text.
    std::optional<long long> Whole() {
        const std::optional<long long> value = Expression(0);
        return m_at == m_text.size() ? value : std::nullopt;
    }

private:
    std::optional<long long> Expression(int depth) {
        std::optional<long long> sum = Term(depth);
        while (sum && Accept('+')) {
            const std::optional<long long> next = Term(depth);
            sum = next ? Checked(*sum + *next) : std::nullopt;
        }
        return sum;
    }

    std::optional<long long> Term(int depth) {
        std::optional<long long> product = Factor(depth);
        while (product && Accept('x')) {
            const std::optional<long long> next = Factor(depth);
            product = next ? Checked(*product * *next) : std::nullopt;
        }
        return product;
    }

    std::optional<long long> Factor(int depth) {
        if (Accept('(')) {
            if (depth + 1 > KvSExpression::kMaxDepth) {
                return std::nullopt;
            }
            const std::optional<long long> inner = Expression(depth + 1);
            return inner && Accept(')') ? inner : std::nullopt;
        }
        long long value = 0;
        const std::size_t start = m_at;
        while (m_at < m_text.size() && IsDigit(m_text[m_at])) {
            value = value * 10 + (m_text[m_at++] - '0');
            if (value > INT_MAX) {
                return std::nullopt;
            }
        }
        return m_at > start ? std::optional<long long>(value) : std::nullopt;
    }

    bool Accept(char c) {
        if (m_at < m_text.size() && m_text[m_at] == c) {
            ++m_at;
            return true;
        }
        return false;
    }

    // Both operands are within the int range, so sums and products fit a long long.
    static std::optional<long long> Checked(long long value) {
        return value >= INT_MIN && value <= INT_MAX ? std::optional<long long>(value)
                                                    : std::nullopt;
    }

    std::string_view m_text;
    std::size_t m_at = 0;
};

// The largest whole number written in the text (0 when none).
long long LargestNumber(const std::string& text) {
    long long largest = 0;
    long long current = 0;
    for (const char c : text + " ") {
        if (IsDigit(c)) {
            current = std::min<long long>(current * 10 + (c - '0'), LLONG_MAX / 10);
        } else {
            largest = std::max(largest, current);
            current = 0;
        }
    }
    return largest;
}

} // namespace

std::string KvSExpression::Normal(const std::string& text) {
    std::string mapped;
    for (const char c : text) {
        if (const std::size_t at = kFrom.find(c); at != std::string_view::npos) {
            mapped += kTo[at];
        }
    }
    std::string normal;
    for (std::size_t i = 0; i < mapped.size(); ++i) {
        char c = mapped[i];
        if (c == '-') {
            const bool after = !normal.empty() && (IsDigit(normal.back()) || normal.back() == ')');
            const bool before =
                i + 1 < mapped.size() && (IsDigit(mapped[i + 1]) || mapped[i + 1] == '(');
            if (!(after && before)) {
                continue;
            }
            c = ',';
        }
        if (c == ',' && (normal.empty() || normal.back() == ',')) {
            continue;
        }
        if (IsOperator(c) && !normal.empty() && IsOperator(normal.back())) {
            continue;
        }
        normal += c;
    }
    while (!normal.empty() && normal.back() == ',') {
        normal.pop_back();
    }
    return normal;
}

std::string KvSExpression::ExpressionExtractUnit(std::string& text) {
    if (text.empty()) {
        return {};
    }
    std::size_t length = text.find_first_of(kUnitSeparators);
    if (length == 0) {
        length = 1;
    } else if (length == std::string::npos) {
        length = text.size();
    }
    std::string unit = text.substr(0, length);
    text.erase(0, length);
    return unit;
}

int KvSExpression::GetSubExpressions(std::vector<std::string>& out, const std::string& text) {
    out.clear();
    const std::string normal = Normal(text);
    std::size_t start = 0;
    while (start < normal.size()) {
        const std::size_t comma = std::min(normal.find(',', start), normal.size());
        out.push_back(normal.substr(start, comma - start));
        start = comma + 1;
    }
    return static_cast<int>(out.size());
}

int KvSExpression::Calculate(int& value, const std::string& text) {
    std::vector<std::string> expressions;
    if (GetSubExpressions(expressions, text) == 0) {
        return 0;
    }
    long long sum = 0;
    for (const std::string& expression : expressions) {
        const std::optional<long long> part = Evaluator(expression).Whole();
        if (!part) {
            return 0;
        }
        sum += *part;
        if (sum < INT_MIN || sum > INT_MAX) {
            return 0;
        }
    }
    value = static_cast<int>(sum);
    return 1;
}

int KvSExpression::GetStdList(std::vector<std::string>& out, const std::string& text) {
    out.clear();
    std::vector<std::string> expressions;
    GetSubExpressions(expressions, text);
    for (const std::string& expression : expressions) {
        int depth = 0;
        std::string item;
        for (const char c : expression) {
            depth += c == '(' ? 1 : (c == ')' ? -1 : 0);
            if (c == '+' && depth == 0) {
                if (!item.empty()) {
                    out.push_back(item);
                }
                item.clear();
            } else {
                item += c;
            }
        }
        if (!item.empty()) {
            out.push_back(item);
        }
    }
    return static_cast<int>(out.size());
}

void KvSExpression::SortByMaxStd(std::vector<std::string>& items, int ascending) {
    std::stable_sort(items.begin(), items.end(),
                     [ascending](const std::string& a, const std::string& b) {
                         const long long left = LargestNumber(a);
                         const long long right = LargestNumber(b);
                         return ascending ? left < right : left > right;
                     });
}
