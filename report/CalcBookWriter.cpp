#include "report/CalcBookWriter.h"

#include "report/OmmlWriter.h"

#include <kelvorin/KvDocxDocument.h>
#include <kelvorin/KvMessage.h>
#include <kelvorin/KvStr.h>

#include <ctime>
#include <filesystem>

namespace qv {

namespace {

constexpr const char* kCaption = "系统提示";

const KvDocxErrors kErrors{kCaption};

} // namespace

// The document itself is the library's (shared with KvWord); the writer adds the
// equations, the save folder and showing the saved file.
struct CalcBookWriter::Document {
    KvDocxDocument docx;
    std::string savedPath;
    std::function<void(CalcBookWriter&)> finisher;
};

CalcBookWriter::CalcBookWriter(DocumentOpener opener) : m_opener(std::move(opener)) {}

CalcBookWriter::~CalcBookWriter() = default;

std::string CalcBookWriter::SavedPath() const {
    return m_document ? m_document->savedPath : std::string();
}

int CalcBookWriter::NewFile() {
    m_document = std::make_unique<Document>();
    return 1;
}

int CalcBookWriter::SetDocOrientation(int orientation) {
    if (!m_document) {
        return kErrors.NoDocument();
    }
    std::string error;
    return kErrors.Shown(m_document->docx.SetOrientation(orientation, error), error);
}

int CalcBookWriter::SetAppVisible(int flag) {
    m_visible = flag != 0;
    if (m_visible && m_opener && !SavedPath().empty()) {
        m_opener(SavedPath());
    }
    return 1;
}

int CalcBookWriter::SaveAsFile(const std::string& fileName) {
    if (!m_document) {
        return kErrors.NoDocument();
    }
    const std::string name = KvStr::Trim(fileName);
    if (name.empty()) {
        return kErrors.Error("文件名为空");
    }
    std::string path = name;
    if (name.find('/') == std::string::npos && !m_saveFolder.empty()) {
        path = (std::filesystem::path(m_saveFolder) / name).string();
    }
    path = KvDocxDocument::WithDocxExtension(path);
    if (m_document->finisher) {
        const auto finisher = std::move(m_document->finisher);
        m_document->finisher = nullptr;
        finisher(*this);
    }
    std::string error;
    if (m_document->docx.Save(path, error) == 0) {
        return kErrors.Error(error);
    }
    m_document->savedPath = path;
    if (m_visible && m_opener) {
        m_opener(path);
    }
    return 1;
}

int CalcBookWriter::SetPageFurniture(const std::string& header, const std::string& title,
                                     const std::string& author) {
    if (!m_document) {
        return kErrors.NoDocument();
    }
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char created[32];
    std::strftime(created, sizeof created, "%Y-%m-%dT%H:%M:%SZ", &utc);
    std::string error;
    KvDocxDocument& docx = m_document->docx;
    const int done = docx.SetPageHeader(KvDocxText::CleanXmlText(header), error) &&
                     docx.SetPageFooter("第 ", " 页 共 ", " 页", error) &&
                     docx.SetCoreProperties(KvDocxText::CleanXmlText(title),
                                            KvDocxText::CleanXmlText(author), created, error);
    return kErrors.Shown(done ? 1 : 0, error);
}

int CalcBookWriter::KeepWithNext(int count) {
    return m_document ? m_document->docx.KeepWithNext(count) : 0;
}

int CalcBookWriter::FormatLastTable(bool headerRow, bool fitColumns) {
    return m_document ? m_document->docx.FormatLastTable(headerRow, fitColumns) : 0;
}

void CalcBookWriter::SetFinisher(std::function<void(CalcBookWriter&)> finisher) {
    if (m_document) {
        m_document->finisher = std::move(finisher);
    }
}

int CalcBookWriter::WriteContent(const std::string& text, int mode, float size,
                                 const std::string& fontName, int bold, long alignment,
                                 int script) {
    if (KvStr::Trim(fontName).empty() || size < 0.0001f) {
        return 0;
    }
    if (!m_document) {
        return kErrors.NoDocument();
    }
    std::string error;
    return kErrors.Shown(
        m_document->docx.WriteContent(text, mode, size, fontName, bold, alignment, script, error),
        error);
}

int CalcBookWriter::WriteSpace(int count) {
    if (!m_document) {
        return kErrors.NoDocument();
    }
    std::string error;
    return kErrors.Shown(m_document->docx.WriteSpace(count, error), error);
}

int CalcBookWriter::AddTable(int rows, int columns, float columnWidth,
                             const std::vector<std::string>& cells) {
    if (rows < 1 || columns < 1 || cells.empty()) {
        return 0;
    }
    if (!m_document) {
        return kErrors.NoDocument();
    }
    std::string error;
    return kErrors.Shown(m_document->docx.AddTable(rows, columns, columnWidth, cells, error),
                         error);
}

int CalcBookWriter::AddPicture(const std::string& path, float width) {
    if (!m_document) {
        return kErrors.NoDocument();
    }
    std::string error;
    return kErrors.Shown(m_document->docx.AddPicture(path, 1, width, error), error);
}

int CalcBookWriter::InsertEquation(const std::string& formula, float size) {
    const std::string trimmed = KvStr::Trim(formula);
    if (trimmed.empty()) {
        return 0;
    }
    if (!m_document) {
        KvMessageSink::Show("没有打开的文档", "Word软件出错!", KvMessageIcon::Warning);
        return 0;
    }
    KvDocxDocument& docx = m_document->docx;
    const std::string clean = KvDocxText::CleanXmlText(trimmed);
    KvRunFormat format = docx.InForce();
    format.script = 0;
    if (size >= kMinFontSize && size <= kMaxFontSize) {
        format.size = size;
    }
    pugi::xml_node last = docx.LastParagraph();
    const std::string alignment = KvDocxText::AlignmentOf(last);
    if (const std::optional<EqSequence> tree = ParseEqNotation(clean)) {
        // A formula wider than the text is continued on further lines, so that no reader
        // cuts it at the right margin.
        const double widthEm = docx.TextWidth() / 20.0 / format.size;
        std::vector<EqSequence> lines = BreakLongFormula(*tree, widthEm);
        for (std::size_t i = 1; i < lines.size(); ++i) {
            // A line may not begin with its equals sign in every reader: an em space
            // stands before it and sets the continuation in.
            lines[i].insert(lines[i].begin(), EqNode{EqNode::Kind::Text, "\xE2\x80\x83", {}, 0});
        }
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (i > 0) {
                last = KvDocxText::InsertParagraph(docx.Body(), last, alignment.c_str(), format);
            }
            AppendOfficeMath(last, lines[i], KvDocxText::HalfPoints(format.size));
        }
    } else {
        last = KvDocxText::AppendText(last, clean, format);
    }
    KvDocxText::InsertParagraph(docx.Body(), last, alignment.c_str(), format);
    return 1;
}

} // namespace qv
