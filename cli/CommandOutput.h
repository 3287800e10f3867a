#pragma once
// Output and input steps the calculation commands share: one JSON object on stdout, a
// tab-separated table row, and an indoor PROJECT argument.
#include "calc/common/PowerDensity.h"
#include "model/Project.h"

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace qv::cli {

using Json = nlohmann::ordered_json;

// Prints the object on one line (invalid UTF-8 replaced).
void PrintJson(const Json& json);

// The keys every panel with an actual illuminance and power densities prints first:
// "e", "e_shown", "message", "lpd", "lpd2", "lpd2_label".
Json IlluminanceJson(double e, const std::string& eShown, const std::string& message,
                     const PowerDensityDisplay& densities);

// Prints the cells separated by tabs, ending the line.
void PrintRow(const std::vector<std::string>& cells);

// Reads PROJECT, which must be an indoor project; kBadInput with a message otherwise.
int ReadIndoorProject(const std::string& path, Project& project);

} // namespace qv::cli
