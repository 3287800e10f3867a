#include "ui/MainWindow.h"

#include "panels/CatalogueMenu.h"
#include "panels/CommandTable.h"
#include "panels/ScalarIlluminancePanel.h"
#include "report/DesktopOpener.h"
#include "ui/AreaSourcePanelWindows.h"
#include "ui/ArrayLayoutDialog.h"
#include "ui/BarFit.h"
#include "ui/CalcPanelWindow.h"
#include "ui/FloodCapacityPanelWindow.h"
#include "ui/FloodlightPanelWindows.h"
#include "ui/GridPanelWindow.h"
#include "ui/LumenMethodPanelWindow.h"
#include "ui/LuminairePanelView.h"
#include "ui/OutlinePanelViews.h"
#include "ui/PlanView.h"
#include "ui/ProjectInfoDialog.h"
#include "ui/QtText.h"
#include "ui/RoadLightingPanelWindow.h"
#include "ui/RoadPanelView.h"
#include "ui/ScalarPanelWindow.h"
#include "ui/SinglePointPanelWindow.h"
#include "ui/StatusPanes.h"
#include "ui/ToolIcons.h"
#include "ui/UgrPanelView.h"
#include "ui/UnitCapacityPanelWindow.h"
#include "ui/WheelGuard.h"
#include "ui/WindowPlacement.h"

#include <ctime>
#include <filesystem>

#include <QAction>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenuBar>
#include <QScrollArea>
#include <QStatusBar>
#include <QTableWidget>
#include <QThread>
#include <QTimer>
#include <QToolBar>

#include <algorithm>

