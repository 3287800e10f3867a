// A luminaire's installed power counts every lamp it holds, and the reference lamp of the
// unit-capacity method follows the luminaire's first lamp until the user chooses one.
#include "model/Luminaire.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>

namespace qv {
namespace {

Lamp MakeLamp(const std::string& type, double power, double ballast, int count) {
    Lamp lamp;
    lamp.sName = type;
    lamp.dPower = power;
    lamp.dBallastPower = ballast;
    lamp.nCount = count;
    return lamp;
}

TEST(LuminairePower, CountsEveryLampOfTheSlotsFitted) {
    // A troffer of three 28 W T5 lamps with 2.5 W of ballast each draws 91.5 W: eight of
    // them in 86.4 m² make 8.47 W/m², the figure a designer checks by hand.
    Luminaire troffer;
    troffer.lamp1 = MakeLamp("T5荧光灯", 28, 2.5, 3);
    troffer.lamp2 = MakeLamp("T5荧光灯", 14, 1.5, 2); // a slot the luminaire does not use
    EXPECT_DOUBLE_EQ(LuminairePower(troffer), 91.5);
    EXPECT_NEAR(8 * LuminairePower(troffer) / 86.4, 8.47, 0.005);

    troffer.bLampHouse2 = 1; // now fitted: two more lamps of 15.5 W
    EXPECT_DOUBLE_EQ(LuminairePower(troffer), 91.5 + 31);

    // A slot without lamps draws nothing, as it gives no light; a count below 0 is no
    // lamp either, never a negative power.
    troffer.lamp2.nCount = 0;
    EXPECT_DOUBLE_EQ(LuminairePower(troffer), 91.5);
    troffer.lamp1.nCount = -3;
    EXPECT_EQ(LuminairePower(troffer), 0);
    EXPECT_EQ(LampSlotPower(MakeLamp("LED", 10, 1, 0)), 0);

    // The largest count a project file can hold stays a finite number of watts.
    EXPECT_DOUBLE_EQ(LampSlotPower(MakeLamp("LED", 10, 0, INT_MAX)), 10.0 * INT_MAX);
}

TEST(LuminairePower, PowerThatIsNoNumberOfWattsIsNamed) {
    Luminaire sound;
    sound.lamp1 = MakeLamp("T5荧光灯", 28, 2.5, 3);
    EXPECT_TRUE(HasSoundPower(sound));
    sound.lamp1.nCount = 0; // no lamps: 0 W, and sound whatever the slot holds
    sound.lamp1.dPower = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(HasSoundPower(sound));

    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (const Lamp& bad :
         {MakeLamp("T5荧光灯", nan, 2.5, 3), MakeLamp("T5荧光灯", 28, inf, 3),
          MakeLamp("T5荧光灯", -28, 2.5, 3), MakeLamp("T5荧光灯", 28, -1, 3),
          MakeLamp("T5荧光灯", 28, 2.5, -3), MakeLamp("T5荧光灯", 1e308, 1e308, 2)}) {
        Luminaire luminaire;
        luminaire.lamp1 = bad;
        EXPECT_FALSE(HasSoundPower(luminaire))
            << bad.dPower << " " << bad.dBallastPower << " " << bad.nCount;
        // In the second slot it only matters when the slot is fitted.
        Luminaire second;
        second.lamp2 = bad;
        EXPECT_TRUE(HasSoundPower(second));
        second.bLampHouse2 = 1;
        EXPECT_FALSE(HasSoundPower(second));
    }
}

TEST(LuminairePower, ReferenceLampFollowsTheLampType) {
    for (const char* type :
         {"白炽灯", "卤钨灯", "卤素灯 50W", "Halogen MR16", "INCANDESCENT A60"}) {
        EXPECT_STREQ(ReferenceLampKindFor(type), kIncandescentKind) << type;
    }
    for (const char* type : {"T5荧光灯", "紧凑型荧光灯", "金属卤化物灯", "高压钠灯", "荧光高压汞灯",
                             "LED", "导入光源", ""}) {
        EXPECT_STREQ(ReferenceLampKindFor(type), kFluorescentKind) << type;
    }
}

TEST(LuminairePower, AChosenKindIsKeptWhateverTheLamp) {
    Luminaire entry;
    entry.lamp1.sName = "T8荧光灯";
    EXPECT_EQ(UnitPowerKindOf(entry), kFluorescentKind); // a new entry follows its lamp
    entry.lamp1.sName = "白炽灯";
    EXPECT_EQ(UnitPowerKindOf(entry), kIncandescentKind); // and keeps following it

    entry.unitCapacity.sUnitPowerKind = kFluorescentKind; // the user's choice
    EXPECT_EQ(UnitPowerKindOf(entry), kFluorescentKind);
    entry.unitCapacity.sUnitPowerKind = "自定义"; // a typed kind: P0 as typed
    EXPECT_EQ(UnitPowerKindOf(entry), "自定义");

    // The kind is a working value: it is not compared, so choosing one does not make
    // the panel take the room's entries for changed ones.
    Luminaire other = entry;
    other.unitCapacity.sUnitPowerKind.clear();
    EXPECT_EQ(entry, other);
}

} // namespace
} // namespace qv
