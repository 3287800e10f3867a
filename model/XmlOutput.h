#pragma once
// The text of a document with its pending elements: UTF-8, the declaration first, one
// element per line indented by tabs, an element holding only text on one line, and
// mixed content (text beside elements) kept on one line as it is.
#include "model/XmlPendingTree.h"

#include <pugixml.hpp>

#include <string>

namespace qv {

void WriteXmlText(const pugi::xml_document& document, const XmlPendingTree& pending,
                  std::string& out);

} // namespace qv
