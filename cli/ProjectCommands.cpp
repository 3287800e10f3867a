#include "cli/ProjectCommands.h"

#include "cli/BookOption.h"

#include "model/ProjectFile.h"

#include <kelvorin/KvMessage.h>
#include <kelvorin/KvStr.h>

#include <filesystem>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

namespace qv::cli {
namespace {

using Json = nlohmann::ordered_json;

Json Triple(double x, double y, double z) {
    return Json::array({x, y, z});
}

Json LampJson(const Lamp& lamp) {
    return Json{{"sName", lamp.sName},   {"sModel", lamp.sModel},
                {"dPower", lamp.dPower}, {"dBallastPower", lamp.dBallastPower},
                {"nCount", lamp.nCount}, {"nLuminousFlux", lamp.nLuminousFlux}};
}

Json ShapeJson(const LuminaireShape& shape) {
    return Json{{"nShape", shape.nShape},
                {"dLength", shape.dLength},
                {"dWidth", shape.dWidth},
                {"dHeight", shape.dHeight}};
}

Json CurveJson(const IntensityCurve& curve) {
    Json rows = Json::array();
    for (const IntensityRow& row : curve.Rows()) {
        rows.push_back(Json::array({row.dAngle, row.dLightStrong}));
    }
    return rows;
}

Json LuminaireJson(const Luminaire& l) {
    Json cu = Json::array();
    for (const CuRow& row : l.cuTable.Rows()) {
        cu.push_back(Json::array({row.dPcc, row.dPw, row.dPf, row.dPCR, row.dUsing}));
    }
    Json flood = Json::array();
    for (const FloodIntensityRow& row : l.floodTable.Rows()) {
        flood.push_back(Json::array({row.dHXAngle, row.dZXAngle, row.dLampGq}));
    }
    return Json{{"ptCenter", Triple(l.ptCenter.x, l.ptCenter.y, l.ptCenter.z)},
                {"Rotate", Triple(l.Rotate.x, l.Rotate.y, l.Rotate.z)},
                {"dVindicate", l.dVindicate},
                {"sName", l.sName},
                {"sModel", l.sModel},
                {"nLuminousFlux", l.nLuminousFlux},
                {"bLampHouse2", l.bLampHouse2},
                {"nState", l.nState},
                {"sLightsTable", l.sLightsTable},
                {"sModulusTable", l.sModulusTable},
                {"sGradeTable", l.sGradeTable},
                {"lamps", Json::array({LampJson(l.lamp1), LampJson(l.lamp2)})},
                {"shapes", Json::array({ShapeJson(l.geometricShape), ShapeJson(l.opticalShape)})},
                {"curveA", CurveJson(l.curveA)},
                {"curveB", CurveJson(l.curveB)},
                {"cu", cu},
                {"flood", flood}};
}

Json RoomJson(const Room& room) {
    Json outline = Json::array();
    for (const Vector& corner : room.outline) {
        outline.push_back(Triple(corner.x, corner.y, corner.z));
    }
    return Json{{"dLength", room.dLength},
                {"dWidth", room.dWidth},
                {"dWorkHeight", room.dWorkHeight},
                {"ptLeftBot", Triple(room.ptLeftBot.x, room.ptLeftBot.y, room.ptLeftBot.z)},
                {"outline", outline},
                {"dReflectTop", room.dReflectTop},
                {"dReflectWall", room.dReflectWall},
                {"dReflectFloor", room.dReflectFloor},
                {"dWinInWall", room.dWinInWall},
                {"dLxStandard", room.dLxStandard},
                {"nStartNum", room.nStartNum},
                {"nEndNum", room.nEndNum}};
}

Json RoadJson(const Road& road) {
    Json components = Json::array();
    for (const RoadComponent& component : road.components) {
        components.push_back(Json{{"m_nType", component.m_nType},
                                  {"m_nNumber", component.m_nNumber},
                                  {"m_dWidth", component.m_dWidth}});
    }
    return Json{{"m_dLength", road.m_dLength},
                {"m_dWidth", road.m_dWidth},
                {"m_dAngle", road.m_dAngle},
                {"ptCenter", Triple(road.ptCenter.x, road.ptCenter.y, road.ptCenter.z)},
                {"m_dWorkHeight", road.m_dWorkHeight},
                {"m_dLxStandard", road.m_dLxStandard},
                {"m_dLampDis", road.m_dLampDis},
                {"m_nLampType", road.m_nLampType},
                {"m_nStartNum", road.m_nStartNum},
                {"m_nEndNum", road.m_nEndNum},
                {"components", components}};
}

Json ProjectJson(const Project& project, const std::string& path) {
    Json luminaires = Json::array();
    for (const Luminaire& luminaire : project.luminaires.Items()) {
        luminaires.push_back(LuminaireJson(luminaire));
    }
    return Json{{"kind", project.kind},
                {"path", path},
                {"room", RoomJson(project.room)},
                {"road", RoadJson(project.road)},
                {"luminaires", luminaires}};
}

std::string Number(double value) {
    return KvStr::FormatDouble(value);
}

std::string KindName(int kind) {
    switch (kind) {
    case kIndoorProject:
        return "室内";
    case kOutdoorProject:
        return "户外、道路";
    default:
        return "未定";
    }
}

void PrintProject(const Project& project, const std::string& path) {
    const Room& room = project.room;
    std::cout << "工程文件: " << path << '\n'
              << "计算类型: " << project.kind << " (" << KindName(project.kind) << ")\n"
              << (project.kind == kIndoorProject ? "房间" : "场地") << ": 总长 "
              << Number(room.dLength) << " m, 总宽 " << Number(room.dWidth) << " m, 工作面高度 "
              << Number(room.dWorkHeight) << " m, 左下角 " << room.ptLeftBot.ToText() << '\n'
              << "  拐角 " << room.outline.size() << ":";
    for (const Vector& corner : room.outline) {
        std::cout << " (" << corner.ToText() << ')';
    }
    std::cout << "\n  反射比(%): 顶棚 " << Number(room.dReflectTop) << ", 墙面 "
              << Number(room.dReflectWall) << ", 地面 " << Number(room.dReflectFloor) << "; 墙窗比 "
              << Number(room.dWinInWall) << "%; 照度标准 " << Number(room.dLxStandard)
              << " lx; 灯具编号 " << room.nStartNum << "-" << room.nEndNum << '\n';
    if (project.kind == kOutdoorProject) {
        const Road& road = project.road;
        std::cout << "道路: 总长 " << Number(road.m_dLength) << " m, 总宽 " << Number(road.m_dWidth)
                  << " m, 角度 " << Number(road.m_dAngle) << ", 中心 " << road.ptCenter.ToText()
                  << ", 工作面高度 " << Number(road.m_dWorkHeight) << " m, 照度标准 "
                  << Number(road.m_dLxStandard) << " lx, 路灯间距 " << Number(road.m_dLampDis)
                  << " m, 排列方式 " << road.m_nLampType << ", 灯具编号 " << road.m_nStartNum << "-"
                  << road.m_nEndNum << '\n';
        for (const RoadComponent& component : road.components) {
            std::cout << "  " << RoadComponent::TypeToText(component.m_nType) << " ("
                      << component.m_nType << "): 车道数 " << Number(component.m_nNumber)
                      << ", 总宽度 " << Number(component.m_dWidth) << " m\n";
        }
    }
    std::cout << "灯具 " << project.luminaires.Count() << ":\n";
    int number = 1;
    for (const Luminaire& l : project.luminaires.Items()) {
        std::cout << "  " << number++ << ". " << l.sName << " " << l.sModel << " 位置 "
                  << l.ptCenter.ToText() << " 旋转 " << l.Rotate.ToText() << " 光通量 "
                  << l.nLuminousFlux << " lm, 维护系数 " << Number(l.dVindicate) << "; 光源1 "
                  << l.lamp1.sName << " " << Number(l.lamp1.dPower) << " W × " << l.lamp1.nCount
                  << "; 配光曲线 " << l.curveA.Count() << "/" << l.curveB.Count()
                  << " 行, 利用系数表 " << l.cuTable.Count() << " 行, 等光强表 "
                  << l.floodTable.Count() << " 行\n";
    }
}

int Show(const std::string& path, bool json) {
    Project project;
    if (const int status = ReadProjectArgument(path, project); status != kSuccess) {
        return status;
    }
    if (json) {
        std::cout << ProjectJson(project, path).dump(-1, ' ', false, Json::error_handler_t::replace)
                  << '\n';
    } else {
        PrintProject(project, path);
    }
    return kSuccess;
}

int Resave(const std::string& path, const std::string& out) {
    Project project;
    if (const int status = ReadProjectArgument(path, project); status != kSuccess) {
        return status;
    }
    std::string message;
    KvScopedMessageHandler capture([&message](const KvMessage& shown) {
        message = shown.text;
        return KvMessageSink::DefaultAnswer(shown.buttons);
    });
    if (!SaveProject(project, out)) {
        std::cerr << "quorvel-calc resave: " << message << '\n';
        return kBadInput;
    }
    return kSuccess;
}

struct ShowArguments {
    std::string project;
    bool json = false;
};

struct ResaveArguments {
    std::string project;
    std::string out;
};

} // namespace

int ReadProjectArgument(const std::string& path, Project& project) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        std::cerr << "quorvel-calc: 工程文件不存在或不是文件：" << path << '\n';
        return kBadInput;
    }
    std::string message;
    KvScopedMessageHandler capture([&message](const KvMessage& shown) {
        message = shown.text;
        return KvMessageSink::DefaultAnswer(shown.buttons);
    });
    LoadOptions options;
    options.writeBack = false;
    if (!LoadProject(path, project, options)) {
        std::cerr << "quorvel-calc: " << message << '\n';
        return kBadInput;
    }
    SetBookProjectInfo(project.info);
    return kSuccess;
}

void RegisterProjectCommands(CLI::App& app, CommandRegistry& registry) {
    auto show = std::make_shared<ShowArguments>();
    CLI::App* showCommand = registry.Add(app, "show", "print the loaded project",
                                         [show] { return Show(show->project, show->json); });
    showCommand->add_option("PROJECT", show->project, "project file (.cil or .col)")->required();
    showCommand->add_flag("--json", show->json, "print one JSON object");

    auto resave = std::make_shared<ResaveArguments>();
    CLI::App* resaveCommand =
        registry.Add(app, "resave", "load a project and save it to OUT as the program's Save does",
                     [resave] { return Resave(resave->project, resave->out); });
    resaveCommand->add_option("PROJECT", resave->project, "project file to read")->required();
    resaveCommand->add_option("OUT", resave->out, "file to write")->required();
}

} // namespace qv::cli
