#pragma once
// quorvel-calc info: prints the project information and the standard places of a project
// file, or sets fields of the information or a standard place and writes the file.
#include "cli/Commands.h"

namespace qv::cli {

void RegisterInfoCommands(CLI::App& app, CommandRegistry& registry);

} // namespace qv::cli
