#include "model/XmlChildIndex.h"

namespace qv {
namespace {

// Parents with fewer element children than this are scanned.
constexpr int kIndexedChildren = 12;

} // namespace

void XmlChildIndex::Index::Add(pugi::xml_node child) {
    if (!first.emplace(child.name(), child.internal_object()).second) {
        later[child.name()].push_back(child.internal_object());
    }
}

void XmlChildIndex::Clear() {
    m_indexes.clear();
    m_lastParent = nullptr;
    m_lastIndex = nullptr;
}

XmlChildIndex::Index& XmlChildIndex::IndexOf(pugi::xml_node parent) {
    const auto [entry, added] = m_indexes.try_emplace(parent.internal_object());
    if (added) {
        for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling()) {
            if (child.type() == pugi::node_element) {
                entry->second.Add(child);
            }
        }
    }
    return entry->second;
}

pugi::xml_node XmlChildIndex::First(pugi::xml_node parent, std::string_view name) {
    // The first children are looked at directly; only a parent with many children goes
    // to its index.
    int elements = 0;
    for (pugi::xml_node child = parent.first_child(); child && elements < kIndexedChildren;
         child = child.next_sibling()) {
        if (child.type() != pugi::node_element) {
            continue;
        }
        if (name == child.name()) {
            m_lastParent = nullptr;
            return child;
        }
        ++elements;
    }
    m_lastParent = parent.internal_object();
    if (elements < kIndexedChildren) {
        m_lastIndex = nullptr;
        return pugi::xml_node();
    }
    m_lastIndex = &IndexOf(parent);
    const auto found = m_lastIndex->first.find(name);
    return pugi::xml_node(found == m_lastIndex->first.end() ? nullptr : found->second);
}

void XmlChildIndex::AppendAll(pugi::xml_node parent, std::string_view name,
                              std::vector<pugi::xml_node_struct*>& out) {
    const size_t start = out.size();
    int elements = 0;
    for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element) {
            continue;
        }
        if (++elements > kIndexedChildren) {
            out.resize(start);
            const Index& index = IndexOf(parent);
            const auto found = index.first.find(name);
            if (found != index.first.end()) {
                out.push_back(found->second);
                const auto more = index.later.find(name);
                if (more != index.later.end()) {
                    out.insert(out.end(), more->second.begin(), more->second.end());
                }
            }
            return;
        }
        if (name == child.name()) {
            out.push_back(child.internal_object());
        }
    }
}

void XmlChildIndex::Appended(pugi::xml_node parent, pugi::xml_node child) {
    Index* index = m_lastIndex;
    if (parent.internal_object() != m_lastParent) {
        const auto found = m_indexes.find(parent.internal_object());
        index = found == m_indexes.end() ? nullptr : &found->second;
    }
    if (index != nullptr) {
        index->Add(child);
    }
    m_lastParent = nullptr;
}

} // namespace qv
