// catalogue-photometry SOURCE_FOLDER: regenerates the derived photometry of the catalogue
// sources (data/catalogue):
//   - the generic luminaire library: types named 通用…, their intensity tables
//     photometry/配光_通用_*.csv from the analytic distributions below, and for the
//     floodlights the rows of flood/index.csv from which the build derives their grids;
//   - a CU table cu/利用系数_计算_*.csv by the zonal-cavity method for every indoor type
//     that has no published one (the generic ones included).
// Rows it owns (those names) are replaced; every other row is kept as it stands. The
// output is committed as catalogue source; run the tool again after changing a curve.
//
// Build and run: cmake --build build --target catalogue-photometry, then
//   build/bin/catalogue-photometry data/catalogue
#include "catalogue/CatalogueSourceText.h"
#include "catalogue/PhotometryDerivation.h"
#include "catalogue/photometry/CatalogueLuminaireType.h"

#include <kelvorin/KvFile.h>
#include <kelvorin/KvStr.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using qv::CsvRows;

constexpr double kPi = 3.14159265358979323846;
const std::string kGenericName = "通用";
const std::string kGenericCurve = "配光_通用_";
const std::string kComputedCu = "利用系数_计算_";
const std::string kGenericFlood = "等光强_通用_";

double CosPower(double degrees, double power) {
    const double c = std::cos(degrees * kPi / 180.0);
    return c <= 0.0 ? 0.0 : std::pow(c, power);
}

// One generic type: the shape of its two curves (relative, any scale) and the share of
// the lamp flux it sends out (light output ratio); the curves are scaled so that the
// flux of their mean is that share of 1000 lm.
struct GenericType {
    std::string name; // after the prefix 通用
    std::string model;
    std::string lamp;
    std::string kind; // 室内灯具, 道路灯具, 投光灯
    int shape = 0;
    double length = 0.0; // mm
    double width = 0.0;
    double height = 0.0;
    double lor = 0.0;
    std::function<double(double)> along;  // curve A: in the plane along the axis
    std::function<double(double)> across; // curve B
    std::string formula;                  // the distribution as documented
    std::string description;
    double floodLampFlux = 0.0; // floodlights: lamp flux of the derived grid
};

std::vector<GenericType> Library() {
    const auto cosine = [](double p) { return [p](double t) { return CosPower(t, p); }; };
    return {
        {"平板灯", "LED平板灯 600x600 乳白", "LED", "室内灯具", 0, 597, 597, 12, 0.85, cosine(1),
         cosine(1), "A = B = cos θ", "recessed LED panel with an opal diffuser (Lambertian)"},
        {"格栅灯盘", "格栅灯盘 600x600 3x14W T5", "T5荧光灯", "室内灯具", 0, 597, 597, 80, 0.65,
         cosine(2), cosine(1.3), "A = cos² θ, B = cos^1.3 θ",
         "recessed troffer with a specular louvre"},
        {"蝙蝠翼灯具", "蝙蝠翼格栅灯 1200x300", "T5荧光灯", "室内灯具", 0, 1197, 297, 80, 0.70,
         cosine(1.2),
         [](double t) {
             const double s = std::sin(t * kPi / 180.0);
             return CosPower(t, 1) * (1.0 + 1.5 * s * s);
         },
         "A = cos^1.2 θ, B = cos θ·(1 + 1.5 sin² θ) (peak near 42°)",
         "batwing louvre luminaire for two linear lamps"},
        {"筒灯", "窄光束筒灯 Φ100", "LED", "室内灯具", 1, 100, 0, 120, 0.80, cosine(16), cosine(16),
         "A = B = cos^16 θ (half-intensity angle 16.8°)", "narrow-beam downlight"},
        {"筒灯", "宽光束筒灯 Φ200", "紧凑型荧光灯", "室内灯具", 1, 200, 0, 150, 0.75,
         [](double t) { return 0.5 * (CosPower(t, 1) + CosPower(t, 2)); },
         [](double t) { return 0.5 * (CosPower(t, 1) + CosPower(t, 2)); },
         "A = B = (cos θ + cos² θ)/2", "wide-beam downlight"},
        {"高天棚灯", "高天棚灯 Φ420", "金属卤化物灯", "室内灯具", 1, 420, 0, 450, 0.85, cosine(3),
         cosine(3), "A = B = cos³ θ (half-intensity angle 37.5°)",
         "high-bay luminaire with a reflector"},
        {"支架灯", "支架灯 1200 乳白罩", "T8荧光灯", "室内灯具", 0, 1230, 70, 60, 0.80, cosine(1),
         [](double t) { return t <= 90.0 ? 0.85 * CosPower(t, 1) + 0.15 : 0.0; },
         "A = cos θ, B = 0.85 cos θ + 0.15", "surface batten with an opal cover (no up-light)"},
        {"道路灯", "道路灯 截光型", "高压钠灯", "道路灯具", 0, 700, 300, 150, 0.75,
         [](double t) {
             const double s = std::sin(t * kPi / 180.0);
             return CosPower(t, 1) * (1.0 + 5.0 * s * s * s * s);
         },
         cosine(1.2), "A = cos θ·(1 + 5 sin⁴ θ) (peak near 60°), B = cos^1.2 θ",
         "cut-off road lantern; A along the road"},
        {"投光灯", "投光灯 窄光束", "金属卤化物灯", "投光灯", 0, 400, 350, 150, 0.70, cosine(60),
         cosine(60), "A = B = cos^60 θ (half-intensity angle 8.7°)", "narrow-beam floodlight",
         32000},
        {"投光灯", "投光灯 中光束", "金属卤化物灯", "投光灯", 0, 400, 350, 150, 0.70, cosine(16),
         cosine(16), "A = B = cos^16 θ (half-intensity angle 16.8°)", "medium-beam floodlight",
         32000},
        {"投光灯", "投光灯 宽光束", "金属卤化物灯", "投光灯", 0, 500, 400, 180, 0.70, cosine(4),
         cosine(4), "A = B = cos⁴ θ (half-intensity angle 32.8°)", "wide-beam floodlight", 32000},
    };
}

