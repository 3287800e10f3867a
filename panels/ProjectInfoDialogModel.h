#pragma once
// The dialog "项目信息" without its window: the eight fields as texts, the date shown as
// today while none is set, and the check of what was typed before the project takes it.
#include "model/ProjectInfo.h"

#include <string>
#include <vector>

namespace qv {

class ProjectInfoDialogModel {
public:
    explicit ProjectInfoDialogModel(const ProjectInfo& info);

    // The texts in the order of ProjectInfoFields(); 日期 is today when the project has none.
    const std::vector<std::string>& Texts() const { return m_texts; }
    // The typed texts; false with a message (the field's name and its limit) when one is
    // longer than its field keeps. Control characters are dropped.
    bool Take(const std::vector<std::string>& texts);
    // The information as last taken (as opened before any Take).
    const ProjectInfo& Result() const { return m_result; }
    // Index of the field a refused Take named, -1 when none.
    int RefusedField() const { return m_refused; }

private:
    std::vector<std::string> m_texts;
    ProjectInfo m_result;
    int m_refused = -1;
};

} // namespace qv
