#include "model/XmlChildIndex.h"

namespace qv {
namespace {

// Parents with fewer element children than this are scanned.
constexpr int kIndexedChildren = 12;

bool HasName(pugi::xml_node node, std::string_view name) {
    return node.type() == pugi::node_element && name == node.name();
}

} // namespace

void XmlChildIndex::Index::Add(pugi::xml_node child) {
    if (!first.emplace(child.name(), child.internal_object()).second) {
        later[child.name()].push_back(child.internal_object());
    }
}

XmlChildIndex::Index* XmlChildIndex::IndexOf(pugi::xml_node parent) {
    const auto found = m_indexes.find(parent.internal_object());
    if (found != m_indexes.end()) {
        return &found->second;
    }
    int count = 0;
    for (pugi::xml_node child = parent.first_child(); child && count < kIndexedChildren;
         child = child.next_sibling()) {
        count += child.type() == pugi::node_element ? 1 : 0;
    }
    if (count < kIndexedChildren) {
        return nullptr;
    }
    Index& index = m_indexes[parent.internal_object()];
    for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element) {
            index.Add(child);
        }
    }
    return &index;
}

pugi::xml_node XmlChildIndex::First(pugi::xml_node parent, std::string_view name) {
    if (Index* index = IndexOf(parent)) {
        const auto found = index->first.find(name);
        return pugi::xml_node(found == index->first.end() ? nullptr : found->second);
    }
    for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling()) {
        if (HasName(child, name)) {
            return child;
        }
    }
    return pugi::xml_node();
}

void XmlChildIndex::AppendAll(pugi::xml_node parent, std::string_view name,
                              std::vector<pugi::xml_node_struct*>& out) {
    if (Index* index = IndexOf(parent)) {
        const auto found = index->first.find(name);
        if (found != index->first.end()) {
            out.push_back(found->second);
            const auto more = index->later.find(name);
            if (more != index->later.end()) {
                out.insert(out.end(), more->second.begin(), more->second.end());
            }
        }
        return;
    }
    for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling()) {
        if (HasName(child, name)) {
            out.push_back(child.internal_object());
        }
    }
}

void XmlChildIndex::Appended(pugi::xml_node parent, pugi::xml_node child) {
    const auto found = m_indexes.find(parent.internal_object());
    if (found != m_indexes.end()) {
        found->second.Add(child);
    }
}

} // namespace qv
