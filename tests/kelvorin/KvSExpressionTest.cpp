#include <kelvorin/KvSExpression.h>

#include <gtest/gtest.h>

#include <random>

namespace {

int ValueOf(const std::string& text) {
    int value = -12345;
    return KvSExpression::Calculate(value, text) == 1 ? value : -1;
}

TEST(KvSExpression, NormalMapsBracketsAndTimesAndDropsOtherCharacters) {
    EXPECT_EQ(KvSExpression::Normal("[2+3]*{4X1};5 mm"), "(2+3)x(4x1),5");
    EXPECT_EQ(KvSExpression::Normal("YJV-3×95+1x50"), "395+1x50"); // "×" is not "x"
    EXPECT_EQ(KvSExpression::Normal("YJV-3x95+1x50"), "3x95+1x50");
    EXPECT_EQ(KvSExpression::Normal("3x95-4x50"), "3x95,4x50");
    EXPECT_EQ(KvSExpression::Normal("2++3xx4+x5"), "2+3x4+5");
    EXPECT_EQ(KvSExpression::Normal(",;2,,3;"), "2,3");
    EXPECT_EQ(KvSExpression::Normal("2-"), "2");
    EXPECT_EQ(KvSExpression::Normal("中文"), "");
}

TEST(KvSExpression, CalculateMultipliesBeforeAddingAndBracketsFirst) {
    EXPECT_EQ(ValueOf("2x(3+4)"), 14);
    EXPECT_EQ(ValueOf("[2+3]*2"), 10);
    EXPECT_EQ(ValueOf("2+3x4"), 14);
    EXPECT_EQ(ValueOf("((1+1)x(2+1))x2+1"), 13);
    EXPECT_EQ(ValueOf("YJV-3x95+1x50"), 335);
    EXPECT_EQ(ValueOf("2x3,4"), 10); // sub-expressions add up
    EXPECT_EQ(ValueOf("46340x46340"), 2147395600);
}

TEST(KvSExpression, TextThatCannotBeEvaluatedGivesZeroAndKeepsTheValue) {
    for (const std::string text : {"", "abc", "2x", "(2+3", "2+3)", "()", "2.5x2", "2(3)",
                                   "99999x99999", "2147483647+1", "2147483648"}) {
        int value = 7;
        EXPECT_EQ(KvSExpression::Calculate(value, text), 0) << text;
        EXPECT_EQ(value, 7) << text;
    }
    // Nesting beyond the limit fails instead of exhausting the stack.
    const std::string deep = std::string(100000, '(') + "1" + std::string(100000, ')');
    EXPECT_EQ(ValueOf(deep), -1);
    const int limit = KvSExpression::kMaxDepth;
    EXPECT_EQ(ValueOf(std::string(limit, '[') + "1" + std::string(limit, ']')), 1);
    EXPECT_EQ(ValueOf(std::string(limit + 1, '(') + "1" + std::string(limit + 1, ')')), -1);
}

TEST(KvSExpression, RandomTextNeverBreaksTheEvaluator) {
    std::mt19937 random(15);
    const std::string alphabet = "0123456789()[]{}.+-*xX,; a";
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    for (int i = 0; i < 3000; ++i) {
        std::string text(random() % 40, ' ');
        for (char& c : text) {
            c = alphabet[pick(random)];
        }
        int value = 0;
        const int ok = KvSExpression::Calculate(value, text);
        EXPECT_TRUE(ok == 0 || ok == 1);
        std::vector<std::string> items;
        KvSExpression::GetStdList(items, text);
        KvSExpression::SortByMaxStd(items, i % 2);
    }
}

TEST(KvSExpression, UnitsComeOneByOne) {
    std::string text = "12x(3+ab),4";
    std::vector<std::string> units;
    while (!text.empty()) {
        units.push_back(KvSExpression::ExpressionExtractUnit(text));
    }
    EXPECT_EQ(units, (std::vector<std::string>{"12", "x", "(", "3", "+", "ab", ")", ",", "4"}));
    EXPECT_EQ(KvSExpression::ExpressionExtractUnit(text), "");
}

TEST(KvSExpression, SubExpressionsAndStandardItems) {
    std::vector<std::string> out;
    EXPECT_EQ(KvSExpression::GetSubExpressions(out, "3x95+1x50;2x(3+4)"), 2);
    EXPECT_EQ(out, (std::vector<std::string>{"3x95+1x50", "2x(3+4)"}));
    EXPECT_EQ(KvSExpression::GetStdList(out, "3x95+1x50;2x(3+4)"), 3);
    EXPECT_EQ(out, (std::vector<std::string>{"3x95", "1x50", "2x(3+4)"}));
    std::vector<std::string> items{"1x50", "3x95", "2x(3+4)", "4x50"};
    KvSExpression::SortByMaxStd(items, 0);
    EXPECT_EQ(items, (std::vector<std::string>{"3x95", "1x50", "4x50", "2x(3+4)"}));
    KvSExpression::SortByMaxStd(items, 1);
    EXPECT_EQ(items, (std::vector<std::string>{"2x(3+4)", "1x50", "4x50", "3x95"}));
}

} // namespace
