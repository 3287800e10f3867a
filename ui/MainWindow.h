#pragma once
// The main window: menus and toolbars of the project's kind, the docked editing bars
// ("房屋参数", "应用场地", "道路方案", "灯具布置") over their panel models, the plan view
// in the middle and the status bar. It carries out the project commands through
// ProjectCommands and gives them the window's side (dialogs, kind switch, path pane).
#include "model/Project.h"
#include "panels/PlanBuilder.h"
#include "panels/ProjectCommands.h"
#include "report/CalcBookWriter.h"
#include "ui/CalcPanelHost.h"
#include "ui/PanelRegistry.h"
#include "ui/ShellDialogs.h"

#include <kelvorin/KvMessage.h>

#include <QMainWindow>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QDockWidget;
class QToolBar;

namespace qv {

struct CalcPanelContext;
class LuminairePanelView;
class PlanView;
class RoadPanelView;
class RoomPanelView;
class SitePanelView;
class StatusPanes;

enum class EditingBar { kRoom, kSite, kRoad, kLuminaires };

class MainWindow : public QMainWindow, public ProjectShell {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "《Halvorn》配套光盘－Varsolin";

    // The window feeds the status bar from the progress sink while it lives; windows are
    // destroyed in the reverse order of their construction.
    // catalogue: the program's one catalogue connection, shared with the dialogs.
    MainWindow(const AppPaths& paths, ShellDialogs& dialogs, CatalogueDatabase& catalogue,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    Project& CurrentProject() { return m_project; }
    PanelRegistry& Registry() { return m_registry; }
    ProjectCommands& Commands() { return m_commands; }
    // The action of a command id (menus and toolbars share it); null for an unknown id.
    QAction* Action(int id) const;
    // The menu resource shown (1021, 1026 or 1023).
    int MenuResource() const { return m_menu; }
    QToolBar* StandardToolbar() const { return m_standardBar; }
    QToolBar* KindToolbar() const { return m_kindBar; }
    // The dock of an editing bar; null while it does not exist.
    QDockWidget* Bar(EditingBar bar) const { return m_bars[static_cast<size_t>(bar)]; }
    RoomPanelView* RoomView() const { return m_roomView; }
    SitePanelView* SiteView() const { return m_siteView; }
    RoadPanelView* RoadView() const { return m_roadView; }
    LuminairePanelView* LuminaireView() const { return m_luminaireView; }
    PlanView* Plan() const { return m_plan; }
    const PlanDrawing& Drawing() const { return m_drawing; }
    StatusPanes& Status() const { return *m_status; }
    // The calculation panels opened by the commands of the command table.
    CalcPanelHost& CalcPanels() { return m_calcPanels; }
    // How a saved calculation book or its folder is opened when the user asks for it after
    // the save; by default with the desktop's application, available when one is
    // installed.
    void SetBookOpener(DocumentOpener opener, bool available = true) {
        m_bookOpener = std::move(opener);
        m_bookOpenerAvailable = [available] { return available; };
    }

    // At start: a recovery copy left by a program that did not end normally is offered
    // ("恢复工程"); 是 opens it as the modified project, 否 removes it. True when a
    // project was restored.
    bool OfferRecovery();
    // How often a modified project is copied for recovery, ms.
    static constexpr int kRecoveryInterval = 3 * 60 * 1000;
    // "打开数据库文件夹" shows the folder with the desktop's file manager, "灯具扩充" asks
    // for the photometric files with a file dialog; tests replace both.
    using FilesChooser = std::function<std::vector<std::string>(QWidget* parent)>;
    void SetFolderOpener(DocumentOpener opener) { m_folderOpener = std::move(opener); }
    void SetPhotometricChooser(FilesChooser chooser) {
        m_choosePhotometricFiles = std::move(chooser);
    }
    // Whether a command does something here; every command of a menu or toolbar does.
    bool HandlesCommand(int id) const;

    // Rebuilds the plan drawing from the open panels and redraws it.
    void RebuildPlan();
    // Every edit of the room, site, road or luminaires ends here once the panels hold the
    // new values (typing, grid edits, dialogs, layout, plan drags): the plan follows.
    void ProjectEdited();
    // Shows an editing bar, creating it with a fresh panel when it does not exist.
    void ShowBar(EditingBar bar);
    // "灯具阵列布置": the dialog over the room, the luminaires and the selected row; its
    // OK replaces the luminaire panel's list (shown if it was not).
    void OpenArrayLayout();
    // "项目信息": the dialog over the project's information; OK is one undo step.
    void OpenProjectInfo();
    // The plan's edits of the luminaire panel: the row selected on the plan (-1 none), a
    // luminaire moved to a centre in metres (its height kept), a luminaire removed.
    void SelectLuminaire(int row);
    void MoveLuminaire(int row, double x, double y);
    void RemoveLuminaire(int row);

    // ProjectShell
    std::optional<std::string> ChooseFile(const FileDialogSpec& request) override;
    StartChoice ChooseStart() override;
    void SwitchKind(int kind) override;
    void ShowPath(const std::string& path) override;
    void PanelsDistributed() override;
    // The title shows the file's name and "*" while modified; undo and redo follow the
    // history.
    void HistoryChanged() override;

    // What a calculation panel receives of this window.
    CalcPanelContext PanelContext();

protected:
    // Exit asks to save unsaved work (Cancel keeps the program open), then saves the
    // placement, closes every panel and releases the database.
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateActions();
    // What each command does (the calculation panels' commands open their panels).
    void CreateHandlers();
    void OnCommand(int id);
    void LoadMenu(int menu);
    void CreateToolbars(int menu);
    // The bars' first sizes: as narrow as their controls allow, leaving the plan the rest.
    void FitBars();
    void CloseBars();
    // The plan shows the luminaire panel's selected row.
    void PlanFollowsLuminaireRow();
    // Opens or restores the calculation panel of the command.
    void OpenCalcPanel(int id);
    // Tells where a book was saved and opens it or its folder as the user chooses.
    void NoticeBookSaved(const std::string& path);
    template <typename View, typename Model>
    void OpenBar(EditingBar bar, std::unique_ptr<Model>& slot, View*& view);

    static constexpr int kBottomBarHeight = 200;

    PanelRegistry m_registry;
    std::unique_ptr<RecoveryCopy> m_recovery; // none without a settings folder
    ShellDialogs& m_dialogs;
    Project m_project;
    ProjectCommands m_commands;
    PlanDrawing m_drawing;
    std::map<int, QAction*> m_actions;
    int m_menu = 0;
    QToolBar* m_standardBar = nullptr;
    QToolBar* m_kindBar = nullptr;
    std::array<QDockWidget*, 4> m_bars{};
    RoomPanelView* m_roomView = nullptr;
    SitePanelView* m_siteView = nullptr;
    RoadPanelView* m_roadView = nullptr;
    LuminairePanelView* m_luminaireView = nullptr;
    PlanView* m_plan = nullptr;
    std::unique_ptr<StatusPanes> m_status;
    std::unique_ptr<KvScopedProgressHandler> m_progress;
    CatalogueDatabase& m_catalogue; // for the unit-capacity panel
    DocumentOpener m_bookOpener;
    std::function<bool()> m_bookOpenerAvailable;
    DocumentOpener m_folderOpener;
    FilesChooser m_choosePhotometricFiles;
    std::map<int, std::function<void()>> m_handlers;
    CalcPanelHost m_calcPanels; // destroyed first: the panels use the members above
};

} // namespace qv
