#pragma once
// One word-processing document (.docx) held in memory: paragraphs of formatted runs,
// tables and pictures appended in order at its end, saved as a whole package. A new
// document is an empty A4 page; an opened one keeps every part it held (styles,
// pictures, headers) and is appended to after its last paragraph.
//
// Operations give 1 on success and 0 on failure. A failure the user must see leaves
// its reason in `error`; a silent rejection (no font, no cells) leaves it empty.
// Shared by KvWord and the program's calculation books.
#include <kelvorin/KvDocxText.h>
#include <kelvorin/KvExport.h>

#include <memory>
#include <pugixml.hpp>
#include <string>
#include <vector>

namespace kv_detail {
class OpcPackage;
}

class KV_API KvDocxDocument {
public:
    // Largest table the word processor makes.
    static constexpr int kMaxTableRows = 32767;
    static constexpr int kMaxTableColumns = 63;
    // Font sizes the word processor accepts, in points.
    static constexpr float kMinFontSize = 1.0f;
    static constexpr float kMaxFontSize = 1638.0f;
    // WriteSpace writes at most this many line feeds.
    static constexpr int kMaxSpaceLines = 1000;

    KvDocxDocument();
    ~KvDocxDocument();
    KvDocxDocument(const KvDocxDocument&) = delete;
    KvDocxDocument& operator=(const KvDocxDocument&) = delete;

    // Reads a .docx file; nullptr with the reason when it is not one.
    static std::unique_ptr<KvDocxDocument> Open(const std::string& path, std::string& error);

    // 0 portrait, 1 landscape (A4).
    int SetOrientation(int orientation, std::string& error);
    // One run: mode 1 starts a new paragraph (or fills the last one when it has no
    // text) and gives it and the paragraphs its line feeds open the alignment; any
    // other mode appends to the last paragraph. Alignment 0 left, 1 centred, 2 right,
    // 3 justified, 4 distributed; script 1 subscript, 2 superscript. Silently 0 when
    // the trimmed font name is empty or the size is below 0.0001.
    int WriteContent(const std::string& text, int mode, float size, const std::string& fontName,
                     int bold, long alignment, int script, std::string& error);
    // count line feeds as a new paragraph in 宋体 10, left aligned.
    int WriteSpace(int count, std::string& error);
    // A blank line, then a bordered table of fixed column widths (points; 0 shares the
    // text width equally), centred on the page, filled row by row from cells (missing
    // texts leave cells empty). Silently 0 when rows or columns are below 1 or cells is
    // empty.
    int AddTable(int rows, int columns, float columnWidth, const std::vector<std::string>& cells,
                 std::string& error);
    // A picture (PNG, JPEG or BMP file) in a new paragraph of the alignment, at the
    // given width in points keeping its proportions (0 or less: its own size at 96 dots
    // per inch), never wider than the text.
    int AddPicture(const std::string& path, long alignment, float width, std::string& error);
    // Line spacing of the last paragraph and of every paragraph written after it, by the
    // word processor's rule codes: 0 single, 1 one and a half lines, 2 double (value
    // unused), 3 at least and 4 exactly `value` points, 5 `value` lines.
    int SetParagraphFormat(long rule, float value, std::string& error);

    // The page header of every page: the text centred in 9 points, with a rule below.
    int SetPageHeader(const std::string& text, std::string& error);
    // The page footer of every page, centred in 9 points: before + page number field +
    // middle + page count field + after ("第 " 1 " 页 共 " 3 " 页").
    int SetPageFooter(const std::string& before, const std::string& middle,
                      const std::string& after, std::string& error);
    // The document properties: title, author and creation time (UTC, "2026-12-07T15:00:00Z").
    int SetCoreProperties(const std::string& title, const std::string& creator,
                          const std::string& created, std::string& error);
    // The last count paragraphs stay on the page of the paragraph after them.
    int KeepWithNext(int count);
    // The look of the last table: with headerRow its first row is bold and repeated at
    // the top of every page; cells that hold a number are right aligned; with
    // fitColumns the columns share the table's width by the length of their texts.
    int FormatLastTable(bool headerRow, bool fitColumns);

    // The document's text: paragraphs (also those in tables) separated by line feeds,
    // table cells by tabs.
    std::string Text() const;
    // Writes the package to path atomically.
    int Save(const std::string& path, std::string& error) const;

    // The path with ".docx" added when it does not end with it (in any case).
    static std::string WithDocxExtension(const std::string& path);
    // Shows "Word软件出错!\n" and the reason through the message sink; 0.
    static int ShowWordError(const std::string& reason, const std::string& caption);
    // The result of an operation, its failure shown when it has a reason.
    static int Shown(int result, const std::string& error, const std::string& caption);

    // For writers of further content (equations): the body, its last paragraph and the
    // format of the last run written.
    pugi::xml_node Body() const { return m_body; }
    pugi::xml_node LastParagraph() const;
    const KvRunFormat& InForce() const { return m_inForce; }
    // The width between the page margins, in twips.
    int TextWidth() const;

private:
    bool Adopt(std::string& error);
    std::string PagePart(const char* kind, const char* reference, const std::string& xml);
    void ApplyParagraphFormat(pugi::xml_node paragraph) const;

    std::unique_ptr<kv_detail::OpcPackage> m_package;
    std::string m_mainPart;
    pugi::xml_document m_xml;
    pugi::xml_node m_body;
    pugi::xml_node m_section; // the page setup, always the body's last child
    KvRunFormat m_inForce;
    long m_lineRule = -1; // none set
    float m_lineValue = 0.0f;
    int m_nextPictureId = 1;
};

// The failure boxes of one writer of documents, each under the writer's own caption.
struct KvDocxErrors {
    std::string caption;

    // "Word软件出错!" with the reason; 0.
    int Error(const std::string& reason) const {
        return KvDocxDocument::ShowWordError(reason, caption);
    }
    // An operation asked for while no document is open; 0.
    int NoDocument() const { return Error("没有打开的文档"); }
    // The result of an operation, its failure shown when it has a reason.
    int Shown(int result, const std::string& error) const {
        return KvDocxDocument::Shown(result, error, caption);
    }
};
