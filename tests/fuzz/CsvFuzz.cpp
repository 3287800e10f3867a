// The runner's CSV reader on any bytes: the first byte picks the column set of one of
// the commands that read a CSV file ('0' to '4' in the seeds), the rest is the file. Every cell of
// a table that reads is asked for its text and its number.
#include "FuzzSupport.h"

#include "cli/CsvTable.h"

#include <cmath>
#include <vector>

namespace {

using qv::cli::CsvColumn;

// The columns of point, flood (points and aiming points), unitcap, floodcap and road.
const std::vector<std::vector<CsvColumn>>& ColumnSets() {
    static const std::vector<std::vector<CsvColumn>> sets = {
        {{"name", true, ""},
         {"x", true, ""},
         {"y", true, ""},
         {"z", true, ""},
         {"rx", false, "0"},
         {"ry", false, "0"},
         {"rz", false, "0"}},
        {{"x", true, ""}, {"y", true, ""}, {"z", true, ""}},
        {{"class", false, "直接型9"},
         {"kind", false, ""},
         {"p0", false, "0"},
         {"count", false, "1"}},
        {{"share", false, ""},
         {"efficiency", false, ""},
         {"uniformity", false, ""},
         {"lamp_type", false, ""},
         {"count", false, ""}},
        {{"arrangement", false, ""},
         {"spacing", false, ""},
         {"pole_height", false, ""},
         {"elevation", false, ""},
         {"u", false, ""},
         {"count", false, ""}}};
    return sets;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace qv;
    if (size == 0) {
        return 0;
    }
    const auto& columns =
        ColumnSets()[static_cast<unsigned char>(data[0] - '0') % ColumnSets().size()];
    const fuzz::TempFile file("table", ".csv");
    file.Write(fuzz::Bytes(data + 1, size - 1));

    cli::CsvTable table;
    std::string error;
    if (!table.Read(file.Path(), columns, error)) {
        QV_FUZZ_CHECK(!error.empty());
        return 0;
    }
    QV_FUZZ_CHECK(table.RowCount() >= 0);
    for (int row = 0; row < table.RowCount(); ++row) {
        for (const CsvColumn& column : columns) {
            const std::string text = table.Text(row, column.name);
            double value = 0.0;
            std::string cellError;
            if (table.Number(row, column.name, value, cellError)) {
                QV_FUZZ_CHECK(std::isfinite(value));
            } else {
                QV_FUZZ_CHECK(!cellError.empty());
            }
        }
    }
    return 0;
}
