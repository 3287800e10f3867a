#pragma once
// quorvel-calc export-xlsx: a table of a saved project (its luminaire list, or the
// points of its horizontal illuminance grid) written to a sheet of a spreadsheet
// workbook (.xlsx).
#include "cli/Commands.h"

namespace qv::cli {

void RegisterExportCommands(CLI::App& app, CommandRegistry& registry);

} // namespace qv::cli
