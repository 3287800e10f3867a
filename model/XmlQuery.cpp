#include "model/XmlQuery.h"

#include "model/XmlPath.h"

#include <algorithm>

namespace qv {
namespace {

// A level with more elements than this resolves its next name from the name index
// instead of asking each element for its children.
constexpr size_t kWideLevel = 32;

} // namespace

void XmlQuery::Reset(const pugi::xml_document* document) {
    m_document = document;
    DropCaches();
}

void XmlQuery::DropCaches() {
    m_depth = 0;
    m_byName.clear();
    m_byNameComplete = false;
    m_order.clear();
    m_stale = false;
}

const XmlQuery::NodeList& XmlQuery::ElementsNamed(std::string_view name) {
    const std::string key(name);
    const auto found = m_byName.find(key);
    if (found != m_byName.end()) {
        return found->second;
    }
    if (m_byNameComplete) {
        return m_none;
    }
    NodeList& list = m_byName[key];
    ForEachElement(m_document->root(), [&](pugi::xml_node element) {
        if (name == element.name()) {
            list.push_back(element.internal_object());
        }
    });
    return list;
}

void XmlQuery::Prefetch(const std::vector<std::string>& names) {
    if (m_stale) {
        DropCaches();
    }
    std::vector<std::pair<std::string_view, NodeList*>> wanted;
    for (const std::string& name : names) {
        if (m_document != nullptr && !m_byNameComplete && m_byName.count(name) == 0) {
            wanted.emplace_back(name, &m_byName[name]);
        }
    }
    if (wanted.empty()) {
        return;
    }
    ForEachElement(m_document->root(), [&](pugi::xml_node element) {
        const std::string_view name = element.name();
        for (auto& [wantedName, list] : wanted) {
            if (name == wantedName) {
                list->push_back(element.internal_object());
            }
        }
    });
}

void XmlQuery::BuildNameIndex() {
    if (m_byNameComplete) {
        return;
    }
    m_byName.clear();
    ForEachElement(m_document->root(), [&](pugi::xml_node element) {
        m_byName[element.name()].push_back(element.internal_object());
    });
    m_byNameComplete = true;
}

void XmlQuery::BuildDocumentOrder() {
    if (!m_order.empty()) {
        return;
    }
    size_t position = 0;
    ForEachElement(m_document->root(), [&](pugi::xml_node element) {
        m_order.emplace(element.internal_object(), position++);
    });
}

void XmlQuery::ChildrenNamed(Level& parents, std::string_view name, NodeList& out) {
    if (parents.matches.size() > kWideLevel) {
        // Many parents: take the elements of that name and keep those whose parent is
        // one of them; the shorter list decides the work.
        BuildNameIndex();
        const NodeList& named = ElementsNamed(name);
        if (named.size() < parents.matches.size()) {
            NodeList& sorted = parents.sortedMatches;
            if (sorted.empty()) {
                sorted = parents.matches;
                std::sort(sorted.begin(), sorted.end());
            }
            for (pugi::xml_node_struct* element : named) {
                pugi::xml_node_struct* parent = pugi::xml_node(element).parent().internal_object();
                if (std::binary_search(sorted.begin(), sorted.end(), parent)) {
                    out.push_back(element);
                }
            }
            return;
        }
    }
    for (pugi::xml_node_struct* parent : parents.matches) {
        m_children.AppendAll(pugi::xml_node(parent), name, out);
    }
}

const XmlQuery::NodeList& XmlQuery::Resolve(const std::vector<std::string_view>& names) {
    if (m_stale) {
        DropCaches();
    }
    if (m_document == nullptr || names.empty()) {
        return m_none;
    }
    // Levels below the shared ones are overwritten in place, reusing their storage.
    for (m_depth = SharedLevels(m_levels, m_depth, names); m_depth < names.size(); ++m_depth) {
        if (m_depth == m_levels.size()) {
            m_levels.emplace_back();
        }
        Level& level = m_levels[m_depth];
        level.name.assign(names[m_depth]);
        level.matches.clear();
        level.sortedMatches.clear();
        if (m_depth == 0) {
            const NodeList& named = ElementsNamed(names[0]);
            level.matches.assign(named.begin(), named.end());
        } else if (!m_levels[m_depth - 1].matches.empty()) {
            ChildrenNamed(m_levels[m_depth - 1], names[m_depth], level.matches);
        }
    }
    m_depth = names.size();
    return m_levels[m_depth - 1].matches;
}

const XmlQuery::NodeList& XmlQuery::Matches(const std::vector<std::string_view>& names) {
    return Resolve(names);
}

pugi::xml_node XmlQuery::FirstMatch(const std::vector<std::string_view>& names) {
    const NodeList& matches = Resolve(names);
    if (matches.empty()) {
        return pugi::xml_node();
    }
    if (matches.size() == 1) {
        return pugi::xml_node(matches.front());
    }
    BuildDocumentOrder();
    const auto first = std::min_element(matches.begin(), matches.end(),
                                        [this](pugi::xml_node_struct* a, pugi::xml_node_struct* b) {
                                            return m_order.at(a) < m_order.at(b);
                                        });
    return pugi::xml_node(*first);
}

} // namespace qv
