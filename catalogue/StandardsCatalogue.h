#pragma once
// The illuminance standards of the catalogue: the values of one place read by column name
// (so that category tables written before the reference plane and the uniformity were
// added still read), whether a category table has those two columns, and the edition of
// the standard the shipped tables come from.
#include "catalogue/CatalogueDatabase.h"

#include <optional>
#include <string>

namespace qv {

// The lighting design standard whose tables the shipped catalogue holds; the catalogue
// records it in its table 标准版本, and texts that name the standard use these.
inline constexpr const char* kLightingStandard = "GB/T 50034-2024";
inline constexpr const char* kLightingStandardTitle = "建筑照明设计标准";

// One place of a category table. A value the table does not hold (an empty cell, a column
// the table lacks, a text that is not a finite number) is absent: the standard sets none.
struct PlaceStandard {
    std::optional<double> lux;        // 照度, lx
    std::optional<double> currentLpd; // 现行功率密度 (the limit), W/m2
    std::optional<double> targetLpd;  // 目标功率密度, W/m2
    std::optional<double> ugr;        // 统一眩光
    std::optional<double> ra;         // 显色指数
    std::string plane;                // 参考平面, as the standard prints it
    std::optional<double> u0;         // 照度均匀度 U0 = Emin/Eav
    bool operator==(const PlaceStandard&) const = default;
};

// The first row of the place: 1 when read, 0 when the table has no such place (the values
// are left), -1 when the query fails (a category that cannot name a table, a missing table).
int LoadPlaceStandard(CatalogueDatabase& db, const std::string& category, const std::string& place,
                      PlaceStandard& out);

// Whether the category's table has the columns 参考平面 and 照度均匀度.
bool HasPlaneAndUniformity(CatalogueDatabase& db, const std::string& category);

// The standard the catalogue's category tables come from, as it records it ("GB/T
// 50034-2024", "建筑照明设计标准"); both empty for a catalogue that records none.
struct StandardEdition {
    std::string number;
    std::string title;
};
StandardEdition ReadStandardsEdition(CatalogueDatabase& db);

} // namespace qv
