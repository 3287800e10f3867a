#pragma once
// quorvel-calc rect, disc and nonuniform: the area-source panels' calculations with
// typed-in inputs (no project; options default to the panels' defaults).
#include "cli/Commands.h"

namespace qv::cli {

void RegisterAreaSourceCommands(CLI::App& app, CommandRegistry& registry);

} // namespace qv::cli
