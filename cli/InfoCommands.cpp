#include "cli/InfoCommands.h"

#include "cli/PlaceOption.h"
#include "cli/ProjectCommands.h"

#include <iostream>
#include <memory>

namespace qv::cli {

void RegisterInfoCommands(CLI::App& app, CommandRegistry& registry) {
    auto place = std::make_shared<PlaceArguments>();
    CLI::App* command =
        registry.Add(app, "info", "show the project's standard places, or set one", [place] {
            if (!place->place.empty()) {
                return SetStandardPlace(*place);
            }
            Project project;
            const int status = ReadProjectArgument(place->project, project);
            if (status == kSuccess) {
                std::cout << PlaceLines(project);
            }
            return status;
        });
    command->add_option("PROJECT", place->project, "project file (.cil or .col)")->required();
    command->add_option("--place", place->place,
                        "类别/场所 of the standards table: sets the place and its standard "
                        "illuminance");
    command->add_option("--catalogue", place->catalogue,
                        "catalogue database (default: the one in the text folder)");
    command->add_option("--target", place->target,
                        "room (indoor), site or road (outdoor); default: room, or site");
}

} // namespace qv::cli
