// The twin panels of the average spherical and cylindrical illuminance: Ks read back, the
// values shown cut to 2 decimals, the header, and the record of their book.
#include "panels/ScalarIlluminancePanel.h"
#include "model/FormatTruncated.h"

#include "calc/GridFittings.h"
#include "calc/IndoorRooms.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

using test::GridFittings;
using test::RectangleRoom;

TEST(ScalarIlluminancePanel, ReadsKsBackShowsTruncatedValuesAndTheHeader) {
    // 10 × 10 m, cavity height 2.5 - 0.75 ... chosen for RCR 2.5: 5·h·20/100 = h → h = 2.5.
    Room room = RectangleRoom(10, 10);
    room.dWorkHeight = 0.5;
    room.dWinInWall = 20;
    const LuminaireList luminaires = GridFittings(4, 10, 10, 3.0);
    ScalarIlluminancePanel cylindrical(kCylindrical);
    EXPECT_EQ(cylindrical.Header(), "ρw = 0.5, RI = 1.5");
    cylindrical.Open(luminaires);
    ASSERT_EQ(cylindrical.RowCount(), 4);
    cylindrical.EditCell(0, ScalarIlluminancePanel::kKs, "0.8");
    cylindrical.EditCell(1, ScalarIlluminancePanel::kName, "ignored");
    EXPECT_EQ(cylindrical.CellText(0, ScalarIlluminancePanel::kKs), "0.8");
    cylindrical.Calculate(room, luminaires);
    EXPECT_EQ(cylindrical.Header(), "根据ρw = 0.40, RI = 2.00, 请在BZ曲线上查询Ks值");
    const ScalarIlluminance& d = cylindrical.Details();
    EXPECT_EQ(cylindrical.ResultText(), FormatTruncated(d.result, 2));
    EXPECT_EQ(cylindrical.Result(), TruncatedValue(d.result, 2));
    EXPECT_EQ(cylindrical.Horizontal(), TruncatedValue(d.eh, 2));
    EXPECT_EQ(cylindrical.Entries()[0].ks, 0.8);
    EXPECT_EQ(cylindrical.Entries()[0].u, d.entries[0].u);
    // Ks stays with the entries until the room's entries change.
    cylindrical.Calculate(room, luminaires);
    EXPECT_EQ(cylindrical.Entries()[0].ks, 0.8);
    LuminaireList moved = luminaires;
    moved.At(0).ptCenter.x += 1;
    cylindrical.Calculate(room, moved);
    EXPECT_EQ(cylindrical.Entries()[0].ks, 0);

    ScalarIlluminancePanel spherical(kSpherical);
    Room empty = room;
    empty.outline.clear();
    spherical.Calculate(empty, luminaires);
    EXPECT_EQ(spherical.ResultText(), "0.00");
    EXPECT_EQ(spherical.Header(), "根据ρw = 0.00, RI = 0.00, 请在BZ曲线上查询Ks值");
}

TEST(ScalarIlluminancePanel, BookRecordStatesTheKsOfTheLastCalculation) {
    const Room room = RectangleRoom(8, 5);
    const LuminaireList luminaires = GridFittings(3, 8, 5, 3.0);
    ScalarIlluminancePanel panel(kCylindrical);
    panel.Open(luminaires);
    panel.EditCell(1, ScalarIlluminancePanel::kKs, "0.7");
    panel.Calculate(room, luminaires);
    panel.EditCell(0, ScalarIlluminancePanel::kKs, "0.9"); // typed after the calculation
    const ScalarIlluminanceRecord record = panel.BookRecord();
    EXPECT_EQ(record.kind, kCylindrical);
    EXPECT_EQ(record.rhoF, 20);
    const ScalarIlluminance& d = panel.Details();
    ASSERT_EQ(record.entries.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(record.entries[i].ks, i == 1 ? 0.7 : 0.0);
        EXPECT_EQ(record.entries[i].eh, d.entries[i].eh);
        EXPECT_EQ(record.entries[i].factor, ScalarFactor(kCylindrical, record.entries[i].ks, 20));
    }
    EXPECT_EQ(record.result, panel.Result()); // as shown, not d.result
    EXPECT_EQ(record.horizontal, panel.Horizontal());

    // A room without extent leaves no entries to state.
    Room flat = room;
    flat.outline = {{0, 0, 0}, {8, 0, 0}, {4, 0, 0}};
    panel.Calculate(flat, luminaires);
    EXPECT_TRUE(panel.BookRecord().entries.empty());
}

} // namespace
} // namespace qv
