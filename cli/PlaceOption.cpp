#include "cli/PlaceOption.h"

#include "catalogue/StandardsCatalogue.h"
#include "cli/Commands.h"
#include "cli/ProjectCommands.h"
#include "model/ProjectFile.h"

#include <kelvorin/KvStr.h>

#include <cmath>
#include <iostream>

namespace qv::cli {
namespace {

const char* const kCommand = "quorvel-calc info: ";

bool ChoosesPlace(const Project& project) {
    return !project.room.standardPlace.Empty() ||
           (project.kind == kOutdoorProject && !project.road.m_standardPlace.Empty());
}

} // namespace

StandardsSource::StandardsSource(const Project& project, const std::string& cataloguePath)
    : m_catalogue(m_access, CataloguePathFor(cataloguePath), std::cerr) {
    m_connected = ChoosesPlace(project) && m_catalogue.Connect();
}

int SetStandardPlace(const PlaceArguments& arguments) {
    const StandardPlace place = StandardPlace::FromText(KvStr::Trim(arguments.place));
    if (place.Empty()) {
        std::cerr << kCommand << "option --place: \"" << arguments.place << "\" is not 类别/场所\n";
        return kBadInput;
    }
    Project project;
    if (const int status = ReadProjectArgument(arguments.project, project); status != kSuccess) {
        return status;
    }
    const bool outdoor = project.kind == kOutdoorProject;
    const std::string target =
        arguments.target.empty() ? (outdoor ? "site" : "room") : arguments.target;
    if (target != "room" && target != "site" && target != "road") {
        std::cerr << kCommand << "option --target: \"" << target
                  << "\" is not room, site or road\n";
        return kUsage;
    }
    if (outdoor == (target == "room")) {
        std::cerr << kCommand << arguments.project << ": "
                  << (outdoor ? "an outdoor project has a site and a road, not a room"
                              : "an indoor project has a room, not a site or a road")
                  << "\n";
        return kBadInput;
    }
    KvAccess access;
    CatalogueDatabase catalogue(access, CataloguePathFor(arguments.catalogue), std::cerr);
    if (!catalogue.Connect()) {
        std::cerr << kCommand << "the catalogue " << catalogue.Path() << " cannot be opened\n";
        return kBadInput;
    }
    PlaceStandard values;
    if (LoadPlaceStandard(catalogue, place.category, place.place, values) != 1) {
        std::cerr << kCommand << "the catalogue has no place " << place.Text() << "\n";
        return kBadInput;
    }
    if (!values.lux || !std::isfinite(*values.lux) || *values.lux <= 0.0) {
        std::cerr << kCommand << place.Text() << ": the standard sets no illuminance\n";
        return kBadInput;
    }
    if (target == "road") {
        project.road.m_dLxStandard = *values.lux;
        project.road.m_standardPlace = place;
    } else {
        project.room.dLxStandard = *values.lux;
        project.room.standardPlace = place;
    }
    if (!SaveProject(project, arguments.project)) {
        return kBadInput;
    }
    std::cout << PlaceLines(project);
    return kSuccess;
}

std::string PlaceLines(const Project& project) {
    const bool outdoor = project.kind == kOutdoorProject;
    const auto line = [](const char* whose, const StandardPlace& place, double lux) {
        return KvStr::Format("照度标准场所(%s): %s, %s lx\n", whose,
                             place.Empty() ? "未选择(照度标准为设计要求)" : place.Text().c_str(),
                             KvStr::FormatDouble(lux).c_str());
    };
    std::string text =
        line(outdoor ? "场地" : "房间", project.room.standardPlace, project.room.dLxStandard);
    if (outdoor) {
        text += line("道路", project.road.m_standardPlace, project.road.m_dLxStandard);
    }
    return text;
}

} // namespace qv::cli
