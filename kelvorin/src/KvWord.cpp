#include <kelvorin/KvWord.h>

#include <kelvorin/KvDocxDocument.h>
#include <kelvorin/KvStTable.h>
#include <kelvorin/KvStr.h>

#include <algorithm>

namespace {

constexpr float kCaptionSize = 10.5f;

constexpr const char* kCaption = "Varsolin";

const KvDocxErrors kErrors{kCaption};

std::string FileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

struct KvWord::Entry {
    std::unique_ptr<KvDocxDocument> document;
    std::string name;
    std::string path; // where it was opened or last saved; empty for a new one
};

KvWord::KvWord(Opener opener) : m_opener(std::move(opener)) {}

KvWord::~KvWord() = default;

KvWord::Entry* KvWord::Find(const std::string& name) const {
    for (const auto& entry : m_documents) {
        if (entry->name == name) {
            return entry.get();
        }
    }
    return nullptr;
}

KvWord::Entry* KvWord::Active() const {
    return m_active;
}

std::vector<std::string> KvWord::DocumentNames() const {
    std::vector<std::string> names;
    for (const auto& entry : m_documents) {
        names.push_back(entry->name);
    }
    return names;
}

std::string KvWord::ActiveName() const {
    return m_active ? m_active->name : std::string();
}

int KvWord::OpenFile(const std::string& path) {
    for (const auto& entry : m_documents) {
        if (!entry->path.empty() && entry->path == path) {
            m_active = entry.get();
            return 1;
        }
    }
    std::string error;
    std::unique_ptr<KvDocxDocument> document = KvDocxDocument::Open(path, error);
    if (!document) {
        return kErrors.Error(error);
    }
    std::string name = FileNameOf(path);
    if (Find(name) != nullptr) {
        return kErrors.Error("已打开同名文档 " + name);
    }
    m_documents.push_back(std::make_unique<Entry>(Entry{std::move(document), name, path}));
    m_active = m_documents.back().get();
    return 1;
}

int KvWord::NewFile() {
    std::string name;
    do {
        name = "文档" + std::to_string(++m_newCount);
    } while (Find(name) != nullptr);
    m_documents.push_back(
        std::make_unique<Entry>(Entry{std::make_unique<KvDocxDocument>(), name, std::string()}));
    m_active = m_documents.back().get();
    return 1;
}

int KvWord::Save(Entry& entry, const std::string& path) {
    std::string error;
    if (entry.document->Save(path, error) == 0) {
        return kErrors.Error(error);
    }
    entry.path = path;
    if (m_visible && m_opener) {
        m_opener(path);
    }
    return 1;
}

int KvWord::SaveFile() {
    Entry* entry = Active();
    if (entry == nullptr) {
        return kErrors.NoDocument();
    }
    if (entry->path.empty()) {
        return kErrors.Error("文档尚未保存过: " + entry->name);
    }
    return Save(*entry, entry->path);
}

int KvWord::SaveAsFile(const std::string& path) {
    Entry* entry = Active();
    if (entry == nullptr) {
        return kErrors.NoDocument();
    }
    const std::string trimmed = KvStr::Trim(path);
    if (trimmed.empty()) {
        return kErrors.Error("文件名为空");
    }
    const std::string target = KvDocxDocument::WithDocxExtension(trimmed);
    const std::string name = FileNameOf(target);
    if (const Entry* other = Find(name); other != nullptr && other != entry) {
        return kErrors.Error("已打开同名文档 " + name);
    }
    if (Save(*entry, target) == 0) {
        return 0;
    }
    entry->name = name;
    return 1;
}

int KvWord::CloseFile(const std::string& name) {
    Entry* entry = name.empty() ? Active() : Find(name);
    if (entry == nullptr) {
        return kErrors.Error("没有名为 " + name + " 的文档");
    }
    if (entry == m_active) {
        m_active = nullptr;
    }
    std::erase_if(m_documents, [&](const auto& open) { return open.get() == entry; });
    if (m_active == nullptr && !m_documents.empty()) {
        m_active = m_documents.back().get();
    }
    return 1;
}

int KvWord::Quit() {
    m_documents.clear();
    m_active = nullptr;
    return 1;
}

int KvWord::SetAppVisible(int flag) {
    m_visible = flag != 0;
    return 1;
}

int KvWord::SetDocActive(const std::string& name) {
    Entry* entry = Find(name);
    if (entry == nullptr) {
        return kErrors.Error("没有名为 " + name + " 的文档");
    }
    m_active = entry;
    return 1;
}

int KvWord::SetDocOrientation(int orientation) {
    if (Active() == nullptr) {
        return kErrors.NoDocument();
    }
    std::string error;
    return kErrors.Shown(Active()->document->SetOrientation(orientation, error), error);
}

int KvWord::SetParaFormat(long rule, float value) {
    if (Active() == nullptr) {
        return kErrors.NoDocument();
    }
    std::string error;
    return kErrors.Shown(Active()->document->SetParagraphFormat(rule, value, error), error);
}

int KvWord::WriteContent(const std::string& text, int mode, float size, const std::string& fontName,
                         int bold, long alignment, int script) {
    if (KvStr::Trim(fontName).empty() || size < 0.0001f) {
        return 0;
    }
    if (Active() == nullptr) {
        return kErrors.NoDocument();
    }
    std::string error;
    return kErrors.Shown(Active()->document->WriteContent(text, mode, size, fontName, bold,
                                                          alignment, script, error),
                         error);
}

int KvWord::WriteContent(const std::vector<std::string>& texts, int mode, float size,
                         const std::string& fontName, int bold, long alignment, int script) {
    std::string joined;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        joined += (i == 0 ? "" : "\n") + texts[i];
    }
    return WriteContent(joined, mode, size, fontName, bold, alignment, script);
}

