#pragma once
// quorvel-calc grid, spherical and cylindrical: the room-grid panel and the two twin
// panels of the average spherical and cylindrical illuminance over a saved indoor
// project.
#include "cli/Commands.h"

namespace qv::cli {

void RegisterGridCommands(CLI::App& app, CommandRegistry& registry);

} // namespace qv::cli
