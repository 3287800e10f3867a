#pragma once
// The status bar's progress display without its widgets: the text of pane 0 and the
// progress bar's visibility, range and position, as long loops report them.
#include <string>

namespace qv {

struct ProgressDisplay {
    static constexpr int kMaxRange = 10000;

    bool visible = false;
    int range = 100; // the bar's range is 0 ... range
    int position = 0;
    std::string paneText = " ";

    // A position of -1 hides the bar and blanks the pane whatever the range. A range above
    // 10000 is scaled down to 10000 with the position; a range above 0 becomes the bar's.
    // The pane shows the text and the percentage ("%s%d%%"), taken against the bar's range
    // when the call gives none (0 % while there is none at all).
    void Report(const std::string& text, int position, int range);
};

} // namespace qv
