#include <kelvorin/KvDocxDocument.h>

#include "KvImageInfo.h"
#include "KvOpcPackage.h"

#include <kelvorin/KvFile.h>
#include <kelvorin/KvMessage.h>
#include <kelvorin/KvStr.h>

#include <algorithm>
#include <cmath>

using kv_detail::OpcPackage;

namespace {

// A4 in twentieths of a point, with the usual margins of a Chinese A4 page.
constexpr int kA4ShortSide = 11906;
constexpr int kA4LongSide = 16838;
constexpr int kMarginTopBottom = 1440;
constexpr int kMarginLeftRight = 1800;
// Widest column the word processor accepts, in points (22 inches).
constexpr float kMaxColumnWidth = 1584.0f;
// Drawing units (EMU) per point, and pixels per point at 96 dots per inch.
constexpr double kEmuPerPoint = 12700.0;
constexpr double kPointsPerPixel = 0.75;

constexpr const char* kMainNamespace =
    "http://schemas.openxmlformats.org/wordprocessingml/2006/main";
constexpr const char* kDocumentType =
    "application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml";
constexpr const char* kStylesType =
    "application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml";

// The styles give a new document its defaults: Times New Roman with 宋体 as East-Asian
// font, Chinese as East-Asian language, single line spacing without paragraph spacing.
constexpr const char* kStyles =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<w:styles xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main">)"
    R"(<w:docDefaults><w:rPrDefault><w:rPr>)"
    R"(<w:rFonts w:ascii="Times New Roman" w:hAnsi="Times New Roman" w:eastAsia="宋体" w:cs="Times New Roman"/>)"
    R"(<w:sz w:val="21"/><w:szCs w:val="21"/><w:lang w:val="en-US" w:eastAsia="zh-CN" w:bidi="ar-SA"/>)"
    R"(</w:rPr></w:rPrDefault><w:pPrDefault><w:pPr>)"
    R"(<w:spacing w:before="0" w:after="0" w:line="240" w:lineRule="auto"/>)"
    R"(</w:pPr></w:pPrDefault></w:docDefaults>)"
    R"(<w:style w:type="paragraph" w:default="1" w:styleId="Normal"><w:name w:val="Normal"/><w:qFormat/></w:style>)"
    R"(<w:style w:type="table" w:default="1" w:styleId="TableNormal"><w:name w:val="Normal Table"/>)"
    R"(<w:tblPr><w:tblInd w:w="0" w:type="dxa"/><w:tblCellMar><w:top w:w="0" w:type="dxa"/>)"
    R"(<w:left w:w="108" w:type="dxa"/><w:bottom w:w="0" w:type="dxa"/><w:right w:w="108" w:type="dxa"/>)"
    R"(</w:tblCellMar></w:tblPr></w:style>)"
    R"(</w:styles>)";

// Namespaces the document's own content uses, declared on its root.
constexpr std::pair<const char*, const char*> kNamespaces[] = {
    {"xmlns:w", kMainNamespace},
    {"xmlns:m", "http://schemas.openxmlformats.org/officeDocument/2006/math"},
    {"xmlns:r", "http://schemas.openxmlformats.org/officeDocument/2006/relationships"},
    {"xmlns:wp", "http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing"},
    {"xmlns:a", "http://schemas.openxmlformats.org/drawingml/2006/main"},
    {"xmlns:pic", "http://schemas.openxmlformats.org/drawingml/2006/picture"}};

// Paragraph alignment codes 0 to 4 as document values; nullptr for any other code.
const char* AlignmentValue(long alignment) {
    static const char* const kValues[] = {"left", "center", "right", "both", "distribute"};
    return alignment >= 0 && alignment < 5 ? kValues[alignment] : nullptr;
}

bool HasText(pugi::xml_node paragraph) {
    return !KvStr::Trim(KvDocxText::ParagraphText(paragraph)).empty();
}

void SetAttributes(pugi::xml_node element,
                   std::initializer_list<std::pair<const char*, long long>> attributes) {
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

void WritePageSetup(pugi::xml_node section) {
    SetAttributes(section.append_child("w:pgSz"), {{"w:w", kA4ShortSide}, {"w:h", kA4LongSide}});
    SetAttributes(section.append_child("w:pgMar"), {{"w:top", kMarginTopBottom},
                                                    {"w:right", kMarginLeftRight},
                                                    {"w:bottom", kMarginTopBottom},
                                                    {"w:left", kMarginLeftRight},
                                                    {"w:header", 851},
                                                    {"w:footer", 992},
                                                    {"w:gutter", 0}});
}

// The inline drawing of a picture, size in drawing units.
void WritePicture(pugi::xml_node run, const std::string& relationship, int id,
                  const std::string& name, long long cx, long long cy) {
    pugi::xml_node inline_ = run.append_child("w:drawing").append_child("wp:inline");
    SetAttributes(inline_, {{"distT", 0}, {"distB", 0}, {"distL", 0}, {"distR", 0}});
    SetAttributes(inline_.append_child("wp:extent"), {{"cx", cx}, {"cy", cy}});
    pugi::xml_node properties = inline_.append_child("wp:docPr");
    properties.append_attribute("id") = id;
    properties.append_attribute("name") = ("Picture " + std::to_string(id)).c_str();
    inline_.append_child("wp:cNvGraphicFramePr")
        .append_child("a:graphicFrameLocks")
        .append_attribute("noChangeAspect") = 1;
    pugi::xml_node data = inline_.append_child("a:graphic").append_child("a:graphicData");
    data.append_attribute("uri") = "http://schemas.openxmlformats.org/drawingml/2006/picture";
    pugi::xml_node picture = data.append_child("pic:pic");
    pugi::xml_node nonVisual = picture.append_child("pic:nvPicPr");
    pugi::xml_node nonVisualProperties = nonVisual.append_child("pic:cNvPr");
    nonVisualProperties.append_attribute("id") = 0;
    nonVisualProperties.append_attribute("name") = name.c_str();
    nonVisual.append_child("pic:cNvPicPr");
    pugi::xml_node fill = picture.append_child("pic:blipFill");
    fill.append_child("a:blip").append_attribute("r:embed") = relationship.c_str();
    fill.append_child("a:stretch").append_child("a:fillRect");
    pugi::xml_node shape = picture.append_child("pic:spPr");
    pugi::xml_node transform = shape.append_child("a:xfrm");
    SetAttributes(transform.append_child("a:off"), {{"x", 0}, {"y", 0}});
    SetAttributes(transform.append_child("a:ext"), {{"cx", cx}, {"cy", cy}});
    pugi::xml_node geometry = shape.append_child("a:prstGeom");
    geometry.append_attribute("prst") = "rect";
    geometry.append_child("a:avLst");
}

std::string FileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

KvDocxDocument::KvDocxDocument() : m_package(std::make_unique<OpcPackage>()) {
    m_mainPart = "word/document.xml";
    m_package->AddOverrideType(m_mainPart, kDocumentType);
    m_package->AddOverrideType("word/styles.xml", kStylesType);
    m_package->AddRelationship("", kv_detail::kOfficeDocumentRelationship, m_mainPart);
    m_package->SetPart(m_mainPart, std::string());
    m_package->AddRelationship(m_mainPart, std::string(kv_detail::kRelationshipTypeBase) + "styles",
                               "styles.xml");
    m_package->SetPart("word/styles.xml", kStyles);

    pugi::xml_node declaration = m_xml.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    declaration.append_attribute("standalone") = "yes";
    pugi::xml_node root = m_xml.append_child("w:document");
    root.append_child("w:body");
    std::string error;
    Adopt(error);
}

KvDocxDocument::~KvDocxDocument() = default;

std::unique_ptr<KvDocxDocument> KvDocxDocument::Open(const std::string& path, std::string& error) {
    std::string bytes;
    if (KvFile::ReadAll(path, bytes) != KvFileRead::Ok) {
        error = "无法读取文件 " + path;
        return nullptr;
    }
    std::unique_ptr<KvDocxDocument> document(new KvDocxDocument());
    OpcPackage& package = *document->m_package;
    if (!package.Load(bytes, error)) {
        error = path + ": " + error;
        return nullptr;
    }
    document->m_mainPart = package.TargetPartOfType("", kv_detail::kOfficeDocumentRelationship);
    const std::string* main = package.Part(document->m_mainPart);
    document->m_xml.reset();
    if (main == nullptr ||
        !document->m_xml.load_buffer(main->data(), main->size(),
                                     pugi::parse_default | pugi::parse_ws_pcdata,
                                     pugi::encoding_utf8) ||
        !document->Adopt(error)) {
        error = path + ": 不是Word文档";
        return nullptr;
    }
    return document;
}

// Makes the loaded main part ready for appending: its namespaces declared, a page setup
// as the body's last child and a paragraph before it.
bool KvDocxDocument::Adopt(std::string& error) {
    pugi::xml_node root = m_xml.child("w:document");
    m_body = root.child("w:body");
    if (!m_body) {
        error = "no document body";
        return false;
    }
    for (const auto& [name, uri] : kNamespaces) {
        if (!root.attribute(name)) {
            root.append_attribute(name) = uri;
        }
    }
    m_section = m_body.last_child();
    if (std::string_view(m_section.name()) != "w:sectPr") {
        m_section = m_body.append_child("w:sectPr");
        WritePageSetup(m_section);
    }
    const pugi::xml_node previous = m_section.previous_sibling();
    if (std::string_view(previous.name()) != "w:p") {
        const pugi::xml_node paragraph =
            KvDocxText::InsertParagraph(m_body, previous, "left", m_inForce);
        if (!previous) { // appended after the page setup: move it before
            m_body.insert_move_before(paragraph, m_section);
        }
    }
    // Pictures get drawing ids above those already in use.
    for (const pugi::xpath_node& used : m_xml.select_nodes("//wp:docPr")) {
        m_nextPictureId = std::max(m_nextPictureId, used.node().attribute("id").as_int() + 1);
    }
    return true;
}

pugi::xml_node KvDocxDocument::LastParagraph() const {
    return m_section.previous_sibling();
}

int KvDocxDocument::TextWidth() const {
    const pugi::xml_node size = m_section.child("w:pgSz");
    const pugi::xml_node margins = m_section.child("w:pgMar");
    const int width = size.attribute("w:w").as_int(kA4ShortSide) -
                      margins.attribute("w:left").as_int(kMarginLeftRight) -
                      margins.attribute("w:right").as_int(kMarginLeftRight);
    return std::max(width, 720);
}

int KvDocxDocument::SetOrientation(int orientation, std::string& error) {
    if (orientation != 0 && orientation != 1) {
        error = KvStr::Format("页面方向无效: %d", orientation);
        return 0;
    }
    const bool landscape = orientation == 1;
    pugi::xml_node size = m_section.child("w:pgSz");
    if (!size) {
        size = m_section.prepend_child("w:pgSz");
    }
    size.remove_attribute("w:orient");
    size.remove_attribute("w:w");
    size.remove_attribute("w:h");
    size.append_attribute("w:w") = landscape ? kA4LongSide : kA4ShortSide;
    size.append_attribute("w:h") = landscape ? kA4ShortSide : kA4LongSide;
    if (landscape) {
        size.append_attribute("w:orient") = "landscape";
    }
    return 1;
}

int KvDocxDocument::WriteContent(const std::string& text, int mode, float size,
                                 const std::string& fontName, int bold, long alignment, int script,
                                 std::string& error) {
    const std::string font = KvStr::Trim(fontName);
    if (font.empty() || size < 0.0001f) {
        return 0;
    }
    if (!(size >= kMinFontSize && size <= kMaxFontSize)) {
        error = KvStr::Format("字号无效: %g", static_cast<double>(size));
        return 0;
    }
    const char* jc = AlignmentValue(alignment);
    if (jc == nullptr) {
        error = KvStr::Format("段落对齐方式无效: %ld", alignment);
        return 0;
    }
    const KvRunFormat format{font, size, bold != 0, script};
    pugi::xml_node last = LastParagraph();
    if (mode == 1) {
        pugi::xml_node first =
            HasText(last) ? KvDocxText::InsertParagraph(m_body, last, jc, format) : last;
        KvDocxText::AppendText(first, text, format);
        for (pugi::xml_node p = first; p != m_section; p = p.next_sibling()) {
            KvDocxText::SetParagraphAlignment(p, jc);
            ApplyParagraphFormat(p);
        }
    } else {
        for (pugi::xml_node p = KvDocxText::AppendText(last, text, format); p != last;
             p = p.previous_sibling()) {
            ApplyParagraphFormat(p);
        }
    }
    m_inForce = format;
    return 1;
}

int KvDocxDocument::WriteSpace(int count, std::string& error) {
    const std::string feeds(static_cast<std::size_t>(std::clamp(count, 0, kMaxSpaceLines)), '\n');
    return WriteContent(feeds, 1, 10.0f, "宋体", 0, 0, 0, error);
}

int KvDocxDocument::AddTable(int rows, int columns, float columnWidth,
                             const std::vector<std::string>& cells, std::string& error) {
    if (rows < 1 || columns < 1 || cells.empty() || WriteSpace(1, error) == 0) {
        return 0;
    }
    if (rows > kMaxTableRows || columns > kMaxTableColumns) {
        error = KvStr::Format("表格行列数超出范围: %d×%d", rows, columns);
        return 0;
    }
    pugi::xml_node last = LastParagraph();
    const KvRunFormat format = m_inForce;
    const std::string alignment = KvDocxText::AlignmentOf(last);
    // The table goes at the end of the last paragraph: an empty one stays after it.
    pugi::xml_node table;
    if (HasText(last)) {
        table = m_body.insert_child_after("w:tbl", last);
        KvDocxText::InsertParagraph(m_body, table, alignment.c_str(), format);
    } else {
        table = m_body.insert_child_before("w:tbl", last);
    }
    // A width the word processor refuses leaves the columns sharing the text width.
    const int width = columnWidth > 0.0f && columnWidth <= kMaxColumnWidth
                          ? static_cast<int>(std::lround(columnWidth * 20.0f))
                          : TextWidth() / columns;
    WriteTableLayout(table, columns, width);
    for (int r = 0; r < rows; ++r) {
        pugi::xml_node row = table.append_child("w:tr");
        for (int c = 0; c < columns; ++c) {
            pugi::xml_node cell = row.append_child("w:tc");
            SetWidth(cell.append_child("w:tcPr").append_child("w:tcW"), width);
            pugi::xml_node paragraph =
                KvDocxText::InsertParagraph(cell, {}, alignment.c_str(), format);
            const std::size_t index = static_cast<std::size_t>(r) * columns + c;
            if (index < cells.size()) {
                KvDocxText::AppendText(paragraph, cells[index], format);
            }
        }
    }
    return 1;
}

int KvDocxDocument::AddPicture(const std::string& path, long alignment, float width,
                               std::string& error) {
    const char* jc = AlignmentValue(alignment);
    if (jc == nullptr) {
        error = KvStr::Format("段落对齐方式无效: %ld", alignment);
        return 0;
    }
    std::string bytes;
    kv_detail::ImageInfo image;
    if (KvFile::ReadAll(path, bytes) != KvFileRead::Ok) {
        error = "无法读取图片 " + path;
        return 0;
    }
    if (!kv_detail::ReadImageInfo(bytes, image)) {
        error = "不支持的图片格式 " + path;
        return 0;
    }
    // Its own size at 96 dots per inch, or the width asked for, never wider than the text.
    const double ownWidth = image.width * kPointsPerPixel;
    double points = width > 0.0f && std::isfinite(width) ? width : ownWidth;
    points = std::min(points, TextWidth() / 20.0);
    const auto cx = static_cast<long long>(std::llround(points * kEmuPerPoint));
    const auto cy =
        static_cast<long long>(std::llround(points * image.height / image.width * kEmuPerPoint));
    if (cx < 1 || cy < 1) {
        error = "图片尺寸无效 " + path;
        return 0;
    }

    const std::size_t slash = m_mainPart.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : m_mainPart.substr(0, slash + 1);
    const std::string part = m_package->FreePartName(folder + "media/image", "." + image.extension);
    m_package->SetPart(part, std::move(bytes));
    m_package->AddDefaultType(image.extension, image.contentType);
    const std::string relationship = m_package->AddRelationship(
        m_mainPart, kv_detail::kImageRelationship, part.substr(folder.size()));

    pugi::xml_node last = LastParagraph();
    pugi::xml_node paragraph = HasText(last) || last.child("w:r")
                                   ? KvDocxText::InsertParagraph(m_body, last, jc, m_inForce)
                                   : last;
    KvDocxText::SetParagraphAlignment(paragraph, jc);
    ApplyParagraphFormat(paragraph);
    WritePicture(paragraph.append_child("w:r"), relationship, m_nextPictureId++, FileNameOf(path),
                 cx, cy);
    // What follows starts in a paragraph of its own.
    KvDocxText::InsertParagraph(m_body, paragraph, jc, m_inForce);
    return 1;
}

int KvDocxDocument::SetParagraphFormat(long rule, float value, std::string& error) {
    const bool needsValue = rule >= 3 && rule <= 5;
    if (rule < 0 || rule > 5 || (needsValue && !(value > 0.0f && value <= 1584.0f))) {
        error = KvStr::Format("段落格式无效: %ld, %g", rule, static_cast<double>(value));
        return 0;
    }
    m_lineRule = rule;
    m_lineValue = value;
    ApplyParagraphFormat(LastParagraph());
    return 1;
}

void KvDocxDocument::ApplyParagraphFormat(pugi::xml_node paragraph) const {
    if (m_lineRule < 0) {
        return;
    }
    pugi::xml_node properties = paragraph.child("w:pPr");
    properties.remove_child("w:spacing");
    // In its place among the paragraph properties: before indents, alignment and the mark.
    pugi::xml_node next;
    for (const char* later :
         {"w:ind", "w:contextualSpacing", "w:mirrorIndents", "w:suppressOverlap", "w:jc",
          "w:textDirection", "w:textAlignment", "w:textboxTightWrap", "w:outlineLvl", "w:divId",
          "w:cnfStyle", "w:rPr", "w:sectPr", "w:pPrChange"}) {
        if ((next = properties.child(later))) {
            break;
        }
    }
    pugi::xml_node spacing = next ? properties.insert_child_before("w:spacing", next)
                                  : properties.append_child("w:spacing");
    // Lines in 240ths of a line, points in twentieths.
    int line = 240;
    const char* lineRule = "auto";
    switch (m_lineRule) {
    case 1:
        line = 360;
        break;
    case 2:
        line = 480;
        break;
    case 3:
    case 4:
        line = static_cast<int>(std::lround(m_lineValue * 20.0f));
        lineRule = m_lineRule == 3 ? "atLeast" : "exact";
        break;
    case 5:
        line = static_cast<int>(std::lround(m_lineValue * 240.0f));
        break;
    default:
        break;
    }
    spacing.append_attribute("w:line") = line;
    spacing.append_attribute("w:lineRule") = lineRule;
}

namespace {

// Tables nest inside table cells; text nested deeper than this is left out, so that a
// hostile document cannot exhaust the stack.
constexpr int kMaxTextDepth = 32;

void CollectText(pugi::xml_node container, std::vector<std::string>& lines, int depth = 0) {
    if (depth > kMaxTextDepth) {
        return;
    }
    for (pugi::xml_node child : container.children()) {
        const std::string_view name = child.name();
        if (name == "w:p") {
            lines.push_back(KvDocxText::ParagraphText(child));
        } else if (name == "w:tbl") {
            for (pugi::xml_node row : child.children("w:tr")) {
                std::string line;
                for (pugi::xml_node cell : row.children("w:tc")) {
                    std::vector<std::string> inside;
                    CollectText(cell, inside, depth + 1);
                    std::string text;
                    for (const std::string& piece : inside) {
                        text += (text.empty() ? "" : " ") + piece;
                    }
                    line += (cell == row.child("w:tc") ? "" : "\t") + text;
                }
                lines.push_back(line);
            }
        } else if (name == "w:sdt") {
            CollectText(child.child("w:sdtContent"), lines, depth + 1);
        }
    }
}

} // namespace

std::string KvDocxDocument::Text() const {
    std::vector<std::string> lines;
    CollectText(m_body, lines);
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        text += (i == 0 ? "" : "\n") + lines[i];
    }
    return text;
}

int KvDocxDocument::Save(const std::string& path, std::string& error) const {
    m_package->SetPart(m_mainPart, kv_detail::SaveXml(m_xml));
    std::string bytes;
    if (!m_package->Save(bytes, error) || !KvFile::WriteAtomically(path, bytes, &error)) {
        error = "无法保存文件 " + path + ": " + error;
        return 0;
    }
    return 1;
}

std::string KvDocxDocument::WithDocxExtension(const std::string& path) {
    const std::string extension = ".docx";
    const bool has = path.size() >= extension.size() &&
                     KvStr::EqualNoCase(path.substr(path.size() - extension.size()), extension);
    return has ? path : path + extension;
}

int KvDocxDocument::ShowWordError(const std::string& reason, const std::string& caption) {
    KvMessageSink::Show("Word软件出错!\n" + reason, caption, KvMessageIcon::Warning);
    return 0;
}

int KvDocxDocument::Shown(int result, const std::string& error, const std::string& caption) {
    return result == 0 && !error.empty() ? ShowWordError(error, caption) : result;
}