std::string Number(double value) {
    return KvStr::FormatDouble(value);
}

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\n\r") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return quoted + "\"";
}

std::string CsvLine(const std::vector<std::string>& fields) {
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i) {
        line += (i == 0 ? "" : ",") + CsvField(fields[i]);
    }
    return line + "\n";
}

class Sources {
public:
    explicit Sources(fs::path folder) : m_folder(std::move(folder)) {}

    bool Read(const std::string& file, CsvRows& csv) {
        std::string text;
        std::string error;
        if (KvFile::ReadAll((m_folder / file).string(), text) != KvFileRead::Ok ||
            !qv::ParseCsv(text, csv, error)) {
            return Fail(file + ": cannot be read " + error);
        }
        return true;
    }
    bool Write(const std::string& file, const std::vector<std::string>& header,
               const std::vector<std::vector<std::string>>& rows) {
        std::string text = CsvLine(header);
        for (const auto& row : rows) {
            text += CsvLine(row);
        }
        std::string error;
        return KvFile::WriteAtomically((m_folder / file).string(), text, &error) ||
               Fail(file + ": " + error);
    }
    bool Remove(const std::string& file) {
        std::error_code ignored;
        fs::remove(m_folder / file, ignored);
        return true;
    }
    bool Fail(const std::string& message) {
        std::cerr << "catalogue-photometry: " << message << '\n';
        return false;
    }
    const fs::path& Folder() const { return m_folder; }

private:
    fs::path m_folder;
};

size_t Column(const CsvRows& csv, const std::string& name) {
    const auto found = std::find(csv.header.begin(), csv.header.end(), name);
    return static_cast<size_t>(found - csv.header.begin());
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.rfind(prefix, 0) == 0;
}

// Keeps the rows of an index whose first field does not start with any owned prefix.
std::vector<std::vector<std::string>> KeptRows(const CsvRows& csv,
                                               const std::vector<std::string>& owned) {
    std::vector<std::vector<std::string>> kept;
    for (const CsvRows::Row& row : csv.rows) {
        const bool mine = std::any_of(owned.begin(), owned.end(), [&](const std::string& p) {
            return StartsWith(row.fields[0], p);
        });
        if (!mine) {
            kept.push_back(row.fields);
        }
    }
    return kept;
}

qv::PrintedCurve Sampled(const std::function<double(double)>& shape) {
    qv::PrintedCurve curve;
    for (int degree = 0; degree <= 90; ++degree) {
        curve.push_back({double(degree), shape(degree)});
    }
    return curve;
}

// The two curves of a generic type in cd per 1000 lm, rounded to 0.1.
void GenericCurves(const GenericType& type, qv::PrintedCurve& a, qv::PrintedCurve& b) {
    a = Sampled(type.along);
    b = Sampled(type.across);
    const double flux = qv::TwoPlaneFlux(a, b, 0.0, 180.0);
    const double scale = type.lor * 1000.0 / flux;
    for (qv::PrintedCurve* curve : {&a, &b}) {
        for (qv::CurveSample& sample : *curve) {
            sample.value = std::round(sample.value * scale * 10.0) / 10.0;
        }
    }
}

