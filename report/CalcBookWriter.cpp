#include "report/CalcBookWriter.h"

#include "report/DocxPackage.h"
#include "report/DocxText.h"
#include "report/OmmlWriter.h"

#include <kelvorin/KvFile.h>
#include <kelvorin/KvMessage.h>
#include <kelvorin/KvStr.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <sstream>

namespace qv {

namespace {

// A4 in twentieths of a point, with the usual margins of a Chinese A4 page.
constexpr int kA4ShortSide = 11906;
constexpr int kA4LongSide = 16838;
constexpr int kMarginTopBottom = 1440;
constexpr int kMarginLeftRight = 1800;
// Widest column the word processor accepts, in points (22 inches).
constexpr float kMaxColumnWidth = 1584.0f;

// Paragraph alignment codes 0 to 4 as document values; nullptr for any other code.
const char* AlignmentValue(long alignment) {
    static const char* const kValues[] = {"left", "center", "right", "both", "distribute"};
    return alignment >= 0 && alignment < 5 ? kValues[alignment] : nullptr;
}

int ReportWordError(const std::string& reason) {
    KvMessageSink::Show("Word软件出错!\n" + reason, "系统提示", KvMessageIcon::Warning);
    return 0;
}

int ReportNoDocument() {
    return ReportWordError("没有打开的文档");
}

bool HasText(pugi::xml_node paragraph) {
    return !KvStr::Trim(ParagraphText(paragraph)).empty();
}

const char* AlignmentOf(pugi::xml_node paragraph) {
    return paragraph.child("w:pPr").child("w:jc").attribute("w:val").value();
}

void SetAttributes(pugi::xml_node element,
                   std::initializer_list<std::pair<const char*, int>> attributes) {
    for (const auto& [name, value] : attributes) {
        element.append_attribute(name) = value;
    }
}

void SetWidth(pugi::xml_node element, int twips) {
    element.append_attribute("w:w") = twips;
    element.append_attribute("w:type") = "dxa";
}

// Table properties and grid: single borders all round and inside, fixed columns of the
// given width (twips), centred on the page.
void WriteTableLayout(pugi::xml_node table, int columns, int width) {
    pugi::xml_node properties = table.append_child("w:tblPr");
    SetWidth(properties.append_child("w:tblW"), width * columns);
    properties.append_child("w:jc").append_attribute("w:val") = "center";
    pugi::xml_node borders = properties.append_child("w:tblBorders");
    for (const char* side : {"w:top", "w:left", "w:bottom", "w:right", "w:insideH", "w:insideV"}) {
        pugi::xml_node border = borders.append_child(side);
        border.append_attribute("w:val") = "single";
        SetAttributes(border, {{"w:sz", 4}, {"w:space", 0}});
        border.append_attribute("w:color") = "auto";
    }
    properties.append_child("w:tblLayout").append_attribute("w:type") = "fixed";
    pugi::xml_node grid = table.append_child("w:tblGrid");
    for (int c = 0; c < columns; ++c) {
        grid.append_child("w:gridCol").append_attribute("w:w") = width;
    }
}

std::string WithDocxExtension(const std::string& path) {
    const std::string extension = ".docx";
    const bool has = path.size() >= extension.size() &&
                     KvStr::EqualNoCase(path.substr(path.size() - extension.size()), extension);
    return has ? path : path + extension;
}

} // namespace

struct CalcBookWriter::Document {
    pugi::xml_document xml;
    pugi::xml_node body;
    pugi::xml_node section; // the page setup, always the body's last child
    RunFormat inForce;      // format of the last run written
    std::string savedPath;

