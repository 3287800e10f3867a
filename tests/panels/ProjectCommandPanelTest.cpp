// The command table and the file dialogs' filters as the window shows them.
#include "panels/CommandTable.h"
#include "panels/FileDialogSpec.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(CommandPanel, TextsShortcutsAndAvailability) {
    EXPECT_EQ(CommandLabel(kCmdOpen, kMenuIndoor), "打开项目(&O)...");
    EXPECT_EQ(CommandShortcut(kCmdOpen, kMenuIndoor), "Ctrl+O");
    EXPECT_EQ(CommandShortcut(kCmdStartChoice, kMenuNone), "Ctrl+N");
    EXPECT_EQ(CommandShortcut(kCmdSaveAs, kMenuIndoor), "");
    EXPECT_EQ(CommandLabel(kCmdAbout, kMenuNone), "关于 Quorvel(&A)...");
    EXPECT_EQ(CommandLabel(kCmdAbout, kMenuOutdoor), "关于 《Halvorn》配套光盘(&A)...");
    // Every command of every menu and toolbar has a text; calculations come later.
    for (const int menu : {kMenuNone, kMenuIndoor, kMenuOutdoor}) {
        for (const MenuSpec& menuSpec : MenuLayout(menu)) {
            for (const int id : menuSpec.items) {
                EXPECT_TRUE(id == 0 || !CommandText(id, menu).empty()) << id;
            }
        }
        for (const int id : ToolbarLayout(menu)) {
            EXPECT_TRUE(id == 0 || !CommandText(id, menu).empty()) << id;
        }
    }
    EXPECT_TRUE(CommandAvailable(kCmdSiteBar));
    EXPECT_TRUE(CommandAvailable(kCmdUgrGrid));
    EXPECT_FALSE(CommandAvailable(kCmdGrGrid));
    EXPECT_TRUE(CommandAvailable(kCmdUnitCapacity));
    EXPECT_FALSE(CommandAvailable(kCmdLampCatalogue));
    EXPECT_TRUE(CommandAvailable(kCmdLuminaireCatalogue));
}

TEST(CommandPanel, TipsDropTheMnemonicAndTheEllipsis) {
    EXPECT_EQ(CommandTip(kCmdOpen, kMenuIndoor), "打开项目");
    EXPECT_EQ(CommandTip(kCmdNew, kMenuIndoor), "新项目");
    EXPECT_EQ(CommandTip(kCmdAbout, kMenuNone), "关于 Quorvel");
    EXPECT_EQ(CommandTip(kCmdRectSource, kMenuIndoor), "矩形等亮度面光源点照度计算");
    EXPECT_EQ(CommandTip(kCmdUgrGrid, kMenuIndoor), "各点统一眩光值(UGR)计算");
    EXPECT_EQ(CommandTip(0, kMenuIndoor), "");
    for (const int menu : {kMenuNone, kMenuIndoor, kMenuOutdoor}) {
        for (const int id : ToolbarLayout(menu)) {
            const std::string tip = CommandTip(id, menu);
            EXPECT_EQ(tip.find_first_of("&\t"), std::string::npos) << tip;
            EXPECT_FALSE(tip.ends_with('.') || tip.ends_with(' ')) << tip;
            EXPECT_TRUE(id == 0 || !tip.empty()) << id;
        }
    }
}

TEST(CommandPanel, FiltersOfTheProjectDialogs) {
    const std::vector<FilterEntry> open = ParseFilter(OpenProjectDialog().filter);
    ASSERT_EQ(open.size(), 3u);
    EXPECT_EQ(open[0], (FilterEntry{"全部设计存档", {"*.cil", "*.col"}}));
    EXPECT_EQ(open[2], (FilterEntry{"户外、道路设计存档", {"*.col"}}));
    EXPECT_EQ(OpenProjectDialog().defaultExtension, "cil");
    // Save As names the kind it writes; the dialog adds the pattern after the name.
    for (const int kind : {0, 1}) {
        const std::vector<FilterEntry> saveAs = ParseFilter(SaveAsProjectDialog(kind).filter);
        ASSERT_EQ(saveAs.size(), 1u);
        EXPECT_EQ(saveAs[0].description, kind == 0 ? "室内设计存档" : "户外、道路设计存档");
        EXPECT_EQ(saveAs[0].patterns, std::vector<std::string>{kind == 0 ? "*.cil" : "*.col"});
        EXPECT_EQ(SaveAsProjectDialog(kind).defaultExtension, kind == 0 ? "cil" : "col");
    }
    EXPECT_EQ(SaveProjectDialog(1).defaultExtension, "col");
    EXPECT_EQ(SaveProjectDialog(0).mode, FileDialogSpec::kSave);
    EXPECT_EQ(ParseFilter("a|*.x|b|"), (std::vector<FilterEntry>{{"a", {"*.x"}}}));
}

} // namespace
} // namespace qv
