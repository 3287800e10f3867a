#include "panels/ProgressDisplay.h"

#include <kelvorin/KvStr.h>

#include <cstdint>

namespace qv {

void ProgressDisplay::Report(const std::string& text, int newPosition, int newRange) {
    if (newPosition == -1) {
        visible = false;
        paneText = std::string(1, ' ');
        return;
    }
    int64_t pos = newPosition;
    int64_t span = newRange;
    if (span > kMaxRange) {
        pos = pos * kMaxRange / span;
        span = kMaxRange;
    }
    if (span > 0) {
        range = static_cast<int>(span);
    }
    const int64_t percent = range > 0 ? pos * 100 / range : 0;
    paneText = KvStr::Format("%s%lld%%", text.c_str(), static_cast<long long>(percent));
    visible = true;
    position = static_cast<int>(pos);
}

} // namespace qv
