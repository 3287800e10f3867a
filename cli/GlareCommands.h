#pragma once
// quorvel-calc ugr-table: the UGR table of a luminaire type from its photometric file;
// quorvel-calc ugr: the UGR of an indoor project at observers.
#include "cli/Commands.h"

namespace qv::cli {

void RegisterGlareCommands(CLI::App& app, CommandRegistry& registry);

} // namespace qv::cli
