// Every book that states a luminaire's power ("功率为…W") states its installed power: all
// lamps of the first slot with their ballasts, and the second slot only when fitted.
#include "calc/GridFittings.h"
#include "calc/IndoorRooms.h"
#include "report/BookReader.h"

#include "calc/indoor/LumenMethod.h"
#include "calc/outdoor/RoadLighting.h"
#include "report/books/LumenMethodBook.h"
#include "report/books/RoadBook.h"

namespace qv {
namespace {

using test::BookDocument;
using test::WriteAndReadBook;

TEST(BookPower, LumenMethodBookCountsEveryLamp) {
    // Three 36 W lamps with 9 W of ballast each: 135 W; the unused slot's 58 W lamp is not
    // fitted.
    Luminaire triple = test::GridFitting({3, 2, 3}, 1.2);
    triple.lamp1.nCount = 3;
    triple.lamp2.dPower = 58;
    LuminaireList list;
    list.Add(triple);
    Room room = test::RectangleRoom(6, 4);
    room.dLxStandard = 300;
    LumenMethodRecord record;
    record.result = AverageIlluminanceByCu(room, list, {});
    const LumenEntryResult& result = record.result.entries.at(0);
    record.entries.push_back({triple, 1, result.u, result.needed});
    const BookDocument book =
        WriteAndReadBook([&](CalcBookWriter& w) { WriteLumenMethodBook(w, record); });
    EXPECT_EQ(book.Count("功率为135W"), 1);
}

TEST(BookPower, RoadBookCountsTheFittedSecondSlot) {
    // Two 250 W sodium lamps with 25 W of ballast each, and a fitted second slot of one
    // 70 W lamp with 7 W: 2 × 275 + 77 = 627 W.
    Luminaire twin;
    twin.sName = "路灯";
    twin.lamp1.dPower = 250;
    twin.lamp1.dBallastPower = 25;
    twin.lamp1.nCount = 2;
    twin.lamp2.dPower = 70;
    twin.lamp2.dBallastPower = 7;
    twin.bLampHouse2 = 1;
    RoadLightingRecord record;
    RoadEntry entry;
    entry.luminaire = twin;
    entry.computedSpacing = 30;
    record.entries.push_back(entry);
    const BookDocument book =
        WriteAndReadBook([&](CalcBookWriter& w) { WriteRoadBook(w, record); });
    EXPECT_EQ(book.Count("功率为627W"), 1);
}

} // namespace
} // namespace qv
