#pragma once
// quorvel-calc info: what the project says about itself and its standards.
#include "cli/Commands.h"

namespace qv::cli {

void RegisterInfoCommands(CLI::App& app, CommandRegistry& registry);

} // namespace qv::cli
