#include <kelvorin/KvStr.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <clocale>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

Strings Split(const std::string& text, const std::string& separator) {
    Strings pieces{"stale"};
    const int count = KvStr::SplitStrBySymbol(pieces, text, separator);
    EXPECT_EQ(count, static_cast<int>(pieces.size()));
    return pieces;
}

TEST(KvStrSplit, PiecesAreTrimmedAndTrailingSeparatorAddsNothing) {
    EXPECT_EQ(Split("18#80#60#", "#"), (Strings{"18", "80", "60"}));
    EXPECT_EQ(Split("a##b", "#"), (Strings{"a", "", "b"}));
    EXPECT_EQ(Split("#a", "#"), (Strings{"", "a"}));
    EXPECT_EQ(Split(" a , b , ", ","), (Strings{"a", "b"}));
    EXPECT_EQ(Split("x<>y<>z", "<>"), (Strings{"x", "y", "z"}));
    EXPECT_EQ(Split("   ", "#"), Strings{});
    EXPECT_EQ(Split("abc", ""), Strings{});
    EXPECT_EQ(Split("abc", "#"), Strings{"abc"});
}

struct NumberCase {
    const char* text;
    int accepted;
    double value;
};

TEST(KvStrNumberGrammar, AcceptsAndRejectsAsTheAutomatonSays) {
    const NumberCase cases[] = {
        {"12", 1, 12},   {"-3.5", 1, -3.5},     {"5.", 1, 5},
        {".5", 1, 0.5},  {"1.5e-3", 1, 0.0015}, {"2E+10", 1, 2e10},
        {".", 1, 0},     {" 7 ", 1, 7},         {"1E+5", 1, 100000},
        {"+.5", 1, 0.5}, {"-", 0, 0},           {"+", 0, 0},
        {"", 0, 0},      {"1e5", 0, 0},         {"1E5", 0, 0},
        {"5.E+3", 0, 0}, {"1,5", 0, 0},         {"1/2", 0, 0},
        {"1E+", 0, 0},   {"0x10", 0, 0},        {"inf", 0, 0},
        {"1.2.3", 0, 0}, {"--1", 0, 0},         {"1 2", 0, 0},
    };
    for (const NumberCase& c : cases) {
        double value = -999;
        EXPECT_EQ(KvStr::IsDigitFactor(&value, c.text), c.accepted) << c.text;
        if (c.accepted) {
            EXPECT_DOUBLE_EQ(value, c.value) << c.text;
        } else {
            EXPECT_EQ(value, -999) << "value touched for " << c.text;
        }
    }
}

TEST(KvStrNumberGrammar, FractionsPercentsAndPerMille) {
    double value = 0;
    EXPECT_EQ(KvStr::IsDigit(&value, "2/5"), 1);
    EXPECT_DOUBLE_EQ(value, 0.4);
    EXPECT_EQ(KvStr::IsDigit(&value, "3/4"), 1);
    EXPECT_DOUBLE_EQ(value, 0.75);
    EXPECT_EQ(KvStr::IsDigit(&value, "50%"), 1);
    EXPECT_DOUBLE_EQ(value, 0.5);
    EXPECT_EQ(KvStr::IsDigit(&value, "50％"), 1); // full-width percent
    EXPECT_DOUBLE_EQ(value, 0.5);
    EXPECT_EQ(KvStr::IsDigit(&value, "5‰"), 1);
    EXPECT_DOUBLE_EQ(value, 0.005);
    for (const char* text : {"/5", "5/", "1/0", "1/0.0", "%", "％", "‰", "1/2/3", "a/b", "5%%"}) {
        EXPECT_EQ(KvStr::IsDigit(text), 0) << text;
    }
    double top = 0;
    double bottom = 0;
    EXPECT_EQ(KvStr::IsFraction(&top, &bottom, "-1.5/3E+1"), 1);
    EXPECT_DOUBLE_EQ(top, -1.5);
    EXPECT_DOUBLE_EQ(bottom, 30);
    EXPECT_EQ(KvStr::IsFraction(nullptr, nullptr, "7"), 0); // a plain number is no fraction
}

TEST(KvStrNumberGrammar, IndependentOfTheProcessLocale) {
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "de_DE.UTF-8 is not installed (./do setup makes it)";
    }
    double value = 0;
    EXPECT_EQ(KvStr::IsDigit(&value, "2.5"), 1);
    EXPECT_DOUBLE_EQ(value, 2.5);
    EXPECT_EQ(KvStr::FormatDouble(2.5), "2.5");
    EXPECT_EQ(KvStr::Format("%.2f", 0.25), "0.25");
    EXPECT_DOUBLE_EQ(KvStr::Atof("0.75xyz"), 0.75);
    std::setlocale(LC_ALL, saved.c_str());
}

