#pragma once
// What every calculation panel window shares: a modeless window over the main window,
// the services the main window gives it (the current room and luminaires, the books, the
// plan), rows of buttons, labelled output fields, and "写计算书".
#include "catalogue/CatalogueDatabase.h"
#include "model/Project.h"
#include "panels/FileDialogSpec.h"
#include "panels/PanelCells.h"
#include "report/CalcBookWriter.h"
#include "report/books/BookComposer.h"
#include "ui/PanelGrid.h"

#include <kelvorin/KvMessage.h>

#include <QDialog>

#include <functional>
#include <optional>
#include <string>

class QBoxLayout;
class QFormLayout;
class QLineEdit;
class QPushButton;

namespace qv {

// The main window's side of a calculation panel.
struct CalcPanelContext {
    // A snapshot of the current project collected from the open editing panels.
    std::function<Project()> snapshot;
    // The room's luminaire entries replaced ("确定调整室内灯具数量").
    std::function<void(const LuminaireList&)> replaceLuminaires;
    // The snapshot, changed by the panel, pushed back to the open editing panels
    // ("确定调整场内灯具数量").
    std::function<void(const Project&)> replaceProject;
    // The panel changed what the plan shows of it.
    std::function<void()> planChanged;
    // A file dialog answered by the user (nothing on Cancel).
    std::function<std::optional<std::string>(const FileDialogSpec&)> chooseFile;
    std::string settings;  // the settings file naming the books folder
    DocumentOpener opener; // shows a saved book
    CatalogueDatabase* catalogue = nullptr;
    // The project information the books print (none when unset).
    std::function<ProjectInfo()> projectInfo;
};

class CalcPanelWindow : public QDialog {
    Q_OBJECT
public:
    CalcPanelWindow(CalcPanelContext context, const std::string& caption, QWidget* parent);

protected:
    // A button in the row. "写计算书" is followed by "另存为PDF", which writes the same
    // book and converts it to PDF (LibreOffice) instead of showing the .docx.
    QPushButton* AddButton(QBoxLayout& row, const char* text, std::function<void()> action);
    // A read-only field under its label; it can be found by the label.
    static QLineEdit* AddOutput(QFormLayout& form, const QString& label);
    // Writes the book into the books folder and shows it; the caption becomes the book's
    // name when it was saved.
    bool WriteBook(const std::function<BookName(CalcBookWriter&)>& write,
                   const std::function<std::string()>& captionAfter);
    void ShowCaption(const std::string& caption);

    // "写计算书" for a panel model that names its book: write(writer) writes it, and once
    // it is saved the panel is told and its caption (the book's name) shown.
    template <typename Panel>
    void AddBookButton(QBoxLayout& row, Panel& panel,
                       std::function<BookName(CalcBookWriter&)> write) {
        AddButton(row, "写计算书", [this, &panel, write = std::move(write)] {
            WriteBook(write, [&panel] {
                panel.BookWritten();
                return panel.Caption();
            });
        });
    }

    // The grid's edited cells go to the panel model, checked first when the panel checks
    // its number cells.
    template <typename Panel> void BindCells(PanelGrid& grid, Panel& panel) {
        if constexpr (requires { Panel::CellRefusal(0, std::string()); }) {
            grid.SetCellCheck([](int, int column, const std::string& text) {
                return Panel::CellRefusal(column, text);
            });
        }
        connect(&grid, &PanelGrid::CellEdited, this,
                [&panel](int row, int column, const std::string& text) {
                    panel.EditCell(row, column, text);
                });
    }
    // "确定调整室内灯具数量": the room's entries replaced by the panel's counts laid out
    // over the room, or a message when they add up to more luminaires than the panel
    // places or the room has no outline to lay them out in.
    template <typename Panel> void AddCountAdjustment(QBoxLayout& row, Panel& panel) {
        AddButton(row, "确定调整室内灯具数量", [this, &panel] {
            const Project snapshot = m_context.snapshot();
            LuminaireList luminaires = snapshot.luminaires;
            switch (panel.ApplyCounts(snapshot.room, luminaires)) {
            case CountAdjustment::kApplied:
                m_context.replaceLuminaires(luminaires);
                break;
            case CountAdjustment::kTooMany:
                KvMessageSink::Show(TooManyLuminairesMessage(Panel::kMaxAppliedLuminaires));
                break;
            case CountAdjustment::kNoRoom:
                KvMessageSink::Show(NoRoomForCountsMessage());
                break;
            }
        });
    }
    static KvMessage TooManyLuminairesMessage(long long limit);
    static KvMessage NoRoomForCountsMessage();
    // 写计算书 before any calculation: the book would have no values, so none is written.
    static KvMessage NothingCalculatedMessage();

    CalcPanelContext m_context;

private:
    bool m_bookAsPdf = false; // the book being written is asked for as PDF
};

} // namespace qv
