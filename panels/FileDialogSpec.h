#pragma once
// The project file dialogs: kind, default extension and filter text ("|" separates the
// descriptions and their patterns, "||" ends the list), and the filter read as entries.
#include <string>
#include <vector>

namespace qv {

struct FileDialogSpec {
    enum Mode { kOpen, kSave };
    Mode mode = kOpen;
    std::string defaultExtension; // without the dot
    std::string filter;
};

// Open, Save and Save As of each kind. Every dialog hides the read-only box, asks before
// overwriting a file and offers to create a missing one.
const FileDialogSpec& OpenProjectDialog();
const FileDialogSpec& SaveProjectDialog(int kind);   // indoor when kind is 0
const FileDialogSpec& SaveAsProjectDialog(int kind); // indoor when kind is 0

struct FilterEntry {
    std::string description;           // as written, blanks included
    std::vector<std::string> patterns; // the ";"-separated patterns, e.g. "*.cil"
    bool operator==(const FilterEntry&) const = default;
};

// The description/pattern pairs of a filter text; the list ends at the first empty
// description, and a description without patterns is dropped.
std::vector<FilterEntry> ParseFilter(const std::string& filter);

} // namespace qv
