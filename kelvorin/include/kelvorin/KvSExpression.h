#pragma once
// Size expressions of cables and equipment (规格): short texts made of counts, "x" (times), "+" and
// brackets, such as "3x(2+1)" or "YJV-3x95+1x50", several of them separated by commas.
//
// Grammar of a normalised expression (see Normal):
//     list    := expr ("," expr)*
//     expr    := term ("+" term)*
//     term    := factor ("x" factor)*
//     factor  := number | "(" expr ")"
//     number  := one or more digits (a whole number; "." makes it no whole number)
// "x" binds before "+", brackets first. Brackets nest at most kMaxDepth deep; text that
// does not follow the grammar, nests deeper or overflows an int cannot be evaluated.
#include <kelvorin/KvExport.h>

#include <string>
#include <vector>

class KV_API KvSExpression {
public:
    static constexpr int kMaxDepth = 64;

    // Every character of "0123456789()[]{}.+-*xX,;" becomes the one at the same position
    // in "0123456789()()().+-xxx,,": square and curly brackets become parentheses, "*" and
    // "X" become "x", ";" becomes ","; every other character is dropped. Then a "-"
    // between two operands (a digit or ")" before it, a digit or "(" after it) separates
    // two expressions and becomes ","; any other "-" (a dash after a name, "YJV-") is
    // dropped. A run of operators keeps its first ("2++3" is "2+3", "2x+3" is "2x3"), a
    // run of commas becomes one, and commas at either end go.
    static std::string Normal(const std::string& text);
    // Removes and returns the next unit of the text: one of "+x()," alone, or the run of
    // characters up to the next of them. Empty text gives empty text.
    static std::string ExpressionExtractUnit(std::string& text);
    // The comma-separated expressions of the normalised text; returns their count.
    static int GetSubExpressions(std::vector<std::string>& out, const std::string& text);
    // 1 and the value of the normalised text (the sum of its expressions' values); 0,
    // leaving value as it was, when it cannot be evaluated.
    static int Calculate(int& value, const std::string& text);
    // The standard items of the normalised text: the terms joined by "+" at the top
    // level of each expression ("3x95+1x50,2x(3+4)" gives 3x95, 1x50 and 2x(3+4));
    // returns their count.
    static int GetStdList(std::vector<std::string>& out, const std::string& text);
    // Orders standard items by the largest whole number each holds (95 for "3x95"),
    // ascending when the flag is set, else descending; equal items keep their order.
    static void SortByMaxStd(std::vector<std::string>& items, int ascending);
};
