#include "cli/CatalogueCommands.h"

#include "calc/glare/UgrCatalogue.h"
#include "catalogue/CatalogueDatabase.h"
#include "catalogue/CatalogueLoaders.h"
#include "catalogue/CatalogueSourceText.h"
#include "catalogue/CatalogueStatements.h"
#include "catalogue/StandardsCatalogue.h"
#include "catalogue/photometry/CatalogueTypeWriter.h"
#include "catalogue/photometry/PhotometricImport.h"
#include "cli/CommandOutput.h"
#include "cli/ProjectCommands.h"
#include "model/ProjectFile.h"
#include "panels/LuminaireDialogModel.h"

#include <kelvorin/KvAccess.h>
#include <kelvorin/KvMessage.h>
#include <kelvorin/KvStTable.h>
#include <kelvorin/KvStr.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

namespace qv::cli {
namespace {

// A cell as a JSON number, or null when it is empty.
Json NumberOrNull(const std::string& text) {
    if (text.empty()) {
        return nullptr;
    }
    return KvStr::Atof(text);
}

// The catalogue named by --catalogue, or the one in the text folder. Library messages
// (the connection message) already go to stderr; the catalogue's own report goes there
// too, so that stdout holds only the command's output.
struct CatalogueConnection {
    explicit CatalogueConnection(const std::string& path)
        : db(access, CataloguePathFor(path), std::cerr) {}
    KvAccess access;
    CatalogueDatabase db;
};

bool Open(CatalogueDatabase& db, const std::string& command) {
    if (db.Connect()) {
        return true;
    }
    std::cerr << "quorvel-calc " << command << ": the catalogue " << db.Path()
              << " cannot be opened\n";
    return false;
}

std::vector<std::vector<std::string>> Rows(CatalogueDatabase& db, const std::string& sql) {
    KvStTable table;
    const int count = db.Select(table, sql);
    std::vector<std::vector<std::string>> rows(static_cast<size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i) {
        table.GetValueRecord(rows[static_cast<size_t>(i)], i);
    }
    return rows;
}

int ListLamps(CatalogueDatabase& db, bool json) {
    Json lamps = Json::array();
    std::vector<std::string> types;
    std::vector<std::string> models;
    std::vector<std::string> powers;
    ListLampTypes(db, types);
    for (const std::string& type : types) {
        ListLampModels(db, type, models);
        for (const std::string& model : models) {
            ListLampPowers(db, type, model, powers);
            for (const std::string& power : powers) {
                Lamp lamp;
                LoadLamp(db, type, model, power, lamp);
                if (json) {
                    lamps.push_back({{"type", type},
                                     {"model", model},
                                     {"power", lamp.dPower},
                                     {"flux", lamp.nLuminousFlux}});
                } else {
                    std::cout << type << '\t' << model << '\t' << power << " W\t"
                              << lamp.nLuminousFlux << " lm\n";
                }
            }
        }
    }
    if (json) {
        PrintJson({{"lamps", lamps}});
    }
    return kSuccess;
}

Json ShapeJson(const LuminaireShape& shape) {
    return {{"nShape", shape.nShape},
            {"dLength", shape.dLength},
            {"dWidth", shape.dWidth},
            {"dHeight", shape.dHeight}};
}

int ListTypes(CatalogueDatabase& db, bool json) {
    Json types = Json::array();
    std::vector<std::string> names;
    std::vector<std::string> models;
    ListLuminaireNames(db, names);
    for (const std::string& name : names) {
        ListLuminaireModels(db, name, models);
        for (const std::string& model : models) {
            Luminaire l;
            LoadLuminaireType(db, name, model, l);
            if (json) {
                types.push_back(
                    {{"name", name},
                     {"model", model},
                     {"sLightsTable", l.sLightsTable},
                     {"sModulusTable", l.sModulusTable},
                     {"sGradeTable", l.sGradeTable},
                     {"shapes", {ShapeJson(l.geometricShape), ShapeJson(l.opticalShape)}},
                     {"curve_rows", l.curveA.Count()},
                     {"cu_rows", l.cuTable.Count()},
                     {"flood_rows", l.floodTable.Count()}});
            } else {
                std::cout << name << '\t' << model << "\t配光曲线 " << l.sLightsTable << " ("
                          << l.curveA.Count() << " 行)";
                if (!l.sModulusTable.empty()) {
                    std::cout << "\t利用系数表 " << l.sModulusTable << " (" << l.cuTable.Count()
                              << " 行)";
                }
                if (!l.sGradeTable.empty()) {
                    std::cout << "\t等光强曲线 " << l.sGradeTable << " (" << l.floodTable.Count()
                              << " 行)";
                }
                std::cout << "\t长度 " << KvStr::FormatDouble(l.geometricShape.dLength) << " m\n";
            }
        }
    }
    if (json) {
        PrintJson({{"types", types}});
    }
    return kSuccess;
}

// A value of a place as JSON: null when the standard sets none.
Json ValueOrNull(const std::optional<double>& value) {
    return value ? Json(*value) : Json(nullptr);
}

int ListStandards(CatalogueDatabase& db, bool json) {
    Json categories = Json::array();
    std::vector<std::string> names;
    db.SelectCells(names, sql::Categories());
    const StandardEdition edition = ReadStandardsEdition(db);
    if (!json) {
        std::cout << (edition.number.empty() ? std::string("(照度标准的版本未记录)")
                                             : edition.number + " " + edition.title)
                  << '\n';
    }
    for (const std::string& category : names) {
        Json places = Json::array();
        if (!json) {
            std::cout << category << '\n';
        }
        std::vector<std::string> placeNames;
        if (KvAccess::IsTableName(category)) {
            db.SelectCells(placeNames, sql::Places(category));
        }
        for (const std::string& place : placeNames) {
            PlaceStandard v;
            LoadPlaceStandard(db, category, place, v);
            if (json) {
                places.push_back({{"name", place},
                                  {"lux", ValueOrNull(v.lux)},
                                  {"lpd_current", ValueOrNull(v.currentLpd)},
                                  {"lpd_target", ValueOrNull(v.targetLpd)},
                                  {"ugr", ValueOrNull(v.ugr)},
                                  {"ra", ValueOrNull(v.ra)},
                                  {"plane", v.plane.empty() ? Json(nullptr) : Json(v.plane)},
                                  {"u0", ValueOrNull(v.u0)}});
            } else {
                const auto shown = [](const std::optional<double>& value, const char* format) {
                    return value ? KvStr::Format(format, *value) : std::string("—");
                };
                std::cout << "  " << place << '\t' << shown(v.lux, "%.0f") << " lx\t"
                          << (v.plane.empty() ? std::string("—") : v.plane) << "\tU0 "
                          << shown(v.u0, "%.2f") << "\t功率密度 " << shown(v.currentLpd, "%.1f")
                          << "/" << shown(v.targetLpd, "%.1f") << " W/m2\tUGR "
                          << shown(v.ugr, "%.0f") << "\tRa " << shown(v.ra, "%.0f") << '\n';
            }
        }
        categories.push_back({{"name", category}, {"places", places}});
    }
    if (json) {
        PrintJson({{"edition", edition.number.empty() ? Json(nullptr) : Json(edition.number)},
                   {"edition_title", edition.title.empty() ? Json(nullptr) : Json(edition.title)},
                   {"categories", categories}});
    }
    return kSuccess;
}

int ListReflectances(CatalogueDatabase& db, bool json) {
    Json reflectances = Json::array();
    for (const auto& row : Rows(db, "SELECT [物体],[颜色],[反射率] FROM [物体反射率]")) {
        if (json) {
            reflectances.push_back(
                {{"material", row[0]}, {"colour", row[1]}, {"reflectance", NumberOrNull(row[2])}});
        } else {
            std::cout << row[0] << '\t' << row[1] << '\t' << row[2] << " %\n";
        }
    }
    if (json) {
        PrintJson({{"reflectances", reflectances}});
    }
    return kSuccess;
}

struct CatalogueArguments {
    std::string what;
    std::vector<std::string> files;
    std::string catalogue;
    bool json = false;
};

int ImportBadInput(const std::string& message) {
    std::cerr << "quorvel-calc catalogue import: " << message << '\n';
    return kBadInput;
}

// catalogue import: every file read first; the types then written in one transaction, so
// a bad file leaves the catalogue as it was.
int Import(const CatalogueArguments& arguments) {
    if (arguments.files.empty()) {
        std::cerr << "quorvel-calc catalogue import: name one or more .ies or .ldt files\n";
        return kUsage;
    }
    std::vector<CatalogueLuminaireType> types(arguments.files.size());
    for (size_t i = 0; i < arguments.files.size(); ++i) {
        std::string error;
        if (!ReadPhotometricType(arguments.files[i], types[i], error, AddUgrTables)) {
            return ImportBadInput(error); // before the catalogue is opened
        }
    }
    CatalogueConnection connection(arguments.catalogue);
    if (!Open(connection.db, "catalogue import")) {
        return kBadInput;
    }
    if (const std::string problem = CatalogueWriteProblem(connection.db.Path()); !problem.empty()) {
        return ImportBadInput(problem);
    }
    std::vector<WrittenType> written;
    std::string error;
    if (!AddCatalogueTypes(connection.access, types, written, error)) {
        return ImportBadInput(connection.db.Path() + ": " + error);
    }
    Json imported = Json::array();
    for (size_t i = 0; i < types.size(); ++i) {
        const CatalogueLuminaireType& type = types[i];
        if (arguments.json) {
            imported.push_back({{"file", arguments.files[i]},
                                {"name", type.name},
                                {"model", type.model},
                                {"kind", type.kind},
                                {"lamp", written[i].lamp},
                                {"lamp_count", type.lampCount},
                                {"lamp_flux", type.lampFlux},
                                {"sLightsTable", written[i].lightsTable},
                                {"sModulusTable", written[i].cuTable},
                                {"sGradeTable", written[i].floodTable},
                                {"curve_rows", type.curveA.Count()},
                                {"cu_rows", type.cu.Count()},
                                {"flood_rows", type.flood.Count()}});
        } else {
            std::cout << arguments.files[i] << ": " << type.name << " / " << type.model << ", 光源 "
                      << written[i].lamp << " x " << type.lampCount << '\n';
        }
    }
    if (arguments.json) {
        PrintJson({{"catalogue", connection.db.Path()}, {"imported", imported}});
    }
    return kSuccess;
}

int Catalogue(const CatalogueArguments& arguments) {
    if (arguments.what == "import") {
        return Import(arguments);
    }
    if (!arguments.files.empty()) {
        std::cerr << "quorvel-calc catalogue " << arguments.what << ": takes no files\n";
        return kUsage;
    }
    CatalogueConnection connection(arguments.catalogue);
    if (!Open(connection.db, "catalogue")) {
        return kBadInput;
    }
    CatalogueDatabase& db = connection.db;
    if (arguments.what == "lamps") {
        return ListLamps(db, arguments.json);
    }
    if (arguments.what == "types") {
        return ListTypes(db, arguments.json);
    }
    if (arguments.what == "standards") {
        return ListStandards(db, arguments.json);
    }
    return ListReflectances(db, arguments.json);
}

// The lamp of one page as the options give it: --lampN TYPE,MODEL,POWER or the three
// parts --lampN-type, --lampN-model, --lampN-power (for names holding commas).
struct LampOptions {
    std::string text;
    std::string type;
    std::string model;
    std::string power;
    bool Given() const {
        return !text.empty() || !type.empty() || !model.empty() || !power.empty();
    }
};

struct AddLuminaireArguments {
    std::string project;
    std::string name;
    std::string model;
    LampOptions lamp;
    LampOptions lamp2;
    std::string count = "1";
    std::string count2 = "1";
    std::string at;
    std::string rotate;
    std::string kind;
    std::string catalogue;
    bool json = false;
};

int BadInput(const std::string& message) {
    std::cerr << "quorvel-calc add-luminaire: " << message << '\n';
    return kBadInput;
}

bool ParseNumber(const std::string& text, double& value) {
    return IsNumberText(text, &value);
}

// "X,Y,Z": three numbers; an empty option leaves the values.
bool ParseTriple(const std::string& text, double& x, double& y, double& z) {
    if (text.empty()) {
        return true;
    }
    std::vector<std::string> parts;
    KvStr::SplitStrBySymbol(parts, text, ",");
    return parts.size() == 3 && ParseNumber(parts[0], x) && ParseNumber(parts[1], y) &&
           ParseNumber(parts[2], z);
}

bool Contains(const std::vector<std::string>& list, const std::string& text) {
    return std::find(list.begin(), list.end(), text) != list.end();
}

std::string Listed(const std::vector<std::string>& list) {
    std::string text;
    for (const std::string& entry : list) {
        text += (text.empty() ? "" : ", ") + entry;
    }
    return text.empty() ? "none" : text;
}

// Chooses a lamp by type, model and power on a lamp page as a user would. Empty text on
// success, else the reason naming the option.
std::string ChooseLampParts(LuminaireDialogModel& dialog, int page, const std::string& option,
                            const std::string& type, const std::string& model,
                            const std::string& powerText) {
    double power = 0.0;
    if (!ParseNumber(powerText, power)) {
        return "option " + option + ": the power \"" + powerText + "\" is not a number";
    }
    if (!Contains(dialog.LampPage(page).types, type)) {
        return "option " + option + ": no lamp type \"" + type + "\" in the catalogue";
    }
    dialog.ChooseLampType(page, type);
    if (!Contains(dialog.LampPage(page).models, model)) {
        return "option " + option + ": no lamp model \"" + model + "\" of type " + type +
               " (models: " + Listed(dialog.LampPage(page).models) + ")";
    }
    dialog.ChooseLampModel(page, model);
    for (const std::string& listed : dialog.LampPage(page).powers) {
        if (std::fabs(KvStr::Atof(listed) - power) < 1e-6) {
            return dialog.ChooseLampPower(page, listed)
                       ? std::string()
                       : "option " + option + ": the lamp could not be loaded";
        }
    }
    return "option " + option + ": lamp " + model + " has no power " + powerText +
           " (powers: " + Listed(dialog.LampPage(page).powers) + ")";
}

// Chooses "TYPE,MODEL,POWER" on a lamp page; the model may hold commas, the type not.
std::string ChooseLamp(LuminaireDialogModel& dialog, int page, const std::string& option,
                       const std::string& text) {
    const size_t first = text.find(',');
    const size_t last = text.rfind(',');
    if (first == std::string::npos || first == last) {
        return "option " + option + ": \"" + text + "\" is not TYPE,MODEL,POWER";
    }
    return ChooseLampParts(dialog, page, option, text.substr(0, first),
                           text.substr(first + 1, last - first - 1), text.substr(last + 1));
}

// Chooses the lamp the options name on a page. Empty text on success, else the reason.
std::string ChooseLampOptions(LuminaireDialogModel& dialog, int page, const LampOptions& lamp) {
    const std::string option = page == 0 ? "--lamp" : "--lamp2";
    const bool parts = !lamp.type.empty() || !lamp.model.empty() || !lamp.power.empty();
    if (!lamp.text.empty() && parts) {
        return "option " + option + " and options " + option +
               "-type/-model/-power: give one or the other";
    }
    if (!parts) {
        return ChooseLamp(dialog, page, option, lamp.text);
    }
    if (lamp.type.empty() || lamp.model.empty() || lamp.power.empty()) {
        return "options " + option + "-type, " + option + "-model and " + option +
               "-power go together: give all three";
    }
    return ChooseLampParts(dialog, page, option + "-type/-model/-power", lamp.type, lamp.model,
                           lamp.power);
}

// The project to add to: the file as stored, or a new project of the given kind.
int ProjectToExtend(const AddLuminaireArguments& arguments, Project& project) {
    std::error_code error;
    const std::filesystem::path path(arguments.project);
    int kind = kNoProject;
    if (arguments.kind == "indoor") {
        kind = kIndoorProject;
    } else if (arguments.kind == "outdoor") {
        kind = kOutdoorProject;
    }
    if (!std::filesystem::exists(path, error)) {
        project.kind = kind != kNoProject ? kind
                                          : (KvStr::EqualNoCase(path.extension().string(), ".col")
                                                 ? kOutdoorProject
                                                 : kIndoorProject);
        return kSuccess;
    }
    if (const int status = ReadProjectArgument(arguments.project, project); status != kSuccess) {
        return status;
    }
    if (kind != kNoProject && project.kind != kind) {
        return BadInput("--kind " + arguments.kind + ": " + arguments.project +
                        " is a project of another kind");
    }
    return kSuccess;
}

int AddLuminaire(const AddLuminaireArguments& arguments) {
    Luminaire placed;
    if (!ParseTriple(arguments.at, placed.ptCenter.x, placed.ptCenter.y, placed.ptCenter.z)) {
        return BadInput("option --at: \"" + arguments.at + "\" is not X,Y,Z");
    }
    if (!ParseTriple(arguments.rotate, placed.Rotate.x, placed.Rotate.y, placed.Rotate.z)) {
        return BadInput("option --rotate: \"" + arguments.rotate + "\" is not AX,AY,AZ");
    }
    double counts[2] = {0.0, 0.0};
    for (int page = 0; page < 2; ++page) {
        const std::string& text = page == 0 ? arguments.count : arguments.count2;
        if (!ParseNumber(text, counts[page]) || counts[page] < 0 || counts[page] > 1000 ||
            counts[page] != std::floor(counts[page])) {
            return BadInput(std::string(page == 0 ? "option --count" : "option --count2") + ": \"" +
                            text + "\" is not a count from 0 to 1000");
        }
    }
    Project project;
    if (const int status = ProjectToExtend(arguments, project); status != kSuccess) {
        return status;
    }
    CatalogueConnection connection(arguments.catalogue);
    if (!Open(connection.db, "add-luminaire")) {
        return kBadInput;
    }

    LuminaireDialogModel dialog(connection.db, Luminaire());
    dialog.Open();
    if (!Contains(dialog.Names(), arguments.name)) {
        return BadInput("--name: no luminaire type \"" + arguments.name +
                        "\" in the catalogue (types: " + Listed(dialog.Names()) + ")");
    }
    dialog.ChooseName(arguments.name);
    if (!Contains(dialog.Models(), arguments.model) || !dialog.ChooseModel(arguments.model)) {
        return BadInput("--model: " + arguments.name + " has no model \"" + arguments.model +
                        "\" (models: " + Listed(dialog.Models()) + ")");
    }
    // The first lamp: as the options name it, else the one the type records for itself
    // (imported types), else none. The second lamp only as the options name it.
    const LampOptions* lamps[] = {&arguments.lamp, &arguments.lamp2};
    for (int page = 0; page < 2; ++page) {
        const LampOptions& lamp = *lamps[page];
        if (page == 1) {
            dialog.SetSecondLamp(lamp.Given());
        }
        if (lamp.Given()) {
            if (const std::string problem = ChooseLampOptions(dialog, page, lamp);
                !problem.empty()) {
                return BadInput(problem);
            }
        } else if (page == 1 || !dialog.ChooseRecordedLamp()) {
            continue;
        }
        dialog.SetLampCount(page, static_cast<int>(counts[page]));
    }

    Luminaire luminaire = dialog.Accept();
    luminaire.ptCenter = placed.ptCenter;
    luminaire.Rotate = placed.Rotate;
    project.luminaires.Add(luminaire);
    std::string message;
    KvScopedMessageHandler capture([&message](const KvMessage& shown) {
        message = shown.text;
        return KvMessageSink::DefaultAnswer(shown.buttons);
    });
    if (!SaveProject(project, arguments.project)) {
        return BadInput(message);
    }
    const int index = project.luminaires.Count();
    if (arguments.json) {
        PrintJson({{"path", arguments.project},
                   {"kind", project.kind},
                   {"index", index},
                   {"sName", luminaire.sName},
                   {"sModel", luminaire.sModel},
                   {"nLuminousFlux", luminaire.nLuminousFlux},
                   {"curve_rows", luminaire.curveA.Count()},
                   {"cu_rows", luminaire.cuTable.Count()},
                   {"flood_rows", luminaire.floodTable.Count()}});
    } else {
        std::cout << arguments.project << ": 灯具 " << index << ". " << luminaire.sName << " "
                  << luminaire.sModel << ", 灯具总光通量 " << luminaire.nLuminousFlux
                  << " lm, 位置 " << luminaire.ptCenter.ToText() << '\n';
    }
    return kSuccess;
}

} // namespace

void RegisterCatalogueCommands(CLI::App& app, CommandRegistry& registry) {
    auto browse = std::make_shared<CatalogueArguments>();
    CLI::App* catalogue =
        registry.Add(app, "catalogue", "list the catalogue database, or import photometric files",
                     [browse] { return Catalogue(*browse); });
    catalogue->add_option("WHAT", browse->what, "lamps, types, standards, reflectances or import")
        ->required()
        ->check(CLI::IsMember({"lamps", "types", "standards", "reflectances", "import"}));
    catalogue->add_option("FILE", browse->files,
                          "import: IES LM-63 (.ies) or EULUMDAT (.ldt) files");
    catalogue->add_option("--catalogue", browse->catalogue,
                          "the catalogue database (default: KvTxt/Lamps.db)");
    catalogue->add_flag("--json", browse->json, "print one JSON object");

    auto add = std::make_shared<AddLuminaireArguments>();
    CLI::App* command =
        registry.Add(app, "add-luminaire",
                     "append a luminaire of the catalogue to a project (created when missing)",
                     [add] { return AddLuminaire(*add); });
    command->add_option("PROJECT", add->project, "project file (.cil or .col)")->required();
    command->add_option("--name", add->name, "luminaire type name")->required();
    command->add_option("--model", add->model, "luminaire type model")->required();
    command->add_option("--lamp", add->lamp.text,
                        "first lamp: TYPE,MODEL,POWER (default: the lamp an imported type "
                        "records for itself)");
    command->add_option("--lamp-type", add->lamp.type, "first lamp's type (names with commas)");
    command->add_option("--lamp-model", add->lamp.model, "first lamp's model");
    command->add_option("--lamp-power", add->lamp.power, "first lamp's power, W");
    command->add_option("--count", add->count, "number of first lamps (default 1)");
    command->add_option("--lamp2", add->lamp2.text, "second lamp: TYPE,MODEL,POWER");
    command->add_option("--lamp2-type", add->lamp2.type, "second lamp's type");
    command->add_option("--lamp2-model", add->lamp2.model, "second lamp's model");
    command->add_option("--lamp2-power", add->lamp2.power, "second lamp's power, W");
    command->add_option("--count2", add->count2, "number of second lamps (default 1)");
    command->add_option("--at", add->at, "position X,Y,Z in metres (default 0,0,0)");
    command->add_option("--rotate", add->rotate, "rotation AX,AY,AZ in degrees (default 0,0,0)");
    command->add_option("--kind", add->kind, "kind of a new project (default by extension)")
        ->check(CLI::IsMember({"indoor", "outdoor"}));
    command->add_option("--catalogue", add->catalogue,
                        "the catalogue database (default: KvTxt/Lamps.db)");
    command->add_flag("--json", add->json, "print one JSON object");
}

} // namespace qv::cli
