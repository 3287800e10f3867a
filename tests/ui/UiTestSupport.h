#pragma once
// Helpers of the GUI tests: the application object for the whole run (offscreen), dialogs
// and message boxes answered by the test, a started main window over a scratch settings
// folder, and ways to find its controls.
#include "app/Startup.h"
#include "model/ProjectFile.h"
#include "model/ProjectTestSupport.h"
#include "ui/CornerGridView.h"
#include "ui/MainWindow.h"
#include "ui/ShellDialogs.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QProgressBar>
#include <QSpinBox>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace qv::test {

// The file dialogs, the welcome dialog, the about box and the reference dialogs, answered
// from queues.
class ScriptedDialogs : public ShellDialogs {
public:
    std::deque<std::optional<Luminaire>> luminaires; // nothing = Cancel
    std::vector<Luminaire> luminaireStarts;          // what each luminaire dialog got
    std::deque<std::optional<int>> standards;        // nothing = closed without 确定
    std::deque<StandardPlace> standardPlaces;        // the places of the answers, if given
    std::deque<std::optional<double>> reflectances;  // nothing = closed
    std::vector<double> reflectanceStarts;

    std::deque<std::optional<std::string>> files; // nothing = Cancel
    std::deque<StartChoice> starts;               // none left = closed
    std::vector<FileDialogSpec> fileDialogs;      // every file dialog shown
    // The notices of saved books (path, whether an opener was offered), answered from a
    // queue (then with "打开").
    struct BookNotice {
        std::string path;
        bool canOpen;
    };
    std::deque<BookSavedChoice> bookChoices;
    std::vector<BookNotice> bookNotices;
    int welcomeShown = 0;
    int aboutShown = 0;

    std::optional<std::string> ChooseFile(QWidget*, const FileDialogSpec& request) override;
    StartChoice ChooseStart(QWidget*) override;
    void ShowAbout(QWidget*) override { ++aboutShown; }
    std::optional<Luminaire> EditLuminaire(QWidget*, const Luminaire& luminaire) override;
    std::optional<StandardChoice> ChooseStandardIlluminance(QWidget*) override;
    std::optional<double> ChooseReflectance(QWidget*, double reflectance) override;
    BookSavedChoice NoticeBookSaved(QWidget*, const std::string& path, bool canOpen) override;
};

// Message boxes: recorded, answered from a queue (then with the first button).
class ScriptedMessages {
public:
    ScriptedMessages();
    std::deque<KvMessageAnswer> answers;
    std::vector<KvMessage> shown;

private:
    KvScopedMessageHandler m_scope;
};

// The cells and headers of a grid whose text is wider than its column with the style's
// text margins ("row,column: text", "header column: text"): what the grid would cut short
// with "…". Empty when every text shows whole.
std::vector<std::string> ElidedTexts(const QTableView& grid);

class UiTest : public ::testing::Test {
protected:
    // Starts the main window with the choices of the welcome dialog queued, or with a
    // project file on the command line.
    MainWindow& Start(std::deque<StartChoice> choices, const QStringList& files = {});
    // A copy of an example project in the scratch folder (opening writes the file back).
    std::string Example(const std::string& name) const;
    void Trigger(int command) const;
    // Triggers the command and returns the calculation panel it opened, failing the test
    // when it opened none of that kind.
    template <typename Window> Window& Open(int command) {
        Trigger(command);
        auto* panel = window->CalcPanels().PanelAs<Window>(command);
        if (!panel) {
            ADD_FAILURE() << "no panel of " << command;
            throw std::runtime_error("no panel");
        }
        return *panel;
    }
    // The button of a page with the text, failing the test when there is none.
    static QAbstractButton& Button(QWidget& page, const QString& text);
    static QLineEdit& Field(QWidget& page, const QString& label);
    static void EditCell(QTableWidget& grid, int row, int column, const QString& text);
    static void SelectRow(QTableWidget& grid, int row);
    std::vector<std::string> PlanTexts() const;

    TempDir dir;
    ScriptedDialogs dialogs;
    ScriptedMessages messages;
    KvAccess catalogueAccess;
    std::unique_ptr<CatalogueDatabase> catalogue; // outlives the window
    std::unique_ptr<MainWindow> window;
};

} // namespace qv::test
