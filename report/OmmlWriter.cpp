#include "report/OmmlWriter.h"

#include "report/DocxText.h"

#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <string_view>

namespace qv {

namespace {

constexpr const char* kMathFont = "Cambria Math";

// Function and operator names, set upright wherever they stand in a run of letters
// (the other letters are variables).
constexpr std::string_view kFunctionNames[] = {"arcsin", "arccos", "arctan", "arctg", "sin", "cos",
                                               "tan",    "ctg",    "cot",    "tg",    "log", "exp",
                                               "ln",     "lg",     "min",    "max"};
// Words that the formula language of some readers takes as commands even in a run of
// variables; such a run is written letter by letter.
constexpr std::string_view kCommandWords[] = {
    "in",  "or",   "to",    "and",   "not",   "over",   "from",  "sub",     "sup",  "abs",
    "def", "lim",  "sum",   "int",   "prod",  "times",  "div",   "dot",     "bar",  "vec",
    "hat", "left", "right", "none",  "size",  "font",   "color", "bold",    "ital", "fact",
    "neg", "sqrt", "nroot", "binom", "stack", "matrix", "circ",  "newline", "func"};
// Characters that read the same as math and as text: digits and operators.
constexpr std::string_view kMathCharacters = "0123456789.,:+-=/<> ";
constexpr std::string_view kMathSymbols[] = {"×", "·", "±", "−", "≈", "≤", "≥"};

enum class CharacterClass { Variable, Math, Text };

bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

std::size_t CharacterLength(unsigned char lead) {
    return lead < 0xC0 ? 1 : (lead < 0xE0 ? 2 : (lead < 0xF0 ? 3 : 4));
}

// The Greek and Coptic block, U+0370 to U+03FF, starts with the bytes CD B0 to CF BF.
bool IsGreek(std::string_view character) {
    const auto lead = static_cast<unsigned char>(character[0]);
    return character.size() == 2 && lead >= 0xCD && lead <= 0xCF &&
           !(lead == 0xCD && static_cast<unsigned char>(character[1]) < 0xB0);
}

CharacterClass ClassOf(std::string_view character) {
    if (IsGreek(character) || (character.size() == 1 && IsAsciiLetter(character[0]))) {
        return CharacterClass::Variable;
    }
    if (character.size() == 1 && kMathCharacters.find(character[0]) != std::string_view::npos) {
        return CharacterClass::Math;
    }
    for (const std::string_view symbol : kMathSymbols) {
        if (character == symbol) {
            return CharacterClass::Math;
        }
    }
    return CharacterClass::Text;
}

// Length of the function name at the start of text, or 0.
std::size_t FunctionNameLength(std::string_view text) {
    for (const std::string_view name : kFunctionNames) {
        if (text.substr(0, name.size()) == name) {
            return name.size();
        }
    }
    return 0;
}

bool IsCommandWord(std::string_view word) {
    return std::find(std::begin(kCommandWords), std::end(kCommandWords), word) !=
           std::end(kCommandWords);
}

class OmmlBuilder {
public:
    explicit OmmlBuilder(int halfPoints) : m_halfPoints(halfPoints) {}

    void AppendSequence(pugi::xml_node parent, const EqSequence& sequence) {
        for (const EqNode& node : sequence) {
            AppendNode(parent, node);
        }
    }

private:
    void AppendNode(pugi::xml_node parent, const EqNode& node) {
        switch (node.kind) {
        case EqNode::Kind::Text:
            AppendText(parent, node.text);
            break;
        case EqNode::Kind::Group:
            AppendGroup(parent, node);
            break;
        case EqNode::Kind::Fraction:
            AppendStructure(parent, "m:f", {"m:num", "m:den"}, node);
            break;
        case EqNode::Kind::Root: {
            pugi::xml_node radical = AppendStructure(parent, "m:rad", {"m:deg", "m:e"}, node);
            if (node.parts[0].empty()) {
                radical.child("m:radPr").prepend_child("m:degHide").append_attribute("m:val") = 1;
            }
            break;
        }
        case EqNode::Kind::Subscript:
            AppendStructure(parent, "m:sSub", {"m:e", "m:sub"}, node);
            break;
        case EqNode::Kind::Superscript:
            AppendStructure(parent, "m:sSup", {"m:e", "m:sup"}, node);
            break;
        case EqNode::Kind::Box:
            AppendBox(parent, node);
            break;
        }
    }

    // Brackets around a fraction or a root grow with it; around text they are the
    // plain characters.
    void AppendGroup(pugi::xml_node parent, const EqNode& node) {
        const std::string opening = node.text.substr(0, 1);
        const std::string closing = node.text.substr(1, 1);
        const bool tall =
            std::any_of(node.parts[0].begin(), node.parts[0].end(), [](const EqNode& n) {
                return n.kind == EqNode::Kind::Fraction || n.kind == EqNode::Kind::Root;
            });
        if (!tall) {
            AppendRun(parent, opening, CharacterClass::Math);
            AppendSequence(parent, node.parts[0]);
            AppendRun(parent, closing, CharacterClass::Math);
            return;
        }
        pugi::xml_node delimiter = parent.append_child("m:d");
        pugi::xml_node properties = delimiter.append_child("m:dPr");
        properties.append_child("m:begChr").append_attribute("m:val") = opening.c_str();
        properties.append_child("m:endChr").append_attribute("m:val") = closing.c_str();
        AppendControlProperties(properties);
        AppendSequence(delimiter.append_child("m:e"), node.parts[0]);
    }

