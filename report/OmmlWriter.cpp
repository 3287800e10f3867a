#include "report/OmmlWriter.h"

#include "report/DocxText.h"

#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <string_view>

namespace qv {

namespace {

constexpr const char* kMathFont = "Cambria Math";

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

std::size_t FunctionNameLength(std::string_view text) {
    return EqFunctionNameLength(text);
}

// Units written after a number ("300lx", "215.30cd", "12.5W/m²"), set upright.
constexpr std::string_view kUnits[] = {"lx", "cd", "lm", "W",   "kW",  "m",
                                       "mm", "cm", "km", "kcd", "klm", "sr"};

bool IsUnit(std::string_view word) {
    return std::find(std::begin(kUnits), std::end(kUnits), word) != std::end(kUnits);
}

bool IsDigitCharacter(char c) {
    return c >= '0' && c <= '9';
}

constexpr std::string_view kMinusSign = "\xE2\x88\x92"; // −

// Length of the negative number ("-45.82°", "−3") at the start of the text, or 0.
std::size_t NegativeNumberLength(std::string_view text) {
    std::size_t sign = 0;
    if (!text.empty() && text[0] == '-') {
        sign = 1;
    } else if (text.substr(0, kMinusSign.size()) == kMinusSign) {
        sign = kMinusSign.size();
    }
    if (sign == 0 || sign >= text.size() || !IsDigitCharacter(text[sign])) {
        return 0;
    }
    std::size_t end = sign;
    while (end < text.size() && (IsDigitCharacter(text[end]) || text[end] == '.')) {
        ++end;
    }
    constexpr std::string_view kDegree = "°";
    if (text.substr(end, kDegree.size()) == kDegree) {
        end += kDegree.size();
    }
    return end;
}

// The text with every negative number that directly follows a function name put in
// brackets, its sign a minus: "sin-45.82°" reads "sin(−45.82°)". functionBefore: the
// text continues a function name written before it ("cos²" then "-12.00°").
std::string BracketNegativeArguments(std::string_view text, bool functionBefore) {
    std::string out;
    std::size_t i = 0;
    bool afterFunction = functionBefore;
    while (i < text.size()) {
        if (afterFunction) {
            if (const std::size_t length = NegativeNumberLength(text.substr(i)); length > 0) {
                const std::size_t sign = text[i] == '-' ? 1 : kMinusSign.size();
                out += "(";
                out += kMinusSign;
                out += text.substr(i + sign, length - sign);
                out += ")";
                i += length;
                afterFunction = false;
                continue;
            }
        }
        if (const std::size_t name = FunctionNameLength(text.substr(i)); name > 0) {
            out += text.substr(i, name);
            i += name;
            afterFunction = true;
            continue;
        }
        afterFunction = false;
        out += text[i++];
    }
    return out;
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
        const bool script =
            node.kind == EqNode::Kind::Subscript || node.kind == EqNode::Kind::Superscript;
        if (node.kind != EqNode::Kind::Text && !script) {
            ResetContext();
        }
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
        if (script) {
            // A scripted function name ("cos³") still takes the argument that follows.
            const EqSequence& base = node.parts[0];
            const bool function = base.size() == 1 && base[0].kind == EqNode::Kind::Text &&
                                  !base[0].text.empty() &&
                                  FunctionNameLength(base[0].text) == base[0].text.size();
            ResetContext();
            m_functionBefore = function;
        } else if (node.kind != EqNode::Kind::Text) {
            ResetContext();
        }
    }

