#include "report/EqNotation.h"

#include <cctype>
#include <string>

namespace qv {

std::string EqFraction(const std::string& numerator, const std::string& denominator) {
    return " \\f(" + numerator + ", " + denominator + ")";
}

std::string EqRoot(const std::string& degree, const std::string& radicand) {
    return " \\r(" + degree + ", " + radicand + ")";
}

std::string EqScript(const std::string& text, int raise, int distance) {
    return std::string(raise ? " \\s\\up" : " \\s\\do") + std::to_string(distance) + "(" + text +
           ")";
}

std::string EqLine(const std::string& text, int bottom) {
    return std::string(" \\x") + (bottom ? "\\bo " : "\\to ") + "(" + text + ")";
}

namespace {

// Function and operator names, set upright wherever they stand in a run of letters (the
// other letters are variables); longer names before the names they begin with.
constexpr std::string_view kFunctionNames[] = {"arcsin", "arccos", "arctan", "arctg", "sin", "cos",
                                               "tan",    "ctg",    "cot",    "tg",    "log", "exp",
                                               "ln",     "lg",     "min",    "max"};

constexpr std::size_t kNoMatch = std::string_view::npos;

bool IsOpening(char c) {
    return c == '(' || c == '[' || c == '{';
}
bool IsClosing(char c) {
    return c == ')' || c == ']' || c == '}';
}
char ClosingOf(char c) {
    return c == '(' ? ')' : (c == '[' ? ']' : '}');
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsLetter(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

// The partner of every bracket in the text, or kNoMatch. A closing bracket pairs with
// the innermost open one of its kind; any other closing bracket stays a plain character.
std::vector<std::size_t> MatchBrackets(std::string_view text) {
    std::vector<std::size_t> match(text.size(), kNoMatch);
    std::vector<std::size_t> open;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsOpening(text[i])) {
            open.push_back(i);
        } else if (IsClosing(text[i]) && !open.empty() && ClosingOf(text[open.back()]) == text[i]) {
            match[i] = open.back();
            match[open.back()] = i;
            open.pop_back();
        }
    }
    return match;
}

// Start of the UTF-8 character that ends just before `end`.
std::size_t PreviousCharacter(const std::string& text, std::size_t end) {
    std::size_t start = end - 1;
    while (start > 0 && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80) {
        --start;
    }
    return start;
}

bool IsPrimeAt(const std::string& text, std::size_t start) {
    return text[start] == '\'' || text.compare(start, 3, "\xE2\x80\xB2") == 0;
}

// Where the function name that ends the text begins, when a function name stands at its
// end as a word of its own; else kNoMatch.
std::size_t TrailingFunctionStart(const std::string& text) {
    std::size_t start = text.size();
    while (start > 0 && IsLetter(text[start - 1])) {
        --start;
    }
    // The longest name first: the word may be a variable followed by the name ("Icos").
    for (std::size_t i = start; i < text.size(); ++i) {
        if (EqFunctionNameLength(std::string_view(text).substr(i)) == text.size() - i) {
            return i;
        }
    }
    return kNoMatch;
}

// Where the atom that a script attaches to begins at the end of a text: a function name,
// a number, or the last character together with the primes that follow it.
std::size_t TrailingAtomStart(const std::string& text) {
    if (const std::size_t function = TrailingFunctionStart(text); function != kNoMatch) {
        return function;
    }
    std::size_t start = text.size();
    do {
        start = PreviousCharacter(text, start);
    } while (start > 0 && IsPrimeAt(text, start));
    if (IsDigit(text[start])) {
        while (start > 0 && (IsDigit(text[start - 1]) || text[start - 1] == '.')) {
            --start;
        }
    }
    return start;
}

void TrimTrailingBlanks(EqSequence& sequence) {
    if (!sequence.empty() && sequence.back().kind == EqNode::Kind::Text) {
        std::string& text = sequence.back().text;
        text.erase(text.find_last_not_of(' ') + 1);
        if (text.empty()) {
            sequence.pop_back();
        }
    }
}

void TrimBlanks(EqSequence& sequence) {
    TrimTrailingBlanks(sequence);
    if (!sequence.empty() && sequence.front().kind == EqNode::Kind::Text) {
        std::string& text = sequence.front().text;
        text.erase(0, text.find_first_not_of(' '));
        if (text.empty()) {
            sequence.erase(sequence.begin());
        }
    }
}

// Removes and returns what a script attaches to at the end of the sequence.
EqSequence TakeScriptBase(EqSequence& sequence) {
    TrimTrailingBlanks(sequence); // blanks between base and script only separate them
    if (sequence.empty()) {
        return {};
    }
    EqSequence base;
    if (sequence.back().kind != EqNode::Kind::Text) {
        base.push_back(std::move(sequence.back()));
        sequence.pop_back();
        return base;
    }
    std::string& text = sequence.back().text;
    const std::size_t start = TrailingAtomStart(text);
    base.push_back(EqNode{EqNode::Kind::Text, text.substr(start), {}, 0});
    text.erase(start);
    if (text.empty()) {
        sequence.pop_back();
    }
    return base;
}

class EqParser {
public:
    explicit EqParser(std::string_view text) : m_text(text), m_match(MatchBrackets(text)) {}

