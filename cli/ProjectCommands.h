#pragma once
// quorvel-calc show and resave, and the reading of a PROJECT argument that every
// project command shares.
#include "cli/Commands.h"

#include "model/Project.h"

#include <string>

namespace qv::cli {

void RegisterProjectCommands(CLI::App& app, CommandRegistry& registry);

// Reads the project file at path without writing to it. A file that does not exist or
// cannot be read as a project is bad input: one message naming the file goes to stderr
// and kBadInput is returned; kSuccess otherwise.
int ReadProjectArgument(const std::string& path, Project& project);

} // namespace qv::cli
