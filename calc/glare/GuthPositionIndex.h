#pragma once
// The Guth position index p of a glare source: how much less a source glares the farther
// it lies from the line of sight. Taken from the index table of the UGR method (T/R 0 to
// 3, H/R 0 to 1.9 in steps of 0.1), interpolated bilinearly.
#include <optional>

namespace qv {

// p at the lateral offset T and the height H above the line of sight, both over the
// distance R along it (only |T/R| matters). No value (the source is not counted) below the
// line of sight, beyond the table (H/R above 1.9, |T/R| above 3) or where a cell the
// interpolation needs is blank (the steep cells near the line of sight's vertical plane).
std::optional<double> GuthPositionIndex(double tOverR, double hOverR);

} // namespace qv
