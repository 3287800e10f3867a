// The example projects under data/examples are what the program's own Save writes for
// these projects. Run with QV_UPDATE_EXAMPLES=1 to write them again after a deliberate
// change of the projects or of the file format.
#include "model/ProjectFile.h"

#include "model/ProjectTestSupport.h"

#include <kelvorin/KvStr.h>

#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>

namespace qv {
namespace {

const std::string kExamples = QV_SOURCE_DIR "/data/examples/";

// The number rows of a photometric CSV file under data/examples/photometry (the header
// line skipped).
std::vector<std::vector<double>> CsvRows(const std::string& name) {
    std::istringstream lines(test::ReadFileText(kExamples + "photometry/" + name));
    std::vector<std::vector<double>> rows;
    std::string line;
    std::getline(lines, line);
    while (std::getline(lines, line)) {
        std::vector<std::string> cells;
        KvStr::SplitStrBySymbol(cells, line, ",");
        std::vector<double> row;
        for (const std::string& cell : cells) {
            row.push_back(KvStr::Atof(cell));
        }
        rows.push_back(row);
    }
    EXPECT_FALSE(rows.empty()) << name;
    return rows;
}

void AddCurves(Luminaire& luminaire, const std::string& file) {
    for (const auto& row : CsvRows(file)) {
        luminaire.curveA.Append({row.at(0), row.at(1)});
        luminaire.curveB.Append({row.at(0), row.at(2)});
    }
}

void AddCuTable(Luminaire& luminaire, const std::string& file) {
    for (const auto& row : CsvRows(file)) {
        luminaire.cuTable.Append({row.at(0), row.at(1), row.at(2), row.at(3), row.at(4)});
    }
}

void AddFloodTable(Luminaire& luminaire, const std::string& file) {
    for (const auto& row : CsvRows(file)) {
        FloodIntensityRow node;
        node.dZXAngle = row.at(0);
        node.dHXAngle = row.at(1);
        node.dLampGq = row.at(2);
        luminaire.floodTable.Append(node);
    }
}

void Place(Project& project, const Luminaire& type, const std::vector<Vector>& positions,
           double turn = 0) {
    for (const Vector& position : positions) {
        Luminaire luminaire = type;
        luminaire.ptCenter = position;
        luminaire.Rotate.z = turn;
        project.luminaires.Add(luminaire);
    }
}

// An office of 12 × 7.2 m for 500 lx: eight recessed 3×28 W T5 grille troffers.
Project Office() {
    Project project;
    project.kind = kIndoorProject;
    Room& room = project.room;
    room.dLength = 12;
    room.dWidth = 7.2;
    room.dWorkHeight = 0.75;
    room.outline = {{0, 0, 0}, {12, 0, 0}, {12, 7.2, 0}, {0, 7.2, 0}};
    room.dReflectTop = 70;
    room.dReflectWall = 50;
    room.dReflectFloor = 20;
    room.dWinInWall = 30;
    room.dLxStandard = 500;

    Luminaire troffer;
    troffer.dVindicate = 0.8;
    troffer.sName = "格栅荧光灯盘";
    troffer.sModel = "嵌入式 3×28W T5";
    troffer.nLuminousFlux = 7980;
    troffer.lamp1 = {"T5荧光灯", "T5 28W", 28, 2.5, 3, 2660};
    troffer.geometricShape = {LuminaireShape::kRectangle, 1.2, 0.6, 0.1};
    troffer.opticalShape = {LuminaireShape::kRectangle, 1.15, 0.55, 0};
    troffer.sLightsTable = "格栅荧光灯盘配光";
    AddCurves(troffer, "grille_troffer_curves.csv");
    troffer.sModulusTable = "格栅荧光灯盘利用系数";
    AddCuTable(troffer, "grille_troffer_3x28W_T5_cu.csv");
    Place(project, troffer,
          {{1.5, 1.8, 3},
           {4.5, 1.8, 3},
           {7.5, 1.8, 3},
           {10.5, 1.8, 3},
           {1.5, 5.4, 3},
           {4.5, 5.4, 3},
           {7.5, 5.4, 3},
           {10.5, 5.4, 3}});
    return project;
}

// An L-shaped machining hall for 300 lx: eight 400 W metal-halide high-bays at 8 m.
Project Workshop() {
    Project project;
    project.kind = kIndoorProject;
    Room& room = project.room;
    room.dLength = 36;
    room.dWidth = 18;
    room.dWorkHeight = 0.75;
    room.outline = {{0, 0, 0}, {36, 0, 0}, {36, 18, 0}, {12, 18, 0}, {12, 12, 0}, {0, 12, 0}};
    room.dReflectTop = 50;
    room.dReflectWall = 30;
    room.dReflectFloor = 20;
    room.dWinInWall = 20;
    room.dLxStandard = 300;

    Luminaire highBay;
    highBay.sName = "金属卤化物灯工矿灯";
    highBay.sModel = "GC-400 深照型";
    highBay.nLuminousFlux = 32000;
    highBay.lamp1 = {"金属卤化物灯", "400W", 400, 40, 1, 32000};
    highBay.geometricShape = {LuminaireShape::kCircle, 0.5, 0, 0.6};
    highBay.opticalShape = {LuminaireShape::kCircle, 0.45, 0, 0};
    highBay.sLightsTable = "金卤工矿灯配光";
    AddCurves(highBay, "highbay_400W_curves.csv");
    highBay.sModulusTable = "金卤工矿灯利用系数";
    AddCuTable(highBay, "highbay_400W_cu.csv");
    Place(project, highBay,
          {{6, 3, 8},
           {18, 3, 8},
           {30, 3, 8},
           {6, 9, 8},
           {18, 9, 8},
           {30, 9, 8},
           {18, 15, 8},
           {30, 15, 8}});
    return project;
}

// A 60 × 40 m square lit by four floodlights on 15 m masts (luminaires 1-4, their grids
// in kcd for the 32000 lm lamp) and a 23 m wide road lit by 250 W sodium lights 30 m apart
// on both sides, opposite: one entry (luminaire 5) for the one kind of light, since the
// spacing and the arrangement already stand for every pole.
Project SiteAndRoad() {
    Project project;
    project.kind = kOutdoorProject;
    Room& site = project.room;
    site.dLength = 60;
    site.dWidth = 40;
    site.outline = {{0, 0, 0}, {60, 0, 0}, {60, 40, 0}, {0, 40, 0}};
    site.dLxStandard = 30;
    site.nStartNum = 1;
    site.nEndNum = 4;

    Road& road = project.road;
    road.m_dLength = 240;
    road.m_dWidth = 23;
    road.ptCenter = {30, -20, 0};
    road.m_dLxStandard = 20;
    road.m_dLampDis = 30;
    road.m_nLampType = Road::kOpposite;
    road.m_nStartNum = 5;
    road.m_nEndNum = 5;
    road.components = {{RoadComponent::kFootway, 0, 3},
                       {RoadComponent::kCarriageway, 2, 7.5},
                       {RoadComponent::kMedian, 0, 2},
                       {RoadComponent::kCarriageway, 2, 7.5},
                       {RoadComponent::kFootway, 0, 3}};

    Luminaire flood;
    flood.sName = "投光灯";
    flood.sModel = "TG-400 中光束";
    flood.nLuminousFlux = 32000;
    flood.lamp1 = {"金属卤化物灯", "400W", 400, 40, 1, 32000};
    flood.geometricShape = {LuminaireShape::kRectangle, 0.6, 0.5, 0.25};
    flood.opticalShape = {LuminaireShape::kRectangle, 0.5, 0.4, 0};
    flood.sGradeTable = "投光灯TG-400等光强";
    AddFloodTable(flood, "floodlight_400W_medium_beam.csv");
    const std::vector<std::pair<Vector, double>> masts = {
        {{-2, -2, 15}, 45}, {{62, -2, 15}, 135}, {{62, 42, 15}, 225}, {{-2, 42, 15}, 315}};
    for (const auto& [position, turn] : masts) {
        Place(project, flood, {position}, turn);
    }

    Luminaire streetLight;
    streetLight.sName = "道路照明灯";
    streetLight.sModel = "LD-250 截光型";
    streetLight.nLuminousFlux = 33200;
    streetLight.lamp1 = {"高压钠灯", "SON-T PP 250W", 250, 25, 1, 33200};
    streetLight.geometricShape = {LuminaireShape::kRectangle, 0.8, 0.35, 0.2};
    streetLight.opticalShape = {LuminaireShape::kRectangle, 0.6, 0.3, 0};
    streetLight.sLightsTable = "宽配光路灯配光";
    AddCurves(streetLight, "wide_distribution_curves.csv");
    Place(project, streetLight, {{15, -30, 10}}, 90);
    return project;
}

void CheckExample(const Project& project, const std::string& name) {
    test::TempDir dir;
    ASSERT_TRUE(SaveProject(project, dir.File(name)));
    const std::string written = test::ReadFileText(dir.File(name));
    if (std::getenv("QV_UPDATE_EXAMPLES") != nullptr) {
        test::WriteFileText(kExamples + name, written);
    }
    EXPECT_TRUE(written == test::ReadFileText(kExamples + name))
        << name << " differs from what Save writes; QV_UPDATE_EXAMPLES=1 rewrites it";

    Project loaded;
    LoadOptions readOnly;
    readOnly.writeBack = false;
    ASSERT_TRUE(LoadProject(kExamples + name, loaded, readOnly));
    EXPECT_EQ(loaded, project);
}

TEST(ExampleProjects, Office) {
    CheckExample(Office(), "office.cil");
}

TEST(ExampleProjects, Workshop) {
    CheckExample(Workshop(), "workshop.cil");
}

TEST(ExampleProjects, SiteAndRoad) {
    CheckExample(SiteAndRoad(), "site_and_road.col");
}

} // namespace
} // namespace qv