struct IntegerCase {
    std::string text;
    int value;
};

TEST(KvStrAtoi, LeadingIntegerOfHostileTexts) {
    using std::string;
    const IntegerCase cases[] = {
        // No digit where one must be.
        {"", 0},
        {"   ", 0},
        {" \t\n\v\f\r", 0},
        {"-", 0},
        {"+", 0},
        {"+x", 0},
        {"abc", 0},
        {"--1", 0},
        {"+-1", 0},
        {"- 5", 0},
        {".5", 0},
        {"x12", 0},
        // The leading digits, the rest ignored.
        {"12abc", 12},
        {"3.9", 3},
        {" -7 ", -7},
        {"\t\n\v\f\r42", 42},
        {"+0012", 12},
        {"-0", 0},
        {"000000000000000000000000000042", 42},
        {"1e5", 1},
        {"0x1A", 0},
        {"12 34", 12},
        {"12米", 12},
        // Limits and beyond: saturated, never wrapped.
        {"2147483647", INT_MAX},
        {"2147483646", INT_MAX - 1},
        {"2147483648", INT_MAX},
        {"-2147483648", INT_MIN},
        {"-2147483647", INT_MIN + 1},
        {"-2147483649", INT_MIN},
        {"4294967296", INT_MAX},
        {"-4294967297", INT_MIN},
        {"18446744073709551617", INT_MAX},
        {"-9223372036854775809", INT_MIN},
        {"-0000000000002147483648", INT_MIN},
        {string(60, '9'), INT_MAX},
        {"-" + string(60, '9'), INT_MIN},
        // Control characters other than the six blanks are no white space; NUL ends the
        // number like any other non-digit.
        {"\0015", 0},
        {"\0345", 0},
        {"\1775", 0},
        {"\b5", 0},
        {string("\00012", 3), 0},
        {string("12\00034", 5), 12},
        {string(" \000 5", 4), 0},
        {string("-\0005", 3), 0},
        // Spaces and digits beyond ASCII are neither: no-break space, ideographic space,
        // full-width and Arabic-Indic digits, stray bytes.
        {"\302\2405", 0},
        {"\343\200\2005", 0},
        {"１２", 0},
        {"٣", 0},
        {"十二", 0},
        {"\3779", 0},
    };
    for (const IntegerCase& c : cases) {
        EXPECT_EQ(KvStr::Atoi(c.text), c.value) << testing::PrintToString(c.text);
    }
}

TEST(KvStrAtoi, AgreesWithStrtolClampedToInt) {
    // strtol reads the same grammar and saturates at the limits of long; clamped to int it
    // is what atoi would give were its overflow defined.
    const auto clampedStrtol = [](const std::string& text) {
        const long value = std::strtol(text.c_str(), nullptr, 10);
        return static_cast<int>(std::clamp<long>(value, INT_MIN, INT_MAX));
    };
    const std::string blanks(" \t\n\v\f\r");
    const std::string alphabet = blanks + std::string("+-.ex0123456789\0\xa0", 17);
    std::mt19937 random(20240611);
    const auto pick = [&](const std::string& from) { return from[random() % from.size()]; };
    for (int n = 0; n < 50000; ++n) {
        std::string text;
        if (n % 2 == 0) {
            // A number of any length, often near the limits, then anything.
            text.append(random() % 3, pick(blanks));
            if (random() % 3 != 0) {
                text += pick("+-");
            }
            const size_t digits = random() % 24;
            text += random() % 2 == 0 ? "214748364" : "";
            for (size_t k = 0; k < digits; ++k) {
                text += static_cast<char>('0' + random() % 10);
            }
        }
        for (size_t k = random() % 12; k > 0; --k) {
            text += pick(alphabet);
        }
        ASSERT_EQ(KvStr::Atoi(text), clampedStrtol(text)) << testing::PrintToString(text);
    }
}

