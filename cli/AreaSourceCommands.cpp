#include "cli/AreaSourceCommands.h"

#include "cli/BookOption.h"
#include "panels/AreaSourcePanels.h"
#include "report/books/AreaSourceBook.h"

#include <kelvorin/KvStr.h>

#include <charconv>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace qv::cli {

namespace {

// A number option kept as text while the command line is read and converted in the
// command, so that a malformed value is bad input (exit 1) rather than a usage error.
struct NumberOption {
    const char* name;
    AreaSourceField field;
    double* value; // holds the panel's default until the option is converted
    std::string text;
};

// The options and inputs of one area-source command.
struct AreaSourceCommand {
    std::string plane;
    bool json = false;
    std::string book;
    std::vector<NumberOption> numbers;
};

void AddNumberOptions(CLI::App* command, AreaSourceCommand& state) {
    for (NumberOption& option : state.numbers) {
        command
            ->add_option(option.name, option.text, "default " + KvStr::FormatDouble(*option.value))
            ->type_name("NUMBER");
    }
    command->add_flag("--json", state.json, "print one JSON object");
    AddBookOption(command, state.book);
}

bool ParseNumber(const std::string& text, double& value) {
    std::string trimmed = KvStr::Trim(text);
    if (!trimmed.empty() && trimmed[0] == '+') {
        trimmed.erase(0, 1);
    }
    const char* end = trimmed.data() + trimmed.size();
    const auto [stop, error] = std::from_chars(trimmed.data(), end, value);
    return !trimmed.empty() && error == std::errc() && stop == end;
}

// Converts the given options into the inputs; false (message printed) on a bad value.
bool ReadNumbers(AreaSourceCommand& state) {
    for (NumberOption& option : state.numbers) {
        if (option.text.empty()) {
            continue;
        }
        if (!ParseNumber(option.text, *option.value)) {
            std::cerr << "option " << option.name << ": \"" << option.text
                      << "\" is not a number\n";
            return false;
        }
    }
    return true;
}

// Prints the panel's refusal naming the option of its field.
int Refuse(const AreaSourceCommand& state, const AreaSourceRefusal& refusal) {
    std::cerr << refusal.message.text;
    for (const NumberOption& option : state.numbers) {
        if (option.field == refusal.focus) {
            std::cerr << " (" << option.name << ")";
            break;
        }
    }
    std::cerr << '\n';
    return kBadInput;
}

bool ReadPlane(const std::string& text, const std::vector<std::string>& allowed,
               AreaSourcePlane& plane) {
    for (size_t i = 0; i < allowed.size(); ++i) {
        if (text == allowed[i]) {
            plane = static_cast<AreaSourcePlane>(i);
            return true;
        }
    }
    std::cerr << "option --plane: \"" << text << "\" is not one of";
    for (const std::string& name : allowed) {
        std::cerr << ' ' << name;
    }
    std::cerr << '\n';
    return false;
}

const char* PlaneName(AreaSourcePlane plane) {
    static const char* const names[] = {"h", "v", "i"};
    return names[static_cast<int>(plane)];
}

// The label of a term: the part, or the inclined strip with a minus when subtracted.
std::string TermLabel(const AreaSourceRecord& record, const AreaSourceTerm& term) {
    if (record.calculation == AreaSourceCalculation::RectInclined && term.sign < 0) {
        return "-" + term.part;
    }
    return term.part;
}

void PrintRect(const AreaSourceRecord& record, AreaSourcePlane plane, bool json) {
    if (json) {
        nlohmann::json parts = nlohmann::json::array();
        for (const AreaSourceTerm& term : record.terms) {
            parts.push_back(
                {{"part", TermLabel(record, term)}, {"x", term.x}, {"y", term.y}, {"f", term.f}});
        }
        const nlohmann::json out = {{"plane", PlaneName(plane)},
                                    {"value", record.result},
                                    {"case", record.caseNumber},
                                    {"parts", parts}};
        std::cout << out.dump() << '\n';
        return;
    }
    std::cout << "plane: " << PlaneName(plane) << "\ncase: " << record.caseNumber << '\n'
              << KvStr::Format("%-12s %-14s %-14s %s\n", "part", "X", "Y", "f");
    for (const AreaSourceTerm& term : record.terms) {
        std::cout << KvStr::Format("%-12s %-14s %-14s %s\n", TermLabel(record, term).c_str(),
                                   KvStr::FormatDouble(term.x).c_str(),
                                   KvStr::FormatDouble(term.y).c_str(),
                                   KvStr::FormatDouble(term.f).c_str());
    }
    std::cout << "value: " << KvStr::FormatDouble(record.result) << " lx\n";
}

void PrintDisc(const AreaSourceRecord& record, AreaSourcePlane plane, bool json) {
    if (json) {
        const nlohmann::json out = {{"plane", PlaneName(plane)},
                                    {"value", record.result},
                                    {"d", record.d},
                                    {"x", record.distance},
                                    {"f", record.shapeFactor}};
        std::cout << out.dump() << '\n';
        return;
    }
    std::cout << "plane: " << PlaneName(plane) << "\nd: " << KvStr::FormatDouble(record.d)
              << " m\nX: " << KvStr::FormatDouble(record.distance)
              << " m\nf: " << KvStr::FormatDouble(record.shapeFactor)
              << "\nvalue: " << KvStr::FormatDouble(record.result) << " lx\n";
}

std::vector<NumberOption> RectOptions(RectSource& source, AreaPoint& point) {
    return {{"--a", AreaSourceField::Length, &source.length, {}},
            {"--b", AreaSourceField::Width, &source.width, {}},
            {"--L", AreaSourceField::Luminance, &source.luminance, {}},
            {"--cx", AreaSourceField::CentreX, &source.centreX, {}},
            {"--cy", AreaSourceField::CentreY, &source.centreY, {}},
            {"--h", AreaSourceField::Height, &source.height, {}},
            {"--px", AreaSourceField::PointX, &point.x, {}},
            {"--py", AreaSourceField::PointY, &point.y, {}},
            {"--pz", AreaSourceField::PointZ, &point.z, {}}};
}

std::vector<NumberOption> NumberOptions(RectAreaSourceInputs& inputs) {
    std::vector<NumberOption> options = RectOptions(inputs.source, inputs.point);
    options.push_back({"--angle", AreaSourceField::Angle, &inputs.angle, {}});
    return options;
}

std::vector<NumberOption> NumberOptions(NonUniformAreaSourceInputs& inputs) {
    return RectOptions(inputs.source, inputs.point);
}

std::vector<NumberOption> NumberOptions(CircleAreaSourceInputs& inputs) {
    DiscSource& source = inputs.source;
    return {{"--a", AreaSourceField::Radius, &source.radius, {}},
            {"--L", AreaSourceField::Luminance, &source.luminance, {}},
            {"--h", AreaSourceField::Height, &source.height, {}},
            {"--cx", AreaSourceField::CentreX, &source.centreX, {}},
            {"--cy", AreaSourceField::CentreY, &source.centreY, {}},
            {"--px", AreaSourceField::PointX, &inputs.point.x, {}},
            {"--py", AreaSourceField::PointY, &inputs.point.y, {}},
            {"--pz", AreaSourceField::PointZ, &inputs.point.z, {}}};
}

// One area-source command: its planes (none: the horizontal plane only, no --plane
// option) and how it prints its record.
struct CommandKind {
    const char* name;
    const char* description;
    std::vector<std::string> planes;
    void (*print)(const AreaSourceRecord&, AreaSourcePlane, bool);
};

template <typename Inputs>
void RegisterCommand(CLI::App& app, CommandRegistry& registry, const CommandKind& kind) {
    auto inputs = std::make_shared<Inputs>(); // the panel's defaults
    auto state = std::make_shared<AreaSourceCommand>();
    state->numbers = NumberOptions(*inputs);
    CLI::App* command = registry.Add(app, kind.name, kind.description, [inputs, state, kind] {
        AreaSourcePlane plane = AreaSourcePlane::Horizontal;
        if ((!kind.planes.empty() && !ReadPlane(state->plane, kind.planes, plane)) ||
            !ReadNumbers(*state)) {
            return static_cast<int>(kBadInput);
        }
        if (const auto refusal = Validate(*inputs, plane)) {
            return Refuse(*state, *refusal);
        }
        const AreaSourceRecord record = Calculate(*inputs, plane);
        kind.print(record, plane, state->json);
        std::cout.flush();
        return WriteBookOption(state->book, [&record](CalcBookWriter& writer) {
            WriteAreaSourceBook(writer, record);
        });
    });
    if (!kind.planes.empty()) {
        std::string planes;
        for (const std::string& plane : kind.planes) {
            planes += (planes.empty() ? "" : "|") + plane;
        }
        command->add_option("--plane", state->plane, "receiving plane: " + planes)
            ->type_name("PLANE")
            ->required();
    }
    AddNumberOptions(command, *state);
}

} // namespace

void RegisterAreaSourceCommands(CLI::App& app, CommandRegistry& registry) {
    RegisterCommand<RectAreaSourceInputs>(
        app, registry,
        {"rect", "rectangular area source of equal luminance", {"h", "v", "i"}, PrintRect});
    RegisterCommand<CircleAreaSourceInputs>(
        app, registry, {"disc", "circular area source of equal luminance", {"h", "v"}, PrintDisc});
    RegisterCommand<NonUniformAreaSourceInputs>(
        app, registry,
        {"nonuniform", "rectangular area source of non-equal luminance", {}, PrintRect});
}

} // namespace qv::cli