    Document() {
        pugi::xml_node declaration = xml.append_child(pugi::node_declaration);
        declaration.append_attribute("version") = "1.0";
        declaration.append_attribute("encoding") = "UTF-8";
        declaration.append_attribute("standalone") = "yes";
        pugi::xml_node root = xml.append_child("w:document");
        root.append_attribute("xmlns:w") =
            "http://schemas.openxmlformats.org/wordprocessingml/2006/main";
        root.append_attribute("xmlns:m") =
            "http://schemas.openxmlformats.org/officeDocument/2006/math";
        body = root.append_child("w:body");
        InsertParagraph(body, {}, "left", inForce);
        section = body.append_child("w:sectPr");
        SetAttributes(section.append_child("w:pgSz"),
                      {{"w:w", kA4ShortSide}, {"w:h", kA4LongSide}});
        SetAttributes(section.append_child("w:pgMar"), {{"w:top", kMarginTopBottom},
                                                        {"w:right", kMarginLeftRight},
                                                        {"w:bottom", kMarginTopBottom},
                                                        {"w:left", kMarginLeftRight},
                                                        {"w:header", 851},
                                                        {"w:footer", 992},
                                                        {"w:gutter", 0}});
    }

    // The body always ends with a paragraph before the page setup.
    pugi::xml_node LastParagraph() const { return section.previous_sibling(); }

    int TextWidth() const {
        return section.child("w:pgSz").attribute("w:w").as_int() - 2 * kMarginLeftRight;
    }

    void SetLandscape(bool landscape) {
        pugi::xml_node size = section.child("w:pgSz");
        size.remove_attribute("w:orient");
        size.attribute("w:w") = landscape ? kA4LongSide : kA4ShortSide;
        size.attribute("w:h") = landscape ? kA4ShortSide : kA4LongSide;
        if (landscape) {
            size.append_attribute("w:orient") = "landscape";
        }
    }

