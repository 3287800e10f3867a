#include "panels/PanelText.h"

#include <kelvorin/KvStr.h>

#include <cmath>

namespace qv {

std::string NumberText(double value) {
    return KvStr::FormatDouble(value);
}

double NumberFromText(const std::string& text) {
    const double value = KvStr::Atof(KvStr::Trim(text));
    return std::isfinite(value) ? value : 0.0;
}

} // namespace qv
