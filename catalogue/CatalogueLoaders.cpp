#include "catalogue/CatalogueLoaders.h"

#include "catalogue/CatalogueStatements.h"

#include <kelvorin/KvAccess.h>
#include <kelvorin/KvStr.h>

#include <ostream>

namespace qv {

namespace {

// Positions in a row of "灯具型号".
enum LuminaireColumn {
    kModelColumn = 0,
    kModulusTableColumn = 7,
    kNameColumn = 8,
    kGradeTableColumn = 9,
    kLightsTableColumn = 10,
    kGeometricShapeColumn = 12, // then length, width, height in millimetres
    kOpticalShapeColumn = 16,   // then length, width, height as stored
};

// Digits with an optional sign and one decimal point: the only power text that may
// stand unquoted in a statement.
bool IsPlainNumber(const std::string& text) {
    size_t i = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
    bool digits = false;
    bool point = false;
    for (; i < text.size(); ++i) {
        if (text[i] >= '0' && text[i] <= '9') {
            digits = true;
        } else if (text[i] == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digits;
}

// The first row of a record query, or false when the query failed or found nothing.
bool FirstRow(CatalogueDatabase& db, const std::string& sql, KvStRecord& row) {
    KvStTable table;
    return db.Select(table, sql) > 0 && table.GetFieldCount() > 0 &&
           table.GetValueRecord(row, 0) == 1;
}

LuminaireShape ShapeAt(const KvStRecord& row, int column, double scale) {
    LuminaireShape shape;
    shape.nShape = KvStr::Atoi(row.GetAt(column));
    shape.dLength = KvStr::Atof(row.GetAt(column + 1)) * scale;
    shape.dWidth = KvStr::Atof(row.GetAt(column + 2)) * scale;
    shape.dHeight = KvStr::Atof(row.GetAt(column + 3)) * scale;
    return shape;
}

// Calls take with the numbers of every row that has exactly width fields.
template <typename Take> void ForEachRowOfWidth(const KvStTable& rows, size_t width, Take take) {
    std::vector<std::string> cells;
    std::vector<double> values;
    for (int i = 0; i < rows.GetTableLogicSize(); ++i) {
        rows.GetValueRecord(cells, i);
        if (cells.size() != width) {
            continue;
        }
        values.clear();
        for (const std::string& cell : cells) {
            values.push_back(KvStr::Atof(cell));
        }
        take(values);
    }
}

// Runs a table query when the name can name a table; -1 otherwise.
int SelectTable(CatalogueDatabase& db, const std::string& table, const std::string& sql,
                KvStTable& rows) {
    return KvAccess::IsTableName(table) ? db.Select(rows, sql) : -1;
}

} // namespace

int ListLuminaireNames(CatalogueDatabase& db, std::vector<std::string>& out) {
    return db.SelectDistinct(out, sql::LuminaireNames());
}

int ListLuminaireModels(CatalogueDatabase& db, const std::string& name,
                        std::vector<std::string>& out) {
    return db.SelectDistinct(out, sql::LuminaireModels(name));
}

int ListLampTypes(CatalogueDatabase& db, std::vector<std::string>& out) {
    return db.SelectDistinct(out, sql::LampTypes());
}

int ListLampModels(CatalogueDatabase& db, const std::string& type, std::vector<std::string>& out) {
    return db.SelectDistinct(out, sql::LampModels(type));
}

int ListLampPowers(CatalogueDatabase& db, const std::string& type, const std::string& model,
                   std::vector<std::string>& out) {
    return db.SelectDistinct(out, sql::LampPowers(type, model));
}

int FindRecordedLamp(CatalogueDatabase& db, const std::string& name, const std::string& model,
                     std::string& lampType, std::string& power) {
    std::vector<std::string> types;
    if (db.SelectCells(types, sql::LuminaireLampType(name, model)) < 1 || types.front().empty()) {
        return 0;
    }
    std::vector<std::string> powers;
    if (ListLampPowers(db, types.front(), model, powers) != 1) {
        return 0;
    }
    lampType = types.front();
    power = powers.front();
    return 1;
}

int LoadLamp(CatalogueDatabase& db, const std::string& type, const std::string& model,
             const std::string& power, Lamp& lamp) {
    if (!power.empty() && !IsPlainNumber(power)) {
        return 0;
    }
    KvStRecord row;
    if (!FirstRow(db, sql::LampRecord(type, model, power), row)) {
        return 0;
    }
    lamp.sName = row.GetAt(0);
    lamp.sModel = row.GetAt(1);
    lamp.dPower = KvStr::Atof(row.GetAt(2));
    lamp.nLuminousFlux = KvStr::Atoi(row.GetAt(3));
    return 1;
}

int LoadLuminaireType(CatalogueDatabase& db, const std::string& name, const std::string& model,
                      Luminaire& luminaire) {
    KvStRecord row;
    if (!FirstRow(db, sql::LuminaireRecord(name, model), row)) {
        return 0;
    }
    luminaire.sModel = row.GetAt(kModelColumn);
    luminaire.sName = row.GetAt(kNameColumn);
    luminaire.curveA.Clear();
    luminaire.curveB.Clear();
    luminaire.cuTable.Clear();
    luminaire.floodTable.Clear();
    luminaire.sLightsTable = row.GetAt(kLightsTableColumn);
    LoadIntensityCurves(db, luminaire.sLightsTable, luminaire.curveA, luminaire.curveB);
    luminaire.sModulusTable = row.GetAt(kModulusTableColumn);
    LoadCuTable(db, luminaire.sModulusTable, luminaire.cuTable);
    luminaire.sGradeTable = row.GetAt(kGradeTableColumn);
    LoadFloodTable(db, luminaire.sGradeTable, luminaire.floodTable);
    luminaire.geometricShape = ShapeAt(row, kGeometricShapeColumn, 0.001);
    luminaire.opticalShape = ShapeAt(row, kOpticalShapeColumn, 1.0);
    return 1;
}

int LoadIntensityCurves(CatalogueDatabase& db, const std::string& table, IntensityCurve& a,
                        IntensityCurve& b) {
    if (!db.Connect()) {
        return 0;
    }
    if (!KvAccess::IsTableName(table) || !db.HasTable(table)) {
        db.Report() << "<" << table << ">数据已删除,请在(灯具扩充)中修改!" << std::endl;
        return 0;
    }
    KvStTable rows;
    if (db.Select(rows, sql::IntensityRows(table)) < 0) {
        db.Report() << "<" << table << ">数据错误,请在(灯具扩充)中修改!" << std::endl;
        return 0;
    }
    TakeIntensityRows(rows, a, b);
    return 1;
}

int LoadCuTable(CatalogueDatabase& db, const std::string& table, CuTable& cu) {
    KvStTable rows;
    if (SelectTable(db, table, sql::CuRows(table), rows) < 0) {
        return 0;
    }
    TakeCuRows(rows, cu);
    return 1;
}

int LoadFloodTable(CatalogueDatabase& db, const std::string& table, FloodIntensityTable& flood) {
    KvStTable rows;
    if (SelectTable(db, table, sql::FloodRows(table), rows) < 0) {
        return 0;
    }
    TakeFloodRows(rows, flood);
    return 1;
}

void TakeIntensityRows(const KvStTable& rows, IntensityCurve& a, IntensityCurve& b) {
    a.Clear();
    b.Clear();
    ForEachRowOfWidth(rows, 3, [&](const std::vector<double>& v) {
        a.Append({v[0], v[1]});
        b.Append({v[0], v[2]});
    });
}

void TakeCuRows(const KvStTable& rows, CuTable& cu) {
    cu.Clear();
    ForEachRowOfWidth(rows, 5, [&](const std::vector<double>& v) {
        cu.Append({v[0], v[1], v[2], v[3], v[4]});
    });
}

void TakeFloodRows(const KvStTable& rows, FloodIntensityTable& flood) {
    flood.Clear();
    ForEachRowOfWidth(rows, 3, [&](const std::vector<double>& v) {
        flood.Append({v[0], v[1], v[2]});
    });
}

} // namespace qv