    std::string Serialize() const {
        std::ostringstream out;
        xml.save(out, "", pugi::format_raw, pugi::encoding_utf8);
        return out.str();
    }
};

CalcBookWriter::CalcBookWriter(DocumentOpener opener) : m_opener(std::move(opener)) {}

CalcBookWriter::~CalcBookWriter() = default;

std::string CalcBookWriter::SavedPath() const {
    return m_document ? m_document->savedPath : std::string();
}

int CalcBookWriter::NewFile() {
    m_document = std::make_unique<Document>();
    return 1;
}

int CalcBookWriter::SetDocOrientation(int orientation) {
    if (!m_document) {
        return ReportNoDocument();
    }
    if (orientation != 0 && orientation != 1) {
        return ReportWordError(KvStr::Format("页面方向无效: %d", orientation));
    }
    m_document->SetLandscape(orientation == 1);
    return 1;
}

int CalcBookWriter::SetAppVisible(int flag) {
    m_visible = flag != 0;
    if (m_visible && m_opener && !SavedPath().empty()) {
        m_opener(SavedPath());
    }
    return 1;
}

int CalcBookWriter::SaveAsFile(const std::string& fileName) {
    if (!m_document) {
        return ReportNoDocument();
    }
    const std::string name = KvStr::Trim(fileName);
    if (name.empty()) {
        return ReportWordError("文件名为空");
    }
    std::string path = name;
    if (name.find('/') == std::string::npos && !m_saveFolder.empty()) {
        path = (std::filesystem::path(m_saveFolder) / name).string();
    }
    path = WithDocxExtension(path);
    std::string package;
    std::string error;
    if (!BuildDocxPackage(m_document->Serialize(), package, error) ||
        !KvFile::WriteAtomically(path, package, &error)) {
        return ReportWordError("无法保存文件 " + path + ": " + error);
    }
    m_document->savedPath = path;
    if (m_visible && m_opener) {
        m_opener(path);
    }
    return 1;
}

int CalcBookWriter::WriteContent(const std::string& text, int mode, float size,
                                 const std::string& fontName, int bold, long alignment,
                                 int script) {
    const std::string font = KvStr::Trim(fontName);
    if (font.empty() || size < 0.0001f) {
        return 0;
    }
    if (!m_document) {
        return ReportNoDocument();
    }
    if (!(size >= kMinFontSize && size <= kMaxFontSize)) {
        return ReportWordError(KvStr::Format("字号无效: %g", static_cast<double>(size)));
    }
    const char* jc = AlignmentValue(alignment);
    if (jc == nullptr) {
        return ReportWordError(KvStr::Format("段落对齐方式无效: %ld", alignment));
    }
    const RunFormat format{font, size, bold != 0, script};
    Document& document = *m_document;
    pugi::xml_node last = document.LastParagraph();
    if (mode == 1) {
        pugi::xml_node first =
            HasText(last) ? InsertParagraph(document.body, last, jc, format) : last;
        AppendText(first, text, format);
        for (pugi::xml_node p = first; p != document.section; p = p.next_sibling()) {
            SetParagraphAlignment(p, jc);
        }
    } else {
        AppendText(last, text, format);
    }
    document.inForce = format;
    return 1;
}

int CalcBookWriter::WriteSpace(int count) {
    const std::string feeds(static_cast<std::size_t>(std::clamp(count, 0, kMaxSpaceLines)), '\n');
    return WriteContent(feeds, 1, 10.0f, "宋体", 0, 0, 0);
}

int CalcBookWriter::AddTable(int rows, int columns, float columnWidth,
                             const std::vector<std::string>& cells) {
    if (rows < 1 || columns < 1 || cells.empty() || WriteSpace(1) == 0) {
        return 0;
    }
    if (rows > kMaxTableRows || columns > kMaxTableColumns) {
        return ReportWordError(KvStr::Format("表格行列数超出范围: %d×%d", rows, columns));
    }
    Document& document = *m_document;
    pugi::xml_node last = document.LastParagraph();
    const RunFormat format = document.inForce;
    const std::string alignment = AlignmentOf(last);
    // The table goes at the end of the last paragraph: an empty one stays after it.
    pugi::xml_node table;
    if (HasText(last)) {
        table = document.body.insert_child_after("w:tbl", last);
        InsertParagraph(document.body, table, alignment.c_str(), format);
    } else {
        table = document.body.insert_child_before("w:tbl", last);
    }
    // A width the word processor refuses leaves the columns sharing the text width.
    const int width = columnWidth > 0.0f && columnWidth <= kMaxColumnWidth
                          ? static_cast<int>(std::lround(columnWidth * 20.0f))
                          : document.TextWidth() / columns;
    WriteTableLayout(table, columns, width);
    for (int r = 0; r < rows; ++r) {
        pugi::xml_node row = table.append_child("w:tr");
        for (int c = 0; c < columns; ++c) {
            pugi::xml_node cell = row.append_child("w:tc");
            SetWidth(cell.append_child("w:tcPr").append_child("w:tcW"), width);
            pugi::xml_node paragraph = InsertParagraph(cell, {}, alignment.c_str(), format);
            const std::size_t index = static_cast<std::size_t>(r) * columns + c;
            if (index < cells.size()) {
                AppendText(paragraph, cells[index], format);
            }
        }
    }
    return 1;
}

int CalcBookWriter::InsertEquation(const std::string& formula) {
    const std::string trimmed = KvStr::Trim(formula);
    if (trimmed.empty()) {
        return 0;
    }
    if (!m_document) {
        KvMessageSink::Show("没有打开的文档", "Word软件出错!", KvMessageIcon::Warning);
        return 0;
    }
    Document& document = *m_document;
    const std::string clean = CleanXmlText(trimmed);
    RunFormat format = document.inForce;
    format.script = 0;
    pugi::xml_node last = document.LastParagraph();
    if (const std::optional<EqSequence> tree = ParseEqNotation(clean)) {
        AppendOfficeMath(last, *tree, HalfPoints(format.size));
    } else {
        last = AppendText(last, clean, format);
    }
    InsertParagraph(document.body, last, AlignmentOf(last), format);
    return 1;
}

} // namespace qv
