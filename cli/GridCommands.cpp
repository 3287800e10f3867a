#include "cli/GridCommands.h"
#include "cli/PlaceOption.h"

#include "cli/BookOption.h"
#include "cli/CommandOutput.h"
#include "cli/ProjectCommands.h"
#include "panels/GridPanel.h"
#include "panels/ScalarIlluminancePanel.h"
#include "report/books/GridBook.h"
#include "report/books/ScalarBook.h"
#include "report/picture/IsoluxPicture.h"
#include "report/picture/PngPicture.h"
#include "report/picture/SvgPicture.h"

#include <kelvorin/KvFile.h>

#include <kelvorin/KvStr.h>

#include <cmath>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

namespace qv::cli {
namespace {

// The largest density the runner accepts: a grid of at most this many points per side
// keeps the point list within a few hundred megabytes.
constexpr int kMaxDensity = 3000;

// "A,B,...": finite numbers read with KvStr::Atof after a check that each is one; texts
// receives each number's text.
bool ReadNumbers(const std::string& option, const std::string& text, std::vector<double>& out,
                 std::vector<std::string>* texts = nullptr) {
    std::vector<std::string> pieces;
    KvStr::SplitStrBySymbol(pieces, text, ",");
    for (const std::string& piece : pieces) {
        const std::string trimmed = KvStr::Trim(piece);
        size_t used = 0;
        double value = 0.0;
        try {
            value = std::stod(trimmed, &used);
        } catch (const std::exception&) {
            used = 0;
        }
        if (trimmed.empty() || used != trimmed.size() || !std::isfinite(value)) {
            std::cerr << "option " << option << ": \"" << piece << "\" is not a number\n";
            return false;
        }
        out.push_back(KvStr::Atof(trimmed));
        if (texts != nullptr) {
            texts->push_back(trimmed);
        }
    }
    return true;
}

struct GridArguments {
    std::string project;
    int density = GridPanel::kDefaultDensity;
    std::string vertical;
    int side = kSideUpperLeft;
    int threads = 0;
    bool withPoints = false;
    bool json = false;
    std::string book;
    std::string picture;
};

// The picture's format by its extension, case aside: "png", "svg", or empty.
std::string PictureFormat(const std::string& path) {
    const size_t dot = path.rfind('.');
    const std::string extension =
        dot == std::string::npos ? std::string() : KvStr::MakeUpper(path.substr(dot + 1));
    return extension == "PNG" ? "png" : extension == "SVG" ? "svg" : std::string();
}

// Writes the isolux picture of the run to path (replaced whole or left as it was).
int WritePictureOption(const std::string& path, const GridPanel& panel) {
    if (path.empty()) {
        return kSuccess;
    }
    const IsoluxPicture picture(panel.Picture());
    if (picture.Empty()) {
        std::cerr << "option --picture: no grid points, no picture written\n";
        return kBadInput;
    }
    const std::string content =
        PictureFormat(path) == "svg" ? IsoluxSvg(picture) : IsoluxPng(picture);
    std::string error;
    if (!KvFile::WriteAtomically(path, content, &error)) {
        std::cerr << "quorvel-calc: cannot write the picture " << path << ": " << error << '\n';
        return kBadInput;
    }
    return kSuccess;
}

Json GridJson(const GridPanel& panel, const char* kind, bool withPoints) {
    const GridStatistics& s = panel.Statistics();
    Json legend = Json::array();
    for (const LegendBand& band : panel.Legend()) {
        legend.push_back(
            {{"index", band.index},
             {"value_shown", band.valueText},
             {"color", Json::array({band.colour.red, band.colour.green, band.colour.blue})}});
    }
    Json json = {{"kind", kind},
                 {"density", panel.density},
                 {"count", panel.Points().size()},
                 {"max_shown", panel.maxText},
                 {"min_shown", panel.minText},
                 {"avg_shown", panel.avgText},
                 {"avg_raw", s.averageRaw},
                 {"avg", s.average},
                 {"uniformity", panel.uniformity},
                 {"uniformity_shown", panel.UniformityText()},
                 {"u0", panel.u0},
                 {"u0_shown", panel.U0Text()},
                 {"standard", s.standard},
                 {"lpd", panel.lpd},
                 {"lpd2", panel.lpd2},
                 {"lpd2_label", panel.lpd2Label},
                 {"draw_min", panel.drawMin},
                 {"draw_max", panel.drawMax},
                 {"interval", panel.interval},
                 {"legend", legend}};
    if (withPoints) {
        Json points = Json::array();
        for (const CalcPoint& p : panel.Points()) {
            points.push_back({{"x", p.position.x},
                              {"y", p.position.y},
                              {"z", p.position.z},
                              {"eh", p.dEh},
                              {"ev", p.dEv}});
        }
        json["points"] = std::move(points);
    }
    return json;
}

void PrintGridText(const GridPanel& panel, const char* kind, bool withPoints) {
    std::cout << (panel.LastKind() == kGridHorizontal ? "水平照度" : "垂直照度") << " (" << kind
              << "), 计算密度 " << panel.density << " 等分, " << panel.Points().size() << " 点\n"
              << "最大值: " << panel.maxText << "\n最小值: " << panel.minText
              << "\n平均值: " << panel.avgText << '\n';
    std::cout << "工作区均匀度: " << panel.UniformityText() << "\n照度均匀度U0: " << panel.U0Text()
              << '\n';
    if (panel.LastKind() == kGridHorizontal) {
        std::cout << "计算功率密度: " << KvStr::FormatDouble(panel.lpd) << '\n'
                  << panel.lpd2Label << ": " << KvStr::FormatDouble(panel.lpd2) << '\n';
    }
    std::cout << "绘制: 最小值 " << KvStr::FormatDouble(panel.drawMin) << ", 最大值 "
              << KvStr::FormatDouble(panel.drawMax) << ", 间隔 " << panel.interval << '\n';
    for (const LegendBand& band : panel.Legend()) {
        std::cout << band.index << '\t' << band.valueText << '\t' << band.colour.red << ','
                  << band.colour.green << ',' << band.colour.blue << '\n';
    }
    if (withPoints) {
        std::cout << "X\tY\tZ\t水平照度\t垂直照度\n";
        for (const CalcPoint& p : panel.Points()) {
            std::cout << KvStr::FormatDouble(p.position.x) << '\t'
                      << KvStr::FormatDouble(p.position.y) << '\t'
                      << KvStr::FormatDouble(p.position.z) << '\t' << KvStr::Format("%.2f", p.dEh)
                      << '\t' << KvStr::Format("%.2f", p.dEv) << '\n';
        }
    }
}

int RunGrid(const GridArguments& arguments) {
    if (arguments.density > kMaxDensity) {
        std::cerr << "option --density: " << arguments.density << " is above " << kMaxDensity
                  << '\n';
        return kBadInput;
    }
    // The panel's density never goes below 1: a grid of no divisions has no points.
    if (arguments.density < 1) {
        std::cerr << "option --density: " << arguments.density << " is below 1\n";
        return kBadInput;
    }
    GridPanel panel;
    panel.density = arguments.density;
    panel.side = arguments.side;
    if (arguments.threads > 0) {
        panel.threads = arguments.threads;
    }
    const bool vertical = !arguments.vertical.empty();
    if (vertical) {
        std::vector<double> ends;
        if (!ReadNumbers("--vertical", arguments.vertical, ends)) {
            return kBadInput;
        }
        if (ends.size() != 4) {
            std::cerr << "option --vertical: expected X1,Y1,X2,Y2\n";
            return kBadInput;
        }
        panel.startX = ends[0];
        panel.startY = ends[1];
        panel.endX = ends[2];
        panel.endY = ends[3];
    }
    Project project;
    if (const int status = ReadIndoorProject(arguments.project, project); status != kSuccess) {
        return status;
    }
    StandardsSource standards(project);
    panel.SetStandards(standards.Get());
    const char* kind = vertical ? "vertical" : "horizontal";
    const bool found = vertical ? panel.CalculateVertical(project.room, project.luminaires)
                                : panel.CalculateHorizontal(project.room, project.luminaires);
    if (!found) {
        if (arguments.json) {
            PrintJson({{"kind", kind}, {"count", 0}});
        } else {
            std::cout << "没有计算点\n";
        }
    } else if (arguments.json) {
        PrintJson(GridJson(panel, kind, arguments.withPoints));
    } else {
        PrintGridText(panel, kind, arguments.withPoints);
    }
    std::cout.flush();
    if (const int status = WritePictureOption(arguments.picture, panel); status != kSuccess) {
        return status;
    }
    return WriteBookOption(arguments.book, [&panel](CalcBookWriter& writer) {
        WriteGridBook(writer, panel.WriteBook());
    });
}

struct ScalarArguments {
    std::string project;
    std::string ks;
    bool json = false;
    std::string book;
};

void PrintScalar(const ScalarIlluminancePanel& panel, bool json) {
    if (json) {
        Json entries = Json::array();
        for (const ScalarEntry& entry : panel.Entries()) {
            entries.push_back({{"name", entry.luminaire.sName},
                               {"model", entry.luminaire.sModel},
                               {"ks", entry.ks},
                               {"u", entry.u}});
        }
        PrintJson({{"eh", panel.Horizontal()},
                   {"result", panel.Result()},
                   {"eh_shown", panel.HorizontalText()},
                   {"result_shown", panel.ResultText()},
                   {"header", panel.Header()},
                   {"entries", entries}});
        return;
    }
    std::cout << panel.Caption() << "\n实际照度lx: " << panel.HorizontalText()
              << "\n标量照度lx: " << panel.ResultText() << '\n'
              << panel.Header() << '\n';
    for (int column = ScalarIlluminancePanel::kName; column < ScalarIlluminancePanel::kColumnCount;
         ++column) {
        std::cout << ScalarIlluminancePanel::kHeaders[static_cast<size_t>(column)]
                  << (column + 1 < ScalarIlluminancePanel::kColumnCount ? "\t" : "\t利用系数\n");
    }
    for (int row = 0; row < panel.RowCount(); ++row) {
        for (int column = ScalarIlluminancePanel::kName;
             column < ScalarIlluminancePanel::kColumnCount; ++column) {
            std::cout << panel.CellText(row, column) << '\t';
        }
        const double u = panel.Entries()[static_cast<size_t>(row)].u;
        std::cout << (u == kNoCu ? std::string("无") : KvStr::FormatDouble(u)) << '\n';
    }
}

int RunScalar(const ScalarArguments& arguments, int kind) {
    Project project;
    if (const int status = ReadIndoorProject(arguments.project, project); status != kSuccess) {
        return status;
    }
    std::vector<double> ks;
    std::vector<std::string> texts;
    if (!arguments.ks.empty() && !ReadNumbers("--ks", arguments.ks, ks, &texts)) {
        return kBadInput;
    }
    if (static_cast<int>(ks.size()) > project.luminaires.Count()) {
        std::cerr << "option --ks: " << ks.size() << " factors for " << project.luminaires.Count()
                  << " luminaire entries\n";
        return kBadInput;
    }
    ScalarIlluminancePanel panel(kind);
    panel.Open(project.luminaires);
    for (size_t i = 0; i < ks.size(); ++i) {
        panel.EditCell(static_cast<int>(i), ScalarIlluminancePanel::kKs, texts[i]);
    }
    if (const std::optional<KvMessage> refused =
            panel.Calculate(project.room, project.luminaires)) {
        // The panel names the entry by its number; the runner adds its name and model.
        const int entry = panel.RefusedEntry();
        const Luminaire& luminaire = panel.Entries()[static_cast<size_t>(entry)].luminaire;
        std::cerr << "option --ks: " << refused->text << " (entry " << (entry + 1) << ", "
                  << luminaire.sName << " " << luminaire.sModel
                  << "): a conversion factor read off the chart, a number above 0, is needed for "
                     "every luminaire entry\n";
        return kBadInput;
    }
    PrintScalar(panel, arguments.json);
    std::cout.flush();
    return WriteBookOption(arguments.book, [&panel](CalcBookWriter& writer) {
        WriteScalarBook(writer, panel.BookRecord());
    });
}

void AddScalarCommand(CLI::App& app, CommandRegistry& registry, const char* name,
                      const char* description, int kind) {
    auto arguments = std::make_shared<ScalarArguments>();
    CLI::App* command = registry.Add(app, name, description,
                                     [arguments, kind] { return RunScalar(*arguments, kind); });
    command->add_option("PROJECT", arguments->project, "indoor project file (.cil)")->required();
    command->add_option("--ks", arguments->ks, "conversion factor Ks per entry, e.g. 0.8,0.75")
        ->type_name("K1,K2,...");
    command->add_flag("--json", arguments->json, "print one JSON object");
    AddBookOption(command, arguments->book);
}

} // namespace

void RegisterGridCommands(CLI::App& app, CommandRegistry& registry) {
    auto grid = std::make_shared<GridArguments>();
    CLI::App* command = registry.Add(app, "grid", "illuminance over a grid of the room",
                                     [grid] { return RunGrid(*grid); });
    command->add_option("PROJECT", grid->project, "indoor project file (.cil)")->required();
    command->add_option("--density", grid->density, "divisions of the longer side (计算密度)")
        ->capture_default_str();
    command->add_option("--vertical", grid->vertical, "vertical plane between two plan points")
        ->type_name("X1,Y1,X2,Y2");
    command->add_option("--side", grid->side, "0 左上, 1 右下")
        ->check(CLI::IsMember({0, 1}))
        ->capture_default_str();
    command->add_option("--threads", grid->threads, "threads of the calculation (default: cores)")
        ->check(CLI::Range(1, 256));
    command->add_flag("--with-points", grid->withPoints, "list every grid point");
    command->add_flag("--json", grid->json, "print one JSON object");
    AddBookOption(command, grid->book);
    command
        ->add_option("--picture", grid->picture,
                     "also write the isolux picture (format by extension: .png or .svg)")
        ->type_name("FILE.png|FILE.svg")
        ->check(CLI::Validator(
            [](std::string& path) {
                return PictureFormat(path).empty()
                           ? std::string("the picture is written as .png or .svg: ") + path
                           : std::string();
            },
            "FILE.png|FILE.svg"));

    AddScalarCommand(app, registry, "spherical", "average spherical illuminance", kSpherical);
    AddScalarCommand(app, registry, "cylindrical", "average cylindrical illuminance", kCylindrical);
}

} // namespace qv::cli
