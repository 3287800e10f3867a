#pragma once
// quorvel-calc info: prints the project information of a project file, or sets fields of
// it and writes the file.
#include "cli/Commands.h"

namespace qv::cli {

void RegisterInfoCommands(CLI::App& app, CommandRegistry& registry);

} // namespace qv::cli
