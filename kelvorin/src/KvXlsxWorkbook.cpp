#include "KvXlsxWorkbook.h"

#include "KvOpcPackage.h"

#include <kelvorin/KvStr.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <pugixml.hpp>

namespace kv_detail {

namespace {

constexpr const char* kMainNamespace = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr const char* kRelationshipNamespace =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr const char* kDrawingNamespace =
    "http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing";
constexpr const char* kDrawingMainNamespace =
    "http://schemas.openxmlformats.org/drawingml/2006/main";
constexpr const char* kTypeBase = "application/vnd.openxmlformats-officedocument.";

constexpr const char* kFontName = "宋体";
constexpr double kEmuPerPoint = 12700.0;
constexpr const char* kBorderStyles[] = {"", "thin", "medium", "thick"};
constexpr const char* kHorizontal[] = {"general", "left", "center", "right"};
constexpr const char* kVertical[] = {"bottom", "center", "top"};

std::string Relationship(const char* name) {
    return std::string(kRelationshipTypeBase) + name;
}

std::string ContentType(const char* name) {
    return std::string(kTypeBase) + name;
}

int IndexOf(const char* const* values, int count, const std::string& value) {
    for (int i = 0; i < count; ++i) {
        if (value == values[i]) {
            return i;
        }
    }
    return 0;
}

bool LoadXml(const OpcPackage& package, const std::string& part, pugi::xml_document& xml) {
    const std::string* data = part.empty() ? nullptr : package.Part(part);
    return data != nullptr &&
           xml.load_buffer(data->data(), data->size(), pugi::parse_default | pugi::parse_ws_pcdata,
                           pugi::encoding_utf8);
}

// The text of a string item: its <t>, or the <t> of each rich-text run.
std::string ItemText(pugi::xml_node item) {
    std::string text;
    for (pugi::xml_node child : item.children()) {
        const std::string_view name = child.name();
        if (name == "t") {
            text += child.text().get();
        } else if (name == "r") {
            text += child.child("t").text().get();
        }
    }
    return text;
}

std::string CellText(pugi::xml_node cell, const std::vector<std::string>& shared, bool& number) {
    const std::string type = cell.attribute("t").value();
    const std::string value = cell.child("v").text().get();
    number = false;
    if (type == "s") {
        const auto index = static_cast<std::size_t>(cell.child("v").text().as_ullong(~0ull));
        return index < shared.size() ? shared[index] : std::string();
    }
    if (type == "inlineStr") {
        return ItemText(cell.child("is"));
    }
    if (type == "b") {
        return value == "1" ? "TRUE" : "FALSE";
    }
    number = type.empty() || type == "n";
    return value;
}

XlsxStyle ReadStyle(pugi::xml_node format, const std::vector<pugi::xml_node>& fonts,
                    const std::vector<pugi::xml_node>& borders) {
    XlsxStyle style;
    const std::size_t font = format.attribute("fontId").as_uint();
    if (font < fonts.size()) {
        style.fontSize = fonts[font].child("sz").attribute("val").as_double(11.0);
        const pugi::xml_node bold = fonts[font].child("b");
        style.bold = bold && bold.attribute("val").as_bool(true);
    }
    const std::size_t border = format.attribute("borderId").as_uint();
    if (border < borders.size()) {
        style.border =
            IndexOf(kBorderStyles, 4, borders[border].child("left").attribute("style").value());
    }
    const pugi::xml_node alignment = format.child("alignment");
    style.horizontal = IndexOf(kHorizontal, 4, alignment.attribute("horizontal").value());
    style.vertical = IndexOf(kVertical, 3, alignment.attribute("vertical").value());
    return style;
}

std::vector<pugi::xml_node> Children(pugi::xml_node parent, const char* name) {
    std::vector<pugi::xml_node> found;
    for (pugi::xml_node child : parent.children(name)) {
        found.push_back(child);
    }
    return found;
}

double FromStoredWidth(double stored) {
    // Pixels of the stored width (maximum digit width 7 pixels, 5 pixels of padding),
    // then characters to two decimals, as the spreadsheet shows them.
    const double pixels = std::floor((256.0 * stored + std::floor(128.0 / 7.0)) / 256.0 * 7.0);
    return std::max(0.0, std::floor((pixels - 5.0) / 7.0 * 100.0 + 0.5) / 100.0);
}

void ReadLines(const OpcPackage& package, const std::string& drawingPart, XlsxSheet& sheet) {
    pugi::xml_document xml;
    if (!LoadXml(package, drawingPart, xml)) {
        return;
    }
    for (pugi::xml_node anchor : xml.child("xdr:wsDr").children("xdr:absoluteAnchor")) {
        const pugi::xml_node shape = anchor.child("xdr:cxnSp");
        const pugi::xml_node transform = shape.child("xdr:spPr").child("a:xfrm");
        if (!shape || !transform) {
            continue;
        }
        const double x = transform.child("a:off").attribute("x").as_double() / kEmuPerPoint;
        const double y = transform.child("a:off").attribute("y").as_double() / kEmuPerPoint;
        const double cx = transform.child("a:ext").attribute("cx").as_double() / kEmuPerPoint;
        const double cy = transform.child("a:ext").attribute("cy").as_double() / kEmuPerPoint;
        const bool flipH = transform.attribute("flipH").as_bool();
        const bool flipV = transform.attribute("flipV").as_bool();
        sheet.lines.push_back(
            {flipH ? x + cx : x, flipV ? y + cy : y, flipH ? x : x + cx, flipV ? y : y + cy});
    }
}

void ReadSheet(const OpcPackage& package, const std::string& part,
               const std::vector<std::string>& shared, XlsxSheet& sheet,
               const std::vector<int>& styleMap) {
    pugi::xml_document xml;
    if (!LoadXml(package, part, xml)) {
        return;
    }
    const pugi::xml_node root = xml.child("worksheet");
    for (pugi::xml_node col : root.child("cols").children("col")) {
        const int first = std::max(col.attribute("min").as_int(), 1);
        const int last = std::min(col.attribute("max").as_int(), XlsxWorkbook::kMaxColumns);
        if (col.attribute("width") && col.attribute("customWidth").as_bool(true)) {
            for (int c = first; c <= last; ++c) {
                sheet.columnWidths[c] = FromStoredWidth(col.attribute("width").as_double());
            }
        }
    }
    int rowNumber = 0;
    for (pugi::xml_node row : root.child("sheetData").children("row")) {
        rowNumber = row.attribute("r").as_int(rowNumber + 1);
        if (rowNumber < 1 || rowNumber > XlsxWorkbook::kMaxRows) {
            continue;
        }
        if (row.attribute("ht") && row.attribute("customHeight").as_bool()) {
            sheet.rowHeights[rowNumber] = row.attribute("ht").as_double();
        }
        int column = 0;
        for (pugi::xml_node cell : row.children("c")) {
            int cellRow = rowNumber;
            if (!cell.attribute("r") ||
                !ParseCellReference(cell.attribute("r").value(), cellRow, column)) {
                ++column;
            }
            if (cellRow != rowNumber || column < 1 || column > XlsxWorkbook::kMaxColumns) {
                continue;
            }
            XlsxCell value;
            value.text = CellText(cell, shared, value.number);
            const std::size_t style = cell.attribute("s").as_uint();
            value.style = style < styleMap.size() ? styleMap[style] : 0;
            if (!value.text.empty() || value.style != 0) {
                sheet.cells[{rowNumber, column}] = std::move(value);
            }
        }
    }
    for (pugi::xml_node merge : root.child("mergeCells").children("mergeCell")) {
        sheet.merges.push_back(merge.attribute("ref").value());
    }
    const std::string drawingId = root.child("drawing").attribute("r:id").value();
    if (!drawingId.empty()) {
        ReadLines(package, package.TargetPart(part, drawingId), sheet);
    }
}

pugi::xml_node NewRoot(pugi::xml_document& xml, const char* name, const char* ns) {
    pugi::xml_node declaration = xml.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    declaration.append_attribute("standalone") = "yes";
    pugi::xml_node root = xml.append_child(name);
    root.append_attribute(std::string(name).find(':') == std::string::npos ? "xmlns"
                                                                           : "xmlns:xdr") = ns;
    return root;
}

std::string ColumnName(int column) {
    return KvStr::ExcelColNoToName(column);
}

std::string StylesXml(const std::vector<XlsxStyle>& styles) {
    pugi::xml_document xml;
    pugi::xml_node root = NewRoot(xml, "styleSheet", kMainNamespace);
    pugi::xml_node fonts = root.append_child("fonts");
    fonts.append_attribute("count") = styles.size();
    for (const XlsxStyle& style : styles) {
        pugi::xml_node font = fonts.append_child("font");
        if (style.bold) {
            font.append_child("b");
        }
        font.append_child("sz").append_attribute("val") =
            KvStr::FormatDouble(style.fontSize).c_str();
        font.append_child("name").append_attribute("val") = kFontName;
        font.append_child("charset").append_attribute("val") = 134;
    }
    pugi::xml_node fills = root.append_child("fills");
    fills.append_attribute("count") = 2;
    for (const char* pattern : {"none", "gray125"}) {
        fills.append_child("fill").append_child("patternFill").append_attribute("patternType") =
            pattern;
    }
    pugi::xml_node borders = root.append_child("borders");
    borders.append_attribute("count") = styles.size();
    for (const XlsxStyle& style : styles) {
        pugi::xml_node border = borders.append_child("border");
        for (const char* side : {"left", "right", "top", "bottom"}) {
            pugi::xml_node edge = border.append_child(side);
            if (style.border > 0 && style.border < 4) {
                edge.append_attribute("style") = kBorderStyles[style.border];
                edge.append_child("color").append_attribute("auto") = 1;
            }
        }
        border.append_child("diagonal");
    }
    pugi::xml_node base = root.append_child("cellStyleXfs");
    base.append_attribute("count") = 1;
    pugi::xml_node baseFormat = base.append_child("xf");
    for (const char* name : {"numFmtId", "fontId", "fillId", "borderId"}) {
        baseFormat.append_attribute(name) = 0;
    }
    pugi::xml_node formats = root.append_child("cellXfs");
    formats.append_attribute("count") = styles.size();
    for (std::size_t i = 0; i < styles.size(); ++i) {
        pugi::xml_node format = formats.append_child("xf");
        format.append_attribute("numFmtId") = 0;
        format.append_attribute("fontId") = i;
        format.append_attribute("fillId") = 0;
        format.append_attribute("borderId") = i;
        format.append_attribute("xfId") = 0;
        format.append_attribute("applyFont") = 1;
        format.append_attribute("applyBorder") = 1;
        format.append_attribute("applyAlignment") = 1;
        pugi::xml_node alignment = format.append_child("alignment");
        alignment.append_attribute("horizontal") =
            kHorizontal[std::clamp(styles[i].horizontal, 0, 3)];
        alignment.append_attribute("vertical") = kVertical[std::clamp(styles[i].vertical, 0, 2)];
    }
    pugi::xml_node named = root.append_child("cellStyles");
    named.append_attribute("count") = 1;
    pugi::xml_node normal = named.append_child("cellStyle");
    normal.append_attribute("name") = "Normal";
    normal.append_attribute("xfId") = 0;
    normal.append_attribute("builtinId") = 0;
    return SaveXml(xml);
}

// An offset element (x, y) and an extent element (cx, cy) of a drawing, in drawing units.
void SetPlace(pugi::xml_node parent, const char* offset, const char* extent, long long x,
              long long y, long long cx, long long cy) {
    pugi::xml_node at = parent.append_child(offset);
    at.append_attribute("x") = x;
    at.append_attribute("y") = y;
    pugi::xml_node size = parent.append_child(extent);
    size.append_attribute("cx") = cx;
    size.append_attribute("cy") = cy;
}

std::string DrawingXml(const std::vector<XlsxLine>& lines) {
    pugi::xml_document xml;
    pugi::xml_node root = NewRoot(xml, "xdr:wsDr", kDrawingNamespace);
    root.append_attribute("xmlns:a") = kDrawingMainNamespace;
    int id = 2;
    for (const XlsxLine& line : lines) {
        const auto emu = [](double points) { return std::llround(points * kEmuPerPoint); };
        const long long x = emu(std::min(line.x1, line.x2));
        const long long y = emu(std::min(line.y1, line.y2));
        const long long cx = emu(std::fabs(line.x2 - line.x1));
        const long long cy = emu(std::fabs(line.y2 - line.y1));
        pugi::xml_node anchor = root.append_child("xdr:absoluteAnchor");
        SetPlace(anchor, "xdr:pos", "xdr:ext", x, y, cx, cy);
        pugi::xml_node shape = anchor.append_child("xdr:cxnSp");
        shape.append_attribute("macro") = "";
        pugi::xml_node nonVisual = shape.append_child("xdr:nvCxnSpPr");
        pugi::xml_node properties = nonVisual.append_child("xdr:cNvPr");
        properties.append_attribute("id") = id;
        properties.append_attribute("name") = ("Line " + std::to_string(id - 1)).c_str();
        ++id;
        nonVisual.append_child("xdr:cNvCxnSpPr");
        pugi::xml_node shapeProperties = shape.append_child("xdr:spPr");
        pugi::xml_node transform = shapeProperties.append_child("a:xfrm");
        if (line.x2 < line.x1) {
            transform.append_attribute("flipH") = 1;
        }
        if (line.y2 < line.y1) {
            transform.append_attribute("flipV") = 1;
        }
        SetPlace(transform, "a:off", "a:ext", x, y, cx, cy);
        pugi::xml_node geometry = shapeProperties.append_child("a:prstGeom");
        geometry.append_attribute("prst") = "line";
        geometry.append_child("a:avLst");
        pugi::xml_node outline = shapeProperties.append_child("a:ln");
        outline.append_attribute("w") = 9525;
        outline.append_child("a:solidFill").append_child("a:srgbClr").append_attribute("val") =
            "000000";
        anchor.append_child("xdr:clientData");
    }
    return SaveXml(xml);
}

class SharedStrings {
public:
    int Index(const std::string& text) {
        const auto [at, added] = m_indexes.try_emplace(text, static_cast<int>(m_texts.size()));
        if (added) {
            m_texts.push_back(text);
        }
        ++m_uses;
        return at->second;
    }
    std::string Xml() const {
        pugi::xml_document xml;
        pugi::xml_node root = NewRoot(xml, "sst", kMainNamespace);
        root.append_attribute("count") = m_uses;
        root.append_attribute("uniqueCount") = m_texts.size();
        for (const std::string& text : m_texts) {
            pugi::xml_node t = root.append_child("si").append_child("t");
            t.append_attribute("xml:space") = "preserve";
            t.text().set(text.c_str());
        }
        return SaveXml(xml);
    }

private:
    std::map<std::string, int> m_indexes;
    std::vector<std::string> m_texts;
    long long m_uses = 0;
};

std::string SheetXml(const XlsxSheet& sheet, SharedStrings& shared, const std::string& drawingId) {
    pugi::xml_document xml;
    pugi::xml_node root = NewRoot(xml, "worksheet", kMainNamespace);
    root.append_attribute("xmlns:r") = kRelationshipNamespace;
    pugi::xml_node format = root.append_child("sheetFormatPr");
    format.append_attribute("defaultRowHeight") = XlsxWorkbook::kDefaultRowHeight;
    if (!sheet.columnWidths.empty()) {
        pugi::xml_node cols = root.append_child("cols");
        for (const auto& [column, width] : sheet.columnWidths) {
            pugi::xml_node col = cols.append_child("col");
            col.append_attribute("min") = column;
            col.append_attribute("max") = column;
            col.append_attribute("width") = XlsxWorkbook::StoredWidth(width);
            col.append_attribute("customWidth") = 1;
        }
    }
    pugi::xml_node data = root.append_child("sheetData");
    pugi::xml_node row;
    int rowNumber = 0;
    const auto openRow = [&](int number) {
        row = data.append_child("row");
        row.append_attribute("r") = number;
        if (const auto height = sheet.rowHeights.find(number); height != sheet.rowHeights.end()) {
            row.append_attribute("ht") = height->second;
            row.append_attribute("customHeight") = 1;
        }
        rowNumber = number;
    };
    auto height = sheet.rowHeights.begin();
    for (const auto& [key, cell] : sheet.cells) {
        // Rows with a height of their own but no cells come in their place.
        for (; height != sheet.rowHeights.end() && height->first < key.first; ++height) {
            if (height->first != rowNumber) {
                openRow(height->first);
            }
        }
        if (key.first != rowNumber) {
            openRow(key.first);
        }
        pugi::xml_node c = row.append_child("c");
        c.append_attribute("r") = (ColumnName(key.second) + std::to_string(key.first)).c_str();
        if (cell.style != 0) {
            c.append_attribute("s") = cell.style;
        }
        if (cell.text.empty()) {
            continue;
        }
        if (cell.number) {
            c.append_child("v").text().set(cell.text.c_str());
        } else {
            c.append_attribute("t") = "s";
            c.append_child("v").text().set(shared.Index(cell.text));
        }
    }
    for (; height != sheet.rowHeights.end(); ++height) {
        if (height->first != rowNumber) {
            openRow(height->first);
        }
    }
    if (!sheet.merges.empty()) {
        pugi::xml_node merges = root.append_child("mergeCells");
        merges.append_attribute("count") = sheet.merges.size();
        for (const std::string& merge : sheet.merges) {
            merges.append_child("mergeCell").append_attribute("ref") = merge.c_str();
        }
    }
    if (!drawingId.empty()) {
        root.append_child("drawing").append_attribute("r:id") = drawingId.c_str();
    }
    return SaveXml(xml);
}

} // namespace

bool IsValidSheetName(const std::string& name) {
    std::size_t characters = 0;
    for (const char c : name) {
        characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }
    return characters >= 1 && characters <= 31 &&
           name.find_first_of("[]:*?/\\") == std::string::npos && name.front() != '\'' &&
           name.back() != '\'';
}

bool ParseCellReference(const std::string& reference, int& row, int& column) {
    std::size_t letters = 0;
    while (letters < reference.size() &&
           std::isalpha(static_cast<unsigned char>(reference[letters]))) {
        ++letters;
    }
    if (letters == 0 || letters > 3 || letters == reference.size() ||
        reference.size() - letters > 7) {
        return false;
    }
    const std::string digits = reference.substr(letters);
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return false;
    }
    const int c = KvStr::ExcelColNameToNo(reference.substr(0, letters));
    const int r = std::stoi(digits);
    if (c < 1 || c > XlsxWorkbook::kMaxColumns || r < 1 || r > XlsxWorkbook::kMaxRows) {
        return false;
    }
    row = r;
    column = c;
    return true;
}

