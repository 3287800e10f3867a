#include "cli/CommandOutput.h"

#include "cli/Commands.h"
#include "cli/ProjectCommands.h"

#include <iostream>

namespace qv::cli {

void PrintJson(const Json& json) {
    std::cout << json.dump(-1, ' ', false, Json::error_handler_t::replace) << '\n';
}

Json IlluminanceJson(double e, const std::string& eShown, const std::string& message,
                     const PowerDensityDisplay& densities) {
    return {{"e", e},
            {"e_shown", eShown},
            {"message", message},
            {"lpd", densities.lpd},
            {"lpd2", densities.second},
            {"lpd2_label", densities.label}};
}

void PrintRow(const std::vector<std::string>& cells) {
    for (size_t i = 0; i < cells.size(); ++i) {
        std::cout << cells[i] << (i + 1 < cells.size() ? "\t" : "\n");
    }
}

int ReadIndoorProject(const std::string& path, Project& project) {
    if (const int status = ReadProjectArgument(path, project); status != kSuccess) {
        return status;
    }
    if (project.kind != kIndoorProject) {
        std::cerr << "quorvel-calc: " << path << ": not an indoor project (计算类型 "
                  << project.kind << ")\n";
        return kBadInput;
    }
    return kSuccess;
}

} // namespace qv::cli
