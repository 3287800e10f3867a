#include "model/ProjectDocument.h"

#include "model/XmlChildIndex.h"
#include "model/XmlOutput.h"
#include "model/XmlPath.h"
#include "model/XmlPendingTree.h"

#include <kelvorin/KvFile.h>
#include <kelvorin/KvStr.h>

#include <pugixml.hpp>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <sys/stat.h>
#include <type_traits>
#include <unistd.h>

namespace qv {
namespace {

// Element texts keep blanks, also a text of blanks only; the XML declaration is kept.
constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_declaration |
                                   pugi::parse_embed_pcdata | pugi::parse_ws_pcdata_single;

// How many levels of elements the tree holds below and with element (1 for an element
// without children); walked without recursion, so any depth is measured safely.
int NestingDepth(pugi::xml_node element) {
    int deepest = 0;
    int depth = 1;
    pugi::xml_node node = element;
    while (node) {
        deepest = std::max(deepest, depth);
        if (pugi::xml_node child = node.first_child()) {
            node = child;
            ++depth;
            continue;
        }
        while (node != element && !node.next_sibling()) {
            node = node.parent();
            --depth;
        }
        if (node == element) {
            break;
        }
        node = node.next_sibling();
    }
    return deepest;
}

// What pugixml found wrong, in the user's words.
const char* XmlProblem(pugi::xml_parse_status status) {
    switch (status) {
    case pugi::status_file_not_found:
        return "文件不存在";
    case pugi::status_io_error:
        return "读取文件出错";
    case pugi::status_out_of_memory:
        return "内存不足";
    case pugi::status_end_element_mismatch:
        return "开始标记与结束标记不匹配";
    case pugi::status_unrecognized_tag:
    case pugi::status_bad_start_element:
    case pugi::status_bad_end_element:
        return "标记格式错误";
    case pugi::status_bad_attribute:
        return "属性格式错误";
    case pugi::status_bad_pi:
    case pugi::status_bad_comment:
    case pugi::status_bad_cdata:
    case pugi::status_bad_doctype:
    case pugi::status_bad_pcdata:
        return "内容格式错误";
    case pugi::status_no_document_element:
        return "没有根元素";
    default:
        return "格式错误";
    }
}

// The line (from 1) of a byte offset in the file.
long long LineAt(const std::string& path, long long offset) {
    std::string content;
    if (offset < 0 || KvFile::ReadAll(path, content) != KvFileRead::Ok) {
        return 0;
    }
    const size_t end = std::min(content.size(), static_cast<size_t>(offset));
    return 1 +
           std::count(content.begin(), content.begin() + static_cast<std::ptrdiff_t>(end), '\n');
}

// The leading decimal number of the text (blanks skipped, optional sign), 0 when there
// is none, held to the int range.
int LeadingInt(const char* text) {
    char* end = nullptr;
    const long long value = std::strtoll(text, &end, 10);
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// "%.6f" and "%d" of the C locale, without the cost of a printf per value.
template <typename Number>
std::string_view NumberText(Number value, std::array<char, 400>& buffer) {
    std::to_chars_result result;
    if constexpr (std::is_floating_point_v<Number>) {
        result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                               std::chars_format::fixed, 6);
    } else {
        result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    }
    return std::string_view(buffer.data(), static_cast<size_t>(result.ptr - buffer.data()));
}

// Encodings the parser converts to UTF-8 (others would be read as UTF-8 and garbled).
bool IsReadableEncoding(std::string_view encoding) {
    static const char* const kReadable[] = {"utf-8",    "utf8",     "utf-16",         "utf-16le",
                                            "utf-16be", "us-ascii", "ascii",          "iso-8859-1",
                                            "latin1",   "ucs-2",    "iso-10646-ucs-2"};
    return std::any_of(std::begin(kReadable), std::end(kReadable), [&](const char* name) {
        return KvStr::EqualNoCase(std::string(encoding), name);
    });
}

// Removes every child node of element, leaves first, without recursion; the new
// children waiting for the removed elements go with them.
void RemoveChildren(pugi::xml_node element, XmlPendingTree& pending) {
    pugi::xml_node node = element;
    for (;;) {
        if (pugi::xml_node child = node.first_child()) {
            node = child;
            continue;
        }
        if (node == element) {
            return;
        }
        pugi::xml_node parent = node.parent();
        pending.ForgetAnchor(node);
        parent.remove_child(node);
        node = parent;
    }
}

} // namespace

class ProjectDocument::Impl {
public:
    int Open(const std::string& path, const std::string& rootName);
    bool Save(const std::string& path, bool onlyWhenChanged);
    void Close();
    int Write(const std::string& section, const std::string& key, const char* text, size_t length);
    // The text of the element at section/key; nullptr when there is none.
    const char* Read(const std::string& section, const std::string& key);
    std::vector<int> EntryIndexes(const std::string& section, const std::string& prefix, int count);

