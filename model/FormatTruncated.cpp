#include "model/FormatTruncated.h"

#include <kelvorin/KvStr.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace qv {

std::string FormatTruncated(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    const double scaled = value * scale;
    double cut;
    if (scaled >= static_cast<double>(std::numeric_limits<int32_t>::min()) &&
        scaled < static_cast<double>(std::numeric_limits<int32_t>::max()) + 1.0) {
        cut = static_cast<double>(static_cast<int32_t>(scaled)) / scale;
    } else {
        cut = std::trunc(scaled) / scale; // NaN and infinities pass through unchanged
    }
    return KvStr::Format("%.*f", decimals, cut);
}

double TruncatedValue(double value, int decimals) {
    return KvStr::Atof(FormatTruncated(value, decimals));
}

} // namespace qv