bool WriteCurveFile(Sources& sources, const std::string& table, const qv::PrintedCurve& a,
                    const qv::PrintedCurve& b) {
    std::vector<std::vector<std::string>> rows;
    for (size_t i = 0; i < a.size(); ++i) {
        rows.push_back({Number(a[i].angle), Number(a[i].value), Number(b[i].value)});
    }
    return sources.Write("photometry/" + table + ".csv", {"角度", "光强A", "光强B"}, rows);
}

// The curves of an intensity table listed in photometry/index.csv, in cd per 1000 lm
// (tables printed in candela normalised as the build does).
bool LoadCurves(Sources& sources, const CsvRows::Row& entry, qv::PrintedCurve& a,
                qv::PrintedCurve& b) {
    CsvRows csv;
    if (!sources.Read("photometry/" + entry.fields[1], csv)) {
        return false;
    }
    for (const CsvRows::Row& row : csv.rows) {
        double angle = 0.0, va = 0.0, vb = 0.0;
        if (!qv::IsNumberText(row.fields[0], &angle) || !qv::IsNumberText(row.fields[1], &va) ||
            !qv::IsNumberText(row.fields[2], &vb)) {
            return sources.Fail(entry.fields[1] + ": not a number");
        }
        a.push_back({angle, va});
        b.push_back({angle, vb});
    }
    if (entry.fields[2] == "cd") {
        const double flux = qv::TwoPlaneFlux(a, b, 0.0, 180.0);
        for (qv::PrintedCurve* curve : {&a, &b}) {
            for (qv::CurveSample& sample : *curve) {
                sample.value = std::round(sample.value * 1000.0 / flux * 100.0) / 100.0;
            }
        }
    }
    return true;
}

qv::IntensityCurve ToCurve(const qv::PrintedCurve& printed) {
    qv::IntensityCurve curve;
    for (const qv::CurveSample& sample : printed) {
        curve.Append({sample.angle, sample.value});
    }
    return curve;
}

