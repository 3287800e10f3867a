#include "model/StandardPlace.h"

#include <cmath>

namespace qv {

StandardPlace StandardPlace::FromText(const std::string& text) {
    const size_t slash = text.find('/');
    if (slash == std::string::npos || slash == 0 || slash + 1 >= text.size()) {
        return {};
    }
    return {text.substr(0, slash), text.substr(slash + 1)};
}

StandardPlace KeptStandardPlace(const StandardPlace& place, double placeLux, double lux) {
    return std::fabs(lux - placeLux) < 1e-6 ? place : StandardPlace();
}

} // namespace qv