int KvWord::WriteSpace(int count) {
    if (Active() == nullptr) {
        return kErrors.NoDocument();
    }
    std::string error;
    return kErrors.Shown(Active()->document->WriteSpace(count, error), error);
}

int KvWord::AddTable(int rows, int columns, float columnWidth,
                     const std::vector<std::string>& cells) {
    if (rows < 1 || columns < 1 || cells.empty()) {
        return 0;
    }
    if (Active() == nullptr) {
        return kErrors.NoDocument();
    }
    std::string error;
    return kErrors.Shown(Active()->document->AddTable(rows, columns, columnWidth, cells, error),
                         error);
}

int KvWord::AddTable(float columnWidth, const KvStTable& table) {
    const int columns = table.GetFieldCount();
    const int rows = table.GetTableLogicSize();
    std::vector<std::string> cells;
    table.GetLableRecord(cells);
    KvStRecord record;
    for (int r = 0; r < rows; ++r) {
        table.GetValueRecord(record, r);
        for (int c = 0; c < columns; ++c) {
            cells.push_back(record.GetAt(c));
        }
    }
    return AddTable(rows + 1, columns, columnWidth, cells);
}

int KvWord::AddPicture(const std::string& path, const std::string& text, long alignment,
                       float width) {
    if (Active() == nullptr) {
        return kErrors.NoDocument();
    }
    KvDocxDocument& document = *Active()->document;
    std::string error;
    if (document.AddPicture(path, alignment, width, error) == 0) {
        return kErrors.Error(error);
    }
    if (KvStr::Trim(text).empty()) {
        return 1;
    }
    return kErrors.Shown(document.WriteContent(text, 1, kCaptionSize, KvDocxText::kEastAsianFont, 0,
                                               alignment, 0, error),
                         error);
}

int KvWord::InsertPic(const std::string& picturePath, const std::string& text, int alignment) {
    return AddPicture(picturePath, text, alignment, 0.0f);
}

int KvWord::InsertPicEx(const std::string& picturePath, const std::string& text, int width) {
    return AddPicture(picturePath, text, 1, static_cast<float>(width));
}

int KvWord::GetContent(std::string& text) const {
    if (Active() == nullptr) {
        return kErrors.NoDocument();
    }
    text = Active()->document->Text();
    return 1;
}
