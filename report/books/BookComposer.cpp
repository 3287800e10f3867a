#include "report/books/BookComposer.h"

#include "report/books/BookFrame.h"

#include <kelvorin/KvStr.h>

#include <algorithm>

namespace qv {

void BookComposer::Open(const std::string& title, float size) {
    m_writer.NewFile();
    m_writer.SetDocOrientation(0);
    OpenBookFrame(m_writer, title);
    m_writer.WriteContent(title, 1, size, kFont, 1, 1, 0);
    WriteHeaderLines(*this, m_writer.Info());
}

void BookComposer::Head(const std::string& text, float size, bool bold) {
    Write(text, 1, size, bold);
    m_writer.KeepWithNext(1 + static_cast<int>(std::count(text.begin(), text.end(), '\n')));
}

void BookComposer::Write(const std::string& text, int mode, float size, bool bold) {
    m_writer.WriteContent(text, mode, size, kFont, bold ? 1 : 0, 0, 0);
}

void BookComposer::Symbol(const std::string& letter, const std::string& index,
                          const std::string& rest) {
    Line(letter);
    if (!index.empty()) {
        Subscript(index);
    }
    if (!rest.empty()) {
        Append(rest);
    }
}

void BookComposer::AppendSquared(const std::string& text) {
    Append(text);
    Superscript("2");
}

void BookComposer::LineSquared(const std::string& text) {
    Line(text);
    Superscript("2");
}

void BookComposer::Equation(const std::string& formula) {
    Blank();
    m_writer.InsertEquation(formula, kBodySize); // in the body's size, not the blank line's
    Blank();
}

void BookComposer::Table(const std::vector<std::string>& headers,
                         const std::vector<std::vector<std::string>>& rows) {
    std::vector<std::string> cells = headers;
    for (const std::vector<std::string>& row : rows) {
        cells.insert(cells.end(), row.begin(), row.end());
        cells.resize(cells.size() + headers.size() - std::min(headers.size(), row.size()));
    }
    if (m_writer.AddTable(static_cast<int>(rows.size()) + 1, static_cast<int>(headers.size()), 0.0f,
                          cells) == 1) {
        m_writer.FormatLastTable(true, true);
    }
}

void OpenTableBook(BookComposer& book, const std::string& title, float resultSize,
                   const std::vector<std::string>& headers,
                   const std::vector<std::vector<std::string>>& rows) {
    book.Open(title);
    book.BoldLine("计算结果", resultSize);
    std::vector<std::vector<std::string>> numbered;
    numbered.reserve(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        std::vector<std::string> row{Whole(static_cast<int>(i) + 1)};
        row.insert(row.end(), rows[i].begin(), rows[i].end());
        numbered.push_back(std::move(row));
    }
    book.Table(headers, numbered);
}

void WriteDensities(BookComposer& book, const std::string& lpd, const std::string& label,
                    const std::string& second, const std::string& gap) {
    book.LineSquared("功率密度为" + lpd + "W/m");
    const char* name = label.rfind("标准", 0) == 0 ? "标准功率密度" : "折算功率密度";
    book.AppendSquared(gap + name + "为" + second + "W/m");
}

std::string Fixed(double value, int decimals) {
    return KvStr::Format("%0.*f", decimals, value);
}

std::string Whole(int value) {
    return KvStr::Format("%d", value);
}

} // namespace qv
