#pragma once
// Paragraphs and formatted runs of a word-processing document body (WordprocessingML),
// built with pugixml. Every paragraph carries its properties as <w:pPr> holding the
// alignment (<w:jc>) and the format of its paragraph mark (<w:rPr>), which sets the
// height of an empty line.
#include <kelvorin/KvExport.h>

#include <pugixml.hpp>
#include <string>
#include <string_view>

// Character format of a run.
struct KV_API KvRunFormat {
    std::string font = "宋体";
    float size = 10.5f; // points
    bool bold = false;
    int script = 0; // 0 normal, 1 subscript, 2 superscript
};

class KV_API KvDocxText {
public:
    // The East-Asian font used where a run's own font is a Western one.
    static constexpr const char* kEastAsianFont = "宋体";

    // The text as valid UTF-8 holding only characters XML allows: broken byte sequences
    // become U+FFFD, control characters other than tab, line feed and carriage return go.
    static std::string CleanXmlText(std::string_view text);

    // Font size in the document's unit, half points.
    static int HalfPoints(float size);

    // Fills an empty <w:rPr> with the format: the font as Western font, and also as
    // East-Asian font when it is one (its name is not plain ASCII), bold, size, script.
    static void WriteRunProperties(pugi::xml_node properties, const KvRunFormat& format);

    // A new paragraph right after `previous` (or appended to `parent` when previous is
    // empty), with the alignment and mark format given.
    static pugi::xml_node InsertParagraph(pugi::xml_node parent, pugi::xml_node previous,
                                          const char* alignment, const KvRunFormat& mark);

    // The paragraph's alignment value ("left" when it has none).
    static std::string AlignmentOf(pugi::xml_node paragraph);
    static void SetParagraphAlignment(pugi::xml_node paragraph, const char* alignment);

    // Appends the text as runs of the given format. Tabs become tab characters; each line
    // break (LF, CR or CR LF) ends the paragraph and continues in a new one inserted after
    // it with the same alignment. Returns the paragraph that holds the end of the text.
    static pugi::xml_node AppendText(pugi::xml_node paragraph, std::string_view text,
                                     const KvRunFormat& format);

    // The characters of the paragraph's text runs and equations, its tabs as tabs.
    static std::string ParagraphText(pugi::xml_node paragraph);
};
