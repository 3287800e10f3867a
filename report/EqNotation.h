#pragma once
// The equation notation of the calculation books. A formula is one text made of plain
// pieces (letters, digits, Greek letters, operators, brackets) and switch texts; every
// switch text begins with a blank, so the pieces are simply concatenated:
//   fraction " \f(num, den)", root " \r(degree, radicand)" (empty degree: square root),
//   lowered or raised script " \s\do2(x)" / " \s\up2(x)", top or bottom line
//   " \x\to (x)" / " \x\bo (x)".
// The text functions build the switch texts; ParseEqNotation turns a whole formula into
// a tree that the equation writer lays out as a native equation.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

std::string EqFraction(const std::string& numerator, const std::string& denominator);
std::string EqRoot(const std::string& degree, const std::string& radicand);
// Raised (raise set) or lowered script, shifted by distance points.
std::string EqScript(const std::string& text, int raise, int distance);
// Line under (bottom set) or over the text.
std::string EqLine(const std::string& text, int bottom);

struct EqNode;
using EqSequence = std::vector<EqNode>;

// One element of a parsed formula.
struct EqNode {
    enum class Kind {
        Text,        // plain characters in text
        Group,       // plain bracketed group: text holds the opening and the closing bracket
        Fraction,    // parts: numerator, denominator
        Root,        // parts: degree (empty for a square root), radicand
        Subscript,   // parts: base, script
        Superscript, // parts: base, script
        Box,         // parts: content; sides: the lines drawn around it
    };
    enum Side : unsigned { kTop = 1, kBottom = 2, kLeft = 4, kRight = 8 };

    Kind kind = Kind::Text;
    std::string text;
    std::vector<EqSequence> parts;
    unsigned sides = 0;

    bool operator==(const EqNode&) const = default;
};

// The formula as a tree, or nothing when the notation is malformed (unknown switch,
// missing or unbalanced argument brackets, wrong argument count, nesting deeper than
// kMaxEqNesting). Scripts are attached to what precedes them: a switch, a bracketed
// group, a trailing number or the last character of the text before them.
inline constexpr int kMaxEqNesting = 40;
std::optional<EqSequence> ParseEqNotation(std::string_view formula);

// Length of the function name (sin, cos, arctg, …) at the start of the text, or 0. A
// script after a function name belongs to the whole name: "cos \s\up2(3)" is cos³.
std::size_t EqFunctionNameLength(std::string_view text);

} // namespace qv
