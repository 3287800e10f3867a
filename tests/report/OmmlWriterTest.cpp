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

namespace qv {
namespace {

TEST(OmmlWriter, UnitsAfterNumbersAreUprightAndVariablesStayItalic) {
    pugi::xml_document document;
    EXPECT_EQ(Runs("E = 300lx", document), "E:v =300:m lx:t ");
    EXPECT_EQ(Runs("I = 215.30 cd", document), "I:v =215.30:m cd:t ");
    // A compound unit: the letters after the slash and the squared metre too.
    EXPECT_EQ(Runs("P = 12.5W/m \\s\\up2(2)", document), "P:v =12.5:m W:t /:m m:t 2:m ");
    EXPECT_EQ(Runs("L = 3cd/m", document), "L:v =3:m cd:t /:m m:t ");
    // Letters after an operator, or not a unit, are variables.
    EXPECT_EQ(Runs("2 × m + 3H", document), "2×:m m:v +3:m H:v ");
    EXPECT_EQ(Runs("a/m", document), "a:v /:m m:v ");
}

TEST(OmmlWriter, ScriptOfAFunctionBelongsToTheWholeName) {
    pugi::xml_document document;
    pugi::xml_node paragraph = document.append_child("w:p");
    AppendOfficeMath(paragraph, ParseEqNotation("Icos \\s\\up2(3)θ").value(), 24);
    const pugi::xml_node power = paragraph.select_node(".//m:sSup").node();
    ASSERT_TRUE(power);
    EXPECT_STREQ(power.select_node("m:e/m:r/m:t").node().child_value(), "cos");
    EXPECT_TRUE(power.select_node("m:e/m:r/m:rPr/m:nor"));
    EXPECT_STREQ(power.select_node("m:sup/m:r/m:t").node().child_value(), "3");
    EXPECT_STREQ(paragraph.select_node(".//m:oMath/m:r/m:t").node().child_value(), "I");
}

TEST(OmmlWriter, NegativeArgumentsOfFunctionsAreBracketed) {
    pugi::xml_document document;
    EXPECT_EQ(Runs("sin-45.82° × 2", document), "sin:t (:t −45.82:m °):t ×2:m ");
    EXPECT_EQ(Runs("|cos−3|", document), "|:t cos:t (:t −3:m )|:t ");
    // The argument after a scripted function name, and a difference that is no argument.
    EXPECT_EQ(Runs("cos \\s\\up2(2)-1.5°", document), "cos:t 2:m (:t −1.5:m °):t ");
    EXPECT_EQ(Runs("x-1 + sin x", document), "x:v -1+:m sin:t x:v ");
}

} // namespace
} // namespace qv

namespace qv {
namespace {

std::string Notation(const EqSequence& sequence) {
    std::string out;
    for (const EqNode& node : sequence) {
        out += node.kind == EqNode::Kind::Text
                   ? node.text
                   : "[" + std::to_string(static_cast<int>(node.kind)) + "]";
    }
    return out;
}

TEST(OmmlWriter, LongFormulasBreakBeforeTopLevelEqualsSigns) {
    const EqSequence formula =
        ParseEqNotation("E = " + EqFraction("a + b", "c") + " = 1234567890 + 1234567890 = 42lx")
            .value();
    ASSERT_EQ(BreakLongFormula(formula, 100.0).size(), 1u);
    const std::vector<EqSequence> lines = BreakLongFormula(formula, 14.0);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(Notation(lines[0]), "E = [2] ");
    EXPECT_EQ(Notation(lines[1]), "= 1234567890 + 1234567890 ");
    EXPECT_EQ(Notation(lines[2]), "= 42lx");
    // Nothing lost, and every line but a single overlong piece fits.
    for (const EqSequence& line : lines) {
        EXPECT_LE(EqWidthEm(line), 14.0 + EqWidthEm(lines[1]));
    }
    // Equals signs inside a fraction are no break points.
    const EqSequence inside = ParseEqNotation(EqFraction("a = b = c = d", "e")).value();
    EXPECT_EQ(BreakLongFormula(inside, 1.0).size(), 1u);
}

} // namespace
} // namespace qv
