// The twin panels of the average spherical and cylindrical illuminance: Ks read back, the
// values shown cut to 2 decimals, the header, and the record of their book.
#include "panels/ScalarIlluminancePanel.h"
#include "model/FormatTruncated.h"

#include "calc/GridFittings.h"
#include "calc/IndoorRooms.h"

#include <gtest/gtest.h>

#include <optional>

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
    for (int row = 1; row < 4; ++row) {
        cylindrical.EditCell(row, ScalarIlluminancePanel::kKs, " 0.5 ");
    }
    cylindrical.EditCell(1, ScalarIlluminancePanel::kName, "ignored");
    EXPECT_EQ(cylindrical.CellText(0, ScalarIlluminancePanel::kKs), "0.8");
    EXPECT_FALSE(cylindrical.Calculate(room, luminaires));
    EXPECT_EQ(cylindrical.Header(), "根据ρw = 0.40, RI = 2.00, 请在BZ曲线上查询Ks值");
    const ScalarIlluminance& d = cylindrical.Details();
    EXPECT_EQ(cylindrical.ResultText(), FormatTruncated(d.result, 2));
    EXPECT_EQ(cylindrical.Result(), TruncatedValue(d.result, 2));
    EXPECT_EQ(cylindrical.Horizontal(), TruncatedValue(d.eh, 2));
    EXPECT_EQ(cylindrical.Entries()[0].ks, 0.8);
    EXPECT_EQ(cylindrical.Entries()[0].u, d.entries[0].u);
    // Ks stays with the entries until the room's entries change.
    EXPECT_FALSE(cylindrical.Calculate(room, luminaires));
    EXPECT_EQ(cylindrical.Entries()[0].ks, 0.8);
    EXPECT_EQ(cylindrical.Entries()[3].ks, 0.5);
    // Changed entries start without Ks: the calculation asks for the first one again.
    LuminaireList moved = luminaires;
    moved.At(0).ptCenter.x += 1;
    EXPECT_TRUE(cylindrical.Calculate(room, moved));
    EXPECT_EQ(cylindrical.Entries()[0].ks, 0);

    ScalarIlluminancePanel spherical(kSpherical);
    spherical.Open(luminaires);
    for (int row = 0; row < 4; ++row) {
        spherical.EditCell(row, ScalarIlluminancePanel::kKs, "0.4");
    }
    Room empty = room;
    empty.outline.clear();
    EXPECT_FALSE(spherical.Calculate(empty, luminaires));
    EXPECT_EQ(spherical.ResultText(), "0.00");
    EXPECT_EQ(spherical.Header(), "根据ρw = 0.00, RI = 0.00, 请在BZ曲线上查询Ks值");
}

TEST(ScalarIlluminancePanel, BookRecordStatesTheKsOfTheLastCalculation) {
    const Room room = RectangleRoom(8, 5);
    const LuminaireList luminaires = GridFittings(3, 8, 5, 3.0);
    ScalarIlluminancePanel panel(kCylindrical);
    panel.Open(luminaires);
    panel.EditCell(0, ScalarIlluminancePanel::kKs, "0.05"); // 1.5·0.05 - 0.25 + 0.1 < 0
    panel.EditCell(1, ScalarIlluminancePanel::kKs, "0.7");
    panel.EditCell(2, ScalarIlluminancePanel::kKs, "0.8");
    ASSERT_FALSE(panel.Calculate(room, luminaires));
    panel.EditCell(0, ScalarIlluminancePanel::kKs, "0.9"); // typed after the calculation
    panel.EditCell(2, ScalarIlluminancePanel::kKs, "0");   // refused: the record stays
    const ScalarIlluminanceRecord record = panel.BookRecord();
    EXPECT_EQ(record.kind, kCylindrical);
    EXPECT_EQ(record.rhoF, 20);
    const ScalarIlluminance& d = panel.Details();
    ASSERT_EQ(record.entries.size(), 3u);
    EXPECT_TRUE(panel.Calculate(room, luminaires));
    const ScalarIlluminanceRecord kept = panel.BookRecord();
    EXPECT_EQ(kept, record);
    const double ks[] = {0.05, 0.7, 0.8};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(record.entries[i].ks, ks[i]);
        EXPECT_EQ(record.entries[i].eh, d.entries[i].eh);
        EXPECT_EQ(record.entries[i].clamped, i == 0);
        EXPECT_EQ(record.entries[i].factor,
                  i == 0 ? 0.0 : ScalarFactor(kCylindrical, record.entries[i].ks, 20));
    }
    EXPECT_EQ(record.result, panel.Result()); // as shown, not d.result
    EXPECT_EQ(record.horizontal, panel.Horizontal());

    // A room without extent leaves no entries to state.
    Room flat = room;
    flat.outline = {{0, 0, 0}, {8, 0, 0}, {4, 0, 0}};
    panel.EditCell(2, ScalarIlluminancePanel::kKs, "0.8");
    ASSERT_FALSE(panel.Calculate(flat, luminaires));
    EXPECT_TRUE(panel.BookRecord().entries.empty());
}

TEST(ScalarIlluminancePanel, RefusesAnEntryWithoutAKsAboveZeroBeforeCalculating) {
    const Room room = RectangleRoom(8, 5);
    const LuminaireList luminaires = GridFittings(3, 8, 5, 3.0);
    for (const int kind : {kSpherical, kCylindrical}) {
        ScalarIlluminancePanel panel(kind);
        panel.Open(luminaires);
        // Not entered yet: the first entry is asked for, under the panel's caption.
        const std::optional<KvMessage> first = panel.Calculate(room, luminaires);
        ASSERT_TRUE(first);
        EXPECT_EQ(first->text, "请输入灯1的换算系数Ks");
        EXPECT_EQ(first->caption, kind == kCylindrical ? "平均柱面照度计算" : "平均球面照度计算");
        EXPECT_EQ(panel.RefusedEntry(), 0);
        EXPECT_EQ(panel.ResultText(), ""); // nothing was calculated
        panel.EditCell(0, ScalarIlluminancePanel::kKs, "0.6");
        panel.EditCell(2, ScalarIlluminancePanel::kKs, "0.7");
        for (const char* typed : {"0", "-0.5", "", "abc", "0.5x", "nan", "inf", "1e400", "1e7"}) {
            panel.EditCell(1, ScalarIlluminancePanel::kKs, typed);
            const std::optional<KvMessage> refused = panel.Calculate(room, luminaires);
            ASSERT_TRUE(refused) << typed;
            EXPECT_EQ(refused->text, "请输入灯2的换算系数Ks") << typed;
            EXPECT_EQ(panel.RefusedEntry(), 1);
            // The cell keeps what was typed for the user to mend; the others were taken.
            EXPECT_EQ(panel.CellText(1, ScalarIlluminancePanel::kKs), typed);
            EXPECT_EQ(panel.Entries()[2].ks, 0.7);
            EXPECT_EQ(panel.ResultText(), "");
        }
        panel.EditCell(1, ScalarIlluminancePanel::kKs, "0.05");
        EXPECT_FALSE(panel.Calculate(room, luminaires));
        EXPECT_EQ(panel.RefusedEntry(), -1);
        EXPECT_GT(panel.Result(), 0.0);
        // A refusal later leaves the last results on show.
        const std::string shown = panel.ResultText();
        panel.EditCell(0, ScalarIlluminancePanel::kKs, "-1");
        EXPECT_TRUE(panel.Calculate(room, luminaires));
        EXPECT_EQ(panel.ResultText(), shown);
    }
}

} // namespace
} // namespace qv