namespace qv {
namespace {

struct BarLayout {
    const char* title;
    Qt::DockWidgetArea area;
    Qt::DockWidgetAreas allowed;
    const char* name;
};

// Title, where each bar docks and where it may dock.
constexpr BarLayout kBarLayout[] = {
    {"房屋参数", Qt::RightDockWidgetArea, Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea,
     "roomBar"},
    {"应用场地", Qt::RightDockWidgetArea, Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea,
     "siteBar"},
    {"道路方案", Qt::LeftDockWidgetArea, Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea,
     "roadBar"},
    {"灯具布置", Qt::BottomDockWidgetArea, Qt::TopDockWidgetArea | Qt::BottomDockWidgetArea,
     "luminaireBar"},
};

// A bar at the left or right scrolls up and down; one at the top or bottom does not.
Qt::Orientation Stacking(Qt::DockWidgetArea area) {
    return area == Qt::TopDockWidgetArea || area == Qt::BottomDockWidgetArea ? Qt::Horizontal
                                                                             : Qt::Vertical;
}

// Removes a separator left at the end of a menu or toolbar (the commands after it hidden);
// it stays the holder's child.
void DropTrailingSeparator(QWidget& holder) {
    if (!holder.actions().isEmpty() && holder.actions().constLast()->isSeparator()) {
        holder.removeAction(holder.actions().constLast());
    }
}

// Every command of every menu and toolbar.
std::vector<int> AllCommands() {
    std::vector<int> ids;
    for (const int menu : {kMenuNone, kMenuIndoor, kMenuOutdoor}) {
        for (const MenuSpec& menuSpec : MenuLayout(menu)) {
            ids.insert(ids.end(), menuSpec.items.begin(), menuSpec.items.end());
        }
        const std::vector<int>& buttons = ToolbarLayout(menu);
        ids.insert(ids.end(), buttons.begin(), buttons.end());
    }
    return ids;
}

} // namespace

MainWindow::MainWindow(const AppPaths& paths, ShellDialogs& dialogs, CatalogueDatabase& catalogue,
                       QWidget* parent)
    : QMainWindow(parent), m_dialogs(dialogs), m_commands(m_project, m_registry.editing, *this),
      m_catalogue(catalogue), m_bookOpener([](const std::string& path) {
          if (!OpenWithDesktopApplication(path)) {
              KvMessageSink::Show("无法启动打开程序(xdg-open):" + path, "系统提示",
                                  KvMessageIcon::Warning);
          }
      }),
      m_bookOpenerAvailable(DesktopOpenerAvailable), m_folderOpener(m_bookOpener),
      m_choosePhotometricFiles([](QWidget* parent) {
          std::vector<std::string> files;
          for (const QString& file : QFileDialog::getOpenFileNames(
                   parent, QStringLiteral("灯具扩充"), QString(), ToQt(kPhotometricFileFilter))) {
              files.push_back(FromQt(file));
          }
          return files;
      }) {
    m_registry.paths = paths;
    m_registry.catalogue = &m_catalogue;
    if (!paths.settings.empty()) {
        m_recovery = std::make_unique<RecoveryCopy>(
            std::filesystem::path(paths.settings).parent_path().string());
        m_commands.UseRecoveryCopy(m_recovery.get());
        auto* timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [this] { m_commands.KeepRecoveryCopy(); });
        timer->start(kRecoveryInterval);
    }
    setWindowTitle(QString::fromUtf8(kTitle));
    resize(1100, 760);
    m_plan = new PlanView(m_drawing, this);
    setCentralWidget(m_plan);
    m_status = std::make_unique<StatusPanes>(*statusBar());
    WheelGuard::InstallOnApplication(this);
    // Calculations running off the window's thread report through the event loop.
    m_progress = std::make_unique<KvScopedProgressHandler>(
        [this](const std::string& text, int position, int range) {
            if (QThread::currentThread() == thread()) {
                m_status->Report(text, position, range);
                return;
            }
            QMetaObject::invokeMethod(
                this, [this, text, position, range] { m_status->Report(text, position, range); },
                Qt::QueuedConnection);
        });
    connect(m_plan, &PlanView::MouseMoved, this,
            [this](const std::string& x, const std::string& y) { m_status->ShowMouse(x, y); });
    connect(m_plan, &PlanView::ScaleChanged, this, &MainWindow::RebuildPlan);
    connect(m_plan, &PlanView::LuminaireClicked, this, &MainWindow::SelectLuminaire);
    connect(m_plan, &PlanView::LuminaireMoved, this, &MainWindow::MoveLuminaire);
    connect(m_plan, &PlanView::LuminaireDeleteRequested, this, &MainWindow::RemoveLuminaire);
    CreateActions();
    CreateHandlers();
    LoadMenu(kMenuNone);
    HistoryChanged();
}

MainWindow::~MainWindow() {
    m_calcPanels.CloseAll();
    CloseBars();
    m_registry.CloseAll();
}

QAction* MainWindow::Action(int id) const {
    const auto found = m_actions.find(id);
    return found == m_actions.end() ? nullptr : found->second;
}

void MainWindow::CreateActions() {
    for (const int id : AllCommands()) {
        if (id == 0 || m_actions.count(id) != 0) {
            continue;
        }
        auto* action = new QAction(this);
        action->setObjectName(QStringLiteral("cmd%1").arg(id));
        action->setData(id);
        action->setEnabled(CommandAvailable(id));
        action->setIcon(CommandIcon(id)); // shown in the menus too
        connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
        m_actions[id] = action;
    }
    for (const int id : {kCmdToolbar, kCmdStatusBar}) {
        m_actions[id]->setCheckable(true);
        m_actions[id]->setChecked(true);
    }
}

