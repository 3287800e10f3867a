#include "cli/Commands.h"

#include "cli/AreaSourceCommands.h"
#include "cli/CatalogueCommands.h"
#include "cli/ExportCommands.h"
#include "cli/GlareCommands.h"
#include "cli/GridCommands.h"
#include "cli/IndoorCommands.h"
#include "cli/InfoCommands.h"
#include "cli/LayoutCommands.h"
#include "cli/OutdoorCommands.h"
#include "cli/ProjectCommands.h"
#include "cli/UnitCapacityCommands.h"

namespace qv::cli {

CLI::App* CommandRegistry::Add(CLI::App& app, const std::string& name,
                               const std::string& description, std::function<int()> action) {
    CLI::App* command = app.add_subcommand(name, description);
    m_entries.push_back({command, std::move(action)});
    return command;
}

int CommandRegistry::Run() const {
    for (const Entry& entry : m_entries) {
        if (entry.command->parsed()) {
            return entry.action();
        }
    }
    return kUsage;
}

void RegisterCommands(CLI::App& app, CommandRegistry& registry) {
    // Commands are added here as they are built.
    RegisterAreaSourceCommands(app, registry);
    RegisterProjectCommands(app, registry);
    RegisterCatalogueCommands(app, registry);
    RegisterIndoorCommands(app, registry);
    RegisterOutdoorCommands(app, registry);
    RegisterGridCommands(app, registry);
    RegisterExportCommands(app, registry);
    RegisterUnitCapacityCommands(app, registry);
    RegisterLayoutCommands(app, registry);
    RegisterInfoCommands(app, registry);
    RegisterGlareCommands(app, registry);
}

} // namespace qv::cli
