#include "report/EqNotation.h"

#include <gtest/gtest.h>

#include <random>

namespace qv {
namespace {

// Compact text of a tree: f{num|den}, r{degree|radicand}, sub{base|script},
// sup{base|script}, box<sides>{content}; groups and text as they stand.
std::string Describe(const EqSequence& sequence) {
    static const char* const kNames[] = {"", "", "f", "r", "sub", "sup", "box"};
    std::string out;
    for (const EqNode& node : sequence) {
        if (node.kind == EqNode::Kind::Text) {
            out += node.text;
        } else if (node.kind == EqNode::Kind::Group) {
            out += node.text[0] + Describe(node.parts[0]) + node.text[1];
        } else {
            out += kNames[static_cast<int>(node.kind)];
            out += node.kind == EqNode::Kind::Box ? std::to_string(node.sides) + "{" : "{";
            for (std::size_t i = 0; i < node.parts.size(); ++i) {
                out += (i ? "|" : "") + Describe(node.parts[i]);
            }
            out += "}";
        }
    }
    return out;
}

std::string Parsed(const std::string& formula) {
    const std::optional<EqSequence> tree = ParseEqNotation(formula);
    return tree ? Describe(*tree) : "<malformed>";
}

TEST(EqNotation, TextFunctionsGiveTheSwitchTexts) {
    EXPECT_EQ(EqFraction("1", "6"), " \\f(1, 6)");
    EXPECT_EQ(EqRoot("", "x"), " \\r(, x)");
    EXPECT_EQ(EqRoot("3", "27"), " \\r(3, 27)");
    EXPECT_EQ(EqScript("h", 0, 2), " \\s\\do2(h)");
    EXPECT_EQ(EqScript("2", 1, 2), " \\s\\up2(2)");
    EXPECT_EQ(EqScript("x", 5, 12), " \\s\\up12(x)");
    EXPECT_EQ(EqLine("oP", 0), " \\x\\to (oP)");
    EXPECT_EQ(EqLine("oP", 1), " \\x\\bo (oP)");
}

TEST(EqNotation, SphericalIlluminanceFormulaParsesIntoScriptsAndAGroup) {
    const std::string formula = "E" + EqScript("s", 0, 2) + " = " + "E" + EqScript("h", 0, 2) +
                                "(K" + EqScript("s", 0, 2) + " + " + "0.5ρ" + EqScript("f", 0, 2) +
                                ")";
    EXPECT_EQ(formula, "E \\s\\do2(s) = E \\s\\do2(h)(K \\s\\do2(s) + 0.5ρ \\s\\do2(f))");
    EXPECT_EQ(Parsed(formula), "sub{E|s} = sub{E|h}(sub{K|s} + 0.5sub{ρ|f})");
}

TEST(EqNotation, SwitchesNestInsideArguments) {
    const std::string formula =
        "E" + EqScript("h", 0, 2) + " = " +
        EqFraction("I" + EqScript("θ", 0, 2) + "cosθ", EqLine("oP", 0) + EqScript("2", 1, 2)) +
        " = " + EqRoot("", "x" + EqScript("2", 1, 2) + " + 1");
    EXPECT_EQ(Parsed(formula), "sub{E|h} = f{sub{I|θ}cosθ|sup{box1{oP}|2}} = r{|sup{x|2} + 1}");
    EXPECT_EQ(Parsed(EqFraction(EqFraction("a", "b"), "(c, d)")), "f{f{a|b}|(c, d)}");
    EXPECT_EQ(Parsed(" \\r(3, 27) \\r(x)"), "r{3|27}r{|x}");
    EXPECT_EQ(Parsed(" \\x(a) \\x\\le\\ri (b)"), "box15{a}box12{b}");
}

TEST(EqNotation, ScriptsAttachToWhatPrecedesThem) {
    EXPECT_EQ(Parsed("2.50" + EqScript("2", 1, 2)), "sup{2.50|2}");
    EXPECT_EQ(Parsed("W/m" + EqScript("2", 1, 2)), "W/sup{m|2}");
    EXPECT_EQ(Parsed("(a + b)" + EqScript("2", 1, 2)), "sup{(a + b)|2}");
    EXPECT_EQ(Parsed("φ'" + EqScript("1", 0, 2)), "sub{φ'|1}");
    // A function name takes its script as a whole: cos³, not co and s³.
    EXPECT_EQ(Parsed("Icos " + EqScript("3", 1, 2) + "θ"), "Isup{cos|3}θ");
    EXPECT_EQ(Parsed("arctg" + EqScript("2", 1, 2)), "sup{arctg|2}");
    EXPECT_EQ(Parsed("costs" + EqScript("2", 1, 2)), "costsup{s|2}");
    EXPECT_EQ(Parsed("E" + EqScript("h", 0, 2) + EqScript("2", 1, 2)), "sup{sub{E|h}|2}");
    EXPECT_EQ(Parsed("x  " + EqScript("2", 1, 2) + "y"), "sup{x|2}y");
    EXPECT_EQ(Parsed(EqScript("2", 1, 2) + "y"), "sup{|2}y"); // nothing before it
    EXPECT_EQ(Parsed("(" + EqScript("2", 1, 2) + ")"), "(sup{|2})");
}

TEST(EqNotation, UnmatchedPlainBracketsStayText) {
    EXPECT_EQ(Parsed("E = (a"), "E = (a");
    EXPECT_EQ(Parsed("a) + [b}"), "a) + [b}");
    EXPECT_EQ(Parsed("灯数量是N = " + EqFraction("3", "4") + "盏"), "灯数量是N = f{3|4}盏");
}

TEST(EqNotation, MalformedNotationIsRefused) {
    for (const std::string formula : {
             "a \\q(1, 2)",        // unknown switch
             "\\f 1, 2",           // no arguments
             "\\f(1, 2",           // unbalanced
             "\\f(1)",             // too few arguments
             "\\f(1, 2, 3)",       // too many
             "\\r(1, 2, 3)",       // too many
             "x \\s(2)",           // script without direction
             "\\x\\zz(a)",         // unknown box side
             "\\f\\up2(1, 2)",     // option of another switch
             "a \\",               // lone backslash
             "\\f[1, 2]",          // arguments need parentheses
             "\\f(1, \\s\\up2(2)", // unbalanced inside
         }) {
        EXPECT_FALSE(ParseEqNotation(formula).has_value()) << formula;
    }
}

TEST(EqNotation, NestingIsBounded) {
    auto nested = [](int depth) {
        std::string formula = "x";
        for (int i = 0; i < depth; ++i) {
            formula = EqFraction(formula, "1");
        }
        return formula;
    };
    EXPECT_TRUE(ParseEqNotation(nested(kMaxEqNesting / 2)).has_value());
    EXPECT_FALSE(ParseEqNotation(nested(kMaxEqNesting + 1)).has_value());
    EXPECT_FALSE(ParseEqNotation(std::string(100000, '(') + std::string(100000, ')')).has_value());
}

TEST(EqNotation, RandomNotationNeverBreaksTheParser) {
    const std::string alphabet[] = {"\\", "f", "r", "s", "x", "up", "do", "to", "bo", "(",
                                    ")",  ",", " ", "[", "]", "{",  "}",  "2",  "ρ",  "'"};
    std::mt19937 random(20240611);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(alphabet) - 1);
    for (int round = 0; round < 3000; ++round) {
        std::string formula;
        for (int i = 0; i < 24; ++i) {
            formula += alphabet[pick(random)];
        }
        if (const auto tree = ParseEqNotation(formula)) {
            Describe(*tree);
        }
    }
}

} // namespace
} // namespace qv
