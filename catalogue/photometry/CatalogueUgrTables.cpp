#include "catalogue/photometry/CatalogueUgrTables.h"

#include <kelvorin/KvAccess.h>
#include <kelvorin/KvStr.h>

#include <cmath>

namespace qv {

bool LoadUgrTables(CatalogueDatabase& db, const std::string& name, const std::string& model,
                   std::vector<CatalogueUgrTable>& tables) {
    tables.clear();
    if (!db.Connect()) {
        return false;
    }
    if (!db.HasTable(kUgrTableName)) {
        return true;
    }
    const std::vector<std::string>& columns = UgrTableColumns();
    std::string select = "SELECT ";
    for (size_t i = 2; i < columns.size(); ++i) {
        select += (i > 2 ? ",[" : "[") + columns[i] + "]";
    }
    select += std::string(" FROM [") + kUgrTableName + "] WHERE [名称]='" +
              KvAccess::EscapeText(name) + "' AND [型号]='" + KvAccess::EscapeText(model) +
              "' ORDER BY [间距比],[X],[Y]";
    std::vector<std::string> cells;
    const int rows = db.SelectCells(cells, select);
    const size_t width = columns.size() - 2;
    if (rows < 0 || cells.size() != static_cast<size_t>(rows) * width) {
        return false;
    }
    for (int r = 0; r < rows; ++r) {
        double numbers[16] = {};
        for (size_t c = 0; c < width; ++c) {
            const std::string& cell = cells[static_cast<size_t>(r) * width + c];
            if (KvStr::IsDigitFactor(&numbers[c], cell) == 0 || !std::isfinite(numbers[c])) {
                tables.clear();
                return false;
            }
        }
        if (tables.empty() || tables.back().shr != numbers[0]) {
            tables.push_back({numbers[0], numbers[1], {}});
        }
        CatalogueUgrRow row;
        row.x = static_cast<int>(numbers[2]);
        row.y = static_cast<int>(numbers[3]);
        for (size_t k = 0; k < 5; ++k) {
            row.crosswise[k] = numbers[4 + k];
            row.endwise[k] = numbers[9 + k];
        }
        tables.back().rows.push_back(row);
    }
    return true;
}

} // namespace qv
