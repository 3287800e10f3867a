#pragma once
// The program's commands: identifiers and menu texts (text, tab, shortcut), the menus
// and toolbars of each kind (1021 before any project, 1026 indoor, 1023 outdoor), and
// which commands have a handler yet. The window builds its menus and toolbars from it.
#include <string>
#include <vector>

namespace qv {

enum CommandId {
    kCmdNew = 57600,
    kCmdOpen = 57601,
    kCmdSave = 57603,
    kCmdSaveAs = 57604,
    kCmdExit = 57665,
    kCmdStartChoice = 1353,
    kCmdProjectInfo = 1331,
    kCmdRoomBar = 1330,
    kCmdSiteBar = 1358,
    kCmdRoadBar = 1366,
    kCmdLuminaireBar = 1332,
    kCmdPointIlluminance = 1333,
    kCmdGridIlluminance = 1345,
    kCmdLumenMethod = 1336,
    kCmdSpherical = 1339,
    kCmdCylindrical = 1340,
    kCmdUnitCapacity = 1341,
    kCmdPowerDensity = 1342,
    kCmdRectSource = 1367,
    kCmdNonUniformSource = 1365,
    kCmdCircleSource = 1329,
    kCmdFloodPoint = 1346,
    kCmdFloodUnitCapacity = 1356,
    kCmdRoadLumenMethod = 1347,
    kCmdUgrGrid = 1349,
    kCmdUgrPoint = 1351,
    kCmdGrGrid = 1337,
    kCmdGrPoint = 1338,
    kCmdLuminaireCatalogue = 1343,
    kCmdLampCatalogue = 1344,
    kCmdToolbar = 59392,
    kCmdStatusBar = 59393,
    kCmdSplit = 57653,
    kCmdAbout = 57664,
    kCmdUndo = 57643,
    kCmdRedo = 57644,
    kCmdArrayLayout = 1370,
    kCmdFitPlan = 1371,
    kCmdCatalogueFolder = 1372,
};

// Menu and toolbar resources.
enum MenuResource { kMenuNone = 1021, kMenuIndoor = 1026, kMenuOutdoor = 1023 };
// The standard toolbar has the resource of the menu before any project.
inline constexpr int kStandardToolbar = 1021;

// The menu text of a command in a menu: "新项目(&N)\tCtrl+N"; empty for an unknown id.
std::string CommandText(int id, int menu);
// The text before the tab, and the shortcut after it (empty when there is none).
std::string CommandLabel(int id, int menu);
std::string CommandShortcut(int id, int menu);
// The label as a button's tip: without the mnemonic ("(&O)", "[&D]", "&") and the
// trailing "..." ("打开项目(&O)..." is "打开项目").
std::string CommandTip(int id, int menu);

struct MenuSpec {
    std::string title;
    std::vector<int> items; // command ids; 0 is a separator
};

// The drop-down menus of a menu resource, in bar order.
const std::vector<MenuSpec>& MenuLayout(int menu);
// The buttons of a toolbar resource (1021 standard, 1026 indoor, 1023 outdoor); 0 is a
// separator.
const std::vector<int>& ToolbarLayout(int toolbar);

// Whether the command opens a calculation panel (one modeless panel per command).
bool OpensCalcPanel(int id);
// Whether the command has a handler in this program; the window shows only these.
bool CommandAvailable(int id);

} // namespace qv
