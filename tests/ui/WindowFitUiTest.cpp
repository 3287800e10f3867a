// The main window at the sizes users run it: every control of the docked bars shown whole,
// the toolbar's pictures and tips, the menus offering only what works, and the catalogue
// menu's commands.
#include "catalogue/CatalogueLoaders.h"
#include "panels/CommandTable.h"
#include "photometry/PhotometricSamples.h"
#include "ui/PlanView.h"
#include "ui/QtText.h"
#include "ui/ToolIcons.h"
#include "ui/UiTestSupport.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDockWidget>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolBar>

#include <filesystem>

namespace qv::test {
namespace {

using WindowFitUi = UiTest;

// The controls of a page a user works with.
std::vector<QWidget*> Controls(QWidget& page) {
    std::vector<QWidget*> controls;
    for (QWidget* child : page.findChildren<QWidget*>()) {
        if (qobject_cast<QAbstractButton*>(child) || qobject_cast<QLineEdit*>(child) ||
            qobject_cast<QComboBox*>(child) || qobject_cast<QAbstractSpinBox*>(child) ||
            qobject_cast<QTableWidget*>(child)) {
            if (child->isVisibleTo(&page) && !qobject_cast<QLineEdit*>(child->parentWidget()) &&
                !qobject_cast<QAbstractSpinBox*>(child->parentWidget()) &&
                !qobject_cast<QComboBox*>(child->parentWidget())) {
                controls.push_back(child);
            }
        }
    }
    return controls;
}

// Every control of every open bar lies across the bar's visible part, and no bar scrolls
// sideways; the bottom bar shows its controls whole up and down too.
void ExpectBarsShowEveryControl(MainWindow& w, const QSize& size) {
    w.resize(size);
    for (int i = 0; i < 3; ++i) {
        QApplication::processEvents();
    }
    ASSERT_EQ(w.size(), size);
    int bars = 0;
    for (const EditingBar bar :
         {EditingBar::kRoom, EditingBar::kSite, EditingBar::kRoad, EditingBar::kLuminaires}) {
        QDockWidget* dock = w.Bar(bar);
        if (!dock || !dock->isVisible()) {
            continue;
        }
        ++bars;
        auto* scroll = qobject_cast<QScrollArea*>(dock->widget());
        ASSERT_NE(scroll, nullptr);
        EXPECT_FALSE(scroll->horizontalScrollBar()->isVisible()) << FromQt(dock->windowTitle());
        QWidget* viewport = scroll->viewport();
        const std::vector<QWidget*> controls = Controls(*scroll->widget());
        EXPECT_GT(controls.size(), 3u);
        for (QWidget* control : controls) {
            const QRect shown(control->mapTo(viewport, QPoint(0, 0)), control->size());
            const std::string where =
                FromQt(dock->windowTitle()) + " " + control->metaObject()->className() + " \"" +
                FromQt(control->property("text").toString()) + "\" " +
                std::to_string(size.width()) + "×" + std::to_string(size.height());
            EXPECT_GE(shown.left(), 0) << where;
            EXPECT_LE(shown.right(), viewport->rect().right()) << where;
            if (bar == EditingBar::kLuminaires) {
                EXPECT_GE(shown.top(), 0) << where;
                EXPECT_LE(shown.bottom(), viewport->rect().bottom()) << where;
            } else if (auto* grid = qobject_cast<QTableWidget*>(control)) {
                // The side bars' grids show all their columns.
                EXPECT_FALSE(grid->horizontalScrollBar()->isVisible()) << where;
            }
        }
    }
    EXPECT_GE(bars, 2);
}

TEST_F(WindowFitUi, BarsShowEveryControlAtCommonWindowSizes) {
    for (const char* example : {"office.cil", "site_and_road.col"}) {
        SCOPED_TRACE(example);
        MainWindow& w = Start({}, {QString::fromStdString(Example(example))});
        const QSize initial = w.size(); // the size a first start opens with
        for (const QSize size : {QSize(1280, 800), initial}) {
            ExpectBarsShowEveryControl(w, size);
        }
        // The plan keeps most of the width.
        EXPECT_GT(w.Plan()->width(), w.width() * 2 / 5);
        // Dragging the side bars narrow, or the bottom bar low, stops where the controls
        // still show.
        QList<QDockWidget*> sides;
        for (const EditingBar bar : {EditingBar::kRoom, EditingBar::kSite, EditingBar::kRoad}) {
            if (w.Bar(bar)) {
                sides << w.Bar(bar);
            }
        }
        w.resizeDocks(sides, QList<int>(sides.size(), 40), Qt::Horizontal);
        w.resizeDocks({w.Bar(EditingBar::kLuminaires)}, {30}, Qt::Vertical);
        ExpectBarsShowEveryControl(w, QSize(1280, 800));
    }
}

// The image of an icon at a device pixel ratio.
QImage Picture(const QIcon& icon, double ratio) {
    return icon.pixmap(QSize(kToolIconWidth, kToolIconHeight), ratio).toImage();
}

TEST_F(WindowFitUi, EveryToolbarButtonHasItsOwnPictureAndAPlainTip) {
    for (const StartChoice kind : {StartChoice::kNewIndoor, StartChoice::kNewOutdoor}) {
        MainWindow& w = Start({kind});
        std::vector<std::pair<int, QImage>> pictures;
        for (QToolBar* toolbar : {w.StandardToolbar(), w.KindToolbar()}) {
            ASSERT_NE(toolbar, nullptr);
            for (QAction* action : toolbar->actions()) {
                if (action->isSeparator()) {
                    continue;
                }
                const int id = action->data().toInt();
                ASSERT_FALSE(action->icon().isNull()) << id;
                const QImage once = Picture(action->icon(), 1.0);
                const QImage twice = Picture(action->icon(), 2.0);
                // Drawn for the denser screen, not scaled up from the small picture.
                EXPECT_EQ(twice.size(), QSize(2 * kToolIconWidth, 2 * kToolIconHeight)) << id;
                EXPECT_NE(twice, once.scaled(twice.size())) << id;
                // Something is drawn.
                int inked = 0;
                for (int y = 0; y < once.height(); ++y) {
                    for (int x = 0; x < once.width(); ++x) {
                        inked += qAlpha(once.pixel(x, y)) > 0 ? 1 : 0;
                    }
                }
                EXPECT_GT(inked, 20) << id;
                for (const auto& [other, picture] : pictures) {
                    EXPECT_NE(picture, once) << id << " looks like " << other;
                }
                pictures.emplace_back(id, once);

                const QString tip = action->toolTip();
                EXPECT_FALSE(tip.isEmpty()) << id;
                EXPECT_FALSE(tip.contains('&') || tip.endsWith('.') || tip.contains('\t'))
                    << FromQt(tip);
            }
        }
        EXPECT_GE(pictures.size(), 12u);
        EXPECT_EQ(w.Action(kCmdOpen)->toolTip(), QStringLiteral("打开项目"));
        EXPECT_EQ(w.Action(kCmdNew)->toolTip(), QStringLiteral("新项目"));
        EXPECT_EQ(w.Action(kCmdLuminaireCatalogue)->toolTip(), QStringLiteral("灯具扩充"));
    }
}

TEST_F(WindowFitUi, MenusAndToolbarsOfferOnlyCommandsThatWork) {
    const auto expectHandled = [](MainWindow& w, const QList<QAction*>& actions) {
        bool lastWasSeparator = true; // no separator leads
        for (QAction* action : actions) {
            if (action->isSeparator()) {
                EXPECT_FALSE(lastWasSeparator) << "separators side by side";
                lastWasSeparator = true;
                continue;
            }
            lastWasSeparator = false;
            const int id = action->data().toInt();
            EXPECT_TRUE(w.HandlesCommand(id)) << id << " " << FromQt(action->text());
        }
        EXPECT_FALSE(lastWasSeparator && !actions.isEmpty()) << "separator at the end";
    };
    for (const StartChoice kind :
         {StartChoice::kClosed, StartChoice::kNewIndoor, StartChoice::kNewOutdoor}) {
        MainWindow& w = Start({kind});
        int shown = 0;
        for (QAction* entry : w.menuBar()->actions()) {
            ASSERT_NE(entry->menu(), nullptr);
            EXPECT_FALSE(entry->menu()->actions().isEmpty()) << FromQt(entry->text());
            expectHandled(w, entry->menu()->actions());
            shown += static_cast<int>(entry->menu()->actions().size());
        }
        EXPECT_GT(shown, 3);
        for (QToolBar* toolbar : {w.StandardToolbar(), w.KindToolbar()}) {
            if (toolbar) {
                expectHandled(w, toolbar->actions());
            }
        }
    }
    // The glare commands have no calculation yet and are not offered.
    MainWindow& w = Start({StartChoice::kNewOutdoor});
    EXPECT_FALSE(w.HandlesCommand(kCmdGrGrid));
    for (QAction* entry : w.menuBar()->actions()) {
        EXPECT_FALSE(entry->menu()->actions().contains(w.Action(kCmdGrGrid)));
        EXPECT_FALSE(entry->menu()->actions().contains(w.Action(kCmdLampCatalogue)));
    }
}

TEST_F(WindowFitUi, CatalogueMenuImportsPhotometricFilesAndShowsTheFolder) {
    std::filesystem::copy_file(QV_CATALOGUE_PATH, dir.File("Lamps.db"));
    MainWindow& w = Start({StartChoice::kNewOutdoor});
    std::vector<std::string> opened;
    w.SetFolderOpener([&](const std::string& folder) { opened.push_back(folder); });
    std::vector<std::string> offered;
    w.SetPhotometricChooser([&](QWidget*) { return offered; });
    std::vector<std::string> before;
    ListLuminaireNames(*catalogue, before);

    Trigger(kCmdLuminaireCatalogue); // the dialog cancelled
    EXPECT_TRUE(messages.shown.empty());

    WriteFileText(dir.File("bad.ies"), "IESNA:LM-63-2002\nTILT=NONE\n1 2 3\n");
    WriteFileText(dir.File("panel.ies"), kIes2002Bilateral);
    offered = {dir.File("panel.ies"), dir.File("bad.ies")};
    Trigger(kCmdLuminaireCatalogue);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].icon, KvMessageIcon::Warning);
    EXPECT_NE(messages.shown[0].text.find("bad.ies"), std::string::npos);
    std::vector<std::string> names;
    ListLuminaireNames(*catalogue, names);
    EXPECT_EQ(names, before); // one bad file: nothing added

    offered = {dir.File("panel.ies")};
    Trigger(kCmdLuminaireCatalogue);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].icon, KvMessageIcon::Information);
    ListLuminaireNames(*catalogue, names);
    ASSERT_GT(names.size(), before.size());
    std::string added;
    for (const std::string& name : names) {
        if (std::find(before.begin(), before.end(), name) == before.end()) {
            added = name;
        }
    }
    ASSERT_FALSE(added.empty());
    EXPECT_NE(messages.shown[1].text.find(added), std::string::npos) << messages.shown[1].text;

    Trigger(kCmdCatalogueFolder);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_TRUE(std::filesystem::equivalent(opened[0], dir.File("")));
    EXPECT_EQ(messages.shown.size(), 2u);
}

} // namespace
} // namespace qv::test
