#pragma once
// quorvel-calc unitcap: the unit-capacity panel over a saved indoor project, with the
// panel's cells from an entries file and the catalogue's unit-capacity tables.
#include "catalogue/CatalogueDatabase.h"
#include "cli/Commands.h"
#include "model/Project.h"
#include "panels/UnitCapacityPanel.h"

#include <kelvorin/KvAccess.h>

#include <memory>
#include <string>

namespace qv::cli {

struct UnitCapacityArguments {
    std::string project;
    std::string efficiency = "70"; // the text of the efficiency combo
    std::string entries;           // ENTRIES.csv: class,kind,p0,count per luminaire entry
    std::string catalogue;         // empty: the catalogue in the text folder
    std::string book;              // --book FILE.docx
    bool json = false;
};

// One run of the command: the project, the catalogue connection and the panel after its
// "计  算", whose Result() is the calculation's record (for the calculation book).
struct UnitCapacityRun {
    explicit UnitCapacityRun(const std::string& cataloguePath);
    UnitCapacityRun(const UnitCapacityRun&) = delete;
    UnitCapacityRun& operator=(const UnitCapacityRun&) = delete;

    int status = kSuccess; // kSuccess, or the exit status of the failure (message shown)
    Project project;
    KvAccess access;
    CatalogueDatabase catalogue;
    UnitCapacityPanel panel;
};

// Reads the project and the entries file, opens the catalogue and calculates as the
// panel does: opened with the efficiency, the cells typed in, "计  算".
std::unique_ptr<UnitCapacityRun>
CalculateUnitCapacityCommand(const UnitCapacityArguments& arguments);

// Prints the run's results: one JSON object, or the panel's values and grid.
void PrintUnitCapacity(const UnitCapacityRun& run, bool json);

void RegisterUnitCapacityCommands(CLI::App& app, CommandRegistry& registry);

} // namespace qv::cli
