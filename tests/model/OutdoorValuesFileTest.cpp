// The aiming points and road values an outdoor project keeps with its luminaires: written
// after every other field, read back equal, absent in older files and indoor projects,
// texts that are not numbers read as the defaults, numbers that overflow refused.
#include "model/ProjectFile.h"

#include "model/ProjectTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace qv {
namespace {

using test::ElementOutline;
using test::ReadFileText;
using test::TempDir;
using test::WriteFileText;

Project Loaded(const std::string& path) {
    Project project;
    LoadOptions options;
    options.writeBack = false;
    EXPECT_TRUE(LoadProject(path, project, options)) << path;
    return project;
}

Luminaire RoadLight(double x) {
    Luminaire luminaire;
    luminaire.sName = "道路照明灯";
    luminaire.ptCenter = {x, -30, 10};
    luminaire.nLuminousFlux = 33200;
    return luminaire;
}

Project OutdoorWithValues() {
    Project project;
    project.kind = kOutdoorProject;
    project.room.outline = {{0, 0, 0}, {60, 0, 0}, {60, 40, 0}};
    Luminaire aimed = RoadLight(5);
    aimed.ptAim = {12.5, -3.25, 0};
    Luminaire road = RoadLight(15);
    road.road = RoadLightValues{"双侧对称", 32.5, 11, 15, 0.42};
    project.luminaires.Add(aimed);
    project.luminaires.Add(road);
    return project;
}

// A one-luminaire outdoor file whose luminaire holds the given elements after its name.
std::string FileWithLuminaire(const std::string& elements) {
    return "<Main><Main><计算类型>1</计算类型></Main><灯具><灯具0><sName>投光灯</sName>" +
           elements + "</灯具0><灯具数量>1</灯具数量></灯具></Main>";
}

TEST(OutdoorValuesFile, AimingPointsAndRoadValuesReadBack) {
    TempDir dir;
    const Project project = OutdoorWithValues();
    ASSERT_TRUE(SaveProject(project, dir.File("a.col")));
    const Project loaded = Loaded(dir.File("a.col"));
    EXPECT_EQ(loaded, project);
    EXPECT_EQ(loaded.luminaires.At(0).ptAim, (Vector{12.5, -3.25, 0}));
    EXPECT_FALSE(loaded.luminaires.At(0).road.has_value());
    ASSERT_TRUE(loaded.luminaires.At(1).road.has_value());
    EXPECT_EQ(loaded.luminaires.At(1).road->sArrangement, "双侧对称");
    EXPECT_DOUBLE_EQ(loaded.luminaires.At(1).road->dUsing, 0.42);

    // The new elements follow every older one of the luminaire.
    const std::vector<std::string> outline = ElementOutline(dir.File("a.col"));
    const auto at = [&outline](const std::string& line) {
        return std::find(outline.begin(), outline.end(), line) - outline.begin();
    };
    EXPECT_LT(at("Main/灯具/灯具1/ptCenter=15.000,-30.000,10.000"),
              at("Main/灯具/灯具1/ptAim=0.000,0.000,0.000"));
    EXPECT_LT(at("Main/灯具/灯具1/ptAim=0.000,0.000,0.000"),
              at("Main/灯具/灯具1/路灯参数/dSpacing=32.500000"));
}

TEST(OutdoorValuesFile, SavingOverAFileLeavesNoValuesOfAnotherLuminaire) {
    TempDir dir;
    const std::string path = dir.File("p.col");
    Project project = OutdoorWithValues();
    ASSERT_TRUE(SaveProject(project, path));
    // The road light goes first: the entry 灯具0 that held no values now holds them, and
    // 灯具1 whose values were kept now stands for a light without any.
    std::swap(project.luminaires.At(0), project.luminaires.At(1));
    ASSERT_TRUE(SaveProject(project, path));
    EXPECT_EQ(Loaded(path), project);
}

TEST(OutdoorValuesFile, OlderFilesAndIndoorProjectsHaveNone) {
    TempDir dir;
    WriteFileText(dir.File("old.col"), FileWithLuminaire("<ptCenter>1,2,8</ptCenter>"));
    const Project old = Loaded(dir.File("old.col"));
    ASSERT_EQ(old.luminaires.Count(), 1);
    EXPECT_EQ(old.luminaires.At(0).ptAim, Vector{});
    EXPECT_FALSE(old.luminaires.At(0).road.has_value());

    Project indoor;
    indoor.kind = kIndoorProject;
    Luminaire luminaire = RoadLight(1);
    luminaire.ptAim = {1, 2, 3};
    indoor.luminaires.Add(luminaire);
    ASSERT_TRUE(SaveProject(indoor, dir.File("a.cil")));
    EXPECT_EQ(ReadFileText(dir.File("a.cil")).find("ptAim"), std::string::npos);
    EXPECT_EQ(ReadFileText(dir.File("a.cil")).find("路灯参数"), std::string::npos);
}

TEST(OutdoorValuesFile, HostileTextsReadAsTheDefaults) {
    TempDir dir;
    const char* const aims[] = {"abc,1,2", "1,2", "1,2,3,4", "", "0x10,0,0"};
    for (const char* aim : aims) {
        WriteFileText(dir.File("a.col"),
                      FileWithLuminaire(std::string("<ptAim>") + aim + "</ptAim>"));
        EXPECT_EQ(Loaded(dir.File("a.col")).luminaires.At(0).ptAim, Vector{}) << aim;
    }
    WriteFileText(dir.File("b.col"), FileWithLuminaire("<ptAim> -4.5 , 2e+1 ,0 </ptAim>"));
    EXPECT_EQ(Loaded(dir.File("b.col")).luminaires.At(0).ptAim, (Vector{-4.5, 20, 0}));

    // Road values with one number that is none are dropped as a whole.
    const std::string good = "<sArrangement>单侧</sArrangement><dSpacing>30</dSpacing>"
                             "<dPoleHeight>10</dPoleHeight><dElevation>5</dElevation>";
    for (const char* u : {"x", "", "1,5"}) {
        WriteFileText(dir.File("c.col"),
                      FileWithLuminaire("<路灯参数><nStored>1</nStored>" + good + "<dUsing>" + u +
                                        "</dUsing></路灯参数>"));
        EXPECT_FALSE(Loaded(dir.File("c.col")).luminaires.At(0).road.has_value()) << u;
    }
    WriteFileText(dir.File("d.col"), FileWithLuminaire("<路灯参数><nStored>1</nStored>" + good +
                                                       "<dUsing>0.4</dUsing></路灯参数>"));
    const Project read = Loaded(dir.File("d.col"));
    ASSERT_TRUE(read.luminaires.At(0).road.has_value());
    EXPECT_EQ(*read.luminaires.At(0).road, (RoadLightValues{"单侧", 30, 10, 5, 0.4}));
    // Values not marked as stored are no values.
    WriteFileText(dir.File("e.col"), FileWithLuminaire("<路灯参数><nStored>2</nStored>" + good +
                                                       "<dUsing>0.4</dUsing></路灯参数>"));
    EXPECT_FALSE(Loaded(dir.File("e.col")).luminaires.At(0).road.has_value());

    // A number that overflows is no default: the file is refused.
    for (const std::string& file : {FileWithLuminaire("<路灯参数><nStored>1</nStored>" + good +
                                                      "<dUsing>-1e+999</dUsing></路灯参数>"),
                                    FileWithLuminaire("<ptAim>1,2e400,3</ptAim>")}) {
        WriteFileText(dir.File("f.col"), file);
        test::MessageRecorder messages;
        Project project;
        EXPECT_FALSE(LoadProject(dir.File("f.col"), project, LoadOptions{false}));
        EXPECT_EQ(messages.messages.size(), 1u);
    }
}

} // namespace
} // namespace qv