void MainWindow::CreateHandlers() {
    const auto bar = [this](int id, EditingBar editing) {
        return [this, id, editing] {
            ShowBar(editing);
            m_registry.opened.insert(id);
            RebuildPlan();
        };
    };
    m_handlers = {
        {kCmdNew, [this] { m_commands.New(); }},
        {kCmdOpen, [this] { m_commands.Open(); }},
        {kCmdSave, [this] { m_commands.Save(); }},
        {kCmdSaveAs, [this] { m_commands.SaveAs(); }},
        {kCmdExit, [this] { close(); }},
        {kCmdUndo, [this] { m_commands.Undo(); }},
        {kCmdRedo, [this] { m_commands.Redo(); }},
        {kCmdStartChoice, [this] { m_commands.StartChoice(); }},
        {kCmdProjectInfo, [this] { OpenProjectInfo(); }},
        {kCmdRoomBar, bar(kCmdRoomBar, EditingBar::kRoom)},
        {kCmdSiteBar, bar(kCmdSiteBar, EditingBar::kSite)},
        {kCmdRoadBar, bar(kCmdRoadBar, EditingBar::kRoad)},
        {kCmdLuminaireBar, bar(kCmdLuminaireBar, EditingBar::kLuminaires)},
        {kCmdArrayLayout, [this] { OpenArrayLayout(); }},
        {kCmdPowerDensity, [this] { m_commands.ShowPowerDensity(); }},
        {kCmdToolbar,
         [this] {
             for (QToolBar* toolbar : {m_standardBar, m_kindBar}) {
                 if (toolbar) {
                     toolbar->setVisible(m_actions[kCmdToolbar]->isChecked());
                 }
             }
         }},
        {kCmdStatusBar, [this] { statusBar()->setVisible(m_actions[kCmdStatusBar]->isChecked()); }},
        {kCmdFitPlan, [this] { m_plan->FitToWindow(); }},
        {kCmdAbout, [this] { m_dialogs.ShowAbout(this); }},
        {kCmdLuminaireCatalogue,
         [this] { ExtendLuminaireCatalogue(m_catalogue, m_choosePhotometricFiles(this)); }},
        {kCmdCatalogueFolder,
         [this] {
             if (const std::string folder = CatalogueFolder(m_catalogue); !folder.empty()) {
                 m_folderOpener(folder);
             }
         }},
    };
}

bool MainWindow::HandlesCommand(int id) const {
    return m_handlers.count(id) != 0 || OpensCalcPanel(id);
}

void MainWindow::OnCommand(int id) {
    if (const auto handler = m_handlers.find(id); handler != m_handlers.end()) {
        handler->second();
    } else if (OpensCalcPanel(id)) {
        OpenCalcPanel(id);
    }
}

void MainWindow::LoadMenu(int menu) {
    auto* bar = new QMenuBar(this);
    for (const MenuSpec& menuSpec : MenuLayout(menu)) {
        QMenu* drop = bar->addMenu(ToQt(menuSpec.title));
        // A command without a handler is left out, and so is a separator without a
        // command on both sides.
        for (const int id : menuSpec.items) {
            if (id == 0) {
                if (!drop->actions().isEmpty() && !drop->actions().constLast()->isSeparator()) {
                    drop->addSeparator();
                }
                continue;
            }
            if (!CommandAvailable(id)) {
                continue;
            }
            QAction* action = m_actions.at(id);
            action->setText(ToQt(CommandLabel(id, menu)));
            action->setShortcut(QKeySequence(ToQt(CommandShortcut(id, menu))));
            action->setToolTip(ToQt(CommandTip(id, menu)));
            drop->addAction(action);
        }
        DropTrailingSeparator(*drop);
    }
    setMenuBar(bar); // the old menu bar goes with its menus
    m_menu = menu;
}

void MainWindow::CreateToolbars(int menu) {
    for (QToolBar*& toolbar : {std::ref(m_standardBar), std::ref(m_kindBar)}) {
        if (toolbar) {
            removeToolBar(toolbar);
            delete toolbar;
            toolbar = nullptr;
        }
    }
    const auto build = [&](int resource, const QString& title) {
        auto* toolbar = new QToolBar(title, this);
        toolbar->setObjectName(QStringLiteral("toolbar%1").arg(resource));
        toolbar->setIconSize(QSize(kToolIconWidth, kToolIconHeight));
        for (const int id : ToolbarLayout(resource)) {
            if (id == 0) {
                if (!toolbar->actions().isEmpty() &&
                    !toolbar->actions().constLast()->isSeparator()) {
                    toolbar->addSeparator();
                }
                continue;
            }
            if (!CommandAvailable(id)) {
                continue; // no handler: not shown
            }
            QAction* action = m_actions.at(id);
            action->setToolTip(ToQt(CommandTip(id, menu)));
            toolbar->addAction(action);
        }
        DropTrailingSeparator(*toolbar);
        toolbar->setVisible(m_actions[kCmdToolbar]->isChecked());
        addToolBar(Qt::TopToolBarArea, toolbar); // side by side, the kind's to the right
        return toolbar;
    };
    m_standardBar = build(kStandardToolbar, QStringLiteral("标准"));
    m_kindBar = build(menu, menu == kMenuIndoor ? QStringLiteral("室内") : QStringLiteral("户外"));
}

