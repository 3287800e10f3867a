#include "cli/IndoorCommands.h"
#include "cli/PlaceOption.h"

#include "calc/common/PowerDensity.h"
#include "cli/BookOption.h"
#include "cli/CommandOutput.h"
#include "cli/CsvTable.h"
#include "cli/ProjectCommands.h"
#include "panels/LumenMethodPanel.h"
#include "panels/SinglePointPanel.h"
#include "report/books/LumenMethodBook.h"
#include "report/books/PointBook.h"

#include <kelvorin/KvStr.h>

#include <charconv>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

namespace qv::cli {
namespace {

std::string Number(double value) {
    return KvStr::FormatDouble(value);
}

struct PointArguments {
    std::string project;
    std::string points;
    bool json = false;
    std::string book;
    std::string bookParts = "hiv";
};

// The points of the CSV file in file order, added with the calculation-point naming rule.
bool ReadPoints(const std::string& path, CalcPointGrid& grid) {
    const std::vector<CsvColumn> columns = {
        {"name", true, ""}, {"x", true, ""},    {"y", true, ""},   {"z", true, ""},
        {"rx", false, "0"}, {"ry", false, "0"}, {"rz", false, "0"}};
    CsvTable table;
    std::string error;
    if (!table.Read(path, columns, error)) {
        std::cerr << "quorvel-calc point: " << error << '\n';
        return false;
    }
    std::vector<CalcPoint> read;
    read.reserve(static_cast<size_t>(table.RowCount()));
    for (int row = 0; row < table.RowCount(); ++row) {
        CalcPoint point;
        point.name = table.Text(row, "name");
        double* const numbers[] = {&point.position.x, &point.position.y, &point.position.z,
                                   &point.rotation.x, &point.rotation.y, &point.rotation.z};
        const char* const names[] = {"x", "y", "z", "rx", "ry", "rz"};
        for (int i = 0; i < 6; ++i) {
            if (!table.Number(row, names[i], *numbers[i], error)) {
                std::cerr << "quorvel-calc point: " << error << '\n';
                return false;
            }
        }
        read.push_back(point);
    }
    grid.Append(read);
    return true;
}

void PrintPoints(const SinglePointPanel& panel, bool json) {
    const std::vector<CalcPoint>& points = panel.Points().Points();
    const LuminaireList& luminaires = panel.CalculatedLuminaires();
    if (json) {
        Json rows = Json::array();
        for (const CalcPoint& p : points) {
            rows.push_back({{"name", p.name},
                            {"x", p.position.x},
                            {"y", p.position.y},
                            {"z", p.position.z},
                            {"rx", p.rotation.x},
                            {"ry", p.rotation.y},
                            {"rz", p.rotation.z},
                            {"intensity", p.dIntensity},
                            {"eh", p.dEh},
                            {"ev", p.dEv},
                            {"ei", p.dEi}});
        }
        Json lights = Json::array();
        for (int i = 0; i < luminaires.Count(); ++i) {
            lights.push_back({{"index", i + 1},
                              {"name", luminaires.At(i).sName},
                              {"linear_type", panel.LinearTypes()[static_cast<size_t>(i)]},
                              {"last", luminaires.At(i).dLastContribution}});
        }
        PrintJson({{"points", rows}, {"luminaires", lights}});
        return;
    }
    for (int column = SinglePointPanel::kFirstPointColumn; column < SinglePointPanel::kColumnCount;
         ++column) {
        std::cout << SinglePointPanel::kHeaders[static_cast<size_t>(column)]
                  << (column + 1 < SinglePointPanel::kColumnCount ? "\t" : "\n");
    }
    for (int row = 0; row < panel.Points().RowCount(); ++row) {
        for (int column = SinglePointPanel::kFirstPointColumn;
             column < SinglePointPanel::kColumnCount; ++column) {
            std::cout << panel.CellText(row, column)
                      << (column + 1 < SinglePointPanel::kColumnCount ? "\t" : "\n");
        }
    }
    for (int i = 0; i < luminaires.Count(); ++i) {
        std::cout << "灯" << i + 1 << " " << luminaires.At(i).sName << ": 线光源类型 "
                  << "ABCDE"[panel.LinearTypes()[static_cast<size_t>(i)]] << ", 最后照度 "
                  << Number(luminaires.At(i).dLastContribution) << " lx\n";
    }
}

// "--book-parts": the letters of the parts after the horizontal one, i inclined and
// v vertical ("h" alone: the horizontal part only).
bool ReadBookParts(const std::string& text, PointBookParts& parts) {
    if (text.find_first_not_of("hiv") != std::string::npos) {
        std::cerr << "option --book-parts: \"" << text << "\" is not made of the letters h, i, v\n";
        return false;
    }
    parts.inclined = text.find('i') != std::string::npos;
    parts.vertical = text.find('v') != std::string::npos;
    return true;
}

int RunPoint(const PointArguments& arguments) {
    Project project;
    if (const int status = ReadIndoorProject(arguments.project, project); status != kSuccess) {
        return status;
    }
    SinglePointPanel panel;
    if (!ReadPoints(arguments.points, panel.Points())) {
        return kBadInput;
    }
    PointBookParts parts;
    if (!ReadBookParts(arguments.bookParts, parts)) {
        return kBadInput;
    }
    panel.Calculate(project.room, project.luminaires);
    PrintPoints(panel, arguments.json);
    std::cout.flush();
    return WriteBookOption(arguments.book, [&panel, parts](CalcBookWriter& writer) {
        WritePointBook(writer, panel.BookRecord(), parts);
    });
}

struct CuArguments {
    std::string project;
    std::string counts;
    bool json = false;
    std::string book;
};

// "--counts N1,N2,...": whole numbers, at most one per luminaire entry.
bool ReadCounts(const std::string& text, int entries, std::vector<int>& counts) {
    std::vector<std::string> pieces;
    KvStr::SplitStrBySymbol(pieces, text, ",");
    for (const std::string& piece : pieces) {
        const std::string trimmed = KvStr::Trim(piece);
        const char* end = trimmed.data() + trimmed.size();
        int count = 0;
        const auto [stop, error] = std::from_chars(trimmed.data(), end, count);
        if (trimmed.empty() || error != std::errc() || stop != end) {
            std::cerr << "option --counts: \"" << piece << "\" is not a whole number\n";
            return false;
        }
        counts.push_back(count);
    }
    if (static_cast<int>(counts.size()) > entries) {
        std::cerr << "option --counts: " << counts.size() << " counts for " << entries
                  << " luminaire entries\n";
        return false;
    }
    return true;
}

void PrintLumenMethod(const LumenMethodPanel& panel, bool json) {
    const LumenMethodResult& result = panel.Result();
    const PowerDensityDisplay& densities = panel.Densities();
    if (json) {
        Json entries = Json::array();
        for (const LumenEntry& entry : panel.Entries()) {
            entries.push_back({{"name", entry.luminaire.sName},
                               {"model", entry.luminaire.sModel},
                               {"u", entry.u},
                               {"count", entry.count},
                               {"needed", entry.needed}});
        }
        PrintJson({{"e", panel.Illuminance()},
                   {"e_shown", panel.IlluminanceText()},
                   {"rcr", result.cavity.rcr},
                   {"rho_c", result.cavity.rhoC},
                   {"rho_w", result.cavity.rhoW},
                   {"rho_f", result.cavity.rhoF},
                   {"area", result.area},
                   {"message", panel.Message()},
                   {"lpd", densities.lpd},
                   {"lpd2", densities.second},
                   {"lpd2_label", densities.label},
                   {"entries", entries}});
        return;
    }
    std::cout << "实际照度lx: " << panel.IlluminanceText() << '\n'
              << panel.Message() << '\n'
              << "室空间比: " << Number(result.cavity.rcr) << ", 有效反射比(%): 顶棚 "
              << Number(result.cavity.rhoC) << ", 墙 " << Number(result.cavity.rhoW) << ", 地面 "
              << Number(result.cavity.rhoF) << "; 面积 " << Number(result.area) << " m2\n"
              << "计算功率密度w/m2: " << densities.lpdText << '\n'
              << densities.label << ": " << densities.secondText << '\n';
    for (int column = LumenMethodPanel::kName; column < LumenMethodPanel::kColumnCount; ++column) {
        std::cout << LumenMethodPanel::kHeaders[static_cast<size_t>(column)]
                  << (column + 1 < LumenMethodPanel::kColumnCount ? "\t" : "\n");
    }
    for (int row = 0; row < panel.RowCount(); ++row) {
        for (int column = LumenMethodPanel::kName; column < LumenMethodPanel::kColumnCount;
             ++column) {
            std::cout << panel.CellText(row, column)
                      << (column + 1 < LumenMethodPanel::kColumnCount ? "\t" : "\n");
        }
    }
}

int RunLumenMethod(const CuArguments& arguments) {
    Project project;
    if (const int status = ReadIndoorProject(arguments.project, project); status != kSuccess) {
        return status;
    }
    std::vector<int> counts;
    if (!arguments.counts.empty() &&
        !ReadCounts(arguments.counts, project.luminaires.Count(), counts)) {
        return kBadInput;
    }
    LumenMethodPanel panel;
    StandardsSource standards(project);
    panel.SetStandards(standards.Get());
    panel.Open(project.room, project.luminaires);
    if (!counts.empty()) {
        for (size_t i = 0; i < counts.size(); ++i) {
            panel.EditCell(static_cast<int>(i), LumenMethodPanel::kCount,
                           KvStr::Format("%d", counts[i]));
        }
        panel.Calculate(project.room, project.luminaires);
    }
    PrintLumenMethod(panel, arguments.json);
    std::cout.flush();
    return WriteBookOption(arguments.book, [&panel, &project](CalcBookWriter& writer) {
        WriteLumenMethodBook(writer, panel.BookRecord(project.room));
    });
}

struct LpdArguments {
    std::string project;
    bool json = false;
};

int RunPowerDensity(const LpdArguments& arguments) {
    Project project;
    if (const int status = ReadIndoorProject(arguments.project, project); status != kSuccess) {
        return status;
    }
    if (const int unsound = FirstUnsoundPower(project.luminaires); unsound > 0) {
        std::cerr << "quorvel-calc lpd: " << arguments.project << ": luminaire " << unsound
                  << ": its lamp power, ballast power or lamp count is not a number of watts\n";
        return kBadInput;
    }
    const KvMessage message = PowerDensityMessage(project.room, project.luminaires);
    if (arguments.json) {
        PrintJson({{"lpd", LightingPowerDensity(project.room, project.luminaires)},
                   {"message", message.text}});
    } else {
        std::cout << message.text << '\n';
    }
    return kSuccess;
}

} // namespace

void RegisterIndoorCommands(CLI::App& app, CommandRegistry& registry) {
    auto point = std::make_shared<PointArguments>();
    CLI::App* pointCommand =
        registry.Add(app, "point", "point illuminance at the points of a CSV file",
                     [point] { return RunPoint(*point); });
    pointCommand->add_option("PROJECT", point->project, "indoor project file (.cil)")->required();
    pointCommand
        ->add_option("--points", point->points, "CSV file with the columns name,x,y,z[,rx,ry,rz]")
        ->required();
    pointCommand->add_flag("--json", point->json, "print one JSON object");
    AddBookOption(pointCommand, point->book);
    pointCommand
        ->add_option("--book-parts", point->bookParts,
                     "parts of the book: h horizontal, i inclined, v vertical")
        ->capture_default_str();

    auto cu = std::make_shared<CuArguments>();
    CLI::App* cuCommand =
        registry.Add(app, "cu", "average illuminance by the coefficient-of-utilization method",
                     [cu] { return RunLumenMethod(*cu); });
    cuCommand->add_option("PROJECT", cu->project, "indoor project file (.cil)")->required();
    cuCommand->add_option("--counts", cu->counts, "luminaires per entry (\"个数\"), e.g. 2,1,3")
        ->type_name("N1,N2,...");
    cuCommand->add_flag("--json", cu->json, "print one JSON object");
    AddBookOption(cuCommand, cu->book);

    auto lpd = std::make_shared<LpdArguments>();
    CLI::App* lpdCommand = registry.Add(app, "lpd", "lighting power density of the room",
                                        [lpd] { return RunPowerDensity(*lpd); });
    lpdCommand->add_option("PROJECT", lpd->project, "indoor project file (.cil)")->required();
    lpdCommand->add_flag("--json", lpd->json, "print one JSON object");
}

} // namespace qv::cli
