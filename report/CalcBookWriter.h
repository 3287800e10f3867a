#pragma once
// The document builder of the calculation books. A writer holds one active document,
// made by NewFile, and appends to it in order: paragraphs of formatted runs, tables and
// equations. Equations are given in the notation of report/EqNotation.h and written as
// native Office Math; the document is saved as a .docx file.
//
// Results follow the book operations' convention: 1 success, 0 failure. A failure that
// the user must see (no active document, a file that cannot be written, a table too
// large) is shown through the message sink with the caption "系统提示" as
// "Word软件出错!\n" followed by the reason; the silent rejections of WriteContent,
// AddTable and InsertEquation show nothing.
#include "model/ProjectInfo.h"
#include "report/EqNotation.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace qv {

// Shows a saved document to the user, for the program: opening it with the desktop's
// default application (report/DesktopOpener.h). Writers without one show nothing.
using DocumentOpener = std::function<void(const std::string& path)>;

class CalcBookWriter {
public:
    // Largest table the word processor makes.
    static constexpr int kMaxTableRows = 32767;
    static constexpr int kMaxTableColumns = 63;
    // Font sizes the word processor accepts, in points.
    static constexpr float kMinFontSize = 1.0f;
    static constexpr float kMaxFontSize = 1638.0f;
    // WriteSpace writes at most this many line feeds.
    static constexpr int kMaxSpaceLines = 1000;

    explicit CalcBookWriter(DocumentOpener opener = {});
    virtual ~CalcBookWriter();
    CalcBookWriter(const CalcBookWriter&) = delete;
    CalcBookWriter& operator=(const CalcBookWriter&) = delete;

    // A new empty A4 portrait document becomes the active one (the previous one is
    // dropped); 1.
    int NewFile();
    // 0 portrait, 1 landscape (A4).
    int SetDocOrientation(int orientation);
    // Shows (1) or stops showing (0) the document: when set, every save hands the saved
    // file to the opener, and setting it after a save shows the saved file at once.
    // Set from the start. Always 1.
    int SetAppVisible(int flag);
    // Saves the active document. A name without a folder goes into the save folder;
    // ".docx" is added when the name does not end with it. An existing file is replaced
    // only by a complete new one.
    int SaveAsFile(const std::string& fileName);
    // One run: mode 1 starts a new paragraph (or fills the last one when it has no
    // text) and gives it and the paragraphs its line feeds open the alignment; any
    // other mode appends to the last paragraph. Line feeds start new paragraphs, tabs are kept.
    // Alignment 0 left, 1 centred, 2 right, 3 justified, 4 distributed; script 1
    // subscript, 2 superscript. 0 without writing when the trimmed font name is empty
    // or the size is below 0.0001.
    int WriteContent(const std::string& text, int mode, float size, const std::string& fontName,
                     int bold, long alignment, int script);
    // count line feeds as a new paragraph in 宋体 10, left aligned.
    int WriteSpace(int count);
    // A blank line, then a bordered table of fixed column widths (points; 0 shares the
    // text width equally), centred on the page, filled row by row from cells (missing
    // texts leave cells empty). 0 when rows or columns are below 1 or cells is empty.
    int AddTable(int rows, int columns, float columnWidth, const std::vector<std::string>& cells);
    // Appends the formula as an equation to the last paragraph, in the given size
    // (points; 0: the size of the text before it), then starts a new paragraph. A formula
    // wider than the text goes on over further paragraphs, broken before its equals
    // signs. Malformed notation is written as plain text. 0 when the trimmed formula is
    // empty.
    int InsertEquation(const std::string& formula, float size = 0.0f);
    // A picture file (PNG, JPEG, GIF or BMP) centred in a paragraph of its own, width
    // points wide (0: its own size at 96 dpi), never wider than the text. The file is
    // read at once and may be removed after. A file that cannot be read or is no picture
    // is reported.
    int AddPicture(const std::string& path, float width = 0.0f);

    // The page furniture of the active document: the header text, the footer
    // "第 X 页 共 Y 页" with the page number and count fields, and the document
    // properties (title, author, created now). 1, or 0 without a document.
    int SetPageFurniture(const std::string& header, const std::string& title,
                         const std::string& author);
    // The last count paragraphs are kept on the page of the paragraph after them.
    int KeepWithNext(int count);
    // The last table: a bold header row repeated on every page, numbers right aligned,
    // columns as wide as their texts need (see KvDocxDocument::FormatLastTable).
    int FormatLastTable(bool headerRow, bool fitColumns);
    // Called once with the writer before the active document is first saved (the
    // books' signature block); a new document drops it.
    void SetFinisher(std::function<void(CalcBookWriter&)> finisher);

    // The project the book is written for, set by whoever makes the writer; the books
    // print it in their header lines, page header and signature block.
    void SetProjectInfo(const ProjectInfo& info) { m_info = info; }
    const ProjectInfo& Info() const { return m_info; }

    // Folder for file names without a folder; empty (the default): the working folder.
    void SetSaveFolder(const std::string& folder) { m_saveFolder = folder; }
    // Where the active document was last saved, or empty text.
    std::string SavedPath() const;

private:
    struct Document;

    std::unique_ptr<Document> m_document;
    DocumentOpener m_opener;
    std::string m_saveFolder;
    ProjectInfo m_info;
    bool m_visible = true;
};

} // namespace qv