    void ResetContext() {
        m_unitMayFollow = false;
        m_unitBefore = false;
        m_functionBefore = false;
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
    void AppendText(pugi::xml_node parent, std::string_view original) {
        const std::string bracketed = BracketNegativeArguments(original, m_functionBefore);
        const std::string_view text = bracketed;
        m_functionBefore = false;
        std::string pending;
        CharacterClass pendingClass = CharacterClass::Math;
        auto flush = [&] {
            if (pendingClass == CharacterClass::Variable && m_unitMayFollow && IsUnit(pending)) {
                // As normal text: readers that convert the equation keep it upright only so.
                AppendRun(parent, pending, CharacterClass::Text);
                m_unitBefore = true;
                m_unitMayFollow = false;
                pending.clear();
                return;
            }
            if (!pending.empty()) {
                // A number, or the slash of a compound unit, may be followed by a unit.
                m_unitMayFollow =
                    pendingClass == CharacterClass::Math &&
                    (IsDigitCharacter(pending.back()) || (m_unitBefore && pending == "/"));
                m_unitBefore = false;
            }
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
                m_functionBefore = true;
            } else if (type != CharacterClass::Math || text[i - length] != ' ') {
                m_functionBefore = false;
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
    bool m_unitMayFollow = false;  // the last run was a number or a unit and a slash
    bool m_unitBefore = false;     // the last run was a unit
    bool m_functionBefore = false; // the last thing written was a function name
};

} // namespace

void AppendOfficeMath(pugi::xml_node paragraph, const EqSequence& formula, int halfPoints) {
    OmmlBuilder(halfPoints).AppendSequence(paragraph.append_child("m:oMath"), formula);
}

namespace {

// Width of a text in ems: Chinese characters a full em, operators with the space the
// equation sets around them, other characters about half an em.
double TextWidthEm(std::string_view text) {
    double width = 0.0;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t length =
            std::min(CharacterLength(static_cast<unsigned char>(text[i])), text.size() - i);
        const std::string_view character = text.substr(i, length);
        if (character == " ") {
            // the equation sets its own spacing
        } else if (character == "=" || character == "+" || character == "×" || character == "≈" ||
                   character == "≤" || character == "≥" || character == "−" || character == "<" ||
                   character == ">") {
            width += 1.2;
        } else if (length >= 3) {
            width += 1.0;
        } else {
            width += 0.55;
        }
        i += length;
    }
    return width;
}

} // namespace

double EqWidthEm(const EqSequence& formula) {
    double width = 0.0;
    for (const EqNode& node : formula) {
        switch (node.kind) {
        case EqNode::Kind::Text:
            width += TextWidthEm(node.text);
            break;
        case EqNode::Kind::Group:
            width += EqWidthEm(node.parts[0]) + 0.8;
            break;
        case EqNode::Kind::Fraction:
            width += std::max(EqWidthEm(node.parts[0]), EqWidthEm(node.parts[1])) * 0.9 + 0.4;
            break;
        case EqNode::Kind::Root:
            width += EqWidthEm(node.parts[0]) * 0.7 + EqWidthEm(node.parts[1]) + 1.0;
            break;
        case EqNode::Kind::Subscript:
        case EqNode::Kind::Superscript:
            width += EqWidthEm(node.parts[0]) + EqWidthEm(node.parts[1]) * 0.7;
            break;
        case EqNode::Kind::Box:
            width += EqWidthEm(node.parts[0]) + 0.4;
            break;
        }
    }
    return width;
}

std::vector<EqSequence> BreakLongFormula(const EqSequence& formula, double widthEm) {
    if (EqWidthEm(formula) <= widthEm) {
        return {formula};
    }
    // The pieces between the top-level equals signs, each but the first beginning with one.
    std::vector<EqSequence> pieces(1);
    for (const EqNode& node : formula) {
        if (node.kind != EqNode::Kind::Text) {
            pieces.back().push_back(node);
            continue;
        }
        std::size_t start = 0;
        for (std::size_t at = node.text.find('='); at != std::string::npos;
             at = node.text.find('=', at + 1)) {
            if (at > start) {
                pieces.back().push_back(
                    EqNode{EqNode::Kind::Text, node.text.substr(start, at - start), {}, 0});
            }
            if (!pieces.back().empty()) {
                pieces.emplace_back();
            }
            start = at;
        }
        if (start < node.text.size()) {
            pieces.back().push_back(EqNode{EqNode::Kind::Text, node.text.substr(start), {}, 0});
        }
    }
    std::vector<EqSequence> lines;
    double lineWidth = 0.0;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        EqSequence& piece = pieces[i];
        const double width = EqWidthEm(piece);
        // The left side always keeps the first right side with it.
        if (lines.empty() || (i > 1 && lineWidth + width > widthEm)) {
            lines.push_back(std::move(piece));
            lineWidth = width;
        } else {
            lines.back().insert(lines.back().end(), piece.begin(), piece.end());
            lineWidth += width;
        }
    }
    return lines;
}

} // namespace qv
