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
    EXPECT_FALSE(CommandAvailable(kCmdUgrGrid));
    EXPECT_TRUE(CommandAvailable(kCmdUnitCapacity));
    EXPECT_FALSE(CommandAvailable(kCmdLuminaireCatalogue));
}

TEST(CommandPanel, FiltersOfTheProjectDialogs) {
    const std::vector<FilterEntry> open = ParseFilter(OpenProjectDialog().filter);
    ASSERT_EQ(open.size(), 3u);
    EXPECT_EQ(open[0], (FilterEntry{"全部设计存档 (.cil; .col) ", {"*.cil", "*.col"}}));
    EXPECT_EQ(open[2], (FilterEntry{"户外、道路设计存档(.col) ", {"*.col"}}));
    EXPECT_EQ(OpenProjectDialog().defaultExtension, "cil");
    EXPECT_EQ(ParseFilter(SaveAsProjectDialog(0).filter),
              (std::vector<FilterEntry>{{"(*.cil) ", {"*.cil"}}}));
    EXPECT_EQ(SaveProjectDialog(1).defaultExtension, "col");
    EXPECT_EQ(SaveProjectDialog(0).mode, FileDialogSpec::kSave);
    EXPECT_EQ(ParseFilter("a|*.x|b|"), (std::vector<FilterEntry>{{"a", {"*.x"}}}));
}

} // namespace
} // namespace qv
