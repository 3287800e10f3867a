#pragma once
#include <string>

namespace qv {

// The text of value cut toward zero to `decimals` decimals: trunc(value * 10^n) as a
// 32-bit integer, divided by 10^n, printed with "%.<n>f". Panels show key results this
// way and read the text back, so stored results carry the shown precision.
// A value whose scaled form does not fit 32 bits is cut in double precision instead
// (the 32-bit conversion would print a wrong number).
std::string FormatTruncated(double value, int decimals);

// FormatTruncated's text read back as a number, as the panels do.
double TruncatedValue(double value, int decimals);

} // namespace qv