XlsxWorkbook::XlsxWorkbook() : m_styles{XlsxStyle{}} {}

XlsxSheet* XlsxWorkbook::Find(const std::string& name) {
    for (XlsxSheet& sheet : m_sheets) {
        if (KvStr::EqualNoCase(sheet.name, name)) {
            return &sheet;
        }
    }
    return nullptr;
}

int XlsxWorkbook::StyleIndex(const XlsxStyle& style) {
    const auto at = std::find(m_styles.begin(), m_styles.end(), style);
    if (at != m_styles.end()) {
        return static_cast<int>(at - m_styles.begin());
    }
    m_styles.push_back(style);
    return static_cast<int>(m_styles.size()) - 1;
}

const XlsxStyle& XlsxWorkbook::Style(int index) const {
    return index >= 0 && index < static_cast<int>(m_styles.size()) ? m_styles[index] : m_styles[0];
}

double XlsxWorkbook::StoredWidth(double characters) {
    return std::floor((characters * 7.0 + 5.0) / 7.0 * 256.0) / 256.0;
}

double XlsxWorkbook::WidthPoints(double characters) {
    const double stored = StoredWidth(characters);
    const double pixels = std::floor((256.0 * stored + std::floor(128.0 / 7.0)) / 256.0 * 7.0);
    return pixels * 0.75;
}