template <typename View, typename Model>
void MainWindow::OpenBar(EditingBar bar, std::unique_ptr<Model>& slot, View*& view) {
    QDockWidget*& dock = m_bars[static_cast<size_t>(bar)];
    if (!dock) {
        const BarLayout& layout = kBarLayout[static_cast<size_t>(bar)];
        if (!slot) {
            slot = std::make_unique<Model>();
        }
        view = new View(*slot, m_dialogs);
        connect(view, &View::Edited, this, &MainWindow::ProjectEdited);
        QScrollArea* scroll = NewBarScroll(view, Stacking(layout.area));
        dock = new QDockWidget(QString::fromUtf8(layout.title), this);
        dock->setObjectName(QString::fromUtf8(layout.name));
        dock->setAllowedAreas(layout.allowed);
        dock->setWidget(scroll);
        addDockWidget(layout.area, dock);
    }
    dock->showNormal();
    dock->show();
    dock->raise();
}

void MainWindow::ShowBar(EditingBar bar) {
    EditingPanels& panels = m_registry.editing;
    switch (bar) {
    case EditingBar::kRoom:
        OpenBar(bar, panels.room, m_roomView);
        break;
    case EditingBar::kSite:
        OpenBar(bar, panels.site, m_siteView);
        break;
    case EditingBar::kRoad:
        OpenBar(bar, panels.road, m_roadView);
        break;
    case EditingBar::kLuminaires:
        OpenBar(bar, panels.luminaires, m_luminaireView);
        connect(m_luminaireView->Grid(), &QTableWidget::itemSelectionChanged, this,
                &MainWindow::PlanFollowsLuminaireRow, Qt::UniqueConnection);
        // A new luminaire goes to the middle of the room or site.
        m_luminaireView->SetRoomSource([this]() -> std::optional<Room> {
            EditingPanels& open = m_registry.editing;
            if (open.room) {
                return open.room->TakeValues();
            }
            if (open.site) {
                return open.site->TakeValues();
            }
            return std::nullopt;
        });
        connect(m_luminaireView, &LuminairePanelView::ArrayLayoutRequested, this,
                &MainWindow::OpenArrayLayout, Qt::UniqueConnection);
        break;
    }
}

void MainWindow::PlanFollowsLuminaireRow() {
    const auto& model = m_registry.editing.luminaires;
    m_plan->SetSelected(model ? model->SelectedRow() : -1);
}

void MainWindow::SelectLuminaire(int row) {
    if (auto& model = m_registry.editing.luminaires; model && m_luminaireView) {
        model->SelectRow(row);
        m_luminaireView->Refresh();
    }
}

void MainWindow::MoveLuminaire(int row, double x, double y) {
    auto& model = m_registry.editing.luminaires;
    if (!model || row < 0 || row >= model->RowCount()) {
        return;
    }
    const Vector& from = model->Working().At(row).ptCenter;
    if (model->MoveRow(row, {x, y, from.z})) {
        if (m_luminaireView) {
            m_luminaireView->Refresh();
        }
        ProjectEdited();
    }
}

void MainWindow::RemoveLuminaire(int row) {
    if (auto& model = m_registry.editing.luminaires; model && model->RemoveRow(row)) {
        if (m_luminaireView) {
            m_luminaireView->Refresh();
        }
        ProjectEdited();
    }
}

