#pragma once
// Points, displacements and orientations of the model: three doubles each, equal within
// the model tolerance, written as "%.3f,%.3f,%.3f".
#include <string>

namespace qv {

// A point or displacement in metres.
struct Vector {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    // "%.3f,%.3f,%.3f": three decimals, comma separated, no blanks.
    std::string ToText() const;
    // Reads the text form: it must split at "," into exactly three pieces, each converted
    // as a decimal number (a piece that is not a number gives 0). Returns false and keeps
    // the value otherwise.
    bool FromText(const std::string& text);
};

// Every coordinate differs by at most the model tolerance (1e-6).
bool operator==(const Vector& a, const Vector& b);

// Orientation: rotation in degrees about the X, Y and Z axes. Same equality and text
// form as Vector.
struct Rotation {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    std::string ToText() const;
    bool FromText(const std::string& text);
};

bool operator==(const Rotation& a, const Rotation& b);

} // namespace qv
