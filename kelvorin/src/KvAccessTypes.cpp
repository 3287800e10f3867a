#include "KvAccessTypes.h"

#include <kelvorin/KvStr.h>

#include <charconv>
#include <cstdlib>
#include <initializer_list>

namespace kv_detail {

namespace {

struct TypeEntry {
    const char* typeName;
    const char* declared;                       // what a table is created with
    std::initializer_list<const char*> aliases; // declared types read back as the name
};

const TypeEntry kTypes[] = {
    {"varchar",
     "VARCHAR",
     {"VARCHAR", "CHAR", "NVARCHAR", "NCHAR", "CHARACTER", "VARYING CHARACTER",
      "NATIVE CHARACTER"}},
    {"note", "TEXT", {"CLOB", "NOTE", "MEMO", "LONGTEXT", "LONGCHAR", "NTEXT"}},
    {"bit", "BOOLEAN", {"BIT", "BOOLEAN", "BOOL", "YESNO", "LOGICAL"}},
    {"byte", "TINYINT", {"BYTE", "TINYINT", "INTEGER1"}},
    {"smallint", "SMALLINT", {"SMALLINT", "SHORT", "INT2", "INTEGER2"}},
    {"int",
     "INTEGER",
     {"INT", "INTEGER", "LONG", "INT4", "INTEGER4", "COUNTER", "AUTOINCREMENT", "MEDIUMINT"}},
    {"float",
     "REAL",
     {"FLOAT", "REAL", "DOUBLE", "DOUBLE PRECISION", "SINGLE", "FLOAT4", "FLOAT8", "IEEESINGLE",
      "IEEEDOUBLE", "NUMBER"}},
    {"image", "BLOB", {"IMAGE", "BLOB", "LONGBINARY", "OLEOBJECT", "GENERAL"}},
    {"datetime", "DATETIME", {"DATETIME", "DATE", "TIME", "TIMESTAMP"}},
};

// The words of a declared type before its parenthesis, upper-cased and joined by single
// blanks, and the first number inside the parenthesis (-1 without one).
void SplitDeclaredType(const std::string& declared, std::string& base, int& size) {
    const size_t open = declared.find('(');
    const std::string words = KvStr::MakeUpper(declared.substr(0, open));
    base.clear();
    bool blank = false;
    for (const char c : words) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
            blank = !base.empty();
            continue;
        }
        if (blank) {
            base += ' ';
            blank = false;
        }
        base += c;
    }
    size = -1;
    if (open != std::string::npos) {
        const std::string inside = KvStr::Trim(declared.substr(open + 1));
        if (!inside.empty() && inside[0] >= '0' && inside[0] <= '9') {
            size = static_cast<int>(std::strtol(inside.c_str(), nullptr, 10));
        }
    }
}

} // namespace

std::string DeclaredType(const std::string& typeName, int size) {
    for (const TypeEntry& entry : kTypes) {
        if (KvStr::EqualNoCase(typeName, entry.typeName)) {
            if (KvStr::EqualNoCase(typeName, "varchar")) {
                return KvStr::Format("VARCHAR(%d)", size);
            }
            return entry.declared;
        }
    }
    return std::string();
}

ColumnType ColumnTypeOf(const std::string& declaredType) {
    std::string base;
    int size = -1;
    SplitDeclaredType(declaredType, base, size);
    // "TEXT" with a size is a sized text, without one a long text.
    if (base == "TEXT") {
        return size >= 0 ? ColumnType{"varchar", size} : ColumnType{"note", 0};
    }
    for (const TypeEntry& entry : kTypes) {
        for (const char* alias : entry.aliases) {
            if (base == alias) {
                const bool sized = std::string(entry.typeName) == "varchar";
                return {entry.typeName, sized ? (size >= 0 ? size : 255) : 0};
            }
        }
    }
    return {};
}

bool TakesNullClause(const std::string& typeName) {
    return KvStr::EqualNoCase(typeName, "varchar") || KvStr::EqualNoCase(typeName, "int") ||
           KvStr::EqualNoCase(typeName, "float");
}

std::string RealText(double value) {
    if (value == 0.0) {
        return "0"; // also for -0.0
    }
    char buffer[64];
    const std::to_chars_result result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

} // namespace kv_detail
