#include <kelvorin/KvDocxText.h>

#include <cmath>

namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

bool IsPlainAscii(const std::string& text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

// Length of the valid UTF-8 character XML allows at the start of text, or 0.
std::size_t ValidCharacterLength(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t length = 0;
    char32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (text.size() < length) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[k]);
        if ((next & 0xC0) != 0x80) {
            return 0;
        }
        code = (code << 6) | (next & 0x3F);
    }
    constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
    const bool allowed = code >= kShortest[length] && code <= 0x10FFFF &&
                         !(code >= 0xD800 && code <= 0xDFFF) && code != 0xFFFE && code != 0xFFFF;
    return allowed ? length : 0;
}

// The paragraph's <w:pPr>, made when missing (documents of other writers may have none).
pugi::xml_node ParagraphProperties(pugi::xml_node paragraph) {
    pugi::xml_node properties = paragraph.child("w:pPr");
    return properties ? properties : paragraph.prepend_child("w:pPr");
}

// Inserts a child of <w:pPr> before the members that must follow it.
pugi::xml_node InsertPropertyBefore(pugi::xml_node properties, const char* name,
                                    std::initializer_list<const char*> later) {
    for (const char* follower : later) {
        if (pugi::xml_node next = properties.child(follower)) {
            return properties.insert_child_before(name, next);
        }
    }
    return properties.append_child(name);
}

void SetMarkFormat(pugi::xml_node paragraph, KvRunFormat mark) {
    pugi::xml_node properties = ParagraphProperties(paragraph);
    properties.remove_child("w:rPr");
    mark.script = 0;
    KvDocxText::WriteRunProperties(
        InsertPropertyBefore(properties, "w:rPr", {"w:sectPr", "w:pPrChange"}), mark);
}

// One run holding a line of text, its tabs as tab characters.
void AppendRun(pugi::xml_node paragraph, std::string_view line, const KvRunFormat& format) {
    pugi::xml_node run = paragraph.append_child("w:r");
    KvDocxText::WriteRunProperties(run.append_child("w:rPr"), format);
    std::size_t start = 0;
    while (true) {
        const std::size_t tab = line.find('\t', start);
        const std::string_view piece = line.substr(start, tab - start);
        if (!piece.empty() || (start == 0 && tab == std::string_view::npos)) {
            pugi::xml_node text = run.append_child("w:t");
            text.append_attribute("xml:space") = "preserve";
            text.text().set(std::string(piece).c_str());
        }
        if (tab == std::string_view::npos) {
            break;
        }
        run.append_child("w:tab");
        start = tab + 1;
    }
}

} // namespace

std::string KvDocxText::CleanXmlText(std::string_view text) {
    std::string clean;
    clean.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            if (c >= 0x20 || c == '\t' || c == '\n' || c == '\r') {
                clean += static_cast<char>(c);
            }
            ++i;
        } else if (const std::size_t length = ValidCharacterLength(text.substr(i))) {
            clean.append(text.substr(i, length));
            i += length;
        } else {
            clean.append(kReplacementCharacter);
            ++i;
        }
    }
    return clean;
}

int KvDocxText::HalfPoints(float size) {
    return static_cast<int>(std::lround(size * 2.0f));
}

void KvDocxText::WriteRunProperties(pugi::xml_node properties, const KvRunFormat& format) {
    const std::string font = CleanXmlText(format.font);
    pugi::xml_node fonts = properties.append_child("w:rFonts");
    for (const char* script : {"w:ascii", "w:hAnsi", "w:cs"}) {
        fonts.append_attribute(script) = font.c_str();
    }
    if (!IsPlainAscii(font)) {
        fonts.append_attribute("w:eastAsia") = font.c_str();
    }
    if (format.bold) {
        properties.append_child("w:b");
        properties.append_child("w:bCs");
    }
    const int halfPoints = HalfPoints(format.size);
    properties.append_child("w:sz").append_attribute("w:val") = halfPoints;
    properties.append_child("w:szCs").append_attribute("w:val") = halfPoints;
    if (format.script == 1 || format.script == 2) {
        properties.append_child("w:vertAlign").append_attribute("w:val") =
            format.script == 1 ? "subscript" : "superscript";
    }
}

pugi::xml_node KvDocxText::InsertParagraph(pugi::xml_node parent, pugi::xml_node previous,
                                           const char* alignment, const KvRunFormat& mark) {
    pugi::xml_node paragraph =
        previous ? parent.insert_child_after("w:p", previous) : parent.append_child("w:p");
    paragraph.append_child("w:pPr").append_child("w:jc").append_attribute("w:val") = alignment;
    SetMarkFormat(paragraph, mark);
    return paragraph;
}

std::string KvDocxText::AlignmentOf(pugi::xml_node paragraph) {
    const pugi::xml_attribute value = paragraph.child("w:pPr").child("w:jc").attribute("w:val");
    return value ? value.value() : "left";
}

void KvDocxText::SetParagraphAlignment(pugi::xml_node paragraph, const char* alignment) {
    pugi::xml_node properties = ParagraphProperties(paragraph);
    pugi::xml_node jc = properties.child("w:jc");
    if (!jc) {
        jc = InsertPropertyBefore(properties, "w:jc",
                                  {"w:textDirection", "w:textAlignment", "w:textboxTightWrap",
                                   "w:outlineLvl", "w:divId", "w:cnfStyle", "w:rPr", "w:sectPr",
                                   "w:pPrChange"});
    }
    jc.remove_attribute("w:val");
    jc.append_attribute("w:val") = alignment;
}

pugi::xml_node KvDocxText::AppendText(pugi::xml_node paragraph, std::string_view text,
                                      const KvRunFormat& format) {
    const std::string clean = CleanXmlText(text);
    const std::string_view all = clean;
    std::size_t start = 0;
    while (true) {
        const std::size_t lineEnd = all.find_first_of("\r\n", start);
        const std::string_view line = all.substr(start, lineEnd - start);
        if (!line.empty() || (start == 0 && lineEnd == std::string_view::npos)) {
            AppendRun(paragraph, line, format);
        }
        SetMarkFormat(paragraph, format);
        if (lineEnd == std::string_view::npos) {
            return paragraph;
        }
        start = lineEnd + (all.compare(lineEnd, 2, "\r\n") == 0 ? 2 : 1);
        const std::string alignment = AlignmentOf(paragraph);
        paragraph = InsertParagraph(paragraph.parent(), paragraph, alignment.c_str(), format);
    }
}

std::string KvDocxText::ParagraphText(pugi::xml_node paragraph) {
    struct Collector : pugi::xml_tree_walker {
        std::string text;
        bool for_each(pugi::xml_node& node) override {
            const std::string_view name = node.name();
            if (name == "w:t" || name == "m:t") {
                text += node.child_value();
            } else if (name == "w:tab") {
                text += '\t';
            }
            return true;
        }
    } collector;
    paragraph.traverse(collector);
    return collector.text;
}
