#include "cli/GlareCommands.h"

#include "calc/common/Outline.h"
#include "calc/glare/RoomUgr.h"
#include "calc/glare/UgrCatalogue.h"
#include "calc/glare/UgrTable.h"
#include "catalogue/CatalogueDatabase.h"
#include "catalogue/CatalogueSourceText.h"
#include "catalogue/StandardsCatalogue.h"
#include "catalogue/photometry/CatalogueUgrTables.h"
#include "catalogue/photometry/PhotometricImport.h"
#include "cli/BookOption.h"
#include "cli/CommandOutput.h"
#include "cli/PlaceOption.h"
#include "panels/ArrayLayoutDialogModel.h"
#include "report/books/UgrBook.h"

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
            cells.push_back(UgrCellText(ugr));
        }
        for (const double ugr : table.endwise[r]) {
            cells.push_back(UgrCellText(ugr));
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

// quorvel-calc ugr PROJECT: UGR at observers in the room.
struct RoomUgrArguments {
    std::string project;
    std::vector<std::string> observers; // "X,Y,DIR_DEG" or "X,Y,Z,DIR_DEG"
    std::string eye;
    CLI::Option* eyeOption = nullptr; // not given: an observer's Z, else seated
    std::string catalogue;
    std::string book;
    bool json = false;
};

// Coordinates beyond this are not a place in a room.
constexpr double kMaxObserverCoordinate = 1e5;
constexpr double kMaxEyeHeight = 100.0;

int RoomBadInput(const std::string& message) {
    std::cerr << "quorvel-calc ugr: " << message << '\n';
    return kBadInput;
}

// "X,Y,DIR" or "X,Y,Z,DIR" (Z the eye's height above the floor) as an observer inside the
// room (its edge included), the eye height zero when not given; false with the message.
bool ReadObserver(const std::string& text, const Room& room, UgrObserver& observer,
                  std::string& message) {
    std::vector<std::string> parts;
    KvStr::SplitStrBySymbol(parts, text, ",");
    double values[4] = {};
    bool ok = parts.size() == 3 || parts.size() == 4;
    for (size_t i = 0; ok && i < parts.size(); ++i) {
        ok = IsNumberText(parts[i], &values[i]) && std::fabs(values[i]) <= kMaxObserverCoordinate;
    }
    const double direction = parts.size() == 4 ? values[3] : values[2];
    const double eye = parts.size() == 4 ? values[2] : 0.0;
    if (!ok || std::fabs(direction) > 360.0 ||
        (parts.size() == 4 && !(eye > 0.0 && eye <= kMaxEyeHeight))) {
        message = "观察点\"" + text +
                  "\"应为X,Y,视线方向角(度)三个数字,或X,Y,眼睛高度(0到100米),视线方向角四个数字,"
                  "请重新输入!";
        return false;
    }
    observer = {values[0], values[1], eye, direction};
    if (PointInOutline(room.outline, Vector{values[0], values[1], 0.0}) < kOutlineOnEdge) {
        message = "观察点\"" + text + "\"不在房间内,请重新输入!";
        return false;
    }
    return true;
}

std::optional<double> UgrLimit(const Project& project, const std::string& cataloguePath) {
    const StandardPlace& place = project.room.standardPlace;
    if (place.Empty()) {
        return std::nullopt;
    }
    StandardsSource standards(project, cataloguePath);
    PlaceStandard limits;
    if (standards.Get() == nullptr ||
        LoadPlaceStandard(*standards.Get(), place.category, place.place, limits) != 1) {
        return std::nullopt;
    }
    return limits.ugr;
}

void PrintRoomUgr(const RoomUgr& result, double eye, std::optional<double> limit, bool json) {
    if (json) {
        Json observers = Json::array();
        for (const ObserverUgr& o : result.observers) {
            Json terms = Json::array();
            for (const UgrLuminaireTerm& t : o.terms) {
                terms.push_back({{"luminaire", t.luminaire},
                                 {"l", t.l},
                                 {"omega", t.omega},
                                 {"p", t.p},
                                 {"r", t.r},
                                 {"t", t.t},
                                 {"h", t.h}});
            }
            Json row = {{"x", o.observer.x},
                        {"y", o.observer.y},
                        {"z", o.observer.eyeHeight},
                        {"direction", o.observer.direction}};
            if (o.ugr) {
                row["ugr"] = *o.ugr;
            } else {
                row["reason"] = o.reason;
            }
            row["lb"] = o.lb;
            row["terms"] = terms;
            observers.push_back(row);
        }
        Json out = {{"eye", eye},
                    {"lb_model", "CIE 190"},
                    {"estimate_two_planes", true},
                    {"observers", observers}};
        if (result.max) {
            out["max"] = *result.max;
        }
        if (limit) {
            out["limit"] = *limit;
        }
        if (result.max) {
            out["verdict"] = UgrVerdictText(*result.max, limit);
        }
        PrintJson(out);
        return;
    }
    std::cout << "UGR(" << kTwoPlaneEstimate
              << ",背景亮度 Lb = " << KvStr::Format("%.2f", result.background.lb) << " cd/m²)\n";
    for (const ObserverUgr& o : result.observers) {
        std::cout << KvStr::Format("观察点 (%.2f, %.2f, %.2f) 视线 %g°: ", o.observer.x,
                                   o.observer.y, o.observer.eyeHeight, o.observer.direction)
                  << (o.ugr ? KvStr::Format("UGR = %.1f", std::round(*o.ugr * 10.0) / 10.0)
                            : o.reason)
                  << '\n';
    }
    if (result.max) {
        std::cout << "最大值 " << UgrVerdictText(*result.max, limit) << '\n';
    }
}

int RoomUgrCommand(const RoomUgrArguments& arguments) {
    double eye = 0.0;
    const bool eyeGiven = arguments.eyeOption != nullptr && arguments.eyeOption->count() > 0;
    if (eyeGiven && (!IsNumberText(arguments.eye, &eye) || !(eye > 0.0 && eye <= kMaxEyeHeight))) {
        return RoomBadInput("眼睛高度\"" + arguments.eye +
                            "\"应为0到100之间的数字(米),请重新输入!");
    }
    Project project;
    if (const int status = ReadIndoorProject(arguments.project, project); status != kSuccess) {
        return status;
    }
    // One eye height serves the room's background: --eye, or the observers' Z, which
    // must then agree; seated by default.
    std::vector<UgrObserver> observers;
    for (const std::string& text : arguments.observers) {
        UgrObserver observer;
        std::string message;
        if (!ReadObserver(text, project.room, observer, message)) {
            return RoomBadInput(message);
        }
        if (observer.eyeHeight > 0.0) {
            if (eye > 0.0 && std::fabs(observer.eyeHeight - eye) > 1e-9) {
                return RoomBadInput("观察点\"" + text +
                                    "\"的眼睛高度与--eye或其他观察点不同;一次计算只用一个眼睛高度");
            }
            eye = observer.eyeHeight;
        }
        observers.push_back(observer);
    }
    if (eye == 0.0) {
        eye = kSeatedEyeHeight;
    }
    const RoomUgr result = ComputeRoomUgr(project, observers, eye);
    if (!result.ok) {
        return RoomBadInput(result.reason);
    }
    const std::optional<double> limit = UgrLimit(project, arguments.catalogue);
    PrintRoomUgr(result, eye, limit, arguments.json);
    return WriteBookOption(arguments.book, [&](CalcBookWriter& writer) {
        WriteUgrBook(writer, MakeUgrBookRecord(project, result, eye, limit));
    });
}

void RegisterRoomUgr(CLI::App& app, CommandRegistry& registry) {
    auto arguments = std::make_shared<RoomUgrArguments>();
    CLI::App* command = registry.Add(
        app, "ugr",
        "UGR of an indoor project at observers (default: the middle of each wall looking "
        "across the room), judged against the room's place",
        [arguments] { return RoomUgrCommand(*arguments); });
    RoomUgrArguments& a = *arguments;
    command->add_option("PROJECT", a.project, "indoor project (.cil)")->required();
    command->add_option("--observer", a.observers,
                        "eye at X,Y (m) looking along DIR_DEG (0 = +x, counter-clockwise), "
                        "or X,Y,Z,DIR_DEG with the eye Z m above the floor; repeatable");
    a.eyeOption = command->add_option(
        "--eye", a.eye, "eye height above the floor, m (default 1.2 seated; 1.5 standing)");
    command->add_option("--catalogue", a.catalogue,
                        "the catalogue database of the UGR limit (default: KvTxt/Lamps.db)");
    command->add_flag("--json", a.json, "print one JSON object");
    AddBookOption(command, a.book);
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
    RegisterRoomUgr(app, registry);
}

} // namespace qv::cli