bool XlsxWorkbook::Load(const std::string& bytes, std::string& error) {
    OpcPackage package;
    if (!package.Load(bytes, error)) {
        return false;
    }
    const std::string workbookPart = package.TargetPartOfType("", kOfficeDocumentRelationship);
    pugi::xml_document workbook;
    if (!LoadXml(package, workbookPart, workbook) || !workbook.child("workbook")) {
        error = "不是Excel工作簿";
        return false;
    }
    std::vector<std::string> shared;
    pugi::xml_document strings;
    if (LoadXml(package, package.TargetPartOfType(workbookPart, Relationship("sharedStrings")),
                strings)) {
        for (pugi::xml_node item : strings.child("sst").children("si")) {
            shared.push_back(ItemText(item));
        }
    }
    m_styles.assign(1, XlsxStyle{});
    std::vector<int> styleMap;
    pugi::xml_document styles;
    if (LoadXml(package, package.TargetPartOfType(workbookPart, Relationship("styles")), styles)) {
        const pugi::xml_node root = styles.child("styleSheet");
        const auto fonts = Children(root.child("fonts"), "font");
        const auto borders = Children(root.child("borders"), "border");
        for (pugi::xml_node format : root.child("cellXfs").children("xf")) {
            styleMap.push_back(StyleIndex(ReadStyle(format, fonts, borders)));
        }
        if (!styleMap.empty()) {
            m_styles[0] = Style(styleMap[0]);
        }
    }
    m_sheets.clear();
    for (pugi::xml_node entry : workbook.child("workbook").child("sheets").children("sheet")) {
        XlsxSheet sheet;
        sheet.name = entry.attribute("name").value();
        const std::string part = package.TargetPart(workbookPart, entry.attribute("r:id").value());
        ReadSheet(package, part, shared, sheet, styleMap);
        m_sheets.push_back(std::move(sheet));
    }
    if (m_sheets.empty()) {
        error = "工作簿没有工作表";
        return false;
    }
    return true;
}

