#pragma once
// The one check of a number typed into a field or a grid cell. The text must follow the
// program's number grammar (KvStr::IsDigitFactor: an optional sign, digits with an
// optional point, an exponent with its own sign) with at least one digit, be finite and
// lie within the range of the field's kind. A refused text gets a message naming the
// field in the panel's own words ("<label>应为…,请重新输入!"); the field keeps its value.
#include <cstddef>
#include <optional>
#include <string>

namespace qv {

enum class NumberKind {
    kLength,      // lengths, widths, spacings of a room, site or road: > 0, ≤ 100000 m
    kSize,        // sizes that may be nought (a luminaire's, a road component's): 0 … 100000 m
    kCoordinate,  // heights and coordinates: within ±100000 m
    kAngle,       // angles and rotations: within ±360°
    kFlux,        // a luminous flux held as a double: > 0, ≤ 1000000000 lm
    kIntFlux,     // a luminous flux held as an int: a whole number > 0 within int
    kPercent,     // a reflectance in per cent: 0 … 100
    kFraction,    // a ratio (reflectance as a fraction, efficiency, uniformity): 0 … 1
    kMaintenance, // a maintenance factor: > 0, ≤ 1
    kCount,       // a count: a whole number 0 … 100000
    kNonNegative, // a power, an illuminance, a unit capacity: 0 … 1000000000
    kNumber,      // any finite number (a calculation that judges its own inputs)
};

// Upper limit of lengths, sizes and coordinates, m.
inline constexpr double kMaxLength = 100000.0;
// Upper limit of the open-ended quantities (fluxes, powers, illuminances).
inline constexpr double kMaxQuantity = 1000000000.0;

// Why the text is refused for the field labelled label ("总长应为不大于100000的正数,请重新
// 输入!"), or an empty text when it is taken; then value (when given) receives the number.
std::string NumberRefusal(const std::string& text, NumberKind kind, const std::string& label,
                          double* value = nullptr);

// The number of the text when it is taken, without a message otherwise.
std::optional<double> ReadNumber(const std::string& text, NumberKind kind);

// Shows a refusal as the panels do: a warning with the caption "系统提示".
void ShowRefusal(const std::string& refusal);

// The number of the text when it is taken; otherwise the refusal is shown and there is
// none.
std::optional<double> CheckNumber(const std::string& text, NumberKind kind,
                                  const std::string& label);
// The same for a field held as an int (counts, whole fluxes).
std::optional<int> CheckInt(const std::string& text, NumberKind kind, const std::string& label);

// A grid column of numbers: its index, kind and label (the column's header).
struct NumberColumn {
    int column;
    NumberKind kind;
    const char* label;
};

// The refusal of a text typed into a cell of the column; empty when it is taken or the
// column holds no numbers.
template <size_t N>
std::string ColumnRefusal(const NumberColumn (&columns)[N], int column, const std::string& text) {
    for (const NumberColumn& number : columns) {
        if (number.column == column) {
            return NumberRefusal(text, number.kind, number.label);
        }
    }
    return std::string();
}

} // namespace qv
