// The UGR panel without a window: the eye height field, the observers' rows and their
// results through edits, additions and deletions, the verdict against a place's limit,
// and the refusals of "计  算".
#include "panels/UgrPanelModel.h"

#include "model/ProjectFile.h"

#include <kelvorin/KvAccess.h>

#include <gtest/gtest.h>

namespace qv {
namespace {

class UgrPanelModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        LoadOptions readOnly;
        readOnly.writeBack = false;
        ASSERT_TRUE(LoadProject(std::string(QV_SOURCE_DIR) + "/data/examples/office.cil", office,
                                readOnly));
    }
    Project office;
};

TEST_F(UgrPanelModelTest, EyeHeightTakesTheChoicesOrANumberAndKeepsItOtherwise) {
    UgrPanelModel panel(UgrPanelModel::Start::kStandardObservers);
    EXPECT_EQ(panel.EyeHeightText(), "1.2 坐姿");
    EXPECT_EQ(panel.SetEyeHeightText("1.5 站姿"), "");
    EXPECT_EQ(panel.EyeHeight(), 1.5);
    EXPECT_EQ(panel.EyeHeightText(), "1.5 站姿");
    EXPECT_EQ(panel.SetEyeHeightText(" 1.1 "), "");
    EXPECT_EQ(panel.EyeHeightText(), "1.1");
    for (const std::string bad : {"abc", "", "0", "-1.2", "nan", "inf", "1e9", "1.2 坐", "1,2"}) {
        const std::string refusal = panel.SetEyeHeightText(bad);
        EXPECT_NE(refusal.find("眼睛高度"), std::string::npos) << bad;
        EXPECT_NE(refusal.find("请重新输入"), std::string::npos) << bad;
        EXPECT_EQ(panel.EyeHeight(), 1.1) << bad;
    }
}

TEST_F(UgrPanelModelTest, ResultsFollowTheRowsTheyWereCalculatedFor) {
    UgrPanelModel panel(UgrPanelModel::Start::kStandardObservers);
    panel.Open(office);
    ASSERT_EQ(panel.RowCount(), 4);
    EXPECT_EQ(panel.CellText(0, UgrPanelModel::kUgr), "");
    EXPECT_EQ(panel.MaxText(), "");
    EXPECT_EQ(panel.NoteText(), kTwoPlaneEstimate);

    ASSERT_EQ(panel.Calculate(office, std::nullopt), std::nullopt);
    for (int row = 0; row < 4; ++row) {
        EXPECT_FALSE(panel.CellText(row, UgrPanelModel::kUgr).empty()) << row;
    }
    EXPECT_EQ(panel.VerdictText(), "UGR = " + panel.MaxText());
    const std::string third = panel.CellText(2, UgrPanelModel::kUgr);

    // An edited row loses its result, the others keep theirs; a refused text changes nothing.
    panel.EditCell(0, UgrPanelModel::kDirection, "45");
    EXPECT_EQ(panel.CellText(0, UgrPanelModel::kUgr), "");
    EXPECT_EQ(panel.CellText(2, UgrPanelModel::kUgr), third);
    panel.EditCell(1, UgrPanelModel::kX, "inf");
    EXPECT_EQ(panel.Observers()[1].x, 12.0);
    EXPECT_FALSE(panel.CellText(1, UgrPanelModel::kUgr).empty());
    EXPECT_NE(UgrPanelModel::CellRefusal(UgrPanelModel::kDirection, "400"), "");
    EXPECT_NE(UgrPanelModel::CellRefusal(UgrPanelModel::kY, "abc"), "");

    // Deleting rows 0 and 1 moves the third row's result up with it.
    ASSERT_TRUE(panel.Remove().has_value()); // nothing selected
    panel.Select({1, 0, 7});
    EXPECT_EQ(panel.Selection(), (std::vector<int>{0, 1}));
    EXPECT_EQ(panel.Remove(), std::nullopt);
    ASSERT_EQ(panel.RowCount(), 2);
    EXPECT_EQ(panel.CellText(0, UgrPanelModel::kUgr), third);
    EXPECT_EQ(panel.CellText(0, UgrPanelModel::kRowNumber), "1");

    // A new row copies the selected observer and has no result yet.
    panel.Select({0});
    EXPECT_EQ(panel.Add(office), 2);
    EXPECT_EQ(panel.Observers()[2].y, panel.Observers()[0].y);
    EXPECT_EQ(panel.CellText(2, UgrPanelModel::kUgr), "");
    EXPECT_EQ(panel.Selection(), (std::vector<int>{2}));
}

TEST_F(UgrPanelModelTest, VerdictAgainstTheLimitAndRefusals) {
    UgrPanelModel panel(UgrPanelModel::Start::kOneObserver);
    panel.Open(office);
    ASSERT_EQ(panel.RowCount(), 1);
    ASSERT_EQ(panel.Calculate(office, 19.0), std::nullopt);
    const std::string shown = panel.MaxText();
    EXPECT_EQ(panel.VerdictText(), UgrVerdictText(std::stod(shown), 19.0));
    EXPECT_EQ(panel.CalculatedLimit(), 19.0);
    EXPECT_EQ(panel.LastResult().observers.size(), 1u);

    // The refusals leave the last results as they are.
    panel.EditCell(0, UgrPanelModel::kX, "500");
    std::optional<KvMessage> refused = panel.Calculate(office, std::nullopt);
    ASSERT_TRUE(refused.has_value());
    EXPECT_NE(refused->text.find("观察点1不在房间内"), std::string::npos) << refused->text;
    Project outdoor = office;
    outdoor.kind = kOutdoorProject;
    refused = panel.Calculate(outdoor, std::nullopt);
    ASSERT_TRUE(refused.has_value());
    EXPECT_NE(refused->text.find("室内"), std::string::npos);
    panel.Select({0});
    panel.Remove();
    refused = panel.Calculate(office, std::nullopt);
    ASSERT_TRUE(refused.has_value());
    EXPECT_EQ(refused->text, "请先新增观察点!");
    EXPECT_EQ(panel.MaxText(), shown);
    EXPECT_EQ(panel.CalculatedLimit(), 19.0);

    // The limit comes from the catalogue's standards for the room's place.
    KvAccess access;
    CatalogueDatabase catalogue(access, QV_CATALOGUE_PATH);
    EXPECT_EQ(UgrPanelModel::UgrLimitOf(&catalogue, office.room), std::nullopt); // no place
    office.room.standardPlace = {"办公建筑", "普通办公室"};
    EXPECT_EQ(UgrPanelModel::UgrLimitOf(&catalogue, office.room), 19.0);
    EXPECT_EQ(UgrPanelModel::UgrLimitOf(nullptr, office.room), std::nullopt);
}

} // namespace
} // namespace qv
