// quorvel-calc rect, disc and nonuniform: JSON in full precision and exit status.
#include "calc/indoor/AreaSource.h"

#include "cli/CalcRunner.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace qv {
namespace {

using test::RunCalc;
using test::RunCalcJson;

TEST(AreaSourceCli, PrintsTheRecordsInFullPrecision) {
    const nlohmann::json rect = RunCalcJson("rect --plane h");
    EXPECT_EQ(rect.size(), 4u); // plane, value, case, parts
    EXPECT_EQ(rect["value"], RectHorizontal(RectSource{}, {6.5, 2.5, 0.0}).result);
    EXPECT_EQ(
        rect["parts"][3],
        (nlohmann::json{{"part", "D"}, {"x", 1.3}, {"y", 0.5}, {"f", rect["parts"][3]["f"]}}));
    const nlohmann::json inclined =
        RunCalcJson("rect --plane i --px 15 --py=-1 --angle 40 --b 6.25");
    EXPECT_EQ(inclined["value"],
              RectInclined({13.0, 6.25, 500.0, 6.5, 2.5, 5.0}, {15.0, -1.0, 0.0}, 40.0).result);
    EXPECT_EQ(inclined["parts"][1]["part"], "-F(a1,e)");
    const nlohmann::json disc = RunCalcJson("disc --plane h");
    EXPECT_EQ(
        disc,
        (nlohmann::json{
            {"plane", "h"}, {"value", disc["value"]}, {"d", 5.0}, {"x", 3.0}, {"f", disc["f"]}}));
    EXPECT_EQ(RunCalcJson("nonuniform --px 13 --py 1")["value"],
              NonUniformHorizontal(RectSource{}, {13.0, 1.0, 0.0}).result);
}

TEST(AreaSourceCli, BadInputAndUsage) {
    EXPECT_EQ(
        RunCalc("rect --plane i --a 2 --angle 0 --json"),
        std::make_pair(1, std::string("光源与被照面的夹角应为大于零的数,请重新输入! (--angle)\n")));
    for (const char* bad : {"disc --plane h --pz 5", "rect --plane h --b 5x", "disc --plane i"}) {
        EXPECT_EQ(RunCalc(bad).first, 1) << bad;
    }
    EXPECT_EQ(RunCalc("rect").first, 2);
    EXPECT_EQ(RunCalc("nonuniform --angle 3").first, 2);
}

} // namespace
} // namespace qv