    std::string path;
    std::string error;

private:
    int Fail(int status, const std::string& reason);
    bool CheckParsedDocument(const std::string& rootName);
    bool SetText(pugi::xml_node element, const char* text, size_t length);
    // Moves the pending elements into the tree, so that reads see them.
    void JoinPending();
    // The element a write of these names addresses: from the root, the first child of
    // each name; an empty node when a level is missing.
    pugi::xml_node ElementAt(const std::vector<std::string_view>& names);

    // An element on the path of the last write: in the tree, or pending.
    struct WrittenLevel {
        std::string name;
        pugi::xml_node element;
        XmlPendingTree::Id pending = XmlPendingTree::kNone;
    };

    // An element on the path of the last read, from the root.
    struct ReadLevel {
        std::string name;
        pugi::xml_node element;
    };

    pugi::xml_document m_document;
    bool m_hasDocument = false;
    XmlChildIndex m_children;
    std::vector<ReadLevel> m_read;       // the levels of the last read path that exist
    XmlPendingTree m_pending;            // elements written but not yet in the tree
    std::vector<WrittenLevel> m_written; // elements of the last write path, from the root
    ElementPath m_path;
};

int ProjectDocument::Impl::Fail(int status, const std::string& reason) {
    error = reason;
    Close();
    return status;
}

void ProjectDocument::Impl::Close() {
    m_document.reset();
    m_hasDocument = false;
    m_children.Clear();
    m_written.clear();
    m_pending.Clear();
    m_read.clear();
}

void ProjectDocument::Impl::JoinPending() {
    if (m_pending.Empty()) {
        return;
    }
    std::vector<std::pair<pugi::xml_node, XmlPendingTree::Id>> work;
    for (const auto& [element, anchor] : m_pending.Anchors()) {
        work.emplace_back(pugi::xml_node(element), anchor);
    }
    while (!work.empty()) {
        auto [parent, node] = work.back();
        work.pop_back();
        for (XmlPendingTree::Id child = m_pending.FirstChildOf(node);
             child != XmlPendingTree::kNone; child = m_pending.NextSibling(child)) {
            pugi::xml_node element = parent.append_child(m_pending.Name(child).c_str());
            m_children.Appended(parent, element);
            if (m_pending.HasText(child)) {
                const std::string_view text = m_pending.Text(child);
                element.text().set(text.data(), text.size());
            }
            work.emplace_back(element, child);
        }
    }
    m_pending.Clear();
    m_written.clear();
    m_read.clear();
}

bool ProjectDocument::Impl::CheckParsedDocument(const std::string& rootName) {
    int roots = 0;
    for (pugi::xml_node node = m_document.first_child(); node; node = node.next_sibling()) {
        roots += node.type() == pugi::node_element ? 1 : 0;
        if (node.type() == pugi::node_declaration) {
            const pugi::xml_attribute encoding = node.attribute("encoding");
            if (encoding && !IsReadableEncoding(encoding.value())) {
                error = KvStr::Format("不支持的文本编码“%s”", encoding.value());
                return false;
            }
        }
    }
    if (roots != 1) {
        error = "XML 文件必须有且只有一个根元素";
        return false;
    }
    const char* root = m_document.document_element().name();
    if (!rootName.empty() && rootName != root) {
        error = KvStr::Format("根元素是“%s”，不是“%s”", root, rootName.c_str());
        return false;
    }
    if (NestingDepth(m_document.document_element()) > ProjectDocument::kMaxDepth) {
        error = KvStr::Format("元素嵌套超过%d层，不是本程序的工程文件", ProjectDocument::kMaxDepth);
        return false;
    }
    return true;
}

int ProjectDocument::Impl::Open(const std::string& filePath, const std::string& rootName) {
    Close();
    error.clear();
    path = filePath;
    if (filePath.empty()) {
        return Fail(kNoDocument, "没有给出文件路径");
    }
    const std::string root = rootName.empty() ? std::string("xmlRoot") : rootName;
    if (!IsElementName(root)) {
        return Fail(kNoDocument, "根元素名无效");
    }
    struct stat status {};
    if (::stat(filePath.c_str(), &status) != 0) {
        if (errno != ENOENT) {
            return Fail(kParseFailed,
                        errno == EACCES ? std::string("没有读取权限") : KvFile::ErrorReason(errno));
        }
        const std::string text = "<?xml version=\"1.0\" ?><" + root + "></" + root + ">";
        if (!m_document.load_string(text.c_str(), kParseOptions)) {
            return Fail(kNoDocument, "无法建立 XML 文档");
        }
    } else {
        if (S_ISDIR(status.st_mode)) {
            return Fail(kParseFailed, "是一个文件夹");
        }
        const pugi::xml_parse_result result = m_document.load_file(filePath.c_str(), kParseOptions);
        if (result.status == pugi::status_file_not_found ||
            result.status == pugi::status_io_error) {
            return Fail(kParseFailed, ::access(filePath.c_str(), R_OK) != 0
                                          ? std::string("没有读取权限")
                                          : std::string("读取文件出错"));
        }
        if (!result) {
            const long long line = LineAt(filePath, static_cast<long long>(result.offset));
            return Fail(kParseFailed, line > 0 ? KvStr::Format("文件不是有效的XML（第%lld行：%s）",
                                                               line, XmlProblem(result.status))
                                               : KvStr::Format("文件不是有效的XML（%s）",
                                                               XmlProblem(result.status)));
        }
        if (!CheckParsedDocument(rootName)) {
            return Fail(kParseFailed, error);
        }
    }
    m_hasDocument = true;
    return kOpened;
}

bool ProjectDocument::Impl::Save(const std::string& filePath, bool onlyWhenChanged) {
    const std::string target = filePath.empty() ? path : filePath;
    if (!m_hasDocument || target.empty()) {
        error = m_hasDocument ? "没有给出文件路径" : "没有文档";
        return false;
    }
    // The file is always written as UTF-8, so a declaration must not name another
    // encoding.
    for (pugi::xml_node node = m_document.first_child(); node; node = node.next_sibling()) {
        if (node.type() == pugi::node_declaration) {
            node.remove_attribute("encoding");
        }
    }
    // The text goes out in pieces: a big project is never held twice in memory.
    const KvFile::Producer produce = [this](const KvFile::Put& put) {
        return WriteXmlText(m_document, m_pending, put);
    };
    if (onlyWhenChanged && KvFile::HoldsExactly(target, produce)) {
        path = target;
        return true;
    }
    const bool saved = KvFile::WriteAtomicallyStreamed(target, produce, &error);
    if (saved) {
        path = target;
    }
    return saved;
}

bool ProjectDocument::Impl::SetText(pugi::xml_node element, const char* text, size_t length) {
    const pugi::xml_node first = element.first_child();
    const bool onlyText = !first || (!first.next_sibling() && (first.type() == pugi::node_pcdata ||
                                                               first.type() == pugi::node_cdata));
    if (!onlyText) {
        // The new text replaces all content; cached lookups may refer to what goes.
        RemoveChildren(element, m_pending);
        m_children.Clear();
        m_written.clear();
        m_read.clear();
    }
    m_pending.ForgetAnchor(element);
    return element.text().set(text, length);
}

int ProjectDocument::Impl::Write(const std::string& section, const std::string& key,
                                 const char* text, size_t length) {
    pugi::xml_node root = m_hasDocument ? m_document.document_element() : pugi::xml_node();
    if (!root) {
        return kNoRoot;
    }
    const std::vector<std::string_view>& names = m_path.Split(section, key);
    const size_t shared = SharedLevels(m_written, m_written.size(), names);
    if (!std::all_of(names.begin() + static_cast<long>(shared), names.end(), IsElementName)) {
        return kBadElementName;
    }
    m_written.resize(shared);
    pugi::xml_node element = shared > 0 ? m_written.back().element : root;
    XmlPendingTree::Id pending = shared > 0 ? m_written.back().pending : XmlPendingTree::kNone;
    for (size_t depth = shared; depth < names.size(); ++depth) {
        const std::string_view name = names[depth];
        // A tree element's own children come first; new ones are pending after them.
        pugi::xml_node child = element ? m_children.First(element, name) : pugi::xml_node();
        if (!child) {
            const XmlPendingTree::Id parent = element ? m_pending.Anchor(element) : pending;
            pending = m_pending.FirstOrAppend(parent, name);
        }
        element = child;
        m_written.push_back({std::string(name), element, pending});
    }
    if (!element) {
        m_pending.SetText(pending, std::string_view(text, length));
        return kWritten;
    }
    return SetText(element, text, length) ? kWritten : kTextFailed;
}

pugi::xml_node ProjectDocument::Impl::ElementAt(const std::vector<std::string_view>& names) {
    const size_t shared = SharedLevels(m_read, m_read.size(), names);
    m_read.resize(shared);
    pugi::xml_node element = shared > 0 ? m_read.back().element : m_document.document_element();
    for (size_t depth = shared; depth < names.size() && element; ++depth) {
        element = m_children.First(element, names[depth]);
        if (element) {
            m_read.push_back({std::string(names[depth]), element});
        }
    }
    return element;
}

const char* ProjectDocument::Impl::Read(const std::string& section, const std::string& key) {
    if (!m_hasDocument) {
        return nullptr;
    }
    JoinPending();
    const pugi::xml_node element = ElementAt(m_path.Split(section, key));
    return element ? element.text().get() : nullptr;
}

std::vector<int> ProjectDocument::Impl::EntryIndexes(const std::string& section,
                                                     const std::string& prefix, int count) {
    std::vector<int> indexes;
    if (!m_hasDocument || count <= 0) {
        return indexes;
    }
    JoinPending();
    const pugi::xml_node list = ElementAt(m_path.Split(section, std::string()));
    for (pugi::xml_node child = list.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element) {
            continue;
        }
        const int index = EntryIndexOfName(child.name(), prefix, count);
        if (index >= 0) {
            indexes.push_back(index);
        }
    }
    std::sort(indexes.begin(), indexes.end());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    return indexes;
}

