#include "model/XmlPendingTree.h"

#include <algorithm>

namespace qv {
namespace {

// Parents with fewer children than this are scanned; larger ones are indexed.
constexpr uint32_t kIndexedChildren = 12;

} // namespace

XmlPendingTree::Id XmlPendingTree::NewNode(uint32_t name) {
    if (m_count == 0) {
        m_count = 1; // node 0 is "none"
    }
    if ((m_count >> kBlockBits) == m_blocks.size()) {
        m_blocks.push_back(std::make_unique_for_overwrite<Node[]>(kBlockSize));
    }
    At(m_count) = Node{name, kNone, kNone, kNone, 0, 0, 0, 0, false};
    return m_count++;
}

void XmlPendingTree::Clear() {
    m_blocks.clear();
    m_count = 0;
    m_texts.clear();
    m_anchors.clear();
    m_anchorList.clear();
    m_firstByName.clear();
}

uint32_t XmlPendingTree::NameId(std::string_view name) {
    const auto found = m_nameIds.find(name);
    if (found != m_nameIds.end()) {
        return found->second;
    }
    const uint32_t id = static_cast<uint32_t>(m_names.size());
    m_names.emplace_back(name);
    m_nameIds.emplace(m_names.back(), id);
    return id;
}

XmlPendingTree::Id XmlPendingTree::Anchor(pugi::xml_node element) {
    const auto [entry, added] = m_anchors.try_emplace(element.internal_object(), kNone);
    if (added) {
        entry->second = NewNode(0);
        m_anchorList.emplace_back(element.internal_object(), entry->second);
    }
    return entry->second;
}

XmlPendingTree::Id XmlPendingTree::FindAnchor(pugi::xml_node element) const {
    const auto found = m_anchors.find(element.internal_object());
    return found == m_anchors.end() ? kNone : found->second;
}

void XmlPendingTree::ForgetAnchor(pugi::xml_node element) {
    const auto found = m_anchors.find(element.internal_object());
    if (found == m_anchors.end()) {
        return;
    }
    const Id anchor = found->second;
    m_anchors.erase(found);
    m_anchorList.erase(
        std::find_if(m_anchorList.begin(), m_anchorList.end(),
                     [anchor](const auto& entry) { return entry.second == anchor; }));
}

XmlPendingTree::Id XmlPendingTree::FirstChild(Id parent, uint32_t name) const {
    const Node& node = At(parent);
    if (node.childCount >= kIndexedChildren) {
        const auto found = m_firstByName.find(ChildKey(parent, name));
        return found == m_firstByName.end() ? kNone : found->second;
    }
    for (Id child = node.firstChild; child != kNone; child = At(child).nextSibling) {
        if (At(child).name == name) {
            return child;
        }
    }
    return kNone;
}

XmlPendingTree::Id XmlPendingTree::FirstOrAppend(Id parent, std::string_view name, bool* added) {
    const uint32_t nameId = NameId(name);
    Id child = FirstChild(parent, nameId);
    if (added != nullptr) {
        *added = child == kNone;
    }
    if (child == kNone) {
        child = Append(parent, nameId);
    }
    return child;
}

void XmlPendingTree::IndexChild(Id parent, Id child) {
    m_firstByName.try_emplace(ChildKey(parent, At(child).name), child);
}

XmlPendingTree::Id XmlPendingTree::Append(Id parent, uint32_t name) {
    const Id child = NewNode(name);
    Node& node = At(parent);
    if (node.lastChild == kNone) {
        node.firstChild = child;
    } else {
        At(node.lastChild).nextSibling = child;
    }
    node.lastChild = child;
    ++node.childCount;
    if (node.childCount == kIndexedChildren) {
        for (Id sibling = node.firstChild; sibling != kNone; sibling = At(sibling).nextSibling) {
            IndexChild(parent, sibling);
        }
    } else if (node.childCount > kIndexedChildren) {
        IndexChild(parent, child);
    }
    return child;
}

void XmlPendingTree::SetText(Id id, std::string_view text) {
    Node& node = At(id);
    // The text replaces all content: children go (they stay unreachable in the store).
    if (node.childCount >= kIndexedChildren) {
        for (Id child = node.firstChild; child != kNone; child = At(child).nextSibling) {
            m_firstByName.erase(ChildKey(id, At(child).name));
        }
    }
    node.firstChild = node.lastChild = kNone;
    node.childCount = 0;
    if (text.size() > node.textCapacity) {
        node.textOffset = static_cast<uint32_t>(m_texts.size());
        node.textCapacity = static_cast<uint32_t>(text.size());
        m_texts.append(text);
    } else {
        std::copy(text.begin(), text.end(), m_texts.begin() + node.textOffset);
    }
    node.textLength = static_cast<uint32_t>(text.size());
    node.hasText = true;
}

std::string_view XmlPendingTree::Text(Id node) const {
    return std::string_view(m_texts).substr(At(node).textOffset, At(node).textLength);
}

} // namespace qv