void MainWindow::FitBars() {
    // Each bar as wide (the bottom one as high) as its page would like, within a quarter
    // of the window, never less than its controls need: the plan gets the rest.
    const auto extent = [this](EditingBar bar, int share) {
        const auto* scroll = qobject_cast<QScrollArea*>(Bar(bar)->widget());
        if (!scroll) {
            return share;
        }
        const Qt::Orientation stacked = Stacking(dockWidgetArea(Bar(bar)));
        const int least = BarExtent(*scroll, stacked);
        return std::clamp(BarExtent(*scroll, stacked, true), least, std::max(least, share));
    };
    QList<QDockWidget*> sides;
    QList<int> widths;
    for (const EditingBar bar : {EditingBar::kRoom, EditingBar::kSite, EditingBar::kRoad}) {
        if (Bar(bar)) {
            sides << Bar(bar);
            widths << extent(bar, width() / 4);
        }
    }
    resizeDocks(sides, widths, Qt::Horizontal);
    if (Bar(EditingBar::kLuminaires)) {
        resizeDocks({Bar(EditingBar::kLuminaires)},
                    {std::max(kBottomBarHeight, extent(EditingBar::kLuminaires, 0))}, Qt::Vertical);
    }
}

void MainWindow::CloseBars() {
    for (QDockWidget*& dock : m_bars) {
        if (dock) {
            removeDockWidget(dock);
            delete dock; // with its page
            dock = nullptr;
        }
    }
    m_roomView = nullptr;
    m_siteView = nullptr;
    m_roadView = nullptr;
    m_luminaireView = nullptr;
}