TEST(KvStrFormatDouble, StripsTrailingZerosAndPoint) {
    EXPECT_EQ(KvStr::FormatDouble(2.5), "2.5");
    EXPECT_EQ(KvStr::FormatDouble(100), "100");
    EXPECT_EQ(KvStr::FormatDouble(1.0 / 3.0), "0.333333");
    EXPECT_EQ(KvStr::FormatDouble(0.0000004), "0");
    EXPECT_EQ(KvStr::FormatDouble(1e-7), "0");
    EXPECT_EQ(KvStr::FormatDouble(-1e-7), "-0");
    EXPECT_EQ(KvStr::FormatDouble(123456789.0), "123456789");
    EXPECT_EQ(KvStr::FormatDouble(0.00000051), "0.000001"); // printf rounding
    EXPECT_EQ(KvStr::FormatDouble(-12.5), "-12.5");
    EXPECT_EQ(KvStr::Format("%s-%d", std::string(300, 'x').c_str(), 7).size(), 302u);
}

TEST(KvStrIncreaseStrDigit, NamesTheNextInASeries) {
    EXPECT_EQ(KvStr::IncreaseStrDigit("P1", 1.0, 0), "P2");
    EXPECT_EQ(KvStr::IncreaseStrDigit("P09", 1.0, 0), "P10");
    EXPECT_EQ(KvStr::IncreaseStrDigit("Room-3", 1.0, 0), "Room-2");
    EXPECT_EQ(KvStr::IncreaseStrDigit("A", 1.0, 0), "A1");
    EXPECT_EQ(KvStr::IncreaseStrDigit("", 1.0, 0), "1");
    EXPECT_EQ(KvStr::IncreaseStrDigit("  ", 1.0, 0), "1");
    EXPECT_EQ(KvStr::IncreaseStrDigit("1.5", 1.0, 0), "2.5");
    EXPECT_EQ(KvStr::IncreaseStrDigit("Z9", 1.0, 0), "Z10");
    EXPECT_EQ(KvStr::IncreaseStrDigit("+0", -1.0, 0), "-1");
    EXPECT_EQ(KvStr::IncreaseStrDigit("-1", 1.0, 0), "-0"); // v = 0 keeps the sign text
    EXPECT_EQ(KvStr::IncreaseStrDigit("-1", 2.0, 0), "+1");
    EXPECT_EQ(KvStr::IncreaseStrDigit("P0", -1.0, 0), "P1"); // no sign text: |v|
    EXPECT_EQ(KvStr::IncreaseStrDigit("点12", 1.0, 0), "点13");
    EXPECT_EQ(KvStr::IncreaseStrDigit("1e5", 1.0, 0), "1e6"); // "1e5" is no number
}

TEST(KvStrIncreaseStrDigit, KeepFormatPadsAndKeepsExponents) {
    EXPECT_EQ(KvStr::IncreaseStrDigit("A009", 1.0, 1), "A010");
    EXPECT_EQ(KvStr::IncreaseStrDigit("A099", 1.0, 1), "A100");
    EXPECT_EQ(KvStr::IncreaseStrDigit("A0.5", 1.0, 1), "A1.5");
    EXPECT_EQ(KvStr::IncreaseStrDigit("X1.5E+3", 1.0, 1), "X1.501E+3");
    EXPECT_EQ(KvStr::IncreaseStrDigit("X1.0E+0", 1.0, 1), "X2.0E+0"); // never an empty exponent
    EXPECT_EQ(KvStr::IncreaseStrDigit("X2.5E-1", 1.0, 1), "X1.25E+0");
}

TEST(KvStrPaths, FileNamesAndCanonicalPaths) {
    EXPECT_EQ(KvStr::IsFileName("a.txt"), 1);
    EXPECT_EQ(KvStr::IsFileName("名称.cil"), 1);
    EXPECT_EQ(KvStr::IsFileName("noext"), 1);
    EXPECT_EQ(KvStr::IsFileName("/data/a.txt"), 1);
    for (const char* bad :
         {"", "a?.txt", "a*b", "a:b", "a\\b", "a|b", "a<b", "a>b", "a\"b", "sub/a.txt",
          "/data/../a.txt", "/data//a.txt", "/data/", ".cil", "//srv/a.txt"}) {
        EXPECT_EQ(KvStr::IsFileName(bad), 0) << bad;
    }
    EXPECT_EQ(KvStr::IsPath("/data/a.txt"), 1);
    EXPECT_EQ(KvStr::IsPath("/data/"), 1);
    EXPECT_EQ(KvStr::IsPath("/"), 1);
    for (const char* bad : {"", "a.txt", "./a", "/data/../a.txt", "/data/./a", "/data//a", "/.."}) {
        EXPECT_EQ(KvStr::IsPath(bad), 0) << bad;
    }
    EXPECT_EQ(KvStr::IsDriveExist("/tmp/none/of/this"), 1);
    EXPECT_EQ(KvStr::IsDriveExist("/no-such-top-folder/x"), 0);
    EXPECT_EQ(KvStr::IsDriveExist(""), 0);
}

