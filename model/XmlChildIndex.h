#pragma once
// Finds child elements by name without scanning long child lists again and again: a
// parent with many children gets a name index on first use, kept current as children
// are appended. Small parents are scanned.
#include <pugixml.hpp>

#include <string_view>
#include <unordered_map>
#include <vector>

namespace qv {

class XmlChildIndex {
public:
    // The first child element of parent with this name, or an empty node.
    pugi::xml_node First(pugi::xml_node parent, std::string_view name);
    // Appends every child element of parent with this name, in document order.
    void AppendAll(pugi::xml_node parent, std::string_view name,
                   std::vector<pugi::xml_node_struct*>& out);
    // Records a child element just appended as the last child of parent.
    void Appended(pugi::xml_node parent, pugi::xml_node child);
    // Forgets every index (after nodes were removed).
    void Clear();

private:
    struct Index {
        std::unordered_map<std::string_view, pugi::xml_node_struct*> first;
        // The later children of a name that occurs more than once, in document order.
        std::unordered_map<std::string_view, std::vector<pugi::xml_node_struct*>> later;
        void Add(pugi::xml_node child);
    };
    // The index of a parent known to have many children, built on first use.
    Index& IndexOf(pugi::xml_node parent);

    std::unordered_map<pugi::xml_node_struct*, Index> m_indexes;
    // The parent whose index was used last (rows of one table are looked up in turn).
    pugi::xml_node_struct* m_bigParent = nullptr;
    Index* m_bigIndex = nullptr;
};

} // namespace qv
