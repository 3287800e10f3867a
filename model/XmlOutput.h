#pragma once
// The text of a document with its pending elements: UTF-8, the declaration first, one
// element per line indented by tabs, an element holding only text on one line, and
// mixed content (text beside elements) kept on one line as it is.
#include "model/XmlPendingTree.h"

#include <pugixml.hpp>

#include <functional>
#include <string>
#include <string_view>

namespace qv {

// The text with "&", "<", ">" (and in attributes '"') as entities, carriage returns (and
// in attributes tabs and line feeds) as character references, and the control
// characters XML 1.0 does not allow left out; the runs between them are copied whole.
void AppendEscaped(std::string& out, std::string_view text, bool attribute);

void WriteXmlText(const pugi::xml_document& document, const XmlPendingTree& pending,
                  std::string& out);

// The same text handed out in pieces of about a megabyte, so that a large document is
// never held whole; stops and returns false as soon as put does.
bool WriteXmlText(const pugi::xml_document& document, const XmlPendingTree& pending,
                  const std::function<bool(std::string_view piece)>& put);

} // namespace qv
