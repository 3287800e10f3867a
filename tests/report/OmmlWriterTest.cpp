#include "report/OmmlWriter.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

// The equation's runs as "text:kind" with kind v (italic variable), m (upright math)
// or t (normal text), in document order.
std::string Runs(const std::string& formula, pugi::xml_document& document) {
    const pugi::xml_node paragraph = document.append_child("w:p");
    AppendOfficeMath(paragraph, ParseEqNotation(formula).value(), 24);
    std::string out;
    for (const pugi::xpath_node& run : paragraph.select_nodes(".//m:r")) {
        const pugi::xml_node properties = run.node().child("m:rPr");
        const char* kind = properties.child("m:nor") ? "t" : (properties ? "m" : "v");
        out += std::string(run.node().child_value("m:t")) + ":" + kind + " ";
    }
    return out;
}

TEST(OmmlWriter, LettersAreVariablesFunctionsAndChineseAreText) {
    pugi::xml_document document;
    EXPECT_EQ(Runs("Icosθ = 2.5 × NφUK", document), "I:v cos:t θ:v =2.5×:m NφUK:v ");
    EXPECT_EQ(Runs("还需N = 3盏", document), "还需:t N:v =3:m 盏:t ");
    // A run of variables that spells a formula command is split letter by letter.
    EXPECT_EQ(Runs("in + E", document), "i:v n:v +:m E:v ");
}

TEST(OmmlWriter, GroupsGrowOnlyAroundTallContent) {
    pugi::xml_document document;
    pugi::xml_node paragraph = document.append_child("w:p");
    AppendOfficeMath(paragraph, ParseEqNotation("(a + b)[ \\f(1, 2)]").value(), 24);
    const pugi::xml_node math = paragraph.child("m:oMath");
    ASSERT_TRUE(math);
    EXPECT_STREQ(math.first_child().child_value("m:t"), "(");
    const pugi::xml_node delimiter = math.child("m:d");
    ASSERT_TRUE(delimiter);
    EXPECT_STREQ(delimiter.select_node("m:dPr/m:begChr").node().attribute("m:val").value(), "[");
    EXPECT_STREQ(delimiter.select_node("m:dPr/m:endChr").node().attribute("m:val").value(), "]");
    EXPECT_TRUE(delimiter.select_node("m:e/m:f/m:num"));
    EXPECT_EQ(math.select_nodes(".//m:d").size(), 1u);
}

TEST(OmmlWriter, BoxesOtherThanOneLineKeepTheirSides) {
    pugi::xml_document document;
    pugi::xml_node paragraph = document.append_child("w:p");
    AppendOfficeMath(paragraph, ParseEqNotation(" \\x\\bo (AB) \\x\\le\\ri (c)").value(), 20);
    const pugi::xml_node math = paragraph.child("m:oMath");
    EXPECT_STREQ(math.select_node("m:bar/m:barPr/m:pos").node().attribute("m:val").value(), "bot");
    const pugi::xml_node box = math.child("m:borderBox").child("m:borderBoxPr");
    EXPECT_TRUE(box.child("m:hideTop"));
    EXPECT_TRUE(box.child("m:hideBot"));
    EXPECT_FALSE(box.child("m:hideLeft"));
    EXPECT_STREQ(box.last_child().name(), "m:ctrlPr");
}

} // namespace
} // namespace qv
