#pragma once
// quorvel-calc catalogue (browsing the catalogue database) and add-luminaire (placing a
// luminaire of the catalogue in a project as the luminaire dialog's OK does).
#include "cli/Commands.h"

namespace qv::cli {

void RegisterCatalogueCommands(CLI::App& app, CommandRegistry& registry);

} // namespace qv::cli
