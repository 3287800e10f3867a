#include "panels/CommandTable.h"

#include <algorithm>
#include <map>

namespace qv {
namespace {

const std::map<int, std::string>& Texts() {
    static const std::map<int, std::string> texts = {
        {kCmdNew, "新项目(&N)\tCtrl+N"},
        {kCmdOpen, "打开项目(&O)...\tCtrl+O"},
        {kCmdSave, "保存项目(&S)\tCtrl+S"},
        {kCmdSaveAs, "另存为(&A)..."},
        {kCmdExit, "退出(&X)"},
        {kCmdStartChoice, "新项目(&N)\tCtrl+N"},
        {kCmdProjectInfo, "项目信息(&P)"},
        {kCmdRoomBar, "房间参数(&R)"},
        {kCmdSiteBar, "应用场地(&O)"},
        {kCmdRoadBar, "道路方案(&R)"},
        {kCmdLuminaireBar, "灯具布置(&L)"},
        {kCmdPointIlluminance, "单点照度计算(&S)"},
        {kCmdGridIlluminance, "水平、垂直照度计算(&H)"},
        {kCmdLumenMethod, "利用系数照度计算(&L)"},
        {kCmdSpherical, "平均球面照度计算(&B)"},
        {kCmdCylindrical, "平均柱面照度计算(&C)"},
        {kCmdUnitCapacity, "单位容量计算(&P)"},
        {kCmdPowerDensity, "照明功率密度计算(&W)"},
        {kCmdRectSource, "矩形等亮度面光源点照度计算[&D]"},
        {kCmdNonUniformSource, "矩形非等亮度面光源点照度计算[&F]"},
        {kCmdCircleSource, "圆形等亮度面光源点照度计算[&Y]"},
        {kCmdFloodPoint, "投光灯照度点照度计算(&T)"},
        {kCmdFloodUnitCapacity, "投光灯单位容量法照度计算(&Y)"},
        {kCmdRoadLumenMethod, "利用系数法道路照明计算(&L)"},
        {kCmdUgrGrid, "各点统一眩光值(UGR)计算(&G)"},
        {kCmdUgrPoint, "单点统一眩光值(UGR)计算(&I)"},
        {kCmdGrGrid, "各点眩光值(GR)计算(&G)"},
        {kCmdGrPoint, "单点眩光值(GR)计算(&D)"},
        {kCmdLuminaireCatalogue, "灯具扩充(&L)..."},
        {kCmdLampCatalogue, "光源扩充(&I)"},
        {kCmdToolbar, "工具栏(&T)"},
        {kCmdStatusBar, "状态栏(&S)"},
        {kCmdSplit, "分隔(&P)"},
        {kCmdAbout, "关于 《Halvorn》配套光盘(&A)..."},
        {kCmdUndo, "撤销(&U)\tCtrl+Z"},
        {kCmdRedo, "重做(&R)\tCtrl+Y"},
        {kCmdArrayLayout, "灯具阵列布置(&A)..."},
        {kCmdFitPlan, "适合窗口(&F)"},
        {kCmdCatalogueFolder, "打开数据库文件夹(&O)"},
    };
    return texts;
}

const std::vector<int> kFileMenu = {kCmdNew, kCmdOpen, kCmdSave, kCmdSaveAs, 0, kCmdExit};
const std::vector<int> kViewMenu = {kCmdToolbar, kCmdStatusBar, kCmdSplit, 0, kCmdFitPlan};
const std::vector<int> kEditMenu = {kCmdUndo, kCmdRedo};

} // namespace

std::string CommandText(int id, int menu) {
    if (id == kCmdAbout && menu == kMenuNone) {
        return "关于 Quorvel(&A)...";
    }
    const auto found = Texts().find(id);
    return found == Texts().end() ? std::string() : found->second;
}

std::string CommandLabel(int id, int menu) {
    const std::string text = CommandText(id, menu);
    return text.substr(0, text.find('\t'));
}

std::string CommandTip(int id, int menu) {
    std::string tip = CommandLabel(id, menu);
    for (const char* open : {"(&", "[&"}) {
        const size_t at = tip.find(open);
        if (at != std::string::npos && at + 3 < tip.size() &&
            tip[at + 3] == (open[0] == '(' ? ')' : ']')) {
            tip.erase(at, 4);
        }
    }
    std::erase(tip, '&');
    while (tip.ends_with('.')) {
        tip.pop_back();
    }
    while (tip.ends_with(' ')) {
        tip.pop_back();
    }
    return tip;
}

std::string CommandShortcut(int id, int menu) {
    const std::string text = CommandText(id, menu);
    const size_t tab = text.find('\t');
    return tab == std::string::npos ? std::string() : text.substr(tab + 1);
}

const std::vector<MenuSpec>& MenuLayout(int menu) {
    static const std::vector<MenuSpec> none = {
        {"文件(&F)", {kCmdStartChoice, 0, kCmdExit}},
        {"查看(&V)", {kCmdToolbar, kCmdStatusBar}},
        {"帮助(&H)", {kCmdAbout}},
    };
    static const std::vector<MenuSpec> indoor = {
        {"文件(&F)", kFileMenu},
        {"编辑(&E)", kEditMenu},
        {"项目(&P)", {kCmdProjectInfo, 0, kCmdRoomBar, kCmdLuminaireBar, 0, kCmdArrayLayout}},
        {"计算(&C)",
         {kCmdPointIlluminance, kCmdGridIlluminance, kCmdLumenMethod, kCmdSpherical,
          kCmdCylindrical, kCmdUnitCapacity, kCmdPowerDensity, 0, kCmdRectSource,
          kCmdNonUniformSource, kCmdCircleSource, 0, kCmdUgrGrid, kCmdUgrPoint}},
        {"查看(&V)", kViewMenu},
        {"帮助(&H)", {kCmdAbout}},
    };
    static const std::vector<MenuSpec> outdoor = {
        {"文件(&F)", kFileMenu},
        {"编辑(&E)", kEditMenu},
        {"项目(&P)", {kCmdProjectInfo, 0, kCmdSiteBar, kCmdRoadBar, kCmdLuminaireBar}},
        {"计算(&C)",
         {kCmdFloodPoint, kCmdFloodUnitCapacity, kCmdRoadLumenMethod, 0, kCmdGrGrid, kCmdGrPoint}},
        {"数据库(&D)", {kCmdLuminaireCatalogue, kCmdLampCatalogue, 0, kCmdCatalogueFolder}},
        {"查看(&V)", kViewMenu},
        {"帮助(&H)", {kCmdAbout}},
    };
    return menu == kMenuIndoor ? indoor : menu == kMenuOutdoor ? outdoor : none;
}

const std::vector<int>& ToolbarLayout(int toolbar) {
    static const std::vector<int> standard = {kCmdNew,           kCmdOpen, kCmdSave,
                                              kCmdSaveAs,        0,        kCmdUndo,
                                              kCmdRedo,          0,        kCmdLuminaireCatalogue,
                                              kCmdLampCatalogue, 0,        kCmdAbout};
    static const std::vector<int> indoor = {
        kCmdProjectInfo,      kCmdRoomBar,         kCmdLuminaireBar, 0,
        kCmdPointIlluminance, kCmdGridIlluminance, kCmdLumenMethod,  kCmdSpherical,
        kCmdCylindrical,      kCmdUnitCapacity,    kCmdPowerDensity};
    static const std::vector<int> outdoor = {
        kCmdProjectInfo, kCmdSiteBar,           kCmdRoadBar,        kCmdLuminaireBar, 0,
        kCmdFloodPoint,  kCmdFloodUnitCapacity, kCmdRoadLumenMethod};
    return toolbar == kMenuIndoor ? indoor : toolbar == kMenuOutdoor ? outdoor : standard;
}

bool OpensCalcPanel(int id) {
    switch (id) {
    case kCmdPointIlluminance:
    case kCmdGridIlluminance:
    case kCmdLumenMethod:
    case kCmdSpherical:
    case kCmdCylindrical:
    case kCmdUnitCapacity:
    case kCmdRectSource:
    case kCmdNonUniformSource:
    case kCmdCircleSource:
    case kCmdFloodPoint:
    case kCmdFloodUnitCapacity:
    case kCmdRoadLumenMethod:
    case kCmdUgrGrid:
    case kCmdUgrPoint:
        return true;
    default:
        return false;
    }
}

bool CommandAvailable(int id) {
    switch (id) {
    case kCmdNew:
    case kCmdOpen:
    case kCmdSave:
    case kCmdSaveAs:
    case kCmdExit:
    case kCmdStartChoice:
    case kCmdProjectInfo:
    case kCmdRoomBar:
    case kCmdSiteBar:
    case kCmdRoadBar:
    case kCmdLuminaireBar:
    case kCmdPowerDensity:
    case kCmdToolbar:
    case kCmdStatusBar:
    case kCmdAbout:
    case kCmdUndo:
    case kCmdRedo:
    case kCmdArrayLayout:
    case kCmdFitPlan:
    case kCmdLuminaireCatalogue:
    case kCmdCatalogueFolder:
        return true;
    default: // the outdoor glare commands, the lamp extension and the splitter have no handler yet
        return OpensCalcPanel(id);
    }
}

} // namespace qv
