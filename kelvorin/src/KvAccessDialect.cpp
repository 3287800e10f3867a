#include "KvAccessDialect.h"

#include <kelvorin/KvStr.h>

#include <optional>

namespace kv_detail {

namespace {

bool IsAsciiLetter(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigitChar(unsigned char c) {
    return c >= '0' && c <= '9';
}

bool IsWordStart(unsigned char c) {
    return IsAsciiLetter(c) || c == '_' || c >= 0x80;
}

bool IsWordChar(unsigned char c) {
    return IsWordStart(c) || IsDigitChar(c) || c == '$';
}

bool IsSpaceChar(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

// End of a quoted token that starts at begin with the quote character close; a doubled
// close character stays inside (unless doubling is not an escape, as for brackets).
size_t QuotedEnd(const std::string& sql, size_t begin, char close, bool doubledIsEscape) {
    size_t i = begin + 1;
    while (i < sql.size()) {
        if (sql[i] == close) {
            if (doubledIsEscape && i + 1 < sql.size() && sql[i + 1] == close) {
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    return sql.size();
}

size_t NumberEnd(const std::string& sql, size_t begin) {
    size_t i = begin;
    while (i < sql.size()) {
        const auto c = static_cast<unsigned char>(sql[i]);
        const bool exponentSign = (c == '+' || c == '-') && i > begin &&
                                  (sql[i - 1] == 'e' || sql[i - 1] == 'E') &&
                                  !(sql.size() > begin + 1 && sql[begin] == '0' &&
                                    (sql[begin + 1] == 'x' || sql[begin + 1] == 'X'));
        if (IsWordChar(c) || c == '.' || exponentSign) {
            ++i;
        } else {
            break;
        }
    }
    return i;
}

SqlToken NextToken(const std::string& sql, size_t begin) {
    const auto c = static_cast<unsigned char>(sql[begin]);
    const auto next = [&](size_t offset) {
        return begin + offset < sql.size() ? sql[begin + offset] : '\0';
    };
    if (IsSpaceChar(c)) {
        size_t i = begin;
        while (i < sql.size() && IsSpaceChar(static_cast<unsigned char>(sql[i]))) {
            ++i;
        }
        return {SqlTokenKind::Space, begin, i};
    }
    if (c == '-' && next(1) == '-') {
        const size_t newline = sql.find('\n', begin);
        return {SqlTokenKind::Comment, begin, newline == std::string::npos ? sql.size() : newline};
    }
    if (c == '/' && next(1) == '*') {
        const size_t close = sql.find("*/", begin + 2);
        return {SqlTokenKind::Comment, begin, close == std::string::npos ? sql.size() : close + 2};
    }
    switch (c) {
    case '\'':
        return {SqlTokenKind::Text, begin, QuotedEnd(sql, begin, '\'', true)};
    case '"':
        return {SqlTokenKind::DoubleQuoted, begin, QuotedEnd(sql, begin, '"', true)};
    case '`':
        return {SqlTokenKind::BackQuoted, begin, QuotedEnd(sql, begin, '`', true)};
    case '[':
        return {SqlTokenKind::Bracketed, begin, QuotedEnd(sql, begin, ']', false)};
    default:
        break;
    }
    if (IsDigitChar(c) || (c == '.' && IsDigitChar(static_cast<unsigned char>(next(1))))) {
        return {SqlTokenKind::Number, begin, NumberEnd(sql, begin)};
    }
    if (IsWordStart(c)) {
        size_t i = begin;
        while (i < sql.size() && IsWordChar(static_cast<unsigned char>(sql[i]))) {
            ++i;
        }
        return {SqlTokenKind::Word, begin, i};
    }
    return {SqlTokenKind::Symbol, begin, begin + 1};
}

// The inside of a quoted token with its doubled quote characters made single.
std::string Unquote(const std::string& sql, const SqlToken& token, char close) {
    const bool terminated = token.end - token.begin >= 2 && sql[token.end - 1] == close;
    const std::string inner =
        sql.substr(token.begin + 1, token.end - token.begin - 1 - (terminated ? 1 : 0));
    if (close == ']') {
        return inner;
    }
    std::string text;
    for (size_t i = 0; i < inner.size(); ++i) {
        text += inner[i];
        if (inner[i] == close && i + 1 < inner.size() && inner[i + 1] == close) {
            ++i;
        }
    }
    return text;
}

// The tokens of a statement and the indexes of those that are neither blank nor comment.
class TokenView {
public:
    explicit TokenView(const std::string& sql) : m_sql(sql), m_tokens(LexSql(sql)) {
        for (size_t i = 0; i < m_tokens.size(); ++i) {
            const SqlTokenKind kind = m_tokens[i].kind;
            if (kind != SqlTokenKind::Space && kind != SqlTokenKind::Comment) {
                m_significant.push_back(i);
            }
        }
    }

    size_t Count() const { return m_significant.size(); }
    const std::vector<SqlToken>& Tokens() const { return m_tokens; }
    // Index into Tokens() of the n-th significant token.
    size_t Index(size_t n) const { return m_significant[n]; }
    const SqlToken& At(size_t n) const { return m_tokens[m_significant[n]]; }
    std::string Text(size_t n) const {
        const SqlToken& token = At(n);
        return m_sql.substr(token.begin, token.end - token.begin);
    }
    bool IsWord(size_t n, const char* keyword) const {
        return n < Count() && At(n).kind == SqlTokenKind::Word &&
               KvStr::EqualNoCase(Text(n), keyword);
    }
    bool IsSymbol(size_t n, char symbol) const {
        return n < Count() && At(n).kind == SqlTokenKind::Symbol && m_sql[At(n).begin] == symbol;
    }
    // The name a token stands for: a bare word, or the inside of brackets or back quotes.
    std::optional<std::string> Name(size_t n, bool quotedTextsAreNames) const {
        if (n >= Count()) {
            return std::nullopt;
        }
        const SqlToken& token = At(n);
        switch (token.kind) {
        case SqlTokenKind::Word:
            return Text(n);
        case SqlTokenKind::Bracketed:
            return Unquote(m_sql, token, ']');
        case SqlTokenKind::BackQuoted:
            return Unquote(m_sql, token, '`');
        case SqlTokenKind::DoubleQuoted:
            return quotedTextsAreNames ? std::optional(Unquote(m_sql, token, '"')) : std::nullopt;
        case SqlTokenKind::Text:
            return quotedTextsAreNames ? std::optional(Unquote(m_sql, token, '\'')) : std::nullopt;
        default:
            return std::nullopt;
        }
    }

private:
    const std::string& m_sql;
    std::vector<SqlToken> m_tokens;
    std::vector<size_t> m_significant;
};

// Rebuilds the text from the tokens from index `first` on: texts in double quotes become
// text literals, the tokens in [dropBegin, dropEnd) are replaced by one blank, and
// `append` follows the token with index `appendAfter`.
std::string Rebuild(const std::string& sql, const TokenView& view, size_t first,
                    size_t dropBegin = 0, size_t dropEnd = 0, size_t appendAfter = SIZE_MAX,
                    const std::string& append = std::string()) {
    std::string out;
    const std::vector<SqlToken>& tokens = view.Tokens();
    for (size_t i = first; i < tokens.size(); ++i) {
        const SqlToken& token = tokens[i];
        if (i >= dropBegin && i < dropEnd) {
            if (i == dropBegin) {
                out += ' ';
            }
            continue;
        }
        if (token.kind == SqlTokenKind::DoubleQuoted) {
            out += QuoteLiteral(Unquote(sql, token, '"'));
        } else {
            out.append(sql, token.begin, token.end - token.begin);
        }
        if (i == appendAfter) {
            out += append;
        }
    }
    return out;
}

bool IsAllDigits(const std::string& text) {
    if (text.empty()) {
        return false;
    }
    for (const char c : text) {
        if (!IsDigitChar(static_cast<unsigned char>(c))) {
            return false;
        }
    }
    return true;
}

std::optional<TranslatedStatement> TranslateTableCopy(const std::string& sql,
                                                      const TokenView& view) {
    // SELECT * INTO target FROM source rest
    if (!view.IsWord(0, "SELECT") || !view.IsSymbol(1, '*') || !view.IsWord(2, "INTO") ||
        !view.IsWord(4, "FROM")) {
        return std::nullopt;
    }
    const std::optional<std::string> target = view.Name(3, false);
    const std::optional<std::string> source = view.Name(5, false);
    if (!target || !source) {
        return std::nullopt;
    }
    TranslatedStatement statement;
    statement.isTableCopy = true;
    statement.target = *target;
    statement.source = *source;
    statement.rest = KvStr::Trim(Rebuild(sql, view, view.Index(5) + 1));
    while (!statement.rest.empty() && statement.rest.back() == ';') {
        statement.rest = KvStr::Trim(statement.rest.substr(0, statement.rest.size() - 1));
    }
    return statement;
}

std::optional<std::string> TranslateTop(const std::string& sql, const TokenView& view) {
    // SELECT [ALL | DISTINCT] TOP n ...  ->  SELECT [ALL | DISTINCT] ... LIMIT n
    if (!view.IsWord(0, "SELECT")) {
        return std::nullopt;
    }
    const size_t top = view.IsWord(1, "DISTINCT") || view.IsWord(1, "ALL") ? 2 : 1;
    if (!view.IsWord(top, "TOP") || top + 1 >= view.Count() ||
        view.At(top + 1).kind != SqlTokenKind::Number || !IsAllDigits(view.Text(top + 1)) ||
        view.IsWord(top + 2, "PERCENT")) {
        return std::nullopt;
    }
    size_t last = view.Count() - 1;
    while (last > top + 1 && view.IsSymbol(last, ';')) {
        --last;
    }
    if (last == top + 1) {
        return std::nullopt; // nothing to select
    }
    return Rebuild(sql, view, 0, view.Index(top), view.Index(top + 1) + 1, view.Index(last),
                   " LIMIT " + view.Text(top + 1));
}

std::optional<std::string> TranslateDeleteAll(const std::string& sql, const TokenView& view) {
    // DELETE * FROM ...  ->  DELETE FROM ...
    if (!view.IsWord(0, "DELETE") || !view.IsSymbol(1, '*') || !view.IsWord(2, "FROM")) {
        return std::nullopt;
    }
    return Rebuild(sql, view, 0, view.Index(1), view.Index(1) + 1);
}

} // namespace

std::vector<SqlToken> LexSql(const std::string& sql) {
    std::vector<SqlToken> tokens;
    size_t position = 0;
    while (position < sql.size()) {
        tokens.push_back(NextToken(sql, position));
        position = tokens.back().end;
    }
    return tokens;
}

TranslatedStatement TranslateStatement(const std::string& sql) {
    const TokenView view(sql);
    if (std::optional<TranslatedStatement> copy = TranslateTableCopy(sql, view)) {
        return *copy;
    }
    TranslatedStatement statement;
    if (std::optional<std::string> top = TranslateTop(sql, view)) {
        statement.sql = *top;
    } else if (std::optional<std::string> deleteAll = TranslateDeleteAll(sql, view)) {
        statement.sql = *deleteAll;
    } else {
        statement.sql = Rebuild(sql, view, 0);
    }
    return statement;
}

std::string TranslateFragment(const std::string& sql) {
    return Rebuild(sql, TokenView(sql), 0);
}

std::string EscapeLiteral(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        escaped += c;
        if (c == '\'') {
            escaped += '\'';
        }
    }
    return escaped;
}

std::string QuoteLiteral(const std::string& text) {
    return "'" + EscapeLiteral(text) + "'";
}

std::string QuoteIdentifier(const std::string& name) {
    std::string quoted = "\"";
    for (const char c : name) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + "\"";
}

std::string PlainTableName(const std::string& name) {
    const std::string trimmed = KvStr::Trim(name);
    if (trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']' &&
        trimmed.find(']') == trimmed.size() - 1) {
        return trimmed.substr(1, trimmed.size() - 2);
    }
    return trimmed;
}

std::string TableNameProblem(const std::string& name) {
    if (name.empty()) {
        return "表名为空";
    }
    if (name.front() == ' ') {
        return "表名不能以空格开头";
    }
    size_t characters = 0;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte & 0xC0) != 0x80) {
            ++characters;
        }
        if (byte < 0x20 || byte == 0x7F) {
            return "表名不能含有控制字符";
        }
        if (c == '.' || c == '!' || c == '`' || c == '[' || c == ']') {
            return "表名不能含有 . ! ` [ ] 这些字符";
        }
    }
    if (characters > 64) {
        return "表名不能超过64个字符";
    }
    if (KvStr::MakeUpper(name.substr(0, 7)) == "SQLITE_") {
        return "表名不能以sqlite_开头";
    }
    return std::string();
}

std::string RenameCreateTable(const std::string& createSql, const std::string& newName) {
    const TokenView view(createSql);
    size_t n = 0;
    if (!view.IsWord(n++, "CREATE")) {
        return std::string();
    }
    if (view.IsWord(n, "TEMP") || view.IsWord(n, "TEMPORARY")) {
        ++n;
    }
    if (!view.IsWord(n++, "TABLE")) {
        return std::string();
    }
    if (view.IsWord(n, "IF") && view.IsWord(n + 1, "NOT") && view.IsWord(n + 2, "EXISTS")) {
        n += 3;
    }
    if (!view.Name(n, true)) {
        return std::string();
    }
    if (view.IsSymbol(n + 1, '.') && view.Name(n + 2, true)) {
        n += 2;
    }
    if (!view.IsSymbol(n + 1, '(')) {
        return std::string();
    }
    return "CREATE TABLE " + QuoteIdentifier(newName) + createSql.substr(view.At(n + 1).begin);
}

} // namespace kv_detail
