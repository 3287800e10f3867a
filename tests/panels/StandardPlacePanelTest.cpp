// The standard place the room, site and road panels keep: chosen with "查照度标准", kept
// while the standard illuminance is the place's, cleared by a value typed by hand; and the
// place of the standards dialog's selection.
#include "panels/RoadPanelModel.h"
#include "panels/RoomPanelModel.h"
#include "panels/SitePanelModel.h"
#include "panels/StandardsDialogModel.h"

#include <kelvorin/KvAccess.h>

#include <gtest/gtest.h>

#include <filesystem>

namespace qv {
namespace {

const StandardPlace kOffice{"办公建筑", "普通办公室"};

TEST(StandardPlacePanels, RoomKeepsThePlaceUntilAnotherValueIsTyped) {
    RoomPanelModel panel;
    panel.ChooseStandardPlace(kOffice, 300);
    panel.Fields().lxStandard = "300";
    EXPECT_EQ(panel.TakeValues().standardPlace, kOffice);
    // Other edits keep it.
    panel.Fields().length = "9";
    EXPECT_EQ(panel.TakeValues().standardPlace, kOffice);
    panel.Fields().lxStandard = "250";
    const Room& typed = panel.TakeValues();
    EXPECT_TRUE(typed.standardPlace.Empty());
    EXPECT_EQ(typed.dLxStandard, 250.0);
    // Typing the old value back does not bring the place back.
    panel.Fields().lxStandard = "300";
    EXPECT_TRUE(panel.TakeValues().standardPlace.Empty());
}

TEST(StandardPlacePanels, ARefusedTextKeepsTheValueAndThePlace) {
    Room room;
    room.dLxStandard = 300;
    room.standardPlace = kOffice;
    SitePanelModel panel;
    panel.SetWorking(room);
    panel.Fields().lxStandard = "abc"; // refused when typed; the value stays
    const Room& taken = panel.TakeValues();
    EXPECT_EQ(taken.dLxStandard, 300.0);
    EXPECT_EQ(taken.standardPlace, kOffice);
}

TEST(StandardPlacePanels, RoadKeepsItsOwnPlace) {
    Road road;
    road.m_dLxStandard = 20;
    road.m_standardPlace = {"道路", "主干路"};
    RoadPanelModel panel;
    panel.SetWorking(road);
    EXPECT_EQ(panel.TakeValues().m_standardPlace, road.m_standardPlace);
    panel.Fields().lxStandard = "15";
    EXPECT_TRUE(panel.TakeValues().m_standardPlace.Empty());
    panel.ChooseStandardPlace({"道路", "次干路"}, 15);
    EXPECT_EQ(panel.TakeValues().m_standardPlace, (StandardPlace{"道路", "次干路"}));
}

TEST(StandardPlacePanels, DialogNamesTheSelectedPlaceOnly) {
    const std::string settings =
        (std::filesystem::path(::testing::TempDir()) / "qv_place_settings.ini").string();
    std::filesystem::remove(settings);
    KvAccess access;
    CatalogueDatabase catalogue(access, QV_CATALOGUE_PATH);
    StandardsDialogModel dialog(catalogue, settings);
    dialog.Open();
    EXPECT_TRUE(dialog.ChosenPlace().Empty());
    int category = -1;
    for (size_t c = 0; c < dialog.Tree().size(); ++c) {
        if (dialog.Tree()[c].name == kOffice.category) {
            category = static_cast<int>(c);
        }
    }
    ASSERT_GE(category, 0);
    ASSERT_TRUE(dialog.Select({category, -1}));
    EXPECT_TRUE(dialog.ChosenPlace().Empty());
    ASSERT_TRUE(dialog.Select({category, 0}));
    EXPECT_EQ(dialog.ChosenPlace().category, kOffice.category);
    EXPECT_EQ(dialog.ChosenPlace().place, dialog.Tree()[static_cast<size_t>(category)].places[0]);
    EXPECT_EQ(dialog.Confirm(), dialog.StandardIlluminance());
    std::filesystem::remove(settings);
}

} // namespace
} // namespace qv
