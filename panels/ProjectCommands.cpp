#include "panels/ProjectCommands.h"

#include "calc/common/PowerDensity.h"
#include "model/ProjectFile.h"

#include <kelvorin/KvMessage.h>

#include <filesystem>
#include <utility>

namespace qv {

bool ProjectCommands::IsModified() {
    CollectPanels(m_panels, m_project);
    if (m_project.path.empty()) {
        return true;
    }
    Project saved;
    LoadProject(m_project.path, saved); // a file that cannot be read differs
    return !(saved == m_project);
}

bool ProjectCommands::ModifiedCheck() {
    if (!IsModified() || m_project.IsEmpty()) {
        return true;
    }
    switch (KvMessageSink::Show(kSavePrompt, "系统提示", KvMessageIcon::Warning,
                                KvMessageButtons::YesNoCancel)) {
    case KvMessageAnswer::Cancel:
        return false;
    case KvMessageAnswer::Yes:
        return Save(); // a cancelled or failed save keeps the project and stops the command
    default:
        return true;
    }
}

bool ProjectCommands::ConfirmExit() {
    return (m_project.kind == kNoProject && !m_panels.AnyOpen()) || ModifiedCheck();
}

void ProjectCommands::New() {
    if (!ModifiedCheck()) {
        return;
    }
    // The choice comes first: closing it cancels 新建 and the project stays as it was,
    // rather than leaving the bars of a project of no kind.
    const auto choice = m_shell.ChooseStart();
    if (choice == StartChoice::kClosed) {
        return;
    }
    if (choice == StartChoice::kOpenFile) {
        OpenWithDialog(); // cancelled or unreadable: the project stays too
        return;
    }
    m_project.Reset();
    SwitchTo(choice == StartChoice::kNewIndoor ? kIndoorProject : kOutdoorProject);
    m_shell.ShowPath(m_project.path);
}

void ProjectCommands::StartChoice() {
    switch (m_shell.ChooseStart()) {
    case StartChoice::kNewIndoor:
        if (m_project.kind != kIndoorProject) {
            SwitchTo(kIndoorProject);
        }
        break;
    case StartChoice::kNewOutdoor:
        if (m_project.kind != kOutdoorProject) {
            SwitchTo(kOutdoorProject);
        }
        break;
    case StartChoice::kOpenFile:
        OpenWithDialog();
        break;
    case StartChoice::kClosed:
        break;
    }
}

bool ProjectCommands::Open() {
    return ModifiedCheck() && OpenWithDialog();
}

bool ProjectCommands::OpenWithDialog() {
    const std::optional<std::string> path = m_shell.ChooseFile(OpenProjectDialog());
    return path && OpenPath(*path);
}

bool ProjectCommands::OpenPath(const std::string& path) {
    Project read;
    if (!LoadProject(path, read)) { // the reason went to the message sink
        return false;
    }
    m_project.path = path;
    if (read.kind != m_project.kind) {
        SwitchTo(read.kind == kIndoorProject ? kIndoorProject : kOutdoorProject);
    }
    m_shell.ShowPath(path);
    m_project.info = read.info; // no panel holds it
    DistributePanels(read, m_panels);
    m_shell.PanelsDistributed();
    StartHistory();
    return true;
}

bool ProjectCommands::Save() {
    CollectPanels(m_panels, m_project);
    if (m_project.path.empty()) {
        const std::optional<std::string> path =
            m_shell.ChooseFile(SaveProjectDialog(m_project.kind));
        return path && WriteTo(*path);
    }
    return WriteTo(m_project.path);
}

bool ProjectCommands::SaveAs() {
    CollectPanels(m_panels, m_project);
    const std::optional<std::string> path = m_shell.ChooseFile(SaveAsProjectDialog(m_project.kind));
    return path && WriteTo(*path);
}

bool ProjectCommands::WriteTo(const std::string& path) {
    // The path becomes the project's only once the file is written: a save that fails
    // leaves the project where it was, so the next Save asks again.
    const bool written = SaveProject(m_project, path);
    if (written) {
        m_project.path = path;
        m_history.Record(m_project);
        m_history.MarkClean();
        DropRecoveryCopy();
    }
    m_shell.ShowPath(m_project.path);
    m_shell.HistoryChanged(); // the path is in the title
    return written;
}

void ProjectCommands::ShowPowerDensity() {
    Project snapshot;
    CollectPanels(m_panels, snapshot);
    KvMessageSink::Show(PowerDensityMessage(snapshot.room, snapshot.luminaires));
}

void ProjectCommands::SwitchTo(int kind) {
    m_shell.SwitchKind(kind);
    m_project.kind = kind;
    StartHistory();
}

Project ProjectCommands::PanelsState() {
    Project state = m_project; // the kind, and what no open panel holds
    CollectPanels(m_panels, state);
    return state;
}

void ProjectCommands::StartHistory() {
    m_history.Reset(PanelsState());
    m_shell.HistoryChanged();
    DropRecoveryCopy();
}

void ProjectCommands::DropRecoveryCopy() {
    if (m_recovery) {
        m_recovery->Remove();
    }
    m_recovered.reset();
}

void ProjectCommands::KeepRecoveryCopy() {
    if (!m_recovery || !m_history.Started()) {
        return;
    }
    Project state = PanelsState();
    const bool modified = m_history.IsModified() || !SameEdits(state, m_history.Current());
    if (!modified || state.IsEmpty()) {
        if (m_recovered) {
            DropRecoveryCopy();
        }
        return;
    }
    if (m_recovered && SameEdits(*m_recovered, state)) {
        return; // the copy holds this state already
    }
    state.path = m_project.path;
    if (m_recovery->Write(state)) {
        m_recovered = std::move(state);
    }
}

void ProjectCommands::RestoreRecovered(const Project& recovered) {
    // The copy stays on disk while the project is rebuilt from it: starting a history
    // would remove it.
    RecoveryCopy* const copy = std::exchange(m_recovery, nullptr);
    const int kind = recovered.kind == kOutdoorProject ? kOutdoorProject : kIndoorProject;
    if (kind != m_project.kind) {
        SwitchTo(kind);
    }
    Project base;
    base.kind = kind;
    if (!recovered.path.empty() && std::filesystem::is_regular_file(recovered.path)) {
        const KvScopedMessageHandler quiet(
            [](const KvMessage& message) { return KvMessageSink::DefaultAnswer(message.buttons); });
        Project read;
        if (LoadProject(recovered.path, read, LoadOptions{false}) && read.kind == kind) {
            base = std::move(read);
        }
    }
    m_project.path = recovered.path;
    m_shell.ShowPath(m_project.path);
    m_project.info = base.info;
    DistributePanels(base, m_panels);
    StartHistory();
    m_project.info = recovered.info;
    DistributePanels(recovered, m_panels);
    m_shell.PanelsDistributed();
    RecordEdit();
    m_recovery = copy;
    KeepRecoveryCopy(); // the copy stays until the restored project is saved
}

bool ProjectCommands::RecordEdit() {
    const bool recorded = m_history.Record(PanelsState());
    m_shell.HistoryChanged();
    return recorded;
}

bool ProjectCommands::Undo() {
    RecordEdit();
    if (const Project* state = m_history.Undo()) {
        Restore(*state);
        return true;
    }
    return false;
}

bool ProjectCommands::Redo() {
    RecordEdit();
    if (const Project* state = m_history.Redo()) {
        Restore(*state);
        return true;
    }
    return false;
}

void ProjectCommands::Restore(const Project& state) {
    m_project.info = state.info; // no panel holds it
    DistributePanels(state, m_panels);
    m_shell.PanelsDistributed();
    m_shell.HistoryChanged();
}

std::string ProjectCommands::WindowTitle(const std::string& programTitle) const {
    if (!m_history.Started()) {
        return programTitle;
    }
    const std::string name = m_project.path.empty()
                                 ? std::string(kUntitled)
                                 : std::filesystem::path(m_project.path).filename().string();
    return name + (m_history.IsModified() ? "*" : "") + " - " + programTitle;
}

} // namespace qv
