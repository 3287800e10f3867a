#pragma once
// Column types and cell texts of KvAccess.
//
// The library names column types "varchar", "note", "bit", "byte", "smallint", "int",
// "float", "image" and "datetime" (KvStTableField::type). Tables are created with SQLite
// declared types that give each the right storage affinity, and declared types read back
// from a table (also those of tables created by other tools) map to these names again.
#include <string>

namespace kv_detail {

// The declared SQLite type for a type name (ASCII case ignored; size only for
// "varchar"); empty for a name outside the list.
std::string DeclaredType(const std::string& typeName, int size);

struct ColumnType {
    std::string typeName; // one of the names above, or empty for any other declared type
    int size = 0;         // the declared size of a "varchar" column, else 0
    bool operator==(const ColumnType&) const = default;
};

ColumnType ColumnTypeOf(const std::string& declaredType);

// Whether a field of this type name carries a null or key clause when created.
bool TakesNullClause(const std::string& typeName);

// The text of a real cell: the shortest text that reads back as the same double, without
// a trailing ".0" (36, 0.5, 2500, 0.3333333333333333, 1e+22).
std::string RealText(double value);

} // namespace kv_detail
