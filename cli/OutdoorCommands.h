#pragma once
// quorvel-calc flood, floodcap and road: the outdoor calculations of a saved project.
#include "cli/Commands.h"

namespace qv::cli {

void RegisterOutdoorCommands(CLI::App& app, CommandRegistry& registry);

} // namespace qv::cli
