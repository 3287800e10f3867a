#pragma once
// quorvel-calc point, cu and lpd: the single-point panel, the lumen-method panel and the
// power-density command over a saved indoor project.
#include "cli/Commands.h"

namespace qv::cli {

void RegisterIndoorCommands(CLI::App& app, CommandRegistry& registry);

} // namespace qv::cli