ProjectDocument::ProjectDocument() : m_impl(std::make_unique<Impl>()) {}

ProjectDocument::~ProjectDocument() = default;

int ProjectDocument::Open(const std::string& path, const std::string& rootName) {
    return m_impl->Open(path, rootName);
}

bool ProjectDocument::Save(const std::string& path) {
    return m_impl->Save(path, false);
}

bool ProjectDocument::SaveIfChanged(const std::string& path) {
    return m_impl->Save(path, true);
}

void ProjectDocument::Close() {
    m_impl->Close();
}

int ProjectDocument::WriteInt(const std::string& section, const std::string& key, int value) {
    std::array<char, 400> buffer;
    const std::string_view text = NumberText(value, buffer);
    return m_impl->Write(section, key, text.data(), text.size());
}

int ProjectDocument::WriteDouble(const std::string& section, const std::string& key, double value) {
    std::array<char, 400> buffer;
    const std::string_view text = NumberText(value, buffer);
    return m_impl->Write(section, key, text.data(), text.size());
}

int ProjectDocument::WriteText(const std::string& section, const std::string& key,
                               const std::string& value) {
    return m_impl->Write(section, key, value.data(), value.size());
}

int ProjectDocument::ReadInt(const std::string& section, const std::string& key, int defaultValue) {
    const char* text = m_impl->Read(section, key);
    return text != nullptr ? LeadingInt(text) : defaultValue;
}

double ProjectDocument::ReadDouble(const std::string& section, const std::string& key,
                                   double defaultValue) {
    const char* text = m_impl->Read(section, key);
    return KvStr::Atof(text != nullptr ? std::string(text) : KvStr::Format("%.6f", defaultValue));
}

std::string ProjectDocument::ReadText(const std::string& section, const std::string& key,
                                      const std::string& defaultValue) {
    const char* text = m_impl->Read(section, key);
    return text != nullptr ? std::string(text) : defaultValue;
}

std::vector<int> ProjectDocument::EntryIndexes(const std::string& section,
                                               const std::string& prefix, int count) {
    return m_impl->EntryIndexes(section, prefix, count);
}

const std::string& ProjectDocument::Path() const {
    return m_impl->path;
}

const std::string& ProjectDocument::ErrorText() const {
    return m_impl->error;
}

} // namespace qv
