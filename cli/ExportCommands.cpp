#include "cli/ExportCommands.h"

#include "cli/ProjectCommands.h"
#include "panels/GridPanel.h"

#include <kelvorin/KvExcel.h>
#include <kelvorin/KvStTable.h>
#include <kelvorin/KvStr.h>

#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

namespace qv::cli {
namespace {

// The largest grid density the export accepts, as for the grid command.
constexpr int kMaxDensity = 3000;

struct ExportArguments {
    std::string project;
    std::string table = "luminaires";
    std::string out;
    std::string sheet;
    int density = GridPanel::kDefaultDensity;
    bool json = false;
};

std::string Number(double value) {
    return KvStr::FormatDouble(value);
}

KvStTable LuminaireTable(const LuminaireList& luminaires) {
    KvStTable table;
    table.SetLableRecord(
        std::vector<std::string>{"序号", "名称", "型号", "X", "Y", "Z", "光通量", "维护系数"});
    for (int i = 0; i < luminaires.Count(); ++i) {
        const Luminaire& luminaire = luminaires.At(i);
        table.AddValueRecord(std::vector<std::string>{
            std::to_string(i + 1), luminaire.sName, luminaire.sModel, Number(luminaire.ptCenter.x),
            Number(luminaire.ptCenter.y), Number(luminaire.ptCenter.z),
            std::to_string(luminaire.nLuminousFlux), Number(luminaire.dVindicate)});
    }
    return table;
}

KvStTable GridTable(const std::vector<CalcPoint>& points) {
    KvStTable table;
    table.SetLableRecord(std::vector<std::string>{"X", "Y", "Z", "水平照度", "垂直照度"});
    for (const CalcPoint& point : points) {
        table.AddValueRecord(std::vector<std::string>{
            Number(point.position.x), Number(point.position.y), Number(point.position.z),
            Number(point.dEh), Number(point.dEv)});
    }
    return table;
}

// The table asked for; kSuccess, or a status after a message on stderr.
int BuildTable(const ExportArguments& arguments, const Project& project, KvStTable& table) {
    if (arguments.table == "luminaires") {
        table = LuminaireTable(project.luminaires);
        return kSuccess;
    }
    if (project.kind != kIndoorProject) {
        std::cerr << "quorvel-calc: " << arguments.project << ": not an indoor project\n";
        return kBadInput;
    }
    if (arguments.density < 1 || arguments.density > kMaxDensity) {
        std::cerr << "option --density: " << arguments.density << " is not in 1.." << kMaxDensity
                  << '\n';
        return kBadInput;
    }
    GridPanel panel;
    panel.density = arguments.density;
    panel.CalculateHorizontal(project.room, project.luminaires);
    table = GridTable(panel.Points());
    return kSuccess;
}

int RunExport(const ExportArguments& arguments) {
    Project project;
    if (const int status = ReadProjectArgument(arguments.project, project); status != kSuccess) {
        return status;
    }
    KvStTable table;
    if (const int status = BuildTable(arguments, project, table); status != kSuccess) {
        return status;
    }
    const std::string sheet = arguments.sheet.empty()
                                  ? (arguments.table == "luminaires" ? "灯具" : "计算点")
                                  : arguments.sheet;
    // A sheet exported before is cleared first, so no rows of a longer old table stay.
    KvExcel excel;
    std::vector<std::string> sheets;
    bool written = excel.GetAllSheetName(sheets, arguments.out) == 1;
    if (written && KvStr::FindStrInStrArr(sheets, sheet, 0) >= 0) {
        written = excel.DeleteDataFromSheet(arguments.out, sheet) == 1;
    }
    written = written && excel.WriteDataToSheet(table, arguments.out, sheet) == 1;
    if (written && sheets.size() == 1 && sheets.front() == "Sheet1" &&
        !KvStr::EqualNoCase(sheet, "Sheet1")) {
        // A new workbook's empty first sheet is not kept beside the export.
        KvStTable first;
        if (excel.GetDataOneSheet(first, arguments.out, "Sheet1") == 1 &&
            first.GetFieldCount() == 0) {
            written = excel.DeleteSheet(arguments.out, "Sheet1") == 1;
        }
    }
    written = written && excel.Close() == 1;
    if (!written) {
        std::cerr << "quorvel-calc export-xlsx: 未能写入 " << arguments.out << '\n';
        return kBadInput;
    }
    if (arguments.json) {
        const nlohmann::ordered_json json = {{"path", arguments.out},
                                             {"sheet", sheet},
                                             {"rows", table.GetTableLogicSize()},
                                             {"columns", table.GetFieldCount()}};
        std::cout << json.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
                  << '\n';
    } else {
        std::cout << arguments.out << ": " << sheet << ", " << table.GetTableLogicSize() << " 行\n";
    }
    return kSuccess;
}

} // namespace

void RegisterExportCommands(CLI::App& app, CommandRegistry& registry) {
    auto arguments = std::make_shared<ExportArguments>();
    CLI::App* command =
        registry.Add(app, "export-xlsx", "write a table of a project to a spreadsheet (.xlsx)",
                     [arguments] { return RunExport(*arguments); });
    command->add_option("PROJECT", arguments->project, "project file (.cil or .col)")->required();
    command->add_option("--table", arguments->table, "luminaires, or grid (indoor only)")
        ->check(CLI::IsMember({"luminaires", "grid"}))
        ->capture_default_str();
    command->add_option("--out", arguments->out, "workbook to write (.xlsx)")->required();
    command->add_option("--sheet", arguments->sheet, "sheet name (default 灯具 or 计算点)");
    command->add_option("--density", arguments->density, "divisions of the grid (计算密度)")
        ->capture_default_str();
    command->add_flag("--json", arguments->json, "print one JSON object");
}

} // namespace qv::cli
