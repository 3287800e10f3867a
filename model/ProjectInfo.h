#pragma once
// "项目信息": who the project is for and who designs, checks and approves it. The
// calculation books print it in their header lines, page header and signature block.
#include <string>
#include <string_view>
#include <vector>

namespace qv {

struct ProjectInfo {
    std::string name;        // 工程名称
    std::string client;      // 建设单位
    std::string designUnit;  // 设计单位
    std::string designer;    // 设计者
    std::string checker;     // 校对
    std::string reviewer;    // 审核
    std::string date;        // 日期, as typed ("2026-12-07"); empty until set
    std::string description; // 描述, may hold line feeds

    bool Empty() const;
};

bool operator==(const ProjectInfo& a, const ProjectInfo& b);

// One field as the dialog, the project file and the runner name it.
struct ProjectInfoField {
    const char* key; // "工程名称", ...
    std::string ProjectInfo::*member;
    bool multiline; // only 描述 keeps line feeds
    size_t limit;   // most characters (code points) kept
};

// The eight fields in the dialog's order.
const std::vector<ProjectInfoField>& ProjectInfoFields();
// The field of that key, or nullptr.
const ProjectInfoField* FindProjectInfoField(std::string_view key);

// The text as it is kept: bytes that are not UTF-8 become "?", control characters are
// dropped (a tab becomes a space; a line feed stays in a multi-line field, a carriage
// return before it is dropped), and the text is cut after limit characters.
std::string CleanInfoText(std::string_view text, bool multiline, size_t limit);
// Number of UTF-8 characters in text (invalid bytes count one each).
size_t InfoTextLength(std::string_view text);

// Today's date as "YYYY-MM-DD" in local time, the dialog's default.
std::string TodayText();

} // namespace qv