void MainWindow::OpenArrayLayout() {
    EditingPanels& panels = m_registry.editing;
    if (!panels.room) {
        // The array covers a room's rectangle; a site's floodlights are aimed one by one.
        KvMessageSink::Show("灯具阵列布置只用于室内工程。", "系统提示", KvMessageIcon::Information);
        return;
    }
    ShowBar(EditingBar::kLuminaires);
    m_registry.opened.insert(kCmdLuminaireBar);
    auto model = std::make_shared<ArrayLayoutDialogModel>(m_catalogue, panels.room->TakeValues(),
                                                          panels.luminaires->TakeValues(),
                                                          panels.luminaires->SelectedRow());
    auto* dialog = new ArrayLayoutDialog(*model, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->SetLuminaireEditor([this](QWidget* parent, const Luminaire& luminaire) {
        return m_dialogs.EditLuminaire(parent, luminaire);
    });
    // The connection, and with it the model, goes with the dialog.
    connect(dialog, &QDialog::accepted, dialog, [this, dialog, model] {
        m_registry.editing.luminaires->SetWorking(dialog->Result());
        if (m_luminaireView) {
            m_luminaireView->Refresh();
        }
        ProjectEdited();
    });
    dialog->open();
}

void MainWindow::OpenProjectInfo() {
    auto model = std::make_shared<ProjectInfoDialogModel>(m_project.info);
    auto* dialog = new ProjectInfoDialog(*model, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, dialog, [this, model] {
        if (!(model->Result() == m_project.info)) {
            m_project.info = model->Result();
            ProjectEdited();
        }
    });
    dialog->open();
}

CalcPanelContext MainWindow::PanelContext() {
    CalcPanelContext context;
    context.snapshot = [this] {
        m_commands.KeepRecoveryCopy(); // a calculation that crashes loses no edit
        Project snapshot;
        CollectPanels(m_registry.editing, snapshot);
        snapshot.info = m_project.info;
        return snapshot;
    };
    context.projectInfo = [this] { return m_project.info; };
    context.replaceLuminaires = [this](const LuminaireList& luminaires) {
        if (m_registry.editing.luminaires) {
            m_registry.editing.luminaires->SetWorking(luminaires);
        }
        if (m_luminaireView) {
            m_luminaireView->Refresh();
        }
        ProjectEdited();
    };
    context.replaceProject = [this](const Project& project) {
        DistributePanels(project, m_registry.editing);
        PanelsDistributed();
        ProjectEdited();
    };
    context.planChanged = [this] { RebuildPlan(); };
    context.chooseFile = [this](const FileDialogSpec& request) {
        return m_dialogs.ChooseFile(this, request);
    };
    context.settings = m_registry.paths.settings;
    context.opener = [this](const std::string& path) { NoticeBookSaved(path); };
    context.catalogue = &m_catalogue;
    return context;
}

void MainWindow::NoticeBookSaved(const std::string& path) {
    const bool canOpen = m_bookOpener && m_bookOpenerAvailable && m_bookOpenerAvailable();
    const BookSavedChoice choice = m_dialogs.NoticeBookSaved(this, path, canOpen);
    if (!canOpen) {
        return;
    }
    switch (choice) {
    case BookSavedChoice::kOpen:
        m_bookOpener(path);
        break;
    case BookSavedChoice::kOpenFolder:
        m_bookOpener(FromQt(QFileInfo(ToQt(path)).absolutePath()));
        break;
    case BookSavedChoice::kClose:
        break;
    }
}

void MainWindow::OpenCalcPanel(int id) {
    m_calcPanels.Show(id, [this, id]() -> QWidget* {
        switch (id) {
        case kCmdPointIlluminance:
            return new SinglePointPanelWindow(PanelContext(), this);
        case kCmdGridIlluminance:
            return new GridPanelWindow(PanelContext(), this);
        case kCmdLumenMethod:
            return new LumenMethodPanelWindow(PanelContext(), this);
        case kCmdSpherical:
            return new ScalarPanelWindow(kSpherical, PanelContext(), this);
        case kCmdCylindrical:
            return new ScalarPanelWindow(kCylindrical, PanelContext(), this);
        case kCmdUnitCapacity:
            return new UnitCapacityPanelWindow(PanelContext(), this);
        case kCmdRectSource:
            return new RectAreaSourceWindow(PanelContext(), this);
        case kCmdNonUniformSource:
            return new NonUniformAreaSourceWindow(PanelContext(), this);
        case kCmdCircleSource:
            return new CircleAreaSourceWindow(PanelContext(), this);
        case kCmdFloodPoint:
            return new FloodlightPointPanelWindow(PanelContext(), this);
        case kCmdFloodUnitCapacity:
            return new FloodCapacityPanelWindow(PanelContext(), this);
        case kCmdUgrGrid:
            return new UgrPanelView(UgrPanelModel::Start::kStandardObservers, PanelContext(), this);
        case kCmdUgrPoint:
            return new UgrPanelView(UgrPanelModel::Start::kOneObserver, PanelContext(), this);
        default:
            return new RoadLightingPanelWindow(PanelContext(), this);
        }
    });
    m_registry.opened.insert(id);
    RebuildPlan();
}

void MainWindow::ProjectEdited() {
    m_commands.RecordEdit();
    RebuildPlan();
}

void MainWindow::HistoryChanged() {
    setWindowTitle(ToQt(m_commands.WindowTitle(kTitle)));
    const ProjectHistory& history = m_commands.History();
    if (QAction* undo = Action(kCmdUndo)) {
        undo->setEnabled(history.CanUndo());
    }
    if (QAction* redo = Action(kCmdRedo)) {
        redo->setEnabled(history.CanRedo());
    }
}

void MainWindow::RebuildPlan() {
    EditingPanels& panels = m_registry.editing;
    PlanSources sources;
    if (panels.room) {
        sources.room = &panels.room->TakeValues();
    }
    if (panels.site) {
        sources.site = &panels.site->TakeValues();
    }
    if (panels.road) {
        sources.road = &panels.road->TakeValues();
    }
    if (panels.luminaires) {
        sources.luminaires = &panels.luminaires->TakeValues();
    }
    if (auto* point = m_calcPanels.PanelAs<SinglePointPanelWindow>(kCmdPointIlluminance)) {
        sources.points = &point->Model().Points().Points();
    }
    if (auto* grid = m_calcPanels.PanelAs<GridPanelWindow>(kCmdGridIlluminance)) {
        const GridPanel& model = grid->Model();
        sources.verticalPlane =
            std::pair{Vector{model.startX, model.startY, 0.0}, Vector{model.endX, model.endY, 0.0}};
    }
    qv::RebuildPlan(m_drawing, sources);
    m_plan->SetSelected(panels.luminaires ? panels.luminaires->SelectedRow() : -1);
    m_plan->Rebuilt();
}

std::optional<std::string> MainWindow::ChooseFile(const FileDialogSpec& request) {
    return m_dialogs.ChooseFile(this, request);
}

StartChoice MainWindow::ChooseStart() {
    return m_dialogs.ChooseStart(this);
}

void MainWindow::SwitchKind(int kind) {
    m_calcPanels.CloseAll();
    CloseBars();
    m_registry.CloseAll();
    const int menu = kind == kIndoorProject ? kMenuIndoor : kMenuOutdoor;
    if (kind == kIndoorProject) {
        ShowBar(EditingBar::kRoom);
    } else {
        ShowBar(EditingBar::kSite);
        ShowBar(EditingBar::kRoad);
    }
    ShowBar(EditingBar::kLuminaires);
    FitBars();
    LoadMenu(menu);
    CreateToolbars(menu);
    m_plan->FitToWindow(); // a new project starts fitted
    RebuildPlan();
}

void MainWindow::ShowPath(const std::string& path) {
    m_status->ShowPath(path);
}

void MainWindow::PanelsDistributed() {
    if (m_roomView) {
        m_roomView->Refresh();
    }
    if (m_siteView) {
        m_siteView->Refresh();
    }
    if (m_roadView) {
        m_roadView->Refresh();
    }
    if (m_luminaireView) {
        m_luminaireView->Refresh();
    }
    RebuildPlan();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!m_commands.ConfirmExit()) {
        event->ignore();
        return;
    }
    SavePlacement(*this, m_registry.paths.settings);
    m_calcPanels.CloseAll();
    CloseBars();
    m_registry.CloseAll();
    if (m_recovery) {
        m_recovery->Remove(); // a normal exit: the user saved or chose not to
    }
    event->accept();
}

