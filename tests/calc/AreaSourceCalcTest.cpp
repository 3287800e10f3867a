// Worked numbers and edge cases of the area-source calculations.
#include "calc/indoor/AreaSource.h"
#include "calc/indoor/AreaSourceFactors.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qv {
namespace {

const RectSource kRect; // 13 × 5 m, 500 cd/m², centred at (6.5, 2.5), 5 m high
using Labels = std::vector<std::string>;

Labels SignedParts(const AreaSourceRecord& record) {
    Labels labels;
    for (const AreaSourceTerm& term : record.terms) {
        labels.push_back((term.sign < 0 ? "-" : "+") + term.part);
    }
    return labels;
}

TEST(RectAreaSource, DefaultHorizontalAndZeroPartsOnAnEdge) {
    EXPECT_EQ(SourceEdge(6.5, 13.0, 2.0, true), 13.0);
    EXPECT_EQ(SourceEdge(6.5, 13.0, 6.5, true), 0.0); // ties give the lower edge
    EXPECT_EQ(SourceEdge(6.5, 13.0, 6.5, false), 0.0);
    const AreaSourceRecord centre = RectHorizontal(kRect, {6.5, 2.5, 0.0});
    EXPECT_EQ(centre.caseNumber, 1);
    EXPECT_NEAR(centre.result, 619.37, 0.005);
    EXPECT_DOUBLE_EQ(centre.result, 4 * 500 * FormFactorHorizontal(1.3, 0.5));
    EXPECT_DOUBLE_EQ(centre.terms[3].x, 1.3);
    // P's projection on x = xmax: B and D, whose near x edge passes through P, are 0.
    for (const AreaSourceRecord& edge :
         {RectHorizontal(kRect, {13.0, 1.0, 0.0}), NonUniformHorizontal(kRect, {13.0, 1.0, 1.0})}) {
        EXPECT_EQ(edge.caseNumber, 1);
        EXPECT_EQ(edge.terms[1], (AreaSourceTerm{"B", 1, 0, 0, 0, 0, 0}));
        EXPECT_EQ(edge.terms[3].f, 0.0);
        EXPECT_GT(edge.terms[0].f, 0.0);
    }
}

TEST(RectAreaSource, RegionCasesAndTheExtensionOfAYEdge) {
    EXPECT_EQ(RectRegionCase(kRect, {0.0, 7.0, 0.0}), 3);
    EXPECT_EQ(SignedParts(RectHorizontal(kRect, {-1.0, 7.0, 0.0})),
              (Labels{"+A", "-B", "-C", "+D"}));
    EXPECT_EQ(SignedParts(RectVertical(kRect, {15.0, 2.0, 0.0})), (Labels{"+A", "-B", "+C", "-D"}));
    // On the line of a y edge outside the source: beside along x, continuous.
    EXPECT_EQ(RectRegionCase(kRect, {-2.0, 5.0, 0.0}), 2);
    for (auto calculate : {RectHorizontal, RectVertical, NonUniformHorizontal}) {
        const double on = calculate(kRect, {15.0, 5.0, 0.0}).result;
        EXPECT_GT(on, 0.0);
        EXPECT_NEAR(calculate(kRect, {15.0, 5.0 - 1e-9, 0.0}).result, on, 1e-6);
        EXPECT_NEAR(calculate(kRect, {15.0, 5.0 + 1e-9, 0.0}).result, on, 1e-6);
    }
}

TEST(RectAreaSource, InclinedWorkedValuesAfterSuperpositionOfStrips) {
    const AreaSourceRecord middle = RectInclined(kRect, {2.0, 2.5, 0.0}, 30.0);
    EXPECT_EQ(middle.caseNumber, 4);
    EXPECT_NEAR(middle.inclined.xc, 10.660, 5e-4);
    EXPECT_NEAR(middle.result, 351.22, 0.005);
    EXPECT_EQ(SignedParts(middle), (Labels{"+F(a1,b1)", "+F(a1,b2)"}));
    EXPECT_NEAR(RectInclined(kRect, {2.0, 1.0, 0.0}, 30.0).result, 317.98, 0.005);
    // On the y edge one strip is the whole width: the table's single term.
    const AreaSourceRecord edge = RectInclined(kRect, {2.0, 0.0, 0.0}, 30.0);
    EXPECT_NEAR(edge.result, 267.08, 0.005);
    EXPECT_DOUBLE_EQ(edge.result,
                     500 * FormFactorInclined(edge.inclined.a1 / 5, 2.0, 3.141592653589793 / 6));
}

TEST(RectAreaSource, InclinedConfigurations) {
    const AreaSourceRecord outside = RectInclined(kRect, {2.0, -3.0, 0.0}, 30.0);
    EXPECT_EQ(outside.caseNumber, 1);
    EXPECT_EQ(SignedParts(outside), (Labels{"+F(a1,w')", "-F(a1,e)"}));
    EXPECT_EQ(outside.inclined.wPrime, 8.0);
    const AreaSourceRecord before = RectInclined(kRect, {6.5, 2.5, 0.0}, 30.0);
    EXPECT_EQ(before.caseNumber, 1);
    EXPECT_EQ(SignedParts(before), (Labels{"+F(a1,b1)", "+F(a1,b2)", "-F(g,b1)", "-F(g,b2)"}));
    EXPECT_EQ(RectInclined(kRect, {6.5, 9.0, 0.0}, 30.0).caseNumber, 2);
    EXPECT_EQ(RectInclined(kRect, {15.0, 2.0, 0.0}, 30.0).caseNumber, 2);
    const AreaSourceRecord beyond = RectInclined(kRect, {15.0, 9.0, 0.0}, 30.0);
    EXPECT_EQ(beyond.caseNumber, 3);
    EXPECT_EQ(SignedParts(beyond), (Labels{"+F(a1,w')", "-F(a1,e)", "-F(g,w')", "+F(g,e)"}));
    // The plane meets the source plane before xmin: nothing is lit.
    const AreaSourceRecord unlit = RectInclined(kRect, {-10.0, 2.0, 0.0}, 30.0);
    EXPECT_EQ(unlit.result, 0.0);
    EXPECT_TRUE(unlit.terms.empty());
}

TEST(DiscAreaSource, WorkedValuesAndTheVerticalLimitOnTheAxis) {
    const DiscSource disc; // radius 2 m, 500 cd/m², centred at (6.5, 2.5), 5 m high
    const AreaSourceRecord onAxis = DiscHorizontal(disc, {6.5, 2.5, 0.0});
    EXPECT_DOUBLE_EQ(onAxis.shapeFactor, 4.0 / 29.0);
    EXPECT_NEAR(onAxis.result, 216.7, 0.05);
    const AreaSourceRecord byDefault = DiscHorizontal(disc, {3.5, 2.5, 0.0});
    EXPECT_EQ(byDefault.distance, 3.0);
    EXPECT_DOUBLE_EQ(byDefault.result, 3.141592653589793 * 500 * byDefault.shapeFactor);
    EXPECT_EQ(DiscVertical(disc, {6.5, 9.0, 0.0}).result, 0.0);
    for (double x : {1e-310, 1e-9, 1e-3}) { // a disc centred at the origin
        EXPECT_NEAR(DiscVertical({2.0, 500.0, 0.0, 0.0, 5.0}, {x, 2.5, 0.0}).result, 0.0, 1.0);
    }
    EXPECT_TRUE(RectVertical(kRect, {6.5, 2.5, 6.0}).terms.empty()); // source below P
}

} // namespace
} // namespace qv
