#include "cli/LayoutCommands.h"

#include "calc/common/LuminaireLayout.h"
#include "catalogue/CatalogueDatabase.h"
#include "catalogue/CatalogueSourceText.h"
#include "cli/CommandOutput.h"
#include "model/ProjectFile.h"
#include "panels/ArrayLayoutDialogModel.h"

#include <kelvorin/KvAccess.h>
#include <kelvorin/KvMessage.h>
#include <kelvorin/KvStr.h>

#include <cmath>
#include <iostream>
#include <memory>
#include <string>

namespace qv::cli {
namespace {

struct LayoutArguments {
    std::string project;
    std::string rows;
    std::string cols;
    std::string height;
    std::string marginX;
    std::string marginY;
    bool even = false;
    std::string like;
    std::string type;
    std::string model;
    std::string rotate = "0";
    std::string catalogue;
    std::string out;
    bool add = false;
    bool json = false;
    bool heightGiven = false; // --height, even when empty
    bool margins = false;     // --margin-x and --margin-y
};

int BadInput(const std::string& message) {
    std::cerr << "quorvel-calc layout: " << message << '\n';
    return kBadInput;
}

// A finite number; false with the reason naming the option.
bool Number(const std::string& option, const std::string& text, double& value,
            std::string& reason) {
    if (IsNumberText(text, &value)) {
        return true;
    }
    reason = "option " + option + ": \"" + text + "\" is not a number";
    return false;
}

// A whole number from 1 up; larger ones are left to the layout's own limit.
bool Count(const std::string& option, const std::string& text, int& value, std::string& reason) {
    double number = 0.0;
    if (!Number(option, text, number, reason)) {
        return false;
    }
    if (number != std::floor(number)) {
        reason = "option " + option + ": \"" + text + "\" is not a whole number";
        return false;
    }
    value = number < -1e9 ? -1 : (number > 1e9 ? 1000000000 : static_cast<int>(number));
    return true;
}

// The layout the options give, the height still to be decided when --height is absent.
bool ReadLayout(const LayoutArguments& arguments, ArrayLayout& layout, std::string& reason) {
    if (!Count("--rows", arguments.rows, layout.rows, reason) ||
        !Count("--cols", arguments.cols, layout.columns, reason) ||
        !Number("--rotate", arguments.rotate, layout.rotation, reason)) {
        return false;
    }
    if (arguments.heightGiven && !Number("--height", arguments.height, layout.height, reason)) {
        return false;
    }
    layout.even = !arguments.margins;
    return layout.even || (Number("--margin-x", arguments.marginX, layout.marginX, reason) &&
                           Number("--margin-y", arguments.marginY, layout.marginY, reason));
}

// The luminaire to repeat: luminaire N of the project, or the catalogue type.
int ReadTemplate(const LayoutArguments& arguments, const Project& project, Luminaire& model) {
    if (!arguments.like.empty()) {
        double index = 0.0;
        std::string reason;
        if (!Number("--like", arguments.like, index, reason)) {
            return BadInput(reason);
        }
        if (index != std::floor(index) || index < 1 || index > project.luminaires.Count()) {
            return BadInput("option --like: the project has no luminaire " + arguments.like +
                            " (it holds " + std::to_string(project.luminaires.Count()) + ")");
        }
        model = project.luminaires.At(static_cast<int>(index) - 1);
        return kSuccess;
    }
    KvAccess access;
    CatalogueDatabase catalogue(access, CataloguePathFor(arguments.catalogue), std::cerr);
    if (!catalogue.Connect()) {
        return BadInput("the catalogue " + catalogue.Path() + " cannot be opened");
    }
    std::string reason;
    if (!LoadCatalogueType(catalogue, arguments.type, arguments.model, model, reason)) {
        return BadInput("--type/--model: " + reason);
    }
    return kSuccess;
}

void Print(const LayoutArguments& arguments, const ArrayLayout& layout,
           const LuminaireList& array) {
    if (arguments.json) {
        Json luminaires = Json::array();
        for (const Luminaire& l : array.Items()) {
            luminaires.push_back({{"name", l.sName},
                                  {"model", l.sModel},
                                  {"x", l.ptCenter.x},
                                  {"y", l.ptCenter.y},
                                  {"z", l.ptCenter.z},
                                  {"rotate_z", l.Rotate.z}});
        }
        PrintJson({{"luminaires", luminaires},
                   {"rows", layout.rows},
                   {"cols", layout.columns},
                   {"count", array.Count()}});
        return;
    }
    std::cout << arguments.out << ": " << layout.rows << " 行 × " << layout.columns << " 列, "
              << array.Count() << " 盏" << (arguments.add ? " (添加到现有灯具)" : "") << '\n';
    int index = 1;
    for (const Luminaire& l : array.Items()) {
        PrintRow({std::to_string(index++), l.sName, l.sModel, KvStr::FormatDouble(l.ptCenter.x),
                  KvStr::FormatDouble(l.ptCenter.y), KvStr::FormatDouble(l.ptCenter.z),
                  KvStr::FormatDouble(l.Rotate.z)});
    }
}

int Layout(const LayoutArguments& arguments) {
    ArrayLayout layout;
    std::string reason;
    if (!ReadLayout(arguments, layout, reason)) {
        return BadInput(reason);
    }
    Project project;
    if (const int status = ReadIndoorProject(arguments.project, project); status != kSuccess) {
        return status;
    }
    Luminaire model;
    if (const int status = ReadTemplate(arguments, project, model); status != kSuccess) {
        return status;
    }
    if (!arguments.heightGiven) {
        layout.height = MountingHeightFor(project.room, model);
    }
    const std::vector<Vector> positions = ArrayPositions(project.room, layout, reason);
    if (!reason.empty()) {
        return BadInput(reason);
    }
    const LuminaireList array = ArrayOf(model, positions, layout.rotation);
    if (!arguments.add) {
        project.luminaires.Clear();
    }
    if (static_cast<long long>(project.luminaires.Count()) + array.Count() > kMaxLayoutLuminaires) {
        return BadInput("灯具总数不应超过" + std::to_string(kMaxLayoutLuminaires) + "盏");
    }
    for (const Luminaire& luminaire : array.Items()) {
        project.luminaires.Add(luminaire);
    }
    std::string message;
    KvScopedMessageHandler capture([&message](const KvMessage& shown) {
        message = shown.text;
        return KvMessageSink::DefaultAnswer(shown.buttons);
    });
    if (!SaveProject(project, arguments.out)) {
        return BadInput(message.empty() ? arguments.out + " cannot be written" : message);
    }
    Print(arguments, layout, array);
    return kSuccess;
}

} // namespace

void RegisterLayoutCommands(CLI::App& app, CommandRegistry& registry) {
    auto arguments = std::make_shared<LayoutArguments>();
    CLI::App* command = registry.Add(
        app, "layout",
        "write a new project whose luminaires are an array of rows x columns over the room",
        [arguments] { return Layout(*arguments); });
    LayoutArguments& a = *arguments;
    command->add_option("PROJECT", a.project, "indoor project file (.cil), read only")->required();
    command->add_option("--rows", a.rows, "rows along Y (R, at least 1)")->required();
    command->add_option("--cols", a.cols, "columns along X (C, at least 1; R*C <= 100000)")
        ->required();
    CLI::Option* height =
        command->add_option("--height", a.height,
                            "z of the luminaire centres, m (default: the template's z when above "
                            "the working plane, else the working plane + 2.2 m)");
    CLI::Option* marginX = command->add_option(
        "--margin-x", a.marginX, "distance of the first and last column from the walls, m");
    CLI::Option* marginY = command->add_option(
        "--margin-y", a.marginY, "distance of the first and last row from the walls, m");
    CLI::Option* even = command->add_flag(
        "--even", a.even, "each luminaire in the middle of its cell (the default without margins)");
    marginX->needs(marginY);
    marginY->needs(marginX);
    even->excludes(marginX)->excludes(marginY);
    CLI::Option* like =
        command->add_option("--like", a.like, "copy luminaire N (from 1) of the project");
    CLI::Option* type = command->add_option("--type", a.type, "catalogue luminaire type name");
    CLI::Option* model = command->add_option("--model", a.model, "catalogue luminaire type model");
    type->needs(model);
    model->needs(type);
    like->excludes(type)->excludes(model);
    command->add_option("--rotate", a.rotate, "rotation about z, degrees (default 0)");
    command->add_option("--catalogue", a.catalogue,
                        "the catalogue database for --type (default: KvTxt/Lamps.db)");
    command->add_option("--out", a.out, "the new project file to write")->required();
    command->add_flag("--add", a.add, "keep the project's luminaires and add the array after them");
    command->add_flag("--json", a.json, "print one JSON object");
    // One template is needed: --like or --type with --model.
    command->callback([arguments, like, type, height, marginX] {
        if (like->count() == 0 && type->count() == 0) {
            throw CLI::RequiredError("--like or --type/--model");
        }
        arguments->heightGiven = height->count() > 0;
        arguments->margins = marginX->count() > 0;
    });
}

} // namespace qv::cli
