#include "cli/OutdoorCommands.h"
#include "cli/PlaceOption.h"

#include "calc/outdoor/FloodPoint.h"
#include "cli/BookOption.h"
#include "cli/CommandOutput.h"
#include "cli/CsvTable.h"
#include "cli/ProjectCommands.h"
#include "model/Constants.h"
#include "model/FormatTruncated.h"
#include "panels/CalcPointGrid.h"
#include "panels/FloodCapacityPanel.h"
#include "panels/FloodlightPanels.h"
#include "panels/RoadLightingPanel.h"
#include "report/books/FloodCapacityBook.h"
#include "report/books/FloodPointBook.h"
#include "report/books/RoadBook.h"

#include <kelvorin/KvStr.h>

#include <functional>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

namespace qv::cli {
namespace {

// Reads PROJECT, which must be an outdoor project.
int ReadOutdoorProject(const std::string& command, const std::string& path, Project& project) {
    if (const int status = ReadProjectArgument(path, project); status != kSuccess) {
        return status;
    }
    if (project.kind != kOutdoorProject) {
        std::cerr << "quorvel-calc " << command << ": " << path
                  << ": not an outdoor project (计算类型 " << project.kind << ")\n";
        return kBadInput;
    }
    return kSuccess;
}

bool ReadTable(const std::string& command, const std::string& path,
               const std::vector<CsvColumn>& columns, CsvTable& table) {
    std::string error;
    if (!table.Read(path, columns, error)) {
        std::cerr << "quorvel-calc " << command << ": " << error << '\n';
        return false;
    }
    return true;
}

// The numbers of a row's columns, in the order given.
bool ReadNumbers(const std::string& command, const CsvTable& table, int row,
                 const std::vector<std::pair<const char*, double*>>& cells) {
    std::string error;
    for (const auto& [name, value] : cells) {
        if (!table.Number(row, name, *value, error)) {
            std::cerr << "quorvel-calc " << command << ": " << error << '\n';
            return false;
        }
    }
    return true;
}

// A table with at most one row per entry of a range.
bool FitsEntries(const std::string& command, const std::string& path, const CsvTable& table,
                 int entries) {
    if (table.RowCount() <= entries) {
        return true;
    }
    std::cerr << "quorvel-calc " << command << ": " << path << ": " << table.RowCount()
              << " rows for " << entries << " luminaire entries\n";
    return false;
}

// A grid header as one line.
std::string WithoutLineBreaks(std::string text) {
    std::erase(text, '\n');
    return text;
}

// ---- flood ----

struct FloodArguments {
    std::string project;
    std::string points;
    std::string aim;
    int passes = 2;
    bool json = false;
    std::string book;
};

bool ReadFloodPoints(const std::string& path, CalcPointGrid& grid) {
    CsvTable table;
    if (!ReadTable("flood", path,
                   {{"name", true, ""},
                    {"x", true, ""},
                    {"y", true, ""},
                    {"z", true, ""},
                    {"rx", false, "0"},
                    {"ry", false, "0"},
                    {"rz", false, "0"}},
                   table)) {
        return false;
    }
    std::vector<CalcPoint> read;
    read.reserve(static_cast<size_t>(table.RowCount()));
    for (int row = 0; row < table.RowCount(); ++row) {
        CalcPoint point;
        point.name = table.Text(row, "name");
        if (!ReadNumbers("flood", table, row,
                         {{"x", &point.position.x},
                          {"y", &point.position.y},
                          {"z", &point.position.z},
                          {"rx", &point.rotation.x},
                          {"ry", &point.rotation.y},
                          {"rz", &point.rotation.z}})) {
            return false;
        }
        read.push_back(point);
    }
    grid.Append(read);
    return true;
}

// One row per luminaire at most: a row more would aim nothing, so the file is refused as
// the entries files of road, floodcap and unitcap are.
bool ReadAimingPoints(const std::string& path, int luminaires, std::vector<Vector>& aims) {
    CsvTable table;
    if (!ReadTable("flood", path, {{"x", true, ""}, {"y", true, ""}, {"z", true, ""}}, table) ||
        !FitsEntries("flood", path, table, luminaires)) {
        return false;
    }
    for (int row = 0; row < table.RowCount(); ++row) {
        Vector aim;
        if (!ReadNumbers("flood", table, row, {{"x", &aim.x}, {"y", &aim.y}, {"z", &aim.z}})) {
            return false;
        }
        aims.push_back(aim);
    }
    return true;
}

void PrintFloodRows(const std::vector<FloodlightResultRow>& rows, bool json) {
    if (json) {
        Json list = Json::array();
        for (const FloodlightResultRow& row : rows) {
            list.push_back({{"point", row.point.name},
                            {"label", row.label},
                            {"i", row.intensity},
                            {"eh", row.eh},
                            {"ev", row.ev},
                            {"transverse", row.transverse},
                            {"longitudinal", row.longitudinal},
                            {"alpha", row.alpha * kRadToDeg},
                            {"beta", row.beta * kRadToDeg},
                            {"delta", row.delta * kRadToDeg}});
        }
        PrintJson({{"rows", list}});
        return;
    }
    PrintRow({"点", "灯具", "水平角度", "垂直角度", "入射角", "照射方向光强", "水平照度",
              "垂直照度", "横向垂直照度", "纵向垂直照度"});
    for (const FloodlightResultRow& row : rows) {
        PrintRow({row.point.name, row.label, KvStr::Format("%.2f", row.alpha * kRadToDeg),
                  KvStr::Format("%.2f", row.beta * kRadToDeg),
                  KvStr::Format("%.2f", row.delta * kRadToDeg),
                  KvStr::Format("%.0f", row.intensity), KvStr::Format("%.3f", row.eh),
                  KvStr::Format("%.3f", row.ev), KvStr::Format("%.3f", row.transverse),
                  KvStr::Format("%.3f", row.longitudinal)});
    }
}

int RunFlood(const FloodArguments& arguments) {
    Project project;
    if (const int status = ReadOutdoorProject("flood", arguments.project, project);
        status != kSuccess) {
        return status;
    }
    CalcPointGrid points;
    std::vector<Vector> aims;
    if (!ReadFloodPoints(arguments.points, points) ||
        (!arguments.aim.empty() &&
         !ReadAimingPoints(arguments.aim, project.luminaires.Count(), aims))) {
        return kBadInput;
    }
    FloodPointRecord record;
    record.floodlights = project.luminaires;
    // Without an aiming file the floodlights aim where the project keeps their aiming
    // points, as the point panel starts; with one, floodlights without a row aim at 0, 0, 0.
    if (!arguments.aim.empty()) {
        AssignAimingPoints(record.floodlights, aims);
    }
    record.rows = BuildFloodlightRows(points.Points(), record.floodlights);
    ComputeFloodPointRecord(record, project.room.outline, FloodMode::kLookUp);
    if (arguments.passes == 2) {
        ComputeFloodPointRecord(record, project.room.outline, FloodMode::kKeepIntensity);
    }
    // A grid in another unit than kcd for the lamps overstates every illuminance: the
    // results stand, with a warning naming the floodlight.
    for (const std::string& line : FloodGridWarningLines(record)) {
        std::cerr << "quorvel-calc flood: 警告: " << line
                  << "；等光强表的光强应为该灯光源的光强(kcd)\n";
    }
    PrintFloodRows(record.rows, arguments.json);
    std::cout.flush();
    return WriteBookOption(
        arguments.book, [&record](CalcBookWriter& writer) { WriteFloodPointBook(writer, record); });
}

// ---- floodcap ----

struct FloodCapArguments {
    std::string project;
    std::string entries;
    double eMin = 0.0;
    bool json = false;
    std::string book;
};

// A cell of an entries file: its column, the panel column it edits, and whether it must
// be a number.
struct EntryCell {
    const char* name;
    int column;
    bool number;
};

// Reads the entries file (at most one row per entry; every column optional) and hands
// each non-empty cell to edit(row, column, text) in row order.
bool ApplyEntryCells(const std::string& command, const std::string& path, int entries,
                     const std::vector<EntryCell>& cells,
                     const std::function<void(int, int, const std::string&)>& edit) {
    std::vector<CsvColumn> columns;
    for (const EntryCell& cell : cells) {
        columns.push_back({cell.name, false, ""});
    }
    CsvTable table;
    if (!ReadTable(command, path, columns, table) || !FitsEntries(command, path, table, entries)) {
        return false;
    }
    for (int row = 0; row < table.RowCount(); ++row) {
        for (const EntryCell& cell : cells) {
            const std::string text = table.Text(row, cell.name);
            double value = 0.0;
            if (text.empty()) {
                continue;
            }
            if (cell.number && !ReadNumbers(command, table, row, {{cell.name, &value}})) {
                return false;
            }
            edit(row, cell.column, text);
        }
    }
    return true;
}

void PrintFloodCapacity(const FloodCapacityPanel& panel, bool json) {
    const PowerDensityDisplay& densities = panel.Densities();
    const FloodCapacityResult& result = panel.Result();
    if (json) {
        Json entries = Json::array();
        for (const FloodCapacityEntry& entry : panel.Entries()) {
            entries.push_back({{"name", entry.luminaire.sName},
                               {"model", entry.luminaire.sModel},
                               {"u", entry.u},
                               {"p_l", entry.pL},
                               {"required", entry.required},
                               {"additional", entry.additional}});
        }
        PrintJson({{"e", panel.Illuminance()},
                   {"e_shown", panel.IlluminanceText()},
                   {"message", panel.Message()},
                   {"lpd", densities.lpd},
                   {"lpd2", densities.second},
                   {"lpd2_label", densities.label},
                   {"p_req", result.pReq},
                   {"p_inst", result.pInst},
                   {"entries", entries}});
        return;
    }
    std::cout << "平面上最低照度lx: " << KvStr::FormatDouble(panel.MinimumIlluminance()) << '\n'
              << "实际照度lx: " << panel.IlluminanceText() << '\n'
              << panel.Message() << '\n'
              << "计算功率密度w/m2: " << densities.lpdText << '\n'
              << densities.label << ": " << densities.secondText << '\n'
              << "当前已有功率数为" << KvStr::FormatDouble(result.pInst) << "W, 实际总共需要瓦数为"
              << KvStr::FormatDouble(result.pReq) << "W\n";
    std::vector<std::string> header;
    for (int column = FloodCapacityPanel::kName; column < FloodCapacityPanel::kColumnCount;
         ++column) {
        header.push_back(
            WithoutLineBreaks(FloodCapacityPanel::kHeaders[static_cast<size_t>(column)]));
    }
    PrintRow(header);
    for (int row = 0; row < panel.RowCount(); ++row) {
        std::vector<std::string> cells;
        for (int column = FloodCapacityPanel::kName; column < FloodCapacityPanel::kColumnCount;
             ++column) {
            cells.push_back(panel.CellText(row, column));
        }
        PrintRow(cells);
    }
}

int RunFloodCapacity(const FloodCapArguments& arguments) {
    Project project;
    if (const int status = ReadOutdoorProject("floodcap", arguments.project, project);
        status != kSuccess) {
        return status;
    }
    FloodCapacityPanel panel;
    StandardsSource standards(project);
    panel.SetStandards(standards.Get());
    panel.SetMinimumIlluminance(arguments.eMin);
    panel.Open(project);
    const std::vector<EntryCell> cells = {{"share", FloodCapacityPanel::kShare, false},
                                          {"efficiency", FloodCapacityPanel::kEfficiency, true},
                                          {"uniformity", FloodCapacityPanel::kUniformity, true},
                                          {"lamp_type", FloodCapacityPanel::kLampType, false},
                                          {"count", FloodCapacityPanel::kCount, true}};
    const auto edit = [&](int row, int column, const std::string& text) {
        panel.EditCell(row, column, text, project);
    };
    if (!arguments.entries.empty() &&
        !ApplyEntryCells("floodcap", arguments.entries, panel.RowCount(), cells, edit)) {
        return kBadInput;
    }
    panel.Calculate(project);
    PrintFloodCapacity(panel, arguments.json);
    std::cout.flush();
    return WriteBookOption(arguments.book, [&panel](CalcBookWriter& writer) {
        WriteFloodCapacityBook(writer, panel.BookRecord());
    });
}

// ---- road ----

struct RoadArguments {
    std::string project;
    std::string entries;
    bool json = false;
    std::string book;
};

void PrintRoadLighting(const RoadLightingPanel& panel, bool json) {
    const RoadLightingResult& result = panel.Result();
    if (json) {
        Json entries = Json::array();
        for (const RoadEntry& entry : panel.Entries()) {
            entries.push_back({{"name", entry.luminaire.sName},
                               {"model", entry.luminaire.sModel},
                               {"n", entry.n},
                               {"computed_spacing", entry.computedSpacing}});
        }
        PrintJson({{"e", panel.Illuminance()},
                   {"e_shown", panel.IlluminanceText()},
                   {"message", panel.Message()},
                   {"w", result.width},
                   {"standard", result.standard},
                   {"entries", entries}});
        return;
    }
    std::cout << "实际照度lx: " << panel.IlluminanceText() << '\n'
              << panel.Message() << '\n'
              << "道路宽度m: " << KvStr::FormatDouble(result.width)
              << ", 标准照度lx: " << KvStr::FormatDouble(result.standard) << '\n';
    std::vector<std::string> header;
    for (int column = RoadLightingPanel::kName; column < RoadLightingPanel::kColumnCount;
         ++column) {
        header.push_back(RoadLightingPanel::kHeaders[static_cast<size_t>(column)]);
    }
    PrintRow(header);
    for (int row = 0; row < panel.RowCount(); ++row) {
        std::vector<std::string> cells;
        for (int column = RoadLightingPanel::kName; column < RoadLightingPanel::kColumnCount;
             ++column) {
            cells.push_back(panel.CellText(row, column));
        }
        PrintRow(cells);
    }
}

// The road panel's "个数" is no grid column: an entries file sets it directly.
constexpr int kRoadCountColumn = -1;

int RunRoadLighting(const RoadArguments& arguments) {
    Project project;
    if (const int status = ReadOutdoorProject("road", arguments.project, project);
        status != kSuccess) {
        return status;
    }
    RoadLightingPanel panel;
    StandardsSource standards(project);
    panel.SetStandards(standards.Get());
    panel.Open(project);
    const std::vector<EntryCell> cells = {{"arrangement", RoadLightingPanel::kArrangement, false},
                                          {"spacing", RoadLightingPanel::kSpacing, true},
                                          {"pole_height", RoadLightingPanel::kPoleHeight, true},
                                          {"elevation", RoadLightingPanel::kElevation, true},
                                          {"u", RoadLightingPanel::kUtilization, true},
                                          {"count", kRoadCountColumn, true}};
    const auto edit = [&](int row, int column, const std::string& text) {
        if (column == kRoadCountColumn) {
            panel.SetCount(row, KvStr::Atoi(text), project);
        } else {
            panel.EditCell(row, column, text, project);
        }
    };
    if (!arguments.entries.empty() &&
        !ApplyEntryCells("road", arguments.entries, panel.RowCount(), cells, edit)) {
        return kBadInput;
    }
    panel.Calculate(project);
    PrintRoadLighting(panel, arguments.json);
    std::cout.flush();
    return WriteBookOption(arguments.book, [&panel](CalcBookWriter& writer) {
        WriteRoadBook(writer, panel.BookRecord());
    });
}

} // namespace

void RegisterOutdoorCommands(CLI::App& app, CommandRegistry& registry) {
    auto flood = std::make_shared<FloodArguments>();
    CLI::App* floodCommand =
        registry.Add(app, "flood", "floodlight point illuminance at the points of a CSV file",
                     [flood] { return RunFlood(*flood); });
    floodCommand->add_option("PROJECT", flood->project, "outdoor project file (.col)")->required();
    floodCommand
        ->add_option("--points", flood->points, "CSV file with the columns name,x,y,z[,rx,ry,rz]")
        ->required();
    floodCommand->add_option("--aim", flood->aim,
                             "CSV file with the columns x,y,z: one aiming point per luminaire "
                             "(default: the aiming points kept in the project)");
    floodCommand
        ->add_option("--passes", flood->passes,
                     "1: the intensity lookup alone; 2 (the point panel's 计算): then the "
                     "illuminances with the intensities looked up")
        ->check(CLI::IsMember({1, 2}));
    floodCommand->add_flag("--json", flood->json, "print one JSON object");
    AddBookOption(floodCommand, flood->book);

    auto cap = std::make_shared<FloodCapArguments>();
    CLI::App* capCommand = registry.Add(app, "floodcap", "floodlight unit-capacity method",
                                        [cap] { return RunFloodCapacity(*cap); });
    capCommand->add_option("PROJECT", cap->project, "outdoor project file (.col)")->required();
    capCommand->add_option("--emin", cap->eMin, "minimum illuminance on the plane, lx")->required();
    capCommand->add_option("--entries", cap->entries,
                           "CSV file with the columns share,efficiency,uniformity,lamp_type,count");
    capCommand->add_flag("--json", cap->json, "print one JSON object");
    AddBookOption(capCommand, cap->book);

    auto road = std::make_shared<RoadArguments>();
    CLI::App* roadCommand = registry.Add(app, "road", "road lighting by the utilization method",
                                         [road] { return RunRoadLighting(*road); });
    roadCommand->add_option("PROJECT", road->project, "outdoor project file (.col)")->required();
    roadCommand->add_option(
        "--entries", road->entries,
        "CSV file with the columns arrangement,spacing,pole_height,elevation,u,count");
    roadCommand->add_flag("--json", road->json, "print one JSON object");
    AddBookOption(roadCommand, road->book);
}

} // namespace qv::cli