    std::optional<EqSequence> Parse() {
        EqSequence sequence;
        if (!ParseRange(0, m_text.size(), 0, sequence)) {
            return std::nullopt;
        }
        TrimBlanks(sequence);
        return sequence;
    }

private:
    bool ParseRange(std::size_t begin, std::size_t end, int depth, EqSequence& out) {
        if (depth > kMaxEqNesting) {
            return false;
        }
        std::size_t i = begin;
        while (i < end) {
            const char c = m_text[i];
            if (c == '\\') {
                if (!ParseSwitch(i, end, depth, out)) {
                    return false;
                }
            } else if (IsOpening(c) && m_match[i] != kNoMatch) {
                EqNode group{EqNode::Kind::Group, {c, m_text[m_match[i]]}, {EqSequence()}, 0};
                if (!ParseRange(i + 1, m_match[i], depth + 1, group.parts[0])) {
                    return false;
                }
                out.push_back(std::move(group));
                i = m_match[i] + 1;
            } else {
                if (out.empty() || out.back().kind != EqNode::Kind::Text) {
                    out.push_back(EqNode{});
                }
                out.back().text += c;
                ++i;
            }
        }
        return true;
    }

    // One switch starting at the backslash at pos; pos moves past its arguments.
    bool ParseSwitch(std::size_t& pos, std::size_t end, int depth, EqSequence& out) {
        // The switch text's own leading blank only separates it from the piece before.
        if (!out.empty() && out.back().kind == EqNode::Kind::Text &&
            out.back().text.back() == ' ') {
            out.back().text.pop_back();
            if (out.back().text.empty()) {
                out.pop_back();
            }
        }
        std::size_t i = pos + 1;
        std::optional<SwitchHead> head = ReadSwitchHead(i, end);
        if (!head || i >= end || m_text[i] != '(' || m_match[i] == kNoMatch) {
            return false;
        }
        EqNode& node = head->node;
        std::vector<EqSequence> args;
        if (!ParseArguments(i, depth, args) || args.size() < head->minArgs ||
            args.size() > head->maxArgs) {
            return false;
        }
        pos = m_match[i] + 1;
        switch (node.kind) {
        case EqNode::Kind::Root:
            if (args.size() == 1) {
                args.insert(args.begin(), EqSequence());
            }
            break;
        case EqNode::Kind::Subscript:
        case EqNode::Kind::Superscript:
            args.insert(args.begin(), TakeScriptBase(out));
            break;
        default:
            break;
        }
        node.parts = std::move(args);
        out.push_back(std::move(node));
        return true;
    }

