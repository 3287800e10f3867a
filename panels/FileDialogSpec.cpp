#include "panels/FileDialogSpec.h"

#include <kelvorin/KvStr.h>

namespace qv {
namespace {

// The dialog appends the patterns to each description ("室内设计存档 (*.cil)"), so the
// descriptions do not repeat them.
const FileDialogSpec kOpenDialog{
    FileDialogSpec::kOpen, "cil",
    "全部设计存档|*.cil;*.col|室内设计存档|*.cil|户外、道路设计存档|*.col|||"};
const FileDialogSpec kSaveIndoor{FileDialogSpec::kSave, "cil", "室内设计存档|*.cil|||"};
const FileDialogSpec kSaveOutdoor{FileDialogSpec::kSave, "col", "户外、道路设计存档|*.col|||"};

std::vector<std::string> SplitAt(const std::string& text, char separator) {
    std::vector<std::string> pieces(1);
    for (const char c : text) {
        if (c == separator) {
            pieces.emplace_back();
        } else {
            pieces.back() += c;
        }
    }
    return pieces;
}

} // namespace

const FileDialogSpec& OpenProjectDialog() {
    return kOpenDialog;
}

const FileDialogSpec& SaveProjectDialog(int kind) {
    return kind == 0 ? kSaveIndoor : kSaveOutdoor;
}

const FileDialogSpec& SaveAsProjectDialog(int kind) {
    return SaveProjectDialog(kind);
}

std::vector<FilterEntry> ParseFilter(const std::string& filter) {
    const std::vector<std::string> pieces = SplitAt(filter, '|');
    std::vector<FilterEntry> entries;
    for (size_t i = 0; i + 1 < pieces.size() && !pieces[i].empty(); i += 2) {
        FilterEntry entry{pieces[i], {}};
        for (const std::string& pattern : SplitAt(pieces[i + 1], ';')) {
            const std::string trimmed = KvStr::Trim(pattern);
            if (!trimmed.empty()) {
                entry.patterns.push_back(trimmed);
            }
        }
        if (!entry.patterns.empty()) {
            entries.push_back(entry);
        }
    }
    return entries;
}

} // namespace qv
