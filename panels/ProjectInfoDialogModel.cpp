#include "panels/ProjectInfoDialogModel.h"

#include <kelvorin/KvMessage.h>
#include <kelvorin/KvStr.h>

namespace qv {

ProjectInfoDialogModel::ProjectInfoDialogModel(const ProjectInfo& info) : m_result(info) {
    for (const ProjectInfoField& field : ProjectInfoFields()) {
        m_texts.push_back(info.*field.member);
    }
    if (const ProjectInfoField* date = FindProjectInfoField("日期"); date && info.date.empty()) {
        m_texts[static_cast<size_t>(date - ProjectInfoFields().data())] = TodayText();
    }
}

bool ProjectInfoDialogModel::Take(const std::vector<std::string>& texts) {
    const std::vector<ProjectInfoField>& fields = ProjectInfoFields();
    ProjectInfo taken;
    m_refused = -1;
    for (size_t i = 0; i < fields.size(); ++i) {
        const std::string text = i < texts.size() ? texts[i] : std::string();
        if (InfoTextLength(text) > fields[i].limit) {
            m_refused = static_cast<int>(i);
            KvMessageSink::Show(
                KvStr::Format("%s过长,请不超过%zu个字!", fields[i].key, fields[i].limit),
                "系统提示", KvMessageIcon::Warning);
            return false;
        }
        taken.*fields[i].member = CleanInfoText(text, fields[i].multiline, fields[i].limit);
    }
    m_result = taken;
    m_texts.clear();
    for (const ProjectInfoField& field : fields) {
        m_texts.push_back(m_result.*field.member);
    }
    return true;
}

} // namespace qv