    // A line over or under the content is a bar; any other set of sides a border box.
    void AppendBox(pugi::xml_node parent, const EqNode& node) {
        if (node.sides == EqNode::kTop || node.sides == EqNode::kBottom) {
            pugi::xml_node bar = AppendStructure(parent, "m:bar", {"m:e"}, node);
            bar.child("m:barPr").prepend_child("m:pos").append_attribute("m:val") =
                node.sides == EqNode::kTop ? "top" : "bot";
            return;
        }
        pugi::xml_node box = AppendStructure(parent, "m:borderBox", {"m:e"}, node);
        pugi::xml_node properties = box.child("m:borderBoxPr");
        pugi::xml_node control = properties.child("m:ctrlPr");
        const std::pair<unsigned, const char*> hidden[] = {{EqNode::kTop, "m:hideTop"},
                                                           {EqNode::kBottom, "m:hideBot"},
                                                           {EqNode::kLeft, "m:hideLeft"},
                                                           {EqNode::kRight, "m:hideRight"}};
        for (const auto& [side, name] : hidden) {
            if ((node.sides & side) == 0) {
                properties.insert_child_before(name, control).append_attribute("m:val") = 1;
            }
        }
    }

    // An element with its properties (holding the control format) and one child per part.
    pugi::xml_node AppendStructure(pugi::xml_node parent, const char* name,
                                   std::initializer_list<const char*> partNames,
                                   const EqNode& node) {
        pugi::xml_node element = parent.append_child(name);
        AppendControlProperties(element.append_child((std::string(name) + "Pr").c_str()));
        std::size_t index = 0;
        for (const char* partName : partNames) {
            AppendSequence(element.append_child(partName), node.parts[index++]);
        }
        return element;
    }

    void AppendControlProperties(pugi::xml_node properties) {
        AppendFontProperties(properties.append_child("m:ctrlPr"));
    }

    void AppendFontProperties(pugi::xml_node parent) {
        pugi::xml_node properties = parent.append_child("w:rPr");
        pugi::xml_node fonts = properties.append_child("w:rFonts");
        fonts.append_attribute("w:ascii") = kMathFont;
        fonts.append_attribute("w:hAnsi") = kMathFont;
        fonts.append_attribute("w:eastAsia") = kEastAsianFont;
        properties.append_child("w:sz").append_attribute("w:val") = m_halfPoints;
        properties.append_child("w:szCs").append_attribute("w:val") = m_halfPoints;
    }

    // Splits the text into runs: letters as italic variables, digits and operators as
    // math without blanks (the equation spaces them), function names and any other
    // text (Chinese, stray brackets) upright as normal text.
    void AppendText(pugi::xml_node parent, std::string_view text) {
        std::string pending;
        CharacterClass pendingClass = CharacterClass::Math;
        auto flush = [&] {
            if (pendingClass == CharacterClass::Variable && IsCommandWord(pending)) {
                for (const char letter : pending) {
                    AppendRun(parent, std::string(1, letter), pendingClass);
                }
            } else if (!pending.empty()) {
                AppendRun(parent, pending, pendingClass);
            }
            pending.clear();
        };
        std::size_t i = 0;
        while (i < text.size()) {
            std::size_t length = FunctionNameLength(text.substr(i));
            const bool function = length > 0;
            CharacterClass type = CharacterClass::Text;
            if (!function) {
                length =
                    std::min(CharacterLength(static_cast<unsigned char>(text[i])), text.size() - i);
                type = ClassOf(text.substr(i, length));
            }
            if (function || type != pendingClass) {
                flush();
            }
            if (!(type == CharacterClass::Math && text[i] == ' ')) {
                pending.append(text.substr(i, length));
            }
            pendingClass = type;
            i += length;
            if (function) {
                flush();
            }
        }
        flush();
    }

    void AppendRun(pugi::xml_node parent, const std::string& text, CharacterClass type) {
        pugi::xml_node run = parent.append_child("m:r");
        if (type != CharacterClass::Variable) {
            pugi::xml_node properties = run.append_child("m:rPr");
            if (type == CharacterClass::Text) {
                properties.append_child("m:nor");
            } else {
                properties.append_child("m:sty").append_attribute("m:val") = "p";
            }
        }
        AppendFontProperties(run);
        pugi::xml_node characters = run.append_child("m:t");
        characters.append_attribute("xml:space") = "preserve";
        characters.text().set(text.c_str());
    }

    int m_halfPoints;
};

} // namespace

void AppendOfficeMath(pugi::xml_node paragraph, const EqSequence& formula, int halfPoints) {
    OmmlBuilder(halfPoints).AppendSequence(paragraph.append_child("m:oMath"), formula);
}

} // namespace qv