bool MainWindow::OfferRecovery() {
    const std::optional<RecoveryCopy::Found> found = m_recovery ? m_recovery->Find() : std::nullopt;
    if (!found) {
        return false;
    }
    char written[32] = "";
    const std::time_t at = static_cast<std::time_t>(found->writtenAt);
    std::tm local{};
    if (localtime_r(&at, &local) != nullptr) {
        std::strftime(written, sizeof written, "%Y-%m-%d %H:%M", &local);
    }
    const std::string name =
        found->projectPath.empty() ? std::string(ProjectCommands::kUntitled) : found->projectPath;
    const std::string question = "上次程序没有正常退出，找到未保存的工程“" + name + "”（" +
                                 written + " 的恢复副本）。\n要恢复它吗？选“否”将删除恢复副本。";
    if (KvMessageSink::Show(question, "恢复工程", KvMessageIcon::Question,
                            KvMessageButtons::YesNo) != KvMessageAnswer::Yes) {
        RecoveryCopy::Discard(*found);
        return false;
    }
    Project recovered;
    if (!RecoveryCopy::Read(*found, recovered)) {
        // The reason was shown; the copy stays on disk for the user, and is not offered
        // again.
        std::error_code ignored;
        std::filesystem::remove(found->note, ignored);
        return false;
    }
    m_commands.RestoreRecovered(recovered);
    // The project now lives in this program's own copy (or equals its file): the old
    // copy would only be offered again.
    const bool kept = std::filesystem::exists(m_recovery->CopyPath(recovered.kind)) ||
                      !m_commands.History().IsModified();
    if (kept && found->note != m_recovery->NotePath()) {
        RecoveryCopy::Discard(*found);
    }
    return true;
}

} // namespace qv
