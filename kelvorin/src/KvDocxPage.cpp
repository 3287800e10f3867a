// The page furniture of a document (header, footer), its properties, and the finishing
// of paragraphs and tables the books ask for after writing them.
#include <kelvorin/KvDocxDocument.h>

#include "KvOpcPackage.h"

#include <kelvorin/KvStr.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr const char* kMainNamespace =
    "http://schemas.openxmlformats.org/wordprocessingml/2006/main";
constexpr const char* kRelationshipNamespace =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr const char* kCoreRelationship =
    "http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties";
constexpr const char* kCoreType = "application/vnd.openxmlformats-package.core-properties+xml";
constexpr const char* kCorePart = "docProps/core.xml";
constexpr int kFurnitureHalfPoints = 18; // 9 points

// The declaration every part of the package starts with.
void Declare(pugi::xml_document& xml) {
    pugi::xml_node declaration = xml.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    declaration.append_attribute("standalone") = "yes";
}

pugi::xml_node Root(pugi::xml_document& xml, const char* name) {
    Declare(xml);
    pugi::xml_node root = xml.append_child(name);
    root.append_attribute("xmlns:w") = kMainNamespace;
    root.append_attribute("xmlns:r") = kRelationshipNamespace;
    return root;
}

pugi::xml_node CentredParagraph(pugi::xml_node parent) {
    pugi::xml_node paragraph = parent.append_child("w:p");
    paragraph.append_child("w:pPr").append_child("w:jc").append_attribute("w:val") = "center";
    return paragraph;
}

void AppendRun(pugi::xml_node parent, const std::string& text) {
    pugi::xml_node run = parent.append_child("w:r");
    pugi::xml_node format = run.append_child("w:rPr");
    pugi::xml_node fonts = format.append_child("w:rFonts");
    fonts.append_attribute("w:eastAsia") = "宋体";
    format.append_child("w:sz").append_attribute("w:val") = kFurnitureHalfPoints;
    format.append_child("w:szCs").append_attribute("w:val") = kFurnitureHalfPoints;
    pugi::xml_node t = run.append_child("w:t");
    t.append_attribute("xml:space") = "preserve";
    t.text().set(text.c_str());
}

void AppendField(pugi::xml_node paragraph, const char* instruction) {
    pugi::xml_node field = paragraph.append_child("w:fldSimple");
    field.append_attribute("w:instr") = instruction;
    AppendRun(field, "1");
}

// The paragraph's properties, made when missing.
pugi::xml_node Properties(pugi::xml_node paragraph) {
    pugi::xml_node properties = paragraph.child("w:pPr");
    return properties ? properties : paragraph.prepend_child("w:pPr");
}

void SetAlignment(pugi::xml_node paragraph, const char* value) {
    pugi::xml_node properties = Properties(paragraph);
    pugi::xml_node jc = properties.child("w:jc");
    if (!jc) {
        jc = properties.append_child("w:jc");
    }
    jc.remove_attribute("w:val");
    jc.append_attribute("w:val") = value;
}

// A number as a table shows it: an optional sign, digits with at most one point, and an
// optional unit after it ("%", "m", "lx", "W/m²", "°", a blank between allowed), blanks
// around.
bool IsNumberText(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    const auto strip = [&text](std::string_view end) {
        const bool ends = text.size() > end.size() && text.ends_with(end);
        if (ends) {
            text.remove_suffix(end.size());
        }
        return ends;
    };
    for (bool unit = true; unit;) {
        const char last = text.empty() ? '0' : text.back();
        unit = strip("\xC2\xB2") || strip("\xC2\xB3") || strip("\xC2\xB0");
        if (!unit && ((last >= 'A' && last <= 'Z') || (last >= 'a' && last <= 'z') || last == '/' ||
                      last == '%')) {
            text.remove_suffix(1);
            unit = true;
        }
    }
    if (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        text.remove_prefix(1);
    }
    bool digit = false;
    bool point = false;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            digit = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digit;
}

// Width a text takes in half-character units: a Chinese character (three or more UTF-8
// bytes) two, anything else one.
int TextUnits(const std::string& text) {
    int units = 0;
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        units += length >= 3 ? 2 : 1;
        i += length;
    }
    return units;
}

std::string CellText(pugi::xml_node cell) {
    std::string text;
    for (const pugi::xpath_node& t : cell.select_nodes(".//w:t")) {
        text += t.node().text().get();
    }
    return text;
}