bool XlsxWorkbook::Save(std::string& bytes, std::string& error) const {
    OpcPackage package;
    const std::string workbookPart = "xl/workbook.xml";
    package.AddOverrideType(workbookPart, ContentType("spreadsheetml.sheet.main+xml"));
    package.AddRelationship("", kOfficeDocumentRelationship, workbookPart);

    pugi::xml_document workbook;
    pugi::xml_node root = NewRoot(workbook, "workbook", kMainNamespace);
    root.append_attribute("xmlns:r") = kRelationshipNamespace;
    pugi::xml_node sheets = root.append_child("sheets");
    SharedStrings shared;
    std::vector<std::pair<std::string, std::string>> sheetParts;
    for (std::size_t i = 0; i < m_sheets.size(); ++i) {
        const XlsxSheet& sheet = m_sheets[i];
        const std::string number = std::to_string(i + 1);
        const std::string part = "xl/worksheets/sheet" + number + ".xml";
        const std::string id = package.AddRelationship(workbookPart, Relationship("worksheet"),
                                                       "worksheets/sheet" + number + ".xml");
        pugi::xml_node entry = sheets.append_child("sheet");
        entry.append_attribute("name") = sheet.name.c_str();
        entry.append_attribute("sheetId") = i + 1;
        entry.append_attribute("r:id") = id.c_str();
        package.AddOverrideType(part, ContentType("spreadsheetml.worksheet+xml"));
        std::string drawingId;
        if (!sheet.lines.empty()) {
            const std::string drawing = "xl/drawings/drawing" + number + ".xml";
            drawingId = package.AddRelationship(part, Relationship("drawing"),
                                                "../drawings/drawing" + number + ".xml");
            package.AddOverrideType(drawing, ContentType("drawing+xml"));
            package.SetPart(drawing, DrawingXml(sheet.lines));
        }
        sheetParts.emplace_back(part, SheetXml(sheet, shared, drawingId));
    }
    package.SetPart(workbookPart, SaveXml(workbook));
    for (auto& [part, xml] : sheetParts) {
        package.SetPart(part, std::move(xml));
    }
    package.AddRelationship(workbookPart, Relationship("styles"), "styles.xml");
    package.AddOverrideType("xl/styles.xml", ContentType("spreadsheetml.styles+xml"));
    package.SetPart("xl/styles.xml", StylesXml(m_styles));
    package.AddRelationship(workbookPart, Relationship("sharedStrings"), "sharedStrings.xml");
    package.AddOverrideType("xl/sharedStrings.xml", ContentType("spreadsheetml.sharedStrings+xml"));
    package.SetPart("xl/sharedStrings.xml", shared.Xml());
    return package.Save(bytes, error);
}

} // namespace kv_detail
