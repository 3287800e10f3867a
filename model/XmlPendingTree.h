#pragma once
// Elements written into a document that are not yet part of its XML tree. A save over a
// new file creates hundreds of elements per luminaire; held here in a compact form they
// cost a fraction of full tree nodes, and they go out with the document when it is
// written (after the children the parent already had) or join the tree before it is
// read.
#include <pugixml.hpp>

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qv {

class XmlPendingTree {
public:
    using Id = uint32_t;
    static constexpr Id kNone = 0;

    bool Empty() const { return m_anchors.empty(); }
    void Clear();

    // The node that holds the new children of an element of the tree; created on
    // demand. Has no name of its own.
    Id Anchor(pugi::xml_node element);
    // The anchor of element, or kNone when it has no new children.
    Id FindAnchor(pugi::xml_node element) const;
    // Forgets the new children of an element that leaves the tree.
    void ForgetAnchor(pugi::xml_node element);

    // The first child of parent with this name, appended when there is none; added
    // (when given) tells whether it was.
    Id FirstOrAppend(Id parent, std::string_view name, bool* added = nullptr);
    // Replaces the content of node with text.
    void SetText(Id node, std::string_view text);

    // Walking the nodes: children in order of appending.
    Id FirstChildOf(Id node) const { return At(node).firstChild; }
    Id NextSibling(Id node) const { return At(node).nextSibling; }
    const std::string& Name(Id node) const { return m_names[At(node).name]; }
    bool HasText(Id node) const { return At(node).hasText; }
    std::string_view Text(Id node) const;
    // Anchors in order of creation, with their elements.
    const std::vector<std::pair<pugi::xml_node_struct*, Id>>& Anchors() const {
        return m_anchorList;
    }

private:
    // Plain data, so that a new block of nodes is not cleared first.
    struct Node {
        uint32_t name;
        Id firstChild;
        Id lastChild;
        Id nextSibling;
        uint32_t childCount;
        uint32_t textOffset;
        uint32_t textLength;
        uint32_t textCapacity;
        bool hasText;
    };
    // Nodes live in fixed blocks: growing never moves or copies them.
    static constexpr uint32_t kBlockBits = 14;
    static constexpr uint32_t kBlockSize = 1u << kBlockBits;
    Node& At(Id node) { return m_blocks[node >> kBlockBits][node & (kBlockSize - 1)]; }
    const Node& At(Id node) const { return m_blocks[node >> kBlockBits][node & (kBlockSize - 1)]; }
    Id NewNode(uint32_t name);
    // The first child of parent with this name; kNone when there is none.
    Id FirstChild(Id parent, uint32_t name) const;
    // Appends a child element with this name as the last child of parent.
    Id Append(Id parent, uint32_t name);

    uint32_t NameId(std::string_view name);
    static uint64_t ChildKey(Id parent, uint32_t name) {
        return (static_cast<uint64_t>(parent) << 32) | name;
    }
    void IndexChild(Id parent, Id child);

    std::vector<std::unique_ptr<Node[]>> m_blocks;
    uint32_t m_count = 0;            // nodes in use; node 0 stands for "none"
    std::deque<std::string> m_names; // interned element names; stable addresses
    std::unordered_map<std::string_view, uint32_t> m_nameIds;
    std::string m_texts;
    std::unordered_map<pugi::xml_node_struct*, Id> m_anchors;
    std::vector<std::pair<pugi::xml_node_struct*, Id>> m_anchorList;
    // First child by (parent, name) for parents with many children.
    std::unordered_map<uint64_t, Id> m_firstByName;
};

} // namespace qv
