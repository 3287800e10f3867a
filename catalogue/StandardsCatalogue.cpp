#include "catalogue/StandardsCatalogue.h"

#include "catalogue/CatalogueSourceText.h"
#include "catalogue/CatalogueStatements.h"

#include <kelvorin/KvAccess.h>
#include <kelvorin/KvStTable.h>

#include <algorithm>
#include <vector>

namespace qv {

namespace {

std::optional<double> Number(const std::string& text) {
    double value = 0.0;
    if (!IsNumberText(text, &value)) {
        return std::nullopt;
    }
    return value;
}

} // namespace

int LoadPlaceStandard(CatalogueDatabase& db, const std::string& category, const std::string& place,
                      PlaceStandard& out) {
    if (!KvAccess::IsTableName(category)) {
        return -1;
    }
    KvStTable rows;
    const int count = db.Select(rows, sql::PlaceRow(category, place));
    if (count <= 0) {
        return count;
    }
    std::vector<std::string> names;
    std::vector<std::string> row;
    rows.GetLableRecord(names);
    rows.GetValueRecord(row, 0);
    const auto cell = [&](const char* column) {
        const auto at = std::find(names.begin(), names.end(), column);
        const size_t index = static_cast<size_t>(at - names.begin());
        return at == names.end() || index >= row.size() ? std::string() : row[index];
    };
    PlaceStandard read;
    read.lux = Number(cell("照度"));
    read.currentLpd = Number(cell("现行功率密度"));
    read.targetLpd = Number(cell("目标功率密度"));
    read.ugr = Number(cell("统一眩光"));
    read.ra = Number(cell("显色指数"));
    read.plane = cell("参考平面");
    read.u0 = Number(cell("照度均匀度"));
    out = read;
    return 1;
}

bool HasPlaneAndUniformity(CatalogueDatabase& db, const std::string& category) {
    std::vector<std::string> columns;
    if (!KvAccess::IsTableName(category) || !db.Connect() ||
        db.Access().GetTableStructInfo(columns, category) != 1) {
        return false;
    }
    const auto has = [&](const char* name) {
        return std::find(columns.begin(), columns.end(), name) != columns.end();
    };
    return has("参考平面") && has("照度均匀度");
}

StandardEdition ReadStandardsEdition(CatalogueDatabase& db) {
    KvStTable rows;
    std::vector<std::string> row;
    if (!db.HasTable("标准版本") || db.Select(rows, sql::StandardsEdition()) <= 0 ||
        !rows.GetValueRecord(row, 0) || row.size() < 2) {
        return {};
    }
    return {row[0], row[1]};
}

} // namespace qv
