#include "model/XmlOutput.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace qv {

void AppendEscaped(std::string& out, std::string_view text, bool attribute) {
    const auto special = [attribute](char c) {
        return c == '&' || c == '<' || c == '>' || (attribute && c == '"') ||
               (static_cast<unsigned char>(c) < 32 && (attribute || (c != '\t' && c != '\n')));
    };
    size_t run = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (!special(c)) {
            continue;
        }
        out.append(text.substr(run, i - run));
        run = i + 1;
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\t':
        case '\n':
        case '\r':
            out += "&#" + std::to_string(static_cast<int>(c)) + ";";
            break;
        default:
            break; // a control character XML 1.0 does not allow is left out
        }
    }
    out.append(text.substr(run));
}

namespace {

using Id = XmlPendingTree::Id;

void AppendCdata(std::string& out, std::string_view text) {
    out += "<![CDATA[";
    // Control characters XML 1.0 does not allow are left out here too.
    std::string allowed;
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 32 || c == '\t' || c == '\n' || c == '\r') {
            allowed += c;
        }
    }
    text = allowed;
    // "]]>" cannot stand inside a section: it is split across two.
    for (size_t at; (at = text.find("]]>")) != std::string_view::npos;) {
        out.append(text.substr(0, at + 2));
        out += "]]><![CDATA[";
        text.remove_prefix(at + 2);
    }
    out.append(text);
    out += "]]>";
}

// An element of the tree or a pending one.
struct Element {
    pugi::xml_node dom;
    Id pending = XmlPendingTree::kNone;
};

// One open element whose children are being written.
struct Frame {
    Element element;
    int depth = 0;
    bool inlineContent = false;
    pugi::xml_node nextDom;                 // next child of the tree element
    Id nextPending = XmlPendingTree::kNone; // next pending child
};

class Writer {
public:
    // flush (when given) takes the text written so far whenever it has grown past
    // kPieceBytes; out is emptied after each flush.
    Writer(const XmlPendingTree& pending, std::string& out,
           const std::function<bool(std::string_view)>* flush = nullptr)
        : m_pending(pending), m_out(out), m_flush(flush) {}

    bool Write(pugi::xml_node root) {
        Open(Element{root, XmlPendingTree::kNone}, 0, false);
        while (!m_stack.empty()) {
            if (m_flush != nullptr && m_out.size() >= kPieceBytes) {
                if (!(*m_flush)(m_out)) {
                    return false;
                }
                m_out.clear();
            }
            Frame& frame = m_stack.back();
            if (frame.nextDom) {
                const pugi::xml_node child = frame.nextDom;
                frame.nextDom = child.next_sibling();
                const int depth = frame.depth + 1;
                const bool inlineContent = frame.inlineContent;
                if (child.type() == pugi::node_element) {
                    Open(Element{child, XmlPendingTree::kNone}, depth, inlineContent);
                } else if (child.type() == pugi::node_pcdata) {
                    AppendEscaped(m_out, child.value(), false);
                } else if (child.type() == pugi::node_cdata) {
                    AppendCdata(m_out, child.value());
                }
            } else if (frame.nextPending != XmlPendingTree::kNone) {
                const Id child = frame.nextPending;
                frame.nextPending = m_pending.NextSibling(child);
                const int depth = frame.depth + 1;
                Open(Element{pugi::xml_node(), child}, depth, frame.inlineContent);
            } else {
                const Frame done = frame;
                m_stack.pop_back();
                Close(done.element, done.depth, done.inlineContent, !done.inlineContent);
            }
        }
        return true;
    }

    static constexpr size_t kPieceBytes = size_t{1} << 20;

private:
    std::string_view Name(const Element& element) const {
        return element.dom ? std::string_view(element.dom.name())
                           : std::string_view(m_pending.Name(element.pending));
    }

    // Deep elements (kept from a file written by another program) are indented no further
    // than kMaxIndent tabs, so the text grows linearly with the document however deep.
    static constexpr int kMaxIndent = 32;
    void Indent(int depth) { m_out.append(static_cast<size_t>(std::min(depth, kMaxIndent)), '\t'); }