TEST(KvStrTwoParts, SplitsLeadingOrTrailingNumbers) {
    std::string text;
    std::string number;
    EXPECT_EQ(KvStr::SplitStrInTwoPart(text, number, "12abc"), 1);
    EXPECT_EQ(number, "12");
    EXPECT_EQ(text, "abc");
    EXPECT_EQ(KvStr::SplitStrInTwoPart(text, number, "Room-3"), 1);
    EXPECT_EQ(text, "Room");
    EXPECT_EQ(number, "-3");
    EXPECT_EQ(KvStr::SplitStrInTwoPart(text, number, "1/2x"), 1);
    EXPECT_EQ(number, "1/2");
    EXPECT_EQ(KvStr::SplitStrInTwoPart(text, number, " abc "), 0);
    EXPECT_EQ(text, "abc");
    EXPECT_EQ(number, "");

    Strings names{"P10", "P9", "A2", "P1", "A10"};
    KvStr::SortStrArrByEndDigit(names, 1);
    EXPECT_EQ(names, (Strings{"A2", "A10", "P1", "P9", "P10"}));
    KvStr::SortStrArrByEndDigit(names, 0);
    EXPECT_EQ(names, (Strings{"P10", "P9", "P1", "A10", "A2"}));
}

TEST(KvStrArrays, FindRemoveFilter) {
    const Strings names{"Alpha", "beta", "ALPHA", "Gamma"};
    EXPECT_EQ(KvStr::FindStrInStrArr(names, "alpha", 0), 0);
    EXPECT_EQ(KvStr::FindStrInStrArr(names, "ALPHA", 1), 2);
    EXPECT_EQ(KvStr::FindStrInStrArr(names, "delta", 0), -1);
    EXPECT_EQ(KvStr::FindStrInStrArr(names, "", 0), -1);
    EXPECT_EQ(KvStr::FindStrInStrArr({}, "a", 0), -1);

    Strings copy = names;
    EXPECT_EQ(KvStr::RemoveSameStr(copy, 1), 3);
    EXPECT_EQ(copy, (Strings{"Alpha", "beta", "Gamma"}));
    copy = names;
    EXPECT_EQ(KvStr::RemoveSameStr(copy, 0), 4);

    Strings out{"stale"};
    EXPECT_EQ(KvStr::FilterStrByStr(out, names, "al", 0), 2);
    EXPECT_EQ(out, (Strings{"Alpha", "ALPHA"}));
    EXPECT_EQ(KvStr::FilterStrByStr(out, names, "Al", 1), 1);
    EXPECT_EQ(KvStr::FilterStrByStr(out, names, "", 1), 4);
}

TEST(KvStrColumns, SpreadsheetColumnNamesRoundTrip) {
    EXPECT_EQ(KvStr::ExcelColNoToName(1), "A");
    EXPECT_EQ(KvStr::ExcelColNoToName(26), "Z");
    EXPECT_EQ(KvStr::ExcelColNoToName(27), "AA");
    EXPECT_EQ(KvStr::ExcelColNoToName(256), "IV");
    EXPECT_EQ(KvStr::ExcelColNoToName(0), "A");
    EXPECT_EQ(KvStr::ExcelColNoToName(1000), "IV");
    for (int n = 1; n <= 256; ++n) {
        ASSERT_EQ(KvStr::ExcelColNameToNo(KvStr::ExcelColNoToName(n)), n);
    }
    EXPECT_EQ(KvStr::ExcelColNameToNo(" ab "), 28);
    EXPECT_EQ(KvStr::ExcelColNameToNo("A1B"), 28);
    EXPECT_EQ(KvStr::ExcelColNameToNo(""), 1);
    EXPECT_EQ(KvStr::ExcelColNameToNo("ZZZZZZZZZZZZZZZZ"), 256); // no overflow
}

TEST(KvStrChinese, AnyHighByteCounts) {
    EXPECT_EQ(KvStr::IfHasChinese("abc"), 0);
    EXPECT_EQ(KvStr::IfHasChinese("照度"), 1);
    EXPECT_EQ(KvStr::IfHasChinese("a\x80"), 1);
}

} // namespace
