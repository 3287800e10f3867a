#pragma once
// The dialog "项目信息" over its model: a line for each of 工程名称, 建设单位, 设计单位,
// 设计者, 校对, 审核, 日期 and a box for 描述; "确定" takes the texts (a refused one keeps
// the dialog open with the field focused), "取消" leaves the project as it was.
#include "panels/ProjectInfoDialogModel.h"

#include <QDialog>

#include <vector>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace qv {

class ProjectInfoDialog : public QDialog {
    Q_OBJECT
public:
    ProjectInfoDialog(ProjectInfoDialogModel& model, QWidget* parent = nullptr);

    ProjectInfoDialogModel& Model() { return m_model; }
    // The line of a field by its key ("工程名称"); nullptr for 描述 and unknown keys.
    QLineEdit* Line(const char* key) const;
    QPlainTextEdit* Description() const { return m_description; }
    QPushButton* Confirm() const { return m_confirm; }

    void accept() override;

private:
    ProjectInfoDialogModel& m_model;
    std::vector<QLineEdit*> m_lines; // one per field but 描述 (nullptr there)
    QPlainTextEdit* m_description = nullptr;
    QPushButton* m_confirm = nullptr;
};

} // namespace qv
