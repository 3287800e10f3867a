#pragma once
// Element paths of the project store: a section ("灯具/灯具0/光源1") and a key ("sName")
// make one path; blanks become "_", one trailing "/" is dropped and the text is cut at
// each "/" into element names.
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// Cuts paths into element names. The names view a buffer in which each "/" is replaced
// by a NUL, so every name's data() is also a C string. A leading "/" gives an empty
// first name; "a//b" an empty middle one. Consecutive paths of one section (a record's
// keys) reuse the section's names.
class ElementPath {
public:
    // The names of section/key, valid until the next call.
    const std::vector<std::string_view>& Split(const std::string& section, const std::string& key);

private:
    void SplitWhole(const std::string& section, const std::string& key);

    std::string m_buffer;
    std::vector<std::string_view> m_names;
    std::string m_section;     // the section of the last whole split
    size_t m_sectionNames = 0; // its names; 0 when the last path cannot be reused
    size_t m_keyStart = 0;     // where the key begins in the buffer
};

// A name the XML parser reads back as an element name: a letter, "_", ":" or a non-ASCII
// byte first, then also digits, "-" and ".". Names of the form 灯具%d and 数据%d pass.
bool IsElementName(std::string_view name);

// How many of the first `depth` levels (each with a .name) the path names repeat from
// the start: a path resolves only where it differs from the last one.
template <typename Levels>
size_t SharedLevels(const Levels& levels, size_t depth,
                    const std::vector<std::string_view>& names) {
    size_t shared = 0;
    while (shared < depth && shared < names.size() && levels[shared].name == names[shared]) {
        ++shared;
    }
    return shared;
}

// The i of a name "<prefix><i>" with i written as "%d" (no sign, no leading zero) and
// i < limit; -1 for any other name.
int EntryIndexOfName(std::string_view name, std::string_view prefix, int limit);

} // namespace qv
