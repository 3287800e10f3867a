// The shipped office as the program opens it: every panel that shows a power density
// counts all three lamps of each luminaire, 8 × 3 × (28 W + 2.5 W) / 86.4 m² = 8.47 W/m².
#include "panels/GridPanel.h"
#include "panels/LumenMethodPanel.h"
#include "panels/UnitCapacityPanel.h"

#include "model/ProjectFile.h"

#include <kelvorin/KvAccess.h>

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(PowerDensityPanels, OfficeShowsTheDensityOfEveryLamp) {
    Project office;
    LoadOptions readOnly;
    readOnly.writeBack = false;
    ASSERT_TRUE(
        LoadProject(std::string(QV_SOURCE_DIR) + "/data/examples/office.cil", office, readOnly));
    const Room& room = office.room;
    const LuminaireList& luminaires = office.luminaires;
    ASSERT_EQ(luminaires.Count(), 8);

    EXPECT_EQ(PowerDensityMessage(room, luminaires).text, "当前房间的功率密度为 8.47 w/m2");

    LumenMethodPanel lumen;
    lumen.Open(room, luminaires);
    EXPECT_EQ(lumen.Densities().lpdText, "8.47");

    GridPanel grid;
    grid.density = 20;
    ASSERT_TRUE(grid.CalculateHorizontal(room, luminaires));
    EXPECT_EQ(grid.lpd, 8.47);

    KvAccess access;
    CatalogueDatabase catalogue(access, QV_CATALOGUE_PATH);
    UnitCapacityPanel unitCapacity(catalogue);
    unitCapacity.Open(room, luminaires);
    EXPECT_EQ(unitCapacity.Densities().lpdText, "8.47");
    EXPECT_EQ(unitCapacity.CellText(0, UnitCapacityPanel::kKind), kFluorescentKind);
    // Within the method's accuracy of the lumen method's average, no longer a fifth of it.
    EXPECT_NEAR(unitCapacity.Illuminance(), lumen.Illuminance(), 0.1 * lumen.Illuminance());
}

} // namespace
} // namespace qv
