#include "catalogue/CatalogueBuilder.h"

#include "catalogue/CatalogueSourceText.h"
#include "catalogue/CatalogueStatements.h"
#include "catalogue/PhotometryDerivation.h"

#include <kelvorin/KvAccess.h>
#include <kelvorin/KvFile.h>
#include <kelvorin/KvStr.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>

namespace qv {

namespace {

namespace fs = std::filesystem;

struct Curves {
    PrintedCurve a;
    PrintedCurve b;
};

double Rounded(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    return std::round(value * scale) / scale;
}

std::string NumberText(double value) {
    return KvStr::FormatDouble(value);
}

KvStTableField RealField(const std::string& name) {
    KvStTableField field;
    field.name = name;
    field.type = "float";
    return field;
}

// One build: the connection, the source folder and the first error met.
class Builder {
public:
    Builder(KvAccess& db, fs::path folder) : m_db(db), m_folder(std::move(folder)) {}

    bool Run();
    const std::string& Error() const { return m_error; }

private:
    bool Fail(const std::string& message) {
        if (m_error.empty()) {
            m_error = message;
        }
        return false;
    }
    bool ReadText(const fs::path& file, std::string& text);
    bool ReadCsv(const fs::path& file, CsvRows& csv);
    bool RunScript(const fs::path& file);
    bool Execute(const std::string& sql, const std::string& where);
    // Inserts the rows into the table; skip names a column of the CSV that is not loaded.
    bool InsertRows(const std::string& table, const CsvRows& csv, const fs::path& file,
                    const std::string& skip = std::string());
    bool AddRow(const std::string& table, const std::vector<std::string>& columns,
                const std::vector<std::string>& values, const fs::path& file);
    bool CreateRealTable(const std::string& name, const std::vector<std::string>& columns);
    bool ExpectNoRows(const std::string& sql, const std::string& what);

    bool LoadFixedTables();
    bool LoadStandards();
    bool LoadPhotometry();
    bool LoadCuTables();
    bool LoadFloodGrids();
    bool CompleteLuminaireTypes();
    bool CheckKeys();

