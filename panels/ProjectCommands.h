#pragma once
// The project-level commands of the program without its window: the modified check with
// its prompt, New, the start-up choice, Open, Save, Save As and the switch between an
// indoor and an outdoor project. What needs the window (file dialogs, the welcome
// dialog, replacing bars and menus, the path pane, refreshing the bars) goes through
// ProjectShell; the prompt goes through the message sink.
#include "model/Project.h"
#include "panels/EditingPanels.h"
#include "panels/FileDialogSpec.h"
#include "panels/ProjectHistory.h"
#include "panels/RecoveryCopy.h"

#include <optional>
#include <string>

namespace qv {

// The answers of the welcome dialog ("欢迎使用《Halvorn》配套计算软件－Varsolin").
enum class StartChoice { kClosed = -1, kNewIndoor = 0, kNewOutdoor = 1, kOpenFile = 2 };

class ProjectShell {
public:
    virtual ~ProjectShell() = default;
    // The chosen path, or nothing on Cancel.
    virtual std::optional<std::string> ChooseFile(const FileDialogSpec& request) = 0;
    virtual StartChoice ChooseStart() = 0;
    // Closes every panel (their working copies are lost) and releases the database, then
    // opens the editing bars, the menu and the toolbars of the kind (0 indoor, 1 outdoor).
    virtual void SwitchKind(int kind) = 0;
    // The status bar's path pane.
    virtual void ShowPath(const std::string& path) = 0;
    // The open panels received new working copies: refresh their controls and the plan.
    virtual void PanelsDistributed() = 0;
    // The undo history, the clean state or the path changed: the title and the undo and
    // redo commands follow.
    virtual void HistoryChanged() {}
};

class ProjectCommands {
public:
    static constexpr const char* kSavePrompt = "当前工程未保存，保存吗？";
    static constexpr const char* kUntitled = "未命名";

    ProjectCommands(Project& project, EditingPanels& panels, ProjectShell& shell)
        : m_project(project), m_panels(panels), m_shell(shell) {}

    // Collect, compare with the saved file (or take a never-saved project as changed),
    // and for a changed project that is not empty ask "当前工程未保存，保存吗？"
    // (Yes saves first). False when the user cancels, or when the save asked for is
    // cancelled or fails: the command that asked must not go on and lose the project.
    bool ModifiedCheck();
    // Exit: the modified check, except that there is nothing to lose while no project
    // kind was chosen and no panel is open. False keeps the program open.
    bool ConfirmExit();

    // New (57600): the modified check, then the start-up choice: a new project of the
    // chosen kind in fresh panels, or the open dialog; closing the choice changes nothing.
    void New();
    // The start-up choice, at program start and by 1353.
    void StartChoice();
    // Open (57601): the modified check, then the open dialog and OpenPath.
    bool Open();
    // Reads the path (the open dialog's choice, or a file named at start). When the read
    // fails the project, its path and the panels stay as they were; otherwise the path
    // becomes the project's, the kind is switched when the file's kind differs, the path
    // is shown and the read project is distributed to the panels.
    bool OpenPath(const std::string& path);
    // Save (57603) and Save As (57604): collect, ask for a path when needed (Save only
    // without one), show it and write the project. False when cancelled or not written.
    bool Save();
    bool SaveAs();

    // "照明功率密度计算": the power density of the room and luminaires collected from the
    // open panels into a fresh project, in a message box; the project is not touched.
    void ShowPowerDensity();

    // Switches to the kind (0 indoor, 1 outdoor) and sets it.
    void SwitchTo(int kind);

    // The undo history of the panels' edits: a fresh one after Open, New and a kind
    // switch, its clean state the one opened or last saved.
    const ProjectHistory& History() const { return m_history; }
    // An edit of the panels ended: the collected project becomes an undo step when it
    // differs from the current one. True when a step was made.
    bool RecordEdit();
    // Undo and Redo: an edit not yet recorded is recorded first, then the step's project
    // goes to the panels (no new step). False when there was nothing to undo or redo.
    bool Undo();
    bool Redo();
    // The window's title: the project file's name, "*" while modified, " - " and the
    // program's title; "未命名" for a project never saved; the program's title alone
    // before any project was started.
    std::string WindowTitle(const std::string& programTitle) const;

    // The recovery copy the commands keep (none by default): removed when the project is
    // saved or another one is opened or started.
    void UseRecoveryCopy(RecoveryCopy* copy) { m_recovery = copy; }
    // Brings the recovery copy in step with the panels: written when the project differs
    // from its file and from the last copy, removed once it no longer differs. The timer
    // and every calculation call this.
    void KeepRecoveryCopy();
    // Opens a recovered project: its kind's bars hold it, its path is the file it was a
    // copy of, and it stands modified over that file as read now (one undo step back to
    // it), or over an empty project when the file cannot be read or there is none.
    void RestoreRecovered(const Project& recovered);

private:
    // The project as the open panels hold it, collected into a copy: the project itself
    // takes the panels' values only when saved or compared with its file.
    Project PanelsState();
    void StartHistory();
    void DropRecoveryCopy();
    void Restore(const Project& state);

    bool IsModified();
    bool WriteTo(const std::string& path);
    bool OpenWithDialog();

    Project& m_project;
    EditingPanels& m_panels;
    ProjectShell& m_shell;
    ProjectHistory m_history;
    RecoveryCopy* m_recovery = nullptr;
    std::optional<Project> m_recovered; // the state last written to the recovery copy
};

} // namespace qv