    struct SwitchHead {
        EqNode node;
        std::size_t minArgs = 1;
        std::size_t maxArgs = 1;
    };

    // The switch name and its options, read from just after the backslash up to the
    // opening bracket of the arguments; nothing for an unknown switch or option.
    std::optional<SwitchHead> ReadSwitchHead(std::size_t& i, std::size_t end) const {
        const std::string name = ReadWord(i, end);
        SwitchHead head;
        if (name == "f") {
            head.node.kind = EqNode::Kind::Fraction;
            head.minArgs = head.maxArgs = 2;
        } else if (name == "r") {
            head.node.kind = EqNode::Kind::Root;
            head.maxArgs = 2;
        } else if (name != "s" && name != "x") {
            return std::nullopt;
        }
        bool raisedOrLowered = false;
        while (SkipBlanks(i, end) && m_text[i] == '\\') {
            ++i;
            const std::string option = ReadWord(i, end);
            if (name == "s" && (option == "up" || option == "do")) {
                head.node.kind =
                    option == "up" ? EqNode::Kind::Superscript : EqNode::Kind::Subscript;
                raisedOrLowered = true;
                SkipDistance(i, end);
            } else if (name == "x" &&
                       (option == "to" || option == "bo" || option == "le" || option == "ri")) {
                head.node.sides |= option == "to"   ? EqNode::kTop
                                   : option == "bo" ? EqNode::kBottom
                                   : option == "le" ? EqNode::kLeft
                                                    : EqNode::kRight;
            } else {
                return std::nullopt;
            }
        }
        if (name == "s" && !raisedOrLowered) {
            return std::nullopt;
        }
        if (name == "x") {
            // A box without sides named has all four.
            head.node.kind = EqNode::Kind::Box;
            if (head.node.sides == 0) {
                head.node.sides = EqNode::kTop | EqNode::kBottom | EqNode::kLeft | EqNode::kRight;
            }
        }
        return head;
    }

    // The comma-separated arguments inside the brackets opening at `open`; commas inside
    // nested brackets belong to the argument.
    bool ParseArguments(std::size_t open, int depth, std::vector<EqSequence>& args) {
        const std::size_t close = m_match[open];
        std::size_t start = open + 1;
        for (std::size_t i = start; i <= close; ++i) {
            if (IsOpening(m_text[i]) && m_match[i] != kNoMatch) {
                i = m_match[i];
            } else if (i == close || m_text[i] == ',') {
                args.emplace_back();
                if (!ParseRange(start, i, depth + 1, args.back())) {
                    return false;
                }
                TrimBlanks(args.back());
                start = i + 1;
            }
        }
        return true;
    }

    std::string ReadWord(std::size_t& i, std::size_t end) const {
        std::string word;
        for (; i < end && IsLetter(m_text[i]); ++i) {
            word += static_cast<char>(std::tolower(static_cast<unsigned char>(m_text[i])));
        }
        return word;
    }

    void SkipDistance(std::size_t& i, std::size_t end) const {
        if (i < end && m_text[i] == '-') {
            ++i;
        }
        while (i < end && IsDigit(m_text[i])) {
            ++i;
        }
    }

    // True when a character follows the blanks.
    bool SkipBlanks(std::size_t& i, std::size_t end) const {
        while (i < end && m_text[i] == ' ') {
            ++i;
        }
        return i < end;
    }

    std::string_view m_text;
    std::vector<std::size_t> m_match;
};

} // namespace

std::size_t EqFunctionNameLength(std::string_view text) {
    for (const std::string_view name : kFunctionNames) {
        if (text.substr(0, name.size()) == name) {
            return name.size();
        }
    }
    return 0;
}

std::optional<EqSequence> ParseEqNotation(std::string_view formula) {
    return EqParser(formula).Parse();
}

} // namespace qv
