#include "cli/GlareCommands.h"

#include "calc/glare/UgrCatalogue.h"
#include "calc/glare/UgrTable.h"
#include "catalogue/CatalogueDatabase.h"
#include "catalogue/CatalogueSourceText.h"
#include "catalogue/photometry/CatalogueUgrTables.h"
#include "catalogue/photometry/PhotometricImport.h"
#include "cli/CommandOutput.h"
#include "panels/ArrayLayoutDialogModel.h"

#include <kelvorin/KvAccess.h>
#include <kelvorin/KvStr.h>

#include <cmath>
#include <iostream>
#include <memory>
#include <string>

namespace qv::cli {
namespace {

struct UgrArguments {
    std::string file;
    std::string type;
    std::string model;
    std::string catalogue;
    std::string shr = "0.25";
    bool json = false;
};

int BadInput(const std::string& message) {
    std::cerr << "quorvel-calc ugr-table: " << message << '\n';
    return kBadInput;
}

// A table cell as printed: 0.1 precision, "<10.0" below 10.
std::string Cell(double ugr) {
    const double shown = std::round(ugr * 10.0) / 10.0;
    return shown < 10.0 ? std::string("<10.0") : KvStr::Format("%.1f", shown);
}

void Print(const std::string& name, const std::string& model, const UgrTable& table, bool json) {
    if (json) {
        Json rows = Json::array();
        for (size_t r = 0; r < kUgrRooms.size(); ++r) {
            rows.push_back({{"x_over_h", kUgrRooms[r].x},
                            {"y_over_h", kUgrRooms[r].y},
                            {"crosswise", table.crosswise[r]},
                            {"endwise", table.endwise[r]}});
        }
        PrintJson({{"name", name},
                   {"model", model},
                   {"shr", table.shr},
                   {"flux", table.flux},
                   {"rows", rows},
                   {"reflectances", kUgrReflectances}});
        return;
    }
    std::cout << "UGR表  " << name << (model.empty() ? "" : " " + model)
              << "  S = " << KvStr::FormatDouble(table.shr)
              << "H  光通量 Φ = " << KvStr::Format("%.0f", table.flux) << " lm\n";
    std::vector<std::string> header{"X", "Y"};
    for (const char* direction : {"横向", "纵向"}) {
        for (const auto& rho : kUgrReflectances) {
            header.push_back(KvStr::Format("%s%d/%d/%d", direction, rho[0], rho[1], rho[2]));
        }
    }
    PrintRow(header);
    for (size_t r = 0; r < kUgrRooms.size(); ++r) {
        std::vector<std::string> cells{KvStr::Format("%dH", kUgrRooms[r].x),
                                       KvStr::Format("%dH", kUgrRooms[r].y)};
        for (const double ugr : table.crosswise[r]) {
            cells.push_back(Cell(ugr));
        }
        for (const double ugr : table.endwise[r]) {
            cells.push_back(Cell(ugr));
        }
        PrintRow(cells);
    }
}

// A catalogue type: the table its import stored at this spacing; a handbook type keeps
// only its curves A and B and is named with why it has no table.
int CatalogueType(const UgrArguments& arguments, double shr) {
    KvAccess access;
    CatalogueDatabase catalogue(access, CataloguePathFor(arguments.catalogue), std::cerr);
    if (!catalogue.Connect()) {
        return BadInput("the catalogue " + catalogue.Path() + " cannot be opened");
    }
    Luminaire luminaire;
    std::string reason;
    if (!LoadCatalogueType(catalogue, arguments.type, arguments.model, luminaire, reason)) {
        return BadInput("--type/--model: " + reason);
    }
    std::vector<CatalogueUgrTable> stored;
    if (!LoadUgrTables(catalogue, arguments.type, arguments.model, stored)) {
        return BadInput("the table " + std::string(kUgrTableName) + " of " + catalogue.Path() +
                        " cannot be read");
    }
    if (stored.empty()) {
        return BadInput("灯具类型 " + arguments.type + " " + arguments.model +
                        " 在数据库中只有A、B两条配光曲线,没有完整的C-γ配光和发光面尺寸,无法计算"
                        "UGR表;请用它的配光文件(.ldt/.ies)计算");
    }
    for (const CatalogueUgrTable& one : stored) {
        const std::optional<UgrTable> table = FromCatalogueUgrTable(one);
        if (table && std::fabs(table->shr - shr) < 1e-9) {
            Print(arguments.type, arguments.model, *table, arguments.json);
            return kSuccess;
        }
    }
    return BadInput(
        "option --shr: 数据库中只存有 S = 0.25H 和 S = 1H 的UGR表;其他间距请用配光文件计算");
}

int UgrTableCommand(const UgrArguments& arguments) {
    double shr = 0.0;
    if (!IsNumberText(arguments.shr, &shr)) {
        return BadInput("option --shr: \"" + arguments.shr + "\" is not a number");
    }
    if (!arguments.type.empty()) {
        return CatalogueType(arguments, shr);
    }
    PhotometricData data;
    std::string error;
    if (!ReadPhotometricDataFile(arguments.file, data, error)) {
        return BadInput(error);
    }
    UgrTable table;
    if (!ComputeUgrTable(data, shr, table, error)) {
        return BadInput(arguments.file + ": " + error);
    }
    Print(data.name, data.model, table, arguments.json);
    return kSuccess;
}

} // namespace

void RegisterGlareCommands(CLI::App& app, CommandRegistry& registry) {
    auto arguments = std::make_shared<UgrArguments>();
    CLI::App* command = registry.Add(
        app, "ugr-table",
        "the UGR table of a luminaire type (19 rooms x 5 reflectances, crosswise and endwise) "
        "for its lamp flux",
        [arguments] { return UgrTableCommand(*arguments); });
    UgrArguments& a = *arguments;
    CLI::Option* file = command->add_option("FILE", a.file, "photometric file (.ldt or .ies)");
    CLI::Option* type = command->add_option("--type", a.type, "catalogue luminaire type name");
    CLI::Option* model = command->add_option("--model", a.model, "catalogue luminaire type model");
    type->needs(model);
    model->needs(type);
    file->excludes(type)->excludes(model);
    command->add_option("--catalogue", a.catalogue,
                        "the catalogue database for --type (default: KvTxt/Lamps.db)");
    command->add_option("--shr", a.shr,
                        "luminaire spacing over H: 0.25 (catalogue table, default) or 1 "
                        "(standard condition); 0.01 to 4");
    command->add_flag("--json", a.json, "print one JSON object");
    command->callback([file, type] {
        if (file->count() == 0 && type->count() == 0) {
            throw CLI::RequiredError("FILE or --type/--model");
        }
    });
}

} // namespace qv::cli
