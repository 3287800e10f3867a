#pragma once
// quorvel-calc ugr-table: the UGR table of a luminaire type from its photometric file.
#include "cli/Commands.h"

namespace qv::cli {

void RegisterGlareCommands(CLI::App& app, CommandRegistry& registry);

} // namespace qv::cli