    KvAccess& m_db;
    fs::path m_folder;
    std::string m_error;
    std::map<std::string, Curves> m_curves; // intensity tables by name, cd per 1000 lm
};

bool Builder::ReadText(const fs::path& file, std::string& text) {
    if (KvFile::ReadAll(file.string(), text) != KvFileRead::Ok) {
        return Fail(file.string() + ": cannot be read");
    }
    return true;
}

bool Builder::ReadCsv(const fs::path& file, CsvRows& csv) {
    std::string text;
    std::string problem;
    if (!ReadText(file, text)) {
        return false;
    }
    if (!ParseCsv(text, csv, problem)) {
        return Fail(file.string() + ":" + problem);
    }
    return true;
}

bool Builder::Execute(const std::string& sql, const std::string& where) {
    return m_db.ExecuteSQL(sql) == 1 || Fail(where + ": the statement failed: " + sql);
}

bool Builder::RunScript(const fs::path& file) {
    std::string script;
    if (!ReadText(file, script)) {
        return false;
    }
    for (const std::string& statement : SplitSqlScript(script)) {
        if (!Execute(statement, file.string())) {
            return false;
        }
    }
    return true;
}

bool Builder::InsertRows(const std::string& table, const CsvRows& csv, const fs::path& file,
                         const std::string& skip) {
    std::vector<KvStTableField> fields;
    if (!KvAccess::IsTableName(table) || !m_db.GetTableStructInfo(fields, table)) {
        return Fail(file.string() + ": no table " + table);
    }
    std::vector<std::string> names;
    std::vector<bool> numeric;
    std::vector<size_t> positions;
    for (size_t i = 0; i < csv.header.size(); ++i) {
        const std::string name = KvStr::Trim(csv.header[i]);
        if (name.empty() || name[0] == '#' || name == skip) {
            continue;
        }
        const auto field = std::find_if(fields.begin(), fields.end(),
                                        [&](const KvStTableField& f) { return f.name == name; });
        if (field == fields.end()) {
            return Fail(file.string() + ": " + name + " is not a column of " + table);
        }
        names.push_back(name);
        numeric.push_back(field->type == "int" || field->type == "float");
        positions.push_back(i);
    }
    std::vector<std::string> values(names.size());
    for (const CsvRows::Row& row : csv.rows) {
        for (size_t i = 0; i < names.size(); ++i) {
            values[i] = KvStr::Trim(row.fields[positions[i]]);
            if (numeric[i] && !values[i].empty() && !IsNumberText(values[i])) {
                return Fail(file.string() + ":" + std::to_string(row.line) + ": " + names[i] +
                            " \"" + values[i] + "\" is not a number");
            }
        }
        if (!m_db.AddRecordToTable(table, names, values)) {
            return Fail(file.string() + ":" + std::to_string(row.line) + ": the row was refused");
        }
    }
    return true;
}

bool Builder::AddRow(const std::string& table, const std::vector<std::string>& columns,
                     const std::vector<std::string>& values, const fs::path& file) {
    return m_db.AddRecordToTable(table, columns, values) == 1 ||
           Fail(file.string() + ": a row of " + table + " was refused");
}

bool Builder::CreateRealTable(const std::string& name, const std::vector<std::string>& columns) {
    std::vector<KvStTableField> fields;
    for (const std::string& column : columns) {
        fields.push_back(RealField(column));
    }
    return m_db.CreateTable(name, fields) == 1 || Fail("cannot create table " + name);
}

bool Builder::ExpectNoRows(const std::string& sql, const std::string& what) {
    std::vector<std::string> cells;
    const int rows = m_db.GetSelData(cells, sql);
    if (rows < 0) {
        return Fail("the check of " + what + " failed: " + sql);
    }
    if (rows > 0) {
        std::string found;
        for (const std::string& cell : cells) {
            found += (found.empty() ? "" : ", ") + cell;
        }
        return Fail(what + ": " + found);
    }
    return true;
}

bool Builder::LoadFixedTables() {
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(m_folder / "tables")) {
        if (entry.path().extension() == ".csv") {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
        CsvRows csv;
        if (!ReadCsv(file, csv) || !InsertRows(file.stem().string(), csv, file)) {
            return false;
        }
    }
    return true;
}

bool Builder::LoadStandards() {
    const fs::path file = m_folder / "standards" / "场所.csv";
    CsvRows places;
    if (!ReadCsv(file, places)) {
        return false;
    }
    const auto routing = std::find(places.header.begin(), places.header.end(), "分类");
    if (routing == places.header.end()) {
        return Fail(file.string() + ": no column 分类");
    }
    const size_t column = static_cast<size_t>(routing - places.header.begin());
    std::vector<std::string> categories;
    if (m_db.GetSelData(categories, sql::Categories()) < 0) {
        return Fail("cannot read the categories of 照度标准");
    }
    for (const std::string& category : categories) {
        std::string problem;
        if (!KvAccess::IsTableName(category, &problem)) {
            return Fail("category \"" + category + "\" cannot name a table: " + problem);
        }
        CsvRows own;
        own.header = places.header;
        for (const CsvRows::Row& row : places.rows) {
            if (row.fields[column] == category) {
                own.rows.push_back(row);
            }
        }
        if (!m_db.CopyTableStructInfo(category, "照度标准模板", 1)) {
            return Fail("cannot create the table of category " + category);
        }
        if (!InsertRows(category, own, file, "分类") ||
            !ExpectNoRows("SELECT [场所名称] FROM [" + category +
                              "] GROUP BY [场所名称] HAVING COUNT(*) > 1",
                          "places named twice in " + category)) {
            return false;
        }
    }
    for (const CsvRows::Row& row : places.rows) {
        if (std::find(categories.begin(), categories.end(), row.fields[column]) ==
            categories.end()) {
            return Fail(file.string() + ":" + std::to_string(row.line) + ": category " +
                        row.fields[column] + " is not in 照度标准");
        }
    }
    return true;
}

bool Builder::LoadPhotometry() {
    const fs::path folder = m_folder / "photometry";
    CsvRows index;
    if (!ReadCsv(folder / "index.csv", index)) {
        return false;
    }
    for (const CsvRows::Row& entry : index.rows) {
        const std::string name = entry.fields[0];
        const std::string unit = entry.fields[2];
        const fs::path file = folder / entry.fields[1];
        CsvRows csv;
        if (!ReadCsv(file, csv)) {
            return false;
        }
        Curves curves;
        for (const CsvRows::Row& row : csv.rows) {
            double angle = 0.0;
            double a = 0.0;
            double b = 0.0;
            if (row.fields.size() != 3 || !IsNumberText(row.fields[0], &angle) ||
                !IsNumberText(row.fields[1], &a) || !IsNumberText(row.fields[2], &b)) {
                return Fail(file.string() + ":" + std::to_string(row.line) +
                            ": expected angle, A, B as numbers");
            }
            curves.a.push_back({angle, a});
            curves.b.push_back({angle, b});
        }
        if (unit == "cd") {
            // Candela as printed: per 1000 lm of the flux the curve itself gives.
            const double flux = TwoPlaneFlux(curves.a, curves.b, 0.0, 180.0);
            if (flux <= 0.0) {
                return Fail(file.string() + ": the curve gives no flux");
            }
            for (PrintedCurve* curve : {&curves.a, &curves.b}) {
                for (CurveSample& sample : *curve) {
                    sample.value = Rounded(sample.value * 1000.0 / flux, 2);
                }
            }
        } else if (unit != "cd/klm") {
            return Fail(folder.string() + "/index.csv:" + std::to_string(entry.line) +
                        ": unit must be cd/klm or cd");
        }
        const std::vector<std::string> columns = {"角度", "光强A", "光强B"};
        if (!CreateRealTable(name, columns)) {
            return false;
        }
        for (size_t i = 0; i < curves.a.size(); ++i) {
            if (!AddRow(name, columns,
                        {NumberText(curves.a[i].angle), NumberText(curves.a[i].value),
                         NumberText(curves.b[i].value)},
                        file)) {
                return false;
            }
        }
        m_curves[name] = curves;
    }
    return true;
}

bool Builder::LoadCuTables() {
    const fs::path folder = m_folder / "cu";
    CsvRows index;
    if (!ReadCsv(folder / "index.csv", index)) {
        return false;
    }
    for (const CsvRows::Row& entry : index.rows) {
        CsvRows csv;
        const fs::path file = folder / entry.fields[1];
        if (!CreateRealTable(entry.fields[0], {"有效顶棚反射比", "墙反射比", "地面反射比",
                                               "室空间比", "利用系数"}) ||
            !ReadCsv(file, csv) || !InsertRows(entry.fields[0], csv, file)) {
            return false;
        }
    }
    return true;
}

bool Builder::LoadFloodGrids() {
    const fs::path file = m_folder / "flood" / "index.csv";
    CsvRows index;
    if (!ReadCsv(file, index)) {
        return false;
    }
    for (const CsvRows::Row& entry : index.rows) {
        const std::string& name = entry.fields[0];
        const auto curves = m_curves.find(entry.fields[1]);
        double flux = 0.0;
        if (curves == m_curves.end() || !IsNumberText(entry.fields[2], &flux)) {
            return Fail(file.string() + ":" + std::to_string(entry.line) +
                        ": needs a loaded intensity table and the lamp flux in lm");
        }
        // cd per 1000 lm times the lamp flux gives cd; the grid holds thousands of cd.
        const std::vector<GridNode> grid =
            RotationalGrid(curves->second.a, FloodGridAngles(), flux / 1000.0 / 1000.0);
        const std::vector<std::string> columns = {"纵向角度", "垂直角度", "光强"};
        if (!CreateRealTable(name, columns)) {
            return false;
        }
        for (const GridNode& node : grid) {
            if (!AddRow(name, columns,
                        {NumberText(node.first), NumberText(node.second),
                         NumberText(Rounded(node.value, 3))},
                        file)) {
                return false;
            }
        }
    }
    return true;
}

bool Builder::CompleteLuminaireTypes() {
    KvStTable types;
    if (m_db.GetSelData(types, "SELECT [名称], [型号], [配光曲线表], [利用系数表], [等光强曲线表] "
                               "FROM [灯具型号]") < 0) {
        return Fail("cannot read 灯具型号");
    }
    std::vector<std::string> row;
    for (int i = 0; i < types.GetTableLogicSize(); ++i) {
        types.GetValueRecord(row, i);
        const std::string what = "luminaire type " + row[0] + " " + row[1];
        for (size_t column = 2; column < 5; ++column) {
            if ((column == 2 || !row[column].empty()) &&
                !m_db.IsTableInDatabase(row[column], "TABLE")) {
                return Fail(what + ": no table \"" + row[column] + "\"");
            }
        }
        const auto curves = m_curves.find(row[2]);
        if (curves == m_curves.end()) {
            continue; // a table loaded otherwise: no derived efficiencies
        }
        const Curves& c = curves->second;
        const double down = Rounded(TwoPlaneFlux(c.a, c.b, 0.0, 90.0) / 1000.0, 3);
        const double up = Rounded(TwoPlaneFlux(c.a, c.b, 90.0, 180.0) / 1000.0, 3);
        if (!Execute("UPDATE [灯具型号] SET [下球效率] = " + NumberText(down) + ", [上球效率] = " +
                         NumberText(up) + " WHERE [配光曲线表] = '" + sql::Text(row[2]) + "'",
                     what)) {
            return false;
        }
    }
    return true;
}

bool Builder::CheckKeys() {
    return ExpectNoRows("SELECT [光源类型], [灯型号], [功率] FROM [光源] GROUP BY [光源类型], "
                        "[灯型号], [功率] HAVING COUNT(*) > 1",
                        "lamps listed twice") &&
           ExpectNoRows("SELECT [名称], [型号] FROM [灯具型号] GROUP BY [名称], [型号] "
                        "HAVING COUNT(*) > 1",
                        "luminaire types listed twice") &&
           ExpectNoRows("SELECT [物体], [颜色] FROM [物体反射率] GROUP BY [物体], [颜色] "
                        "HAVING COUNT(*) > 1",
                        "reflectances listed twice") &&
           ExpectNoRows("SELECT [场所] FROM [照度标准] GROUP BY [场所] HAVING COUNT(*) > 1",
                        "categories listed twice");
}

bool Builder::Run() {
    if (!Execute("BEGIN", "start")) {
        return false;
    }
    const bool built = RunScript(m_folder / "schema.sql") && LoadFixedTables() && LoadStandards() &&
                       LoadPhotometry() && LoadCuTables() && LoadFloodGrids() &&
                       CompleteLuminaireTypes() && RunScript(m_folder / "finish.sql") &&
                       CheckKeys();
    if (!built) {
        m_db.ExecuteSQL("ROLLBACK");
        return false;
    }
    return Execute("COMMIT", "end");
}

} // namespace

const std::vector<double>& FloodGridAngles() {
    static const std::vector<double> angles = {-90, -80, -70, -60, -50, -45, -40, -35, -30, -25,
                                               -20, -15, -10, -5,  0,   5,   10,  15,  20,  25,
                                               30,  35,  40,  45,  50,  60,  70,  80,  90};
    return angles;
}

bool BuildCatalogue(const std::string& sourceFolder, const std::string& databasePath,
                    std::string& error) {
    const fs::path target(databasePath);
    const fs::path building = fs::path(databasePath + ".building");
    std::error_code ignored;
    fs::remove(building, ignored);
    {
        std::ofstream create(building); // an empty file is an empty SQLite database
        if (!create) {
            error = building.string() + ": cannot be created";
            return false;
        }
    }
    bool built = false;
    {
        KvAccess db;
        if (db.InitADOServer(building.string(), "") != 1) {
            error = building.string() + ": cannot be opened";
        } else {
            Builder builder(db, fs::path(sourceFolder));
            try {
                built = builder.Run();
                error = builder.Error();
            } catch (const std::exception& e) {
                error = e.what();
            }
        }
    }
    std::error_code renameError;
    if (built) {
        fs::rename(building, target, renameError);
        if (renameError) {
            error = target.string() + ": " + renameError.message();
            built = false;
        }
    }
    if (!built) {
        fs::remove(building, ignored);
    }
    return built;
}

} // namespace qv
