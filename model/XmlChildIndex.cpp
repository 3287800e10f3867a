#include "model/XmlChildIndex.h"

#include <cstring>

namespace qv {
namespace {

// Parents with fewer element children than this are scanned.
constexpr int kIndexedChildren = 12;

// The element's name equals name (without measuring the element's name first).
bool NameIs(pugi::xml_node element, std::string_view name) {
    const char* own = element.name();
    return std::strncmp(own, name.data(), name.size()) == 0 && own[name.size()] == '\0';
}

} // namespace

void XmlChildIndex::Index::Add(pugi::xml_node child) {
    if (!first.emplace(child.name(), child.internal_object()).second) {
        later[child.name()].push_back(child.internal_object());
    }
}

void XmlChildIndex::Clear() {
    m_indexes.clear();
    m_bigParent = nullptr;
    m_bigIndex = nullptr;
}

XmlChildIndex::Index& XmlChildIndex::IndexOf(pugi::xml_node parent) {
    if (parent.internal_object() == m_bigParent) {
        return *m_bigIndex;
    }
    const auto [entry, added] = m_indexes.try_emplace(parent.internal_object());
    m_bigParent = parent.internal_object();
    m_bigIndex = &entry->second;
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
    if (parent.internal_object() != m_bigParent) {
        int elements = 0;
        for (pugi::xml_node child = parent.first_child(); child && elements < kIndexedChildren;
             child = child.next_sibling()) {
            if (child.type() != pugi::node_element) {
                continue;
            }
            if (NameIs(child, name)) {
                return child;
            }
            ++elements;
        }
        if (elements < kIndexedChildren) {
            return pugi::xml_node();
        }
    }
    const Index& index = IndexOf(parent);
    const auto found = index.first.find(name);
    return pugi::xml_node(found == index.first.end() ? nullptr : found->second);
}

void XmlChildIndex::AppendAll(pugi::xml_node parent, std::string_view name,
                              std::vector<pugi::xml_node_struct*>& out) {
    if (parent.internal_object() != m_bigParent) {
        const size_t start = out.size();
        int elements = 0;
        pugi::xml_node child = parent.first_child();
        for (; child; child = child.next_sibling()) {
            if (child.type() != pugi::node_element) {
                continue;
            }
            if (++elements > kIndexedChildren) {
                break;
            }
            if (NameIs(child, name)) {
                out.push_back(child.internal_object());
            }
        }
        if (!child) {
            return; // a small parent, scanned whole
        }
        out.resize(start);
    }
    const Index& index = IndexOf(parent);
    const auto found = index.first.find(name);
    if (found != index.first.end()) {
        out.push_back(found->second);
        const auto more = index.later.find(name);
        if (more != index.later.end()) {
            out.insert(out.end(), more->second.begin(), more->second.end());
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
