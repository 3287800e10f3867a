#pragma once
// Word-processor documents (.docx) for programs that link the library: a set of open
// documents addressed by name, one of them active, written to in order as the
// calculation books are (kelvorin/KvDocxDocument.h holds the shared document code).
//
// A document opened from a file is named by its file name ("book.docx"), a new one
// "文档1", "文档2", ... until it is saved under a file name. The operations work on the
// active document: the one last opened, made or made active.
//
// Results: 1 success, 0 failure. Failures the user must see are shown through the
// message sink with the caption "Varsolin" as "Word软件出错!\n" and the reason; the
// silent rejections of WriteContent and AddTable show nothing.
#include <kelvorin/KvExport.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class KvDocxDocument;
class KvStTable;

class KV_API KvWord {
public:
    // Shows a saved document to the user (e.g. opening it with the desktop's default
    // application); a KvWord without one shows nothing.
    using Opener = std::function<void(const std::string& path)>;

    explicit KvWord(Opener opener = {});
    virtual ~KvWord();
    KvWord(const KvWord&) = delete;
    KvWord& operator=(const KvWord&) = delete;

    // Opens a .docx file as the active document (made active again when already open).
    int OpenFile(const std::string& path);
    // A new empty A4 portrait document becomes the active one.
    int NewFile();
    // Saves the active document where it was opened or last saved; 0 for a document
    // never saved.
    int SaveFile();
    // Saves the active document under path (".docx" added when missing), which becomes
    // its place and its name.
    int SaveAsFile(const std::string& path);
    // Closes the named document without saving it (an empty name: the active one).
    int CloseFile(const std::string& name);
    // Closes every document without saving; 1.
    int Quit();
    // When set, every save hands the saved file to the opener. Always 1.
    int SetAppVisible(int flag);
    int SetDocActive(const std::string& name);
    // 0 portrait, 1 landscape.
    int SetDocOrientation(int orientation);
    // Line spacing from the last paragraph on: rule 0 single, 1 one and a half lines,
    // 2 double, 3 at least and 4 exactly `value` points, 5 `value` lines.
    int SetParaFormat(long rule, float value);
    // One run, as the calculation books write it: mode 1 starts a new paragraph, any
    // other mode appends to the last one; alignment 0 left, 1 centred, 2 right,
    // 3 justified, 4 distributed; script 1 subscript, 2 superscript. Silently 0 when the
    // trimmed font name is empty or the size is below 0.0001.
    int WriteContent(const std::string& text, int mode, float size, const std::string& fontName,
                     int bold, long alignment, int script);
    // The texts joined by line feeds, written as one run.
    int WriteContent(const std::vector<std::string>& texts, int mode, float size,
                     const std::string& fontName, int bold, long alignment, int script);
    // count line feeds as a new paragraph in 宋体 10.
    int WriteSpace(int count);
    // A blank line, then a bordered table of rows × columns with fixed column widths
    // (points; 0 shares the text width), filled row by row from cells. Silently 0 when
    // rows or columns are below 1 or cells is empty.
    int AddTable(int rows, int columns, float columnWidth, const std::vector<std::string>& cells);
    // The table's label record as the first row, then its rows, as many columns as it
    // has fields.
    int AddTable(float columnWidth, const KvStTable& table);
    // A PNG, JPEG or BMP picture at its own size (96 dots per inch, at most the text
    // width) in a new paragraph of the alignment (codes as WriteContent), with the text
    // as a caption line below it when the text is not blank.
    int InsertPic(const std::string& picturePath, const std::string& text, int alignment);
    // The same, centred and scaled to the width in points (0 or less: its own size).
    int InsertPicEx(const std::string& picturePath, const std::string& text, int width);
    // The active document's text: paragraphs separated by line feeds, a table row as one
    // line with its cells separated by tabs.
    int GetContent(std::string& text) const;

    // Names of the open documents, in the order they were opened or made.
    std::vector<std::string> DocumentNames() const;
    std::string ActiveName() const;

private:
    struct Entry;

    Entry* Active() const;
    Entry* Find(const std::string& name) const;
    int Save(Entry& entry, const std::string& path);
    int AddPicture(const std::string& path, const std::string& text, long alignment, float width);

    std::vector<std::unique_ptr<Entry>> m_documents;
    Entry* m_active = nullptr;
    Opener m_opener;
    bool m_visible = true;
    int m_newCount = 0;
};
