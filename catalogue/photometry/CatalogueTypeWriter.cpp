#include "catalogue/photometry/CatalogueTypeWriter.h"

#include "catalogue/CatalogueStatements.h"

#include <kelvorin/KvStTable.h>
#include <kelvorin/KvStr.h>

#include <charconv>

namespace qv {
namespace {

constexpr size_t kMaxTableNameCharacters = 56; // room for a "_NN" suffix within 64

std::string Number(double value) {
    return KvStr::FormatDouble(value);
}

// The shortest text that reads back as exactly this number, in any locale.
std::string ExactNumber(double value) {
    char buffer[32];
    const std::to_chars_result result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

// The model text made fit for a table name: characters a table name cannot hold become
// "_", and the text is cut to whole UTF-8 characters.
std::string TableNamePart(const std::string& text) {
    std::string part;
    size_t characters = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const bool starts = (byte & 0xC0) != 0x80;
        if (starts && ++characters > kMaxTableNameCharacters) {
            break;
        }
        const bool refused = byte < 0x20 || byte == 0x7F || text[i] == '.' || text[i] == '!' ||
                             text[i] == '`' || text[i] == '[' || text[i] == ']' ||
                             text[i] == '\'' || text[i] == '"';
        part += refused ? '_' : text[i];
    }
    return part;
}

class TypeWriter {
public:
    explicit TypeWriter(KvAccess& db) : m_db(db) {}

    bool Write(const CatalogueLuminaireType& type, WrittenType& written);
    const std::string& Error() const { return m_error; }

private:
    bool Fail(const std::string& message) {
        m_error = message;
        return false;
    }
    int CountRows(const std::string& sql) {
        std::vector<std::string> cells;
        return m_db.GetSelData(cells, sql);
    }
    std::string FreeTableName(const std::string& prefix, const std::string& model);
    bool WriteTable(const std::string& name, const std::vector<std::string>& columns,
                    const std::vector<std::vector<double>>& rows);
    bool WriteLamp(const CatalogueLuminaireType& type, std::string& lamp);
    bool WriteUgrTables(const CatalogueLuminaireType& type);