    void Close(const Element& element, int depth, bool inlineContent, bool childrenOnLines) {
        if (childrenOnLines) {
            Indent(depth);
        }
        m_out += "</";
        m_out += Name(element);
        m_out += '>';
        if (!inlineContent) {
            m_out += '\n';
        }
    }

    void Open(const Element& element, int depth, bool inlineContent) {
        if (!inlineContent) {
            Indent(depth);
        }
        m_out += '<';
        m_out += Name(element);
        Frame frame{element, depth, inlineContent, pugi::xml_node(), XmlPendingTree::kNone};
        std::string_view text;
        bool hasText = false;
        bool hasElements = false;
        if (element.dom) {
            for (pugi::xml_attribute attribute : element.dom.attributes()) {
                m_out += ' ';
                m_out += attribute.name();
                m_out += "=\"";
                AppendEscaped(m_out, attribute.value(), true);
                m_out += '"';
            }
            text = element.dom.value(); // text kept on the element itself by the parser
            hasText = !text.empty();
            for (pugi::xml_node child = element.dom.first_child(); child;
                 child = child.next_sibling()) {
                hasElements = hasElements || child.type() == pugi::node_element;
                const bool textNode =
                    child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata;
                hasText = hasText || (textNode && *child.value() != '\0');
            }
            frame.nextDom = element.dom.first_child();
            const Id anchor = m_pending.FindAnchor(element.dom);
            frame.nextPending =
                anchor == XmlPendingTree::kNone ? anchor : m_pending.FirstChildOf(anchor);
        } else {
            hasText =
                m_pending.HasText(element.pending) && !m_pending.Text(element.pending).empty();
            text = hasText ? m_pending.Text(element.pending) : std::string_view();
            frame.nextPending = m_pending.FirstChildOf(element.pending);
        }
        hasElements = hasElements || frame.nextPending != XmlPendingTree::kNone;
        if (!hasText && !hasElements) {
            m_out += inlineContent ? " />" : " />\n";
            return;
        }
        m_out += '>';
        AppendEscaped(m_out, text, false);
        if (!hasElements) {
            // Text only: on the element's line; the text children are written here.
            for (pugi::xml_node child = frame.nextDom; child; child = child.next_sibling()) {
                if (child.type() == pugi::node_pcdata) {
                    AppendEscaped(m_out, child.value(), false);
                } else if (child.type() == pugi::node_cdata) {
                    AppendCdata(m_out, child.value());
                }
            }
            Close(element, depth, inlineContent, false);
            return;
        }
        frame.inlineContent = inlineContent || hasText;
        if (!frame.inlineContent) {
            m_out += '\n';
        }
        m_stack.push_back(frame);
    }

    const XmlPendingTree& m_pending;
    std::string& m_out;
    const std::function<bool(std::string_view)>* m_flush;
    std::vector<Frame> m_stack;
};

void WriteDeclaration(const pugi::xml_document& document, std::string& out) {
    out += "<?xml";
    bool declared = false;
    for (pugi::xml_node node = document.first_child(); node && !declared;
         node = node.next_sibling()) {
        if (node.type() == pugi::node_declaration) {
            declared = true;
            for (pugi::xml_attribute attribute : node.attributes()) {
                out += ' ';
                out += attribute.name();
                out += "=\"";
                AppendEscaped(out, attribute.value(), true);
                out += '"';
            }
        }
    }
    out += declared ? "?>\n" : " version=\"1.0\"?>\n";
}

} // namespace

void WriteXmlText(const pugi::xml_document& document, const XmlPendingTree& pending,
                  std::string& out) {
    WriteDeclaration(document, out);
    Writer(pending, out).Write(document.document_element());
}

bool WriteXmlText(const pugi::xml_document& document, const XmlPendingTree& pending,
                  const std::function<bool(std::string_view piece)>& put) {
    std::string piece;
    piece.reserve(Writer::kPieceBytes + 65536);
    WriteDeclaration(document, piece);
    return Writer(pending, piece, &put).Write(document.document_element()) && put(piece);
}

} // namespace qv