void SetWidthAttribute(pugi::xml_node element, int twips) {
    element.remove_attribute("w:w");
    element.remove_attribute("w:type");
    element.append_attribute("w:w") = twips;
    element.append_attribute("w:type") = "dxa";
}

} // namespace

std::string KvDocxDocument::PagePart(const char* kind, const char* reference,
                                     const std::string& xml) {
    // A second call replaces the part the page setup already names.
    for (pugi::xml_node existing = m_section.child(reference); existing;
         existing = existing.next_sibling(reference)) {
        if (std::string_view(existing.attribute("w:type").value()) == "default") {
            const std::string part =
                m_package->TargetPart(m_mainPart, existing.attribute("r:id").value());
            if (!part.empty()) {
                m_package->SetPart(part, xml);
                return part;
            }
        }
    }
    const size_t slash = m_mainPart.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : m_mainPart.substr(0, slash + 1);
    const std::string part = m_package->FreePartName(folder + kind, ".xml");
    m_package->SetPart(part, xml);
    m_package->AddOverrideType(
        part, std::string("application/vnd.openxmlformats-officedocument.wordprocessingml.") +
                  kind + "+xml");
    const std::string id =
        m_package->AddRelationship(m_mainPart, std::string(kv_detail::kRelationshipTypeBase) + kind,
                                   part.substr(folder.size()));
    // References lead the page setup, headers before footers.
    pugi::xml_node before = m_section.first_child();
    while (before && std::strcmp(kind, "footer") == 0 &&
           std::string_view(before.name()) == "w:headerReference") {
        before = before.next_sibling();
    }
    pugi::xml_node node = before ? m_section.insert_child_before(reference, before)
                                 : m_section.append_child(reference);
    node.append_attribute("w:type") = "default";
    node.append_attribute("r:id") = id.c_str();
    return part;
}

int KvDocxDocument::SetPageHeader(const std::string& text, std::string& error) {
    (void)error;
    pugi::xml_document xml;
    pugi::xml_node paragraph = CentredParagraph(Root(xml, "w:hdr"));
    pugi::xml_node border =
        paragraph.child("w:pPr").prepend_child("w:pBdr").append_child("w:bottom");
    border.append_attribute("w:val") = "single";
    border.append_attribute("w:sz") = 6;
    border.append_attribute("w:space") = 1;
    border.append_attribute("w:color") = "auto";
    AppendRun(paragraph, text);
    PagePart("header", "w:headerReference", kv_detail::SaveXml(xml));
    return 1;
}

int KvDocxDocument::SetPageFooter(const std::string& before, const std::string& middle,
                                  const std::string& after, std::string& error) {
    (void)error;
    pugi::xml_document xml;
    pugi::xml_node paragraph = CentredParagraph(Root(xml, "w:ftr"));
    AppendRun(paragraph, before);
    AppendField(paragraph, " PAGE ");
    AppendRun(paragraph, middle);
    AppendField(paragraph, " NUMPAGES ");
    AppendRun(paragraph, after);
    PagePart("footer", "w:footerReference", kv_detail::SaveXml(xml));
    return 1;
}

int KvDocxDocument::SetCoreProperties(const std::string& title, const std::string& creator,
                                      const std::string& created, std::string& error) {
    (void)error;
    pugi::xml_document xml;
    Declare(xml);
    pugi::xml_node root = xml.append_child("cp:coreProperties");
    root.append_attribute("xmlns:cp") =
        "http://schemas.openxmlformats.org/package/2006/metadata/core-properties";
    root.append_attribute("xmlns:dc") = "http://purl.org/dc/elements/1.1/";
    root.append_attribute("xmlns:dcterms") = "http://purl.org/dc/terms/";
    root.append_attribute("xmlns:xsi") = "http://www.w3.org/2001/XMLSchema-instance";
    root.append_child("dc:title").text().set(title.c_str());
    root.append_child("dc:creator").text().set(creator.c_str());
    root.append_child("cp:lastModifiedBy").text().set(creator.c_str());
    for (const char* name : {"dcterms:created", "dcterms:modified"}) {
        pugi::xml_node time = root.append_child(name);
        time.append_attribute("xsi:type") = "dcterms:W3CDTF";
        time.text().set(created.c_str());
    }
    const std::string part = m_package->TargetPartOfType("", kCoreRelationship);
    if (part.empty()) {
        m_package->AddOverrideType(kCorePart, kCoreType);
        m_package->AddRelationship("", kCoreRelationship, kCorePart);
    }
    m_package->SetPart(part.empty() ? kCorePart : part, kv_detail::SaveXml(xml));
    return 1;
}

