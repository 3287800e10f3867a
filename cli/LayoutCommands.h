#pragma once
// quorvel-calc layout: a new project with an array of luminaires laid out over the room.
#include "cli/Commands.h"

namespace qv::cli {

void RegisterLayoutCommands(CLI::App& app, CommandRegistry& registry);

} // namespace qv::cli
