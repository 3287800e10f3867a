#include "ui/UiTestSupport.h"

#include "ui/AppFont.h"
#include "ui/QtText.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QStyle>

#include <algorithm>
#include <filesystem>

namespace qv::test {
namespace {

// One application object for the whole test program, on the offscreen platform unless
// another one was asked for.
class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        m_application = std::make_unique<QApplication>(m_argc, m_argv);
        UseChineseFont(*m_application);
    }
    void TearDown() override { m_application.reset(); }

private:
    int m_argc = 1;
    char m_name[9] = "ui_tests";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_application;
};

[[maybe_unused]] ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

} // namespace

std::optional<std::string> ScriptedDialogs::ChooseFile(QWidget*, const FileDialogSpec& request) {
    fileDialogs.push_back(request);
    if (files.empty()) {
        ADD_FAILURE() << "unexpected file dialog " << request.filter;
        return std::nullopt;
    }
    std::optional<std::string> answer = files.front();
    files.pop_front();
    return answer;
}

std::optional<Luminaire> ScriptedDialogs::EditLuminaire(QWidget*, const Luminaire& luminaire) {
    luminaireStarts.push_back(luminaire);
    if (luminaires.empty()) {
        return std::nullopt;
    }
    std::optional<Luminaire> answer = luminaires.front();
    luminaires.pop_front();
    return answer;
}

std::optional<StandardChoice> ScriptedDialogs::ChooseStandardIlluminance(QWidget*) {
    if (standards.empty()) {
        return std::nullopt;
    }
    const std::optional<int> answer = standards.front();
    standards.pop_front();
    StandardPlace place;
    if (!standardPlaces.empty()) {
        place = standardPlaces.front();
        standardPlaces.pop_front();
    }
    if (!answer) {
        return std::nullopt;
    }
    return StandardChoice{*answer, place};
}

std::optional<double> ScriptedDialogs::ChooseReflectance(QWidget*, double reflectance) {
    reflectanceStarts.push_back(reflectance);
    if (reflectances.empty()) {
        return std::nullopt;
    }
    const std::optional<double> answer = reflectances.front();
    reflectances.pop_front();
    return answer;
}

BookSavedChoice ScriptedDialogs::NoticeBookSaved(QWidget*, const std::string& path, bool canOpen) {
    bookNotices.push_back({path, canOpen});
    if (bookChoices.empty()) {
        return BookSavedChoice::kOpen;
    }
    const BookSavedChoice answer = bookChoices.front();
    bookChoices.pop_front();
    return answer;
}

StartChoice ScriptedDialogs::ChooseStart(QWidget*) {
    ++welcomeShown;
    if (starts.empty()) {
        return StartChoice::kClosed;
    }
    const StartChoice choice = starts.front();
    starts.pop_front();
    return choice;
}

ScriptedMessages::ScriptedMessages()
    : m_scope([this](const KvMessage& message) {
          shown.push_back(message);
          if (answers.empty()) {
              return KvMessageSink::DefaultAnswer(message.buttons);
          }
          const KvMessageAnswer answer = answers.front();
          answers.pop_front();
          return answer;
      }) {}

MainWindow& UiTest::Start(std::deque<StartChoice> choices, const QStringList& files) {
    dialogs.starts = std::move(choices);
    window.reset(); // the window's progress handler goes before the next one is installed
    const AppPaths paths = AppPaths::WithTextFolder(dir.File(""));
    catalogue = std::make_unique<CatalogueDatabase>(catalogueAccess, paths.database);
    window = std::make_unique<MainWindow>(paths, dialogs, *catalogue);
    StartMainWindow(*window, files);
    QApplication::processEvents(); // lay the window out
    return *window;
}

std::string UiTest::Example(const std::string& name) const {
    const std::string copy = dir.File(name);
    std::filesystem::copy_file(std::string(QV_SOURCE_DIR) + "/data/examples/" + name, copy,
                               std::filesystem::copy_options::overwrite_existing);
    return copy;
}

void UiTest::Trigger(int command) const {
    QAction* action = window->Action(command);
    ASSERT_NE(action, nullptr) << command;
    ASSERT_TRUE(action->isEnabled()) << command;
    action->trigger();
}

QAbstractButton& UiTest::Button(QWidget& page, const QString& text) {
    for (QAbstractButton* button : page.findChildren<QAbstractButton*>()) {
        if (button->text() == text) {
            return *button;
        }
    }
    ADD_FAILURE() << "no button " << FromQt(text);
    throw std::runtime_error("no such button");
}

QLineEdit& UiTest::Field(QWidget& page, const QString& label) {
    QWidget* row = page.findChild<QWidget*>(label);
    QLineEdit* edit = qobject_cast<QLineEdit*>(row);
    if (!edit && row) {
        edit = row->findChild<QLineEdit*>();
    }
    if (!edit) {
        ADD_FAILURE() << "no field " << FromQt(label);
        throw std::runtime_error("no such field");
    }
    return *edit;
}

void UiTest::EditCell(QTableWidget& grid, int row, int column, const QString& text) {
    grid.item(row, column)->setText(text); // what the cell editor commits
    QApplication::processEvents();         // grids that check a cell take it once it closed
}

void UiTest::SelectRow(QTableWidget& grid, int row) {
    grid.selectRow(row);
}

std::vector<std::string> UiTest::PlanTexts() const {
    std::vector<std::string> texts;
    for (const KvEntity& entity : window->Drawing().model) {
        if (const KvText* text = std::get_if<KvText>(&entity)) {
            texts.push_back(text->text);
        }
    }
    return texts;
}

std::vector<std::string> ElidedTexts(const QTableView& grid) {
    std::vector<std::string> elided;
    const QAbstractItemModel& model = *grid.model();
    const QHeaderView& header = *grid.horizontalHeader();
    const int cellMargins =
        2 * (grid.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &grid) + 1);
    const int headerMargins =
        2 * header.style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, &header);
    const auto widest = [](const QFontMetrics& metrics, const QString& text) {
        int width = 0;
        for (const QString& line : text.split(QLatin1Char('\n'))) {
            width = std::max(width, metrics.horizontalAdvance(line));
        }
        return width;
    };
    for (int column = 0; column < model.columnCount(); ++column) {
        const int width = grid.columnWidth(column);
        const QString title = model.headerData(column, Qt::Horizontal).toString();
        if (widest(QFontMetrics(header.font()), title) + headerMargins > width) {
            elided.push_back("header " + std::to_string(column) + ": " + FromQt(title));
        }
        for (int row = 0; row < model.rowCount(); ++row) {
            const QString text = model.index(row, column).data().toString();
            if (widest(QFontMetrics(grid.font()), text) + cellMargins > width) {
                elided.push_back(std::to_string(row) + "," + std::to_string(column) + ": " +
                                 FromQt(text));
            }
        }
    }
    return elided;
}

} // namespace qv::test