int KvDocxDocument::KeepWithNext(int count) {
    int kept = 0;
    for (pugi::xml_node paragraph = LastParagraph(); paragraph && kept < count;
         paragraph = paragraph.previous_sibling()) {
        if (std::string_view(paragraph.name()) != "w:p") {
            break;
        }
        pugi::xml_node properties = Properties(paragraph);
        if (!properties.child("w:keepNext")) {
            pugi::xml_node style = properties.child("w:pStyle");
            style ? properties.insert_child_after("w:keepNext", style)
                  : properties.prepend_child("w:keepNext");
        }
        ++kept;
    }
    return kept > 0 ? 1 : 0;
}

int KvDocxDocument::FormatLastTable(bool headerRow, bool fitColumns) {
    pugi::xml_node table;
    for (pugi::xml_node node = m_section.previous_sibling(); node; node = node.previous_sibling()) {
        if (std::string_view(node.name()) == "w:tbl") {
            table = node;
            break;
        }
    }
    if (!table) {
        return 0;
    }
    std::vector<int> units;
    bool first = true;
    for (pugi::xml_node row = table.child("w:tr"); row; row = row.next_sibling("w:tr")) {
        size_t column = 0;
        for (pugi::xml_node cell = row.child("w:tc"); cell; cell = cell.next_sibling("w:tc")) {
            const std::string text = CellText(cell);
            if (column >= units.size()) {
                units.push_back(0);
            }
            units[column] = std::max(units[column], TextUnits(text));
            for (pugi::xml_node paragraph = cell.child("w:p"); paragraph;
                 paragraph = paragraph.next_sibling("w:p")) {
                if (first && headerRow) {
                    SetAlignment(paragraph, "center");
                    for (pugi::xml_node run = paragraph.child("w:r"); run;
                         run = run.next_sibling("w:r")) {
                        pugi::xml_node format = run.child("w:rPr");
                        if (!format) {
                            format = run.prepend_child("w:rPr");
                        }
                        if (!format.child("w:b")) {
                            pugi::xml_node fonts = format.child("w:rFonts");
                            fonts ? format.insert_child_after("w:b", fonts)
                                  : format.prepend_child("w:b");
                        }
                    }
                } else if (IsNumberText(text)) {
                    SetAlignment(paragraph, "right");
                }
            }
            ++column;
        }
        if (first && headerRow && !row.child("w:trPr")) {
            pugi::xml_node properties = row.prepend_child("w:trPr");
            properties.append_child("w:tblHeader");
            properties.append_child("w:cantSplit");
        }
        first = false;
    }
    if (!fitColumns || units.empty()) {
        return 1;
    }
    // Each column gets room for its longest text (at least two characters) and the
    // text width is shared in that proportion; a narrow table keeps its width.
    const int total = TextWidth();
    int sum = 0;
    for (int& u : units) {
        u = std::max(u, 4) + 2;
        sum += u;
    }
    std::vector<int> widths;
    for (int u : units) {
        widths.push_back(static_cast<int>(std::lround(static_cast<double>(total) * u / sum)));
    }
    pugi::xml_node properties = table.child("w:tblPr");
    if (pugi::xml_node width = properties.child("w:tblW")) {
        SetWidthAttribute(width, total);
    }
    pugi::xml_node grid = table.child("w:tblGrid");
    size_t column = 0;
    for (pugi::xml_node col = grid.child("w:gridCol"); col && column < widths.size();
         col = col.next_sibling("w:gridCol"), ++column) {
        col.remove_attribute("w:w");
        col.append_attribute("w:w") = widths[column];
    }
    for (pugi::xml_node row = table.child("w:tr"); row; row = row.next_sibling("w:tr")) {
        column = 0;
        for (pugi::xml_node cell = row.child("w:tc"); cell && column < widths.size();
             cell = cell.next_sibling("w:tc"), ++column) {
            if (pugi::xml_node width = cell.child("w:tcPr").child("w:tcW")) {
                SetWidthAttribute(width, widths[column]);
            }
        }
    }
    return 1;
}
