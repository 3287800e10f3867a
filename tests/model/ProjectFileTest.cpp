// Save and Load of a project: the element tree and its order, the encodings, the merge
// over an existing file, defaults and gaps, untrusted counts, files that are not project
// files, the write-back, and the progress texts.
#include "model/ProjectFile.h"

#include "model/ProjectTestSupport.h"

#include <kelvorin/KvStr.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sys/stat.h>

namespace qv {
namespace {

using test::ElementOutline;
using test::MessageRecorder;
using test::ReadFileText;
using test::TempDir;
using test::WriteFileText;
using Lines = std::vector<std::string>;

Luminaire SampleLuminaire(double x) {
    Luminaire luminaire;
    luminaire.ptCenter = {x, 2.5, 3};
    luminaire.Rotate = {0, 0, 90};
    luminaire.dVindicate = 0.8;
    luminaire.sName = "格栅荧光灯盘";
    luminaire.sModel = "3×28W T5";
    luminaire.nLuminousFlux = 7980;
    luminaire.lamp1 = {"T5荧光灯", "T5 28W", 28, 3, 3, 2660};
    luminaire.lamp2 = {"LED", "12W", 12, 0.5, 1, 1010};
    luminaire.bLampHouse2 = 1;
    luminaire.geometricShape = {LuminaireShape::kRectangle, 1.2, 0.6, 0.1};
    luminaire.opticalShape = {LuminaireShape::kCircle, 0.5, 0.25, 0};
    luminaire.sLightsTable = "格栅配光";
    luminaire.curveA.Append({0, 278});
    luminaire.curveA.Append({30, 244.125});
    luminaire.curveB.Append({0, 278});
    luminaire.curveB.Append({30, 218});
    luminaire.sModulusTable = "格栅利用系数";
    luminaire.cuTable.Append({70, 50, 20, 1, 0.69});
    luminaire.sGradeTable = "投光灯表";
    luminaire.floodTable.Append({-10, 5, 1850.5});
    luminaire.nState = 0;
    return luminaire;
}

Project SampleOutdoorProject() {
    Project project;
    project.kind = kOutdoorProject;
    project.room.outline = {{0, 0, 0}, {60, 0, 0}, {60, 40, 0}};
    project.room.ptLeftBot = {-1.5, 2, 0};
    project.room.dLength = 60;
    project.room.dLxStandard = 30;
    project.room.nStartNum = 2;
    project.room.nEndNum = 3;
    project.road.m_dLength = 200;
    project.road.m_dAngle = -15.25;
    project.road.ptCenter = {100, -20, 0};
    project.road.m_dLampDis = 30;
    project.road.m_nLampType = Road::kOpposite;
    project.road.m_nEndNum = 5;
    project.road.components = {{RoadComponent::kFootway, 0, 3},
                               {RoadComponent::kCarriageway, 2, 7.5}};
    project.luminaires.Add(SampleLuminaire(1));
    project.luminaires.Add(SampleLuminaire(4));
    return project;
}

void ExpectTablesEqual(const Project& a, const Project& b) {
    ASSERT_EQ(a.luminaires.Count(), b.luminaires.Count());
    for (int i = 0; i < a.luminaires.Count(); ++i) {
        const Luminaire& x = a.luminaires.At(i);
        const Luminaire& y = b.luminaires.At(i);
        EXPECT_TRUE(x.curveA == y.curveA && x.curveB == y.curveB && x.cuTable == y.cuTable &&
                    x.floodTable == y.floodTable)
            << "luminaire " << i;
    }
}

Project Loaded(const std::string& path) {
    Project project;
    LoadOptions options;
    options.writeBack = false;
    EXPECT_TRUE(LoadProject(path, project, options)) << path;
    return project;
}

TEST(ProjectFile, NewIndoorProjectTree) {
    TempDir dir;
    Project project;
    project.kind = kIndoorProject;
    ASSERT_TRUE(SaveProject(project, dir.File("new.cil")));
    EXPECT_EQ(ElementOutline(dir.File("new.cil")),
              (Lines{"Main", "Main/Main", "Main/Main/计算类型=0", "Main/房间", "Main/房间/点",
                     "Main/房间/点/点数量=0", "Main/房间/ptLeftBot=0.000,0.000,0.000",
                     "Main/房间/dLength=0.000000", "Main/房间/dWidth=0.000000",
                     "Main/房间/dWorkHeight=0.000000", "Main/房间/dReflectTop=0.000000",
                     "Main/房间/dLxStandard=0.000000", "Main/房间/dReflectWall=0.000000",
                     "Main/房间/dWinInWall=0.000000", "Main/房间/dReflectFloor=0.000000",
                     "Main/房间/nStartNum=1", "Main/房间/m_nEndNum=1", "Main/灯具",
                     "Main/灯具/灯具数量=0"}));
    EXPECT_EQ(ReadFileText(dir.File("new.cil")).rfind("<?xml version=\"1.0\"?>", 0), 0u);
}

TEST(ProjectFile, OutdoorTreeAndLuminaireOrder) {
    TempDir dir;
    Project project = SampleOutdoorProject();
    project.luminaires.RemoveAt(1);
    project.luminaires.At(0).curveB.Clear();
    ASSERT_TRUE(SaveProject(project, dir.File("a.col")));
    const Lines outline = ElementOutline(dir.File("a.col"));
    const Lines expected{"Main",
                         "Main/Main",
                         "Main/Main/计算类型=1",
                         "Main/场地",
                         "Main/场地/点",
                         "Main/场地/点/点0=0.000,0.000,0.000",
                         "Main/场地/点/点1=60.000,0.000,0.000",
                         "Main/场地/点/点2=60.000,40.000,0.000",
                         "Main/场地/点/点数量=3",
                         "Main/场地/ptLeftBot=-1.500,2.000,0.000",
                         "Main/场地/dLength=60.000000",
                         "Main/场地/dWidth=0.000000",
                         "Main/场地/dWorkHeight=0.000000",
                         "Main/场地/dReflectTop=0.000000",
                         "Main/场地/dLxStandard=30.000000",
                         "Main/场地/dReflectWall=0.000000",
                         "Main/场地/dWinInWall=0.000000",
                         "Main/场地/dReflectFloor=0.000000",
                         "Main/场地/nStartNum=2",
                         "Main/场地/m_nEndNum=3",
                         "Main/道路",
                         "Main/道路/组件",
                         "Main/道路/组件/数据0",
                         "Main/道路/组件/数据0/m_nType=2",
                         "Main/道路/组件/数据0/m_nNumber=0.000000",
                         "Main/道路/组件/数据0/m_dWidth=3.000000",
                         "Main/道路/组件/数据1",
                         "Main/道路/组件/数据1/m_nType=0",
                         "Main/道路/组件/数据1/m_nNumber=2.000000",
                         "Main/道路/组件/数据1/m_dWidth=7.500000",
                         "Main/道路/组件/数量=2",
                         "Main/道路/ptCenter=100.000,-20.000,0.000",
                         "Main/道路/m_dLength=200.000000",
                         "Main/道路/m_dWidth=0.000000",
                         "Main/道路/m_dAngle=-15.250000",
                         "Main/道路/m_dWorkHeight=0.000000",
                         "Main/道路/m_dLxStandard=0.000000",
                         "Main/道路/m_dLampDis=30.000000",
                         "Main/道路/m_nLampType=2",
                         "Main/道路/m_nStartNum=1",
                         "Main/道路/m_nEndNum=5",
                         "Main/灯具",
                         "Main/灯具/灯具0",
                         "Main/灯具/灯具0/Rotate=0.000,0.000,90.000",
                         "Main/灯具/灯具0/光源1",
                         "Main/灯具/灯具0/光源1/sName=T5荧光灯",
                         "Main/灯具/灯具0/光源1/sModel=T5 28W",
                         "Main/灯具/灯具0/光源1/dPower=28.000000",
                         "Main/灯具/灯具0/光源1/dBallastPower=3.000000",
                         "Main/灯具/灯具0/光源1/nCount=3",
                         "Main/灯具/灯具0/光源1/nLuminousFlux=2660",
                         "Main/灯具/灯具0/光源2",
                         "Main/灯具/灯具0/光源2/sName=LED",
                         "Main/灯具/灯具0/光源2/sModel=12W",
                         "Main/灯具/灯具0/光源2/dPower=12.000000",
                         "Main/灯具/灯具0/光源2/dBallastPower=0.500000",
                         "Main/灯具/灯具0/光源2/nCount=1",
                         "Main/灯具/灯具0/光源2/nLuminousFlux=1010",
                         "Main/灯具/灯具0/几何形状",
                         "Main/灯具/灯具0/几何形状/nShape=0",
                         "Main/灯具/灯具0/几何形状/dLength=1.200000",
                         "Main/灯具/灯具0/几何形状/dWidth=0.600000",
                         "Main/灯具/灯具0/几何形状/dHeight=0.100000",
                         "Main/灯具/灯具0/光学形状",
                         "Main/灯具/灯具0/光学形状/nShape=1",
                         "Main/灯具/灯具0/光学形状/dLength=0.500000",
                         "Main/灯具/灯具0/光学形状/dWidth=0.250000",
                         "Main/灯具/灯具0/光学形状/dHeight=0.000000",
                         "Main/灯具/灯具0/配光曲线1",
                         "Main/灯具/灯具0/配光曲线1/数据0",
                         "Main/灯具/灯具0/配光曲线1/数据0/dAngle=0.000000",
                         "Main/灯具/灯具0/配光曲线1/数据0/dLightStrong=278.000000",
                         "Main/灯具/灯具0/配光曲线1/数据1",
                         "Main/灯具/灯具0/配光曲线1/数据1/dAngle=30.000000",
                         "Main/灯具/灯具0/配光曲线1/数据1/dLightStrong=244.125000",
                         "Main/灯具/灯具0/配光曲线1/数量=2",
                         "Main/灯具/灯具0/配光曲线2",
                         "Main/灯具/灯具0/配光曲线2/数量=0",
                         "Main/灯具/灯具0/利用系数表",
                         "Main/灯具/灯具0/利用系数表/数据0",
                         "Main/灯具/灯具0/利用系数表/数据0/dPcc=70.000000",
                         "Main/灯具/灯具0/利用系数表/数据0/dPw=50.000000",
                         "Main/灯具/灯具0/利用系数表/数据0/dPf=20.000000",
                         "Main/灯具/灯具0/利用系数表/数据0/dPCR=1.000000",
                         "Main/灯具/灯具0/利用系数表/数据0/dUsing=0.690000",
                         "Main/灯具/灯具0/利用系数表/数量=1",
                         "Main/灯具/灯具0/等光强表",
                         "Main/灯具/灯具0/等光强表/数据0",
                         "Main/灯具/灯具0/等光强表/数据0/dHXAngle=5.000000",
                         "Main/灯具/灯具0/等光强表/数据0/dZXAngle=-10.000000",
                         "Main/灯具/灯具0/等光强表/数据0/dLampGq=1850.500000",
                         "Main/灯具/灯具0/等光强表/数量=1",
                         "Main/灯具/灯具0/dVindicate=0.800000",
                         "Main/灯具/灯具0/sName=格栅荧光灯盘",
                         "Main/灯具/灯具0/sModel=3×28W T5",
                         "Main/灯具/灯具0/nLuminousFlux=7980",
                         "Main/灯具/灯具0/bLampHouse2=1",
                         "Main/灯具/灯具0/sLightsTable=格栅配光",
                         "Main/灯具/灯具0/sModulusTable=格栅利用系数",
                         "Main/灯具/灯具0/sGradeTable=投光灯表",
                         "Main/灯具/灯具0/nState=0",
                         "Main/灯具/灯具0/ptCenter=1.000,2.500,3.000",
                         "Main/灯具/灯具0/ptAim=0.000,0.000,0.000",
                         "Main/灯具/灯具0/路灯参数",
                         "Main/灯具/灯具0/路灯参数/nStored=0",
                         "Main/灯具/灯具0/路灯参数/sArrangement=",
                         "Main/灯具/灯具0/路灯参数/dSpacing=0.000000",
                         "Main/灯具/灯具0/路灯参数/dPoleHeight=0.000000",
                         "Main/灯具/灯具0/路灯参数/dElevation=0.000000",
                         "Main/灯具/灯具0/路灯参数/dUsing=0.000000",
                         "Main/灯具/灯具数量=1"};
    EXPECT_EQ(outline, expected);
}

TEST(ProjectFile, EverythingReadsBack) {
    TempDir dir;
    const Project project = SampleOutdoorProject();
    ASSERT_TRUE(SaveProject(project, dir.File("a.col")));
    const Project loaded = Loaded(dir.File("a.col"));
    EXPECT_EQ(loaded, project);
    EXPECT_EQ(loaded.room, project.room);
    EXPECT_EQ(loaded.road, project.road);
    EXPECT_EQ(loaded.path, dir.File("a.col"));
    ExpectTablesEqual(loaded, project);

    // Vectors keep three decimals, doubles six.
    Project rounded = project;
    rounded.room.ptLeftBot.x = 1.23456;
    rounded.road.m_dLength = 0.12345678;
    ASSERT_TRUE(SaveProject(rounded, dir.File("b.col")));
    const Project back = Loaded(dir.File("b.col"));
    EXPECT_DOUBLE_EQ(back.room.ptLeftBot.x, 1.235);
    EXPECT_DOUBLE_EQ(back.road.m_dLength, 0.123457);
}

// A name with control characters (from an imported file or a hand-made project) is saved
// without those XML 1.0 forbids, so other XML tools can read the file; tab, line feed and
// carriage return stay.
TEST(ProjectFile, ControlCharactersXmlForbidsAreNeverWritten) {
    TempDir dir;
    Project project = SampleOutdoorProject();
    project.luminaires.At(0).sName = "灯\x01\x1b[31m\ta\rb\x7f";
    ASSERT_TRUE(SaveProject(project, dir.File("a.col")));
    const std::string text = ReadFileText(dir.File("a.col"));
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        EXPECT_TRUE(byte >= 0x20 || c == '\t' || c == '\n' || c == '\r') << int(byte);
    }
    EXPECT_EQ(text.find("&#1;"), std::string::npos);
    EXPECT_EQ(text.find("&#27;"), std::string::npos);
    EXPECT_EQ(Loaded(dir.File("a.col")).luminaires.At(0).sName, "灯[31m\ta\rb\x7f");
}

TEST(ProjectFile, FilesOfManyMegabytesReadBack) {
    // The text is written in pieces of about a megabyte; they must join seamlessly.
    TempDir dir;
    Project project = SampleOutdoorProject();
    const Luminaire sample = project.luminaires.At(0);
    for (int i = 0; i < 400; ++i) {
        Luminaire luminaire = sample;
        luminaire.sName = "灯具<&>" + std::to_string(i);
        for (int row = 0; row < 20; ++row) {
            luminaire.curveA.Append({row * 1.5, 100.0 + i + row});
        }
        project.luminaires.Add(luminaire);
    }
    ASSERT_TRUE(SaveProject(project, dir.File("big.col")));
    ASSERT_GT(ReadFileText(dir.File("big.col")).size(), 3u << 19);
    EXPECT_EQ(Loaded(dir.File("big.col")), project);
    ExpectTablesEqual(Loaded(dir.File("big.col")), project);
}

TEST(ProjectFile, AnIndependentlyWrittenFileLoadsEveryField) {
    TempDir dir;
    // Written by hand: no declaration, no indentation, fields in another order.
    WriteFileText(
        dir.File("hand.col"),
        "<Main><灯具><灯具数量>1</灯具数量><灯具0><ptCenter>1,2,3</ptCenter>"
        "<nState>0</nState><sName>投光灯</sName><sModel>TG-400</sModel>"
        "<dVindicate>0.65</dVindicate><nLuminousFlux>32000</nLuminousFlux>"
        "<bLampHouse2>0</bLampHouse2><sLightsTable>L</sLightsTable>"
        "<sModulusTable>M</sModulusTable><sGradeTable>G</sGradeTable>"
        "<Rotate>0,-30,45</Rotate><光源1><sName>金属卤化物灯</sName><sModel>400W</sModel>"
        "<dPower>400</dPower><dBallastPower>40</dBallastPower><nCount>1</nCount>"
        "<nLuminousFlux>32000</nLuminousFlux></光源1><几何形状><nShape>1</nShape>"
        "<dLength>0.6</dLength><dWidth>0.6</dWidth><dHeight>0.3</dHeight></几何形状>"
        "<配光曲线1><数量>2</数量><数据0><dAngle>0</dAngle><dLightStrong>346.3</dLightStrong>"
        "</数据0><数据1><dAngle>7.5</dAngle><dLightStrong>338.7</dLightStrong></数据1>"
        "</配光曲线1><等光强表><数据0><dHXAngle>-5</dHXAngle><dZXAngle>10</dZXAngle>"
        "<dLampGq>1500</dLampGq></数据0><数量>1</数量></等光强表></灯具0></灯具>"
        "<道路><m_nEndNum>4</m_nEndNum><组件><数量>1</数量><数据0><m_nType>1</m_nType>"
        "<m_nNumber>0</m_nNumber><m_dWidth>2</m_dWidth></数据0></组件>"
        "<m_dLampDis>25</m_dLampDis><ptCenter>5,6,0</ptCenter></道路>"
        "<场地><dWorkHeight>0.5</dWorkHeight><点><点数量>2</点数量><点1>3,4,0</点1>"
        "<点0>1,2,0</点0></点><m_nEndNum>6</m_nEndNum></场地>"
        "<Main><计算类型>1</计算类型></Main></Main>");
    const Project loaded = Loaded(dir.File("hand.col"));
    EXPECT_EQ(loaded.kind, kOutdoorProject);
    EXPECT_EQ(loaded.room.outline, (std::vector<Vector>{{1, 2, 0}, {3, 4, 0}}));
    EXPECT_EQ(loaded.room.dWorkHeight, 0.5);
    EXPECT_EQ(loaded.room.nEndNum, 6);
    EXPECT_EQ(loaded.road.m_nEndNum, 4);
    EXPECT_EQ(loaded.road.m_dLampDis, 25);
    EXPECT_EQ(loaded.road.ptCenter, (Vector{5, 6, 0}));
    ASSERT_EQ(loaded.road.components.size(), 1u);
    EXPECT_EQ(loaded.road.components[0], (RoadComponent{RoadComponent::kMedian, 0, 2}));
    ASSERT_EQ(loaded.luminaires.Count(), 1);
    const Luminaire& l = loaded.luminaires.At(0);
    EXPECT_EQ(l.ptCenter, (Vector{1, 2, 3}));
    EXPECT_EQ(l.Rotate, (Rotation{0, -30, 45}));
    EXPECT_EQ(l.nState, 0);
    EXPECT_EQ(l.sModel, "TG-400");
    EXPECT_EQ(l.dVindicate, 0.65);
    EXPECT_EQ(l.sGradeTable, "G");
    EXPECT_EQ(l.lamp1, (Lamp{"金属卤化物灯", "400W", 400, 40, 1, 32000}));
    EXPECT_EQ(l.lamp2, Lamp{}); // missing: the defaults
    EXPECT_EQ(l.geometricShape, (LuminaireShape{1, 0.6, 0.6, 0.3}));
    ASSERT_EQ(l.curveA.Count(), 2);
    EXPECT_EQ(l.curveA.At(1), (IntensityRow{7.5, 338.7}));
    EXPECT_EQ(l.curveB.Count(), 0);
    ASSERT_EQ(l.floodTable.Count(), 1);
    EXPECT_EQ(l.floodTable.At(0), (FloodIntensityRow{10, -5, 1500}));
}

TEST(ProjectFile, SavingOverAFileMerges) {
    TempDir dir;
    const std::string path = dir.File("p.col");
    Project project = SampleOutdoorProject();
    project.luminaires.Add(SampleLuminaire(7));
    ASSERT_TRUE(SaveProject(project, path));

    project.luminaires.RemoveAt(2);
    project.luminaires.At(0).curveA.Clear();
    ASSERT_TRUE(SaveProject(project, path));
    const Lines outline = ElementOutline(path);
    EXPECT_NE(
        std::find(outline.begin(), outline.end(), "Main/灯具/灯具2/ptCenter=7.000,2.500,3.000"),
        outline.end());
    EXPECT_NE(std::find(outline.begin(), outline.end(), "Main/灯具/灯具数量=2"), outline.end());
    // The old rows stay behind the new count and are not read back as data.
    EXPECT_NE(std::find(outline.begin(), outline.end(),
                        "Main/灯具/灯具0/配光曲线1/数据1/dAngle=30.000000"),
              outline.end());
    const Project loaded = Loaded(path);
    EXPECT_EQ(loaded, project);
    ExpectTablesEqual(loaded, project);

    // An indoor project saved over the outdoor file: the site and road stay, the room
    // is appended, and the file now loads as the indoor project.
    Project indoor;
    indoor.kind = kIndoorProject;
    indoor.room.dReflectTop = 70;
    ASSERT_TRUE(SaveProject(indoor, path));
    const Lines merged = ElementOutline(path);
    EXPECT_NE(std::find(merged.begin(), merged.end(), "Main/场地/dLength=60.000000"), merged.end());
    EXPECT_NE(std::find(merged.begin(), merged.end(), "Main/道路/m_dLength=200.000000"),
              merged.end());
    EXPECT_EQ(Loaded(path), indoor);
}

TEST(ProjectFile, MissingElementsTakeTheDefaults) {
    TempDir dir;
    // No kind: the reading object's kind (-1) stays and the site is read, no road.
    WriteFileText(dir.File("a.col"), "<Main><场地><dLength>5</dLength></场地><道路>"
                                     "<m_dLength>9</m_dLength></道路></Main>");
    Project project = Loaded(dir.File("a.col"));
    EXPECT_EQ(project.kind, kNoProject);
    EXPECT_EQ(project.room.dLength, 5);
    EXPECT_EQ(project.road, Road{});

    // The current values are the defaults; a double default goes through "%.6f".
    WriteFileText(dir.File("b.cil"),
                  "<Main><Main><计算类型>0</计算类型></Main>"
                  "<房间><dWidth></dWidth><ptLeftBot>1,2</ptLeftBot></房间></Main>");
    Project reader;
    reader.room.dLength = 1.23456789;
    reader.room.dWidth = 4;
    reader.room.ptLeftBot = {7, 8, 9};
    reader.room.outline = {{1, 1, 0}};
    ASSERT_TRUE(LoadProject(dir.File("b.cil"), reader));
    EXPECT_EQ(reader.room.dLength, 1.234568);
    EXPECT_EQ(reader.room.dWidth, 0);                    // present but empty
    EXPECT_EQ(reader.room.ptLeftBot, (Vector{7, 8, 9})); // malformed: unchanged
    EXPECT_TRUE(reader.room.outline.empty());            // cleared, then read
}

TEST(ProjectFile, MissingAndMalformedCornersAreSkipped) {
    TempDir dir;
    WriteFileText(dir.File("a.cil"),
                  "<Main><Main><计算类型>0</计算类型></Main><房间><点>"
                  "<点0>0,0,0</点0><点1>4,0,0</点1><点2>4,3</点2><点3>0,3,0</点3>"
                  "<点数量>5</点数量></点></房间></Main>");
    EXPECT_EQ(Loaded(dir.File("a.cil")).room.outline,
              (std::vector<Vector>{{0, 0, 0}, {4, 0, 0}, {0, 3, 0}}));
}

TEST(ProjectFile, StoredCountsNeverReachBeyondTheEntriesPresent) {
    TempDir dir;
    WriteFileText(dir.File("a.col"),
                  "<Main><Main><计算类型>1</计算类型></Main>"
                  "<场地><点><点0>1,1,0</点0><点数量>100000</点数量></点></场地>"
                  "<道路><组件><数据0><m_dWidth>3</m_dWidth></数据0><数量>-4</数量></组件></道路>"
                  "<灯具><灯具0><配光曲线1><数据0/><数据5><dAngle>5</dAngle></数据5>"
                  "<数量>400000</数量></配光曲线1><利用系数表><数据0/><数量>1</数量>"
                  "</利用系数表></灯具0><灯具2><sName>third</sName></灯具2>"
                  "<灯具数量>100000</灯具数量></灯具></Main>");
    const Project project = Loaded(dir.File("a.col"));
    EXPECT_EQ(project.room.outline.size(), 1u);
    EXPECT_TRUE(project.road.components.empty()); // a negative count reads nothing
    ASSERT_EQ(project.luminaires.Count(), 2);     // 灯具1 is missing: skipped
    EXPECT_EQ(project.luminaires.At(1).sName, "third");
    const IntensityCurve& curve = project.luminaires.At(0).curveA;
    ASSERT_EQ(curve.Count(), 2);
    EXPECT_EQ(curve.At(0), IntensityRow{}); // present but empty: a default row
    EXPECT_EQ(curve.At(1).dAngle, 5);
    EXPECT_EQ(project.luminaires.At(0).cuTable.Count(), 1);
}

// Every number of a saved project in turn made not finite, too large, or (for whole
// numbers) beyond the int range: the load is refused naming the element and its text,
// and the open project stays as it was.
TEST(ProjectFile, NumbersThatAreNotFiniteOrTooLargeRefuseTheFile) {
    TempDir dir;
    Project open = SampleOutdoorProject();
    for (int i = 0; i < open.luminaires.Count(); ++i) {
        Luminaire aimed = open.luminaires.At(i);
        aimed.ptAim = {30, 20.0 + i, 0};
        aimed.road = RoadLightValues{"单侧", 30, 10, 5, 0.4};
        open.luminaires.Replace(i, aimed);
    }
    const std::string path = dir.File("a.col");
    ASSERT_TRUE(SaveProject(open, path));
    pugi::xml_document saved;
    ASSERT_TRUE(saved.load_file(path.c_str()));
    std::vector<pugi::xml_node> leaves;
    for (const pugi::xpath_node& node : saved.select_nodes("//*[not(*)]")) {
        leaves.push_back(node.node());
    }
    int refusals = 0;
    for (pugi::xml_node leaf : leaves) {
        const std::string text = leaf.text().get();
        double number = 0;
        std::vector<std::string> hostile;
        if (std::count(text.begin(), text.end(), ',') == 2) {
            hostile = {"1,nan,3", "inf,0,0", "0,0,-1e309"};
        } else if (KvStr::IsDigitFactor(&number, text) == 0) {
            continue; // a text field
        } else if (text.find('.') != std::string::npos) {
            hostile = {"nan", "-inf", "1e309", "2e12", "-1e13abc"};
        } else {
            hostile = {"99999999999", "-3000000000"};
        }
        std::string element = leaf.name();
        for (pugi::xml_node up = leaf.parent(); up.type() == pugi::node_element; up = up.parent()) {
            element = std::string(up.name()) + "/" + element;
        }
        for (const std::string& bad : hostile) {
            leaf.text().set(bad.c_str());
            ASSERT_TRUE(saved.save_file(path.c_str()));
            const std::string file = ReadFileText(path);
            MessageRecorder messages;
            Project project = open;
            EXPECT_FALSE(LoadProject(path, project)) << element << " " << bad;
            EXPECT_EQ(project, open);
            ASSERT_EQ(messages.messages.size(), 1u) << element << " " << bad;
            EXPECT_NE(messages.messages[0].text.find("元素“" + element + "”的值“" + bad + "”"),
                      std::string::npos)
                << messages.messages[0].text;
            EXPECT_EQ(ReadFileText(path), file); // not written back
            ++refusals;
        }
        leaf.text().set(text.c_str());
    }
    EXPECT_GT(refusals, 100);
}

// A stored count beyond what the program lets a list hold is refused before anything is
// allocated for it, however many entries the file holds.
TEST(ProjectFile, CountsBeyondTheirBoundsRefuseTheFile) {
    TempDir dir;
    const std::string head = "<Main><Main><计算类型>1</计算类型></Main>";
    const std::vector<std::pair<std::string, std::string>> files = {
        {head + "<灯具><灯具数量>100001</灯具数量></灯具></Main>", "Main/灯具/灯具数量"},
        {head + "<场地><点><点数量>100001</点数量></点></场地></Main>", "Main/场地/点/点数量"},
        {head + "<道路><组件><数量>400001</数量></组件></道路></Main>", "Main/道路/组件/数量"},
        {head + "<灯具><灯具0><等光强表><数量>2147483647</数量></等光强表></灯具0>"
                "<灯具数量>1</灯具数量></灯具></Main>",
         "Main/灯具/灯具0/等光强表/数量"}};
    for (const auto& [text, element] : files) {
        WriteFileText(dir.File("a.col"), text);
        MessageRecorder messages;
        Project project;
        EXPECT_FALSE(LoadProject(dir.File("a.col"), project)) << element;
        ASSERT_EQ(messages.messages.size(), 1u);
        EXPECT_NE(messages.messages[0].text.find("元素“" + element + "”"), std::string::npos)
            << messages.messages[0].text;
        EXPECT_NE(messages.messages[0].text.find("超出范围"), std::string::npos);
    }
    // Two hundred thousand empty luminaires under a count that claims them all.
    std::string many = head + "<灯具>";
    for (int i = 0; i < 200000; ++i) {
        many += "<灯具" + std::to_string(i) + "/>";
    }
    WriteFileText(dir.File("many.col"), many + "<灯具数量>200000</灯具数量></灯具></Main>");
    MessageRecorder messages;
    Project project;
    EXPECT_FALSE(LoadProject(dir.File("many.col"), project));
    EXPECT_EQ(project.luminaires.Count(), 0);
}

TEST(ProjectFile, FilesThatAreNotProjectsFailAndLeaveTheProject) {
    TempDir dir;
    const Project open = SampleOutdoorProject();
    const std::string text = ReadFileText(QV_SOURCE_DIR "/CMakeLists.txt");
    const std::vector<std::pair<std::string, std::string>> files = {
        {"text.cil", text},
        {"empty.cil", ""},
        {"truncated.cil", "<?xml version=\"1.0\"?><Main><Main><计算类型>0</计"},
        {"html.cil", "<html><head/></html>"},
        {"gbk.cil", "<?xml version=\"1.0\" encoding=\"GB2312\"?><Main/>"}};
    for (const auto& [name, content] : files) {
        WriteFileText(dir.File(name), content);
        MessageRecorder messages;
        Project project = open;
        EXPECT_FALSE(LoadProject(dir.File(name), project)) << name;
        EXPECT_EQ(project, open) << name;
        EXPECT_EQ(project.path, open.path) << name;
        ASSERT_EQ(messages.messages.size(), 1u) << name;
        EXPECT_NE(messages.messages[0].text.find(dir.File(name)), std::string::npos);
        EXPECT_EQ(ReadFileText(dir.File(name)), content) << name; // not written back
        // Saving over such a file refuses too, and keeps it.
        EXPECT_FALSE(SaveProject(open, dir.File(name))) << name;
        EXPECT_EQ(ReadFileText(dir.File(name)), content) << name;
    }
}

TEST(ProjectFile, LoadWritesTheFileBackUnlessTold) {
    TempDir dir;
    const std::string path = dir.File("a.cil");
    const std::string compact =
        "<Main><Main><计算类型>0</计算类型></Main><房间><dLength>2</dLength>"
        "</房间></Main>";
    WriteFileText(path, compact);
    Project project;
    LoadOptions readOnly;
    readOnly.writeBack = false;
    ASSERT_TRUE(LoadProject(path, project, readOnly));
    EXPECT_EQ(ReadFileText(path), compact);

    ASSERT_TRUE(LoadProject(path, project));
    const std::string rewritten = ReadFileText(path);
    EXPECT_NE(rewritten, compact); // rewritten as read
    EXPECT_EQ(Loaded(path), project);

    // A file already as it would be written is left as it is (same file, same text).
    struct stat before {};
    ::stat(path.c_str(), &before);
    ASSERT_TRUE(LoadProject(path, project));
    struct stat after {};
    ::stat(path.c_str(), &after);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(ReadFileText(path), rewritten);
    // One byte more or less is rewritten.
    WriteFileText(path, rewritten + " ");
    ASSERT_TRUE(LoadProject(path, project));
    EXPECT_EQ(ReadFileText(path), rewritten);

    // A read-only file is not rewritten, and the load still succeeds.
    WriteFileText(path, compact);
    ::chmod(path.c_str(), 0444);
    Project again;
    EXPECT_TRUE(LoadProject(path, again));
    EXPECT_EQ(again, project);
    EXPECT_EQ(ReadFileText(path), compact);
}

TEST(ProjectFile, LoadingAMissingFileGivesAnEmptyProject) {
    TempDir dir;
    Project project;
    LoadOptions readOnly;
    readOnly.writeBack = false;
    ASSERT_TRUE(LoadProject(dir.File("none.cil"), project, readOnly));
    EXPECT_TRUE(dir.Files().empty());

    ASSERT_TRUE(LoadProject(dir.File("none.cil"), project));
    EXPECT_EQ(project, Project{});
    EXPECT_EQ(ElementOutline(dir.File("none.cil")), Lines{"Main="});
}

TEST(ProjectFile, ProgressTexts) {
    TempDir dir;
    const Project project = SampleOutdoorProject();
    {
        test::ProgressRecorder progress;
        ASSERT_TRUE(SaveProject(project, dir.File("a.col")));
        EXPECT_EQ(progress.reports, (std::vector<std::tuple<std::string, int, int>>{
                                        {"保存工程", 1, 2}, {"保存工程", 2, 2}, {"", -1, 0}}));
    }
    test::ProgressRecorder progress;
    Loaded(dir.File("a.col"));
    EXPECT_EQ(progress.reports, (std::vector<std::tuple<std::string, int, int>>{
                                    {"读取工程", 1, 2}, {"读取工程", 2, 2}, {"", -1, 0}}));
}

TEST(ProjectFile, SaveFailureIsReported) {
    TempDir dir;
    MessageRecorder messages;
    EXPECT_FALSE(SaveProject(SampleOutdoorProject(), dir.File("no/such/folder/a.col")));
    EXPECT_FALSE(SaveProject(SampleOutdoorProject(), ""));
    EXPECT_EQ(messages.messages.size(), 2u);
    EXPECT_TRUE(dir.Files().empty());
}

} // namespace
} // namespace qv
