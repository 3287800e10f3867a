#include "cli/InfoCommands.h"

#include "cli/CommandOutput.h"
#include "cli/PlaceOption.h"
#include "cli/ProjectCommands.h"
#include "model/ProjectFile.h"

#include <kelvorin/KvMessage.h>
#include <kelvorin/KvStr.h>

#include <iostream>
#include <memory>
#include <vector>

namespace qv::cli {
namespace {

struct InfoArguments {
    std::string project;
    std::vector<std::string> assignments; // "KEY=VALUE"
    bool json = false;
    PlaceArguments place; // --place, --catalogue, --target
};

std::string KeyList() {
    std::string keys;
    for (const ProjectInfoField& field : ProjectInfoFields()) {
        keys += (keys.empty() ? "" : "、") + std::string(field.key);
    }
    return keys;
}

// Applies one "KEY=VALUE" to info; the exit status and a message on failure.
int Assign(const std::string& assignment, ProjectInfo& info) {
    const size_t equals = assignment.find('=');
    if (equals == std::string::npos) {
        std::cerr << "quorvel-calc info: --set 应为 键=值 的形式：" << assignment << '\n';
        return kUsage;
    }
    const std::string key = KvStr::Trim(assignment.substr(0, equals));
    const ProjectInfoField* field = FindProjectInfoField(key);
    if (field == nullptr) {
        std::cerr << "quorvel-calc info: 未知的项目信息“" << key << "”，可用的有：" << KeyList()
                  << '\n';
        return kUsage;
    }
    const std::string value = assignment.substr(equals + 1);
    if (InfoTextLength(value) > field->limit) {
        std::cerr << KvStr::Format("quorvel-calc info: %s过长,请不超过%zu个字!\n", field->key,
                                   field->limit);
        return kBadInput;
    }
    info.*field->member = CleanInfoText(value, field->multiline, field->limit);
    return kSuccess;
}

void PrintInfo(const Project& project, bool json) {
    const ProjectInfo& info = project.info;
    if (json) {
        Json object = Json::object();
        for (const ProjectInfoField& field : ProjectInfoFields()) {
            object[field.key] = info.*field.member;
        }
        PrintJson(object);
        return;
    }
    for (const ProjectInfoField& field : ProjectInfoFields()) {
        std::cout << field.key << ": " << info.*field.member << '\n';
    }
    std::cout << PlaceLines(project);
}

int Info(const InfoArguments& arguments) {
    Project project;
    if (const int status = ReadProjectArgument(arguments.project, project); status != kSuccess) {
        return status;
    }
    if (!arguments.assignments.empty()) {
        ProjectInfo info = project.info;
        for (const std::string& assignment : arguments.assignments) {
            if (const int status = Assign(assignment, info); status != kSuccess) {
                return status; // nothing is written when one assignment fails
            }
        }
        project.info = info;
        std::string message;
        KvScopedMessageHandler capture([&message](const KvMessage& shown) {
            message = shown.text;
            return KvMessageSink::DefaultAnswer(shown.buttons);
        });
        if (!SaveProject(project, arguments.project)) {
            std::cerr << "quorvel-calc info: " << message << '\n';
            return kBadInput;
        }
    }
    if (!arguments.place.place.empty()) {
        PlaceArguments place = arguments.place;
        place.project = arguments.project;
        if (const int status = SetStandardPlace(place); status != kSuccess) {
            return status;
        }
        if (const int status = ReadProjectArgument(arguments.project, project);
            status != kSuccess) {
            return status;
        }
    }
    PrintInfo(project, arguments.json);
    return kSuccess;
}

} // namespace

void RegisterInfoCommands(CLI::App& app, CommandRegistry& registry) {
    auto arguments = std::make_shared<InfoArguments>();
    CLI::App* command = registry.Add(
        app, "info", "print or set the project information (项目信息) and standard places",
        [arguments] { return Info(*arguments); });
    command->add_option("PROJECT", arguments->project, "project file (.cil or .col)")->required();
    command
        ->add_option("--set", arguments->assignments,
                     "set a field and write the project file; keys: " + KeyList())
        ->type_name("KEY=VALUE");
    command->add_flag("--json", arguments->json, "print one JSON object");
    command->add_option("--place", arguments->place.place,
                        "类别/场所 of the standards table: sets the place and its standard "
                        "illuminance");
    command->add_option("--catalogue", arguments->place.catalogue,
                        "catalogue database (default: the one in the text folder)");
    command->add_option("--target", arguments->place.target,
                        "room (indoor), site or road (outdoor); default: room, or site");
}

} // namespace qv::cli