int Run(Sources& sources) {
    const std::vector<GenericType> library = Library();
    // Intensity tables: the generic ones rewritten, the others kept.
    CsvRows photometry;
    if (!sources.Read("photometry/index.csv", photometry)) {
        return 1;
    }
    for (const CsvRows::Row& row : photometry.rows) {
        if (StartsWith(row.fields[0], kGenericCurve)) {
            sources.Remove("photometry/" + row.fields[1]);
        }
    }
    std::vector<std::vector<std::string>> photometryRows = KeptRows(photometry, {kGenericCurve});
    std::vector<std::vector<std::string>> floodRows;
    CsvRows flood;
    if (!sources.Read("flood/index.csv", flood)) {
        return 1;
    }
    floodRows = KeptRows(flood, {kGenericFlood});
    CsvRows types;
    if (!sources.Read("tables/灯具型号.csv", types)) {
        return 1;
    }
    std::vector<std::vector<std::string>> typeRows;
    for (const CsvRows::Row& row : types.rows) {
        if (!StartsWith(row.fields[0], kGenericName)) {
            typeRows.push_back(row.fields);
        }
    }
    const std::vector<std::string>& typeHeader = types.header;
    for (const GenericType& type : library) {
        std::string suffix = type.model;
        std::replace(suffix.begin(), suffix.end(), ' ', '_');
        const std::string curveTable = kGenericCurve + suffix;
        qv::PrintedCurve a;
        qv::PrintedCurve b;
        GenericCurves(type, a, b);
        if (!WriteCurveFile(sources, curveTable, a, b)) {
            return 1;
        }
        photometryRows.push_back({curveTable, curveTable + ".csv", "cd/klm", "derived", "",
                                  "generic " + type.description,
                                  "analytic: " + type.formula + ", light output ratio " +
                                      Number(type.lor) + "; whole degrees 0-90"});
        std::string floodTable;
        if (type.floodLampFlux > 0.0) {
            floodTable = kGenericFlood + suffix;
            floodRows.push_back({floodTable, curveTable, Number(type.floodLampFlux), "derived",
                                 "rotationally symmetric beam of the generic curve " + curveTable +
                                     " for a lamp of " + Number(type.floodLampFlux) + " lm"});
        }
        std::vector<std::string> row(typeHeader.size());
        const auto set = [&](const std::string& column, const std::string& value) {
            const auto at = std::find(typeHeader.begin(), typeHeader.end(), column);
            if (at != typeHeader.end()) {
                row[static_cast<size_t>(at - typeHeader.begin())] = value;
            }
        };
        set("名称", kGenericName + type.name);
        set("型号", type.model);
        set("光源", type.lamp);
        set("类别", type.kind);
        set("配光曲线表", curveTable);
        set("等光强曲线表", floodTable);
        set("几何形状", std::to_string(type.shape));
        set("几何长度", Number(type.length));
        set("几何宽度", type.width > 0 ? Number(type.width) : "");
        set("几何高度", Number(type.height));
        set("光学形状", std::to_string(type.shape));
        set("说明", "generic " + type.description);
        set("来源", "analytic distribution " + type.formula + ", light output ratio " +
                        Number(type.lor) +
                        "; body size typical of the kind (README: generic "
                        "luminaire library)");
        set("#status", "derived");
        typeRows.push_back(row);
    }

    // CU tables for every type that has no published one.
    CsvRows cu;
    if (!sources.Read("cu/index.csv", cu)) {
        return 1;
    }
    for (const CsvRows::Row& row : cu.rows) {
        if (StartsWith(row.fields[0], kComputedCu)) {
            sources.Remove("cu/" + row.fields[1]);
        }
    }
    std::vector<std::vector<std::string>> cuRows = KeptRows(cu, {kComputedCu});
    std::map<std::string, CsvRows::Row> curveEntries;
    for (const auto& fields : photometryRows) {
        curveEntries[fields[0]] = CsvRows::Row{0, fields};
    }
    const size_t curveColumn = Column(types, "配光曲线表");
    const size_t cuColumn = Column(types, "利用系数表");
    const size_t kindColumn = Column(types, "类别");
    std::map<std::string, std::string> computed; // curve table -> CU table
    for (auto& row : typeRows) {
        if (row[kindColumn] == "投光灯" ||
            (!row[cuColumn].empty() && !StartsWith(row[cuColumn], kComputedCu))) {
            continue;
        }
        const std::string& curveTable = row[curveColumn];
        const auto entry = curveEntries.find(curveTable);
        if (entry == curveEntries.end()) {
            return sources.Fail("no intensity table " + curveTable) ? 0 : 1;
        }
        std::string& cuTable = computed[curveTable];
        if (cuTable.empty()) {
            cuTable = kComputedCu + curveTable.substr(std::string("配光_").size());
            qv::PrintedCurve a;
            qv::PrintedCurve b;
            if (!LoadCurves(sources, entry->second, a, b)) {
                return 1;
            }
            std::vector<std::vector<std::string>> rows;
            const qv::CuTable table = qv::CuTableOfCurves(ToCurve(a), ToCurve(b));
            for (const qv::CuRow& r : table.Rows()) {
                rows.push_back({Number(r.dPcc), Number(r.dPw), Number(r.dPf), Number(r.dPCR),
                                Number(r.dUsing)});
            }
            if (!sources.Write("cu/" + cuTable + ".csv",
                               {"有效顶棚反射比", "墙反射比", "地面反射比", "室空间比", "利用系数"},
                               rows)) {
                return 1;
            }
            cuRows.push_back({cuTable, cuTable + ".csv", "derived", "",
                              "computed from the intensity table " + curveTable,
                              "zonal-cavity method (README); effective floor cavity 20; the "
                              "intensity around the vertical is the mean of the two planes"});
        }
        row[cuColumn] = cuTable;
        std::string& status = row[Column(types, "#status")];
        const std::string missing = "no CU table in the sources";
        const std::string derived = "CU derived by the zonal-cavity method";
        if (const size_t at = status.find(missing); at != std::string::npos) {
            status.replace(at, missing.size(), derived);
        } else if (!StartsWith(row[0], kGenericName) && status.find(derived) == std::string::npos) {
            status += "; " + derived;
        }
    }
    const bool written = sources.Write("photometry/index.csv", photometry.header, photometryRows) &&
                         sources.Write("flood/index.csv", flood.header, floodRows) &&
                         sources.Write("cu/index.csv", cu.header, cuRows) &&
                         sources.Write("tables/灯具型号.csv", typeHeader, typeRows);
    return written ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: catalogue-photometry SOURCE_FOLDER\n";
        return 2;
    }
    Sources sources{fs::path(argv[1])};
    return Run(sources);
}