    KvAccess& m_db;
    std::string m_error;
};

std::string TypeWriter::FreeTableName(const std::string& prefix, const std::string& model) {
    const std::string base = prefix + TableNamePart(model);
    std::string name = base;
    for (int n = 2; m_db.IsTableInDatabase(name, "TABLE"); ++n) {
        name = base + "_" + std::to_string(n);
    }
    return name;
}

bool TypeWriter::WriteTable(const std::string& name, const std::vector<std::string>& columns,
                            const std::vector<std::vector<double>>& rows) {
    std::vector<KvStTableField> fields;
    for (const std::string& column : columns) {
        KvStTableField field;
        field.name = column;
        field.type = "float";
        fields.push_back(field);
    }
    if (m_db.CreateTable(name, fields) != 1) {
        return Fail("cannot create table " + name);
    }
    std::vector<std::string> values(columns.size());
    for (const std::vector<double>& row : rows) {
        for (size_t i = 0; i < row.size(); ++i) {
            values[i] = Number(row[i]);
        }
        if (m_db.AddRecordToTable(name, columns, values) != 1) {
            return Fail("a row of table " + name + " was refused");
        }
    }
    return true;
}

bool TypeWriter::WriteLamp(const CatalogueLuminaireType& type, std::string& lamp) {
    const std::string power = Number(type.lampPower);
    lamp = type.lampType + "," + type.lampModel + "," + power;
    const int found = CountRows(sql::LampRecord(type.lampType, type.lampModel, power));
    if (found < 0) {
        return Fail("cannot read table 光源");
    }
    if (found > 0) {
        return true;
    }
    return m_db.AddRecordToTable(
               "光源", {"光源类型", "灯型号", "功率", "光通量"},
               {type.lampType, type.lampModel, power, std::to_string(type.lampFlux)}) == 1 ||
           Fail("the lamp " + lamp + " was refused by table 光源");
}

// The rows of the type's UGR tables in the shared table "UGR表", made when missing.
bool TypeWriter::WriteUgrTables(const CatalogueLuminaireType& type) {
    if (type.ugrTables.empty()) {
        return true;
    }
    const std::vector<std::string>& columns = UgrTableColumns();
    if (!m_db.IsTableInDatabase(kUgrTableName, "TABLE")) {
        std::vector<KvStTableField> fields;
        for (size_t i = 0; i < columns.size(); ++i) {
            KvStTableField field;
            field.name = columns[i];
            field.type = i < 2 ? "varchar" : "float";
            field.size = i < 2 ? 255 : 0;
            fields.push_back(field);
        }
        if (m_db.CreateTable(kUgrTableName, fields) != 1) {
            return Fail(std::string("cannot create table ") + kUgrTableName);
        }
    }
    for (const CatalogueUgrTable& table : type.ugrTables) {
        for (const CatalogueUgrRow& row : table.rows) {
            std::vector<std::string> values = {type.name,
                                               type.model,
                                               Number(table.shr),
                                               Number(table.flux),
                                               std::to_string(row.x),
                                               std::to_string(row.y)};
            for (double value : row.crosswise) {
                values.push_back(ExactNumber(value));
            }
            for (double value : row.endwise) {
                values.push_back(ExactNumber(value));
            }
            if (m_db.AddRecordToTable(kUgrTableName, columns, values) != 1) {
                return Fail(std::string("a row of table ") + kUgrTableName + " was refused");
            }
        }
    }
    return true;
}

bool TypeWriter::Write(const CatalogueLuminaireType& type, WrittenType& written) {
    const std::string what = "luminaire type " + type.name + " / " + type.model;
    if (KvStr::Trim(type.name).empty() || KvStr::Trim(type.model).empty()) {
        return Fail(what + ": the name and the model must not be empty");
    }
    const int listed = CountRows(sql::LuminaireRecord(type.name, type.model));
    if (listed != 0) {
        return Fail(listed < 0 ? "cannot read table 灯具型号"
                               : what + " is already in the catalogue");
    }
    written = WrittenType();
    written.lightsTable = FreeTableName("配光_", type.model);
    std::vector<std::vector<double>> rows;
    for (int i = 0; i < type.curveA.Count(); ++i) {
        rows.push_back({type.curveA.At(i).dAngle, type.curveA.At(i).dLightStrong,
                        type.curveB.At(i).dLightStrong});
    }
    if (!WriteTable(written.lightsTable, {"角度", "光强A", "光强B"}, rows)) {
        return false;
    }
    if (type.cu.Count() > 0) {
        written.cuTable = FreeTableName("利用系数_", type.model);
        rows.clear();
        for (const CuRow& row : type.cu.Rows()) {
            rows.push_back({row.dPcc, row.dPw, row.dPf, row.dPCR, row.dUsing});
        }
        if (!WriteTable(written.cuTable,
                        {"有效顶棚反射比", "墙反射比", "地面反射比", "室空间比", "利用系数"},
                        rows)) {
            return false;
        }
    }
    if (type.flood.Count() > 0) {
        written.floodTable = FreeTableName("等光强_", type.model);
        rows.clear();
        for (const FloodIntensityRow& row : type.flood.Rows()) {
            rows.push_back({row.dZXAngle, row.dHXAngle, row.dLampGq});
        }
        if (!WriteTable(written.floodTable, {"纵向角度", "垂直角度", "光强"}, rows)) {
            return false;
        }
    }
    if (!WriteLamp(type, written.lamp)) {
        return false;
    }
    const std::vector<std::string> columns = {
        "型号",     "光源",         "上球效率",   "下球效率", "说明",     "利用系数表",
        "名称",     "等光强曲线表", "配光曲线表", "类别",     "几何形状", "几何长度",
        "几何宽度", "几何高度",     "光学形状",   "来源"};
    const std::string shape = std::to_string(type.shape);
    const std::vector<std::string> values = {type.model,
                                             type.lampType,
                                             Number(type.upward),
                                             Number(type.downward),
                                             type.description,
                                             written.cuTable,
                                             type.name,
                                             written.floodTable,
                                             written.lightsTable,
                                             type.kind,
                                             shape,
                                             Number(type.lengthMm),
                                             Number(type.widthMm),
                                             Number(type.heightMm),
                                             shape,
                                             type.source};
    return (m_db.AddRecordToTable("灯具型号", columns, values) == 1 ||
            Fail(what + " was refused by table 灯具型号")) &&
           WriteUgrTables(type);
}

} // namespace

bool AddCatalogueTypes(KvAccess& db, const std::vector<CatalogueLuminaireType>& types,
                       std::vector<WrittenType>& written, std::string& error) {
    written.clear();
    if (db.ExecuteSQL("BEGIN") != 1) {
        error = "the catalogue cannot be written";
        return false;
    }
    TypeWriter writer(db);
    for (const CatalogueLuminaireType& type : types) {
        WrittenType one;
        if (!writer.Write(type, one)) {
            db.ExecuteSQL("ROLLBACK");
            error = writer.Error();
            written.clear();
            return false;
        }
        written.push_back(one);
    }
    if (db.ExecuteSQL("COMMIT") != 1) {
        db.ExecuteSQL("ROLLBACK");
        error = "the catalogue could not be saved";
        written.clear();
        return false;
    }
    return true;
}

} // namespace qv
