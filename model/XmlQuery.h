#pragma once
// Answers the path queries of the project store, "//n0/n1/.../nk": the elements named nk
// whose parent chain ends with n0 ... nk-1, n0 anywhere in the document. Each level of
// the last query is kept, so the next query that shares its leading names resolves only
// the names that differ; lookups go through name indexes, so the cost of reading a whole
// document grows linearly with its size.
#include "model/XmlChildIndex.h"

#include <pugixml.hpp>

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qv {

class XmlQuery {
public:
    explicit XmlQuery(XmlChildIndex& children) : m_children(children) {}

    // Starts over on this document (nullptr: none).
    void Reset(const pugi::xml_document* document);
    // The tree changed: every cached answer is dropped before the next query.
    void Invalidate() { m_stale = true; }

    // The first selected element in document order; an empty node when none.
    pugi::xml_node FirstMatch(const std::vector<std::string_view>& names);
    // Every selected element, in no particular order.
    const std::vector<pugi::xml_node_struct*>& Matches(const std::vector<std::string_view>& names);
    // Finds the elements of these names in one pass over the document, for queries
    // that will start with them.
    void Prefetch(const std::vector<std::string>& names);

private:
    using NodeList = std::vector<pugi::xml_node_struct*>;
    struct Level {
        std::string name;
        NodeList matches;
        NodeList sortedMatches; // by address, filled when a wide level needs it
    };

    void DropCaches();
    const NodeList& Resolve(const std::vector<std::string_view>& names);
    // Every element with this name, in document order.
    const NodeList& ElementsNamed(std::string_view name);
    void ChildrenNamed(Level& parents, std::string_view name, NodeList& out);
    void BuildNameIndex();
    void BuildDocumentOrder();

    XmlChildIndex& m_children;
    const pugi::xml_document* m_document = nullptr;
    bool m_stale = false;
    std::vector<Level> m_levels; // the levels of the last query; kept for reuse beyond m_depth
    size_t m_depth = 0;
    // Elements by name: filled per name on demand, or for all names at once when a wide
    // level (many elements of the same name) calls for it.
    std::unordered_map<std::string, NodeList> m_byName;
    bool m_byNameComplete = false;
    const NodeList m_none;
    std::unordered_map<pugi::xml_node_struct*, size_t> m_order;
};

// Calls visit(element) for every element below root in document order, without
// recursion (a deeply nested file must not exhaust the stack).
template <typename Visit> void ForEachElement(pugi::xml_node root, Visit visit) {
    pugi::xml_node node = root.first_child();
    while (node) {
        if (node.type() == pugi::node_element) {
            visit(node);
        }
        if (pugi::xml_node child = node.first_child()) {
            node = child;
            continue;
        }
        while (node && node != root && !node.next_sibling()) {
            node = node.parent();
        }
        node = node && node != root ? node.next_sibling() : pugi::xml_node();
    }
}

} // namespace qv
