#include "panels/PanelText.h"

#include <kelvorin/KvStr.h>

namespace qv {

std::string NumberText(double value) {
    return KvStr::FormatDouble(value);
}

} // namespace qv
