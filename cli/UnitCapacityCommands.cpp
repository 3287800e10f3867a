#include "cli/UnitCapacityCommands.h"

#include "cli/BookOption.h"
#include "report/books/UnitCapacityBook.h"

#include "cli/CommandOutput.h"
#include "cli/CsvTable.h"

#include <kelvorin/KvStr.h>

#include <climits>
#include <cmath>
#include <iostream>

namespace qv::cli {
namespace {

constexpr const char* kCommand = "quorvel-calc unitcap: ";

// The panel's cells from ENTRIES.csv, one row per luminaire entry in list order.
bool TypeEntries(const std::string& path, UnitCapacityPanel& panel) {
    const std::vector<CsvColumn> columns = {{"class", false, "直接型9"},
                                            {"kind", false, ""}, // follows the lamp
                                            {"p0", false, "0"},
                                            {"count", false, "1"}};
    CsvTable table;
    std::string error;
    if (!table.Read(path, columns, error)) {
        std::cerr << kCommand << error << '\n';
        return false;
    }
    if (table.RowCount() > panel.RowCount()) {
        std::cerr << kCommand << path << ": " << table.RowCount() << " rows for "
                  << panel.RowCount() << " luminaire entries\n";
        return false;
    }
    for (int row = 0; row < table.RowCount(); ++row) {
        double p0 = 0.0;
        double count = 0.0;
        if (!table.Number(row, "p0", p0, error) || !table.Number(row, "count", count, error)) {
            std::cerr << kCommand << error << '\n';
            return false;
        }
        if (count != std::trunc(count) || count < INT_MIN || count > INT_MAX) {
            std::cerr << kCommand << path << ": row " << row + 1 << ": count \""
                      << table.Text(row, "count") << "\" is not a whole number\n";
            return false;
        }
        panel.EditCell(row, UnitCapacityPanel::kClass, table.Text(row, "class"));
        panel.EditCell(row, UnitCapacityPanel::kKind, table.Text(row, "kind"));
        panel.EditCell(row, UnitCapacityPanel::kUnitCapacity, KvStr::Trim(table.Text(row, "p0")));
        panel.EditCell(row, UnitCapacityPanel::kCount,
                       KvStr::Format("%d", static_cast<int>(count)));
    }
    return true;
}

Json EntriesJson(const UnitCapacityRun& run) {
    const UnitCapacityResult& result = run.panel.Result();
    Json entries = Json::array();
    for (int i = 0; i < run.panel.RowCount(); ++i) {
        const Luminaire& entry = run.panel.Entries().At(i);
        const UnitCapacityInputs& inputs = entry.unitCapacity;
        const UnitCapacityEntryTrace trace = static_cast<size_t>(i) < result.entries.size()
                                                 ? result.entries[static_cast<size_t>(i)]
                                                 : UnitCapacityEntryTrace{};
        entries.push_back({{"name", entry.sName},
                           {"model", entry.sModel},
                           {"class", inputs.sDistributionClass},
                           {"kind", UnitPowerKindOf(entry)},
                           {"p0", inputs.dUnitCapacity},
                           {"c1", inputs.dC1},
                           {"c2", inputs.dC2},
                           {"c", inputs.dC},
                           {"c2_type", trace.c2Type},
                           {"c2_power", trace.c2Power},
                           {"c2_reference", trace.c2Reference},
                           {"w", inputs.dPower},
                           {"count", inputs.nCount},
                           {"needed", inputs.nNeeded}});
    }
    return entries;
}

} // namespace

UnitCapacityRun::UnitCapacityRun(const std::string& cataloguePath)
    : catalogue(access, CataloguePathFor(cataloguePath), std::cerr), panel(catalogue) {}

std::unique_ptr<UnitCapacityRun>
CalculateUnitCapacityCommand(const UnitCapacityArguments& arguments) {
    auto run = std::make_unique<UnitCapacityRun>(arguments.catalogue);
    double efficiency = 0.0;
    if (!ParseNumberText(arguments.efficiency, efficiency)) {
        std::cerr << kCommand << "option --efficiency: \"" << arguments.efficiency
                  << "\" is not a number\n";
        run->status = kBadInput;
        return run;
    }
    run->status = ReadIndoorProject(arguments.project, run->project);
    if (run->status != kSuccess) {
        return run;
    }
    if (!run->catalogue.Connect()) {
        std::cerr << kCommand << "the catalogue " << run->catalogue.Path() << " cannot be opened\n";
        run->status = kBadInput;
        return run;
    }
    if (const int unsound = FirstUnsoundPower(run->project.luminaires); unsound > 0) {
        std::cerr << kCommand << arguments.project << ": luminaire " << unsound
                  << ": its lamp power, ballast power or lamp count is not a number of watts\n";
        run->status = kBadInput;
        return run;
    }
    const Room& room = run->project.room;
    run->panel.SetEfficiencyText(KvStr::Trim(arguments.efficiency));
    run->panel.Open(room, run->project.luminaires);
    if (!arguments.entries.empty()) {
        if (!TypeEntries(arguments.entries, run->panel)) {
            run->status = kBadInput;
            return run;
        }
        run->panel.Calculate(room, run->project.luminaires);
    }
    return run;
}

void PrintUnitCapacity(const UnitCapacityRun& run, bool json) {
    const UnitCapacityPanel& panel = run.panel;
    const UnitCapacityResult& result = panel.Result();
    const PowerDensityDisplay& densities = panel.Densities();
    if (json) {
        Json object = IlluminanceJson(panel.Illuminance(), panel.IlluminanceText(), panel.Message(),
                                      densities);
        object["efficiency"] = result.efficiency;
        object["rcr"] = result.cavity.rcr;
        object["rho_c"] = result.cavity.rhoC;
        object["area"] = result.area;
        object["p_inst"] = result.installed;
        object["p_req"] = result.required;
        object["entries"] = EntriesJson(run);
        PrintJson(object);
        return;
    }
    std::cout << "实际照度lx: " << panel.IlluminanceText() << '\n'
              << panel.Message() << '\n'
              << "灯具效率%: " << panel.EfficiencyText() << '\n'
              << "计算功率密度w/m2: " << densities.lpdText << '\n'
              << densities.label << ": " << densities.secondText << '\n'
              << "当前功率数W: " << KvStr::FormatDouble(result.installed)
              << ", 实际需要瓦数W: " << KvStr::FormatDouble(result.required) << '\n';
    std::vector<std::string> header;
    for (int column = UnitCapacityPanel::kName; column < UnitCapacityPanel::kColumnCount;
         ++column) {
        header.push_back(UnitCapacityPanel::kHeaders[static_cast<size_t>(column)]);
    }
    for (const char* name : {"C1", "C2", "C", "W", "C2参照"}) {
        header.push_back(name);
    }
    PrintRow(header);
    for (int row = 0; row < panel.RowCount(); ++row) {
        std::vector<std::string> cells;
        for (int column = UnitCapacityPanel::kName; column < UnitCapacityPanel::kColumnCount;
             ++column) {
            cells.push_back(panel.CellText(row, column));
        }
        const UnitCapacityInputs& inputs = panel.Entries().At(row).unitCapacity;
        for (const double value : {inputs.dC1, inputs.dC2, inputs.dC, inputs.dPower}) {
            cells.push_back(KvStr::FormatDouble(value));
        }
        const auto traced = static_cast<size_t>(row) < result.entries.size();
        cells.push_back(traced ? result.entries[static_cast<size_t>(row)].c2Type : "");
        PrintRow(cells);
    }
}

void RegisterUnitCapacityCommands(CLI::App& app, CommandRegistry& registry) {
    auto arguments = std::make_shared<UnitCapacityArguments>();
    CLI::App* command = registry.Add(
        app, "unitcap", "installed power and illuminance by the unit-capacity method", [arguments] {
            const std::unique_ptr<UnitCapacityRun> run = CalculateUnitCapacityCommand(*arguments);
            if (run->status != kSuccess) {
                return run->status;
            }
            PrintUnitCapacity(*run, arguments->json);
            std::cout.flush();
            return WriteBookOption(arguments->book, [&run](CalcBookWriter& writer) {
                WriteUnitCapacityBook(writer, run->panel.BookRecord());
            });
        });
    command->add_option("PROJECT", arguments->project, "indoor project file (.cil)")->required();
    command->add_option("--efficiency", arguments->efficiency, "luminaire efficiency in per cent")
        ->type_name("70|60|50|...");
    command->add_option("--entries", arguments->entries,
                        "CSV file with the columns class,kind,p0,count per luminaire entry");
    command->add_option("--catalogue", arguments->catalogue, "catalogue database");
    command->add_flag("--json", arguments->json, "print one JSON object");
    AddBookOption(command, arguments->book);
}

} // namespace qv::cli
